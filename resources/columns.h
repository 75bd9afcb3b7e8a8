// Which column and row a control identifier belongs to. ids.h stays plain #defines for windres;
// these are the C++ questions every face asks of them, answered in one place.
#ifndef ODDSMITH_RESOURCES_COLUMNS_H
#define ODDSMITH_RESOURCES_COLUMNS_H

#include "resources/ids.h"

constexpr int ROW_COUNT = 14;  // rows of the dialog, one per horse
// The controls hold the identifiers IDC_FIRST to IDC_LAST, one each.
constexpr int CONTROL_COUNT = IDC_LAST - IDC_FIRST + 1;

// True when id is in the 14-row column that starts at base (IDC_POOL_BAR, IDC_ODDS, ...).
constexpr bool InColumn(long long id, int base) { return id >= base && id < base + ROW_COUNT; }

constexpr bool IsPoolBar(long long id) { return InColumn(id, IDC_POOL_BAR); }
constexpr bool IsOddsField(long long id) { return InColumn(id, IDC_ODDS); }
// The "Lock" and "Scr." boxes, which stand as two adjacent columns.
constexpr bool IsCheckBox(long long id) {
  return InColumn(id, IDC_LOCK) || InColumn(id, IDC_SCRATCH);
}
// The fields the user types into: "% Line:", "# of horses:" and the 14 odds fields.
constexpr bool IsEditField(long long id) {
  return id == IDC_LINE || id == IDC_HORSES || IsOddsField(id);
}

static_assert(IDC_LOCK - IDC_POOL_BAR == ROW_COUNT && IDC_SCRATCH - IDC_LOCK == ROW_COUNT,
              "the bars and boxes are three adjacent columns of ROW_COUNT rows");

#endif
