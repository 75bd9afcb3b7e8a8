// Board prices, the book total and the copied line, from the controls as the user left them.
#include "book/board.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "dialog/headless/headless_dialog.h"

namespace {

std::string Price(int share) {
  const BoardPrice price = NearestBoardPrice(share);
  return std::to_string(price.a) + "-" + std::to_string(price.b);
}

TEST(NearestBoardPrice, ExactPricesAndTheirNeighbours) {
  EXPECT_EQ(Price(2857), "5-2");
  EXPECT_EQ(Price(5000), "1-1");
  EXPECT_EQ(Price(857), "11-1");  // every whole price from 5-1 on, as a tote board shows
  EXPECT_EQ(Price(385), "25-1");
  EXPECT_EQ(Price(141), "70-1");
  EXPECT_EQ(Price(6000), "3-5");
  EXPECT_EQ(Price(198), "50-1");
  EXPECT_EQ(Price(3000), "5-2");
}

TEST(NearestBoardPrice, EndsOfTheLadder) {
  EXPECT_EQ(Price(0), "99-1");
  EXPECT_EQ(Price(-500), "99-1");
  EXPECT_EQ(Price(100), "99-1");
  EXPECT_EQ(Price(9000), "1-9");
  EXPECT_EQ(Price(10000), "1-9");
  EXPECT_EQ(Price(81000), "1-9");
  EXPECT_EQ(Price(INT_MAX), "1-9");
  EXPECT_EQ(Price(INT_MIN), "99-1");
}

TEST(NearestBoardPrice, OddsOnSharesNeverGetOddsAgainstPrices) {
  for (int share = 0; share <= 10800; ++share) {
    const BoardPrice price = NearestBoardPrice(share);
    if (share > 5000) {
      EXPECT_LE(price.a, price.b) << share;
    } else if (share < 5000) {
      EXPECT_GE(price.a, price.b) << share;
    }
  }
}

// Every share in reach of a bar gets the nearest price, measured independently; no share lies
// exactly midway between two prices, so the tie rule (the longer price) never has to decide.
TEST(NearestBoardPrice, NearestOfTheWholeLadderForEveryShare) {
  std::vector<BoardPrice> ladder(std::begin(SHORT_PRICES), std::end(SHORT_PRICES));
  for (int odds = 5; odds <= 99; ++odds) ladder.push_back({odds, 1});
  for (int share = 0; share <= 10800; share += 1) {
    const BoardPrice chosen = NearestBoardPrice(share);
    const long double p = share / 10000.0L;
    const long double best =
        std::fabs(p - static_cast<long double>(chosen.b) / (chosen.a + chosen.b));
    for (const BoardPrice price : ladder) {
      const long double d = std::fabs(p - static_cast<long double>(price.b) / (price.a + price.b));
      if (price.a == chosen.a && price.b == chosen.b) continue;
      EXPECT_GT(d - best, 1e-12L) << share << " " << price.a << "-" << price.b;
    }
  }
}

class Line : public ::testing::Test {
 protected:
  void SetUp() override { dialog.Init(); }
  void Enter(int id, const char* text) {
    dialog.Type(id, text);
    dialog.Leave(id);
  }
  std::string HorseTip(int i) {
    char text[128];
    FormatHorseTip(dialog.Surface(), i, text, sizeof text);
    return text;
  }
  std::string BookTip() {
    char text[128];
    FormatBookTip(dialog.Surface(), text, sizeof text);
    return text;
  }
  HeadlessDialog dialog;
};

TEST_F(Line, TipsAtStart) {
  EXPECT_EQ(HorseTip(0), "Board price 11-1 \xC2\xB7 8.6 % to win");
  EXPECT_EQ(BookTip(), "Book 119.98 % of a 120 % line (14 horses)");
}

TEST_F(Line, TipsFollowTheControls) {
  Enter(IDC_ODDS, "5-2");
  EXPECT_EQ(HorseTip(0), "Board price 5-2 \xC2\xB7 28.6 % to win");
  EXPECT_EQ(BookTip(), "Book 120.09 % of a 120 % line (14 horses)");
  Enter(IDC_HORSES, "1");
  EXPECT_EQ(BookTip(), "Book 108.00 % of a 120 % line (1 horse)");
}

TEST_F(Line, InactiveRowsHaveNoTip) {
  dialog.Click(IDC_SCRATCH + 2);
  Enter(IDC_HORSES, "8");
  dialog.Click(IDC_SCRATCH + 10);  // cleared, but the row is beyond the field
  char text[64] = "stale";
  EXPECT_EQ(FormatHorseTip(dialog.Surface(), 10, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  // Reinstated by the field size: its 857 back among 923s, then +585 for all eight.
  EXPECT_EQ(HorseTip(2), "Board price 6-1 \xC2\xB7 14.4 % to win");
  EXPECT_EQ(HorseTip(14), "");
  EXPECT_EQ(HorseTip(-1), "");
}

TEST_F(Line, TipsShowNoFiguresWhileTheBookIsPending) {
  dialog.Type(IDC_LINE, "100");  // not yet left: the figures would be the old line's
  EXPECT_EQ(HorseTip(0), "");
  EXPECT_EQ(BookTip(), "");
  dialog.Leave(IDC_LINE);
  EXPECT_EQ(BookTip(), "Book 100.10 % of a 100 % line (14 horses)");
  dialog.Type(IDC_HORSES, "15");  // left, refused, and still the user's text
  dialog.Leave(IDC_HORSES);
  EXPECT_EQ(HorseTip(0), "");
}

TEST_F(Line, TableListsTheFieldAndTheBookOnRowsOfTheirOwn) {
  Enter(IDC_ODDS, "5-2");
  Enter(IDC_HORSES, "3");
  dialog.Click(IDC_SCRATCH + 1);
  char text[LINE_TABLE_MAX];
  const int length = FormatLineTable(dialog.Surface(), nullptr, "\r\n", text, sizeof text);
  EXPECT_EQ(std::string(text),
            "Horse\tProgram\tName\tML\tOdds\tTo win\tBoard\r\n"
            "1\t\t\t\t0.4\t70.8%\t2-5\r\n"
            "2\t\t\t\tscratched\r\n"
            "3\t\t\t\t1.0\t49.2%\t1-1\r\n"
            "Book\t119.99%\r\n"
            "Line\t120%\r\n");
  EXPECT_EQ(length, static_cast<int>(std::string(text).size()));
}

TEST_F(Line, TableComesFromTheSharesNotFromTyping) {
  dialog.Type(IDC_ODDS + 4, "\t5-2\r\n");  // typed, not yet taken
  char text[LINE_TABLE_MAX];
  FormatLineTable(dialog.Surface(), nullptr, "\n", text, sizeof text);
  EXPECT_NE(std::string(text).find("\n5\t\t\t\t10.7\t8.6%\t11-1\n"), std::string::npos);
}

TEST_F(Line, TableIsCutLikeSnprintf) {
  char whole[LINE_TABLE_MAX];
  char text[10];
  const int length = FormatLineTable(dialog.Surface(), nullptr, "\n", text, sizeof text);
  EXPECT_STREQ(text, "Horse\tPro");
  EXPECT_EQ(length, FormatLineTable(dialog.Surface(), nullptr, "\n", whole, sizeof whole));
  EXPECT_EQ(length, 348);
  EXPECT_EQ(FormatLineTable(dialog.Surface(), nullptr, "\n", nullptr, 0),
            length);  // a length query
}

TEST_F(Line, HtmlTableKeepsBoardPricesAsText) {
  Enter(IDC_HORSES, "2");
  dialog.Click(IDC_SCRATCH + 1);
  char html[LINE_HTML_MAX];
  FormatLineHtml(dialog.Surface(), nullptr, html, sizeof html);
  const std::string text = "<td style=\"mso-number-format:'\\@'\" sdnum=\"1033;0;@\">";
  EXPECT_EQ(
      std::string(html),
      "<table>\n"
      "<tr><th>Horse</th><th>Program</th><th>Name</th><th>ML</th><th>Odds</th>"
      "<th>To win</th><th>Board</th></tr>\n"
      "<tr><td>1</td>" +
          text + "</td>" + text + "</td>" + text +
          "</td><td>-0.1</td>"
          "<td sdval=\"1.0800\" sdnum=\"1033;1033;0.00%\">108.0%</td>" +
          text +
          "1-9</td></tr>\n"
          "<tr><td>2</td>" +
          text + "</td>" + text + "</td>" + text +
          "</td><td>scratched</td></tr>\n"
          "<tr><td>Book</td><td sdval=\"1.0800\" sdnum=\"1033;1033;0.00%\">108.00%</td></tr>\n"
          "<tr><td>Line</td><td sdval=\"1.2000\" sdnum=\"1033;1033;0.00%\">120%</td></tr>\n"
          "</table>\n");
}

// The largest tables there are fit their buffers: every horse within the field, every part of
// every identity at its limit in the bytes that grow most, in text (three bytes of UTF-8 each)
// and in HTML (six each, as &quot;).
TEST_F(Line, TablesHoldEveryIdentityAtItsLimit) {
  for (const char grows : {'\x80', '"'}) {
    HorseIdentity horses[ROW_COUNT];
    for (HorseIdentity& horse : horses) {
      SetFixedText(horse.program, std::string(PROGRAM_MAX, grows));
      SetFixedText(horse.name, std::string(HORSE_NAME_MAX, grows));
      SetFixedText(horse.ml, std::string(MORNING_LINE_MAX, grows));
    }
    char text[LINE_TABLE_MAX];
    EXPECT_LT(FormatLineTable(dialog.Surface(), horses, "\r\n", text, sizeof text),
              static_cast<int>(LINE_TABLE_MAX));
    char html[LINE_HTML_MAX];
    EXPECT_LT(FormatLineHtml(dialog.Surface(), horses, html, sizeof html),
              static_cast<int>(LINE_HTML_MAX));
  }
}

// Bars never go below 0 in the dialog, but the book's figures stay readable for any control
// values a surface can hold.
TEST(BookTip, ShareBelowZeroKeepsItsSign) {
  HeadlessSurface surface;
  surface.WriteText(IDC_HORSES, "1");
  surface.SetBarRange(IDC_POOL_BAR, -20000, 0);
  surface.SetBarPos(IDC_POOL_BAR, -12345);
  char text[128];
  FormatBookTip(surface, text, sizeof text);
  EXPECT_STREQ(text, "Book -123.45 % of a 120 % line (1 horse)");
}

}  // namespace
