// The tote window's words and colours, the same in every program, so the Windows and the Linux
// window read alike and their tests can name what they look for.
#ifndef ODDSMITH_TOTE_TOTE_WINDOW_H
#define ODDSMITH_TOTE_TOTE_WINDOW_H

#include "dialog/surface.h"
#include "resources/columns.h"
#include "tote/tote.h"

inline constexpr char TOTE_CAPTION[] = "Tote";
inline constexpr char TOTE_MENU_TEXT[] = "&Tote...";

// The column headings over the horses' rows are the copied table's (tote.h, TOTE_COLUMNS).

// Under the rows: the edge a bet needs, the race's summary and the buttons ("&" marks a
// mnemonic).
inline constexpr char TOTE_EDGE_LABEL[] = "Required &edge:";
inline constexpr char TOTE_EDGE_SUFFIX[] = "%";
inline constexpr int TOTE_EDGE_STEP = 5;
// The day's money, which the card keeps for every race: the bankroll in whole dollars (empty:
// none, nothing staked) and the percent of Kelly's stake bet.
inline constexpr char TOTE_BANKROLL_LABEL[] = "Bank&roll: $";
inline constexpr char TOTE_KELLY_LABEL[] = "&Kelly fraction:";
inline constexpr int TOTE_KELLY_STEP = 5;
inline constexpr char TOTE_BOOK_LABEL[] = "Tote book:";
inline constexpr char TOTE_TAKE_LABEL[] = "Take:";
inline constexpr char TOTE_BETS_LABEL[] = "Bets:";
inline constexpr char TOTE_CLEAR_TEXT[] = "C&lear";
inline constexpr char TOTE_COPY_TEXT[] = "&Copy";
inline constexpr char TOTE_CLOSE_TEXT[] = "Close";

// The status's colour, beside its text (never instead of it): dark enough on a light window
// to keep the text readable. The window's own text colour (none) for no price and "?".
struct ToteColour {
  bool own;  // false: draw in the window's text colour
  unsigned char red, green, blue;
};
constexpr ToteColour ToteStatusColour(ToteStatus status) {
  switch (status) {
    case ToteStatus::BET: return {true, 0, 110, 0};
    case ToteStatus::OVERLAY: return {true, 150, 90, 0};
    case ToteStatus::UNDER: return {true, 170, 0, 0};
    default: return {false, 0, 0, 0};
  }
}

// A horse's stake as the window shows it: "$12", empty under a dollar. Returns its length.
int FormatStake(long long dollars, char* buffer, std::size_t size);

// The rows (0..13) of the horses in the book, in row order, as the window lists them: within
// the field and not scratched. Returns how many there are.
int ToteWindowRows(DialogSurface& surface, int (&rows)[ROW_COUNT]);

#endif
