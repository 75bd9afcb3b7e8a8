// The Card window: fields over the card, which they change as they are typed in, and the list
// of its races, from which races are added, removed and shown on the main dialog.
#include "dialog/win32/card_dialog.h"

// after <windows.h>, which it needs
#include <commctrl.h>

#include <string>
#include <utility>

#include "card/card_window.h"
#include "dialog/win32/line_files.h"
#include "dialog/win32/win32_accessible.h"
#include "dialog/win32/win32_surface.h"
#include "dialog/win32/win32_windows.h"
#include "entries/entries.h"
#include "resources/card.h"
#include "resources/dialog.h"
#include "text/text.h"
#include "text/wide.h"

namespace {

struct CardWindow {
  HWND main;
  Card* card;
  void (*changed)(HWND main);
  int race;      // the race whose horses the fields show
  bool writing;  // the program is writing the fields: their changes are not the user's
};

CardWindow* WindowOf(HWND dialog) {
  return reinterpret_cast<CardWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

constexpr int HORSE_COLUMNS[CARD_HORSE_COLUMN_COUNT] = {IDC_CARD_PROGRAM, IDC_CARD_NAME,
                                                        IDC_CARD_ML};

void SetText(HWND dialog, int id, const char* ascii) {
  SetDlgItemTextW(dialog, id, WideFromUtf8(ascii).c_str());
}

// A field shows the card's bytes through the code page's table, whatever the system's code
// page; while it is typed in, its own text is left alone.
void ShowBytes(HWND dialog, int id, const char* bytes) {
  const std::wstring text = WideFromCp1252(bytes);
  wchar_t shown[64];
  GetDlgItemTextW(dialog, id, shown, 64);
  if (text != shown) SetDlgItemTextW(dialog, id, text.c_str());
}

// The field's text as the card keeps it, cut at the array's limit.
template <std::size_t N>
void Keep(HWND dialog, int id, char (&kept)[N]) {
  wchar_t typed[64];
  GetDlgItemTextW(dialog, id, typed, 64);
  SetFixedText(kept, Cp1252FromWide(typed));
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_CARD_LIST); }

int SelectedRace(HWND dialog) {
  const int item = static_cast<int>(
      SendMessageW(List(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (item < 0) return 0;
  LVITEMW entry{};
  entry.mask = LVIF_PARAM;
  entry.iItem = item;
  SendMessageW(List(dialog), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
  return static_cast<int>(entry.lParam);
}

void SetCell(HWND list, int item, int column, const std::string& text) {
  std::wstring wide = WideFromUtf8(text);
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
}

// Writes race r's cells into item of the list.
void ShowSummary(HWND dialog, const CardWindow& window, int item, int r) {
  Win32Surface main(window.main);
  const CardListRow cells = CardListCells(*window.card, main, r);
  for (int column = 0; column < CARD_LIST_COLUMN_COUNT; ++column) {
    SetCell(List(dialog), item, column, cells[static_cast<std::size_t>(column)]);
  }
}

// Shows race r's label and horses in the fields, named for it.
void ShowHorses(HWND dialog, CardWindow& window, int r) {
  const Race* race = FindRace(*window.card, r);
  if (!race) return;
  const bool other = r != window.race;
  window.race = r;
  window.writing = true;
  ShowBytes(dialog, IDC_CARD_LABEL, race->label);
  for (int row = 0; row < ROW_COUNT; ++row) {
    const HorseIdentity& horse = race->horses[row];
    const char* const parts[CARD_HORSE_COLUMN_COUNT] = {horse.program, horse.name, horse.ml};
    for (int column = 0; column < CARD_HORSE_COLUMN_COUNT; ++column) {
      ShowBytes(dialog, HORSE_COLUMNS[column] + row, parts[column]);
    }
  }
  window.writing = false;
  if (!other) return;
  SetAccessibleTexts(GetDlgItem(dialog, IDC_CARD_LABEL), "Race " + std::to_string(r) + " label",
                     {});
  for (int row = 0; row < ROW_COUNT; ++row) {
    for (int column = 0; column < CARD_HORSE_COLUMN_COUNT; ++column) {
      SetAccessibleTexts(GetDlgItem(dialog, HORSE_COLUMNS[column] + row),
                         CardFieldName(r, row, column), {});
    }
  }
}

// Lists the races the card holds, race r selected, and shows its horses.
void FillList(HWND dialog, CardWindow& window, int r) {
  const HWND list = List(dialog);
  window.writing = true;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  int item = 0;
  for (int number = 1; number <= RACE_MAX; ++number) {
    if (!FindRace(*window.card, number)) continue;
    LVITEMW entry{};
    entry.mask = LVIF_PARAM | LVIF_TEXT;
    entry.iItem = item;
    entry.pszText = const_cast<wchar_t*>(L"");
    entry.lParam = number;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    ShowSummary(dialog, window, item, number);
    if (number == r) {
      LVITEMW state{};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&state));
      SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    }
    ++item;
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  window.writing = false;
  EnableWindow(GetDlgItem(dialog, IDC_CARD_REMOVE), RaceCount(*window.card) > 1);
  ShowHorses(dialog, window, FindRace(*window.card, r) ? r : window.card->shown);
}

// Rewrites the list's row of the race the fields show, after a change to its label or horses.
void ShowSelectedSummary(HWND dialog, const CardWindow& window) {
  LVFINDINFOW find{};
  find.flags = LVFI_PARAM;
  find.lParam = window.race;
  const int item = static_cast<int>(SendMessageW(
      List(dialog), LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  if (item >= 0) ShowSummary(dialog, window, item, window.race);
}

void Changed(CardWindow& window) { window.changed(window.main); }

void AddRace(HWND dialog, CardWindow& window) {
  const int r = FreeRace(*window.card);
  if (r == 0) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  Win32Surface main(window.main);
  {
    const HeldPainting held(window.main);  // the race shown paints once, whole
    ShowRace(*window.card, main, r);
  }
  FillList(dialog, window, r);
  Changed(window);
}

void RemoveSelected(HWND dialog, CardWindow& window) {
  const int r = window.race;
  Win32Surface main(window.main);
  if (RaceCount(*window.card) == 1) return;
  if (RaceIsWorkedOn(*window.card, main, r) &&
      OwnedMessageBox(dialog, RemoveRaceQuestion(r), CARD_CAPTION,
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    return;
  }
  {
    const HeldPainting held(window.main);  // a neighbour may be shown in its place
    RemoveRace(*window.card, main, r);
  }
  FillList(dialog, window, window.card->shown);
  Changed(window);
}

void ShowSelected(HWND dialog, CardWindow& window) {
  Win32Surface main(window.main);
  {
    const HeldPainting held(window.main);
    ShowRace(*window.card, main, window.race);
  }
  FillList(dialog, window, window.race);
  Changed(window);
}

void ImportEntries(HWND dialog, CardWindow& window) {
  if (!ImportEntriesChosen(dialog, window.main, *window.card)) return;
  window.writing = true;
  ShowBytes(dialog, IDC_CARD_TRACK, window.card->track);
  ShowBytes(dialog, IDC_CARD_DATE, window.card->date);
  window.writing = false;
  FillList(dialog, window, window.race);
  Changed(window);
}

void AddListColumns(HWND dialog) {
  const HWND list = List(dialog);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  // In dialog units, so that they grow with the font as the template does.
  const int widths[CARD_LIST_COLUMN_COUNT] = {44, 80, 30, 40, 30};
  for (int c = 0; c < CARD_LIST_COLUMN_COUNT; ++c) {
    RECT width{0, 0, widths[c], 0};
    MapDialogRect(dialog, &width);
    std::wstring heading = WideFromUtf8(CARD_LIST_HEADINGS[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = c >= 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = width.right;
    column.pszText = heading.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                 reinterpret_cast<LPARAM>(&column));
  }
}

void Initialise(HWND dialog, CardWindow& window) {
  SetWindowTextW(dialog, WideFromUtf8(CARD_CAPTION).c_str());
  const std::pair<int, const char*> words[] = {{IDC_CARD_TRACK_LABEL, CARD_TRACK_LABEL},
                                               {IDC_CARD_DATE_LABEL, CARD_DATE_LABEL},
                                               {IDC_CARD_ADD, CARD_ADD_TEXT},
                                               {IDC_CARD_REMOVE, CARD_REMOVE_TEXT},
                                               {IDC_CARD_SHOW, CARD_SHOW_TEXT},
                                               {IDC_CARD_LABEL_LABEL, CARD_LABEL_LABEL},
                                               {IDC_CARD_IMPORT, IMPORT_BUTTON_TEXT},
                                               {IDOK, CARD_CLOSE_TEXT}};
  for (const auto& [id, text] : words) SetText(dialog, id, text);
  const std::pair<int, std::size_t> limits[] = {
      {IDC_CARD_TRACK, TRACK_MAX}, {IDC_CARD_DATE, DATE_MAX}, {IDC_CARD_LABEL, LABEL_MAX}};
  for (const auto& [id, limit] : limits) {
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, limit, 0);
  }
  const std::size_t horseLimits[CARD_HORSE_COLUMN_COUNT] = {PROGRAM_MAX, HORSE_NAME_MAX,
                                                            MORNING_LINE_MAX};
  for (int column = 0; column < CARD_HORSE_COLUMN_COUNT; ++column) {
    SetText(dialog, IDC_CARD_HEAD + column, CARD_HORSE_HEADINGS[column]);
    for (int row = 0; row < ROW_COUNT; ++row) {
      SendDlgItemMessageW(dialog, HORSE_COLUMNS[column] + row, EM_LIMITTEXT, horseLimits[column],
                          0);
    }
  }
  for (int row = 0; row < ROW_COUNT; ++row) {
    SetText(dialog, IDC_CARD_NUMBER + row, std::to_string(row + 1).c_str());
  }
  // The track and date fields are named by their labels; the list has none on the screen.
  SetAccessibleTexts(List(dialog), "Races", {});
  window.writing = true;
  ShowBytes(dialog, IDC_CARD_TRACK, window.card->track);
  ShowBytes(dialog, IDC_CARD_DATE, window.card->date);
  window.writing = false;
  AddListColumns(dialog);
  for (const int id : {IDC_CARD_ADD, IDC_CARD_REMOVE, IDC_CARD_SHOW, IDC_CARD_IMPORT}) {
    KeepFromDefault(GetDlgItem(dialog, id));
  }
  FillList(dialog, window, window.card->shown);
  PlaceOverOwner(dialog, window.main);
}

// A field the user changed: its text goes into the card at once.
bool TakeField(HWND dialog, CardWindow& window, int id) {
  if (window.writing) return true;
  Card& card = *window.card;
  if (id == IDC_CARD_TRACK || id == IDC_CARD_DATE) {
    if (id == IDC_CARD_TRACK) Keep(dialog, id, card.track);
    if (id == IDC_CARD_DATE) Keep(dialog, id, card.date);
    Changed(window);
    return true;
  }
  Race* race = FindRace(card, window.race);
  if (!race) return false;
  if (id == IDC_CARD_LABEL) {
    Keep(dialog, id, race->label);
  } else if (id >= IDC_CARD_PROGRAM && id < IDC_CARD_PROGRAM + ROW_COUNT) {
    Keep(dialog, id, race->horses[id - IDC_CARD_PROGRAM].program);
  } else if (id >= IDC_CARD_NAME && id < IDC_CARD_NAME + ROW_COUNT) {
    Keep(dialog, id, race->horses[id - IDC_CARD_NAME].name);
  } else if (id >= IDC_CARD_ML && id < IDC_CARD_ML + ROW_COUNT) {
    Keep(dialog, id, race->horses[id - IDC_CARD_ML].ml);
  } else {
    return false;
  }
  ShowSelectedSummary(dialog, window);
  Changed(window);
  return true;
}

bool HandleCommand(HWND dialog, CardWindow& window, int id, int code) {
  if (code == EN_CHANGE) return TakeField(dialog, window, id);
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_CARD_ADD: AddRace(dialog, window); return true;
    case IDC_CARD_REMOVE: RemoveSelected(dialog, window); return true;
    case IDC_CARD_SHOW: ShowSelected(dialog, window); return true;
    case IDC_CARD_IMPORT: ImportEntries(dialog, window); return true;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); return true;
    default: return false;
  }
}

INT_PTR CALLBACK CardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    Initialise(dialog, *reinterpret_cast<CardWindow*>(lParam));
    SetFocus(GetDlgItem(dialog, IDC_CARD_TRACK));
    return FALSE;  // the focus is set
  }
  CardWindow* window = WindowOf(dialog);
  if (!window) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return HandleCommand(dialog, *window, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_CARD_LIST || header->code != LVN_ITEMCHANGED || window->writing) {
        return FALSE;
      }
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
        ShowHorses(dialog, *window, SelectedRace(dialog));
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

bool RunCardWindow(HWND main, Card& card, void (*changed)(HWND main)) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  if (!InitCommonControlsEx(&classes)) return false;
  CardWindow window{main, &card, changed, 0, false};
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(main, GWLP_HINSTANCE));
  // Wide windows, so that a field keeps every character of the code page whatever the system's
  // own code page is.
  return DialogBoxParamW(instance, WideFromUtf8(CARD_NAME).c_str(), main, CardProc,
                         reinterpret_cast<LPARAM>(&window)) > 0;
}
