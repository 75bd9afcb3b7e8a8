// Each race's history of states, and whether the card's work is saved.
#include "history/history.h"

#include <utility>

#include "book/identity.h"
#include "book/snapshot.h"
#include "files/line_file.h"
#include "tote/tote.h"

namespace {

bool InCard(int r) { return r >= 1 && r <= RACE_MAX; }

// Shows state, its flags included, and makes it the one shown.
bool ShowKept(RaceHistory& race, std::size_t at, DialogSurface& surface) {
  race.at = at;
  ShowSnapshot(surface, race.states[at], true);
  return true;
}

// The file's bytes for the card as it stands, the race shown aside: moving from race to race
// changes no work.
std::string WorkOf(Card& card, DialogSurface& surface) {
  CardState state = CardStateOf(card, surface);
  state.current = state.races.front().number;
  return FormatLineFile(state);
}

bool HasCardWork(const Card& card) {
  if (card.track[0] != '\0' || card.date[0] != '\0' || RaceCount(card) > 1) return true;
  const Race& race = ShownRace(card);
  if (race.label[0] != '\0') return true;
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (HasIdentity(race.horses[i]) || !ToteText(race.tote, i).empty()) return true;
  }
  return false;
}

}  // namespace

bool EndStep(CardHistory& history, int r, DialogSurface& surface) {
  if (!InCard(r)) return false;
  RaceHistory& race = history.races[r - 1];
  KeepSnapshot(surface, history.taken);
  if (!race.states.empty() && race.states[race.at] == history.taken) return false;
  if (!race.states.empty()) race.states.resize(race.at + 1);  // what could be redone goes
  if (race.states.size() > HISTORY_DEPTH) race.states.erase(race.states.begin());
  race.states.push_back(history.taken);
  race.at = race.states.size() - 1;
  return true;
}

bool Undo(CardHistory& history, int r, DialogSurface& surface) {
  if (!CanUndo(history, r)) return false;
  RaceHistory& race = history.races[r - 1];
  return ShowKept(race, race.at - 1, surface);
}

bool Redo(CardHistory& history, int r, DialogSurface& surface) {
  if (!CanRedo(history, r)) return false;
  RaceHistory& race = history.races[r - 1];
  return ShowKept(race, race.at + 1, surface);
}

bool CanUndo(const CardHistory& history, int r) { return InCard(r) && history.races[r - 1].at > 0; }

bool CanRedo(const CardHistory& history, int r) {
  return InCard(r) && history.races[r - 1].at + 1 < history.races[r - 1].states.size();
}

void ForgetRace(CardHistory& history, int r) {
  if (InCard(r)) history.races[r - 1] = RaceHistory();
}

void ForgetRacesGone(CardHistory& history, const Card& card) {
  for (int r = 1; r <= RACE_MAX; ++r) {
    if (!FindRace(card, r)) ForgetRace(history, r);
  }
}

void CarryHistory(CardHistory& history, int from, int to) {
  if (!InCard(from) || !InCard(to)) return;
  if (from != to) history.races[to - 1] = std::move(history.races[from - 1]);
  for (int r = 1; r <= RACE_MAX; ++r) {
    if (r != to) ForgetRace(history, r);
  }
}

void MarkSaved(DocumentState& document, const std::string& path, Card& card,
               DialogSurface& surface) {
  document.path = path;
  document.saved = WorkOf(card, surface);
}

bool HasUnsavedWork(const DocumentState& document, Card& card, DialogSurface& surface) {
  if (document.path.empty()) return HasCardWork(card);
  return WorkOf(card, surface) != document.saved;
}

std::string DocumentName(const DocumentState& document) {
  if (document.path.empty()) return "Untitled";
  const std::size_t slash = document.path.find_last_of("/\\");
  return slash == std::string::npos ? document.path : document.path.substr(slash + 1);
}

std::string DocumentTitle(const DocumentState& document, const Card& card, bool unsaved) {
  std::string title = WindowTitle(card);
  if (document.path.empty()) return title;
  constexpr std::size_t PROGRAM = sizeof "Oddsmith" - 1;
  std::string name = " \xE2\x80\x94 " + DocumentName(document);  // after an em dash
  if (unsaved) name += '*';
  return title.insert(PROGRAM, name);
}

std::string SaveChangesQuestion(const DocumentState& document) {
  return "Save changes to " + DocumentName(document) + "?";
}
