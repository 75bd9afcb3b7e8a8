// The main dialog's procedure for user32: the portable dispatch, and what only Windows needs
// besides it (the icon, the tooltips, the system menu's entries, the title and the window's
// card).
#include "dialog/win32/win32_dialog.h"

#include <commctrl.h>

#include <new>

#include "book/board.h"
#include "card/card_window.h"
#include "dialog/win32/card_dialog.h"
#include "dialog/win32/exotics_dialog.h"
#include "dialog/win32/line_files.h"
#include "dialog/win32/tote_dialog.h"
#include "dialog/win32/win32_accessible.h"
#include "dialog/win32/win32_clipboard.h"
#include "dialog/win32/win32_sheet.h"
#include "dialog/win32/win32_tips.h"
#include "dialog/win32/win32_windows.h"
#include "entries/entries.h"
#include "history/history.h"
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
// destruction: the card (its races, their totes and horses), each race's history, the file the
// card belongs to, the title shown and the text of the tip showing.
struct MainWindowData {
  Card card;
  CardHistory history;
  DocumentState document;
  std::string title = DLG_CAPTION;  // as the template has it
  TipText tip;
  bool tipsMade = false;  // on the pointer's first move over the dialog
};

// A message the dialog posts to itself: once the focus change that a Tab started is over, the
// field it reached selects its whole text, which the kill-focus's rebalance may have rewritten
// after the dialog manager selected it.
constexpr UINT MSG_SELECT_FOCUSED = WM_APP + 1;

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
// Maximize, Close) and from the others'. Added as the menu first opens, so that the start need
// not wait for them.
void AddSystemMenuItems(HWND dialog) {
  const HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu || GetMenuState(menu, IDM_COPY_LINE, MF_BYCOMMAND) != static_cast<UINT>(-1)) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_COPY_LINE, "Copy &line");
  AppendMenuA(menu, MF_STRING, IDM_OPEN_LINE, "O&pen line...");
  AppendMenuA(menu, MF_STRING, IDM_SAVE_LINE, "Sa&ve line");
  AppendMenuA(menu, MF_STRING, IDM_SAVE_LINE_AS, "Save line as...");  // no letter is free
  AppendMenuA(menu, MF_STRING, IDM_TOTE, TOTE_MENU_TEXT);
  AppendMenuA(menu, MF_STRING, IDM_EXOTICS, EXOTICS_SYSTEM_MENU_TEXT);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_CARD, CARD_MENU_TEXT);
  AppendMenuA(menu, MF_STRING, IDM_NEXT_RACE, NEXT_RACE_MENU_TEXT);
  AppendMenuA(menu, MF_STRING, IDM_PREVIOUS_RACE, PREVIOUS_RACE_MENU_TEXT);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_IMPORT_ENTRIES, IMPORT_MENU_TEXT);
  AppendMenuA(menu, MF_STRING, IDM_PASTE_ENTRIES, PASTE_ENTRIES_MENU_TEXT);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_UNDO, "Und&o");
  AppendMenuA(menu, MF_STRING, IDM_REDO, "Redo");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_PRINT, PRINT_MENU_TEXT);
}

void ShowCardChanges(HWND dialog);

// The title: the file, "*" while there is unsaved work, the card and the race shown; written
// only when it changes, as every step asks for it.
void ShowTitle(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  if (!data) return;
  Win32Surface surface(dialog);
  const bool unsaved = HasUnsavedWork(data->document, data->card, surface);
  std::string title = DocumentTitle(data->document, data->card, unsaved);
  if (title == data->title) return;
  data->title = std::move(title);
  // Straight to the default procedure's Unicode form: SetWindowTextW on a window made with the
  // A-API hands the text through the system's code page, which may lack the track's letters.
  DefWindowProcW(dialog, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(data->title).c_str()));
}

// Ends a step of the shown race's history (history.h) and shows what it changed in the title.
void EndStep(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  if (!data) return;
  Win32Surface surface(dialog);
  EndStep(data->history, data->card.shown, surface);
  ShowTitle(dialog);
}

void UndoOrRedo(HWND dialog, bool redo) {
  MainWindowData* data = DataOf(dialog);
  if (!data) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  Win32Surface surface(dialog);
  if (redo ? Redo(data->history, data->card.shown, surface)
           : Undo(data->history, data->card.shown, surface)) {
    ShowTitle(dialog);
    RefreshToteWindow(dialog);
  }
}

// Save and Save As: the typed entries taken first; asks for a name where there is none. True
// once saved.
bool SaveCard(HWND dialog, bool askName) {
  MainWindowData* data = DataOf(dialog);
  if (!data) {
    MessageBeep(MB_ICONWARNING);
    return false;
  }
  TakeTypedEntriesFirst(dialog);
  std::string path = data->document.path;
  if (!SaveLine(dialog, data->card, path, askName)) return false;
  Win32Surface surface(dialog);
  MarkSaved(data->document, path, data->card, surface);
  ShowTitle(dialog);
  return true;
}

// Where a close or an open would lose work, asks "Save changes to NAME?": true when the card may
// go (nothing to lose, Don't Save, or a Save that succeeded).
bool MayLoseCard(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  if (!data) return true;
  Win32Surface surface(dialog);
  if (!HasUnsavedWork(data->document, data->card, surface)) return true;
  switch (AskSaveChanges(dialog, SaveChangesQuestion(data->document))) {
    case IDYES: return SaveCard(dialog, false);
    case IDNO: return true;
    default: return false;
  }
}

void OpenCard(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  if (!data) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  if (!MayLoseCard(dialog)) return;
  const int shown = data->card.shown;
  std::string path = data->document.path;
  if (!OpenLineChosen(dialog, data->card, path)) return;
  Win32Surface surface(dialog);
  CarryHistory(data->history, shown, data->card.shown);
  MarkSaved(data->document, path, data->card, surface);
  ShowCardChanges(dialog);
}

// The title names the file, the card and the race shown; each row's odds field and bar tell a
// screen reader who the horse is. A race removed takes its history with it, and the race shown,
// maybe another now, ends a step.
void ShowCardChanges(HWND dialog) {
  MainWindowData* data = DataOf(dialog);
  if (!data) return;
  ForgetRacesGone(data->history, data->card);
  EndStep(dialog);
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
  const HeldPainting held(dialog);  // the race shown, its title and names paint once, whole
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
  EndStep(dialog);
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
    case WM_SETCURSOR:
      // The pointer's first move over the dialog or a control: the tips are for the pointer
      // alone, so the start does not wait for them. The tooltip takes the control's mouse
      // messages from the move that follows this message on.
      if (MainWindowData* data = DataOf(dialog); data && !data->tipsMade) {
        data->tipsMade = true;
        AddMainTooltips(dialog);
      }
      break;
    case WM_INITMENUPOPUP:
      // The system menu about to open: the program's entries, and Undo and Redo only where
      // there is a step to take.
      if (HIWORD(lParam)) {
        AddSystemMenuItems(dialog);
        if (const MainWindowData* data = DataOf(dialog)) {
          const HMENU menu = reinterpret_cast<HMENU>(wParam);
          const auto enable = [menu](UINT item, bool on) {
            EnableMenuItem(menu, item, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
          };
          enable(IDM_UNDO, CanUndo(data->history, data->card.shown));
          enable(IDM_REDO, CanRedo(data->history, data->card.shown));
        }
      }
      break;
    case MSG_SELECT_FOCUSED: {
      const HWND focus = GetFocus();
      const int id = focus && GetParent(focus) == dialog ? GetDlgCtrlID(focus) : 0;
      if (IsEditField(id)) SendMessageA(focus, EM_SETSEL, 0, -1);
      return TRUE;
    }
    case WM_COMMAND:
      // Escape and the close box: the work goes only once the user has had the chance to save.
      if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0 && !MayLoseCard(dialog)) return TRUE;
      break;
    case WM_SYSCOMMAND:
      // The system keeps a command's low four bits for itself.
      switch (wParam & 0xFFF0) {
        case IDM_COPY_LINE:
          TakeTypedEntriesFirst(dialog);
          if (!CopyLineToClipboard(dialog)) MessageBeep(MB_ICONWARNING);
          return TRUE;
        case IDM_OPEN_LINE: OpenCard(dialog); return TRUE;
        case IDM_SAVE_LINE:
        case IDM_SAVE_LINE_AS: SaveCard(dialog, (wParam & 0xFFF0) == IDM_SAVE_LINE_AS); return TRUE;
        case IDM_UNDO:
        case IDM_REDO: UndoOrRedo(dialog, (wParam & 0xFFF0) == IDM_REDO); return TRUE;
        case IDM_PRINT: {
          TakeTypedEntriesFirst(dialog);
          MainWindowData* data = DataOf(dialog);
          if (!data) {
            MessageBeep(MB_ICONWARNING);
            return TRUE;
          }
          Win32Surface surface(dialog);
          PrintSheet(dialog, data->card, surface);
          return TRUE;
        }
        case IDM_TOTE: {
          TakeTypedEntriesFirst(dialog);
          MainWindowData* data = DataOf(dialog);
          Race* race = data ? &ShownRace(data->card) : nullptr;
          if (!race || !RunToteWindow(dialog, race->tote, data->card.money, race->horses)) {
            MessageBeep(MB_ICONWARNING);
          }
          ShowTitle(dialog);  // the prices are the card's work too
          return TRUE;
        }
        case IDM_EXOTICS: {
          TakeTypedEntriesFirst(dialog);
          MainWindowData* data = DataOf(dialog);
          if (!data || !RunExoticsWindow(dialog, data->card)) MessageBeep(MB_ICONWARNING);
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
  // The start shows the dialog and then writes every figure: painted once, when all are in.
  Win32Dialog window(dialog, message == MSG_INITDIALOG);
  // A Tab's focus change: the key is down while the field left tells of it.
  const bool byTab =
      message == MSG_COMMAND && HighWord(wParam) == NOTIFY_KILLFOCUS && GetKeyState(VK_TAB) < 0;
  const bool handled = MainDialogProc(window, message, wParam, lParam);
  if (message == MSG_COMMAND || message == MSG_HSCROLL) RefreshToteWindow(dialog);
  if (byTab) PostMessageA(dialog, MSG_SELECT_FOCUSED, 0, 0);
  // A field left and a box clicked are each a step; a bar's, from its press to its release (the
  // end of its scroll), or each key on it.
  if ((message == MSG_COMMAND &&
       (HighWord(wParam) == NOTIFY_KILLFOCUS || HighWord(wParam) == NOTIFY_CLICKED) &&
       LowWord(wParam) != CMD_CANCEL) ||
      (message == MSG_HSCROLL &&
       (LowWord(wParam) == SCROLL_ENDSCROLL || GetKeyState(VK_LBUTTON) >= 0))) {
    EndStep(dialog);
  }
  if (message == MSG_INITDIALOG) {
    SetProgramIcon(dialog);
    ShowCardChanges(dialog);
    // The window's own copy of the system menu, made now: the system opens a shared menu for a
    // window without one, to which nothing may be added. Its entries come as it first opens.
    GetSystemMenu(dialog, FALSE);
  }
  window.EndHeldPainting();
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
