// The one number parser behind every binding's ReadUnsigned.
#include "dialog/surface.h"

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
