// The number parser every binding shares, and the in-memory controls' window-system rules.
#include "dialog/surface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ParseUnsigned, LeadingBlanksThenDigitRun) {
  EXPECT_EQ(ParseUnsigned("5-2").value, 5u);
  EXPECT_TRUE(ParseUnsigned("5-2").ok);
  EXPECT_EQ(ParseUnsigned(" \t 120").value, 120u);
  EXPECT_EQ(ParseUnsigned("007").value, 7u);
  EXPECT_EQ(ParseUnsigned(std::string(10000, ' ') + "5").value, 5u);
}

TEST(ParseUnsigned, NoDigitIsNotOk) {
  for (const char* text : {"", " ", "-5", "+5", "x1", "\n5", ".5"}) {
    const UnsignedRead read = ParseUnsigned(text);
    EXPECT_EQ(read.value, 0u) << text;
    EXPECT_FALSE(read.ok) << text;
  }
}

TEST(ParseUnsigned, RunsAboveTheUnsignedRangeNeverWrap) {
  EXPECT_EQ(ParseUnsigned("4294967295").value, 4294967295u);
  EXPECT_TRUE(ParseUnsigned("4294967295").ok);
  for (const char* text :
       {"4294967296", "4294967301", "18446744073709551617", "99999999999999999999999999999999"}) {
    EXPECT_EQ(ParseUnsigned(text).value, 0u) << text;
    EXPECT_FALSE(ParseUnsigned(text).ok) << text;
  }
  EXPECT_EQ(ParseUnsigned(std::string(5000, '0') + "42").value, 42u);
}

TEST(HeadlessSurface, StartsAsTheWindowSystemCreatesTheControls) {
  HeadlessSurface surface;
  EXPECT_EQ(surface.Text(IDC_LINE), "");
  EXPECT_EQ(surface.Text(IDC_LINE_LABEL), "% Line:");
  EXPECT_EQ(surface.Text(IDC_ROW_NUMBER + 13), "14");
  EXPECT_EQ(surface.Text(IDC_RACE_INFO), "Race Info");
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    EXPECT_FALSE(surface.Modified(id));
    EXPECT_FALSE(surface.Checked(id));
    EXPECT_EQ(surface.RangeMin(id), 0);
    EXPECT_EQ(surface.RangeMax(id), 0);
    EXPECT_EQ(surface.Pos(id), 0);
    EXPECT_TRUE(surface.ArrowsEnabled(id));
  }
}

TEST(HeadlessSurface, WritingClearsTheModifiedFlagTypingSetsIt) {
  HeadlessSurface surface;
  surface.Type(IDC_ODDS, "5-2");
  EXPECT_TRUE(surface.IsModified(IDC_ODDS));
  surface.WriteText(IDC_ODDS, "10.7");
  EXPECT_FALSE(surface.IsModified(IDC_ODDS));
  EXPECT_EQ(surface.Text(IDC_ODDS), "10.7");
}

TEST(HeadlessSurface, TypedTextEndsAtNul) {
  HeadlessSurface surface;
  surface.Type(IDC_ODDS, std::string("5-2\0tail", 8));
  EXPECT_EQ(surface.Text(IDC_ODDS), "5-2");
}

TEST(HeadlessSurface, ReadTextReturnsAtMostMaxMinusOne) {
  HeadlessSurface surface;
  surface.Type(IDC_ODDS, "11-10");
  char text[5] = "zzzz";
  EXPECT_EQ(surface.ReadText(IDC_ODDS, text, 5), 4);
  EXPECT_STREQ(text, "11-1");
  EXPECT_EQ(surface.ReadText(IDC_ODDS, text, 1), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(surface.ReadText(IDC_ODDS, text, 0), 0);
}

TEST(HeadlessSurface, BarBoundsItsPosition) {
  HeadlessSurface surface;
  surface.SetBarPos(IDC_POOL_BAR, 500);
  EXPECT_EQ(surface.BarPos(IDC_POOL_BAR), 0);  // range 0..0 until the first rebalance
  surface.SetBarRange(IDC_POOL_BAR, 0, 10800);
  surface.SetBarPos(IDC_POOL_BAR, 20000);
  EXPECT_EQ(surface.BarPos(IDC_POOL_BAR), 10800);
  surface.SetBarPos(IDC_POOL_BAR, -5);
  EXPECT_EQ(surface.BarPos(IDC_POOL_BAR), 0);
  surface.SetBarPos(IDC_POOL_BAR, 9500);
  surface.SetBarRange(IDC_POOL_BAR, 0, 9000);
  EXPECT_EQ(surface.BarPos(IDC_POOL_BAR), 9000);
}

TEST(HeadlessSurface, UnknownIdentifiersAreIgnoredAndCounted) {
  HeadlessSurface surface;
  surface.WriteText(100, "x");
  surface.SetChecked(196, true);
  EXPECT_FALSE(surface.IsChecked(196));
  EXPECT_FALSE(surface.ReadUnsigned(0).ok);
  char text[5] = "zzzz";
  EXPECT_EQ(surface.ReadText(-1, text, 5), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(surface.StrayAccesses(), 5);
}

}  // namespace
