// Stakes: how much of the bankroll to bet on each horse the tote calls a BET, by Kelly's rule
// for several horses in one race. Betting each horse its own Kelly fraction overbets a race with
// two or more: a win on one is a loss on the others. The solution chooses the horses in order of
// their expected return and shares the bankroll among them, exactly, from the line's shares and
// the board's payouts after breakage.
#ifndef ODDSMITH_TOTE_STAKES_H
#define ODDSMITH_TOTE_STAKES_H

#include "dialog/surface.h"
#include "tote/tote.h"

// A horse that may be staked: its share of the line and what $2 on it pays after breakage.
struct KellyHorse {
  int row;             // 0..13, which breaks ties
  long long share;     // above 0
  long long payCents;  // at least PAYOUT_MIN_CENTS
};

// Kelly's stakes for count horses (at most ROW_COUNT) in a book whose shares add up to book
// (above 0): with p a horse's share / book and d its payout / 2, the horses in order of p·d,
// largest first (ties by row), are chosen while p·d exceeds R, R being (1 - Σp) / (1 - Σ1/d)
// over those chosen so far (1 before the first); each chosen horse's fraction is p - R / d with
// the last R. stakes[k] gets bankroll × kelly % × that fraction in whole dollars, rounded down
// once; 0 for a horse not chosen. Exact: no fraction is rounded on the way.
void KellyStakes(const KellyHorse* horses, int count, long long book, long long bankroll, int kelly,
                 long long* stakes);

// The stakes of the race the controls and tote show, row by row (0 for a row that is no BET or
// not in the book); bankroll NO_BANKROLL (or below 0) stakes nothing. Returns their sum.
long long FigureStakes(DialogSurface& surface, const ToteState& tote, long long bankroll, int kelly,
                       long long (&stakes)[ROW_COUNT]);

#endif
