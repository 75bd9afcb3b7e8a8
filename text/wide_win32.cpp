// UTF-8 and UTF-16 by Windows' own conversions, the code page by its table.
#include <windows.h>

#include "text/codepage.h"
#include "text/wide.h"

std::wstring WideFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
  return wide;
}

bool Utf8FromWide(const wchar_t* wide, std::string& utf8) {
  const int bytes =
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  utf8.assign(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, -1, utf8.data(), bytes, nullptr,
                      nullptr);
  utf8.resize(static_cast<std::size_t>(bytes) - 1);
  return true;
}

std::wstring WideFromCp1252(std::string_view bytes) {
  std::wstring wide(bytes.size(), L'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    wide[i] = static_cast<wchar_t>(Cp1252ToUtf16(static_cast<unsigned char>(bytes[i])));
  }
  return wide;
}

std::string Cp1252FromWide(std::wstring_view wide) {
  std::string bytes(wide.size(), '\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    bytes[i] = static_cast<char>(Cp1252FromUtf16(static_cast<char16_t>(wide[i])));
  }
  return bytes;
}
