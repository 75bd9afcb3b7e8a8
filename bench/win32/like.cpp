// The like-for-like floor of the Windows program's start-up: the program's own resources under
// a procedure without logic that shows what the program's start shows, written directly with
// the calls the program's controls take (the hide and the show, the texts, the bars' ranges,
// positions and arrows). Words on the command line add or take away one phase each, so that the
// benchmark can tell what each costs:
//   noshow  no hide and show in the initialisation
//   nostate no texts, ranges or positions written
//   tips    the tooltip control and its 29 tools, as the program once made them at its start
//   menu    the system menu's 19 entries, as the program once appended them at its start
//   held    the writes made with the dialog's redraw held, then one repaint
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include <cstring>
#include <initializer_list>

#include "bench/start_state.h"
#include "resources/columns.h"
#include "resources/dialog.h"
#include "resources/ids.h"

namespace {

struct Phases {
  bool show = true;
  bool state = true;
  bool tips = false;
  bool menu = false;
  bool held = false;
};
Phases g_phases;

// The program's icon in the caption, as the first frame shows it.
void SetIcon(HWND dialog) {
  const int sizes[][2] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
  for (const auto& [which, metric] : sizes) {
    const int size = GetSystemMetrics(metric);
    const HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ODDSMITH),
                                   IMAGE_ICON, size, size, LR_SHARED);
    if (icon) SendMessageA(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

void WriteState(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_LINE, START_LINE);
  SetDlgItemTextA(dialog, IDC_HORSES, START_HORSES);
  for (int row = 0; row < ROW_COUNT; ++row) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    info.nMax = START_BAR_MAX;
    const HWND bar = GetDlgItem(dialog, IDC_POOL_BAR + row);
    SendMessageA(bar, SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
    SendMessageA(bar, SBM_SETPOS, START_BAR_POS, TRUE);
    SendMessageA(bar, SBM_ENABLE_ARROWS, ESB_ENABLE_BOTH, 0);
    SetDlgItemTextA(dialog, IDC_ODDS + row, START_ODDS);
    SetDlgItemTextA(dialog, IDC_WIN_PCT + row, START_SHARE);
  }
}

void AddTips(HWND dialog) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  if (!InitCommonControlsEx(&classes)) return;
  const HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  if (!tips) return;
  for (int i = 0; i < 2 * ROW_COUNT + 1; ++i) {
    const int id = i == 2 * ROW_COUNT ? IDC_LINE : i % 2 ? IDC_POOL_BAR + i / 2 : IDC_ODDS + i / 2;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void AddMenu(HWND dialog) {
  const HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu) return;
  // As many entries in as many groups as the program's, under placeholder commands.
  UINT command = 0x0400;
  for (const int group : {6, 3, 2, 2, 1}) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < group; ++i, command += 0x10)
      AppendMenuA(menu, MF_STRING, command, "Entry...");
  }
}

INT_PTR CALLBACK LikeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      if (g_phases.show) {
        ShowWindow(dialog, SW_HIDE);
        ShowWindow(dialog, SW_SHOW);
      }
      if (g_phases.held) SendMessageA(dialog, WM_SETREDRAW, FALSE, 0);
      if (g_phases.state) WriteState(dialog);
      if (g_phases.held) {
        SendMessageA(dialog, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
      }
      SetIcon(dialog);
      if (g_phases.tips) AddTips(dialog);
      if (g_phases.menu) AddMenu(dialog);
      return TRUE;  // the first field focused, its text selected, as the program's
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(dialog, 0);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // The words, each separated by spaces.
  for (char* word = std::strtok(commandLine, " "); word; word = std::strtok(nullptr, " ")) {
    if (!std::strcmp(word, "noshow")) g_phases.show = false;
    if (!std::strcmp(word, "nostate")) g_phases.state = false;
    if (!std::strcmp(word, "tips")) g_phases.tips = true;
    if (!std::strcmp(word, "menu")) g_phases.menu = true;
    if (!std::strcmp(word, "held")) g_phases.held = true;
  }
  return DialogBoxParamA(instance, DLG_NAME, nullptr, LikeProc, 0) == -1 ? 1 : 0;
}
