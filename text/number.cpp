// Reading and printing whole numbers; see number.h.
#include "text/number.h"

UnsignedRead ParseUnsigned(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  if (at == text.size() || text[at] < '0' || text[at] > '9') return {0, false};
  unsigned long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + static_cast<unsigned>(text[at] - '0');
    // Past the unsigned range the value never comes back down, so stop before it can wrap.
    if (value > 4294967295ULL) return {0, false};
  }
  return {static_cast<unsigned>(value), true};
}

int PrintRightJustified(char* buffer, std::size_t size, const char* text, int length, int width) {
  const int pad = width > length ? width - length : 0;
  const int total = pad + length;
  if (size == 0) return total;
  const std::size_t room = size - 1;
  std::size_t at = 0;
  for (int i = 0; i < pad && at < room; ++i) buffer[at++] = ' ';
  for (int i = 0; i < length && at < room; ++i) buffer[at++] = text[i];
  buffer[at] = '\0';
  return total;
}

int FormatInt(char* buffer, std::size_t size, int value, int width) {
  char text[12];
  int length = 0;
  long long magnitude = value;
  if (magnitude < 0) magnitude = -magnitude;
  char reversed[11];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) text[length++] = '-';
  while (n > 0) text[length++] = reversed[--n];
  return PrintRightJustified(buffer, size, text, length, width);
}
