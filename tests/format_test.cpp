// The printing rule must give the same digits on every C library, so each boundary of it is
// pinned here against values whose exact decimal expansion is known.
#include "book/format.h"

#include "text/number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <random>
#include <string>

namespace {

std::string Fixed(double value, int width) {
  char text[400];
  const int length = FormatFixed1(text, sizeof text, value, width);
  EXPECT_EQ(length, static_cast<int>(std::string(text).size()));
  return text;
}

std::string Int(int value, int width) {
  char text[20];
  FormatInt(text, sizeof text, value, width);
  return text;
}

TEST(FormatFixed1, HalfRoundsAwayFromZeroWhereHalfEvenWouldNot) {
  EXPECT_EQ(Fixed(8.25, 2), "8.3");
  EXPECT_EQ(Fixed(0.25, 2), "0.3");
  EXPECT_EQ(Fixed(-0.25, 2), "-0.3");
  EXPECT_EQ(Fixed(0.75, 2), "0.8");
}

TEST(FormatFixed1, OnlyTheFirstDroppedDigitDecides) {
  EXPECT_EQ(Fixed(8.45f, 4), " 8.4");  // 8.4499998... in single precision
  EXPECT_EQ(Fixed(8.57f, 4), " 8.6");
  EXPECT_EQ(Fixed(0.1499999, 2), "0.1");
  EXPECT_EQ(Fixed(1.05, 2), "1.1");  // 1.0500000000000000444
}

TEST(FormatFixed1, ValueIsTruncatedToFifteenSignificantDigitsFirst) {
  // 123456789012345678 is held as 123456789012345680.
  EXPECT_EQ(Fixed(123456789012345678.0, 2), "123456789012345000.0");
  // 12345678901234.560546875 keeps 12345678901234.5: the hundredths are cut before rounding.
  EXPECT_EQ(Fixed(12345678901234.56, 2), "12345678901234.5");
  EXPECT_EQ(Fixed(0.049999999999999, 2), "0.0");
  // Just under 3 carries through every kept nine.
  EXPECT_EQ(Fixed(std::nextafter(3.0, 0.0), 2), "3.0");
  EXPECT_EQ(Fixed(99.96, 2), "100.0");
}

TEST(FormatFixed1, NegativeZeroResultsLoseTheirSign) {
  EXPECT_EQ(Fixed(-0.0, 2), "0.0");
  EXPECT_EQ(Fixed(-0.0499, 2), "0.0");
  EXPECT_EQ(Fixed(-0.05006, 2), "-0.1");
  EXPECT_EQ(Fixed(-1e-300, 4), " 0.0");
}

TEST(FormatFixed1, WidthPadsButNeverCuts) {
  EXPECT_EQ(Fixed(0, 4), " 0.0");
  EXPECT_EQ(Fixed(99, 2), "99.0");
  EXPECT_EQ(Fixed(810, 4), "810.0");
  EXPECT_EQ(Fixed(1.5, 0), "1.5");
  EXPECT_EQ(Fixed(1.5, 8), "     1.5");
}

TEST(FormatFixed1, ExtremeDoublesExpandExactly) {
  const std::string largest = Fixed(DBL_MAX, 2);
  EXPECT_EQ(largest.size(), 311u);
  EXPECT_EQ(largest.substr(0, 16), "1797693134862310");
  EXPECT_EQ(largest.substr(largest.size() - 4), "00.0");
  EXPECT_EQ(Fixed(FLT_MAX, 4), "340282346638528000000000000000000000000.0");
  EXPECT_EQ(Fixed(4.9e-324, 2), "0.0");
  EXPECT_EQ(Fixed(-DBL_MIN, 2), "0.0");
}

TEST(FormatFixed1, NonFiniteValuesHaveNames) {
  EXPECT_EQ(Fixed(INFINITY, 4), " inf");
  EXPECT_EQ(Fixed(-INFINITY, 2), "-inf");
  EXPECT_EQ(Fixed(NAN, 4), " nan");
}

TEST(FormatFixed1, SmallBufferIsCutLikeSnprintf) {
  char text[4] = "xxx";
  EXPECT_EQ(FormatFixed1(text, sizeof text, 12.34, 6), 6);
  EXPECT_STREQ(text, "  1");
  char blank[2] = "x";  // the buffer ends within the padding
  EXPECT_EQ(FormatFixed1(blank, sizeof blank, 12.34, 6), 6);
  EXPECT_STREQ(blank, " ");
  EXPECT_EQ(FormatFixed1(nullptr, 0, 12.34, 2), 4);
}

// FormatFixed1 prints small magnitudes from their hundredths alone; the full expansion is the
// reference it must match digit for digit.
void ExpectSameAsExpansion(double value, int width) {
  char fast[400];
  char full[400];
  const int fastLength = FormatFixed1(fast, sizeof fast, value, width);
  const int fullLength = FormatFixed1Expanded(full, sizeof full, value, width);
  ASSERT_STREQ(fast, full) << std::hexfloat << value;
  ASSERT_EQ(fastLength, fullLength) << std::hexfloat << value;
}

TEST(FormatFixed1, EveryShareOfEveryLinePrintsAsExpanded) {
  for (int share = 0; share <= 81000; ++share) {
    ExpectSameAsExpansion(static_cast<float>(share) / 100.0f, 4);  // "% to win"
    const double odds = share == 0 ? 99.0 : 1.0 / (share / 10000.0) - 1.0;
    ExpectSameAsExpansion(odds > 99.0 ? 99.0 : odds, 2);
    ExpectSameAsExpansion(1.0 / (share / 10000.0) - 1.0, 2);  // uncapped, as far as it goes
  }
}

TEST(FormatFixed1, RoundingBoundariesPrintAsExpanded) {
  // Each hundredth and its neighbours one ulp away, where the first dropped digit changes.
  for (int hundredths = 0; hundredths <= 200000; ++hundredths) {
    const double value = hundredths / 100.0;
    for (double v : {value, std::nextafter(value, 0.0), std::nextafter(value, 1e300),
                     static_cast<double>(static_cast<float>(value))}) {
      ExpectSameAsExpansion(v, 4);
      ExpectSameAsExpansion(-v, 2);
    }
  }
}

TEST(FormatFixed1, EdgesOfTheShortPathPrintAsExpanded) {
  for (double v : {0.0,
                   DBL_TRUE_MIN,
                   DBL_MIN,
                   std::nextafter(DBL_MIN, 0.0),
                   0.005,
                   0.05,
                   0.0499999999999999,
                   0.95,
                   9.95,
                   99.95,
                   999999999999.95,
                   8796093022208.0,
                   std::nextafter(1e13, 0.0),
                   1e13,
                   std::nextafter(1e13, 1e300),
                   1e14,
                   1e15,
                   4503599627370495.5,
                   9007199254740993.0,
                   1e300,
                   DBL_MAX}) {
    ExpectSameAsExpansion(v, 2);
    ExpectSameAsExpansion(-v, 4);
  }
}

TEST(FormatFixed1, RandomDoublesPrintAsExpanded) {
  std::mt19937_64 random(20240601);
  std::uniform_real_distribution<double> small(-1000.0, 1000.0);
  std::uniform_real_distribution<double> exponent(-20.0, 14.0);
  for (int i = 0; i < 200000; ++i) {
    ExpectSameAsExpansion(small(random), 4);
    ExpectSameAsExpansion(std::pow(10.0, exponent(random)), 2);
  }
  for (int i = 0; i < 20000; ++i) {  // any bit pattern: every exponent, NaNs and infinities
    ExpectSameAsExpansion(std::bit_cast<double>(random()), 2);
  }
}

TEST(FormatInt, RightJustifiesInWidth) {
  EXPECT_EQ(Int(5, 3), "  5");
  EXPECT_EQ(Int(120, 3), "120");
  EXPECT_EQ(Int(1000, 3), "1000");
  EXPECT_EQ(Int(8, 2), " 8");
  EXPECT_EQ(Int(-7, 3), " -7");
  EXPECT_EQ(Int(INT_MIN, 2), "-2147483648");
}

}  // namespace
