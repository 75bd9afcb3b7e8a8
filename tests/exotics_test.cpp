// Exotic tickets from the line, on the vectors the betting guides work through, and the
// arithmetic under them where a rounding or a size would hide a fault.
#include "exotics/exotics.h"
#include "exotics/fraction.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>

namespace {

// A race of the given shares, each horse in the book, at an edge of 10 %.
ExoticRace RaceOf(std::initializer_list<long long> shares) {
  ExoticRace race;
  int i = 0;
  for (const long long share : shares) {
    race.share[i] = share;
    race.runs[i] = true;
    race.book += share;
    ++i;
  }
  race.edge = 10;
  return race;
}

std::uint16_t Set(std::initializer_list<int> rows) {
  std::uint16_t set = 0;
  for (const int row : rows) set = static_cast<std::uint16_t>(set | 1U << (row - 1));
  return set;
}

constexpr std::uint16_t ALL = (1U << ROW_COUNT) - 1;

// The published line 28.7, 24.6, 21.5, 15.7, 5.4 and 4.1 %.
const ExoticRace PUBLISHED = RaceOf({287, 246, 215, 157, 54, 41});

struct Vector {
  const char* name;
  ExoticRace race;
  Ticket ticket;
  // The first combination listed and the ticket's summary.
  const char* first;
  const char* chance;
  const char* fair;
  const char* needs;
  long long combinations;
  const char* ticketChance;
  const char* ticketFair;
};

TEST(Exotics, TheGuidesVectors) {
  const Vector vectors[] = {
      // 2-1 over 3-1 in a book of 1.18: 1/3 and 1/4 of 1.18.
      {"2-1 over 3-1",
       RaceOf({400, 300, 716}),
       {BetType::EXACTA, 100, {Set({1}), Set({2})}},
       "1-2",
       "8.341%",
       "11.99",
       "13.20",
       1,
       "8.341%",
       "11.99"},
      {"25% over 20%",
       RaceOf({2500, 2000, 5500}),
       {BetType::EXACTA, 100, {Set({1}), Set({2})}},
       "1-2",
       "6.667%",
       "15.00",
       "16.50",
       1,
       "6.667%",
       "15.00"},
      {"2-3 exacta",
       PUBLISHED,
       {BetType::EXACTA, 200, {Set({2}), Set({3})}},
       "2-3",
       "7.015%",
       "28.51",
       "31.40",
       1,
       "7.015%",
       "28.51"},
      {"2-3-1 trifecta",
       PUBLISHED,
       {BetType::TRIFECTA, 100, {Set({2}), Set({3}), Set({1})}},
       "2-3-1",
       "3.735%",
       "26.77",
       "29.50",
       1,
       "3.735%",
       "26.77"},
      // C-B / D-C-B-E / D-C-B-E-A-F: 2 × 3 × 4 straight combinations.
      {"trifecta part wheel",
       PUBLISHED,
       {BetType::TRIFECTA, 100, {Set({3, 2}), Set({4, 3, 2, 5}), Set({1, 2, 3, 4, 5, 6})}},
       "2-3-1",
       "3.735%",
       "26.77",
       "29.50",
       24,
       "26.415%",
       "90.86"},
      // Legs of 2, 4, 3 and 2 horses of a race of five equal horses.
      {"pick 4",
       RaceOf({200, 200, 200, 200, 200}),
       {BetType::PICK4, 50, {Set({1, 2}), Set({1, 2, 3, 4}), Set({1, 2, 3}), Set({4, 5})}},
       "1-1-1-4",
       "0.160%",
       "312.50",
       "343.80",
       48,
       "7.680%",
       "312.50"},
      // Share 0: no chance, no fair payout.
      {"share 0",
       RaceOf({0, 600, 400}),
       {BetType::EXACTA, 200, {Set({1}), Set({2})}},
       "1-2",
       "0.000%",
       "",
       "",
       1,
       "0.000%",
       ""},
      // The first horse holds the whole book: nothing is left to run second and third.
      {"the book's whole share",
       RaceOf({1000, 0, 0}),
       {BetType::TRIFECTA, 100, {Set({1}), Set({2}), Set({3})}},
       "1-2-3",
       "0.000%",
       "",
       "",
       1,
       "0.000%",
       ""},
      // Every superfecta of fourteen horses: 24,024 of them, sure to hit.
      {"every superfecta",
       RaceOf({1200, 1100, 1000, 900, 800, 700, 700, 600, 600, 500, 500, 400, 300, 200}),
       {BetType::SUPERFECTA, 10, {ALL, ALL, ALL, ALL}},
       "1-2-3-4",
       "0.034%",
       "296.28",
       "326.00",
       24024,
       "100.000%",
       "2402.40"},
  };
  for (const Vector& vector : vectors) {
    ExoticRace races[POSITION_MAX];
    for (ExoticRace& race : races) race = vector.race;
    TicketPrice price;
    ASSERT_EQ(PriceTicket(races, vector.ticket, price), nullptr) << vector.name;
    ASSERT_FALSE(price.listed.empty()) << vector.name;
    const ExoticCombination& first = price.listed.front();
    const int positions = InfoOf(vector.ticket.type).positions;
    std::printf("%-20s %s %s fair %s needs %s; %lld combinations, %s, fair %s\n", vector.name,
                CombinationRows(first, positions).c_str(), first.chance.c_str(), first.fair.c_str(),
                first.needs.c_str(), price.combinations, price.chance.c_str(), price.fair.c_str());
    EXPECT_EQ(CombinationRows(first, positions), vector.first) << vector.name;
    EXPECT_EQ(first.chance, vector.chance) << vector.name;
    EXPECT_EQ(first.fair, vector.fair) << vector.name;
    EXPECT_EQ(first.needs, vector.needs) << vector.name;
    EXPECT_EQ(price.combinations, vector.combinations) << vector.name;
    EXPECT_EQ(price.chance, vector.ticketChance) << vector.name;
    EXPECT_EQ(price.fair, vector.ticketFair) << vector.name;
    EXPECT_EQ(static_cast<long long>(price.listed.size()),
              std::min<long long>(vector.combinations, TICKET_LIST_MAX))
        << vector.name;
  }
}

// Harville's third place: in a race of five equal horses each horse runs third one time in
// five, whoever runs first and second.
TEST(Exotics, FiveEqualHorsesEachThirdOneTimeInFive) {
  ExoticRace races[POSITION_MAX];
  races[0] = RaceOf({200, 200, 200, 200, 200});
  for (int h = 1; h <= 5; ++h) {
    const auto others = static_cast<std::uint16_t>(Set({1, 2, 3, 4, 5}) & ~Set({h}));
    TicketPrice price;
    ASSERT_EQ(PriceTicket(races, {BetType::TRIFECTA, 100, {others, others, Set({h})}}, price),
              nullptr);
    std::printf("horse %d third: %s of %lld combinations\n", h, price.chance.c_str(),
                price.combinations);
    EXPECT_EQ(price.chance, "20.000%");
    EXPECT_EQ(price.combinations, 12);
  }
}

// The listing: most likely first, equal chances by rows; at most TICKET_LIST_MAX of them, the
// rest counted by the table's "More" line.
TEST(Exotics, ListingOrderAndTable) {
  ExoticRace races[POSITION_MAX];
  races[0] = RaceOf({300, 200, 200, 300});
  TicketPrice price;
  ASSERT_EQ(
      PriceTicket(races, {BetType::EXACTA, 200, {Set({1, 2, 3, 4}), Set({1, 2, 3, 4})}}, price),
      nullptr);
  std::string order;
  for (const ExoticCombination& combination : price.listed) {
    order += CombinationRows(combination, 2) + ' ';
  }
  EXPECT_EQ(order, "1-4 4-1 1-2 1-3 4-2 4-3 2-1 2-4 3-1 3-4 2-3 3-2 ");
  EXPECT_EQ(FormatTicketTable(price, 2, "\n")
                .rfind("Combination\tChance\tFair\tNeeds\n"
                       "1-4\t12.857%\t15.56\t17.20\n4-1\t",
                       0),
            0U);

  races[0] = RaceOf({100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100});
  ASSERT_EQ(PriceTicket(races, {BetType::TRIFECTA, 10, {0xFFF, 0xFFF, 0xFFF}}, price), nullptr);
  EXPECT_EQ(price.combinations, 1320);
  const std::string table = FormatTicketTable(price, 3, "\n");
  EXPECT_NE(table.find("10-1-12\t0.076%\t132.00\t145.20\nMore\t320\nCombinations\t1320\n"
                       "Cost\t132.00\nChance\t100.000%\nFair\t132.00\nNeeds\t145.20\n"),
            std::string::npos);
}

TEST(Exotics, RefusedTickets) {
  ExoticRace races[POSITION_MAX];
  races[0] = RaceOf({500, 300, 200});
  races[0].runs[2] = false;  // scratched
  for (ExoticRace& race : races) race = races[0];
  const struct {
    Ticket ticket;
    const char* error;
  } cases[] = {
      {{BetType::EXACTA, 100, {Set({1}), Set({3})}},
       "a scratched horse or a row outside the field"},
      {{BetType::EXACTA, 100, {Set({1}), Set({5})}},
       "a scratched horse or a row outside the field"},
      {{BetType::EXACTA, 100, {Set({1}), 0}}, "no combination"},
      {{BetType::EXACTA, 100, {Set({1}), Set({1})}}, "no combination"},
      {{BetType::EXACTA, 25, {Set({1}), Set({2})}}, "no such base amount"},
  };
  for (const auto& refused : cases) {
    TicketPrice price;
    const char* error = PriceTicket(races, refused.ticket, price);
    EXPECT_STREQ(error ? error : "", refused.error);
  }
}

// The fractions under the figures: sums whose denominators have no factor in common, the
// roundings at their halves, and numbers past 64 bits printed.
TEST(Exotics, FractionArithmetic) {
  Fraction sum;
  for (std::uint64_t d = 1; d <= 40; ++d) sum = sum + Fraction(Natural(1), Natural(d));
  // H(40) = 2078178381193813 / 485721041551200 (lcm of 1..40 is 5342931457063200).
  EXPECT_EQ(sum.Num().Decimal(), "2078178381193813");
  EXPECT_EQ(sum.Den().Decimal(), "485721041551200");
  const Fraction half(Natural(1), Natural(8));  // 0.125
  EXPECT_EQ(FormatScaled(RoundTimes(half, 100), 2), "0.13");
  EXPECT_EQ(FormatScaled(CeilTimes(Fraction(Natural(1), Natural(3)), 100), 2), "0.34");
  EXPECT_EQ(FormatScaled(CeilTimes(Fraction(Natural(1), Natural(4)), 100), 2), "0.25");
  const Natural big = Natural(~std::uint64_t{0}) * Natural(~std::uint64_t{0});
  EXPECT_EQ(big.Decimal(), "340282366920938463426481119284349108225");
  Natural quotient;
  Natural rest;
  Natural::Divide(big + Natural(5), Natural(~std::uint64_t{0}), quotient, rest);
  EXPECT_EQ(quotient.Decimal(), "18446744073709551615");
  EXPECT_EQ(rest.Decimal(), "5");
}

}  // namespace
