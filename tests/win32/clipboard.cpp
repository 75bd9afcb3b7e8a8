// The clipboard read from a test program; Wine's own clipboard service may hold it briefly.
#include "tests/win32/clipboard.h"

#include <windows.h>

namespace {

bool OpenWithPatience() {
  for (int tries = 0; tries < 50; ++tries) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(20);
  }
  return false;
}

// The bytes of the clipboard's format, up to its first NUL character of unit bytes.
std::string Read(UINT format, std::size_t unit) {
  if (!OpenWithPatience()) return {};
  std::string bytes;
  if (const HANDLE data = GetClipboardData(format)) {
    if (const auto* start = static_cast<const char*>(GlobalLock(data))) {
      const std::size_t size = GlobalSize(data) / unit * unit;
      for (std::size_t at = 0; at < size; at += unit) {
        const std::string character(start + at, unit);
        if (character == std::string(unit, '\0')) break;
        bytes += character;
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

}  // namespace

std::string ClipboardUnicodeText() {
  const std::string utf16 = Read(CF_UNICODETEXT, sizeof(WCHAR));
  const int units = static_cast<int>(utf16.size() / sizeof(WCHAR));
  if (units == 0) return {};
  const auto* wide = reinterpret_cast<const WCHAR*>(utf16.data());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, units, text.data(), size, nullptr, nullptr);
  return text;
}

std::string ClipboardAnsiText() { return Read(CF_TEXT, 1); }

std::string ClipboardHtmlFormat() { return Read(RegisterClipboardFormatA("HTML Format"), 1); }

std::string WithLfEnds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}
