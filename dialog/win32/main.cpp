// oddsmith.exe: shows the main dialog and runs until it is closed.
#include <windows.h>

#include "dialog/win32/win32_dialog.h"
#include "resources/dialog.h"

// The program's one global: the module whose resources hold the dialog template.
static HINSTANCE g_instance;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
  g_instance = instance;
  return RunMainDialog(g_instance, DLG_NAME);
}
