// Whole numbers read from and printed into texts, alike on every compiler, C library and face:
// the C library's conversions differ between glibc, MSVCRT and MinGW, so none is used.
#ifndef ODDSMITH_TEXT_NUMBER_H
#define ODDSMITH_TEXT_NUMBER_H

#include <cstddef>
#include <string_view>

// A number read from a text: value 0 and ok false when the text has no number.
struct UnsignedRead {
  unsigned value;
  bool ok;
};

// The one parser behind every binding's ReadUnsigned, so every platform reads numbers alike.
// Skips leading spaces and tabs; the run of decimal digits that follows is the value. No digit
// there (a sign, a letter, an empty text) or a run above 4294967295 gives {0, false}, never a
// wrapped number. Looks at the whole text, however long.
UnsignedRead ParseUnsigned(std::string_view text);

// Copies length bytes of text right-justified in width with blanks into buffer of size bytes,
// NUL-terminated and cut to fit as snprintf cuts; never cut to width. Returns the length of
// the full text, as snprintf does.
int PrintRightJustified(char* buffer, std::size_t size, const char* text, int length, int width);

// Prints value as printf's "%<width>i": decimal, right-justified in width with blanks.
// Returns the length of the full text, as snprintf does.
int FormatInt(char* buffer, std::size_t size, int value, int width);

#endif
