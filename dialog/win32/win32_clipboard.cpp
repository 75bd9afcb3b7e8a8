// The clipboard's formats for a copied table, shared by "Copy line" and the tote window's copy,
// and the text a pasted table of entries comes as.
#include "dialog/win32/win32_clipboard.h"

#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "text/table.h"
#include "text/wide.h"

namespace {

// A movable global block holding size bytes of data, as the clipboard takes it; nullptr when
// there is no memory.
HGLOBAL GlobalCopy(const void* data, std::size_t size) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

std::string ClipboardHtml(const char* fragment, std::size_t length) {
  // Each offset has ten digits, so the header's length is known before the offsets are.
  const char before[] = "<html><body>\r\n<!--StartFragment-->";
  const char after[] = "<!--EndFragment-->\r\n</body></html>";
  const auto header = [](std::size_t startHtml, std::size_t endHtml, std::size_t startFragment,
                         std::size_t endFragment) {
    const auto offset = [](std::size_t value) {
      const std::string digits = std::to_string(value);
      return std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0') + digits;
    };
    return "Version:0.9\r\nStartHTML:" + offset(startHtml) + "\r\nEndHTML:" + offset(endHtml) +
           "\r\nStartFragment:" + offset(startFragment) + "\r\nEndFragment:" + offset(endFragment) +
           "\r\n";
  };
  const std::size_t startHtml = header(0, 0, 0, 0).size();
  const std::size_t startFragment = startHtml + sizeof before - 1;
  const std::size_t endFragment = startFragment + length;
  const std::size_t endHtml = endFragment + sizeof after - 1;
  return header(startHtml, endHtml, startFragment, endFragment) + before +
         std::string(fragment, length) + after;
}

bool PutOnClipboard(HWND owner, const CopiedTable& table) {
  const std::wstring text = WideFromUtf8(table.text);
  const std::string ansi = Cp1252FromWide(text);
  const std::string html = ClipboardHtml(table.html.data(), table.html.size());
  const UINT htmlFormat = RegisterClipboardFormatW(L"HTML Format");
  HGLOBAL unicodeText = GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  HGLOBAL ansiText = GlobalCopy(ansi.c_str(), ansi.size() + 1);
  HGLOBAL htmlText = htmlFormat ? GlobalCopy(html.c_str(), html.size() + 1) : nullptr;
  // Another program may hold the clipboard for a moment: wait for it a little, not long.
  bool open = false;
  for (int tries = 0; unicodeText && ansiText && htmlText && tries < 10; ++tries) {
    open = OpenClipboard(owner) != FALSE;
    if (open) break;
    Sleep(20);
  }
  bool copied = false;
  if (open) {
    if (EmptyClipboard()) {
      // On success the clipboard owns the memory.
      if (SetClipboardData(CF_UNICODETEXT, unicodeText)) unicodeText = nullptr;
      if (SetClipboardData(CF_TEXT, ansiText)) ansiText = nullptr;
      if (SetClipboardData(htmlFormat, htmlText)) htmlText = nullptr;
      copied = !unicodeText && !ansiText && !htmlText;
    }
    CloseClipboard();
  }
  for (const HGLOBAL left : {unicodeText, ansiText, htmlText}) {
    if (left) GlobalFree(left);
  }
  return copied;
}

bool ReadClipboardText(HWND owner, std::string& utf8) {
  bool open = false;
  for (int tries = 0; tries < 10 && !open; ++tries) {
    open = OpenClipboard(owner) != FALSE;
    if (!open) Sleep(20);
  }
  if (!open) return false;
  bool read = false;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      // The clipboard's text ends at its NUL, within the memory it was given.
      const std::size_t room = GlobalSize(data) / sizeof(wchar_t);
      std::wstring bounded(text, room);
      bounded.resize(std::wcslen(bounded.c_str()));
      read = Utf8FromWide(bounded.c_str(), utf8);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return read;
}
