// Placing a file's entries on the card: a race not worked on yet is laid out from the file; a
// race that holds a line keeps it, and the file's horses find the rows that are already theirs.
#include <algorithm>
#include <cstring>

#include "book/book.h"
#include "book/snapshot.h"
#include "entries/entries.h"
#include "text/codepage.h"
#include "text/text.h"

namespace {

// Parts of an identity compared without the blanks around them, as typed or as a file
// writes them; an empty part is no one's.
bool SamePart(const char* a, const char* b) {
  const std::string_view x = TrimBlanks(a);
  return !x.empty() && SameAsciiWord(x, TrimBlanks(b));
}

// The same horse: by program number where both have one, else by name.
bool SameHorse(const HorseIdentity& entry, const HorseIdentity& row) {
  if (entry.program[0] != '\0' && row.program[0] != '\0') {
    return SamePart(entry.program, row.program);
  }
  return SamePart(entry.name, row.name);
}

// A click on row i's "Scr." box that scratches it.
void Scratch(DialogSurface& controls, int i) {
  controls.SetChecked(IDC_SCRATCH + i, true);
  ToggleScratch(controls, i, false);
}

void Note(ImportPlan& plan, ImportNote::Kind kind, int race, const HorseIdentity& horse) {
  plan.notes.push_back({kind, race, horse, 0, 0});
}

// A race as it started takes the file's entries in rows 1 to n, also-eligibles after the
// starters, and the field size n; the scratched and the also-eligible are then scratched.
void LayOut(ImportedRace& imported, const std::vector<const Entry*>& entries, ImportPlan& plan) {
  std::vector<const Entry*> order;
  for (const bool eligible : {false, true}) {
    for (const Entry* entry : entries) {
      if (entry->alsoEligible == eligible) order.push_back(entry);
    }
  }
  const int n = static_cast<int>(std::min<std::size_t>(order.size(), ROW_COUNT));
  for (std::size_t k = static_cast<std::size_t>(n); k < order.size(); ++k) {
    Note(plan, ImportNote::NOT_PLACED, imported.number, order[k]->horse);
  }
  Race& race = imported.race;
  HeadlessSurface controls(race.shown);
  for (int i = 0; i < n; ++i) race.horses[i] = order[static_cast<std::size_t>(i)]->horse;
  // As typing n into "# of horses:" and leaving it does.
  controls.Type(IDC_HORSES, std::to_string(n));
  SetFieldSize(controls, n);
  for (int i = 0; i < n; ++i) {
    const Entry& entry = *order[static_cast<std::size_t>(i)];
    if (entry.scratched || entry.alsoEligible) {
      Scratch(controls, i);
      ++imported.scratched;
    }
  }
  imported.placed = n;
  race.shown = controls.Snapshot();
}

// A race that holds a line: each entry finds its horse's row, or a row without an identity
// within the field; no share, lock or tote text moves.
void Match(ImportedRace& imported, const std::vector<const Entry*>& entries, ImportPlan& plan) {
  Race& race = imported.race;
  HeadlessSurface controls(race.shown);
  const int field = ReadFieldSize(controls);
  bool taken[ROW_COUNT] = {};
  std::vector<int> rowOf(entries.size(), -1);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    for (int i = 0; i < ROW_COUNT; ++i) {
      if (taken[i] || !HasIdentity(race.horses[i]) ||
          !SameHorse(entries[k]->horse, race.horses[i])) {
        continue;
      }
      taken[i] = true;
      rowOf[k] = i;
      ++imported.matched;
      // What the file leaves empty (a column it lacks, a morning line not set yet) keeps what
      // the row has, so nothing the user typed is lost to a blank cell.
      HorseIdentity& horse = race.horses[i];
      const HorseIdentity& from = entries[k]->horse;
      if (from.program[0] != '\0') std::memcpy(horse.program, from.program, sizeof horse.program);
      if (from.name[0] != '\0') std::memcpy(horse.name, from.name, sizeof horse.name);
      if (from.ml[0] != '\0') std::memcpy(horse.ml, from.ml, sizeof horse.ml);
      break;
    }
  }
  // Rows left without an identity, in row order, for the entries not matched, in file order.
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (rowOf[k] >= 0) continue;
    for (int i = 0; i < field; ++i) {
      if (taken[i] || HasIdentity(race.horses[i])) continue;
      taken[i] = true;
      rowOf[k] = i;
      race.horses[i] = entries[k]->horse;
      ++imported.placed;
      break;
    }
    if (rowOf[k] < 0) Note(plan, ImportNote::NOT_PLACED, imported.number, entries[k]->horse);
  }
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (!taken[i] && HasIdentity(race.horses[i])) {
      Note(plan, ImportNote::NOT_IN_FILE, imported.number, race.horses[i]);
    }
  }
  // A late scratch, in row order, as a click on the box would make it; none comes back.
  bool scratch[ROW_COUNT] = {};
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (rowOf[k] >= 0 && entries[k]->scratched) scratch[rowOf[k]] = true;
  }
  for (int i = 0; i < field; ++i) {
    if (scratch[i] && !controls.IsChecked(IDC_SCRATCH + i)) {
      Scratch(controls, i);
      ++imported.scratched;
    }
  }
  const int placed = imported.matched + imported.placed;
  if (placed != field)
    plan.notes.push_back({ImportNote::FIELD, imported.number, {}, field, placed});
  race.shown = controls.Snapshot();
}

void AddHorse(std::string& text, const HorseIdentity& horse) {
  char who[IDENTITY_TEXT_MAX];
  HorseIdentity named = horse;
  named.ml[0] = '\0';
  TextBuilder built(who, sizeof who);
  AddIdentity(built, named);
  text += who;
}

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

}  // namespace

ImportPlan PlanImport(Card& card, DialogSurface& surface, const EntryList& list) {
  ImportPlan plan;
  plan.track = list.track.empty() ? std::string(card.track) : list.track;
  plan.date = list.date.empty() ? std::string(card.date) : list.date;
  for (int r = 1; r <= RACE_MAX; ++r) {
    std::vector<const Entry*> entries;
    for (const Entry& entry : list.entries) {
      if (entry.race == r) entries.push_back(&entry);
    }
    if (entries.empty()) continue;
    ImportedRace imported;
    imported.number = r;
    if (const Race* held = FindRace(card, r)) {
      imported.keepsLine = RaceIsWorkedOn(card, surface, r);
      imported.race = *held;
      imported.race.shown = RaceState(card, surface, r);
    } else {
      imported.race.shown = StartedSnapshot();
    }
    if (imported.keepsLine) {
      Match(imported, entries, plan);
    } else {
      LayOut(imported, entries, plan);
    }
    plan.races.push_back(std::move(imported));
  }
  return plan;
}

void ApplyImport(const ImportPlan& plan, Card& card, DialogSurface& surface) {
  SetFixedText(card.track, plan.track);
  SetFixedText(card.date, plan.date);
  for (const ImportedRace& imported : plan.races) {
    Race& race = HoldRace(card, imported.number);
    race = imported.race;
    if (imported.number == card.shown) ShowSnapshot(surface, race.shown, true);
  }
}

std::string ImportQuestion(const ImportPlan& plan) {
  std::string text;
  for (const ImportedRace& race : plan.races) {
    text += "Race " + std::to_string(race.number) + ": ";
    if (race.keepsLine) {
      text += "keeps its line; " + Count(race.matched, "entry matched", "entries matched") + ", " +
              Count(race.placed, "placed in a free row", "placed in free rows");
    } else {
      text += Count(race.placed, "entry placed", "entries placed");
    }
    if (race.scratched > 0) text += ", " + std::to_string(race.scratched) + " scratched";
    text += ".\n";
    for (const ImportNote& note : plan.notes) {
      if (note.race != race.number) continue;
      switch (note.kind) {
        case ImportNote::NOT_PLACED:
          text += "    Not placed: ";
          AddHorse(text, note.horse);
          break;
        case ImportNote::NOT_IN_FILE:
          text += "    No longer listed, keeps its row: ";
          AddHorse(text, note.horse);
          break;
        case ImportNote::FIELD:
          text += "    The field has " + Count(note.horses, "horse", "horses") + ", " +
                  Count(note.placed, "entry", "entries") + " placed: neither is changed.";
          break;
      }
      text += '\n';
    }
  }
  text += "\nImport these entries?";
  return text;
}
