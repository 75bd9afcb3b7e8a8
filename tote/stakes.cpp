// Kelly's stakes, worked out exactly. The sum of 1/d over up to fourteen payouts has the product
// of their payouts for its denominator, some 300 bits; every quantity here is a fraction of
// whole numbers held in a fixed-size unsigned integer of 640 bits, which holds the largest of
// them (about 390 bits) with room to spare, and nothing is rounded until the stake itself.
#include "tote/stakes.h"

#include <algorithm>
#include <cstdint>

#include "book/board.h"

namespace {

constexpr long long TWO_DOLLARS = 200;  // in cents: d is what $2 pays, over 2

// An unsigned whole number of LIMBS 32-bit limbs, least significant first. Only what the rule
// needs: sums, differences that stay at or above zero, products, comparisons.
class Big {
 public:
  static constexpr int LIMBS = 20;

  Big() = default;
  explicit Big(std::uint64_t value) {
    limbs_[0] = static_cast<std::uint32_t>(value);
    limbs_[1] = static_cast<std::uint32_t>(value >> 32);
  }

  friend Big operator+(const Big& a, const Big& b) {
    Big sum;
    std::uint64_t carry = 0;
    for (int i = 0; i < LIMBS; ++i) {
      carry += std::uint64_t{a.limbs_[i]} + b.limbs_[i];
      sum.limbs_[i] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    return sum;
  }

  // REQUIRES: a >= b.
  friend Big operator-(const Big& a, const Big& b) {
    Big difference;
    std::int64_t borrow = 0;
    for (int i = 0; i < LIMBS; ++i) {
      std::int64_t limb = std::int64_t{a.limbs_[i]} - b.limbs_[i] - borrow;
      borrow = limb < 0 ? 1 : 0;
      if (limb < 0) limb += std::int64_t{1} << 32;
      difference.limbs_[i] = static_cast<std::uint32_t>(limb);
    }
    return difference;
  }

  // The low LIMBS limbs of the product; the rule's products fit (see above).
  friend Big operator*(const Big& a, const Big& b) {
    Big product;
    for (int i = 0; i < LIMBS; ++i) {
      if (a.limbs_[i] == 0) continue;
      std::uint64_t carry = 0;
      for (int j = 0; i + j < LIMBS; ++j) {
        carry += std::uint64_t{a.limbs_[i]} * b.limbs_[j] + product.limbs_[i + j];
        product.limbs_[i + j] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
      }
    }
    return product;
  }

  friend bool operator<(const Big& a, const Big& b) {
    for (int i = LIMBS; i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i];
    }
    return false;
  }
  friend bool operator<=(const Big& a, const Big& b) { return !(b < a); }

 private:
  std::uint32_t limbs_[LIMBS] = {};
};

Big Of(long long value) { return Big(static_cast<std::uint64_t>(value)); }

}  // namespace

void KellyStakes(const KellyHorse* horses, int count, long long book, long long bankroll, int kelly,
                 long long* stakes) {
  count = std::clamp(count, 0, ROW_COUNT);
  for (int k = 0; k < count; ++k) stakes[k] = 0;
  if (book <= 0 || bankroll <= 0) return;
  kelly = std::clamp(kelly, KELLY_MIN, KELLY_MAX);

  // p·d = share × pay / (book × 200): the order needs only share × pay, at most 10^11.
  int order[ROW_COUNT] = {};
  for (int k = 0; k < count; ++k) order[k] = k;
  std::sort(order, order + count, [horses](int a, int b) {
    const long long left = horses[a].share * horses[a].payCents;
    const long long right = horses[b].share * horses[b].payCents;
    return left != right ? left > right : horses[a].row < horses[b].row;
  });

  // Over the horses chosen: Σp = shares / book, Σ1/d = 200 × inverse / product, with product
  // the payouts' product and inverse the sum of the products of all payouts but one. Then
  // R = (1 - Σp) / (1 - Σ1/d) = (book - shares) × product / (book × (product - 200 inverse)),
  // kept as reserve / below; 1 before the first.
  long long shares = 0;
  Big product(1);
  Big inverse(0);
  Big reserve(1);
  Big below(1);
  const Big bookBig = Of(book);
  int chosen = 0;
  for (; chosen < count; ++chosen) {
    const KellyHorse& next = horses[order[chosen]];
    if (next.share <= 0 || next.payCents <= 0 || shares + next.share > book) break;
    // p·d > R: share × pay × below > reserve × book × 200.
    if (Of(next.share * next.payCents) * below <= reserve * bookBig * Of(TWO_DOLLARS)) break;
    const Big withInverse = inverse * Of(next.payCents) + product;
    const Big withProduct = product * Of(next.payCents);
    // A tote book of 100 % or more among them would leave no reserve to share.
    if (withProduct <= Of(TWO_DOLLARS) * withInverse) break;
    shares += next.share;
    inverse = withInverse;
    product = withProduct;
    reserve = Of(book - shares) * product;
    below = bookBig * (product - Of(TWO_DOLLARS) * inverse);
  }
  for (int n = 0; n < chosen; ++n) {
    const KellyHorse& horse = horses[order[n]];
    // f = share / book - R / d = (share × pay × below - 200 × reserve × book) / (book × pay ×
    // below), above 0 for a horse chosen; the stake is bankroll × kelly / 100 of it, rounded
    // down: the largest x with x × 100 × book × pay × below <= bankroll × kelly × (...).
    const Big ahead = Of(horse.share * horse.payCents) * below;
    const Big behind = Of(TWO_DOLLARS) * reserve * bookBig;
    if (ahead <= behind) continue;
    const Big top = Of(bankroll * kelly) * (ahead - behind);
    const Big bottom = Of(100 * book * horse.payCents) * below;
    long long low = 0;
    long long high = bankroll;  // f is at most p, below 1
    while (low < high) {
      const long long middle = low + (high - low + 1) / 2;
      if (Of(middle) * bottom <= top) {
        low = middle;
      } else {
        high = middle - 1;
      }
    }
    stakes[order[n]] = low;
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
