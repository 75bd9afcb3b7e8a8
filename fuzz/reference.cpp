// Reference implementations written from the rules alone; see reference.h.
#include "fuzz/reference.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace reference {

std::string Fixed1(double value, int width) {
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);

  // A double m * 2^e with a 53-bit m has at most 53 - e decimals, so printing that many is
  // exact: the C library then has nothing to round.
  int exponent = 0;
  std::frexp(magnitude, &exponent);
  int places = 53 - exponent;
  if (places < 2) places = 2;
  std::vector<char> buffer(static_cast<std::size_t>(places) + 400);
  std::snprintf(buffer.data(), buffer.size(), "%.*f", places, magnitude);
  const std::string exact(buffer.data());
  const std::size_t point = exact.find('.');
  std::string digits = exact.substr(0, point) + exact.substr(point + 1);
  const std::size_t integerDigits = point;

  // Only the first 15 significant digits count; the rest are as good as zeros.
  std::size_t first = 0;
  while (first < digits.size() && digits[first] == '0') ++first;
  for (std::size_t i = first + 15; i < digits.size(); ++i) digits[i] = '0';

  // Keep the integer digits and the tenths; the hundredths alone decide the rounding.
  // Built by appending: GCC 12 at -O3 reports a false overlap (-Wrestrict) for "0" + substr.
  std::string kept(1, '0');
  kept.append(digits, 0, integerDigits + 1);
  if (digits[integerDigits + 1] >= '5') {
    std::size_t i = kept.size() - 1;
    while (kept[i] == '9') kept[i--] = '0';
    ++kept[i];
  }
  std::size_t lead = 0;
  while (lead + 2 < kept.size() && kept[lead] == '0') ++lead;
  kept = kept.substr(lead);
  const bool zero = kept.find_first_not_of('0') == std::string::npos;

  std::string text = negative && !zero ? "-" : "";
  text += kept.substr(0, kept.size() - 1) + "." + kept.back();
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string Int(int value, int width) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%*i", width, value);
  return buffer;
}

Number ReadUnsigned(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string_view::npos || text[at] < '0' || text[at] > '9') return {0, false};
  unsigned long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + static_cast<unsigned long long>(text[at] - '0');
    if (value >> 32) return {0, false};
  }
  return {static_cast<unsigned>(value), true};
}

int Line(std::string_view text) {
  // The unsigned number is taken as a signed one, so above 2^31 it is negative.
  const long long read = ReadUnsigned(text).value;
  const long long line = read > 2147483647 ? read - 4294967296LL : read;
  return line >= 1 && line <= 900 ? static_cast<int>(line) : 120;
}

int Horses(std::string_view text) {
  const Number read = ReadUnsigned(text);
  return read.ok && read.value >= 1 && read.value <= 14 ? static_cast<int>(read.value) : 14;
}

double Odds(std::string_view text) {
  const float whole = static_cast<float>(ReadUnsigned(text).value);
  // A separator says what the next ordinary character means; the last separator wins.
  enum class Next { NOTHING, DENOMINATOR, TENTHS };
  Next next = Next::NOTHING;
  int denominator = 1;
  // The field is read into five bytes: four characters and the terminator.
  for (const char c : text.substr(0, 4)) {
    const int code = static_cast<signed char>(c);  // NOLINT(bugprone-signed-char-misuse)
    if (c == '/' || c == '-') {
      next = Next::DENOMINATOR;
    } else if (c == '.') {
      next = Next::TENTHS;
    } else if (next == Next::TENTHS) {
      // A decimal entry is single precision: the sum is rounded to float.
      return static_cast<float>((code - '0') * 0.1 + static_cast<double>(whole));
    } else if (next == Next::DENOMINATOR) {
      denominator = code - '0' >= 1 ? code - '0' : 1;
      next = Next::NOTHING;
    }
  }
  return static_cast<double>(whole) / denominator;
}

int Share(double odds) {
  // In double precision, reciprocal first; a share past int saturates, as the bar bounds it
  // anyway (and NaN, which no text yields, counts as nothing).
  const double share = 1.0 / (odds + 1.0) * 10000.0;
  if (!(share == share)) return 0;
  if (share >= 2147483647.0) return 2147483647;
  if (share <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(std::trunc(share));
}

std::string OddsText(int share) {
  double odds = share == 0 ? 99.0 : 1.0 / (share / 10000.0) - 1.0;
  if (odds > 99.0) odds = 99.0;
  return Fixed1(odds, 2);
}

std::string WinText(int share) {
  const float percentage = static_cast<float>(share) / 100.0f;
  return Fixed1(percentage, 4) + "%";
}

}  // namespace reference
