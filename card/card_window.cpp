// The Card window's names and questions.
#include "card/card_window.h"

#include <cstring>

#include "text/codepage.h"

std::string CardFieldName(int r, int row, int column) {
  const char* const parts[CARD_HORSE_COLUMN_COUNT] = {"program number", "name", "morning line"};
  return "Race " + std::to_string(r) + " horse " + std::to_string(row + 1) + ' ' + parts[column];
}

std::string RemoveRaceQuestion(int r) {
  return "Race " + std::to_string(r) +
         " holds names, tote prices or a line of its own. Remove it and lose them?";
}

CardListRow CardListCells(Card& card, DialogSurface& surface, int r) {
  const RaceSummary summary = SummaryOf(card, surface, r);
  const char* const label = FindRace(card, r)->label;
  CardListRow cells;
  cells[0] = std::to_string(r) + (r == card.shown ? " (shown)" : "");
  AppendUtf8FromCp1252(cells[1], std::string_view(label, std::strlen(label)));
  cells[2] = std::to_string(summary.horses);
  cells[3] = std::to_string(summary.scratched);
  cells[4] = std::to_string(summary.named);
  return cells;
}
