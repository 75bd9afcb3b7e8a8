// Texts built into a caller's fixed buffer, cut to fit as snprintf cuts and counted in full,
// with numbers printed exactly from integers: what every tip and copied table is made of.
#ifndef ODDSMITH_TEXT_TEXT_H
#define ODDSMITH_TEXT_TEXT_H

#include <cstddef>
#include <cstring>
#include <string_view>

#include "text/codepage.h"
#include "text/number.h"

// Keeps the bytes of text before its first NUL, at most N - 1 of them, in the fixed array
// field, NUL-terminated: what a text kept at its limit (a name, a label) does.
template <std::size_t N>
void SetFixedText(char (&field)[N], std::string_view text) {
  std::size_t length = 0;
  while (length < text.size() && length + 1 < N && text[length] != '\0') {
    field[length] = text[length];
    ++length;
  }
  field[length] = '\0';
}

// text without the blanks (spaces and tabs) around it.
inline std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// True when a and b are the same with ASCII case ignored: how a header's words and a horse's
// program number or name are compared.
inline bool SameAsciiWord(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

class TextBuilder {
 public:
  // Starts an empty text in buffer of size bytes (nothing is written when size is 0).
  TextBuilder(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {
    if (size_ != 0) buffer_[0] = '\0';
  }

  // Appends length bytes of text; what does not fit is counted but not written.
  void Add(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
      if (length_ + 1 < size_) {
        buffer_[length_] = text[i];
        buffer_[length_ + 1] = '\0';
      }
      ++length_;
    }
  }

  // Appends a NUL-terminated text.
  void Add(const char* text) { Add(text, std::strlen(text)); }

  // Appends the UTF-8 of code-page-1252 bytes (codepage.h), one character each.
  void AddUtf8FromCp1252(std::string_view bytes) {
    for (const char c : bytes) {
      char utf8[3] = {};
      Add(utf8, static_cast<std::size_t>(Cp1252ToUtf8(static_cast<unsigned char>(c), utf8)));
    }
  }

  // Appends value in decimal.
  void AddInt(int value) {
    char digits[16];
    const int length = FormatInt(digits, sizeof digits, value, 0);
    Add(digits, static_cast<std::size_t>(length));
  }

  // Appends the price a-b.
  void AddPrice(int a, int b) {
    AddInt(a);
    Add("-");
    AddInt(b);
  }

  // Appends value / 10^decimals with exactly decimals (0 to 18) decimals: 1234, 2 -> "12.34",
  // 5, 2 -> "0.05". A minus before a value below zero; with plus, a plus before one above
  // zero; never a sign on zero.
  void AddScaled(long long value, int decimals, bool plus = false) {
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    char reversed[40];
    int count = 0;
    do {
      reversed[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0 || count <= decimals);
    if (value < 0) {
      Add("-");
    } else if (plus && value > 0) {
      Add("+");
    }
    while (count > 0) {
      if (count == decimals) Add(".");
      Add(&reversed[--count], 1);
    }
  }

  // The length of the whole text, cut or not.
  int Length() const { return static_cast<int>(length_); }

 private:
  char* buffer_;
  std::size_t size_;
  std::size_t length_ = 0;
};

#endif
