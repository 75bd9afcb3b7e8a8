// Line files on the live dialog under a path that code page 1252 cannot spell, Greek and
// Chinese: saved and opened through the wide file API, and the dialog shown back as it was.
// Usage: files_test ODDSMITH_EXE   (under a UTF-8 locale, so that Wine can name such files)
#include <windows.h>

#include <string>

#include "dialog/win32/win32_dialog.h"
#include "files/line_file.h"
#include "tests/win32/check.h"
#include "tests/win32/exe_resources.h"

namespace {

std::string Utf8(const std::wstring& wide) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(), bytes,
                      nullptr, nullptr);
  return utf8;
}

// What the user does in a field, then leaves it.
void Enter(HWND dialog, int id, const char* text) {
  SetDlgItemTextA(dialog, id, text);
  SendDlgItemMessageA(dialog, id, EM_SETMODIFY, TRUE, 0);
  SendMessageA(dialog, WM_COMMAND, MakeCommandParam(id, EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: files_test ODDSMITH_EXE\n");
    return 2;
  }
  // The controls' texts are bytes in code page 1252; the UTF-8 locale must not change that.
  if (GetACP() != 1252) {
    std::fprintf(stderr, "files_test: the ANSI code page is %u, not 1252\n", GetACP());
    return 1;
  }
  const ResourceBytes dialogTemplate = LoadExeResource(argv[1], "ODDSMITHBOX", RT_DIALOG);
  if (!dialogTemplate.data) return 1;
  const HWND dialog = CreateDialogIndirectParamA(
      GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data), nullptr,
      MainDialogProc, 0);
  if (!dialog) return 1;
  Win32Surface surface(dialog);
  Card card;
  SetFixedText(card.races[0]->horses[0].name,
               "\xC9"
               "clair");
  HoldRace(card, 7);

  // A field of 8, whose rows 9 to 14 have their arrows disabled, typed odds, a scratch and a
  // text of code page 1252 beyond ASCII.
  Enter(dialog, IDC_HORSES, "8");
  Enter(dialog, IDC_ODDS, "5-2");
  CheckDlgButton(dialog, IDC_SCRATCH + 1, BST_CHECKED);
  SendMessageA(dialog, WM_COMMAND, MakeCommandParam(IDC_SCRATCH + 1, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SCRATCH + 1)));
  SetDlgItemTextA(dialog, IDC_ODDS + 13, "\x80 9-\xe9");
  EXPECT(!surface.BarArrowsEnabled(IDC_POOL_BAR + 8) && surface.BarArrowsEnabled(IDC_POOL_BAR + 7),
         "arrows of rows 9 and 8 read as %d and %d", surface.BarArrowsEnabled(IDC_POOL_BAR + 8),
         surface.BarArrowsEnabled(IDC_POOL_BAR + 7));
  const std::string shown = FormatLineFile(CardStateOf(card, surface));
  EXPECT(shown.find("\n2\t\t\t") != std::string::npos, "horse 2 not scratched:\n%s", shown.c_str());

  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring top =
      std::wstring(temp, length) + L"oddsmith-files-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring folder = top + L"\\Ιππόδρομος";
  const std::wstring file = folder + L"\\赛马.oddsline";
  EXPECT(CreateDirectoryW(top.c_str(), nullptr) && CreateDirectoryW(folder.c_str(), nullptr),
         "cannot make the folder (error %lu)", GetLastError());

  LineFileError failure;
  EXPECT(SaveLineFile(surface, card, Utf8(file), failure), "save: %s", failure.reason.c_str());
  // The file bears the very name, not one with stand-ins for what a code page lacks.
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder + L"\\*.oddsline").c_str(), &found);
  EXPECT(search != INVALID_HANDLE_VALUE && std::wstring(found.cFileName) == L"赛马.oddsline",
         "saved as '%s'", Utf8(found.cFileName).c_str());
  if (search != INVALID_HANDLE_VALUE) FindClose(search);

  // Another dialog, then the file opened onto it.
  Enter(dialog, IDC_HORSES, "14");
  Enter(dialog, IDC_LINE, "150");
  EXPECT(FormatLineFile(CardStateOf(card, surface)) != shown, "nothing changed");
  LineFileError error;
  EXPECT(OpenLineFile(surface, card, Utf8(file), error), "open: line %d: %s", error.line,
         error.reason.c_str());
  const std::string opened = FormatLineFile(CardStateOf(card, surface));
  EXPECT(opened == shown, "opened:\n%s\nsaved:\n%s", opened.c_str(), shown.c_str());

  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(top.c_str());
  DestroyWindow(dialog);
  return CheckResult();
}
