// The Card window's names and questions.
#include "card/card_window.h"

std::string CardFieldName(int r, int row, int column) {
  const char* const parts[CARD_HORSE_COLUMN_COUNT] = {"program number", "name", "morning line"};
  return "Race " + std::to_string(r) + " horse " + std::to_string(row + 1) + ' ' + parts[column];
}

std::string RemoveRaceQuestion(int r) {
  return "Race " + std::to_string(r) +
         " holds names, tote prices or a line of its own. Remove it and lose them?";
}
