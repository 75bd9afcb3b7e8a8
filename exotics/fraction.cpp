// Schoolbook arithmetic on 32-bit limbs. The numbers here have at most some thousands of bits,
// where the simple algorithms are quick enough: division goes a bit at a time over the
// quotient's bits only, and the greatest common divisor is found by shifts and subtractions.
#include "exotics/fraction.h"

#include <algorithm>
#include <cstddef>

namespace {

using Limbs = std::vector<std::uint32_t>;

std::size_t BitLength(const Limbs& limbs) {
  if (limbs.empty()) return 0;
  std::size_t bits = 32 * (limbs.size() - 1);
  for (std::uint32_t top = limbs.back(); top != 0; top >>= 1) ++bits;
  return bits;
}

bool Bit(const Limbs& limbs, std::size_t n) { return (limbs[n / 32] >> (n % 32)) & 1U; }

int CompareLimbs(const Limbs& a, const Limbs& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

void TrimLimbs(Limbs& limbs) {
  while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
}

// a -= b, REQUIRES a >= b.
void SubtractInPlace(Limbs& a, const Limbs& b) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::int64_t limb = std::int64_t{a[i]} - (i < b.size() ? b[i] : 0) - borrow;
    borrow = limb < 0 ? 1 : 0;
    if (limb < 0) limb += std::int64_t{1} << 32;
    a[i] = static_cast<std::uint32_t>(limb);
  }
  TrimLimbs(a);
}

// a = a × 2 + bit.
void ShiftInBit(Limbs& a, bool bit) {
  std::uint32_t carry = bit ? 1U : 0U;
  for (std::uint32_t& limb : a) {
    const std::uint32_t out = limb >> 31;
    limb = (limb << 1) | carry;
    carry = out;
  }
  if (carry != 0) a.push_back(carry);
}

void ShiftRight(Limbs& a, std::size_t bits) {
  const std::size_t whole = bits / 32;
  const unsigned part = static_cast<unsigned>(bits % 32);
  if (whole >= a.size()) {
    a.clear();
    return;
  }
  a.erase(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(whole));
  if (part != 0) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      const std::uint32_t high = i + 1 < a.size() ? a[i + 1] << (32 - part) : 0;
      a[i] = (a[i] >> part) | high;
    }
  }
  TrimLimbs(a);
}

std::size_t TrailingZeros(const Limbs& a) {
  std::size_t zeros = 0;
  std::size_t i = 0;
  while (a[i] == 0) {
    zeros += 32;
    ++i;
  }
  for (std::uint32_t limb = a[i]; (limb & 1U) == 0; limb >>= 1) ++zeros;
  return zeros;
}

}  // namespace

Natural::Natural(std::uint64_t value) {
  if (value != 0) limbs_.push_back(static_cast<std::uint32_t>(value));
  if ((value >> 32) != 0) limbs_.push_back(static_cast<std::uint32_t>(value >> 32));
}

void Natural::Trim() { TrimLimbs(limbs_); }

int Natural::Compare(const Natural& a, const Natural& b) {
  return CompareLimbs(a.limbs_, b.limbs_);
}

Natural operator+(const Natural& a, const Natural& b) {
  Natural sum;
  const std::size_t size = std::max(a.limbs_.size(), b.limbs_.size());
  sum.limbs_.resize(size + 1);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < size; ++i) {
    carry += std::uint64_t{i < a.limbs_.size() ? a.limbs_[i] : 0U} +
             (i < b.limbs_.size() ? b.limbs_[i] : 0U);
    sum.limbs_[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  sum.limbs_[size] = static_cast<std::uint32_t>(carry);
  sum.Trim();
  return sum;
}

Natural operator-(const Natural& a, const Natural& b) {
  Natural difference = a;
  SubtractInPlace(difference.limbs_, b.limbs_);
  return difference;
}

Natural operator*(const Natural& a, const Natural& b) {
  Natural product;
  if (a.IsZero() || b.IsZero()) return product;
  product.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
  for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
      carry += std::uint64_t{a.limbs_[i]} * b.limbs_[j] + product.limbs_[i + j];
      product.limbs_[i + j] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    product.limbs_[i + b.limbs_.size()] = static_cast<std::uint32_t>(carry);
  }
  product.Trim();
  return product;
}

void Natural::Divide(const Natural& a, const Natural& b, Natural& quotient, Natural& remainder) {
  quotient = Natural();
  remainder = Natural();
  if (CompareLimbs(a.limbs_, b.limbs_) < 0) {
    remainder = a;
    return;
  }
  if (b.limbs_.size() == 1) {  // one limb: a limb of the quotient at a time
    const std::uint64_t divisor = b.limbs_[0];
    quotient.limbs_.assign(a.limbs_.size(), 0);
    std::uint64_t rest = 0;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      rest = (rest << 32) | a.limbs_[i];
      quotient.limbs_[i] = static_cast<std::uint32_t>(rest / divisor);
      rest %= divisor;
    }
    quotient.Trim();
    remainder = Natural(rest);
    return;
  }
  // The remainder starts with a's top bits, one fewer than b has: no quotient bit before.
  const std::size_t bits = BitLength(a.limbs_);
  const std::size_t start = BitLength(b.limbs_) - 1;
  for (std::size_t n = bits; n-- > bits - start;) ShiftInBit(remainder.limbs_, Bit(a.limbs_, n));
  remainder.Trim();
  quotient.limbs_.assign(a.limbs_.size(), 0);
  for (std::size_t n = bits - start; n-- > 0;) {
    ShiftInBit(remainder.limbs_, Bit(a.limbs_, n));
    remainder.Trim();
    if (CompareLimbs(remainder.limbs_, b.limbs_) >= 0) {
      SubtractInPlace(remainder.limbs_, b.limbs_);
      quotient.limbs_[n / 32] |= 1U << (n % 32);
    }
  }
  quotient.Trim();
}

Natural Natural::Gcd(Natural a, Natural b) {
  if (a.IsZero()) return b;
  if (b.IsZero()) return a;
  const std::size_t shiftA = TrailingZeros(a.limbs_);
  const std::size_t shiftB = TrailingZeros(b.limbs_);
  const std::size_t common = std::min(shiftA, shiftB);
  ShiftRight(a.limbs_, shiftA);
  ShiftRight(b.limbs_, shiftB);
  // Both odd from here: their difference is even and shares their odd divisors.
  while (true) {
    const int order = CompareLimbs(a.limbs_, b.limbs_);
    if (order == 0) break;
    if (order < 0) std::swap(a.limbs_, b.limbs_);
    SubtractInPlace(a.limbs_, b.limbs_);
    ShiftRight(a.limbs_, TrailingZeros(a.limbs_));
  }
  for (std::size_t n = 0; n < common; ++n) ShiftInBit(a.limbs_, false);
  return a;
}

std::string Natural::Decimal() const {
  if (IsZero()) return "0";
  std::string digits;
  Natural rest = *this;
  const Natural billion(1'000'000'000);
  while (!rest.IsZero()) {
    Natural quotient;
    Natural part;
    Divide(rest, billion, quotient, part);
    std::uint32_t chunk = part.IsZero() ? 0 : part.limbs_[0];
    for (int n = 0; n < 9; ++n) {
      digits += static_cast<char>('0' + chunk % 10);
      chunk /= 10;
    }
    rest = quotient;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::reverse(digits.begin(), digits.end());
  return digits;
}

Fraction::Fraction(const Natural& num, const Natural& den) {
  const Natural common = Natural::Gcd(num, den);
  Natural rest;
  Natural::Divide(num, common, num_, rest);
  Natural::Divide(den, common, den_, rest);
}

Fraction operator+(const Fraction& a, const Fraction& b) {
  if (a.IsZero()) return b;
  if (b.IsZero()) return a;
  return Fraction(a.num_ * b.den_ + b.num_ * a.den_, a.den_ * b.den_);
}

Fraction operator*(const Fraction& a, const Fraction& b) {
  return Fraction(a.num_ * b.num_, a.den_ * b.den_);
}

Fraction Inverse(const Fraction& value) { return Fraction(value.Den(), value.Num()); }

Natural RoundTimes(const Fraction& value, std::uint64_t scale) {
  // floor((2 × num × scale + den) / (2 × den))
  Natural quotient;
  Natural rest;
  Natural::Divide(value.Num() * Natural(2 * scale) + value.Den(), value.Den() * Natural(2),
                  quotient, rest);
  return quotient;
}

Natural CeilTimes(const Fraction& value, std::uint64_t scale) {
  Natural quotient;
  Natural rest;
  Natural::Divide(value.Num() * Natural(scale), value.Den(), quotient, rest);
  return rest.IsZero() ? quotient : quotient + Natural(1);
}

std::string FormatScaled(const Natural& n, int places) {
  std::string digits = n.Decimal();
  if (places <= 0) return digits;
  const std::size_t point = static_cast<std::size_t>(places);
  if (digits.size() <= point) digits.insert(0, point + 1 - digits.size(), '0');
  digits.insert(digits.size() - point, 1, '.');
  return digits;
}
