// The tote: at post time the handicapper compares each horse's tote-board price with the price
// the line says it should pay, and bets only where the crowd pays enough more. Every figure is
// worked out exactly in 64-bit integers from the shares and the typed prices.
#ifndef ODDSMITH_TOTE_TOTE_H
#define ODDSMITH_TOTE_TOTE_H

#include <cstddef>
#include <string_view>

#include "book/board.h"
#include "book/identity.h"
#include "dialog/surface.h"
#include "resources/columns.h"
#include "text/table.h"

constexpr int TOTE_TEXT_MAX = 32;      // the bytes of a typed tote price that are kept
constexpr int EDGE_DEFAULT = 25;       // the overlay, in percent, a bet needs to begin with
constexpr int EDGE_MAX = 100;          // the edge runs from 0 to this, in percent
constexpr int PAYOUT_MIN_CENTS = 210;  // the least a $2 winner pays
constexpr int BREAKAGE_CENTS = 10;     // payouts are rounded down to a multiple of this

// The day's money, which the card keeps for every race: the bankroll in whole dollars
// (NO_BANKROLL: none, and nothing is staked) and the percent of Kelly's stake bet (stakes.h).
constexpr long long BANKROLL_MAX = 10'000'000;
constexpr long long NO_BANKROLL = -1;
constexpr int KELLY_DEFAULT = 25;
constexpr int KELLY_MIN = 1;
constexpr int KELLY_MAX = 100;
struct ToteMoney {
  long long bankroll = NO_BANKROLL;
  int kelly = KELLY_DEFAULT;
};

// What the tote holds for one dialog: each horse's typed price and the edge. The dialog's
// window owns it beside its controls for as long as it lives; a horse that leaves the book
// keeps its text for when it comes back.
struct ToteState {
  char text[ROW_COUNT][TOTE_TEXT_MAX + 1] = {};  // code-page-1252 bytes, NUL-terminated
  int edge = EDGE_DEFAULT;                       // 0..EDGE_MAX
};

// Keeps the first TOTE_TEXT_MAX bytes of text (up to a NUL, where a window text ends) as row
// i's (0..13) tote text. A row outside changes nothing.
void SetToteText(ToteState& tote, int i, std::string_view text);

// Row i's (0..13) kept tote text, at most TOTE_TEXT_MAX bytes even where a NUL is missing;
// empty for a row outside.
std::string_view ToteText(const ToteState& tote, int i);

// A tote price read from its text: odds to one as the fraction num / den.
enum class ToteRead { NONE, INVALID, PRICE };
struct TotePrice {
  ToteRead read;
  long long num;  // above 0 for a PRICE
  long long den;  // 1 or more for a PRICE
};

// Reads the first TOTE_TEXT_MAX bytes of text (NUL-terminated), spaces and tabs around them
// dropped: empty is NONE; "D-D", "D/D", "D", "D.d", "D.dd" (D one to four digits) or EVEN,
// EVENS, EVN, EVS, E in any case (1-1) with a price above 0 is a PRICE; anything else INVALID.
TotePrice ReadTotePrice(const char* text);

// The price of the tote ladder (the board's short prices up to 9-2, then every whole price from
// 5-1 to 99-1) that price is exactly, as on: 25 / 10 is 5-2. False for any other.
bool ToteLadderPrice(TotePrice price, BoardPrice& on);

// What a tote text may be, for the windows' tip on a field holding an invalid one.
const char* TotePriceHelp();

// The cents a $2 win bet pays at price: 200 (o + 1) rounded down to BREAKAGE_CENTS, at least
// PAYOUT_MIN_CENTS. 0 for anything but a PRICE.
long long TotePayCents(TotePrice price);

enum class ToteStatus { NONE, INVALID, UNDER, OVERLAY, BET };

// "", "?", "UNDER", "OVERLAY" or "BET".
const char* ToteStatusText(ToteStatus status);

constexpr std::size_t TOTE_FIGURE_SIZE = 32;  // every figure's text fits, whatever the shares

// One horse's figures as they print, each empty where there is nothing to show.
struct ToteHorse {
  ToteStatus status;
  char fair[TOTE_FIGURE_SIZE];      // its chance by the line: "20.0%"
  char fairOdds[TOTE_FIGURE_SIZE];  // the odds that chance makes fair: "4.0"
  char needs[TOTE_FIGURE_SIZE];     // the shortest ladder price that is a BET: "6-1", "over 99-1"
  char pays[TOTE_FIGURE_SIZE];      // what $2 pays at the tote price: "14.00"
  char overlay[TOTE_FIGURE_SIZE];   // the return against fair after breakage: "+40.0%"
  char ev[TOTE_FIGURE_SIZE];        // the expected profit of $2: "+0.80"
};

// The figures of a horse of share units in a book whose shares add up to total, at edge
// percent (0..EDGE_MAX, else the nearer end), with tote text text (as ReadTotePrice reads it).
// share is a bar's (an int) and total at most 14 of them, which keeps every product in 64 bits.
// A share at or below 0, or a total at or below 0, counts as no chance: no fair odds and no
// needs, and a price is UNDER at -100.0 %; with no total there is no fair chance either.
ToteHorse FigureToteHorse(long long share, long long total, int edge, const char* text);

// Row i's (0..13) figures as the controls and tote stand now; all empty for a row outside the
// book.
ToteHorse FigureToteRow(DialogSurface& surface, const ToteState& tote, int i);

// The race's figures as they print.
struct ToteRace {
  char book[TOTE_FIGURE_SIZE];  // the tote's book, "118.25%", "incomplete" or empty
  char take[TOTE_FIGURE_SIZE];  // 1 - 1 / book, "15.4%", "-11.1%", empty without a book
  char bets[TOTE_FIGURE_SIZE];  // how many horses are a BET, or "PASS"
};

// The tote book adds up 1 / (o + 1), each rounded to the nearest 10^-9, over the horses in the
// book; it shows only when every one of them has a price, and is empty without any horse.
ToteRace FigureToteRace(DialogSurface& surface, const ToteState& tote);

// The text of a horse's "Tote" cell in UTF-8: its tote text without the spaces and tabs around
// it, each tab, CR and LF made a space. Returns its length; cut to fit size as snprintf cuts.
int FormatToteText(const char* text, char* buffer, std::size_t size);

// What a horse's tip adds for its tote price, " · tote 7-2: UNDER" (UTF-8), "?" as the status of
// an invalid one. Empty (0) for a horse without a tote text, outside the book, and while the
// book is pending (board.h, BookPending). Returns its length; cut to fit as snprintf cuts.
int FormatToteTip(DialogSurface& surface, const ToteState& tote, int i, char* buffer,
                  std::size_t size);

// The tote's columns, in the windows' order and the copied table's: the program numbers, the
// names and the prices ("Needs" and "Tote") marked as text so a spreadsheet keeps "1A" and
// never makes 5-2 a date, the chance and the overlay given their values as the line's chances
// are.
inline constexpr TableColumn TOTE_COLUMNS[] = {
    {"Horse", CellKind::PLAIN},   {"Program", CellKind::TEXT},    {"Name", CellKind::TEXT},
    {"Fair", CellKind::PERCENT},  {"Fair odds", CellKind::PLAIN}, {"Needs", CellKind::TEXT},
    {"Tote", CellKind::TEXT},     {"Overlay", CellKind::PERCENT}, {"Status", CellKind::PLAIN},
    {"$2 pays", CellKind::PLAIN}, {"EV $2", CellKind::PLAIN},     {"Stake", CellKind::PLAIN}};
inline constexpr int TOTE_COLUMN_COUNT = sizeof TOTE_COLUMNS / sizeof TOTE_COLUMNS[0];

// The tote as a tab-separated table (UTF-8), each line ended by eol: the TOTE_COLUMNS headings,
// one line per horse in the book (its program number and name from horses, empty without one
// or with no horses at all; its stake by money in whole dollars, empty under $1 or without a
// bankroll), then "Edge", "Tote book", "Take", "Bets" and "Stakes" (the stakes' sum, empty
// without a bankroll) on lines of two cells.
// Returns the whole table's length; cut to fit size as snprintf cuts. TOTE_TABLE_MAX bytes
// always hold it (every identity at its limit, with an eol of up to two bytes).
constexpr std::size_t TOTE_TABLE_MAX = 8192;
int FormatToteTable(DialogSurface& surface, const ToteState& tote, const HorseIdentity* horses,
                    const char* eol, char* buffer, std::size_t size, const ToteMoney& money = {});

// The same table as an HTML table (UTF-8, no document around it), the cells as TOTE_COLUMNS
// has them read and the tote texts escaped. TOTE_HTML_MAX bytes always hold it.
constexpr std::size_t TOTE_HTML_MAX = 24576;
int FormatToteHtml(DialogSurface& surface, const ToteState& tote, const HorseIdentity* horses,
                   char* buffer, std::size_t size, const ToteMoney& money = {});

// Both forms of the table for the clipboard, rows ended by eol.
CopiedTable CopyToteTable(DialogSurface& surface, const ToteState& tote,
                          const HorseIdentity* horses, const char* eol,
                          const ToteMoney& money = {});

// The tip of control id as both programs show it: a horse's for its odds field and its bar
// (board.h, FormatHorseTip), with what its tote price says when tote is given
// (FormatToteTip), the book's for "% Line:". Returns its length (0 and an empty text for an
// inactive row), or NO_TIP and an empty text for a control that has no tip. TIP_MAX bytes
// always hold a tip; without a tote, TEXT_BUFFER_SIZE do.
constexpr int NO_TIP = -1;
constexpr std::size_t TIP_MAX = 256;
int FormatControlTip(DialogSurface& surface, int id, char* buffer, std::size_t size,
                     const ToteState* tote = nullptr);

#endif
