// Tooltips that ask their dialog for each text as it shows.
#include "dialog/win32/win32_tips.h"

#include <cstring>

#include "text/wide.h"

HWND AddTooltips(HWND dialog, const int* ids, int count) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  if (!InitCommonControlsEx(&classes)) return nullptr;
  const HWND tips = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
  if (!tips) return nullptr;
  for (int i = 0; i < count; ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // taken by every version of the common controls
    // The control is the tool: the tooltip watches its mouse messages itself and asks the
    // dialog for the text each time it shows. Transparent to the mouse, so a tip lying over
    // another control never takes that control's click.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, ids[i]));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return tips;
}

INT_PTR AnswerNotifyFormat(HWND dialog, LPARAM command) {
  if (command != NF_QUERY) return FALSE;
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, NFR_UNICODE);
  return TRUE;
}

HWND TipControl(const NMHDR* header) {
  if (header->code == TTN_GETDISPINFOW) {
    const auto* info = reinterpret_cast<const NMTTDISPINFOW*>(header);
    return (info->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(header->idFrom) : nullptr;
  }
  const auto* info = reinterpret_cast<const NMTTDISPINFOA*>(header);
  return (info->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(header->idFrom) : nullptr;
}

void AnswerTip(NMHDR* header, const char* utf8, TipText& text) {
  // The core's tips are UTF-8 (the middle dot); the A-API would need a code page to hold it.
  if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.wide, CARD_TIP_MAX) == 0) {
    text.wide[0] = L'\0';
  }
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->lpszText = text.wide;
    info->hinst = nullptr;
  } else {
    // Only where the tooltip did not take the Unicode form the dialog asked for.
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    const std::string bytes = Cp1252FromWide(text.wide);
    const std::size_t length =
        bytes.size() < sizeof text.ansi ? bytes.size() : sizeof text.ansi - 1;
    std::memcpy(text.ansi, bytes.data(), length);
    text.ansi[length] = '\0';
    info->lpszText = text.ansi;
    info->hinst = nullptr;
  }
}
