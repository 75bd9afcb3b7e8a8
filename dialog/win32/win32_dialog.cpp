// The Win32 binding of the dialog: thin calls into user32, nothing remembered.
#include "dialog/win32/win32_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <new>
#include <string>
#include <utility>

#include "book/board.h"
#include "dialog/file_io.h"
#include "dialog/line_file.h"
#include "dialog/tote_window.h"
#include "dialog/win32/tote_dialog.h"
#include "dialog/win32/win32_clipboard.h"
#include "dialog/win32/win32_tips.h"
#include "resources/dialog.h"

// The portable dispatch spells the window system's numbers without <windows.h>; they must be
// the very values user32 sends and expects.
static_assert(MSG_DESTROY == WM_DESTROY);
static_assert(MSG_INITDIALOG == WM_INITDIALOG);
static_assert(MSG_COMMAND == WM_COMMAND);
static_assert(MSG_HSCROLL == WM_HSCROLL);
static_assert(CMD_OK == IDOK);
static_assert(CMD_CANCEL == IDCANCEL);
static_assert(NOTIFY_CLICKED == BN_CLICKED);
static_assert(NOTIFY_KILLFOCUS == EN_KILLFOCUS);
static_assert(SCROLL_LINELEFT == SB_LINELEFT);
static_assert(SCROLL_LINERIGHT == SB_LINERIGHT);
static_assert(SCROLL_PAGELEFT == SB_PAGELEFT);
static_assert(SCROLL_PAGERIGHT == SB_PAGERIGHT);
static_assert(SCROLL_THUMBPOSITION == SB_THUMBPOSITION);
static_assert(SCROLL_THUMBTRACK == SB_THUMBTRACK);
static_assert(SCROLL_LEFT == SB_LEFT);
static_assert(SCROLL_RIGHT == SB_RIGHT);
static_assert(SCROLL_ENDSCROLL == SB_ENDSCROLL);
static_assert(sizeof(WordParam) == sizeof(WPARAM) && sizeof(LongParam) == sizeof(LPARAM));

UnsignedRead Win32Surface::ReadUnsigned(int id) {
  // The whole text goes to the one parser, so a number is read alike on every platform (a
  // fixed buffer would cut a long text and could turn an overflow into a small number).
  const HWND item = GetDlgItem(dialog_, id);
  if (!item) return {0, false};
  const int length = GetWindowTextLengthA(item);
  if (length <= 0) return ParseUnsigned({});
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(item, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return ParseUnsigned(text);
}

int Win32Surface::ReadText(int id, char* buffer, int max) {
  if (max <= 0) return 0;
  buffer[0] = '\0';  // user32 leaves the buffer alone when the control is missing
  return static_cast<int>(GetDlgItemTextA(dialog_, id, buffer, max));
}

void Win32Surface::WriteText(int id, const char* text) { SetDlgItemTextA(dialog_, id, text); }

bool Win32Surface::IsModified(int id) {
  return SendDlgItemMessageA(dialog_, id, EM_GETMODIFY, 0, 0) != 0;
}

bool Win32Surface::IsChecked(int id) { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

void Win32Surface::SetChecked(int id, bool on) {
  CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Surface::SetBarRange(int id, int min, int max) {
  // SBM_SETRANGE leaves a position outside the new range where it was under Wine, and the
  // logic reads the position right after; setting the range as scroll information moves the
  // position into it everywhere. No redraw, as with SBM_SETRANGE.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  info.nMin = min;
  info.nMax = max;
  SendDlgItemMessageA(dialog_, id, SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
}

int Win32Surface::BarPos(int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog_, id, SBM_GETPOS, 0, 0));
}

void Win32Surface::SetBarPos(int id, int pos) {
  SendDlgItemMessageA(dialog_, id, SBM_SETPOS, static_cast<WPARAM>(pos), TRUE);
}

void Win32Surface::EnableBarArrows(int id, bool on) {
  SendDlgItemMessageA(dialog_, id, SBM_ENABLE_ARROWS, on ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH, 0);
}

namespace {

// The bar's range as SBM_GETRANGE reports it: {minimum, maximum}, zeros without a bar.
std::pair<INT, INT> BarRange(HWND dialog, int id) {
  std::pair<INT, INT> range{0, 0};
  SendDlgItemMessageA(dialog, id, SBM_GETRANGE, reinterpret_cast<WPARAM>(&range.first),
                      reinterpret_cast<LPARAM>(&range.second));
  return range;
}

}  // namespace

int Win32Surface::BarMin(int id) { return BarRange(dialog_, id).first; }

int Win32Surface::BarMax(int id) { return BarRange(dialog_, id).second; }

bool Win32Surface::BarArrowsEnabled(int id) {
  const HWND bar = GetDlgItem(dialog_, id);
  if (!bar) return false;
  // The arrows' own state; Wine also disables the whole bar with them, Windows does not.
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (GetScrollBarInfo(bar, OBJID_CLIENT, &info)) {
    return !(info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) && IsWindowEnabled(bar);
  }
  return IsWindowEnabled(bar) != FALSE;
}

int Win32Dialog::ControlId(LongParam handle) {
  const HWND control = reinterpret_cast<HWND>(handle);
  // Only our own controls: a stray handle must not be mistaken for one of our bars.
  return control && IsChild(dialog_, control) ? GetDlgCtrlID(control) : 0;
}

void Win32Dialog::ShowDialog(bool visible) { ShowWindow(dialog_, visible ? SW_SHOW : SW_HIDE); }

void Win32Dialog::EndDialog(LongParam result) { ::EndDialog(dialog_, result); }

void Win32Dialog::PostQuit(int code) { PostQuitMessage(code); }

int UnwrapThumbWord(unsigned word, int barMax, int trackPos) {
  long long best = word & 0xFFFF;
  for (long long candidate = best + 0x10000; candidate <= barMax; candidate += 0x10000) {
    const long long distance = candidate > trackPos ? candidate - trackPos : trackPos - candidate;
    const long long bestDistance = best > trackPos ? best - trackPos : trackPos - best;
    if (distance < bestDistance) best = candidate;
  }
  return static_cast<int>(best);
}

int Win32Dialog::ThumbPosition(int barId, unsigned word) {
  // The message carries only the low 16 bits of the position, which wrap on bars whose
  // maximum passes 65535 (lines above 728); the bar itself knows where its thumb is.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_TRACKPOS;
  if (!GetScrollInfo(GetDlgItem(dialog_, barId), SB_CTL, &info)) return static_cast<int>(word);
  return UnwrapThumbWord(word, info.nMax, info.nTrackPos);
}

namespace {

// A dialog does not take the program's icon by itself: give it the large and the small one
// for its caption and the task bar. Programs without the icon resource keep the default.
void SetProgramIcon(HWND dialog) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const int sizes[][2] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
  for (const auto& [which, metric] : sizes) {
    const int size = GetSystemMetrics(metric);
    const HANDLE icon =
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_ODDSMITH), IMAGE_ICON, size, size, LR_SHARED);
    if (icon) SendMessageA(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

// Every row's odds field and bar tell the horse's board price, the "% Line:" field the book.
void AddMainTooltips(HWND dialog) {
  int ids[2 * ROW_COUNT + 1];
  for (int i = 0; i < ROW_COUNT; ++i) {
    ids[2 * i] = IDC_ODDS + i;
    ids[2 * i + 1] = IDC_POOL_BAR + i;
  }
  ids[2 * ROW_COUNT] = IDC_LINE;
  AddTooltips(dialog, ids, 2 * ROW_COUNT + 1);
}

// What the main dialog's window keeps beside its controls, from its initialisation to its
// destruction: the tote, and the text of the tip showing.
struct MainWindowData {
  ToteState tote;
  TipText tip;
};

// A window property rather than the dialog's user data, which a procedure wrapping this one
// (the tests' replay) keeps for itself.
constexpr char DATA_PROPERTY[] = "Oddsmith.MainWindow";

MainWindowData* DataOf(HWND dialog) {
  return static_cast<MainWindowData*>(GetPropA(dialog, DATA_PROPERTY));
}

// No memory for it (a few hundred bytes) leaves the dialog without a tote: the menu's "Tote..."
// beeps and a save writes an empty tote.
void KeepData(HWND dialog) {
  if (DataOf(dialog)) return;
  auto* data = new (std::nothrow) MainWindowData();
  if (data && !SetPropA(dialog, DATA_PROPERTY, data)) delete data;
}

void DropData(HWND dialog) {
  delete static_cast<MainWindowData*>(RemovePropA(dialog, DATA_PROPERTY));
}

// Each entry's mnemonic differs from the system's own (Restore, Move, Size, Minimize,
// Maximize, Close) and from the others'.
void AddSystemMenuItems(HWND dialog) {
  const HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_COPY_LINE, "Copy &line");
  AppendMenuA(menu, MF_STRING, IDM_OPEN_LINE, "O&pen line...");
  AppendMenuA(menu, MF_STRING, IDM_SAVE_LINE, "Sa&ve line...");
  AppendMenuA(menu, MF_STRING, IDM_TOTE, TOTE_MENU_TEXT);
}

// False for a text that UTF-8 cannot carry unchanged (a lone surrogate, which a file name may
// hold): a stand-in character would name another file.
bool Utf8FromWide(const wchar_t* wide, std::string& utf8) {
  const int bytes =
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  utf8.assign(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, -1, utf8.data(), bytes, nullptr,
                      nullptr);
  utf8.resize(static_cast<std::size_t>(bytes) - 1);
  return true;
}

// Tells the user, in a box owned by the dialog, that nothing was saved or opened and why.
void ReportFileFailure(HWND dialog, const std::string& what, UINT icon) {
  MessageBoxW(dialog, WideFromUtf8(what).c_str(), WideFromUtf8(DLG_CAPTION).c_str(), MB_OK | icon);
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

// The procedure name of library as the type T; through the generic function type, the one
// cast between function types the compiler takes as deliberate.
template <typename T>
T Procedure(HMODULE library, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

const FileDialogs& LoadFileDialogs() {
  static const FileDialogs dialogs = [] {
    FileDialogs loaded;
    const HMODULE library = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
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

// The path of a line file the user picks in the system's file dialog, as UTF-8: the wide API,
// so any path the file system takes comes through. False when the user cancels, or, after
// telling them, when the file dialog cannot be shown.
bool ChooseLineFile(HWND dialog, bool save, std::string& path) {
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
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.lpstrFilter = L"Odds lines (*.oddsline)\0*.oddsline\0";
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrDefExt = L"oddsline";
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

void SaveLineFromMenu(HWND dialog) {
  std::string path;
  if (!ChooseLineFile(dialog, true, path)) return;
  Win32Surface surface(dialog);
  std::string reason;
  const MainWindowData* data = DataOf(dialog);
  if (!(data ? SaveLineFile(surface, data->tote, path, reason)
             : SaveLineFile(surface, path, reason))) {
    ReportFileFailure(dialog, "Cannot save \"" + path + "\": " + reason, MB_ICONERROR);
  }
}

void OpenLineFromMenu(HWND dialog) {
  std::string path;
  if (!ChooseLineFile(dialog, false, path)) return;
  Win32Surface surface(dialog);
  LineFileError error;
  MainWindowData* data = DataOf(dialog);
  if (!(data ? OpenLineFile(surface, data->tote, path, error)
             : OpenLineFile(surface, path, error))) {
    const std::string where = error.line > 0 ? "line " + std::to_string(error.line) + ": " : "";
    ReportFileFailure(dialog, "Cannot open \"" + path + "\": " + where + error.reason,
                      MB_ICONWARNING);
  }
}

// TTN_GETDISPINFO: the tooltip is about to show a tip, worked out from the controls now.
void AnswerMainTip(HWND dialog, MainWindowData& data, NMHDR* header) {
  Win32Surface surface(dialog);
  const HWND control = TipControl(header);
  const int id = control && IsChild(dialog, control) ? GetDlgCtrlID(control) : 0;
  char text[TIP_MAX];
  FormatControlTip(surface, id, text, sizeof text, &data.tote);
  AnswerTip(header, text, data.tip);
}

}  // namespace

bool CopyLineToClipboard(HWND dialog) {
  Win32Surface surface(dialog);
  char table[LINE_TABLE_MAX];
  const int length = FormatLineTable(surface, "\r\n", table, sizeof table);
  const int bytes =
      length < static_cast<int>(sizeof table) ? length : static_cast<int>(sizeof table) - 1;
  // The table's texts are the controls' own bytes, in the ANSI code page. One UTF-16 unit per
  // byte at most, so the table fits as many units as it has bytes.
  WCHAR wide[LINE_TABLE_MAX];
  const int units = MultiByteToWideChar(CP_ACP, 0, table, bytes, wide, LINE_TABLE_MAX - 1);
  if (units == 0 && bytes != 0) return false;

  // The same table for programs that paste HTML, such as spreadsheets, which then keep the
  // board prices as text.
  char fragment[LINE_HTML_MAX];
  const int htmlLength = FormatLineHtml(surface, fragment, sizeof fragment);
  const std::size_t htmlBytes = htmlLength < static_cast<int>(sizeof fragment)
                                    ? static_cast<std::size_t>(htmlLength)
                                    : sizeof fragment - 1;
  return PutTableOnClipboard(dialog, std::wstring(wide, static_cast<std::size_t>(units)),
                             std::string(table, static_cast<std::size_t>(bytes)), fragment,
                             htmlBytes);
}

ToteState* MainDialogTote(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  return data ? &data->tote : nullptr;
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFYFORMAT: return AnswerNotifyFormat(dialog, lParam);
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      MainWindowData* data = DataOf(dialog);
      if (!IsTipRequest(header) || !data) break;
      AnswerMainTip(dialog, *data, header);
      return TRUE;
    }
    case WM_NCDESTROY: DropData(dialog); break;
    case WM_SYSCOMMAND:
      // The system keeps a command's low four bits for itself.
      switch (wParam & 0xFFF0) {
        case IDM_COPY_LINE: {
          // Choosing from the menu leaves the focus in the field being typed in; the copy
          // takes its entry as leaving the field would, and the focus stays.
          Win32Dialog window(dialog);
          TakeTypedEntries(window);
          if (!CopyLineToClipboard(dialog)) MessageBeep(MB_ICONWARNING);
          return TRUE;
        }
        case IDM_OPEN_LINE: OpenLineFromMenu(dialog); return TRUE;
        case IDM_SAVE_LINE: SaveLineFromMenu(dialog); return TRUE;
        case IDM_TOTE: {
          // As "Copy line": what is being typed is taken first, and the focus stays.
          Win32Dialog window(dialog);
          TakeTypedEntries(window);
          MainWindowData* data = DataOf(dialog);
          if (!data || !RunToteWindow(dialog, data->tote)) MessageBeep(MB_ICONWARNING);
          return TRUE;
        }
        default: break;
      }
      break;
    default: break;
  }
  if (message == MSG_INITDIALOG) KeepData(dialog);
  Win32Dialog window(dialog);
  const bool handled = MainDialogProc(window, message, wParam, lParam);
  if (message == MSG_COMMAND || message == MSG_HSCROLL) RefreshToteWindow(dialog);
  if (message == MSG_INITDIALOG) {
    SetProgramIcon(dialog);
    AddMainTooltips(dialog);
    AddSystemMenuItems(dialog);
  }
  return handled ? TRUE : FALSE;
}

int RunMainDialog(HINSTANCE instance, const char* templateName) {
  if (DialogBoxParamA(instance, templateName, nullptr, MainDialogProc, 0) == -1) return CANNOT_RUN;
  // The dialog's destruction posted the quit message; its code is the exit code.
  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return CANNOT_RUN;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
