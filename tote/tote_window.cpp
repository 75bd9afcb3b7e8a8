// The tote window's portable part: which horses it lists.
#include "tote/tote_window.h"

#include "book/board.h"
#include "text/text.h"

int FormatStake(long long dollars, char* buffer, std::size_t size) {
  TextBuilder text(buffer, size);
  if (dollars < 1) return 0;
  text.Add("$");
  text.AddScaled(dollars, 0);
  return text.Length();
}

int ToteWindowRows(DialogSurface& surface, int (&rows)[ROW_COUNT]) {
  int count = 0;
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (IsActiveRow(surface, i)) rows[count++] = i;
  }
  return count;
}
