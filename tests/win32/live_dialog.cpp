// The live dialog beside its headless twin; see live_dialog.h.
#include "tests/win32/live_dialog.h"

// after <windows.h>, which it needs
#include <commctrl.h>

#include <thread>

#include "card/card_window.h"
#include "dialog/win32/win32_dialog.h"
#include "tests/win32/check.h"
#include "tote/tote.h"
#include "tote/tote_window.h"

LiveDialog::LiveDialog(HMODULE exe)
    : dialog_(CreateDialogParamA(exe, "ODDSMITHBOX", nullptr, MainDialogProc, 0)) {
  EXPECT(dialog_, "cannot create the dialog (error %lu)", GetLastError());
  twin_.Init();
}

LiveDialog::~LiveDialog() {
  if (dialog_) DestroyWindow(dialog_);
}

void LiveDialog::Type(int id, const char* text) {
  SetDlgItemTextA(dialog_, id, text);
  SendDlgItemMessageA(dialog_, id, EM_SETMODIFY, TRUE, 0);
  twin_.Type(id, text);
}

void LiveDialog::Leave(int id) {
  SendMessageA(dialog_, WM_COMMAND, MakeCommandParam(id, EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
  twin_.Leave(id);
}

void LiveDialog::Enter(int id, const char* text) {
  Type(id, text);
  Leave(id);
}

void LiveDialog::Click(int id) {
  CheckDlgButton(dialog_, id, IsDlgButtonChecked(dialog_, id) ? BST_UNCHECKED : BST_CHECKED);
  SendMessageA(dialog_, WM_COMMAND, MakeCommandParam(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
  twin_.Click(id);
}

void PressKey(HWND control, WPARAM key) {
  PostMessageA(control, WM_KEYDOWN, key, 1);
  PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

bool WaitFor(HWND window, const std::function<bool()>& done) {
  for (int tries = 0; tries < 40 && !done(); ++tries) {
    // Under Wine a message posted from another thread waits until the window's thread wakes
    // for something else; a sent message wakes it.
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &ignored);
    Sleep(50);
  }
  return done();
}

bool WaitGone(HWND window) {
  return WaitFor(window, [window] { return !IsWindow(window); });
}

HWND TipsOf(HWND owner) {
  HWND tips = nullptr;
  do {
    tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr);
  } while (tips && GetWindow(tips, GW_OWNER) != owner);
  return tips;
}

std::wstring TipOf(HWND owner, int id) {
  WCHAR text[CARD_TIP_MAX] = L"";
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(owner, id));
  tool.lpszText = text;
  SendMessageW(TipsOf(owner), TTM_GETTEXTW, ARRAYSIZE(text), reinterpret_cast<LPARAM>(&tool));
  return text;
}

HWND LiveDialog::Tips() const {
  // What the system sends the dialog as the pointer moves over its "% Line:" field.
  SendMessageA(dialog_, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, IDC_LINE)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return TipsOf(dialog_);
}

std::wstring LiveDialog::Tip(int id) const {
  Tips();
  return TipOf(dialog_, id);
}

HMENU LiveDialog::SystemMenu() const {
  const HMENU menu = GetSystemMenu(dialog_, FALSE);
  // What the dialog hears as its system menu opens.
  SendMessageA(dialog_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
  return menu;
}

void LiveDialog::WithTote(const std::function<void(HWND)>& steps) {
  WithWindow(IDM_TOTE, TOTE_CAPTION, steps);
}

void LiveDialog::WithCard(const std::function<void(HWND)>& steps) {
  WithWindow(IDM_CARD, CARD_CAPTION, steps);
}

void LiveDialog::WithWindow(unsigned command, const char* caption,
                            const std::function<void(HWND)>& steps) {
  std::thread user([this, caption, &steps] {
    HWND window = nullptr;
    for (int tries = 0; tries < 100 && !window; ++tries) {
      Sleep(50);
      window = FindWindowExA(nullptr, nullptr, nullptr, caption);
      // Shown once initialised.
      if (window && (GetWindow(window, GW_OWNER) != dialog_ || !IsWindowVisible(window))) {
        window = nullptr;
      }
    }
    EXPECT(window, "no %s window", caption);
    if (!window) return;
    steps(window);
    if (IsWindow(window)) {
      EXPECT(false, "the %s window stays", caption);
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
  });
  SendMessageA(dialog_, WM_SYSCOMMAND, command, 0);
  user.join();
}
