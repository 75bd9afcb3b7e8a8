// Reads what "Copy line" leaves on the clipboard, for the Win32 test programs.
#ifndef ODDSMITH_TESTS_WIN32_CLIPBOARD_H
#define ODDSMITH_TESTS_WIN32_CLIPBOARD_H

#include <string>

// The clipboard's Unicode text (CF_UNICODETEXT) in the ANSI code page, the code page of the
// controls' texts; its ANSI text (CF_TEXT) as it lies. Each is empty when the clipboard holds
// no such text or stays busy for a second.
std::string ClipboardUnicodeText();
std::string ClipboardAnsiText();
// The clipboard's "HTML Format" bytes as they lie, header included.
std::string ClipboardHtmlFormat();

// text with every CR LF as LF, as the event runner ends its lines.
std::string WithLfEnds(const std::string& text);

#endif
