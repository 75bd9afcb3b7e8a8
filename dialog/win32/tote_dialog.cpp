// The tote window: slots for the horses in the book, filled from the main dialog's controls and
// the tote it keeps, rewritten after every change the user makes here.
#include "dialog/win32/tote_dialog.h"

// after <windows.h>, which it needs
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "dialog/win32/win32_clipboard.h"
#include "dialog/win32/win32_surface.h"
#include "dialog/win32/win32_tips.h"
#include "dialog/win32/win32_windows.h"
#include "resources/tote.h"
#include "text/text.h"
#include "text/wide.h"
#include "tote/stakes.h"
#include "tote/tote_window.h"

namespace {

// The window's state beside its controls, for as long as it shows.
struct ToteWindow {
  HWND main;
  ToteState* tote;
  ToteMoney* money;             // the card's bankroll and Kelly fraction
  const HorseIdentity* horses;  // who each row is
  int rows[ROW_COUNT];          // slot j shows row rows[j]
  int count;                    // the slots in use
  ToteStatus status[ROW_COUNT];
  // The program is writing a field: the change it notifies is not the user's.
  bool writing;
  TipText tip;
};

ToteWindow* WindowOf(HWND dialog) {
  return reinterpret_cast<ToteWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The slot (0 to count - 1) of control id in the column that starts at base; -1 outside.
int SlotOf(const ToteWindow& window, int id, int base) {
  return id >= base && id < base + window.count ? id - base : -1;
}

// Rewriting a static repaints it; an unchanged figure keeps still.
void WriteIfChanged(HWND dialog, int id, const char* text) {
  char shown[64];
  GetDlgItemTextA(dialog, id, shown, sizeof shown);
  if (std::strcmp(shown, text) != 0) SetDlgItemTextA(dialog, id, text);
}

void ShowFigures(HWND dialog, ToteWindow& window) {
  Win32Surface surface(window.main);
  long long stakes[ROW_COUNT];
  FigureStakes(surface, *window.tote, window.money->bankroll, window.money->kelly, stakes);
  for (int j = 0; j < window.count; ++j) {
    const ToteHorse horse = FigureToteRow(surface, *window.tote, window.rows[j]);
    char stake[32];
    FormatStake(stakes[window.rows[j]], stake, sizeof stake);
    WriteIfChanged(dialog, IDC_TOTE_STAKE + j, stake);
    window.status[j] = horse.status;
    WriteIfChanged(dialog, IDC_TOTE_FAIR + j, horse.fair);
    WriteIfChanged(dialog, IDC_TOTE_FAIR_ODDS + j, horse.fairOdds);
    WriteIfChanged(dialog, IDC_TOTE_NEEDS + j, horse.needs);
    WriteIfChanged(dialog, IDC_TOTE_OVERLAY + j, horse.overlay);
    WriteIfChanged(dialog, IDC_TOTE_STATUS + j, ToteStatusText(horse.status));
    WriteIfChanged(dialog, IDC_TOTE_PAYS + j, horse.pays);
    WriteIfChanged(dialog, IDC_TOTE_EV + j, horse.ev);
  }
  const ToteRace race = FigureToteRace(surface, *window.tote);
  WriteIfChanged(dialog, IDC_TOTE_BOOK, race.book);
  WriteIfChanged(dialog, IDC_TOTE_TAKE, race.take);
  WriteIfChanged(dialog, IDC_TOTE_BETS, race.bets);
}

// A number field with an up-down control on it shows the value the window holds; the writing
// flag keeps the field's own change from being taken as typing.
void ShowSpinNumber(HWND dialog, ToteWindow& window, int field, int spin, int value) {
  window.writing = true;
  SendDlgItemMessageA(dialog, spin, UDM_SETPOS32, 0, value);
  SetDlgItemInt(dialog, field, static_cast<UINT>(value), FALSE);
  window.writing = false;
}

void ShowEdge(HWND dialog, ToteWindow& window) {
  ShowSpinNumber(dialog, window, IDC_TOTE_EDGE, IDC_TOTE_EDGE_SPIN, window.tote->edge);
}

// A number typed beyond the range is kept as the nearer end; an empty field keeps the edge
// until a number is typed.
void TakeEdge(HWND dialog, ToteWindow& window) {
  BOOL read = FALSE;
  const UINT edge = GetDlgItemInt(dialog, IDC_TOTE_EDGE, &read, FALSE);
  if (!read) return;
  window.tote->edge = edge > EDGE_MAX ? EDGE_MAX : static_cast<int>(edge);
}

void ShowKelly(HWND dialog, ToteWindow& window) {
  ShowSpinNumber(dialog, window, IDC_TOTE_KELLY, IDC_TOTE_KELLY_SPIN, window.money->kelly);
}

void ShowBankroll(HWND dialog, ToteWindow& window) {
  window.writing = true;
  SetDlgItemTextA(dialog, IDC_TOTE_BANKROLL,
                  window.money->bankroll < 0 ? "" : std::to_string(window.money->bankroll).c_str());
  window.writing = false;
}

// An empty bankroll is none, a number beyond the range the nearer end, as the edge's; a
// fraction keeps its value until a number is typed.
void TakeMoney(HWND dialog, ToteWindow& window, int id) {
  char text[16];
  GetDlgItemTextA(dialog, id, text, sizeof text);
  const UnsignedRead read = ParseUnsigned(text);
  if (id == IDC_TOTE_BANKROLL) {
    window.money->bankroll = read.ok ? std::min<long long>(read.value, BANKROLL_MAX) : NO_BANKROLL;
    return;
  }
  if (!read.ok) return;
  window.money->kelly = static_cast<int>(std::clamp<unsigned>(read.value, KELLY_MIN, KELLY_MAX));
}

void TakePrice(HWND dialog, ToteWindow& window, int slot) {
  char text[TOTE_TEXT_MAX + 1];
  GetDlgItemTextA(dialog, IDC_TOTE_PRICE + slot, text, sizeof text);
  SetToteText(*window.tote, window.rows[slot], text);
}

// Every horse's price goes, those outside the book too, as the runner's "tote clear" does; the
// edge stays.
void ClearPrices(HWND dialog, ToteWindow& window) {
  for (int i = 0; i < ROW_COUNT; ++i) SetToteText(*window.tote, i, {});
  window.writing = true;
  for (int j = 0; j < window.count; ++j) SetDlgItemTextA(dialog, IDC_TOTE_PRICE + j, "");
  window.writing = false;
}

// The controls under the rows move up over the empty slots, and the window shrinks with them.
void CloseUpEmptySlots(HWND dialog, int empty) {
  RECT gap{0, 0, 0, TOTE_ROW_PITCH * empty};
  MapDialogRect(dialog, &gap);
  if (gap.bottom == 0) return;
  const auto moveUp = [dialog, &gap](int id) {
    const HWND control = GetDlgItem(dialog, id);
    RECT at;
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
    SetWindowPos(control, nullptr, at.left, at.top - gap.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  for (int id = IDC_TOTE_BELOW_FIRST; id <= IDC_TOTE_BELOW_LAST; ++id) moveUp(id);
  for (int id = IDC_TOTE_MONEY_FIRST; id <= IDC_TOTE_MONEY_LAST; ++id) moveUp(id);
  moveUp(IDOK);
  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top - gap.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

constexpr int SLOT_COLUMNS[] = {IDC_TOTE_PROGRAM,   IDC_TOTE_NAME,    IDC_TOTE_FAIR,
                                IDC_TOTE_FAIR_ODDS, IDC_TOTE_NEEDS,   IDC_TOTE_NUMBER,
                                IDC_TOTE_PRICE,     IDC_TOTE_OVERLAY, IDC_TOTE_STATUS,
                                IDC_TOTE_PAYS,      IDC_TOTE_EV,      IDC_TOTE_STAKE};

// A part of a horse's identity as the window shows it (identity.h, AddIdentityPart), through
// the wide API: the code page's characters whatever the system's own code page is.
void ShowIdentityPart(HWND dialog, int id, const char* part) {
  char text[3 * HORSE_NAME_MAX + 1];
  TextBuilder shown(text, sizeof text);
  AddIdentityPart(shown, part);
  SetDlgItemTextW(dialog, id, WideFromUtf8(text).c_str());
}

void Initialise(HWND dialog, ToteWindow& window) {
  SetWindowTextA(dialog, TOTE_CAPTION);
  for (int c = 0; c < TOTE_COLUMN_COUNT; ++c) {
    SetDlgItemTextA(dialog, IDC_TOTE_HEAD + c, TOTE_COLUMNS[c].heading);
  }
  const std::pair<int, const char*> words[] = {{IDC_TOTE_EDGE_LABEL, TOTE_EDGE_LABEL},
                                               {IDC_TOTE_EDGE_SUFFIX, TOTE_EDGE_SUFFIX},
                                               {IDC_TOTE_BOOK_LABEL, TOTE_BOOK_LABEL},
                                               {IDC_TOTE_TAKE_LABEL, TOTE_TAKE_LABEL},
                                               {IDC_TOTE_BETS_LABEL, TOTE_BETS_LABEL},
                                               {IDC_TOTE_CLEAR, TOTE_CLEAR_TEXT},
                                               {IDC_TOTE_BANKROLL_LABEL, TOTE_BANKROLL_LABEL},
                                               {IDC_TOTE_KELLY_LABEL, TOTE_KELLY_LABEL},
                                               {IDC_TOTE_KELLY_SUFFIX, TOTE_EDGE_SUFFIX},
                                               {IDC_TOTE_COPY, TOTE_COPY_TEXT},
                                               {IDOK, TOTE_CLOSE_TEXT}};
  for (const auto& [id, text] : words) SetDlgItemTextA(dialog, id, text);

  Win32Surface surface(window.main);
  window.count = ToteWindowRows(surface, window.rows);
  int tipped[2 * ROW_COUNT];  // the price fields, then the names
  window.writing = true;
  for (int j = 0; j < ROW_COUNT; ++j) {
    if (j >= window.count) {
      for (const int column : SLOT_COLUMNS) {
        const HWND control = GetDlgItem(dialog, column + j);
        ShowWindow(control, SW_HIDE);
        EnableWindow(control, FALSE);
      }
      continue;
    }
    // A screen reader names a field after the static just before it in tab order, as it names
    // every dialog's fields, and that static is the slot's number: its text is the field's
    // whole name, and it is drawn as the number alone (WM_DRAWITEM).
    char name[32];
    std::snprintf(name, sizeof name, "Horse %d tote price", window.rows[j] + 1);
    SetDlgItemTextA(dialog, IDC_TOTE_NUMBER + j, name);
    SendDlgItemMessageA(dialog, IDC_TOTE_PRICE + j, EM_LIMITTEXT, TOTE_TEXT_MAX, 0);
    const std::string text(ToteText(*window.tote, window.rows[j]));
    SetDlgItemTextA(dialog, IDC_TOTE_PRICE + j, text.c_str());
    const HorseIdentity& horse = window.horses[window.rows[j]];
    ShowIdentityPart(dialog, IDC_TOTE_PROGRAM + j, horse.program);
    ShowIdentityPart(dialog, IDC_TOTE_NAME + j, horse.name);
    tipped[j] = IDC_TOTE_PRICE + j;
    tipped[window.count + j] = IDC_TOTE_NAME + j;
  }
  window.writing = false;
  CloseUpEmptySlots(dialog, ROW_COUNT - window.count);

  SendDlgItemMessageA(dialog, IDC_TOTE_EDGE, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageA(dialog, IDC_TOTE_EDGE_SPIN, UDM_SETRANGE32, 0, EDGE_MAX);
  UDACCEL step{0, TOTE_EDGE_STEP};
  SendDlgItemMessageA(dialog, IDC_TOTE_EDGE_SPIN, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
  ShowEdge(dialog, window);
  SendDlgItemMessageA(dialog, IDC_TOTE_BANKROLL, EM_LIMITTEXT, 8, 0);
  ShowBankroll(dialog, window);
  SendDlgItemMessageA(dialog, IDC_TOTE_KELLY, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageA(dialog, IDC_TOTE_KELLY_SPIN, UDM_SETRANGE32, KELLY_MIN, KELLY_MAX);
  UDACCEL kellyStep{0, TOTE_KELLY_STEP};
  SendDlgItemMessageA(dialog, IDC_TOTE_KELLY_SPIN, UDM_SETACCEL, 1,
                      reinterpret_cast<LPARAM>(&kellyStep));
  ShowKelly(dialog, window);

  for (const int id : {IDC_TOTE_CLEAR, IDC_TOTE_COPY}) KeepFromDefault(GetDlgItem(dialog, id));
  AddTooltips(dialog, tipped, 2 * window.count);
  ShowFigures(dialog, window);
  PlaceOverOwner(dialog, window.main);
}

// The number of the horse in slot, drawn where the number column is.
void DrawNumber(const DRAWITEMSTRUCT& item, int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%d", number);
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  const auto font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  const HGDIOBJ old = font ? SelectObject(item.hDC, font) : nullptr;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
  RECT area = item.rcItem;
  DrawTextA(item.hDC, text, -1, &area, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if (old) SelectObject(item.hDC, old);
}

bool HandleCommand(HWND dialog, ToteWindow& window, int id, int code) {
  if (code == EN_CHANGE) {
    if (window.writing) return true;
    if (const int slot = SlotOf(window, id, IDC_TOTE_PRICE); slot >= 0) {
      TakePrice(dialog, window, slot);
    } else if (id == IDC_TOTE_EDGE) {
      TakeEdge(dialog, window);
    } else if (id == IDC_TOTE_BANKROLL || id == IDC_TOTE_KELLY) {
      TakeMoney(dialog, window, id);
    } else {
      return false;
    }
    ShowFigures(dialog, window);
    return true;
  }
  if (id == IDC_TOTE_EDGE && code == EN_KILLFOCUS) {
    char shown[8];
    GetDlgItemTextA(dialog, IDC_TOTE_EDGE, shown, sizeof shown);
    if (std::to_string(window.tote->edge) != shown) ShowEdge(dialog, window);
    return true;
  }
  if ((id == IDC_TOTE_KELLY || id == IDC_TOTE_BANKROLL) && code == EN_KILLFOCUS) {
    // The field shows what is taken: the fraction kept, the bankroll's nearer end.
    char shown[16];
    GetDlgItemTextA(dialog, id, shown, sizeof shown);
    if (id == IDC_TOTE_KELLY && std::to_string(window.money->kelly) != shown) {
      ShowKelly(dialog, window);
    }
    if (id == IDC_TOTE_BANKROLL && window.money->bankroll >= 0 &&
        std::to_string(window.money->bankroll) != shown) {
      ShowBankroll(dialog, window);
    }
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_TOTE_CLEAR:
      ClearPrices(dialog, window);
      ShowFigures(dialog, window);
      return true;
    case IDC_TOTE_COPY: {
      // As "Copy line" puts its own: text and HTML.
      Win32Surface main(window.main);
      if (!PutOnClipboard(
              dialog, CopyToteTable(main, *window.tote, window.horses, "\r\n", *window.money))) {
        MessageBeep(MB_ICONWARNING);
      }
      return true;
    }
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); return true;
    default: return false;
  }
}

// The main dialog names the tote window it shows, so that its own notifications reach it.
constexpr char TOTE_WINDOW_PROPERTY[] = "Oddsmith.ToteWindow";
constexpr UINT MSG_REFRESH = WM_APP + 1;

INT_PTR CALLBACK ToteProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto& window = *reinterpret_cast<ToteWindow*>(lParam);
    Initialise(dialog, window);
    SetPropA(window.main, TOTE_WINDOW_PROPERTY, dialog);
    return TRUE;
  }
  if (message == WM_NOTIFYFORMAT) return AnswerNotifyFormat(dialog, lParam);
  ToteWindow* window = WindowOf(dialog);
  if (!window) return FALSE;
  switch (message) {
    case MSG_REFRESH: ShowFigures(dialog, *window); return TRUE;
    case WM_DESTROY: RemovePropA(window->main, TOTE_WINDOW_PROPERTY); return FALSE;
    case WM_COMMAND:
      return HandleCommand(dialog, *window, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC: {
      // The status in colour as well as in words.
      const int slot =
          SlotOf(*window, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), IDC_TOTE_STATUS);
      if (slot < 0) return FALSE;
      const ToteColour colour = ToteStatusColour(window->status[slot]);
      if (!colour.own) return FALSE;
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int slot = SlotOf(*window, static_cast<int>(item->CtlID), IDC_TOTE_NUMBER);
      if (item->CtlType != ODT_STATIC || slot < 0) return FALSE;
      DrawNumber(*item, window->rows[slot] + 1);
      return TRUE;
    }
    case WM_NOTIFY: {
      // A price that is no price tells in its tip what a price may be; a name, whole, what
      // its field may have cut short.
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!IsTipRequest(header)) return FALSE;
      const HWND control = TipControl(header);
      const int id = control ? GetDlgCtrlID(control) : 0;
      const int slot = SlotOf(*window, id, IDC_TOTE_PRICE);
      const bool invalid = slot >= 0 && window->status[slot] == ToteStatus::INVALID;
      char name[3 * HORSE_NAME_MAX + 1] = "";
      if (const int named = SlotOf(*window, id, IDC_TOTE_NAME); named >= 0) {
        TextBuilder text(name, sizeof name);
        AddIdentityPart(text, window->horses[window->rows[named]].name);
      }
      AnswerTip(header, invalid ? TotePriceHelp() : name, window->tip);
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

bool RunToteWindow(HWND main, ToteState& tote, ToteMoney& money, const HorseIdentity* horses) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
  if (!InitCommonControlsEx(&classes)) return false;
  ToteWindow window{};
  window.main = main;
  window.tote = &tote;
  window.money = &money;
  window.horses = horses;
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE));
  // Wide windows, so that a name keeps every character of the code page whatever the system's
  // own code page is; the prices and figures go through the A-API as the dialog's texts do.
  return DialogBoxParamW(instance, WideFromUtf8(TOTE_NAME).c_str(), main, ToteProc,
                         reinterpret_cast<LPARAM>(&window)) > 0;
}

void RefreshToteWindow(HWND main) {
  if (const auto shown = static_cast<HWND>(GetPropA(main, TOTE_WINDOW_PROPERTY))) {
    SendMessageA(shown, MSG_REFRESH, 0, 0);
  }
}
