// The tote window's portable part: which horses it lists.
#include "tote/tote_window.h"

#include "book/board.h"

int ToteWindowRows(DialogSurface& surface, int (&rows)[ROW_COUNT]) {
  int count = 0;
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (IsActiveRow(surface, i)) rows[count++] = i;
  }
  return count;
}
