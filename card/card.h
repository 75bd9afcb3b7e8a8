// The card: a day's races at one track, prepared in the morning and worked race by race at
// post time. Each race the card holds keeps everything the dialog shows of it, its tote and who
// its rows are; the dialog shows one race at a time, and the rest wait here exactly as they
// were left. Races keep their numbers, 1 to RACE_MAX, whatever others come and go.
#ifndef ODDSMITH_CARD_CARD_H
#define ODDSMITH_CARD_CARD_H

#include <cstddef>
#include <memory>
#include <string>

#include "book/identity.h"
#include "dialog/surface.h"
#include "tote/tote.h"

constexpr int RACE_MAX = 40;
constexpr std::size_t TRACK_MAX = 40;  // bytes, as every text here: code page 1252
constexpr std::size_t DATE_MAX = 10;   // "2026-12-09"
constexpr std::size_t LABEL_MAX = 24;  // a race's own name; empty: its number stands for it

// One race of the card.
struct Race {
  char label[LABEL_MAX + 1] = {};
  // The dialog as the race was left: every text with its modified flag, every bar, every mark.
  // While the race is shown the controls hold it, and this is as it was when last left.
  DialogSnapshot shown;
  ToteState tote;
  HorseIdentity horses[ROW_COUNT];
};

struct Card {
  // A card of one race, race 1, shown, as the dialog starts.
  Card();

  char track[TRACK_MAX + 1] = {};
  char date[DATE_MAX + 1] = {};
  ToteMoney money;                        // the day's bankroll and Kelly fraction, for every race
  int shown = 1;                          // the race on the controls, always one held
  std::unique_ptr<Race> races[RACE_MAX];  // race r at r - 1; empty where the card holds none
};

// The dialog as it starts, and as a race the card did not hold yet first shows: line 120, 14
// horses, every bar at 857, nothing locked or scratched, every flag clear.
const DialogSnapshot& StartedSnapshot();

// Race r (1 to RACE_MAX), or nullptr where the card holds none.
Race* FindRace(Card& card, int r);
const Race* FindRace(const Card& card, int r);

// Race r, which the card holds from now on: as the dialog starts if it was not held. REQUIRES:
// 1 <= r <= RACE_MAX.
Race& HoldRace(Card& card, int r);

Race& ShownRace(Card& card);
const Race& ShownRace(const Card& card);

// How many races the card holds.
int RaceCount(const Card& card);

// The race that Next race, Previous race and Add race show: the next higher held race, else
// (from the highest) the number after the shown one; the next lower held race; the lowest
// number not held. 0 where there is none (Next from race RACE_MAX, Previous from the lowest,
// Add with every number held).
int NextRace(const Card& card);
int PreviousRace(const Card& card);
int FreeRace(const Card& card);

// Keeps what surface (the dialog showing the shown race) shows now as the shown race's state.
void KeepShownRace(Card& card, DialogSurface& surface);

// Race r's dialog (r held) as the card keeps it, or as surface shows it now for the shown race;
// the card itself unchanged.
DialogSnapshot RaceState(Card& card, DialogSurface& surface, int r);

// Shows race r on surface: the shown race's state is kept first, then r is shown exactly as it
// was kept (held now if it was not, as the dialog starts), modified flags included: no share
// moves and nothing rebalances. The caller takes the typed entries before, as "Copy line" does.
// False, changing nothing, when r is the race shown or outside 1 to RACE_MAX.
bool ShowRace(Card& card, DialogSurface& surface, int r);

// True when removing race r would lose work: it has an identity or a tote price, or its state
// differs from the start.
bool RaceIsWorkedOn(Card& card, DialogSurface& surface, int r);

// Removes race r. The shown race gives way first to the next lower held race, else the next
// higher. False, changing nothing, for a race the card does not hold and for its last race.
bool RemoveRace(Card& card, DialogSurface& surface, int r);

// What the card's list tells of race r (which it holds): the field size, how many of the field
// are scratched, how many of the 14 rows have an identity.
struct RaceSummary {
  int horses;
  int scratched;
  int named;
};
RaceSummary SummaryOf(Card& card, DialogSurface& surface, int r);

// The window's title (UTF-8): "Oddsmith", then " — " and the track and the date (those present,
// one space between), then " — Race " and the shown race's label, else its number; the race
// while the card has a track, a date or more than one race, else "Oddsmith" alone.
std::string WindowTitle(const Card& card);

// The tip of control id of the shown race (tote.h, FormatControlTip, with the race's tote),
// after the row's identity and " · " where the row has one: "1A Secretariat · ML 5-2 · Board
// price 5-2 · 28.6 % to win"; the identity alone where the rest is empty (the book pending, the
// row out of the book). Returns its length, or NO_TIP for a control without a tip. CARD_TIP_MAX
// bytes always hold it.
constexpr std::size_t CARD_TIP_MAX = TIP_MAX + IDENTITY_TEXT_MAX + 8;
int FormatCardTip(DialogSurface& surface, const Card& card, int id, char* buffer, std::size_t size);

// What a screen reader is told of row i's (0..13) odds field and bar beside its name: its
// identity as a description, "1A Secretariat, morning line 5-2" (UTF-8); empty without one.
std::string RowDescription(const Card& card, int i);

#endif
