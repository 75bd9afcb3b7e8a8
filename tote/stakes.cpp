// Kelly's stakes, worked out in exact rationals: the sums of 1/d over up to fourteen payouts have
// denominators beyond any machine integer.
#include "tote/stakes.h"

#include <algorithm>
#include <boost/multiprecision/cpp_int.hpp>

#include "book/board.h"

namespace {

using Rational = boost::multiprecision::cpp_rational;
constexpr long long TWO_DOLLARS = 200;  // in cents: d is what $2 pays, over 2

}  // namespace

void KellyStakes(const KellyHorse* horses, int count, long long book, long long bankroll, int kelly,
                 long long* stakes) {
  count = std::clamp(count, 0, ROW_COUNT);
  for (int k = 0; k < count; ++k) stakes[k] = 0;
  if (book <= 0 || bankroll <= 0) return;
  kelly = std::clamp(kelly, KELLY_MIN, KELLY_MAX);

  // p·d = share × pay / (book × 200): the order needs only share × pay, at most 10^11.
  int order[ROW_COUNT];
  for (int k = 0; k < count; ++k) order[k] = k;
  std::sort(order, order + count, [horses](int a, int b) {
    const long long left = horses[a].share * horses[a].payCents;
    const long long right = horses[b].share * horses[b].payCents;
    return left != right ? left > right : horses[a].row < horses[b].row;
  });
  const auto chance = [book](const KellyHorse& horse) { return Rational(horse.share, book); };
  const auto odds = [](const KellyHorse& horse) { return Rational(horse.payCents, TWO_DOLLARS); };

  Rational reserve = 1;  // R
  Rational chances = 0;  // Σp of those chosen
  Rational inverse = 0;  // Σ1/d of those chosen
  int chosen = 0;
  for (; chosen < count; ++chosen) {
    const KellyHorse& next = horses[order[chosen]];
    if (next.share <= 0 || next.payCents <= 0 || chance(next) * odds(next) <= reserve) break;
    const Rational withChances = chances + chance(next);
    const Rational withInverse = inverse + 1 / odds(next);
    // A tote book of 100 % or more among them would have no reserve left to share.
    if (withInverse >= 1) break;
    chances = withChances;
    inverse = withInverse;
    reserve = (1 - chances) / (1 - inverse);
  }
  for (int n = 0; n < chosen; ++n) {
    const KellyHorse& horse = horses[order[n]];
    const Rational fraction = chance(horse) - reserve / odds(horse);
    const Rational dollars = fraction * bankroll * kelly / 100;
    if (dollars <= 0) continue;
    // Rounded down: the numerator over the denominator, both above 0, at most the bankroll.
    const boost::multiprecision::cpp_int whole =
        boost::multiprecision::numerator(dollars) / boost::multiprecision::denominator(dollars);
    stakes[order[n]] = whole.convert_to<long long>();
  }
}

long long FigureStakes(DialogSurface& surface, const ToteState& tote, long long bankroll, int kelly,
                       long long (&stakes)[ROW_COUNT]) {
  for (long long& stake : stakes) stake = 0;
  if (bankroll <= 0) return 0;
  KellyHorse horses[ROW_COUNT];
  long long found[ROW_COUNT];
  int count = 0;
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (FigureToteRow(surface, tote, i).status != ToteStatus::BET) continue;
    horses[count++] = {i, surface.BarPos(IDC_POOL_BAR + i),
                       TotePayCents(ReadTotePrice(tote.text[i]))};
  }
  KellyStakes(horses, count, ReadBookTotal(surface).book, bankroll, kelly, found);
  long long total = 0;
  for (int k = 0; k < count; ++k) {
    stakes[horses[k].row] = found[k];
    total += found[k];
  }
  return total;
}
