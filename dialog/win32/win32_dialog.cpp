// The main dialog's procedure for user32: the portable dispatch, and what only Windows needs
// besides it (the icon, the tooltips, the system menu's entries and the window's tote).
#include "dialog/win32/win32_dialog.h"

#include <commctrl.h>

#include <new>

#include "book/board.h"
#include "dialog/win32/line_files.h"
#include "dialog/win32/tote_dialog.h"
#include "dialog/win32/win32_clipboard.h"
#include "dialog/win32/win32_tips.h"
#include "resources/dialog.h"
#include "tote/tote_window.h"

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

void TakeTypedEntriesFirst(HWND dialog) {
  Win32Dialog window(dialog);
  TakeTypedEntries(window);
}

bool CopyLineToClipboard(HWND dialog) {
  // For programs that paste HTML too, such as spreadsheets, which then keep the board prices
  // as text.
  Win32Surface surface(dialog);
  return PutOnClipboard(dialog, CopyLineTable(surface, "\r\n"));
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
        case IDM_COPY_LINE:
          TakeTypedEntriesFirst(dialog);
          if (!CopyLineToClipboard(dialog)) MessageBeep(MB_ICONWARNING);
          return TRUE;
        case IDM_OPEN_LINE: {
          ToteState none;
          MainWindowData* data = DataOf(dialog);
          OpenLineChosen(dialog, data ? data->tote : none);
          return TRUE;
        }
        case IDM_SAVE_LINE: {
          const MainWindowData* data = DataOf(dialog);
          SaveLineAs(dialog, data ? data->tote : ToteState());
          return TRUE;
        }
        case IDM_TOTE: {
          TakeTypedEntriesFirst(dialog);
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
