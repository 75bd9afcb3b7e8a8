// The Card window's words, the same in every program, so the Windows and the Linux window read
// alike and their tests can name what they look for ("&" marks a mnemonic). The commands' menu
// texts keep clear of every mnemonic the menus they join already have.
#ifndef ODDSMITH_CARD_CARD_WINDOW_H
#define ODDSMITH_CARD_CARD_WINDOW_H

#include <array>
#include <string>

#include "card/card.h"

inline constexpr char CARD_CAPTION[] = "Card";
inline constexpr char CARD_MENU_TEXT[] = "Car&d...";
inline constexpr char NEXT_RACE_MENU_TEXT[] = "Next rac&e";
inline constexpr char PREVIOUS_RACE_MENU_TEXT[] = "Previo&us race";

inline constexpr char CARD_TRACK_LABEL[] = "&Track:";
inline constexpr char CARD_DATE_LABEL[] = "&Date:";
inline constexpr char CARD_LABEL_LABEL[] = "La&bel:";
inline constexpr char CARD_ADD_TEXT[] = "&Add race";
inline constexpr char CARD_REMOVE_TEXT[] = "&Remove race";
inline constexpr char CARD_SHOW_TEXT[] = "S&how race";
inline constexpr char CARD_CLOSE_TEXT[] = "Close";

// The list of the races the card holds.
inline constexpr int CARD_LIST_COLUMN_COUNT = 5;
inline constexpr const char* CARD_LIST_HEADINGS[CARD_LIST_COLUMN_COUNT] = {
    "Race", "Label", "Horses", "Scratched", "Named"};
// The list's cells for race r, which the card holds (UTF-8): its number, " (shown)" after the
// number of the race the dialog shows, its label and its summary's counts (card.h, SummaryOf).
using CardListRow = std::array<std::string, CARD_LIST_COLUMN_COUNT>;
CardListRow CardListCells(Card& card, DialogSurface& surface, int r);

// The selected race's horses, a row of three fields each.
inline constexpr int CARD_HORSE_COLUMN_COUNT = 3;
inline constexpr const char* CARD_HORSE_HEADINGS[CARD_HORSE_COLUMN_COUNT] = {"Program", "Name",
                                                                             "ML"};
// What a screen reader calls horse (0..13) row's field of column (0..2) in race r: "Race 3
// horse 2 name".
std::string CardFieldName(int r, int row, int column);

// The question before a race that holds work goes (card.h, RaceIsWorkedOn).
std::string RemoveRaceQuestion(int r);

#endif
