// The Win32 binding on a live dialog made from oddsmith.exe's template: the boundaries where
// user32 and the portable contract could part ways, and the tooltips and the system menu's
// entries that only the Win32 binding adds.
// Usage: win32_dialog_test ODDSMITH_EXE
#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "book/board.h"
#include "dialog/headless/headless_dialog.h"
#include "dialog/win32/win32_dialog.h"
#include "tests/win32/check.h"
#include "tests/win32/clipboard.h"
#include "tests/win32/exe_resources.h"
#include "tests/win32/live_dialog.h"

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

// The twin's book tip, in UTF-16.
std::wstring TwinBookTip(LiveDialog& dialog) {
  char utf8[TEXT_BUFFER_SIZE];
  FormatBookTip(dialog.Twin().Surface(), utf8, sizeof utf8);
  WCHAR wide[TEXT_BUFFER_SIZE];
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, ARRAYSIZE(wide));
  return wide;
}

std::string Narrow(const std::wstring& text) {
  char bytes[TIP_MAX * 3];
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

void TooltipsTellBoardPriceAndBook(HMODULE exe) {
  LiveDialog dialog(exe);
  EXPECT(dialog.Handle() && dialog.Tips(), "no dialog or no tooltip");
  if (!dialog.Handle() || !dialog.Tips()) return;
  // Every row's odds field and bar, and "% Line:".
  const LRESULT tools = SendMessageW(dialog.Tips(), TTM_GETTOOLCOUNT, 0, 0);
  EXPECT(tools == 2 * ROW_COUNT + 1, "%d tools", static_cast<int>(tools));

  const std::wstring start = L"Board price 11-1 \u00b7 8.6 % to win";
  EXPECT(dialog.Tip(IDC_ODDS) == start, "'%s'", Narrow(dialog.Tip(IDC_ODDS)).c_str());
  EXPECT(dialog.Tip(IDC_POOL_BAR + 13) == start, "'%s'",
         Narrow(dialog.Tip(IDC_POOL_BAR + 13)).c_str());
  EXPECT(dialog.Tip(IDC_LINE) == L"Book 119.98 % of a 120 % line (14 horses)", "'%s'",
         Narrow(dialog.Tip(IDC_LINE)).c_str());
  EXPECT(dialog.Tip(IDC_HORSES).empty(), "'%s'", Narrow(dialog.Tip(IDC_HORSES)).c_str());

  // Each tip is worked out as it shows, from the controls as they are then.
  dialog.Type(IDC_ODDS + 2, "5-2");
  dialog.Leave(IDC_ODDS + 2);
  EXPECT(dialog.Tip(IDC_ODDS + 2) == L"Board price 5-2 \u00b7 28.6 % to win", "'%s'",
         Narrow(dialog.Tip(IDC_ODDS + 2)).c_str());
  EXPECT(dialog.Tip(IDC_POOL_BAR + 2) == dialog.Tip(IDC_ODDS + 2), "bar and field differ");
  EXPECT(dialog.Tip(IDC_LINE) == TwinBookTip(dialog), "'%s', twin '%s'",
         Narrow(dialog.Tip(IDC_LINE)).c_str(), Narrow(TwinBookTip(dialog)).c_str());

  // Scratched rows and rows beyond the field have none.
  dialog.Click(IDC_SCRATCH + 1);
  EXPECT(dialog.Tip(IDC_ODDS + 1).empty() && dialog.Tip(IDC_POOL_BAR + 1).empty(), "scratched");
  dialog.Type(IDC_HORSES, "8");
  dialog.Leave(IDC_HORSES);
  EXPECT(dialog.Tip(IDC_ODDS + 8).empty() && dialog.Tip(IDC_POOL_BAR + 13).empty(), "outside");
  EXPECT(!dialog.Tip(IDC_ODDS + 7).empty(), "row 8 lost its tip");
  EXPECT(dialog.Tip(IDC_LINE) == TwinBookTip(dialog), "'%s', twin '%s'",
         Narrow(dialog.Tip(IDC_LINE)).c_str(), Narrow(TwinBookTip(dialog)).c_str());
}

void TooltipsTellTotePrice(HMODULE exe) {
  LiveDialog dialog(exe);
  ToteState* tote = MainDialogTote(dialog.Handle());
  EXPECT(tote, "the dialog keeps no tote");
  if (!tote) return;
  // Accented letters are two bytes each in UTF-8: the tip runs past the 80 of a plain one.
  SetToteText(*tote, 0, std::string(TOTE_TEXT_MAX, '\xE9'));
  char utf8[TIP_MAX];
  FormatControlTip(dialog.Twin().Surface(), IDC_ODDS, utf8, sizeof utf8, tote);
  WCHAR expected[TIP_MAX];
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, expected, TIP_MAX);
  EXPECT(std::strlen(utf8) > TEXT_BUFFER_SIZE && dialog.Tip(IDC_ODDS) == expected, "'%s'",
         Narrow(dialog.Tip(IDC_ODDS)).c_str());
  SetToteText(*tote, 0, "7-2");
  EXPECT(dialog.Tip(IDC_ODDS) == L"Board price 11-1 \u00b7 8.6 % to win \u00b7 tote 7-2: UNDER",
         "'%s'", Narrow(dialog.Tip(IDC_ODDS)).c_str());
}

DWORD WINAPI HoldClipboard(LPVOID events) {
  const HANDLE* pair = static_cast<HANDLE*>(events);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    const char kept[] = "kept";
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof kept);
    std::memcpy(GlobalLock(memory), kept, sizeof kept);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    SetEvent(pair[0]);
    WaitForSingleObject(pair[1], 5000);
    CloseClipboard();
  } else {
    SetEvent(pair[0]);
  }
  return 0;
}

// The number in an "HTML Format" header line "name:0000000123", or npos.
std::size_t HtmlOffset(const std::string& html, const char* name) {
  const std::string key = std::string("\r\n") + name + ":";
  const std::size_t at = html.find(key);
  if (at == std::string::npos) return std::string::npos;
  return std::strtoul(html.c_str() + at + key.size(), nullptr, 10);
}

void CopyLineTakesTypedEntriesFirst(HMODULE exe) {
  LiveDialog dialog(exe);
  if (!dialog.Handle()) return;
  // Alt+Space and a letter choose an entry only if no two entries share the letter.
  const HMENU menu = dialog.SystemMenu();
  std::string letters;
  int ours = 0;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char item[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), item, sizeof item, MF_BYPOSITION);
    const UINT id = GetMenuItemID(menu, i);
    if (id == IDM_COPY_LINE || id == IDM_OPEN_LINE || id == IDM_SAVE_LINE || id == IDM_TOTE ||
        id == IDM_EXOTICS || id == IDM_CARD || id == IDM_NEXT_RACE || id == IDM_PREVIOUS_RACE ||
        id == IDM_IMPORT_ENTRIES || id == IDM_PASTE_ENTRIES || id == IDM_SAVE_LINE_AS ||
        id == IDM_UNDO || id == IDM_REDO) {
      ++ours;
    }
    const char* mark = std::strchr(item, '&');
    if (!mark || !mark[1]) continue;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(mark[1])));
    EXPECT(letters.find(letter) == std::string::npos, "'%s' repeats the mnemonic %c of %s", item,
           letter, letters.c_str());
    letters += letter;
  }
  EXPECT(ours == 13, "%d of the program's entries in the system menu", ours);

  // Odds typed into horse 4's field and not yet left are taken as leaving would take them,
  // and the field keeps the focus.
  const HWND field = GetDlgItem(dialog.Handle(), IDC_ODDS + 3);
  SetFocus(field);
  dialog.Type(IDC_ODDS + 3, "4");
  SendMessageA(dialog.Handle(), WM_SYSCOMMAND, IDM_COPY_LINE, 0);
  EXPECT(GetFocus() == field, "the focus moved");
  EXPECT(
      !SendMessageA(field, EM_GETMODIFY, 0, 0) && IsDlgButtonChecked(dialog.Handle(), IDC_LOCK + 3),
      "the typed odds were not taken");
  const std::string ansi = ClipboardAnsiText();
  const std::string expected = dialog.Twin().CopiedLine();
  EXPECT(WithLfEnds(ansi) == expected, "copied:\n%s\nexpected:\n%s", ansi.c_str(),
         expected.c_str());
  std::size_t lines = 0, crlf = 0;
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    if (ansi[i] != '\n') continue;
    ++lines;
    if (i > 0 && ansi[i - 1] == '\r') ++crlf;
  }
  EXPECT(lines == 17 && crlf == lines, "%zu lines, %zu with CR LF", lines, crlf);
  EXPECT(ClipboardUnicodeText() == ansi, "Unicode text: %s", ClipboardUnicodeText().c_str());

  // The HTML's header points at the document and at the table between the fragment marks.
  const std::string html = ClipboardHtmlFormat();
  const std::size_t startHtml = HtmlOffset(html, "StartHTML");
  const std::size_t endHtml = HtmlOffset(html, "EndHTML");
  const std::size_t startFragment = HtmlOffset(html, "StartFragment");
  const std::size_t endFragment = HtmlOffset(html, "EndFragment");
  const std::string startMark = "<!--StartFragment-->";
  EXPECT(html.rfind("Version:0.9\r\n", 0) == 0 && startHtml < html.size() &&
             html.compare(startHtml, 5, "<html") == 0 && endHtml == html.size() &&
             html.compare(endHtml - 7, 7, "</html>") == 0,
         "document at %zu..%zu of %zu: %s", startHtml, endHtml, html.size(), html.c_str());
  char table[LINE_HTML_MAX];
  FormatLineHtml(dialog.Twin().Surface(), nullptr, table, sizeof table);
  EXPECT(startFragment >= startMark.size() && startFragment <= endFragment &&
             endFragment <= html.size() &&
             html.compare(startFragment - startMark.size(), startMark.size(), startMark) == 0 &&
             html.compare(endFragment, 18, "<!--EndFragment-->") == 0 &&
             html.substr(startFragment, endFragment - startFragment) == table,
         "fragment at %zu..%zu: %s", startFragment, endFragment, html.c_str());

  // Held by another program, the clipboard keeps its text and the copy says it failed.
  HANDLE events[2] = {CreateEventA(nullptr, TRUE, FALSE, nullptr),
                      CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  const HANDLE holder = CreateThread(nullptr, 0, HoldClipboard, events, 0, nullptr);
  WaitForSingleObject(events[0], 5000);
  EXPECT(!CopyLineToClipboard(dialog.Handle()), "copied into a held clipboard");
  SetEvent(events[1]);
  WaitForSingleObject(holder, 5000);
  CloseHandle(holder);
  CloseHandle(events[0]);
  CloseHandle(events[1]);
  EXPECT(ClipboardAnsiText() == "kept", "clipboard now '%s'", ClipboardAnsiText().c_str());
}

void MissingTemplateEndsAtOnce() {
  // Without a dialog no quit message will ever come; the program must not wait for one.
  EXPECT(RunMainDialog(GetModuleHandleA(nullptr), "NOSUCHDIALOG") == CANNOT_RUN, "exit code");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: win32_dialog_test ODDSMITH_EXE\n");
    return 2;
  }
  const ResourceBytes dialogTemplate = LoadExeResource(argv[1], "ODDSMITHBOX", RT_DIALOG);
  EXPECT(dialogTemplate.data, "no dialog template");
  const HMODULE exe =
      LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ThumbWordsUnwrap();
  if (dialogTemplate.data && exe) {
    SurfaceOnLiveControls(reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data));
    TooltipsTellBoardPriceAndBook(exe);
    TooltipsTellTotePrice(exe);
    CopyLineTakesTypedEntriesFirst(exe);
  }
  MissingTemplateEndsAtOnce();
  return CheckResult();
}
