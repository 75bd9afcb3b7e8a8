// Code page 1252 both ways. The whole table is checked against Windows' own conversions under
// Wine (tests/win32/codepage_test.cpp); these are the cases the Linux program relies on.
#include "text/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, EveryByteComesBackFromItsCharacter) {
  for (int byte = 0; byte < 256; ++byte) {
    const auto b = static_cast<unsigned char>(byte);
    EXPECT_EQ(Cp1252FromUtf16(Cp1252ToUtf16(b)), b) << byte;
  }
  EXPECT_EQ(Cp1252ToUtf16(0x80), u'\u20AC');  // the euro sign, which Latin-1 lacks
  EXPECT_EQ(Cp1252ToUtf16(0x8D), u'\u008D');  // undefined: the C1 control of that number
}

TEST(Cp1252, BestFitBeforeTheDefaultCharacter) {
  EXPECT_EQ(Cp1252FromUtf16(u'\uFF15'), '5');  // fullwidth five, as an input method types it
  EXPECT_EQ(Cp1252FromUtf16(u'\uFF0D'), '-');  // fullwidth hyphen-minus
  EXPECT_EQ(Cp1252FromUtf16(u'\u0101'), 'a');
  EXPECT_EQ(Cp1252FromUtf16(u'\u0080'), '?');  // a C1 control the code page does not hold
  EXPECT_EQ(Cp1252FromUtf16(u'\u4E00'), '?');
  EXPECT_EQ(Cp1252FromUtf16(char16_t{0xD83D}), '?');  // half of a surrogate pair
}

}  // namespace
