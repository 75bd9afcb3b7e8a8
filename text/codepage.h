// One rule for every text of the program, stated here once:
// - What the controls show, the tote's texts and every text the core keeps are bytes in code
//   page 1252, as the Windows program's controls hold them in Western locales.
// - What leaves the program as text (line files, tips, copied tables and their HTML) is UTF-8,
//   made from those bytes by the table here (Cp1252ToUtf8), and read back through it.
// - Each binding converts at its edge: the Qt binding between the bytes and QString with
//   Cp1252ToUtf16 and Cp1252FromUtf16, and UTF-8 with QString::fromUtf8; the Win32 binding
//   hands the controls their bytes and turns UTF-8 into UTF-16 for the wide API (text/wide.h),
//   never through the ANSI code page.
#ifndef ODDSMITH_TEXT_CODEPAGE_H
#define ODDSMITH_TEXT_CODEPAGE_H

#include <cstddef>
#include <string>
#include <string_view>

// The character byte stands for, as MultiByteToWideChar(1252, ...) gives it: 0x80 is U+20AC,
// the five undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are U+0081 ... U+009D.
char16_t Cp1252ToUtf16(unsigned char byte);

// The byte for one UTF-16 unit, as WideCharToMultiByte(1252, 0, ...) makes it: the code page's
// own byte, else the best fit ("５" becomes "5", "ā" becomes "a"), else "?". A surrogate,
// taken alone as Windows takes it, is "?".
unsigned char Cp1252FromUtf16(char16_t unit);

// True for the five bytes the code page leaves undefined: 0x81, 0x8D, 0x8F, 0x90 and 0x9D.
bool IsUndefinedCp1252(unsigned char byte);

// The UTF-8 of the character byte stands for, into utf8; returns its length, 1 to 3.
int Cp1252ToUtf8(unsigned char byte, char (&utf8)[3]);

// Appends the UTF-8 of the bytes, one character each.
void AppendUtf8FromCp1252(std::string& out, std::string_view bytes);

// Appends the bytes typing the character c would make: for one of UTF-16's first plane its
// byte as Cp1252FromUtf16 gives it; for one beyond, which is two UTF-16 units, "??".
void AppendCp1252(std::string& out, char32_t c);

// Reads the UTF-8 character of text at at (REQUIRES: at < text.size()) into c and moves at past
// it. False, with at where it
// was, for bytes that are not UTF-8: a stray or missing continuation byte, an overlong form, a
// surrogate, a value past U+10FFFF, or a sequence cut by the end of text.
bool NextUtf8(std::string_view text, std::size_t& at, char32_t& c);

// Appends byte as the escape "\xHH", its hexadecimal digits in the case asked for.
enum class HexDigits { LOWER, UPPER };
void AppendHexEscape(std::string& out, unsigned char byte, HexDigits digits);

#endif
