// What the program's own modal windows do alike.
#include "dialog/win32/win32_windows.h"

// after <windows.h>, which it needs
#include <commctrl.h>
#include <objbase.h>

#include "resources/dialog.h"
#include "text/wide.h"

namespace {

// The owner of the message box about to show on this thread, and the hook that places it.
thread_local HWND g_boxOwner = nullptr;
thread_local HHOOK g_boxHook = nullptr;

LRESULT CALLBACK PlaceBox(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = g_boxHook;
  // The first window the box's thread activates is the box itself.
  if (code == HCBT_ACTIVATE && g_boxOwner) {
    PlaceOverOwner(reinterpret_cast<HWND>(wParam), g_boxOwner);
    g_boxOwner = nullptr;
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

// What the task dialog's Save, Don't Save and Cancel answer, as a message box's Yes, No and
// Cancel would.
using TaskDialogFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

TaskDialogFunction LoadTaskDialog() {
  // Version 6 of the common controls, which the manifest asks for, has it; an older one not.
  return Procedure<TaskDialogFunction>(GetModuleHandleW(L"comctl32.dll"), "TaskDialogIndirect");
}

LRESULT CALLBACK NeverDefault(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR /*data*/) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, NeverDefault, id);
  const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
  if (message == WM_GETDLGCODE) return result & ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  return result;
}

}  // namespace

bool JoinComApartment() {
  using Join = HRESULT(WINAPI*)(LPVOID, DWORD);
  const auto join = Procedure<Join>(SystemLibrary(L"ole32.dll"), "CoInitializeEx");
  return join && SUCCEEDED(join(nullptr, COINIT_APARTMENTTHREADED));
}

void KeepFromDefault(HWND button) { SetWindowSubclass(button, NeverDefault, 0, 0); }

void PlaceOverOwner(HWND dialog, HWND main) {
  RECT owner, self;
  GetWindowRect(main, &owner);
  GetWindowRect(dialog, &self);
  const LONG width = self.right - self.left;
  const LONG height = self.bottom - self.top;
  LONG x = (owner.left + owner.right - width) / 2;
  LONG y = (owner.top + owner.bottom - height) / 2;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
  }
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int OwnedMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  g_boxOwner = owner;
  g_boxHook = owner ? SetWindowsHookExW(WH_CBT, PlaceBox, nullptr, GetCurrentThreadId()) : nullptr;
  const int answer =
      MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), flags);
  if (g_boxHook) UnhookWindowsHookEx(g_boxHook);
  g_boxHook = nullptr;
  g_boxOwner = nullptr;
  return answer;
}

int AskSaveChanges(HWND owner, const std::string& question) {
  const std::wstring text = WideFromUtf8(question);
  const std::wstring caption = WideFromUtf8(DLG_CAPTION);
  if (const TaskDialogFunction show = LoadTaskDialog()) {
    const TASKDIALOG_BUTTON buttons[] = {{IDYES, L"&Save"}, {IDNO, L"Do&n't Save"}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = caption.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszMainInstruction = text.c_str();
    config.cButtons = sizeof buttons / sizeof buttons[0];
    config.pButtons = buttons;
    config.nDefaultButton = IDYES;
    // Over the dialog, and within the screen even where the dialog is at its edge.
    config.pfCallback = [](HWND box, UINT notification, WPARAM, LPARAM, LONG_PTR data) -> HRESULT {
      if (notification == TDN_CREATED) PlaceOverOwner(box, reinterpret_cast<HWND>(data));
      return S_OK;
    };
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(owner);
    int answer = IDCANCEL;
    if (SUCCEEDED(show(&config, &answer, nullptr, nullptr))) return answer;
  }
  // Without the task dialog, the message box's Yes and No stand for Save and Don't Save.
  return OwnedMessageBox(owner, question, DLG_CAPTION, MB_YESNOCANCEL | MB_ICONWARNING);
}

HeldPainting::HeldPainting(HWND window)
    : held_(window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) ? window : nullptr) {
  if (held_) SendMessageW(held_, WM_SETREDRAW, FALSE, 0);
}

HeldPainting::~HeldPainting() {
  if (!held_) return;
  SendMessageW(held_, WM_SETREDRAW, TRUE, 0);
  PaintAllAgain(held_);
}

void PaintAllAgain(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
