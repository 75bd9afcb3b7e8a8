// The floor of the Windows program's start-up: a dialog of the same template, size and font
// without controls, shown the same way and closed by the same message.
#include <windows.h>

#include "resources/dialog.h"

static INT_PTR CALLBACK MinimalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(dialog, 0);
      return TRUE;
    default: return FALSE;
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return DialogBoxParamA(instance, DLG_NAME, nullptr, MinimalProc, 0) == -1 ? 1 : 0;
}
