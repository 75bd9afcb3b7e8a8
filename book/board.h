// What a handicapper reads off the line besides the dialog's own columns: the conventional board
// price nearest each share, the book's total, and the line as a table to copy elsewhere. Read
// only: nothing here writes to the dialog.
#ifndef ODDSMITH_BOOK_BOARD_H
#define ODDSMITH_BOOK_BOARD_H

#include <cstddef>

#include "book/book.h"
#include "book/identity.h"
#include "text/table.h"

// A board price a-b: a to win for b staked (5-2, 1-1, 99-1).
struct BoardPrice {
  int a;
  int b;
};

// The ladder of prices a board shows, the one every figure here and the tote's use: up to 9-2,
// shortest first, these; then every whole price from LONG_PRICE_FIRST-1 to LONG_PRICE_LAST-1.
inline constexpr BoardPrice SHORT_PRICES[] = {{1, 9}, {1, 5}, {2, 5}, {1, 2}, {3, 5}, {4, 5},
                                              {1, 1}, {6, 5}, {7, 5}, {3, 2}, {8, 5}, {9, 5},
                                              {2, 1}, {5, 2}, {3, 1}, {7, 2}, {4, 1}, {9, 2}};
inline constexpr int LONG_PRICE_FIRST = 5;
inline constexpr int LONG_PRICE_LAST = 99;

// The price of the ladder nearest to share by win probability: share / 10000 against
// b / (a + b), compared exactly in integers; a tie goes to the longer price.
// Shares of 0 or below give 99-1, shares of 10000 and above 1-9.
BoardPrice NearestBoardPrice(int share);

// The book as the controls hold it now.
struct BookTotal {
  long long book;  // the active horses' shares added up, in share units
  int line;        // the line in percent (the book total is line * 100)
  int horses;      // the field size
};
BookTotal ReadBookTotal(DialogSurface& surface);

// True for a row (0..13) that takes part in the book: within the field size, "Scr." clear.
bool IsActiveRow(DialogSurface& surface, int i);

// True while "% Line:" or "# of horses:" holds a text the book has not taken yet: the figures
// of the tips would come from a line or a field the dialog does not show.
bool BookPending(DialogSurface& surface);

// The tip of row i's odds field and bar, e.g. "Board price 5-2 · 28.6 % to win" (UTF-8), into
// buffer of size bytes, NUL-terminated. Returns its length, or 0 and an empty text for an
// inactive row and while the book is pending.
int FormatHorseTip(DialogSurface& surface, int i, char* buffer, std::size_t size);

// The tip of the "% Line:" field, e.g. "Book 120.09 % of a 120 % line (14 horses)"; 0 and an
// empty text while the book is pending.
int FormatBookTip(DialogSurface& surface, char* buffer, std::size_t size);

// The same for a status line: "Book 120.09 % of a 120 % line, 14 horses".
int FormatBookStatus(DialogSurface& surface, char* buffer, std::size_t size);

// True when the book is more than one point from the line (a lock or a scratch holds it off),
// false while it is pending.
bool BookOffLine(DialogSurface& surface);

// The book as it stands, as a tab-separated table (UTF-8), each line ended by eol: the header
// "Horse", "Program", "Name", "ML", "Odds", "To win", "Board"; one row per horse within the
// field, its row number, its identity from horses (identity.h; empty cells without one, or
// with no horses at all), then its odds, "% to win" and board price worked out from its share
// as the dialog shows them (a scratched horse's row says "scratched" instead of them); then
// "Book" with the book total and "Line" with the line, each on a row of its own. Returns the
// length of the whole table; the text is cut to fit size as snprintf cuts. LINE_TABLE_MAX bytes
// always hold it (every identity at its limit, with an eol of up to two bytes).
constexpr std::size_t LINE_TABLE_MAX = 6144;
int FormatLineTable(DialogSurface& surface, const HorseIdentity* horses, const char* eol,
                    char* buffer, std::size_t size);

// The same table as an HTML table (UTF-8, no document around it), for the clipboard. The
// program numbers, names, morning lines and board prices are marked as text, so that a
// spreadsheet keeps "1A" and 5-2 as they are and never makes them numbers or dates; every other
// cell stays a number. LINE_HTML_MAX bytes always hold it.
constexpr std::size_t LINE_HTML_MAX = 16384;
int FormatLineHtml(DialogSurface& surface, const HorseIdentity* horses, char* buffer,
                   std::size_t size);

// Both forms of the table for the clipboard, rows ended by eol.
CopiedTable CopyLineTable(DialogSurface& surface, const HorseIdentity* horses, const char* eol);

#endif
