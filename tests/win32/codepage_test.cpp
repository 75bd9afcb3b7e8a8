// The code-page table of the core against Windows' own conversions: every UTF-16 unit through
// WideCharToMultiByte(1252, 0, ...) and every byte through MultiByteToWideChar(1252, ...).
#include <windows.h>

#include "tests/win32/check.h"
#include "text/codepage.h"

int main() {
  for (unsigned value = 0; value < 0x10000; ++value) {
    const WCHAR unit = static_cast<WCHAR>(value);
    char byte = 0;
    const int made = WideCharToMultiByte(1252, 0, &unit, 1, &byte, 1, nullptr, nullptr);
    EXPECT(made == 1 && static_cast<unsigned char>(byte) == Cp1252FromUtf16(unit),
           "U+%04X: Windows %02X, table %02X", value, static_cast<unsigned char>(byte),
           Cp1252FromUtf16(unit));
  }
  for (int value = 0; value < 256; ++value) {
    const char byte = static_cast<char>(value);
    WCHAR unit = 0;
    const int made = MultiByteToWideChar(1252, 0, &byte, 1, &unit, 1);
    EXPECT(made == 1 && unit == Cp1252ToUtf16(static_cast<unsigned char>(value)),
           "byte %02X: Windows U+%04X, table U+%04X", value, unit,
           Cp1252ToUtf16(static_cast<unsigned char>(value)));
  }
  return CheckResult();
}
