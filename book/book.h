// The book calculator: conversions between odds, shares and texts, rebalancing the book, the
// field size and scratches. Free functions over the dialog's controls: every value is read
// from the surface when it is needed and nothing is kept between calls.
#ifndef ODDSMITH_BOOK_BOOK_H
#define ODDSMITH_BOOK_BOOK_H

// POSIX's <limits.h> defines a LINE_MAX macro (a text line's length) that would replace ours.
// Taking the header in first and dropping its macro keeps LINE_MAX ours in every file that
// includes this one, whatever it includes later: the header's guard stops a second definition.
#include <climits>
#undef LINE_MAX

#include "dialog/surface.h"
#include "resources/columns.h"
#include "resources/ids.h"

constexpr int SHARE_SCALE = 10000;    // share units in 100 %
constexpr int LINE_MAX = 900;         // the highest line, in percent
constexpr int LINE_DEFAULT = 120;     // the line when unset or out of range
constexpr double ODDS_CAP = 99.0;     // the longest odds shown
constexpr int ODDS_TEXT_MAX = 4;      // characters of an odds text that are scanned
constexpr int TEXT_BUFFER_SIZE = 80;  // every formatted text fits this buffer
// Every active bar ranges from 0 to this many share units a percent of the line.
constexpr int BAR_UNITS_PER_LINE_PERCENT = 90;
constexpr int BarMaximum(int line) { return line * BAR_UNITS_PER_LINE_PERCENT; }

// Pins for RebalanceBook.
constexpr int PIN_NONE = 0;  // whole-field rebalance: every free horse counts and moves
// After a bar move: any value that is neither PIN_NONE nor a horse number 1..14. The dispatch
// passes the moved bar's own identifier (IDC_POOL_BAR + i); this is one such value.
constexpr int PIN_BAR = IDC_POOL_BAR;
static_assert(IDC_POOL_BAR > ROW_COUNT, "a bar's identifier is never taken for a horse number");

// The odds typed into odds field oddsId (IDC_ODDS + i), odds to one (2.5 for 5-2). The whole
// part is the number the field starts with; of the text only the first ODDS_TEXT_MAX bytes are
// scanned, bytes taken as signed 8-bit codes. After "/" or "-" the next byte alone is the
// denominator (below 1 becomes 1); after "." the next byte is the tenths and ends the scan.
// Never fails: a text without sense gives 0 or what its bytes add up to.
double ParseOddsText(DialogSurface& surface, int oddsId);

// The share of odds: 1 / (odds + 1) * 10000 in double precision, truncated toward zero. A
// result outside int saturates (+inf gives INT_MAX, -inf INT_MIN, NaN 0); the bar that stores
// it bounds it to its range.
int OddsToShare(double odds);

// The texts that ShowOdds and ShowShare write, into text; return their length.
int FormatOddsText(char (&text)[TEXT_BUFFER_SIZE], int share);
int FormatShareText(char (&text)[TEXT_BUFFER_SIZE], float percentage);

// Writes the odds of share into odds field oddsId as "%2.1f": 10000 / share - 1, 99.0 for a
// share of 0 and capped at ODDS_CAP. Writing clears the field's modified flag.
void ShowOdds(DialogSurface& surface, int oddsId, int share);

// Writes percentage as "%4.1f" and a percent sign into the "% to win" text winId (IDC_WIN_PCT
// + i): 8.57 shows as " 8.6%".
void ShowShare(DialogSurface& surface, int winId, float percentage);

// The line the "% Line:" field holds, in percent: 1..LINE_MAX, else LINE_DEFAULT.
int ReadLinePercent(DialogSurface& surface);

// The field size the "# of horses:" field holds: 1..ROW_COUNT, else ROW_COUNT.
int ReadFieldSize(DialogSurface& surface);

// Brings the free horses back to the line total and rewrites every figure. Normalises the line
// (1..LINE_MAX, else LINE_DEFAULT) and the field size (1..14, else 14) and writes both back;
// sets every active bar's range to 0..line * 90; spreads the book total minus the active shares
// evenly (truncating) over the free horses; rewrites the "% to win" and odds texts of every
// active row. Rows beyond the field size are not touched.
//   pin PIN_NONE: every free horse counts in the divisor and moves.
//   pin k in 1..14: horse k keeps its share and does not count; of the others only those
//     with a share above 0 count, and all of them move.
//   any other pin (PIN_BAR): only free horses with a share above 0 count, and all move.
void RebalanceBook(DialogSurface& surface, int pin);

// Applies a number of horses n to the 14 rows: n outside 1..14 changes nothing. Rows within n
// are reinstated, unlocked and get their arrows; rows beyond are scratched, unlocked, lose
// their arrows and their texts. Bar positions stay. Ends in a whole-field rebalance.
void SetFieldSize(DialogSurface& surface, int n);

// Applies a click on row i's (0..13) "Scr." box; reinstated is true when the box is now clear.
// A reinstated row gets its arrows back; a scratched one loses them and its texts. Lock and
// bar position stay. Ends in a whole-field rebalance. An i outside 0..13 changes nothing.
void ToggleScratch(DialogSurface& surface, int i, bool reinstated);

#endif
