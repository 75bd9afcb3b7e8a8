// The main dialog's procedure for user32: the portable dispatch, and what only Windows needs
// besides it (the icon, the tooltips, the system menu's entries, the title and the window's
// card).
#include "dialog/win32/win32_dialog.h"

#include <commctrl.h>

#include <new>

#include "book/board.h"
#include "card/card_window.h"
#include "dialog/win32/card_dialog.h"
#include "dialog/win32/line_files.h"
#include "dialog/win32/tote_dialog.h"
#include "dialog/win32/win32_accessible.h"
#include "dialog/win32/win32_clipboard.h"
#include "dialog/win32/win32_tips.h"
#include "entries/entries.h"
#include "resources/dialog.h"
#include "text/wide.h"
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
// destruction: the card (its races, their totes and horses), and the text of the tip showing.
struct MainWindowData {
  Card card;
  TipText tip;
};

// A window property rather than the dialog's user data, which a procedure wrapping this one
// (the tests' replay) keeps for itself.
constexpr char DATA_PROPERTY[] = "Oddsmith.MainWindow";

MainWindowData* DataOf(HWND dialog) {
  return static_cast<MainWindowData*>(GetPropA(dialog, DATA_PROPERTY));
}

// No memory for it (a few kilobytes) leaves the dialog without a card: the menu's "Tote...",
// "Card...", the races' moves, "Save line..." and "Open line..." beep.
void KeepData(HWND dialog) {
  if (DataOf(dialog)) return;
  MainWindowData* data = nullptr;
  try {
    data = new MainWindowData();
  } catch (const std::bad_alloc&) {
    return;
  }
  if (!SetPropA(dialog, DATA_PROPERTY, data)) delete data;
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
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_CARD, CARD_MENU_TEXT);
  AppendMenuA(menu, MF_STRING, IDM_NEXT_RACE, NEXT_RACE_MENU_TEXT);
  AppendMenuA(menu, MF_STRING, IDM_PREVIOUS_RACE, PREVIOUS_RACE_MENU_TEXT);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_IMPORT_ENTRIES, IMPORT_MENU_TEXT);
  AppendMenuA(menu, MF_STRING, IDM_PASTE_ENTRIES, PASTE_ENTRIES_MENU_TEXT);
}

// The title names the card and the race shown; each row's odds field and bar tell a screen
// reader who the horse is.
void ShowCardChanges(HWND dialog) {
  const MainWindowData* data = DataOf(dialog);
  if (!data) return;
  // Straight to the default procedure's Unicode form: SetWindowTextW on a window made with the
  // A-API hands the text through the system's code page, which may lack the track's letters.
  DefWindowProcW(dialog, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(WindowTitle(data->card)).c_str()));
  for (int i = 0; i < ROW_COUNT; ++i) {
    const std::string description = RowDescription(data->card, i);
    for (const int id : {IDC_ODDS + i, IDC_POOL_BAR + i}) {
      SetAccessibleTexts(GetDlgItem(dialog, id), {}, description);
    }
  }
}

// Shows race r of the card, the typed entries taken first; nothing for the race shown nor where
// there is no such race (0: Next race from race 40, Previous race from the lowest).
void GoToRace(HWND dialog, int r) {
  MainWindowData* data = DataOf(dialog);
  if (!data) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  if (r == 0 || r == data->card.shown) return;
  TakeTypedEntriesFirst(dialog);
  Win32Surface surface(dialog);
  ShowRace(data->card, surface, r);
  ShowCardChanges(dialog);
}

// TTN_GETDISPINFO: the tooltip is about to show a tip, worked out from the controls now.
void AnswerMainTip(HWND dialog, MainWindowData& data, NMHDR* header) {
  Win32Surface surface(dialog);
  const HWND control = TipControl(header);
  const int id = control && IsChild(dialog, control) ? GetDlgCtrlID(control) : 0;
  char text[CARD_TIP_MAX];
  FormatCardTip(surface, data.card, id, text, sizeof text);
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
  const MainWindowData* data = DataOf(dialog);
  return PutOnClipboard(
      dialog, CopyLineTable(surface, data ? ShownRace(data->card).horses : nullptr, "\r\n"));
}

ToteState* MainDialogTote(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  return data ? &ShownRace(data->card).tote : nullptr;
}

Card* MainDialogCard(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  return data ? &data->card : nullptr;
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
        case IDM_OPEN_LINE:
        case IDM_SAVE_LINE: {
          MainWindowData* data = DataOf(dialog);
          if (!data) {
            MessageBeep(MB_ICONWARNING);
          } else if ((wParam & 0xFFF0) == IDM_OPEN_LINE) {
            OpenLineChosen(dialog, data->card);
            ShowCardChanges(dialog);
          } else {
            SaveLineAs(dialog, data->card);
          }
          return TRUE;
        }
        case IDM_TOTE: {
          TakeTypedEntriesFirst(dialog);
          MainWindowData* data = DataOf(dialog);
          Race* race = data ? &ShownRace(data->card) : nullptr;
          if (!race || !RunToteWindow(dialog, race->tote, race->horses)) {
            MessageBeep(MB_ICONWARNING);
          }
          return TRUE;
        }
        case IDM_CARD: {
          TakeTypedEntriesFirst(dialog);
          MainWindowData* data = DataOf(dialog);
          if (!data || !RunCardWindow(dialog, data->card, ShowCardChanges)) {
            MessageBeep(MB_ICONWARNING);
          }
          ShowCardChanges(dialog);
          return TRUE;
        }
        case IDM_IMPORT_ENTRIES:
        case IDM_PASTE_ENTRIES: {
          TakeTypedEntriesFirst(dialog);
          MainWindowData* data = DataOf(dialog);
          if (!data) {
            MessageBeep(MB_ICONWARNING);
          } else if ((wParam & 0xFFF0) == IDM_IMPORT_ENTRIES
                         ? ImportEntriesChosen(dialog, dialog, data->card)
                         : PasteEntries(dialog, dialog, data->card)) {
            ShowCardChanges(dialog);
          }
          return TRUE;
        }
        case IDM_NEXT_RACE:
        case IDM_PREVIOUS_RACE: {
          const MainWindowData* data = DataOf(dialog);
          const bool next = (wParam & 0xFFF0) == IDM_NEXT_RACE;
          GoToRace(dialog, !data ? 0 : next ? NextRace(data->card) : PreviousRace(data->card));
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
    ShowCardChanges(dialog);
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
