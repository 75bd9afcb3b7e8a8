// The import behind the fuzzer and the replay test; see import_invariants.h.
#include "fuzz/import_invariants.h"

#include <cstring>
#include <string_view>

#include "book/book.h"
#include "dialog/headless/headless_dialog.h"
#include "entries/entries.h"
#include "files/line_file.h"

namespace {

std::string Saved(HeadlessDialog& dialog) {
  return FormatLineFile(CardStateOf(*dialog.KeptCard(), dialog.Surface()));
}

// A card as a handicapper leaves it before post time: race 1 worked on (a horse locked, a tote
// price, an identity), race 3 held as it started, race 1 shown.
void Prepare(HeadlessDialog& dialog) {
  dialog.Init();
  Card& card = *dialog.KeptCard();
  SetFixedText(ShownRace(card).horses[0].program, "1");
  SetFixedText(ShownRace(card).horses[1].name, "Sea Bird");
  dialog.Type(IDC_HORSES, "6");
  dialog.Leave(IDC_HORSES);
  dialog.Type(IDC_ODDS + 1, "5-2");
  dialog.Leave(IDC_ODDS + 1);
  ToteState tote = *dialog.Tote();
  SetToteText(tote, 1, "3-1");
  dialog.SetTote(tote);
  HoldRace(card, 3);
}

bool Terminated(const char* text, std::size_t size) { return std::memchr(text, '\0', size); }

}  // namespace

std::string CheckImport(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  HeadlessDialog dialog;
  Prepare(dialog);
  Card& card = *dialog.KeptCard();
  const std::string before = Saved(dialog);
  const DialogSnapshot shownBefore = dialog.Controls().Snapshot();

  EntryList list;
  LineFileError error;
  if (!ParseEntries(bytes, list, error)) {
    if (error.reason.empty()) return "refused without a reason";
    if (error.line < 0) return "refused at a negative line";
    return "";
  }
  if (list.entries.empty()) return "a file without entries is taken";
  for (const Entry& entry : list.entries) {
    if (entry.race < 1 || entry.race > RACE_MAX) return "an entry outside the card's races";
    if (!Terminated(entry.horse.program, sizeof entry.horse.program) ||
        !Terminated(entry.horse.name, sizeof entry.horse.name) ||
        !Terminated(entry.horse.ml, sizeof entry.horse.ml)) {
      return "an identity past its limit";
    }
    if (entry.horse.program[0] == '\0' && entry.horse.name[0] == '\0') {
      return "an entry without a program number or a name";
    }
  }
  const ImportPlan plan = PlanImport(card, dialog.Surface(), list);
  if (Saved(dialog) != before || !(dialog.Controls().Snapshot() == shownBefore)) {
    return "working out an import changed the card";
  }
  // What each race keeps of itself, before the import is applied.
  DialogSnapshot kept[RACE_MAX + 1];
  ToteState totes[RACE_MAX + 1];
  for (const ImportedRace& imported : plan.races) {
    if (FindRace(card, imported.number)) {
      kept[imported.number] = RaceState(card, dialog.Surface(), imported.number);
      totes[imported.number] = FindRace(card, imported.number)->tote;
    }
  }
  ApplyImport(plan, card, dialog.Surface());
  if (card.shown != 1) return "an import changed the race shown";
  if (!(dialog.Controls().Snapshot() == RaceState(card, dialog.Surface(), 1))) {
    return "the dialog does not show the shown race";
  }
  for (const ImportedRace& imported : plan.races) {
    const int r = imported.number;
    HeadlessSurface after(RaceState(card, dialog.Surface(), r));
    int entries = 0;
    for (const Entry& entry : list.entries) entries += entry.race == r;
    int notPlaced = 0;
    for (const ImportNote& note : plan.notes) {
      notPlaced += note.race == r && note.kind == ImportNote::NOT_PLACED;
    }
    if (imported.matched + imported.placed + notPlaced != entries) {
      return "race " + std::to_string(r) + ": an entry neither placed nor reported";
    }
    const ToteState& tote = FindRace(card, r)->tote;
    bool toteKept = tote.edge == totes[r].edge;
    for (int i = 0; i < ROW_COUNT; ++i)
      toteKept = toteKept && ToteText(tote, i) == ToteText(totes[r], i);
    if (!toteKept && imported.keepsLine)
      return "race " + std::to_string(r) + ": a tote price moved";
    if (!imported.keepsLine) continue;
    HeadlessSurface was(kept[r]);
    if (ReadFieldSize(after) != ReadFieldSize(was)) return "a kept race's field size changed";
    for (int i = 0; i < ROW_COUNT; ++i) {
      if (after.Checked(IDC_LOCK + i) != was.Checked(IDC_LOCK + i)) return "a lock moved";
      if (was.Checked(IDC_SCRATCH + i) && !after.Checked(IDC_SCRATCH + i)) {
        return "a scratched horse came back";
      }
      if (was.Checked(IDC_LOCK + i) && !after.Checked(IDC_SCRATCH + i) &&
          after.Pos(IDC_POOL_BAR + i) != was.Pos(IDC_POOL_BAR + i)) {
        return "a locked horse's share moved";
      }
    }
  }
  // The card as imported saves and opens again.
  CardState state;
  if (!ParseLineFile(Saved(dialog), state, error)) {
    return "an imported card saves a file that is refused: " + error.reason;
  }
  return "";
}
