// Puts a table on the clipboard the way both of the program's copies do: as text for every
// program and as HTML for those, such as spreadsheets, that take tables; and reads a text a
// spreadsheet put there.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_CLIPBOARD_H
#define ODDSMITH_DIALOG_WIN32_WIN32_CLIPBOARD_H

#include <windows.h>

#include <cstddef>
#include <string>

// The "HTML Format" clipboard text of an HTML fragment (UTF-8): a header giving the byte offsets
// of the document and of the fragment within the whole text, then the document.
std::string ClipboardHtml(const char* fragment, std::size_t length);

struct CopiedTable;

// Replaces the clipboard's contents, for owner, with table's text (UTF-8, rows ended by CR LF)
// as Unicode text and, through the code page's table, as text in code page 1252, and its HTML
// in the "HTML Format" format. Returns false, with the clipboard left as it was, when it cannot
// be had (another program keeps it open) or memory runs out.
bool PutOnClipboard(HWND owner, const CopiedTable& table);

// The clipboard's Unicode text as UTF-8 into utf8. False when the clipboard holds no text, cannot
// be had, or holds a text UTF-8 cannot carry.
bool ReadClipboardText(HWND owner, std::string& utf8);

#endif
