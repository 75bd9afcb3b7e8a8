// The window reads the main dialog's controls for the shown race and the card for the races
// after it; it keeps only the ticket being chosen.
#include "dialog/win32/exotics_dialog.h"

#include <string>

#include "book/book.h"
#include "dialog/win32/win32_accessible.h"
#include "dialog/win32/win32_clipboard.h"
#include "dialog/win32/win32_surface.h"
#include "exotics/exotics.h"
#include "resources/exotics.h"
#include "text/codepage.h"
#include "text/wide.h"

namespace {

struct ExoticsWindow {
  HWND main;
  Card* card;
  TicketPrice price;
  bool priced;
};

ExoticsWindow* WindowOf(HWND dialog) {
  return reinterpret_cast<ExoticsWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HWND Box(HWND dialog, int m, int i) { return GetDlgItem(dialog, IDC_EXOTICS_HORSE + 14 * m + i); }

BetType ChosenType(HWND dialog) {
  const LRESULT n = SendDlgItemMessageA(dialog, IDC_EXOTICS_TYPE, CB_GETCURSEL, 0, 0);
  return static_cast<BetType>(n >= 0 && n < BET_TYPE_COUNT ? n : 0);
}

// The texts are UTF-8 (program numbers, the summary's dots): shown through the wide API.
void SetText(HWND control, const std::string& utf8) {
  SetWindowTextW(control, WideFromUtf8(utf8).c_str());
}

// The lines of boxes for the bet type chosen: headings, horses, what may be chosen.
void ShowPositions(HWND dialog, ExoticsWindow& window) {
  const BetType type = ChosenType(dialog);
  const BetTypeInfo& info = InfoOf(type);
  Card& card = *window.card;
  for (int m = 0; m < POSITION_MAX; ++m) {
    const bool used = m < info.positions;
    const int r = card.shown + (info.legs ? m : 0);
    const Race* race = used && r <= RACE_MAX ? FindRace(card, r) : nullptr;
    std::string heading = PositionHeading(type, m, r);
    if (used && !race) heading += " (not on the card)";
    const HWND head = GetDlgItem(dialog, IDC_EXOTICS_HEADING + m);
    SetText(head, heading);
    ShowWindow(head, used ? SW_SHOWNA : SW_HIDE);
    const HWND all = GetDlgItem(dialog, IDC_EXOTICS_ALL + m);
    const std::string name = PositionName(type, m);
    SetAccessibleTexts(all, name + " all horses", "");
    ShowWindow(all, used && race ? SW_SHOWNA : SW_HIDE);
    int horses = 0;
    Win32Surface shown(window.main);
    const ExoticRace field = race ? RaceOfCard(card, shown, r, horses) : ExoticRace();
    for (int i = 0; i < ROW_COUNT; ++i) {
      const HWND box = Box(dialog, m, i);
      const std::string label = HorseLabel(race ? race->horses : nullptr, i);
      SetText(box, WithoutMnemonic(label));
      SetAccessibleTexts(box, name + " horse " + label, "");
      if (!field.runs[i]) SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
      EnableWindow(box, field.runs[i]);
      ShowWindow(box, race && i < horses ? SW_SHOWNA : SW_HIDE);
    }
  }
}

Ticket Chosen(HWND dialog) {
  Ticket ticket;
  ticket.type = ChosenType(dialog);
  const LRESULT base = SendDlgItemMessageA(dialog, IDC_EXOTICS_BASE, CB_GETCURSEL, 0, 0);
  ticket.baseCents = BASE_CENTS[base >= 0 && base < BASE_COUNT ? base : BASE_COUNT - 1];
  for (int m = 0; m < InfoOf(ticket.type).positions; ++m) {
    for (int i = 0; i < ROW_COUNT; ++i) {
      const HWND box = Box(dialog, m, i);
      if (IsWindowEnabled(box) && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        ticket.sets[m] = static_cast<std::uint16_t>(ticket.sets[m] | 1U << i);
      }
    }
  }
  return ticket;
}

void Price(HWND dialog, ExoticsWindow& window) {
  const Ticket ticket = Chosen(dialog);
  const BetTypeInfo& info = InfoOf(ticket.type);
  for (int m = 0; m < info.positions; ++m) {
    bool all = true;
    bool any = false;
    for (int i = 0; i < ROW_COUNT; ++i) {
      const HWND box = Box(dialog, m, i);
      if (!IsWindowEnabled(box) || !IsWindowVisible(box)) continue;
      any = true;
      all = all && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    CheckDlgButton(dialog, IDC_EXOTICS_ALL + m, any && all ? BST_CHECKED : BST_UNCHECKED);
  }
  Win32Surface shown(window.main);
  const char* missing = TicketIncomplete(*window.card, ticket);
  const char* error =
      missing ? missing : PriceCardTicket(*window.card, shown, ticket, window.price);
  window.priced = !error;
  const HWND list = GetDlgItem(dialog, IDC_EXOTICS_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  if (!window.priced) {
    std::string why = error;
    if (why[0] >= 'a' && why[0] <= 'z') why[0] = static_cast<char>(why[0] - 'a' + 'A');
    SetText(GetDlgItem(dialog, IDC_EXOTICS_SUMMARY), why);
    SetText(GetDlgItem(dialog, IDC_EXOTICS_LISTED), "");
  } else {
    SetText(GetDlgItem(dialog, IDC_EXOTICS_SUMMARY), TicketSummary(window.price));
    SetText(GetDlgItem(dialog, IDC_EXOTICS_LISTED), TicketListed(window.price));
    for (const ExoticCombination& combination : window.price.listed) {
      const std::string line = CombinationHorses(*window.card, ticket.type, combination) + '\t' +
                               combination.chance + '\t' + combination.fair + '\t' +
                               combination.needs;
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(line).c_str()));
    }
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void Start(HWND dialog, ExoticsWindow& window) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&window));
  SetWindowTextA(dialog, EXOTICS_CAPTION);
  SetDlgItemTextA(dialog, IDC_EXOTICS_TYPE_LABEL, EXOTICS_TYPE_LABEL);
  SetDlgItemTextA(dialog, IDC_EXOTICS_BASE_LABEL, EXOTICS_BASE_LABEL);
  SetDlgItemTextA(dialog, IDC_EXOTICS_COPY, EXOTICS_COPY_TEXT);
  SetDlgItemTextA(dialog, IDOK, EXOTICS_CLOSE_TEXT);
  const char* const heads[] = {"Combination", "Chance", "Fair", "Needs"};
  for (int n = 0; n < 4; ++n) SetDlgItemTextA(dialog, IDC_EXOTICS_LIST_HEAD + n, heads[n]);
  for (int m = 0; m < POSITION_MAX; ++m) {
    SetDlgItemTextA(dialog, IDC_EXOTICS_ALL + m, EXOTICS_ALL_TEXT);
  }
  for (int n = 0; n < BET_TYPE_COUNT; ++n) {
    SendDlgItemMessageA(dialog, IDC_EXOTICS_TYPE, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(InfoOf(static_cast<BetType>(n)).name));
  }
  SendDlgItemMessageA(dialog, IDC_EXOTICS_TYPE, CB_SETCURSEL, 0, 0);
  for (const int cents : BASE_CENTS) {
    SendDlgItemMessageA(dialog, IDC_EXOTICS_BASE, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(FormatBase(cents).c_str()));
  }
  SendDlgItemMessageA(dialog, IDC_EXOTICS_BASE, CB_SETCURSEL, BASE_COUNT - 1, 0);  // $2
  SetAccessibleTexts(GetDlgItem(dialog, IDC_EXOTICS_LIST), "Combinations", "");
  // The list's columns stand under their headings, which the template puts at these stops.
  const int stops[] = {EXOTICS_TAB_CHANCE, EXOTICS_TAB_FAIR, EXOTICS_TAB_NEEDS};
  SendDlgItemMessageA(dialog, IDC_EXOTICS_LIST, LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(stops));
  ShowPositions(dialog, window);
  Price(dialog, window);
}

INT_PTR CALLBACK ExoticsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    Start(dialog, *reinterpret_cast<ExoticsWindow*>(lParam));
    SetFocus(GetDlgItem(dialog, IDC_EXOTICS_TYPE));
    return FALSE;  // the focus is set
  }
  ExoticsWindow* window = WindowOf(dialog);
  if (!window || message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if ((id == IDC_EXOTICS_TYPE || id == IDC_EXOTICS_BASE) && code == CBN_SELCHANGE) {
    if (id == IDC_EXOTICS_TYPE) ShowPositions(dialog, *window);
    Price(dialog, *window);
    return TRUE;
  }
  if (id >= IDC_EXOTICS_ALL && id < IDC_EXOTICS_ALL + POSITION_MAX && code == BN_CLICKED) {
    const int m = id - IDC_EXOTICS_ALL;
    const bool on = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    for (int i = 0; i < ROW_COUNT; ++i) {
      const HWND box = Box(dialog, m, i);
      if (IsWindowEnabled(box) && IsWindowVisible(box)) {
        SendMessageA(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
      }
    }
    Price(dialog, *window);
    return TRUE;
  }
  if (id >= IDC_EXOTICS_HORSE && id < IDC_EXOTICS_HORSE + 14 * POSITION_MAX && code == BN_CLICKED) {
    Price(dialog, *window);
    return TRUE;
  }
  if (id == IDC_EXOTICS_COPY && code == BN_CLICKED) {
    if (window->priced) {
      const CopiedTable table =
          CopyTicketTable(*window->card, ChosenType(dialog), window->price, "\r\n");
      if (!PutOnClipboard(dialog, table)) MessageBeep(MB_ICONWARNING);
    }
    return TRUE;
  }
  if (id == IDOK || id == IDCANCEL) {
    EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunExoticsWindow(HWND main, Card& card) {
  ExoticsWindow window{main, &card, {}, false};
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE));
  return DialogBoxParamW(instance, WideFromUtf8(EXOTICS_NAME).c_str(), main, ExoticsProc,
                         reinterpret_cast<LPARAM>(&window)) > 0;
}
