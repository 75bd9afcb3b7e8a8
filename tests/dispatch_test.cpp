// Whole user sessions through MainDialogProc on the headless dialog: every figure here is what
// the user sees after the event.
#include "dialog/dispatch.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "book/book.h"
#include "dialog/headless/headless_dialog.h"

namespace {

class Dialog : public ::testing::Test {
 protected:
  void SetUp() override { dialog.Init(); }

  HeadlessSurface& controls() { return dialog.Controls(); }
  int Share(int horse) { return controls().Pos(IDC_POOL_BAR + horse - 1); }
  std::string Odds(int horse) { return std::string(controls().Text(IDC_ODDS + horse - 1)); }
  std::string Win(int horse) { return std::string(controls().Text(IDC_WIN_PCT + horse - 1)); }
  bool Locked(int horse) { return controls().Checked(IDC_LOCK + horse - 1); }
  int Book() {
    int sum = 0;
    for (int i = 0; i < ROW_COUNT; ++i) {
      if (!controls().Checked(IDC_SCRATCH + i)) sum += controls().Pos(IDC_POOL_BAR + i);
    }
    return sum;
  }
  void EnterOdds(int horse, const char* text) {
    dialog.Type(IDC_ODDS + horse - 1, text);
    dialog.Leave(IDC_ODDS + horse - 1);
  }
  void EnterField(int id, const char* text) {
    dialog.Type(id, text);
    dialog.Leave(id);
  }

  HeadlessDialog dialog;
};

TEST_F(Dialog, StartGivesEveryHorseAnEvenShare) {
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(controls().Text(IDC_LINE), "120");
  EXPECT_EQ(controls().Text(IDC_HORSES), "14");
  for (int horse = 1; horse <= ROW_COUNT; ++horse) {
    EXPECT_EQ(Share(horse), 857);
    EXPECT_EQ(Win(horse), " 8.6%");
    EXPECT_EQ(Odds(horse), "10.7");
    EXPECT_EQ(controls().RangeMax(IDC_POOL_BAR + horse - 1), 10800);
  }
  EXPECT_EQ(Book(), 11998);
}

TEST_F(Dialog, ArrowClickTooSmallToSpread) {
  dialog.Scroll(IDC_POOL_BAR + 2, SCROLL_LINERIGHT, 0);
  EXPECT_EQ(Share(3), 867);
  EXPECT_EQ(Win(3), " 8.7%");
  EXPECT_EQ(Odds(3), "10.5");
  EXPECT_EQ(Share(1), 857);
}

TEST_F(Dialog, EveryMovingScrollCode) {
  const int bar = IDC_POOL_BAR + 2;
  dialog.Scroll(bar, SCROLL_PAGERIGHT, 0);  // 957: -100 / 14 = -7 for all
  EXPECT_EQ(Share(3), 950);
  dialog.Scroll(bar, SCROLL_PAGELEFT, 0);  // 850: +98 / 14 = +7
  EXPECT_EQ(Share(3), 857);
  dialog.Scroll(bar, SCROLL_LINELEFT, 0);
  EXPECT_EQ(Share(3), 847);
  dialog.Scroll(bar, SCROLL_THUMBPOSITION, 1000);  // +153 / 14 = -10 -> 990
  EXPECT_EQ(Share(3), 990);
}

TEST_F(Dialog, DragTakesTheCorrectionFromEveryHorse) {
  dialog.Scroll(IDC_POOL_BAR + 2, SCROLL_THUMBTRACK, 2857);
  EXPECT_EQ(Share(3), 2715);
  EXPECT_EQ(Win(3), "27.1%");
  EXPECT_EQ(Odds(3), "2.7");
  EXPECT_EQ(Share(1), 715);
  EXPECT_EQ(Win(1), " 7.2%");
  EXPECT_EQ(Odds(1), "13.0");
  EXPECT_EQ(Book(), 12010);
}

TEST_F(Dialog, ThumbPositionIsBoundedAndNotCutTo16Bits) {
  dialog.Scroll(IDC_POOL_BAR, SCROLL_THUMBTRACK, 2147483647);
  EXPECT_EQ(Share(1), 10800 - 710);  // moved to the maximum, then -9941 / 14
  EnterField(IDC_LINE, "900");
  dialog.Scroll(IDC_POOL_BAR, SCROLL_THUMBTRACK, 70000);
  // 70000 does not fit the message's 16-bit word (4464); the bar's own position is taken.
  EXPECT_GT(Share(1), 65535);
}

// Arrow steps from the ends of the int range stay at that end instead of wrapping around to
// the other, whatever range a bar was given.
TEST_F(Dialog, ArrowStepsDoNotWrapAtTheEndsOfInt) {
  controls().SetBarRange(IDC_POOL_BAR, 0, INT_MAX);
  controls().SetBarPos(IDC_POOL_BAR, INT_MAX);
  dialog.Scroll(IDC_POOL_BAR, SCROLL_PAGERIGHT, 0);
  EXPECT_EQ(Share(1), 10800 - 710);  // at the maximum, then -9941 / 14
  controls().SetBarRange(IDC_POOL_BAR + 1, INT_MIN, 0);
  controls().SetBarPos(IDC_POOL_BAR + 1, INT_MIN);
  dialog.Scroll(IDC_POOL_BAR + 1, SCROLL_LINELEFT, 0);
  EXPECT_EQ(Share(2), 11);  // at 0 once the range is back, then +146 / 13 like the others
}

TEST_F(Dialog, CodesThatMoveNothingAreStillHandled) {
  for (unsigned code : {SCROLL_LEFT, SCROLL_RIGHT, SCROLL_ENDSCROLL, 9u, 0xFFFFu}) {
    EXPECT_TRUE(MainDialogProc(dialog, MSG_HSCROLL, code, IDC_POOL_BAR));
  }
  controls().SetBarPos(IDC_POOL_BAR, 2000);  // would spread if any code rebalanced
  EXPECT_TRUE(MainDialogProc(dialog, MSG_HSCROLL, SCROLL_ENDSCROLL, IDC_POOL_BAR));
  EXPECT_EQ(Share(1), 2000);
  EXPECT_EQ(Share(2), 857);
}

TEST_F(Dialog, ScrollFromSomethingElseIsLeftAlone) {
  EXPECT_FALSE(MainDialogProc(dialog, MSG_HSCROLL, SCROLL_LINERIGHT, 0));
  EXPECT_FALSE(MainDialogProc(dialog, MSG_HSCROLL, SCROLL_LINERIGHT, IDC_LOCK));
  EXPECT_EQ(Share(1), 857);
}

TEST_F(Dialog, OddsEntryPinsMovesAndLocks) {
  EnterOdds(1, "5-2");
  EXPECT_EQ(Share(1), 2857);
  EXPECT_TRUE(Locked(1));
  EXPECT_EQ(Odds(1), "2.5");
  EXPECT_EQ(Win(1), "28.6%");
  for (int horse = 2; horse <= ROW_COUNT; ++horse) {
    EXPECT_EQ(Share(horse), 704);
    EXPECT_EQ(Win(horse), " 7.0%");
    EXPECT_EQ(Odds(horse), "13.2");
  }
  EXPECT_EQ(Book(), 12009);
}

TEST_F(Dialog, LockedHorseKeepsItsShareAfterward) {
  EnterOdds(1, "5-2");
  EnterOdds(2, "18-7");
  EXPECT_EQ(Share(1), 2857);
  EXPECT_EQ(Share(2), 2799);
  EnterOdds(3, "2.2");
  EXPECT_EQ(Share(3), 3124);
  dialog.Leave(IDC_LINE);
  EXPECT_EQ(Share(1), 2857);
}

TEST_F(Dialog, LeavingUnchangedOddsDoesNothing) {
  dialog.Scroll(IDC_POOL_BAR, SCROLL_THUMBTRACK, 2000);
  const int before = Share(2);
  dialog.Leave(IDC_ODDS + 1);
  EXPECT_EQ(Share(2), before);
  EXPECT_FALSE(Locked(2));
}

TEST_F(Dialog, RetypingTheShownOddsStillPinsAndLocks) {
  EnterOdds(4, "10.7");  // the text shown; 10.7 in single precision is a share of 854
  EXPECT_EQ(Share(4), 854);
  EXPECT_TRUE(Locked(4));
}

TEST_F(Dialog, OddsTypedIntoAScratchedRowStayAsTyped) {
  dialog.Click(IDC_SCRATCH + 4);
  EnterOdds(5, "5-2");
  EXPECT_EQ(Odds(5), "5-2");
  EXPECT_FALSE(Locked(5));
  EXPECT_EQ(Share(1), 923);
}

TEST_F(Dialog, OddsBeyondTheBarAreBounded) {
  EnterOdds(1, "0.&");  // odds of -1: an infinite share
  EXPECT_EQ(Share(1), 10800);
  EXPECT_EQ(Odds(1), "-0.1");
}

TEST_F(Dialog, LeavingTheLineRebalancesTheWholeField) {
  dialog.Scroll(IDC_POOL_BAR + 2, SCROLL_THUMBTRACK, 2857);
  dialog.Leave(IDC_LINE);  // 12010 back toward 12000: -10 / 14 = 0
  EXPECT_EQ(Book(), 12010);
  EnterField(IDC_LINE, "100");
  EXPECT_EQ(controls().Text(IDC_LINE), "100");
  EXPECT_EQ(Share(3), 2715 - 143);  // (10000 - 12010) / 14 = -143
}

TEST_F(Dialog, FieldSizeOfEight) {
  EnterField(IDC_HORSES, "8");
  EXPECT_EQ(controls().Text(IDC_HORSES), " 8");
  for (int horse = 1; horse <= 8; ++horse) {
    EXPECT_EQ(Share(horse), 1500);
    EXPECT_EQ(Win(horse), "15.0%");
    EXPECT_EQ(Odds(horse), "5.7");
  }
  for (int horse = 9; horse <= ROW_COUNT; ++horse) {
    EXPECT_TRUE(controls().Checked(IDC_SCRATCH + horse - 1));
    EXPECT_FALSE(controls().ArrowsEnabled(IDC_POOL_BAR + horse - 1));
    EXPECT_EQ(Odds(horse), "");
    EXPECT_EQ(Win(horse), "");
    EXPECT_EQ(Share(horse), 857);
  }
}

TEST_F(Dialog, FieldSizeOutOfRangeWaitsForTheNextRebalance) {
  EnterField(IDC_HORSES, "8");
  EnterField(IDC_HORSES, "15");
  EXPECT_EQ(controls().Text(IDC_HORSES), "15");
  dialog.Leave(IDC_LINE);
  EXPECT_EQ(controls().Text(IDC_HORSES), "14");
  EXPECT_TRUE(controls().Checked(IDC_SCRATCH + 8));  // rows 9..14 stay out of the book
  EXPECT_EQ(Share(1), 1500);
}

TEST_F(Dialog, FieldSizeLeftUnchangedDoesNothing) {
  dialog.Scroll(IDC_POOL_BAR, SCROLL_THUMBTRACK, 3000);
  const int before = Share(2);
  controls().Type(IDC_HORSES, "14");
  controls().WriteText(IDC_HORSES, "14");  // written by the program: not the user's
  dialog.Leave(IDC_HORSES);
  EXPECT_EQ(Share(2), before);
}

TEST_F(Dialog, ScratchGivesTheShareBackAndReinstatingTakesItAgain) {
  dialog.Click(IDC_SCRATCH + 1);
  EXPECT_EQ(Odds(2), "");
  EXPECT_EQ(Win(2), "");
  EXPECT_FALSE(controls().ArrowsEnabled(IDC_POOL_BAR + 1));
  for (int horse : {1, 3, 14}) {
    EXPECT_EQ(Share(horse), 923);
    EXPECT_EQ(Win(horse), " 9.2%");
    EXPECT_EQ(Odds(horse), "9.8");
  }
  dialog.Click(IDC_SCRATCH + 1);  // 857 comes back: -856 / 14 = -61 for all
  EXPECT_TRUE(controls().ArrowsEnabled(IDC_POOL_BAR + 1));
  EXPECT_EQ(Share(2), 796);
  EXPECT_EQ(Share(1), 862);
}

TEST_F(Dialog, LockSurvivesScratchAndReinstatement) {
  EnterOdds(2, "5-2");
  dialog.Click(IDC_SCRATCH + 1);
  dialog.Click(IDC_SCRATCH + 1);
  EXPECT_TRUE(Locked(2));
  EXPECT_EQ(Share(2), 2857);
}

TEST_F(Dialog, ScratchingEveryHorseLeavesNoFreeOne) {
  for (int i = 0; i < ROW_COUNT; ++i) dialog.Click(IDC_SCRATCH + i);
  EXPECT_EQ(Book(), 0);
  dialog.Click(IDC_SCRATCH + 6);
  EXPECT_EQ(Share(7), 10800);  // the one horse takes what the bar allows
  EXPECT_EQ(Odds(7), "-0.1");
}

TEST_F(Dialog, LockClicksWaitForTheNextRebalance) {
  dialog.Click(IDC_LOCK);
  EXPECT_TRUE(Locked(1));
  dialog.Scroll(IDC_POOL_BAR + 1, SCROLL_THUMBTRACK, 2000);
  EXPECT_EQ(Share(1), 857);
}

TEST_F(Dialog, CancelEndsTheDialogAndQuitsWithZero) {
  EXPECT_FALSE(MainDialogProc(dialog, MSG_COMMAND, MakeCommandParam(CMD_OK, 0), 0));
  int code = -1;
  EXPECT_FALSE(dialog.QuitPosted(code));
  dialog.Command(CMD_CANCEL);
  EXPECT_TRUE(dialog.Ended());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(dialog.QuitPosted(code));
  EXPECT_EQ(code, 0);
}

// The change notifications the program's own writes cause, and focus loss of controls that
// are no input field, must neither rebalance nor take the typed odds.
TEST_F(Dialog, OtherNotificationsChangeNothing) {
  constexpr unsigned EDIT_CHANGE = 0x0300;
  dialog.Type(IDC_ODDS, "5-2");
  EXPECT_FALSE(MainDialogProc(dialog, MSG_COMMAND, MakeCommandParam(IDC_ODDS, EDIT_CHANGE), 0));
  EXPECT_FALSE(
      MainDialogProc(dialog, MSG_COMMAND, MakeCommandParam(IDC_RACE_INFO, NOTIFY_KILLFOCUS), 0));
  EXPECT_FALSE(
      MainDialogProc(dialog, MSG_COMMAND, MakeCommandParam(IDC_SCRATCH, NOTIFY_KILLFOCUS), 0));
  EXPECT_EQ(Share(1), 857);
  EXPECT_EQ(Odds(1), "5-2");
  EXPECT_FALSE(Locked(1));
  EXPECT_FALSE(controls().Checked(IDC_SCRATCH));
}

TEST_F(Dialog, ResultsTellWhichMessagesWereHandled) {
  EXPECT_TRUE(MainDialogProc(dialog, MSG_INITDIALOG, 0, 0));
  EXPECT_TRUE(MainDialogProc(dialog, MSG_HSCROLL, SCROLL_ENDSCROLL, IDC_POOL_BAR));
  EXPECT_FALSE(
      MainDialogProc(dialog, MSG_COMMAND, MakeCommandParam(IDC_LINE, NOTIFY_KILLFOCUS), 0));
  EXPECT_FALSE(MainDialogProc(dialog, 0x000F, 0, 0));  // a paint message
  EXPECT_TRUE(MainDialogProc(dialog, MSG_COMMAND, MakeCommandParam(CMD_CANCEL, 0), 0));
  EXPECT_FALSE(MainDialogProc(dialog, MSG_DESTROY, 0, 0));
}

}  // namespace
