// The card: which race each move shows, that a race comes back exactly as it was left, what
// removing one asks and shows, and the title, tips and descriptions the windows read off it.
#include "card/card.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "book/snapshot.h"
#include "dialog/headless/headless_dialog.h"

namespace {

// A card holding the races listed, showing shown, its controls on surface as the dialog
// starts.
Card CardOf(std::initializer_list<int> held, int shown) {
  Card card;
  card.races[0].reset();
  for (int r : held) HoldRace(card, r);
  card.shown = shown;
  return card;
}

struct Moves {
  std::initializer_list<int> held;
  int shown;
  int next;
  int previous;
  int free;
};

TEST(Card, EachMoveShowsTheRaceItNames) {
  const Moves cases[] = {
      {{1}, 1, 2, 0, 2},        {{1, 2, 3}, 2, 3, 1, 4},
      {{1, 3}, 1, 3, 0, 2},      // Next skips the numbers not held
      {{2, 5, 9}, 9, 10, 5, 1},  // from the highest Next adds the number after it
      {{2, 5, 9}, 5, 9, 2, 1},  {{39}, 39, 40, 0, 1},
      {{40}, 40, 0, 0, 1},  // nothing after 40
      {{1, 40}, 40, 0, 1, 2},
  };
  for (const Moves& moves : cases) {
    const Card card = CardOf(moves.held, moves.shown);
    EXPECT_EQ(NextRace(card), moves.next) << moves.shown;
    EXPECT_EQ(PreviousRace(card), moves.previous) << moves.shown;
    EXPECT_EQ(FreeRace(card), moves.free) << moves.shown;
  }
  Card full;
  for (int r = 1; r <= RACE_MAX; ++r) HoldRace(full, r);
  EXPECT_EQ(FreeRace(full), 0);
  EXPECT_EQ(RaceCount(full), RACE_MAX);
}

TEST(Card, ARaceComesBackExactlyAsItWasLeft) {
  HeadlessDialog dialog;
  dialog.Init();
  Card& card = *dialog.KeptCard();
  HeadlessSurface& controls = dialog.Controls();
  EXPECT_EQ(controls.Snapshot(), StartedSnapshot());
  // A field typed but not taken, a locked horse, a bar out of the line's range: no share may
  // move and nothing may rebalance, either way.
  dialog.Click(IDC_LOCK + 2);
  dialog.Type(IDC_ODDS + 5, "5-2");
  controls.SetBarPos(IDC_POOL_BAR + 7, 9000);
  const DialogSnapshot left = controls.Snapshot();
  ASSERT_TRUE(controls.Modified(IDC_ODDS + 5));

  EXPECT_FALSE(ShowRace(card, controls, 1));  // the race shown: nothing happens
  EXPECT_FALSE(ShowRace(card, controls, 0));
  EXPECT_FALSE(ShowRace(card, controls, RACE_MAX + 1));
  EXPECT_EQ(controls.Snapshot(), left);

  ASSERT_TRUE(ShowRace(card, controls, 7));
  EXPECT_EQ(controls.Snapshot(), StartedSnapshot());  // a race not held starts as the dialog
  EXPECT_EQ(card.shown, 7);
  dialog.Click(IDC_SCRATCH);
  const DialogSnapshot seventh = controls.Snapshot();
  ASSERT_TRUE(ShowRace(card, controls, 1));
  EXPECT_EQ(controls.Snapshot(), left);
  EXPECT_TRUE(controls.Modified(IDC_ODDS + 5));
  ASSERT_TRUE(ShowRace(card, controls, 7));
  EXPECT_EQ(controls.Snapshot(), seventh);
  EXPECT_EQ(RaceCount(card), 2);
}

TEST(Card, RemovingARaceShowsTheOneBelowElseAbove) {
  HeadlessDialog dialog;
  dialog.Init();
  Card& card = *dialog.KeptCard();
  HeadlessSurface& controls = dialog.Controls();
  EXPECT_FALSE(RemoveRace(card, controls, 1));  // the last race stays
  EXPECT_FALSE(RemoveRace(card, controls, 2));  // not held
  for (int r : {3, 5, 8}) ShowRace(card, controls, r);
  dialog.Type(IDC_LINE, "110");
  dialog.Leave(IDC_LINE);
  ShowRace(card, controls, 5);
  ASSERT_TRUE(RemoveRace(card, controls, 5));
  EXPECT_EQ(card.shown, 3);
  ASSERT_TRUE(RemoveRace(card, controls, 1));  // a race not shown: the one shown stays
  EXPECT_EQ(card.shown, 3);
  ASSERT_TRUE(RemoveRace(card, controls, 3));
  EXPECT_EQ(card.shown, 8);  // none below: the next above, as it was left
  EXPECT_EQ(controls.Text(IDC_LINE), "110");
  EXPECT_FALSE(RemoveRace(card, controls, 8));
  EXPECT_EQ(RaceCount(card), 1);
}

TEST(Card, ARaceIsWorkedOnOnceItDiffersFromTheStart) {
  HeadlessDialog dialog;
  dialog.Init();
  Card& card = *dialog.KeptCard();
  HeadlessSurface& controls = dialog.Controls();
  EXPECT_FALSE(RaceIsWorkedOn(card, controls, 1));
  EXPECT_FALSE(RaceIsWorkedOn(card, controls, 2));  // not held
  const auto workedOn = [&](auto change) {
    HeadlessDialog fresh;
    fresh.Init();
    change(fresh);
    return RaceIsWorkedOn(*fresh.KeptCard(), fresh.Controls(), 1);
  };
  EXPECT_TRUE(workedOn(
      [](HeadlessDialog& d) { SetFixedText(d.KeptCard()->races[0]->horses[13].ml, "5-2"); }));
  EXPECT_TRUE(workedOn([](HeadlessDialog& d) {
    ToteState tote;
    SetToteText(tote, 4, "3-1");
    d.SetTote(tote);
  }));
  EXPECT_TRUE(workedOn([](HeadlessDialog& d) { d.Type(IDC_ODDS, "3"); }));  // a flag alone
  EXPECT_TRUE(workedOn([](HeadlessDialog& d) { d.Click(IDC_LOCK); }));
  EXPECT_FALSE(workedOn([](HeadlessDialog& d) {
    ToteState tote;
    tote.edge = 40;  // an edge is no price
    d.SetTote(tote);
  }));
  // A race left behind is judged as it was kept.
  dialog.Click(IDC_SCRATCH + 3);
  ShowRace(card, controls, 2);
  EXPECT_TRUE(RaceIsWorkedOn(card, controls, 1));
  EXPECT_FALSE(RaceIsWorkedOn(card, controls, 2));
  const RaceSummary summary = SummaryOf(card, controls, 1);
  EXPECT_EQ(summary.horses, 14);
  EXPECT_EQ(summary.scratched, 1);
  EXPECT_EQ(summary.named, 0);
}

struct Title {
  const char* track;
  const char* date;
  const char* label;
  bool twoRaces;
  const char* title;
};

TEST(Card, TheTitleNamesTheCardAndItsRace) {
  const Title cases[] = {
      {"", "", "", false, "Oddsmith"},
      {"", "", "Feature", false, "Oddsmith"},  // one race, nothing to tell it by
      {"", "", "", true, "Oddsmith — Race 5"},
      {"Aqueduct", "", "", false, "Oddsmith — Aqueduct — Race 5"},
      {"", "2026-12-09", "", false, "Oddsmith — 2026-12-09 — Race 5"},
      {"Aqueduct", "2026-12-09", "Feature", true, "Oddsmith — Aqueduct 2026-12-09 — Race Feature"},
      {"Saint-\xC9tienne", "", "\x80 5", false, "Oddsmith — Saint-Étienne — Race € 5"},
  };
  for (const Title& title : cases) {
    Card card = CardOf({5}, 5);
    if (title.twoRaces) HoldRace(card, 9);
    SetFixedText(card.track, title.track);
    SetFixedText(card.date, title.date);
    SetFixedText(card.races[4]->label, title.label);
    EXPECT_EQ(WindowTitle(card), title.title);
  }
}

TEST(Card, TipsAndDescriptionsBeginWithTheHorse) {
  HeadlessDialog dialog;
  Card& card = *dialog.KeptCard();
  HorseIdentity* horses = card.races[0]->horses;
  SetFixedText(horses[0].program, "1A");
  SetFixedText(horses[0].name, "Secretariat");
  SetFixedText(horses[0].ml, "5-2");
  SetFixedText(horses[1].name, "Sea\tBird");
  SetFixedText(horses[2].ml, "EVEN");
  char tip[CARD_TIP_MAX];
  const auto tipOf = [&](int id) {
    FormatCardTip(dialog.Surface(), card, id, tip, sizeof tip);
    return std::string(tip);
  };
  dialog.Init();
  dialog.Type(IDC_LINE, "100");  // the book pending until the line is left: the identity alone
  EXPECT_EQ(tipOf(IDC_ODDS), "1A Secretariat · ML 5-2");
  dialog.Leave(IDC_LINE);
  ToteState tote;
  SetToteText(tote, 0, "5-2");
  dialog.SetTote(tote);
  char plain[TIP_MAX];
  for (int id : {IDC_ODDS, IDC_POOL_BAR}) {
    FormatControlTip(dialog.Surface(), id, plain, sizeof plain, &ShownRace(card).tote);
    EXPECT_EQ(tipOf(id), std::string("1A Secretariat · ML 5-2 · ") + plain);
  }
  EXPECT_EQ(tipOf(IDC_POOL_BAR + 1).rfind("Sea Bird · Board price ", 0), 0u);
  EXPECT_EQ(tipOf(IDC_ODDS + 2).rfind("ML EVEN · Board price ", 0), 0u);
  FormatControlTip(dialog.Surface(), IDC_ODDS + 3, plain, sizeof plain, &ShownRace(card).tote);
  EXPECT_EQ(tipOf(IDC_ODDS + 3), plain);  // no identity: the tip as it was
  FormatControlTip(dialog.Surface(), IDC_LINE, plain, sizeof plain, &ShownRace(card).tote);
  EXPECT_EQ(tipOf(IDC_LINE), plain);
  EXPECT_EQ(FormatCardTip(dialog.Surface(), card, IDC_LOCK, tip, sizeof tip), NO_TIP);
  dialog.Click(IDC_SCRATCH);
  EXPECT_EQ(tipOf(IDC_ODDS), "1A Secretariat · ML 5-2");  // out of the book: the identity
  EXPECT_EQ(RowDescription(card, 0), "1A Secretariat, morning line 5-2");
  EXPECT_EQ(RowDescription(card, 1), "Sea Bird");
  EXPECT_EQ(RowDescription(card, 2), "morning line EVEN");
  EXPECT_EQ(RowDescription(card, 3), "");
  EXPECT_EQ(RowDescription(card, ROW_COUNT), "");

  // Every part at its limit in characters of three bytes still fits, whole.
  for (HorseIdentity& horse : card.races[0]->horses) {
    std::memset(horse.program, '\x80', PROGRAM_MAX);
    std::memset(horse.name, '\x80', HORSE_NAME_MAX);
    std::memset(horse.ml, '\x80', MORNING_LINE_MAX);
  }
  SetToteText(tote, 1, "99-1");
  dialog.SetTote(tote);
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    const int length = FormatCardTip(dialog.Surface(), card, id, nullptr, 0);
    EXPECT_LT(length, static_cast<int>(CARD_TIP_MAX)) << id;
  }
  EXPECT_EQ(tipOf(IDC_ODDS + 1).find("ML €€€€€€€€ · Board price"),
            3 * (PROGRAM_MAX + HORSE_NAME_MAX) + 5);
  EXPECT_LT(RowDescription(card, 1).size(), IDENTITY_TEXT_MAX);
}

}  // namespace
