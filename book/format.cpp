// Exact decimal expansion of a double: the value m * 2^e is turned into a big integer N and a
// count F of decimal places (value = N / 10^F), so every digit the printing rule looks at is
// the true one. Fixed-size storage only. The dialog's own figures take a short exact path that
// needs only the value's hundredths, as every event prints 28 of them.
#include "book/format.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "text/number.h"

namespace {

constexpr std::uint32_t LIMB_BASE = 1000000000;  // nine decimal digits a limb
// 5^1127 (the smallest subnormal's mantissa scale) times a 53-bit mantissa has under 810
// digits; 2^1024 has 309.
constexpr int MAX_LIMBS = 92;
constexpr int MAX_DIGITS = MAX_LIMBS * 9;

// Little-endian base-10^9 natural number.
struct BigDecimal {
  std::uint32_t limb[MAX_LIMBS];
  int count;

  explicit BigDecimal(std::uint64_t value) : limb(), count(0) {
    do {
      limb[count++] = static_cast<std::uint32_t>(value % LIMB_BASE);
      value /= LIMB_BASE;
    } while (value != 0);
  }

  // factor must keep limb * factor + carry within 64 bits: below about 1.8e10.
  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < count; ++i) {
      const std::uint64_t product = std::uint64_t{limb[i]} * factor + carry;
      limb[i] = static_cast<std::uint32_t>(product % LIMB_BASE);
      carry = product / LIMB_BASE;
    }
    while (carry != 0) {
      limb[count++] = static_cast<std::uint32_t>(carry % LIMB_BASE);
      carry /= LIMB_BASE;
    }
  }

  void MultiplyByPowerOf2(int exponent) {
    for (; exponent >= 30; exponent -= 30) Multiply(std::uint32_t{1} << 30);
    if (exponent > 0) Multiply(std::uint32_t{1} << exponent);
  }

  void MultiplyByPowerOf5(int exponent) {
    for (; exponent >= 13; exponent -= 13) Multiply(1220703125);  // 5^13
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 5;
    Multiply(rest);
  }

  // Writes the decimal digits, most significant first, without leading zeros; returns count.
  int Digits(char* out) const {
    int length = 0;
    std::uint32_t top = limb[count - 1];
    char reversed[9];
    int n = 0;
    do {
      reversed[n++] = static_cast<char>('0' + top % 10);
      top /= 10;
    } while (top != 0);
    while (n > 0) out[length++] = reversed[--n];
    for (int i = count - 2; i >= 0; --i) {
      std::uint32_t value = limb[i];
      for (int d = 8; d >= 0; --d) {
        out[length + d] = static_cast<char>('0' + value % 10);
        value /= 10;
      }
      length += 9;
    }
    return length;
  }
};

}  // namespace

int FormatFixed1(char* buffer, std::size_t size, double value, int width) {
  // Every figure the dialog shows is far below 10^13. There the fifteen kept significant
  // digits reach down to the hundredths at least, so the text depends only on the hundredths
  // truncated, floor(|value| * 100). With |value| = mantissa / 2^shift that is an exact 64-bit
  // product and shift: no expansion needed.
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e13)) return FormatFixed1Expanded(buffer, size, value, width);

  constexpr std::uint64_t IMPLICIT_BIT = std::uint64_t{1} << 52;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
  const std::uint64_t mantissa = (bits & (IMPLICIT_BIT - 1)) | IMPLICIT_BIT;
  // 10^13 < 2^44, so at least 9. Below 2^-11 the hundredths are 0, subnormals included, so
  // their missing implicit bit does not matter.
  const int shift = 1075 - static_cast<int>(bits >> 52);
  const std::uint64_t hundredths = shift >= 64 ? 0 : mantissa * 100 >> shift;  // < 2^60
  // Half away from zero, decided by the first dropped digit alone.
  std::uint64_t tenths = (hundredths + 5) / 10;

  char text[24];  // sign, 13 digits, point, tenth
  int at = sizeof text;
  text[--at] = static_cast<char>('0' + tenths % 10);
  text[--at] = '.';
  const bool zero = tenths == 0;
  tenths /= 10;
  do {
    text[--at] = static_cast<char>('0' + tenths % 10);
    tenths /= 10;
  } while (tenths != 0);
  if (std::signbit(value) && !zero) text[--at] = '-';
  return PrintRightJustified(buffer, size, text + at, static_cast<int>(sizeof text) - at, width);
}

int FormatFixed1Expanded(char* buffer, std::size_t size, double value, int width) {
  if (std::isnan(value)) return PrintRightJustified(buffer, size, "nan", 3, width);
  const bool negative = std::signbit(value);
  if (std::isinf(value))
    return PrintRightJustified(buffer, size, negative ? "-inf" : "inf", negative ? 4 : 3, width);

  // digits[0 .. length) is N, the value being N / 10^places.
  char digits[MAX_DIGITS];
  int length = 1;
  int places = 0;
  digits[0] = '0';
  const double magnitude = std::fabs(value);
  if (magnitude != 0) {
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    while ((mantissa & 1) == 0 && exponent < 0) {
      mantissa >>= 1;
      ++exponent;
    }
    BigDecimal number(mantissa);
    if (exponent >= 0) {
      number.MultiplyByPowerOf2(exponent);
    } else {
      number.MultiplyByPowerOf5(-exponent);  // m / 2^k = m * 5^k / 10^k
      places = -exponent;
    }
    length = number.Digits(digits);
  }

  // The digit of weight 10^power, after truncating to 15 significant digits.
  const int leading = length - 1 - places;  // weight of digits[0]
  auto digitAt = [&](int power) -> int {
    if (power < leading - 14) return 0;
    const int index = length - 1 - places - power;
    return index >= 0 && index < length ? digits[index] - '0' : 0;
  };

  // The kept digits, tenths included, most significant first, with room for a carry.
  char kept[MAX_DIGITS + 2];
  int keptLength = 0;
  kept[keptLength++] = '0';
  for (int power = leading > 0 ? leading : 0; power >= -1; --power) {
    kept[keptLength++] = static_cast<char>('0' + digitAt(power));
  }
  if (digitAt(-2) >= 5) {
    int i = keptLength - 1;
    while (kept[i] == '9') kept[i--] = '0';
    ++kept[i];
  }

  // Drop leading zeros but keep at least "d.d".
  int first = 0;
  while (first < keptLength - 2 && kept[first] == '0') ++first;
  bool zero = true;
  for (int i = first; i < keptLength; ++i) zero = zero && kept[i] == '0';

  char text[MAX_DIGITS + 4];
  int textLength = 0;
  if (negative && !zero) text[textLength++] = '-';
  for (int i = first; i < keptLength - 1; ++i) text[textLength++] = kept[i];
  text[textLength++] = '.';
  text[textLength++] = kept[keptLength - 1];
  return PrintRightJustified(buffer, size, text, textLength, width);
}
