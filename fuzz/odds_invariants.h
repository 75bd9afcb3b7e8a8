// Checks the four conversions between typed odds, shares and the texts the dialog shows
// against independent implementations of their rules.
#ifndef ODDSMITH_FUZZ_ODDS_INVARIANTS_H
#define ODDSMITH_FUZZ_ODDS_INVARIANTS_H

#include <cstddef>
#include <cstdint>
#include <string>

// data is an 8-byte number, then the text typed into an odds field. The number's first four
// bytes (little-endian) are a percentage's float bits for ShowShare and a share for ShowOdds,
// all eight a double for the number printing; missing bytes are zeros. The text goes through
// ParseOddsText, OddsToShare, ShowOdds and ShowShare. Returns an empty string when every
// check held, else what broke.
std::string CheckOddsInput(const std::uint8_t* data, std::size_t size);

#endif
