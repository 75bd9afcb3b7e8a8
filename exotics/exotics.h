// Exotic tickets priced from the line: exactas, trifectas and superfectas on one race and Pick 3
// to Pick 6 over races in a row. Each combination's chance comes from the line's fair chances
// by Harville's formula (a horse runs second as it would win a race without the winner), each
// leg of a Pick N on its own; every figure is an exact fraction, rounded once when printed.
#ifndef ODDSMITH_EXOTICS_EXOTICS_H
#define ODDSMITH_EXOTICS_EXOTICS_H

#include <cstdint>
#include <string>
#include <vector>

#include "card/card.h"
#include "dialog/surface.h"
#include "text/table.h"

enum class BetType { EXACTA, TRIFECTA, SUPERFECTA, PICK3, PICK4, PICK5, PICK6 };
constexpr int BET_TYPE_COUNT = 7;
constexpr int POSITION_MAX = 6;  // the sets of a ticket: places, or a Pick 6's legs

struct BetTypeInfo {
  const char* word;  // the runner's: "exacta", "pick3"
  const char* name;  // the windows': "Exacta", "Pick 3"
  int positions;     // the sets a ticket of it has
  bool legs;         // true: each set is a race's winner; false: places in one race
};
const BetTypeInfo& InfoOf(BetType type);

// The amounts a combination may be bet for, in cents, the windows' order.
constexpr int BASE_CENTS[] = {10, 50, 100, 200};
constexpr int BASE_COUNT = 4;
bool IsBaseCents(long long cents);
// "$0.10", "$0.50", "$1", "$2".
std::string FormatBase(int cents);

constexpr long long TICKET_COMBINATIONS_MAX = 10'000'000;
constexpr int TICKET_LIST_MAX = 1000;  // the most likely combinations listed

// A ticket: for each position (or leg) the rows chosen, bit i for row i (0..13).
struct Ticket {
  BetType type = BetType::EXACTA;
  int baseCents = 200;
  std::uint16_t sets[POSITION_MAX] = {};
};

// One race as the line prices it: each row's share (0 for a row outside the book) and whether
// it can be chosen (within the field, not scratched), and the book's real sum.
struct ExoticRace {
  long long share[ROW_COUNT] = {};
  bool runs[ROW_COUNT] = {};
  long long book = 0;
  int edge = 0;  // the race's tote edge in percent
};
ExoticRace ExoticRaceOf(DialogSurface& surface, int edge);

// The races a ticket on the card's shown race needs: the shown race alone for a place bet, the
// shown race R and R + 1 ... for a Pick N's legs, each at its own tote's edge. Returns nullptr,
// or why not: a leg the card does not hold.
const char* TicketRaces(Card& card, DialogSurface& surface, BetType type,
                        ExoticRace (&races)[POSITION_MAX]);

struct ExoticCombination {
  std::uint8_t rows[POSITION_MAX];  // 0..13, a place or a leg each
  std::string chance;               // "7.015%"
  std::string fair;                 // the base's fair payout, "28.51"; empty at chance 0
  std::string needs;                // the will-pay it needs at the edge, "31.40"; empty at 0
};

struct TicketPrice {
  long long combinations = 0;
  std::vector<ExoticCombination> listed;  // most likely first, at most TICKET_LIST_MAX
  std::string cost;                       // "24.00"
  std::string chance;                     // "37.351%"
  std::string fair;                       // cost ÷ chance, "64.26"; empty at chance 0
  std::string needs;                      // rounded up to the dime, "70.70"; empty at 0
};

// Prices ticket on races (races[0] alone for a place bet, one a leg for a Pick N) at races[0]'s
// edge. Returns nullptr, or why the ticket cannot be bet: a set with a horse that cannot run, a
// set empty, no combination, more than TICKET_COMBINATIONS_MAX, a book of 2^20 or more.
const char* PriceTicket(const ExoticRace* races, const Ticket& ticket, TicketPrice& price);

// TicketRaces, then PriceTicket: the ticket on the card's shown race, as the windows and the
// runner price it.
const char* PriceCardTicket(Card& card, DialogSurface& surface, const Ticket& ticket,
                            TicketPrice& price);

// A combination as the runner prints it: its rows from 1, joined by "-".
std::string CombinationRows(const ExoticCombination& combination, int positions);

// The ticket as a table, rows ended by eol (tab-separated), or, without eol, as HTML: the
// header Combination, Chance, Fair, Needs, a row per listed combination (its rows as name
// gives them), "More" with how many are not listed where there are, then Combinations, Cost,
// Chance, Fair and Needs on lines of two cells.
using CombinationName = std::string (*)(const ExoticCombination& combination, int positions,
                                        const void* context);
std::string FormatTicketTable(const TicketPrice& price, int positions, const char* eol,
                              CombinationName name = nullptr, const void* context = nullptr);

// The Exotics window's words, the same on both programs.
inline constexpr char EXOTICS_MENU_TEXT[] = "E&xotics...";
inline constexpr char EXOTICS_CAPTION[] = "Exotics";
inline constexpr char EXOTICS_TYPE_LABEL[] = "Bet &type:";
inline constexpr char EXOTICS_BASE_LABEL[] = "&Base:";
inline constexpr char EXOTICS_ALL_TEXT[] = "All";
inline constexpr char EXOTICS_COPY_TEXT[] = "&Copy";
inline constexpr char EXOTICS_CLOSE_TEXT[] = "Close";

// A position's name: "1st" to "4th" for a place bet, "Leg 1" to "Leg 6" for a Pick N.
std::string PositionName(BetType type, int m);
// Its heading in the window: the place, or the leg with its race, "Leg 2: race 5".
std::string PositionHeading(BetType type, int m, int race);
// A horse as the window names it: its program number (UTF-8), else its row's number.
std::string HorseLabel(const HorseIdentity* horses, int row);
// label with each "&" doubled, for a control that would take it for a mnemonic's mark.
std::string WithoutMnemonic(const std::string& label);
// Why the windows cannot price the ticket being chosen: a leg the card does not hold, else a
// position with no horse chosen; nullptr when it can be priced.
const char* TicketIncomplete(const Card& card, const Ticket& ticket);
// Race r of the card (held) as the windows offer its horses: the shown race from surface (the
// main dialog), another as the card keeps it; horses gets its field size.
ExoticRace RaceOfCard(Card& card, DialogSurface& surface, int r, int& horses);
// A combination as the windows name it: each position's horse by HorseLabel, a leg's from its
// own race, joined by "-".
std::string CombinationHorses(const Card& card, BetType type, const ExoticCombination& combination);
// The ticket's table for the clipboard, horses named as the windows name them, rows ended by
// eol.
CopiedTable CopyTicketTable(const Card& card, BetType type, const TicketPrice& price,
                            const char* eol);

// The summary as the window shows it: "24 combinations · Cost $24.00 · Chance 37.351% ·
// Fair $64.26 · Needs $70.70", and where not all are listed, "The 1,000 most likely of
// 24,024 are listed." (UTF-8).
std::string TicketSummary(const TicketPrice& price);
std::string TicketListed(const TicketPrice& price);

#endif
