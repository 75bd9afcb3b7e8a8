// Exact fractions of whole numbers of any size, for the chances of exotic tickets: a ticket's
// chance is a sum of up to thousands of products whose denominators differ, and its common
// denominator can run to thousands of bits. Only what those figures need: no negative numbers,
// sums, products, comparisons and the few roundings the tickets print.
#ifndef ODDSMITH_EXOTICS_FRACTION_H
#define ODDSMITH_EXOTICS_FRACTION_H

#include <cstdint>
#include <string>
#include <vector>

// A whole number at or above 0, its 32-bit limbs least significant first, none of them a
// leading zero (0 has no limbs).
class Natural {
 public:
  Natural() = default;
  explicit Natural(std::uint64_t value);

  bool IsZero() const { return limbs_.empty(); }

  friend Natural operator+(const Natural& a, const Natural& b);
  friend Natural operator*(const Natural& a, const Natural& b);
  // REQUIRES: a >= b.
  friend Natural operator-(const Natural& a, const Natural& b);
  friend bool operator<(const Natural& a, const Natural& b) { return Compare(a, b) < 0; }
  friend bool operator==(const Natural& a, const Natural& b) { return a.limbs_ == b.limbs_; }

  // a / b and a % b, rounded down. REQUIRES: b is not 0.
  static void Divide(const Natural& a, const Natural& b, Natural& quotient, Natural& remainder);
  static Natural Gcd(Natural a, Natural b);
  static int Compare(const Natural& a, const Natural& b);

  // In decimal, no separators.
  std::string Decimal() const;

 private:
  void Trim();
  std::vector<std::uint32_t> limbs_;
};

// num / den in lowest terms, den never 0.
class Fraction {
 public:
  Fraction() : den_(1) {}
  Fraction(const Natural& num, const Natural& den);  // REQUIRES: den is not 0

  const Natural& Num() const { return num_; }
  const Natural& Den() const { return den_; }
  bool IsZero() const { return num_.IsZero(); }

  friend Fraction operator+(const Fraction& a, const Fraction& b);
  friend Fraction operator*(const Fraction& a, const Fraction& b);

 private:
  Natural num_;
  Natural den_;
};

// The whole number nearest to value × scale, a half rounded up (away from zero).
Natural RoundTimes(const Fraction& value, std::uint64_t scale);
// The least whole number at or above value × scale.
Natural CeilTimes(const Fraction& value, std::uint64_t scale);
// 1 / value. REQUIRES: value is not 0.
Fraction Inverse(const Fraction& value);

// n / 10^places in decimal with places digits after the point: 37351 at 3 places is "37.351".
std::string FormatScaled(const Natural& n, int places);

#endif
