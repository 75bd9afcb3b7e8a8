// Second, independent implementations of what the user is shown, for the invariant checkers:
// the printing rule on top of the C library's exact decimal expansion, the number read of a
// field, and the odds a typed text stands for. They share no code with book/ or dialog/, so a
// fault in one is not repeated in the other.
#ifndef ODDSMITH_FUZZ_REFERENCE_H
#define ODDSMITH_FUZZ_REFERENCE_H

#include <string>
#include <string_view>

namespace reference {

// value printed as "%<width>.1f" under the printing rule: the exact decimal expansion cut to
// 15 significant digits, then rounded half away from zero on the first dropped digit alone; a
// negative value that rounds to zero loses its minus. Only finite values.
std::string Fixed1(double value, int width);

// value printed as "%<width>i", by the C library.
std::string Int(int value, int width);

// A field's text read as the window system's unsigned number: blanks and tabs skipped, then a
// run of digits; ok is false without a digit, and a run past 32 bits reads as 0, not ok.
struct Number {
  unsigned value;
  bool ok;
};
Number ReadUnsigned(std::string_view text);

// The line and the number of horses a rebalance uses, for the texts of the two fields.
int Line(std::string_view text);
int Horses(std::string_view text);

// The odds the text of an odds field stands for, and the share that follows from them.
double Odds(std::string_view text);
int Share(double odds);

// The texts a row shows for a share: its odds and its "% to win".
std::string OddsText(int share);
std::string WinText(int share);

}  // namespace reference

#endif
