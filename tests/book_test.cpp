// The conversions and the rebalance, called directly on an in-memory dialog.
#include "book/book.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace {

double Parse(const std::string& text) {
  HeadlessSurface surface;
  surface.Type(IDC_ODDS, text);
  return ParseOddsText(surface, IDC_ODDS);
}

std::string OddsText(int share) {
  HeadlessSurface surface;
  surface.Type(IDC_ODDS, "typed");
  ShowOdds(surface, IDC_ODDS, share);
  EXPECT_FALSE(surface.Modified(IDC_ODDS));
  return std::string(surface.Text(IDC_ODDS));
}

std::string WinText(int share) {
  HeadlessSurface surface;
  ShowShare(surface, IDC_WIN_PCT, static_cast<float>(share) / 100.0f);
  return std::string(surface.Text(IDC_WIN_PCT));
}

TEST(ParseOddsText, RatioAndDecimalFormsAgree) {
  EXPECT_EQ(Parse("5-2"), 2.5);
  EXPECT_EQ(Parse("5/2"), 2.5);
  EXPECT_EQ(Parse("2.5"), 2.5);
  EXPECT_EQ(Parse("6-5"), 6.0 / 5);
  EXPECT_EQ(Parse("18-7"), 18.0 / 7);  // double precision, not rounded to single
}

TEST(ParseOddsText, OnlyOneDenominatorCharacterAndFourCharactersCount) {
  EXPECT_EQ(Parse("9-10"), 9);
  EXPECT_EQ(Parse("11-10"), 11);
  EXPECT_EQ(Parse("12.25"), 12.2f);
  EXPECT_EQ(Parse("3-2.5"), 1.5);
  EXPECT_EQ(Parse("123456"), 123456);  // the whole part is the number read, not the scan
}

TEST(ParseOddsText, DenominatorBelowOneBecomesOne) {
  EXPECT_EQ(Parse("5-0"), 5);
  EXPECT_EQ(Parse("5-"), 5);
  EXPECT_EQ(Parse("5-!"), 5);
}

TEST(ParseOddsText, SeparatorAlwaysSwitchesState) {
  EXPECT_EQ(Parse(".5"), 0.5f);
  EXPECT_EQ(Parse("5--2"), 2.5);
  EXPECT_EQ(Parse("3-.5"), 3.5f);
}

TEST(ParseOddsText, TextWithoutNumberReadsZero) {
  EXPECT_EQ(Parse(""), 0);
  EXPECT_EQ(Parse("evens"), 0);
  EXPECT_EQ(Parse(" +5"), 0);
}

TEST(ParseOddsText, CharactersCountByTheirSignedCode) {
  EXPECT_EQ(Parse("5-a"), 5.0 / 49);
  EXPECT_EQ(Parse("0.&"), -1.0f);
  // 0xE9 counts as -23, so its distance from "0" is -71.
  EXPECT_EQ(Parse("5.\xE9"), static_cast<float>(-71 * 0.1 + 5));
}

TEST(OddsToShare, ReciprocalFirstThenScaledAndTruncated) {
  EXPECT_EQ(OddsToShare(2.5), 2857);
  EXPECT_EQ(OddsToShare(1), 5000);
  EXPECT_EQ(OddsToShare(0), 10000);
  EXPECT_EQ(OddsToShare(5.0 / 3), 3749);
  EXPECT_EQ(OddsToShare(18.0 / 7), 2799);  // one-step division would give 2800
  EXPECT_EQ(OddsToShare(2.2f), 3124);
  EXPECT_EQ(OddsToShare(0.6f), 6249);
}

TEST(OddsToShare, ResultsOutsideIntSaturate) {
  EXPECT_EQ(OddsToShare(-1), INT_MAX);  // 1 / 0 is +infinity
  EXPECT_EQ(OddsToShare(-0.99999999), INT_MAX);
  EXPECT_EQ(OddsToShare(-1.0000001), INT_MIN);
  EXPECT_EQ(OddsToShare(-2), -10000);
  EXPECT_EQ(OddsToShare(NAN), 0);
  EXPECT_EQ(OddsToShare(INFINITY), 0);
  EXPECT_EQ(OddsToShare(1e300), 0);
}

TEST(ShowOdds, LongOddsAreCappedAt99) {
  EXPECT_EQ(OddsText(0), "99.0");
  EXPECT_EQ(OddsText(99), "99.0");
  EXPECT_EQ(OddsText(100), "99.0");
  EXPECT_EQ(OddsText(320), "30.3");
}

TEST(ShowOdds, ShortOddsDownToNegative) {
  EXPECT_EQ(OddsText(857), "10.7");
  EXPECT_EQ(OddsText(1600), "5.3");
  EXPECT_EQ(OddsText(8000), "0.3");
  EXPECT_EQ(OddsText(10000), "0.0");
  EXPECT_EQ(OddsText(10001), "0.0");
  EXPECT_EQ(OddsText(10526), "0.0");
  EXPECT_EQ(OddsText(10527), "-0.1");
  EXPECT_EQ(OddsText(10800), "-0.1");
}

TEST(ShowShare, FourWideWithPercentSign) {
  EXPECT_EQ(WinText(857), " 8.6%");
  EXPECT_EQ(WinText(1250), "12.5%");
  EXPECT_EQ(WinText(845), " 8.4%");
  EXPECT_EQ(WinText(825), " 8.3%");
  EXPECT_EQ(WinText(0), " 0.0%");
  EXPECT_EQ(WinText(81000), "810.0%");
}

// A field of three horses, all free at 4000, on a line of 120.
class ThreeHorses : public ::testing::Test {
 protected:
  void SetUp() override {
    surface.Type(IDC_HORSES, "3");
    SetFieldSize(surface, 3);
    for (int i = 0; i < 3; ++i) surface.SetBarPos(IDC_POOL_BAR + i, 4000);
  }
  int Share(int horse) const { return surface.Pos(IDC_POOL_BAR + horse - 1); }
  HeadlessSurface surface;
};

TEST_F(ThreeHorses, BarPinCountsOnlyHorsesAboveZeroButMovesAll) {
  surface.SetBarPos(IDC_POOL_BAR + 1, 0);
  RebalanceBook(surface, PIN_BAR);
  EXPECT_EQ(Share(1), 6000);
  EXPECT_EQ(Share(2), 2000);
  EXPECT_EQ(Share(3), 6000);
}

TEST_F(ThreeHorses, HorsePinKeepsItsShare) {
  surface.SetBarPos(IDC_POOL_BAR, 5000);
  RebalanceBook(surface, 1);
  EXPECT_EQ(Share(1), 5000);
  EXPECT_EQ(Share(2), 3500);
  EXPECT_EQ(Share(3), 3500);
}

TEST_F(ThreeHorses, WholeFieldCountsHorsesAtZero) {
  surface.SetBarPos(IDC_POOL_BAR + 1, 0);
  RebalanceBook(surface, PIN_NONE);  // 4000 short over three horses
  EXPECT_EQ(Share(1), 5333);
  EXPECT_EQ(Share(2), 1333);
  EXPECT_EQ(Share(3), 5333);
}

TEST_F(ThreeHorses, NegativeCorrectionStopsAtZero) {
  surface.SetBarPos(IDC_POOL_BAR, 10800);
  surface.SetBarPos(IDC_POOL_BAR + 1, 5000);
  surface.SetBarPos(IDC_POOL_BAR + 2, 100);
  RebalanceBook(surface, PIN_NONE);  // delta -3900 / 3 = -1300
  EXPECT_EQ(Share(1), 9500);
  EXPECT_EQ(Share(2), 3700);
  EXPECT_EQ(Share(3), 0);  // the book stays 1200 above the line
}

TEST_F(ThreeHorses, NoFreeHorseMovesNothingButRewritesTexts) {
  for (int i = 0; i < 3; ++i) surface.SetChecked(IDC_LOCK + i, true);
  surface.WriteText(IDC_WIN_PCT, "stale");
  RebalanceBook(surface, PIN_NONE);
  EXPECT_EQ(Share(1), 4000);
  EXPECT_EQ(surface.Text(IDC_WIN_PCT), "40.0%");
}

TEST_F(ThreeHorses, RowsBeyondTheFieldAreNotTouched) {
  surface.SetChecked(IDC_SCRATCH + 5, false);
  surface.WriteText(IDC_ODDS + 5, "kept");
  RebalanceBook(surface, PIN_NONE);
  EXPECT_EQ(surface.Text(IDC_ODDS + 5), "kept");
  EXPECT_EQ(surface.RangeMax(IDC_POOL_BAR + 5), 0);
  EXPECT_FALSE(surface.Checked(IDC_SCRATCH + 5));
}

TEST(RebalanceBook, OutOfRangeLineAndFieldBecomeDefaults) {
  for (const char* line : {"0", "901", "abc", "4294967295", "99999999999999999999"}) {
    HeadlessSurface surface;
    surface.Type(IDC_LINE, line);
    surface.Type(IDC_HORSES, "15");
    RebalanceBook(surface, PIN_NONE);
    EXPECT_EQ(surface.Text(IDC_LINE), "120") << line;
    EXPECT_EQ(surface.Text(IDC_HORSES), "14") << line;
    EXPECT_FALSE(surface.Modified(IDC_LINE));
  }
}

TEST(RebalanceBook, LowerLineMovesBarsDownBeforeReadingThem) {
  HeadlessSurface surface;
  SetFieldSize(surface, 14);
  surface.SetBarPos(IDC_POOL_BAR, 10000);
  surface.Type(IDC_LINE, "100");
  RebalanceBook(surface, PIN_NONE);
  EXPECT_EQ(surface.RangeMax(IDC_POOL_BAR), 9000);
  // 10000 - 13 * 857 - 9000 = -10141 over 14 horses: -724 each.
  EXPECT_EQ(surface.Pos(IDC_POOL_BAR), 9000 - 724);
  EXPECT_EQ(surface.Pos(IDC_POOL_BAR + 1), 857 - 724);
  EXPECT_EQ(surface.Text(IDC_LINE), "100");
}

TEST(RebalanceBook, HighestLineScalesTheBars) {
  HeadlessSurface surface;
  surface.Type(IDC_LINE, "900");
  SetFieldSize(surface, 14);
  EXPECT_EQ(surface.RangeMax(IDC_POOL_BAR + 13), 81000);
  EXPECT_EQ(surface.Pos(IDC_POOL_BAR), 90000 / 14);
}

TEST(SetFieldSize, OutOfRangeChangesNothing) {
  for (int n : {0, 15, -1, INT_MAX, INT_MIN}) {
    HeadlessSurface surface;
    SetFieldSize(surface, n);
    EXPECT_EQ(surface.Text(IDC_LINE), "") << n;
    EXPECT_FALSE(surface.Checked(IDC_SCRATCH + 13)) << n;
  }
}

TEST(ToggleScratch, RowOutsideTheDialogChangesNothing) {
  HeadlessSurface surface;
  ToggleScratch(surface, 14, false);
  ToggleScratch(surface, -1, true);
  EXPECT_EQ(surface.Text(IDC_LINE), "");
  EXPECT_EQ(surface.StrayAccesses(), 0);
}

TEST(RebalanceBook, TouchesOnlyTheDialogsControls) {
  HeadlessSurface surface;
  SetFieldSize(surface, 14);
  RebalanceBook(surface, INT_MIN);
  RebalanceBook(surface, INT_MAX);
  SetFieldSize(surface, 1);
  EXPECT_EQ(surface.StrayAccesses(), 0);
}

}  // namespace
