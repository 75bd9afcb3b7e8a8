// Undo and redo of the shown race, and what the program keeps to know whether a card's work is
// saved. Each race of the card has a history of its own: the dialog as each user action left it
// (every text with its modified flag, every bar, every mark), kept in memory only, so a slip
// in "% Line:" that cut every lock comes back as it was, and going to another race and back
// keeps both races' histories.
#ifndef ODDSMITH_HISTORY_HISTORY_H
#define ODDSMITH_HISTORY_HISTORY_H

#include <cstddef>
#include <string>
#include <vector>

#include "book/snapshot.h"
#include "card/card.h"
#include "dialog/surface.h"

// The steps a race can go back at least; older ones are dropped.
constexpr std::size_t HISTORY_DEPTH = 100;

// One race's states, oldest first, and the one shown among them.
struct RaceHistory {
  std::vector<DialogSnapshot> states;
  std::size_t at = 0;
};

struct CardHistory {
  RaceHistory races[RACE_MAX];  // race r at r - 1
  // The state being compared, its room reused; its labels, which nothing changes, the
  // template's, as in every kept state.
  DialogSnapshot taken = StartSnapshot();
};

// Ends a step in race r (1 to RACE_MAX), which surface shows: keeps what it shows now, unless
// that is the state kept last; a kept step drops what could be redone, and the oldest state once
// HISTORY_DEPTH steps are kept. The first state of a race starts its history. True when kept.
bool EndStep(CardHistory& history, int r, DialogSurface& surface);

// Shows race r's state before (Undo) or after (Redo) the one kept last, exactly, modified flags
// included: no share moves and nothing rebalances, and anything typed since is dropped. False,
// changing nothing, when there is none.
bool Undo(CardHistory& history, int r, DialogSurface& surface);
bool Redo(CardHistory& history, int r, DialogSurface& surface);
bool CanUndo(const CardHistory& history, int r);
bool CanRedo(const CardHistory& history, int r);

// Forgets race r's history, or that of every race the card does not hold.
void ForgetRace(CardHistory& history, int r);
void ForgetRacesGone(CardHistory& history, const Card& card);

// After an open, which showed race to where race from was shown: the history of the race on
// the screen goes on as race to's, so that undo brings back what the open replaced; every other
// race's is forgotten, being another card's.
void CarryHistory(CardHistory& history, int from, int to);

// The file a card came from or was last saved to, and what that file holds of it, so that a
// close or an open knows whether work would be lost.
struct DocumentState {
  std::string path;   // UTF-8; empty for a card never saved nor opened
  std::string saved;  // the file's bytes as this program writes the card, the race shown aside
};

// After a save to path or an open of path: card, its shown race as surface shows it, is what the
// file holds.
void MarkSaved(DocumentState& document, const std::string& path, Card& card,
               DialogSurface& surface);

// True when closing now would lose work: the card, its shown race as surface shows it (typed
// entries as they stand), differs from what its file holds (which race shows is no work); or, never
// saved, it holds more than one race, a track, a date, a label, an identity or a tote price. A card
// of one race with nothing of that, never saved, loses nothing worth asking about.
bool HasUnsavedWork(const DocumentState& document, Card& card, DialogSurface& surface);

// The file's name without its folder ("card.oddsline"), or "Untitled" for none.
std::string DocumentName(const DocumentState& document);

// The window's title (card.h, WindowTitle) with the file's name and "*" while there is unsaved
// work after "Oddsmith": "Oddsmith — card.oddsline* — Race 3". Without a file, WindowTitle's.
std::string DocumentTitle(const DocumentState& document, const Card& card, bool unsaved);

// What a close or an open asks when HasUnsavedWork: "Save changes to card.oddsline?".
std::string SaveChangesQuestion(const DocumentState& document);

#endif
