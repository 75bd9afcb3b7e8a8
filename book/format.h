// Number formatting for the dialog's texts, exact and alike on every compiler and C library:
// the C library's printf rounds differently on glibc, MSVCRT and MinGW, so it is not used.
#ifndef ODDSMITH_BOOK_FORMAT_H
#define ODDSMITH_BOOK_FORMAT_H

#include <cstddef>

// Prints value as printf's "%<width>.1f" does under this program's printing rule, into buffer
// of size bytes (NUL-terminated, cut to fit as snprintf cuts). The value is first expanded to
// its first 15 significant decimal digits, truncated; then rounded half away from zero at the
// first decimal, where only the first dropped digit decides (8.25 -> "8.3", 8.4499998 ->
// "8.4"). A negative value that rounds to zero prints without its minus. Right-justified in
// width with blanks, never cut to width. Infinities and NaN print as "inf", "-inf", "nan".
// Returns the length of the full text, as snprintf does.
int FormatFixed1(char* buffer, std::size_t size, double value, int width);

// The same text as FormatFixed1, always by the value's full decimal expansion; FormatFixed1
// takes it for magnitudes from 10^13 up and for infinities and NaN. Slow: hundreds of digits
// for the extreme doubles.
int FormatFixed1Expanded(char* buffer, std::size_t size, double value, int width);

#endif
