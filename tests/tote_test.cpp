// The tote's figures against worked-out values, the race's book and take, and the table and
// tip built from them.
#include "tote/tote.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "book/board.h"
#include "dialog/headless/headless_dialog.h"

namespace {

struct HorseCase {
  long long share;
  long long total;
  int edge;
  const char* text;
  // fair, fair odds, needs, pays, overlay, status, EV
  const char* expected[7];
};

TEST(ToteHorse, Figures) {
  const std::string blanks(40, ' ');
  const std::string blanksThenPrice = blanks + "5-2";
  const HorseCase cases[] = {
      // One horse of five at 2400 on a 120 line.
      {2400, 12000, 25, "", {"20.0%", "4.0", "6-1", "", "", "", ""}},
      {2400, 12000, 25, "6-1", {"20.0%", "4.0", "6-1", "14.00", "+40.0%", "BET", "+0.80"}},
      {2400, 12000, 25, "7-2", {"20.0%", "4.0", "6-1", "9.00", "-10.0%", "UNDER", "-0.20"}},
      {2400, 12000, 25, "5-1", {"20.0%", "4.0", "6-1", "12.00", "+20.0%", "OVERLAY", "+0.40"}},
      // Exactly fair is no overlay; with no edge any overlay is a bet, and 100 % needs 9-1.
      {2400, 12000, 0, "4-1", {"20.0%", "4.0", "9-2", "10.00", "0.0%", "UNDER", "0.00"}},
      {2400, 12000, 100, "9-1", {"20.0%", "4.0", "9-1", "20.00", "+100.0%", "BET", "+2.00"}},
      {2400, 12000, 100, "8/1", {"20.0%", "4.0", "9-1", "18.00", "+80.0%", "OVERLAY", "+1.60"}},
      // The ends of the ladder.
      {2400, 12000, 25, "1-9", {"20.0%", "4.0", "6-1", "2.20", "-78.0%", "UNDER", "-1.56"}},
      {100,
       12000,
       25,
       "99-1",
       {"0.8%", "119.0", "over 99-1", "200.00", "-16.7%", "UNDER", "-0.33"}},
      {10800, 10800, 25, "", {"100.0%", "0.0", "2-5", "", "", "", ""}},
      // Breakage: 5.27 would pay $12.54 and be a bet, but pays $12.50; the $2.10 minimum
      // makes a 1-50 shot that is sure to win an overlay.
      {2500, 12520, 25, "5.27", {"20.0%", "4.0", "6-1", "12.50", "+24.8%", "OVERLAY", "+0.50"}},
      {10800, 10800, 25, "1-50", {"100.0%", "0.0", "2-5", "2.10", "+5.0%", "OVERLAY", "+0.10"}},
      // No chance by the line, then no book at all.
      {0, 12000, 25, "5-2", {"0.0%", "", "", "7.00", "-100.0%", "UNDER", "-2.00"}},
      {0, 0, 25, "5-2", {"", "", "", "7.00", "-100.0%", "UNDER", "-2.00"}},
      {0, 0, 25, "", {"", "", "", "", "", "", ""}},
      // Every form of a price, blanks around it dropped.
      {2400, 12000, 25, " 5/2\t", {"20.0%", "4.0", "6-1", "7.00", "-30.0%", "UNDER", "-0.60"}},
      {2400, 12000, 25, "2.5", {"20.0%", "4.0", "6-1", "7.00", "-30.0%", "UNDER", "-0.60"}},
      {2400, 12000, 25, "2.25", {"20.0%", "4.0", "6-1", "6.50", "-35.0%", "UNDER", "-0.70"}},
      {2400, 12000, 25, "7", {"20.0%", "4.0", "6-1", "16.00", "+60.0%", "BET", "+1.20"}},
      {2400, 12000, 25, "eVeNs", {"20.0%", "4.0", "6-1", "4.00", "-60.0%", "UNDER", "-1.20"}},
      {2400, 12000, 25, "e", {"20.0%", "4.0", "6-1", "4.00", "-60.0%", "UNDER", "-1.20"}},
      // Only the first 32 bytes count: blanks alone are no price.
      {2400, 12000, 25, blanksThenPrice.c_str(), {"20.0%", "4.0", "6-1", "", "", "", ""}},
      // The widest texts.
      {1, 1053001, 25, "", {"0.0%", "1053000.0", "over 99-1", "", "", "", ""}},
      {10800,
       10800,
       25,
       "9999.99",
       {"100.0%", "0.0", "2-5", "20001.90", "+999995.0%", "BET", "+19999.90"}},
  };
  for (const HorseCase& c : cases) {
    const ToteHorse horse = FigureToteHorse(c.share, c.total, c.edge, c.text);
    const std::string actual[] = {horse.fair, horse.fairOdds, horse.needs,
                                  horse.pays, horse.overlay,  ToteStatusText(horse.status),
                                  horse.ev};
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(actual[i], c.expected[i])
          << c.share << "/" << c.total << " " << c.text << " #" << i;
    }
  }
  // Only spaces and tabs around a price are dropped, not a CR or a no-break space.
  for (const char* invalid : {"0-5", "5-0", "-5", "12345-1", "5 -2", "5-2x", ".5", "5.", "5.123",
                              "0.0", "5--2", "evensS", "5-2\xA0", "5-2\r"}) {
    const ToteHorse horse = FigureToteHorse(2400, 12000, 25, invalid);
    EXPECT_EQ(horse.status, ToteStatus::INVALID) << invalid;
    EXPECT_STREQ(horse.pays, "") << invalid;
    EXPECT_EQ(TotePayCents(ReadTotePrice(invalid)), 0) << invalid;
  }
}

// With no edge a price is a bet once it pays more than fair: share * pays > 200 * total. The
// shortest share that bets at each rung of the ladder's short end needs that rung, and one unit
// less needs a longer price.
TEST(ToteHorse, NeedsEveryRungOfTheShortLadder) {
  const long long total = 10000;
  for (const BoardPrice price : SHORT_PRICES) {
    const long long pays = TotePayCents({ToteRead::PRICE, price.a, price.b});
    const long long share = 200 * total / pays + 1;
    const std::string rung = std::to_string(price.a) + "-" + std::to_string(price.b);
    EXPECT_EQ(FigureToteHorse(share, total, 0, "").needs, rung) << share;
    EXPECT_NE(FigureToteHorse(share - 1, total, 0, "").needs, rung) << share - 1;
  }
  // Beyond the short end the ladder goes on a whole price at a time.
  EXPECT_STREQ(FigureToteHorse(200 * total / 1200 + 1, total, 0, "").needs, "5-1");
  EXPECT_STREQ(FigureToteHorse(200 * total / 1200, total, 0, "").needs, "6-1");
}

class Tote : public ::testing::Test {
 protected:
  // A new dialog with a field of prices.size() horses, even shares on the 120 line, and a
  // new tote with their texts.
  void Race(std::initializer_list<const char*> prices) {
    fresh.emplace();
    fresh->Init();
    fresh->Type(IDC_HORSES, std::to_string(prices.size()));
    fresh->Leave(IDC_HORSES);
    tote = ToteState();
    int i = 0;
    for (const char* price : prices) SetToteText(tote, i++, price);
  }
  std::string Race() {
    const ToteRace race = FigureToteRace(fresh->Surface(), tote);
    return std::string(race.book) + " | " + race.take + " | " + race.bets;
  }
  std::optional<HeadlessDialog> fresh;
  HeadlessDialog& Dialog() { return *fresh; }
  ToteState tote;
};

TEST_F(Tote, RaceBookTakeAndBets) {
  Race({"6-1", "7-2", "5-1", "2-1", "3-1"});
  EXPECT_EQ(Race(), "111.51% | 10.3% | 1");
  SetToteText(tote, 3, "");
  EXPECT_EQ(Race(), "incomplete |  | 1");
  Dialog().Click(IDC_SCRATCH + 3);  // out of the book, its price no longer missing
  EXPECT_EQ(Race(), "78.17% | -27.9% | 2");
  Race({"1-1", "3-2"});
  EXPECT_EQ(Race(), "90.00% | -11.1% | 1");
  Race({"2-1", "2-1", "2-1"});  // 0.999999999: a take below zero that prints as none
  EXPECT_EQ(Race(), "100.00% | 0.0% | PASS");
  Race({"9999.99"});
  EXPECT_EQ(Race(), "0.01% | -1000000.0% | 1");
  Dialog().Click(IDC_SCRATCH);
  EXPECT_EQ(Race(), " |  | PASS");
}

TEST_F(Tote, TableAndHtml) {
  Race({"6-1", "\t<b>&\"5-2", "", "EVEN"});
  Dialog().Click(IDC_SCRATCH + 2);
  tote.edge = 0;
  // Who the horses are, where known: a tab or a line end in a name is a space in a cell.
  HorseIdentity horses[ROW_COUNT];
  SetFixedText(horses[0].program, "1A");
  SetFixedText(horses[0].name, "Sea\tBird\r\n");
  SetFixedText(horses[3].name,
               "\xC9"
               "clair");
  char text[TOTE_TABLE_MAX];
  // $1000 at a quarter Kelly: the one BET, a third at 6-1 (d = 7), alone stakes
  // (p·d - 1) / (d - 1) = 2/9 of it, a quarter of that $55.55: $55.
  FormatToteTable(Dialog().Surface(), tote, horses, "\n", text, sizeof text, {1000, 25});
  EXPECT_STREQ(text,
               "Horse\tProgram\tName\tFair\tFair odds\tNeeds\tTote\tOverlay\tStatus\t$2 pays\t"
               "EV $2\tStake\n"
               "1\t1A\tSea Bird  \t33.3%\t2.0\t5-2\t6-1\t+133.3%\tBET\t14.00\t+2.67\t55\n"
               "2\t\t\t33.3%\t2.0\t5-2\t<b>&\"5-2\t\t?\t\t\t\n"
               "4\t\t\xC3\x89"
               "clair\t33.3%\t2.0\t5-2\tEVEN\t-33.3%\tUNDER\t4.00\t-0.67\t\n"
               "Edge\t0%\nTote book\tincomplete\nTake\t\nBets\t1\nStakes\t55\n");
  char html[TOTE_HTML_MAX];
  FormatToteHtml(Dialog().Surface(), tote, horses, html, sizeof html);
  const std::string marked = "<td style=\"mso-number-format:'\\@'\" sdnum=\"1033;0;@\">";
  // Prices as text, percentages with the values they show.
  const auto percent = [](const char* value, const char* shown) {
    return std::string("<td sdval=\"") + value + "\" sdnum=\"1033;1033;0.00%\">" + shown + "</td>";
  };
  const std::string expected[] = {
      "<tr><td>1</td>" + marked + "1A</td>" + marked + "Sea Bird  </td>",
      "<tr><td>2</td>" + marked + "</td>" + marked + "</td>" + percent("0.333", "33.3%") +
          "<td>2.0</td>" + marked + "5-2</td>" + marked + "&lt;b&gt;&amp;&quot;5-2</td><td></td>",
      percent("-0.333", "-33.3%") + "<td>UNDER</td>",
      "<tr><td>Edge</td>" + percent("0.00", "0%") + "</tr>",
      "<tr><td>Tote book</td><td>incomplete</td></tr>"};
  for (const std::string& cells : expected) {
    EXPECT_NE(std::string(html).find(cells), std::string::npos) << cells << "\n" << html;
  }

  // The longest texts there are fit: every horse in, 32 bytes that grow most, and every
  // identity at its limit.
  Race({"", "", "", "", "", "", "", "", "", "", "", "", "", ""});
  for (const char grows : {'"', '\x80'}) {
    for (int i = 0; i < ROW_COUNT; ++i) {
      SetToteText(tote, i, std::string(32, grows));
      SetFixedText(horses[i].program, std::string(PROGRAM_MAX, grows));
      SetFixedText(horses[i].name, std::string(HORSE_NAME_MAX, grows));
    }
    EXPECT_LT(FormatToteTable(Dialog().Surface(), tote, horses, "\r\n", text, sizeof text,
                              {BANKROLL_MAX, KELLY_MAX}),
              static_cast<int>(TOTE_TABLE_MAX));
    EXPECT_LT(FormatToteHtml(Dialog().Surface(), tote, horses, html, sizeof html,
                             {BANKROLL_MAX, KELLY_MAX}),
              static_cast<int>(TOTE_HTML_MAX));
  }
}

TEST_F(Tote, TipsTellThePriceAndItsStatus) {
  Race({"5-2", "", "5\r\n2", "\x80"});
  const auto tip = [&](int id) {
    char text[TIP_MAX];
    FormatControlTip(Dialog().Surface(), id, text, sizeof text, &tote);
    return std::string(text);
  };
  EXPECT_EQ(tip(IDC_ODDS), "Board price 5-2 \xC2\xB7 30.0 % to win \xC2\xB7 tote 5-2: UNDER");
  EXPECT_EQ(tip(IDC_POOL_BAR + 1), "Board price 5-2 \xC2\xB7 30.0 % to win");
  EXPECT_EQ(tip(IDC_ODDS + 2), "Board price 5-2 \xC2\xB7 30.0 % to win \xC2\xB7 tote 5  2: ?");
  EXPECT_EQ(tip(IDC_ODDS + 3),
            "Board price 5-2 \xC2\xB7 30.0 % to win \xC2\xB7 tote \xE2\x82\xAC: ?");
  Dialog().Type(IDC_LINE, "100");  // pending: no figures, the tote's neither
  EXPECT_EQ(tip(IDC_ODDS), "");
  Dialog().Leave(IDC_LINE);
  Dialog().Click(IDC_SCRATCH);  // out of the book, its text kept for its return
  EXPECT_EQ(tip(IDC_ODDS), "");
  Dialog().Click(IDC_SCRATCH);
  EXPECT_NE(tip(IDC_ODDS).find("tote 5-2"), std::string::npos);
}

// The tote's own part of a tip is empty where the horse's would be: while the book is pending,
// and for a row outside the book, scratched or beyond the field.
TEST_F(Tote, TipPartIsEmptyWhereTheHorseHasNoTip) {
  Race({"5-2", "5-2", "5-2"});
  for (int i = 3; i < ROW_COUNT; ++i) SetToteText(tote, i, "5-2");
  const auto part = [&](int i) {
    char text[TIP_MAX] = "stale";
    const int length = FormatToteTip(Dialog().Surface(), tote, i, text, sizeof text);
    EXPECT_EQ(length, static_cast<int>(std::string(text).size())) << i;
    return std::string(text);
  };
  EXPECT_EQ(part(0), " \xC2\xB7 tote 5-2: OVERLAY");
  Dialog().Click(IDC_SCRATCH + 1);
  for (const int i : {-1, 1, 3, ROW_COUNT - 1, ROW_COUNT}) EXPECT_EQ(part(i), "") << i;
  for (const int id : {IDC_LINE, IDC_HORSES}) {
    Dialog().Type(id, "3");
    EXPECT_EQ(part(0), "") << id;
    Dialog().Leave(id);
    EXPECT_NE(part(0), "") << id;
  }
}

}  // namespace
