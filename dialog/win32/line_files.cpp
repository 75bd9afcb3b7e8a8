// "Save line", "Open line..." and the import of entries in the Windows program: the system's
// file dialogs and message boxes around the core's files, so that the windows only wire them to
// their menus and buttons.
#include "dialog/win32/line_files.h"

#include <commdlg.h>

#include <cstdio>
#include <string>

#include "dialog/win32/win32_clipboard.h"
#include "dialog/win32/win32_surface.h"
#include "dialog/win32/win32_windows.h"
#include "entries/entries.h"
#include "files/line_file.h"
#include "resources/dialog.h"
#include "text/wide.h"

namespace {

// Tells the user, in a box owned by the dialog, that nothing was saved or opened and why.
void ReportFileFailure(HWND dialog, const std::string& what, UINT icon) {
  OwnedMessageBox(dialog, what, DLG_CAPTION, MB_OK | icon);
}

void ReportFileFailure(HWND dialog, LineFileAction action, const std::string& path,
                       const LineFileError& error) {
  ReportFileFailure(dialog, LineFileFailure(action, path, error, true),
                    action == LineFileAction::SAVE ? MB_ICONERROR : MB_ICONWARNING);
}

// The system's file dialogs. Their library is loaded the first time one is asked for, not as
// the program starts: it brings the shell's libraries with it, which would cost every start a
// good part of its time for the few that save or open a line.
struct FileDialogs {
  using Show = BOOL(WINAPI*)(OPENFILENAMEW*);
  using LastError = DWORD(WINAPI*)();
  Show open = nullptr;
  Show save = nullptr;
  LastError error = nullptr;
  DWORD failure = 0;  // why they could not be loaded
};

const FileDialogs& LoadFileDialogs() {
  static const FileDialogs dialogs = [] {
    FileDialogs loaded;
    const HMODULE library = SystemLibrary(L"comdlg32.dll");
    if (library) {
      loaded.open = Procedure<FileDialogs::Show>(library, "GetOpenFileNameW");
      loaded.save = Procedure<FileDialogs::Show>(library, "GetSaveFileNameW");
      loaded.error = Procedure<FileDialogs::LastError>(library, "CommDlgExtendedError");
    }
    if (!loaded.open || !loaded.save || !loaded.error) loaded.failure = GetLastError();
    return loaded;
  }();
  return dialogs;
}

// What a file dialog offers: its filter (each name and pattern ended by a NUL, one more NUL
// after the last pair), its suffix for a name without one (nullptr for none), its title.
struct FileChoice {
  std::wstring filter;
  std::wstring suffix;
  std::wstring title;  // empty: the system's own
};

FileChoice LineFileChoice() {
  const std::wstring suffix = WideFromUtf8(LINE_FILE_SUFFIX);
  return {
      WideFromUtf8(LINE_FILE_TYPE_NAME) + L" (*." + suffix + L")" + L'\0' + L"*." + suffix + L'\0',
      suffix,
      {}};
}

// The path of a file the user picks in the system's file dialog, as UTF-8: the wide API, so
// any path the file system takes comes through. A path given starts the dialog in its folder
// with its name; without one the system starts where the program's last file dialog ended.
// False when the user cancels, or, after telling them, when the file dialog cannot be shown.
bool ChooseFile(HWND dialog, bool save, const FileChoice& choice, std::string& path) {
  const FileDialogs& dialogs = LoadFileDialogs();
  if (dialogs.failure != 0 || !dialogs.open || !dialogs.save || !dialogs.error) {
    char what[80];
    std::snprintf(what, sizeof what, "Cannot show the file dialog: comdlg32.dll, error %lu",
                  static_cast<unsigned long>(dialogs.failure));
    ReportFileFailure(dialog, what, MB_ICONERROR);
    return false;
  }
  // Room for the longest path the wide file functions take.
  std::wstring file(32768, L'\0');
  const std::wstring given = WideFromUtf8(path);
  if (given.size() < file.size()) file.replace(0, given.size(), given);
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.lpstrFilter = choice.filter.c_str();
  request.lpstrTitle = choice.title.empty() ? nullptr : choice.title.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrDefExt = choice.suffix.empty() ? nullptr : choice.suffix.c_str();
  request.Flags =
      OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if ((save ? dialogs.save : dialogs.open)(&request)) {
    if (Utf8FromWide(file.c_str(), path)) return true;
    ReportFileFailure(dialog, "Cannot use that file: its name is not valid Unicode", MB_ICONERROR);
    return false;
  }
  if (const DWORD failure = dialogs.error()) {
    char what[64];
    std::snprintf(what, sizeof what, "Cannot show the file dialog: error 0x%lX",
                  static_cast<unsigned long>(failure));
    ReportFileFailure(dialog, what, MB_ICONERROR);
  }
  return false;
}

// Shows what the import of list will do in a box owned by owner and, once the user agrees, does
// it.
bool Import(HWND owner, HWND dialog, Card& card, const EntryList& list) {
  Win32Surface surface(dialog);
  const ImportPlan plan = PlanImport(card, surface, list);
  if (OwnedMessageBox(owner, ImportQuestion(plan), IMPORT_CAPTION, MB_OKCANCEL | MB_ICONQUESTION) !=
      IDOK) {
    return false;
  }
  ApplyImport(plan, card, surface);
  return true;
}

}  // namespace

bool SaveLine(HWND dialog, Card& card, std::string& path, bool askName) {
  std::string chosen = path;
  if ((askName || chosen.empty()) && !ChooseFile(dialog, true, LineFileChoice(), chosen)) {
    return false;
  }
  Win32Surface surface(dialog);
  LineFileError error;
  if (!SaveLineFile(surface, card, chosen, error)) {
    ReportFileFailure(dialog, LineFileAction::SAVE, chosen, error);
    return false;
  }
  path = chosen;
  return true;
}

bool OpenLineChosen(HWND dialog, Card& card, std::string& path) {
  std::string chosen = path;
  if (!ChooseFile(dialog, false, LineFileChoice(), chosen)) return false;
  LineFileError error;
  CardState state;
  if (!ReadLineFile(chosen, state, error)) {
    ReportFileFailure(dialog, LineFileAction::OPEN, chosen, error);
    return false;
  }
  {
    // Only while the race read is written: it paints once, whole.
    const HeldPainting held(dialog);
    Win32Surface surface(dialog);
    ShowCardState(state, card, surface);
  }
  path = chosen;
  return true;
}

bool ImportEntriesChosen(HWND owner, HWND dialog, Card& card) {
  const std::wstring types = L"*.csv;*.tsv;*.txt";
  const FileChoice choice{
      L"Entries (" + types + L")" + L'\0' + types + L'\0' + L"All files" + L'\0' + L"*.*" + L'\0',
      {},
      WideFromUtf8(IMPORT_CAPTION)};
  std::string path;
  if (!ChooseFile(owner, false, choice, path)) return false;
  EntryList list;
  LineFileError error;
  if (!ReadEntriesFile(path, list, error)) {
    ReportFileFailure(owner, LineFileAction::IMPORT, path, error);
    return false;
  }
  return Import(owner, dialog, card, list);
}

bool PasteEntries(HWND owner, HWND dialog, Card& card) {
  std::string text;
  EntryList list;
  LineFileError error;
  // A clipboard without a text that can be read is an empty one, as the Linux program finds it.
  if (!ReadClipboardText(owner, text)) text.clear();
  if (!ParseEntries(text, list, error)) {
    ReportFileFailure(owner, PasteFailure(error), MB_ICONWARNING);
    return false;
  }
  return Import(owner, dialog, card, list);
}
