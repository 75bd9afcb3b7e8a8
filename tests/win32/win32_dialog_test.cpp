// The Win32 binding on a live dialog made from oddsmith.exe's template: the boundaries where
// user32 and the portable contract could part ways.
// Usage: win32_dialog_test ODDSMITH_EXE
#include <windows.h>

#include <cstring>
#include <string>

#include "../../dialog/win32/win32_dialog.h"
#include "check.h"
#include "exe_resources.h"

namespace {

INT_PTR CALLBACK Passive(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void ThumbWordsUnwrap() {
  // Bars that fit 16 bits: the word is the position, wherever the bar is.
  EXPECT(UnwrapThumbWord(2857, 10800, 9000) == 2857, "short bar");
  EXPECT(UnwrapThumbWord(65535, 65535, 0) == 65535, "16-bit maximum");
  // A line of 900: 81000 arrives as 15464; the bar's track position tells which one it was.
  EXPECT(UnwrapThumbWord(81000 & 0xFFFF, 81000, 80000) == 81000, "wrapped maximum");
  EXPECT(UnwrapThumbWord(70000 & 0xFFFF, 81000, 69000) == 70000, "wrapped middle");
  EXPECT(UnwrapThumbWord(15464, 81000, 16000) == 15464, "low position on a wide bar");
  EXPECT(UnwrapThumbWord(60000, 81000, 6428) == 60000, "no wrapped twin within the range");
}

void SurfaceOnLiveControls(const DLGTEMPLATE* dialogTemplate) {
  const HWND dialog =
      CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, nullptr, Passive, 0);
  EXPECT(dialog, "cannot create the dialog");
  if (!dialog) return;
  Win32Surface surface(dialog);

  // The whole text reaches the parser: leading blanks and zeros beyond any small buffer, and
  // a run of digits past 32 bits that a cut text would misread as a small number.
  const std::string padded = std::string(200, ' ') + std::string(300, '0') + "12-5";
  SetDlgItemTextA(dialog, IDC_LINE, padded.c_str());
  UnsignedRead read = surface.ReadUnsigned(IDC_LINE);
  EXPECT(read.ok && read.value == 12, "padded: %u %d", read.value, read.ok);
  SetDlgItemTextA(dialog, IDC_LINE, "429496729612");
  read = surface.ReadUnsigned(IDC_LINE);
  EXPECT(!read.ok && read.value == 0, "overflow: %u %d", read.value, read.ok);
  read = surface.ReadUnsigned(IDC_FIRST - 1);
  EXPECT(!read.ok && read.value == 0, "missing control: %u %d", read.value, read.ok);

  // ReadText: max - 1 bytes and a NUL; a missing control gives an empty text.
  char buffer[5];
  SetDlgItemTextA(dialog, IDC_ODDS, "10-11");
  EXPECT(surface.ReadText(IDC_ODDS, buffer, 5) == 4 && std::strcmp(buffer, "10-1") == 0,
         "cut to '%s'", buffer);
  std::strcpy(buffer, "junk");
  EXPECT(surface.ReadText(IDC_FIRST - 1, buffer, 5) == 0 && buffer[0] == '\0', "'%s'", buffer);

  // The program's own text is never taken for the user's.
  SendDlgItemMessageA(dialog, IDC_ODDS, EM_SETMODIFY, TRUE, 0);
  EXPECT(surface.IsModified(IDC_ODDS), "modified flag not read");
  surface.WriteText(IDC_ODDS, "5.0");
  EXPECT(!surface.IsModified(IDC_ODDS), "writing kept the modified flag");

  // Bars bound every position to their range, also when the range shrinks under them.
  surface.SetBarRange(IDC_POOL_BAR, 0, 81000);
  surface.SetBarPos(IDC_POOL_BAR, 90000);
  EXPECT(surface.BarPos(IDC_POOL_BAR) == 81000, "above: %d", surface.BarPos(IDC_POOL_BAR));
  surface.SetBarPos(IDC_POOL_BAR, -5);
  EXPECT(surface.BarPos(IDC_POOL_BAR) == 0, "below: %d", surface.BarPos(IDC_POOL_BAR));
  surface.SetBarPos(IDC_POOL_BAR, 70000);
  surface.SetBarRange(IDC_POOL_BAR, 0, 9000);
  EXPECT(surface.BarPos(IDC_POOL_BAR) == 9000, "shrunk: %d", surface.BarPos(IDC_POOL_BAR));

  // Without a drag in progress the bar's track position is its position, so a thumb message
  // replayed on a wide bar lands on the word's value next to it.
  Win32Dialog window(dialog);
  surface.SetBarRange(IDC_POOL_BAR, 0, 81000);
  surface.SetBarPos(IDC_POOL_BAR, 75000);
  EXPECT(window.ThumbPosition(IDC_POOL_BAR, 81000 & 0xFFFF) == 81000, "wide bar");
  EXPECT(window.ControlId(reinterpret_cast<LongParam>(GetDlgItem(dialog, IDC_POOL_BAR + 3))) ==
             IDC_POOL_BAR + 3,
         "bar handle");
  EXPECT(window.ControlId(reinterpret_cast<LongParam>(GetDesktopWindow())) == 0, "foreign");
  DestroyWindow(dialog);
}

void MissingTemplateEndsAtOnce() {
  // Without a dialog no quit message will ever come; the program must not wait for one.
  EXPECT(RunMainDialog(GetModuleHandleA(nullptr), "NOSUCHDIALOG") == kCannotRun, "exit code");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: win32_dialog_test ODDSMITH_EXE\n");
    return 2;
  }
  const ResourceBytes dialogTemplate = LoadExeResource(argv[1], "ODDSMITHBOX", RT_DIALOG);
  EXPECT(dialogTemplate.data, "no dialog template");
  ThumbWordsUnwrap();
  if (dialogTemplate.data) {
    SurfaceOnLiveControls(reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data));
  }
  MissingTemplateEndsAtOnce();
  return CheckResult();
}
