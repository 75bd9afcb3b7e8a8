// Each race's history of states, and whether a card's work is saved.
#include "history/history.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog/headless/headless_dialog.h"

namespace {

struct Dialog {
  Dialog() {
    dialog.Init();
    EndStep(history, 1, dialog.Controls());
  }
  void Line(const char* text) {
    dialog.Type(IDC_LINE, text);
    dialog.Leave(IDC_LINE);
  }
  std::string LineText() { return dialog.Shown()[IDC_LINE].text; }
  HeadlessDialog dialog;
  CardHistory history;
};

TEST(History, StepsUndoAndRedo) {
  Dialog d;
  // A step that changes nothing is not kept.
  EXPECT_FALSE(EndStep(d.history, 1, d.dialog.Controls()));
  EXPECT_FALSE(CanUndo(d.history, 1));
  d.Line("110");
  EXPECT_TRUE(EndStep(d.history, 1, d.dialog.Controls()));
  d.Line("100");
  EndStep(d.history, 1, d.dialog.Controls());
  // Undo drops what is typed since, modified flag and all.
  d.dialog.Type(IDC_ODDS, "5-2");
  ASSERT_TRUE(Undo(d.history, 1, d.dialog.Controls()));
  EXPECT_EQ(d.LineText(), "110");
  EXPECT_EQ(d.dialog.Shown()[IDC_ODDS].modified, false);
  ASSERT_TRUE(Redo(d.history, 1, d.dialog.Controls()));
  EXPECT_EQ(d.LineText(), "100");
  EXPECT_FALSE(Redo(d.history, 1, d.dialog.Controls()));
  // A new step after an undo drops what could be redone.
  Undo(d.history, 1, d.dialog.Controls());
  d.Line("130");
  EndStep(d.history, 1, d.dialog.Controls());
  EXPECT_FALSE(CanRedo(d.history, 1));
  Undo(d.history, 1, d.dialog.Controls());
  EXPECT_EQ(d.LineText(), "110");
  // Races keep histories of their own, and a race outside the card has none.
  EXPECT_FALSE(CanUndo(d.history, 2));
  EXPECT_FALSE(Undo(d.history, 0, d.dialog.Controls()));
  EXPECT_FALSE(EndStep(d.history, RACE_MAX + 1, d.dialog.Controls()));
}

TEST(History, KeepsTheLastHundredSteps) {
  Dialog d;
  for (int step = 0; step < 150; ++step) {
    d.Line(step % 2 ? "110" : "100");
    EndStep(d.history, 1, d.dialog.Controls());
  }
  int undone = 0;
  while (Undo(d.history, 1, d.dialog.Controls())) ++undone;
  EXPECT_EQ(undone, static_cast<int>(HISTORY_DEPTH));
  EXPECT_EQ(d.LineText(), "110");  // the state after step 49, the oldest kept
}

TEST(History, AnOpenCarriesTheShownRaceAndForgetsTheRest) {
  Dialog d;
  d.Line("110");
  EndStep(d.history, 1, d.dialog.Controls());
  EndStep(d.history, 2, d.dialog.Controls());
  d.Line("100");
  EndStep(d.history, 2, d.dialog.Controls());
  CarryHistory(d.history, 1, 3);
  EXPECT_FALSE(CanUndo(d.history, 1));
  EXPECT_FALSE(CanUndo(d.history, 2));
  ASSERT_TRUE(Undo(d.history, 3, d.dialog.Controls()));
  EXPECT_EQ(d.LineText(), "120");
}

TEST(Document, UnsavedWorkAndTitle) {
  HeadlessDialog dialog;
  dialog.Init();
  DocumentState document;
  Card& card = *dialog.KeptCard();
  // Never saved: one race with nothing of its own is nothing to ask about, a name is.
  EXPECT_FALSE(HasUnsavedWork(document, card, dialog.Controls()));
  SetFixedText(ShownRace(card).horses[0].name, "Secretariat");
  EXPECT_TRUE(HasUnsavedWork(document, card, dialog.Controls()));
  EXPECT_EQ(SaveChangesQuestion(document), "Save changes to Untitled?");
  EXPECT_EQ(DocumentTitle(document, card, true), "Oddsmith");
  // Saved: any change to what the file holds is, a typed entry included.
  MarkSaved(document, "/races/aqu/card.oddsline", card, dialog.Controls());
  EXPECT_FALSE(HasUnsavedWork(document, card, dialog.Controls()));
  dialog.Type(IDC_ODDS, "5-2");
  EXPECT_TRUE(HasUnsavedWork(document, card, dialog.Controls()));
  HoldRace(card, 3);
  card.shown = 3;
  EXPECT_EQ(DocumentTitle(document, card, true),
            "Oddsmith \xE2\x80\x94 card.oddsline* \xE2\x80\x94 Race 3");
  EXPECT_EQ(SaveChangesQuestion(document), "Save changes to card.oddsline?");
}

}  // namespace
