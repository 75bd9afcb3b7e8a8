// UTF-16, the text of Windows' wide API, to and from UTF-8 and the code page's bytes (see
// codepage.h for the rule). Only the Windows program has it: CMake builds wide_win32.cpp there.
#ifndef ODDSMITH_TEXT_WIDE_H
#define ODDSMITH_TEXT_WIDE_H

#include <string>
#include <string_view>

// utf8 as UTF-16. Bytes that are not UTF-8 become U+FFFD each.
std::wstring WideFromUtf8(std::string_view utf8);

// wide (NUL-terminated) as UTF-8 into utf8. False for a text UTF-8 cannot carry unchanged (a
// lone surrogate, which a file name may hold): a stand-in character would name another file.
bool Utf8FromWide(const wchar_t* wide, std::string& utf8);

// Code-page-1252 bytes as UTF-16 and back, through the code page's one table: what the A-API
// would make of them in a Western locale, whatever the machine's ANSI code page is.
std::wstring WideFromCp1252(std::string_view bytes);
std::string Cp1252FromWide(std::wstring_view wide);

#endif
