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

HWND LiveDialog::Tips() const {
  struct Search {
    HWND dialog;
    HWND tips;
  } search{dialog_, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char name[32] = "";
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != s->dialog) {
          return TRUE;
        }
        s->tips = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.tips;
}

std::wstring LiveDialog::Tip(int id) const {
  WCHAR text[CARD_TIP_MAX] = L"";
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = dialog_;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog_, id));
  tool.lpszText = text;
  SendMessageW(Tips(), TTM_GETTEXTW, ARRAYSIZE(text), reinterpret_cast<LPARAM>(&tool));
  return text;
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
