// The card's races, the switch between them, and what the windows read off it.
#include "card/card.h"

#include <cstring>

#include "book/book.h"
#include "book/snapshot.h"

namespace {

bool InCard(int r) { return r >= 1 && r <= RACE_MAX; }

// The held race nearest to the shown one in the direction given (+1 or -1), or 0.
int HeldBeside(const Card& card, int from, int step) {
  for (int r = from + step; InCard(r); r += step) {
    if (FindRace(card, r)) return r;
  }
  return 0;
}

}  // namespace

Card::Card() { HoldRace(*this, 1); }

const DialogSnapshot& StartedSnapshot() {
  static const DialogSnapshot started = [] {
    HeadlessSurface controls;
    SetFieldSize(controls, ROW_COUNT);
    return controls.Snapshot();
  }();
  return started;
}

Race* FindRace(Card& card, int r) { return InCard(r) ? card.races[r - 1].get() : nullptr; }

const Race* FindRace(const Card& card, int r) {
  return InCard(r) ? card.races[r - 1].get() : nullptr;
}

Race& HoldRace(Card& card, int r) {
  std::unique_ptr<Race>& race = card.races[r - 1];
  if (!race) {
    race = std::make_unique<Race>();
    race->shown = StartedSnapshot();
  }
  return *race;
}

Race& ShownRace(Card& card) { return *FindRace(card, card.shown); }

const Race& ShownRace(const Card& card) { return *FindRace(card, card.shown); }

int RaceCount(const Card& card) {
  int count = 0;
  for (const auto& race : card.races) count += race != nullptr;
  return count;
}

int NextRace(const Card& card) {
  if (const int held = HeldBeside(card, card.shown, 1)) return held;
  return card.shown < RACE_MAX ? card.shown + 1 : 0;
}

int PreviousRace(const Card& card) { return HeldBeside(card, card.shown, -1); }

int FreeRace(const Card& card) {
  for (int r = 1; r <= RACE_MAX; ++r) {
    if (!FindRace(card, r)) return r;
  }
  return 0;
}

void KeepShownRace(Card& card, DialogSurface& surface) {
  KeepSnapshot(surface, ShownRace(card).shown);
}

DialogSnapshot RaceState(Card& card, DialogSurface& surface, int r) {
  DialogSnapshot shown = FindRace(card, r)->shown;
  if (r == card.shown) KeepSnapshot(surface, shown);
  return shown;
}

bool ShowRace(Card& card, DialogSurface& surface, int r) {
  if (!InCard(r) || r == card.shown) return false;
  KeepShownRace(card, surface);
  const Race& next = HoldRace(card, r);
  card.shown = r;
  ShowSnapshot(surface, next.shown, true);
  return true;
}

bool RaceIsWorkedOn(Card& card, DialogSurface& surface, int r) {
  const Race* race = FindRace(card, r);
  if (!race) return false;
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (HasIdentity(race->horses[i]) || !ToteText(race->tote, i).empty()) return true;
  }
  return !(RaceState(card, surface, r) == StartedSnapshot());
}

bool RemoveRace(Card& card, DialogSurface& surface, int r) {
  if (!FindRace(card, r) || RaceCount(card) == 1) return false;
  if (r == card.shown) {
    const int lower = HeldBeside(card, r, -1);
    ShowRace(card, surface, lower ? lower : HeldBeside(card, r, 1));
  }
  card.races[r - 1].reset();
  return true;
}

RaceSummary SummaryOf(Card& card, DialogSurface& surface, int r) {
  RaceSummary summary{0, 0, 0};
  const Race* race = FindRace(card, r);
  if (!race) return summary;
  HeadlessSurface controls(RaceState(card, surface, r));
  summary.horses = ReadFieldSize(controls);
  for (int i = 0; i < summary.horses; ++i) summary.scratched += controls.Checked(IDC_SCRATCH + i);
  for (const HorseIdentity& horse : race->horses) summary.named += HasIdentity(horse);
  return summary;
}

std::string WindowTitle(const Card& card) {
  std::string title = "Oddsmith";
  const auto add = [&title](const char* bytes) {
    AppendUtf8FromCp1252(title, std::string_view(bytes, std::strlen(bytes)));
  };
  const char* const dash = " \xE2\x80\x94 ";  // an em dash between spaces
  if (card.track[0] != '\0' || card.date[0] != '\0') {
    title += dash;
    add(card.track);
    if (card.track[0] != '\0' && card.date[0] != '\0') title += ' ';
    add(card.date);
  }
  if (card.track[0] == '\0' && card.date[0] == '\0' && RaceCount(card) == 1) return title;
  title += dash;
  title += "Race ";
  const Race& race = ShownRace(card);
  if (race.label[0] != '\0') {
    add(race.label);
  } else {
    title += std::to_string(card.shown);
  }
  return title;
}

int FormatCardTip(DialogSurface& surface, const Card& card, int id, char* buffer,
                  std::size_t size) {
  const Race& race = ShownRace(card);
  const int row = IsOddsField(id) ? id - IDC_ODDS : IsPoolBar(id) ? id - IDC_POOL_BAR : -1;
  TextBuilder text(buffer, size);
  if (row >= 0) AddIdentity(text, race.horses[row]);
  const int named = text.Length();
  // The rest goes where the identity ends, after a middle dot where both have something.
  char rest[TIP_MAX];
  const int length = FormatControlTip(surface, id, rest, sizeof rest, &race.tote);
  if (length == NO_TIP) return NO_TIP;
  if (named > 0 && length > 0) text.Add(" \xC2\xB7 ");
  text.Add(rest);
  return text.Length();
}

std::string RowDescription(const Card& card, int i) {
  if (i < 0 || i >= ROW_COUNT) return {};
  char description[IDENTITY_TEXT_MAX];
  TextBuilder text(description, sizeof description);
  AddIdentityDescription(text, ShownRace(card).horses[i]);
  return description;
}
