// Kelly's stakes for several horses in one race, on the vectors the betting texts work through:
// each horse alone, the two together (which is not the sum of each alone), a short price, no
// horse and every horse chosen.
#include "tote/stakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Vector {
  const char* name;
  std::vector<KellyHorse> horses;  // over a book of 10000 share units
  long long bankroll;
  int kelly;
  std::vector<long long> stakes;
};

TEST(Stakes, KellysRuleForSeveralHorses) {
  const Vector vectors[] = {
      // 40 % at 2-1 (d = 3): (p·d - 1) / (d - 1) = 10 %.
      {"40% at 2-1", {{0, 4000, 600}}, 1'000'000, 100, {100'000}},
      // 10 % at 20-1 (d = 21): 5.5 %.
      {"10% at 20-1", {{0, 1000, 4200}}, 1'000'000, 100, {55'000}},
      // Together: the 20-1 horse first (p·d 2.1 against 1.2), R = 0.5 / (1 - 1/21 - 1/3) =
      // 21/26; 0.4 - R/3 = 13.08 % and 0.1 - R/21 = 6.15 %, against 10 % and 5.5 % alone.
      {"both", {{0, 4000, 600}, {1, 1000, 4200}}, 1'000'000, 100, {130'769, 61'538}},
      // A quarter of the stake, rounded down once: 1000 × 25 % × 10 % = $25.
      {"quarter Kelly", {{0, 4000, 600}}, 1000, 25, {25}},
      // 1-9 pays $2.20 after breakage, d = 1.1: at 95 % the stake is 0.045 / 0.1 = 45 %.
      {"1-9", {{0, 9500, 220}}, 1'000'000, 100, {450'000}},
      // At 90 % a 1-9 horse returns 0.99 a dollar: not chosen.
      {"1-9 too short", {{0, 9000, 220}}, 1'000'000, 100, {0}},
      {"no horse", {}, 1'000'000, 100, {}},
      // Every horse of the race chosen leaves no reserve: each staked its chance.
      {"every horse",
       {{0, 5000, 440}, {1, 3000, 720}, {2, 2000, 1120}},
       1'000'000,
       100,
       {500'000, 300'000, 200'000}},
      // Fourteen horses of 7 % at 99-1, the product of their payouts some 200 bits: R =
      // 0.02 / 0.86, each stakes 0.07 - R / 100 = 6.9767 %.
      {"fourteen long shots", std::vector<KellyHorse>(14, {0, 700, 20000}), 10'000'000, 100,
       std::vector<long long>(14, 697'674)},
      // Under a dollar is nothing; no bankroll stakes nothing.
      {"under a dollar", {{0, 4000, 600}}, 9, 100, {0}},
      {"no bankroll", {{0, 4000, 600}}, NO_BANKROLL, 100, {0}},
  };
  for (const Vector& vector : vectors) {
    std::vector<long long> stakes(vector.horses.size(), -1);
    KellyStakes(vector.horses.data(), static_cast<int>(vector.horses.size()), 10000,
                vector.bankroll, vector.kelly, stakes.data());
    EXPECT_EQ(stakes, vector.stakes) << vector.name;
    for (std::size_t k = 0; k < stakes.size(); ++k) {
      std::printf("%-20s horse %zu: %lld\n", vector.name, k + 1, stakes[k]);
    }
  }
}

}  // namespace
