// What the program's own modal windows do alike.
#include "dialog/win32/win32_windows.h"

// after <windows.h>, which it needs
#include <commctrl.h>

namespace {

LRESULT CALLBACK NeverDefault(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR /*data*/) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, NeverDefault, id);
  const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
  if (message == WM_GETDLGCODE) return result & ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  return result;
}

}  // namespace

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
