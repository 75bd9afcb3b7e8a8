// probe: looks into a running oddsmith.exe from a second process, so real-input tests can aim
// the pointer at its controls and read back what they hold.
// Usage: probe wait                   until the dialog is up and initialised (10 s at most)
//        probe show                   the controls' state, printed as the event runner prints it
//        probe copy                   the text the last "Copy line" left on the clipboard,
//                                     printed as the event runner prints it
//        probe tip                    screen rectangle of the dialog's tooltip once it shows
//                                     (3 s at most): left top right bottom
//        probe center ID              screen point in the middle of control ID
//        probe rect ID                control ID's screen rectangle: left top right bottom
//        probe closebox               screen point on the caption's close box
//        probe window                 the dialog's screen rectangle: left top width height
//        probe settext ID TEXT        puts TEXT into edit field ID as if typed (modified flag on)
//        probe thumb ID [DX]          screen point on bar ID's thumb, and the position user32
//                                     reports for a drag of the thumb by DX pixels (default 0)
//        probe popup                  screen rectangle of the window the dialog shows over
//                                     itself (a file dialog, a message box) once it shows (5 s
//                                     at most): left top right bottom
//        probe message                the text of the dialog's message box or task dialog (5 s at
//                                     most), UTF-8
//        probe focus                  the identifier of the control that has the keyboard focus
//        probe tote                   what the tote window shows (5 s at most), printed as the
//                                     event runner prints "tote table"
//        probe totewindow             the tote window's screen rectangle: left top right bottom
//        probe exotics                the Exotics window's summary (5 s at most), UTF-8
//        probe title                  the dialog's title, UTF-8
//        probe tiptext                the text of the tip the dialog's tooltip shows (3 s at
//                                     most), UTF-8
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "book/snapshot.h"
#include "dialog/win32/win32_surface.h"
#include "resources/dialog.h"
#include "resources/exotics.h"
#include "resources/tote.h"
#include "runner/script.h"
#include "tests/win32/clipboard.h"
#include "tote/tote_window.h"

namespace {

// The main dialog, whose title begins with its caption (the card's track, date and race may
// follow), not a message box of the same caption, which has the dialog as its owner.
HWND FindDialog() {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    if (std::strncmp(title, DLG_CAPTION, std::strlen(DLG_CAPTION)) == 0 &&
        !GetWindow(window, GW_OWNER)) {
      return window;
    }
  }
  return nullptr;
}

std::string Utf8(const WCHAR* wide) {
  char utf8[4096];
  if (!WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr)) return {};
  return utf8;
}

// The text the tooltip tips shows, asked for as the dialog's own tests ask (TTM_GETTEXTW):
// its answer is written into memory of the program's process, which the probe reads back.
bool ReadTipText(HWND dialog, HWND tips, std::string& text) {
  DWORD id = 0;
  GetWindowThreadProcessId(dialog, &id);
  const HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  if (!process) return false;
  struct Exchange {
    TTTOOLINFOW tool;
    WCHAR text[1024];
  };
  auto* remote = static_cast<Exchange*>(
      VirtualAllocEx(process, nullptr, sizeof(Exchange), MEM_COMMIT, PAGE_READWRITE));
  bool read = false;
  if (remote) {
    static Exchange local{};
    local.tool.cbSize = TTTOOLINFOW_V2_SIZE;
    local.tool.lpszText = nullptr;  // the tool alone, not its text
    read = WriteProcessMemory(process, remote, &local, sizeof local, nullptr) &&
           SendMessageW(tips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&remote->tool)) &&
           ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
    if (read) {
      local.tool.lpszText = remote->text;
      read = WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
      SendMessageW(tips, TTM_GETTEXTW, ARRAYSIZE(local.text),
                   reinterpret_cast<LPARAM>(&remote->tool));
      read = read && ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
      local.text[ARRAYSIZE(local.text) - 1] = L'\0';
      if (read) text = Utf8(local.text);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return read;
}

// Reads only; a probe never acts on the dialog through the script's actions.
class RemoteTarget final : public ScriptTarget {
 public:
  explicit RemoteTarget(HWND dialog) : dialog_(dialog) {}
  void Init() override {}
  void Type(int, std::string_view) override {}
  void Leave(int) override {}
  void Click(int) override {}
  void Scroll(int, unsigned, int) override {}
  void Command(int) override {}
  bool QuitPosted(int&) override { return false; }
  // Read from another process: every read of the Win32 binding works across processes.
  DialogSnapshot Shown() override {
    Win32Surface surface(dialog_);
    return TakeSnapshot(surface);
  }
  // What the user's own "Copy line" put there; the probe chooses nothing in the menu.
  std::string CopiedLine() override { return WithLfEnds(ClipboardUnicodeText()); }

 private:
  HWND dialog_;
};

// Runs the one script command ("show" or "copy") against the running dialog.
int Run(HWND dialog, const char* command) {
  std::FILE* script = std::tmpfile();
  if (!script) return 1;
  std::fprintf(script, "%s\n", command);
  std::rewind(script);
  RemoteTarget target(dialog);
  const int status = RunScript(target, script, stdout, stderr, "probe");
  std::fclose(script);
  return status;
}

// The thumb geometry of a horizontal scroll bar control without a page size: arrows and thumb
// as wide as a vertical scroll bar, the thumb's left edge spread over the pixels between.
struct Thumb {
  int left;    // thumb's left edge, in the bar's client coordinates
  int size;    // thumb width
  int arrow;   // arrow width
  int travel;  // pixels the thumb can move
};

Thumb ThumbOf(HWND bar, const SCROLLINFO& info) {
  RECT client;
  GetClientRect(bar, &client);
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  const int travel = client.right - 2 * arrow - arrow;
  const int left = info.nMax > info.nMin
                       ? arrow + MulDiv(travel, info.nPos - info.nMin, info.nMax - info.nMin)
                       : arrow;
  return {left, arrow, arrow, travel};
}

// The position user32 reports for a thumb whose left edge is at pixel left.
int ThumbValue(const Thumb& thumb, const SCROLLINFO& info, int left) {
  int pos = left - thumb.arrow;
  if (pos < 0) pos = 0;
  if (pos > thumb.travel) pos = thumb.travel;
  const long long span = static_cast<long long>(info.nMax) - info.nMin;
  return info.nMin + static_cast<int>((pos * span + thumb.travel / 2) / thumb.travel);
}

// A visible window the dialog owns, waited for tries tenths of a second at most: its tooltip
// showing a tip, or (tip false) what else it shows over itself, a file dialog or a message box.
HWND ShownOwnedWindow(HWND dialog, bool tip, int tries) {
  struct Search {
    HWND dialog;
    bool tip;
    HWND found;
  } search{dialog, tip, nullptr};
  for (int i = 0; i < tries && !search.found; ++i) {
    if (i > 0) Sleep(100);
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          char name[32] = "";
          GetClassNameA(window, name, sizeof name);
          if ((lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) != s->tip ||
              GetWindow(window, GW_OWNER) != s->dialog || !IsWindowVisible(window)) {
            return TRUE;
          }
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

// The tote window shown over the dialog, waited for 5 s at most.
// The window called caption that the dialog shows over itself (5 s at most).
HWND OwnedWindow(HWND dialog, const char* caption) {
  for (int tries = 0; tries < 50; ++tries) {
    if (tries > 0) Sleep(100);
    const HWND shown = FindWindowExA(nullptr, nullptr, nullptr, caption);
    if (shown && GetWindow(shown, GW_OWNER) == dialog && IsWindowVisible(shown)) return shown;
  }
  std::fprintf(stderr, "probe: no %s window\n", caption);
  return nullptr;
}

HWND ToteWindow(HWND dialog) { return OwnedWindow(dialog, TOTE_CAPTION); }

std::string WindowText(HWND window, int id) {
  WCHAR text[256] = L"";
  SendDlgItemMessageW(window, id, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text));
  return Utf8(text);
}

// The tote window's rows as its controls show them, in the copied table's form. A slot's
// horse number is read from the name its price field's label gives it.
void PrintTote(HWND tote) {
  std::string table;
  long long staked = 0;
  for (int c = 0; c < TOTE_COLUMN_COUNT; ++c) {
    table += (c ? "\t" : "") + WindowText(tote, IDC_TOTE_HEAD + c);
  }
  table += '\n';
  for (int j = 0; j < ROW_COUNT && IsWindowVisible(GetDlgItem(tote, IDC_TOTE_PRICE + j)); ++j) {
    const std::string name = WindowText(tote, IDC_TOTE_NUMBER + j);
    int number = 0;
    char rest[32] = "";
    if (std::sscanf(name.c_str(), "Horse %d %31[^\n]", &number, rest) != 2 ||
        std::string(rest) != "tote price") {
      number = 0;
    }
    table += std::to_string(number);
    for (const int column :
         {IDC_TOTE_PROGRAM, IDC_TOTE_NAME, IDC_TOTE_FAIR, IDC_TOTE_FAIR_ODDS, IDC_TOTE_NEEDS,
          IDC_TOTE_PRICE, IDC_TOTE_OVERLAY, IDC_TOTE_STATUS, IDC_TOTE_PAYS, IDC_TOTE_EV}) {
      table += '\t' + WindowText(tote, column + j);
    }
    // "$12" in the window, 12 in the table; the Stakes line adds them up.
    const std::string stake = WindowText(tote, IDC_TOTE_STAKE + j);
    table += '\t' + (stake.empty() ? stake : stake.substr(1));
    if (!stake.empty()) staked += std::stoll(stake.substr(1));
    table += '\n';
  }
  table += "Edge\t" + WindowText(tote, IDC_TOTE_EDGE) + "%\n";
  table += "Tote book\t" + WindowText(tote, IDC_TOTE_BOOK) + '\n';
  table += "Take\t" + WindowText(tote, IDC_TOTE_TAKE) + '\n';
  table += "Bets\t" + WindowText(tote, IDC_TOTE_BETS) + '\n';
  const bool bankroll = !WindowText(tote, IDC_TOTE_BANKROLL).empty();
  table += "Stakes\t" + (bankroll ? std::to_string(staked) : std::string()) + "\n\n";
  std::fputs(table.c_str(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  _setmode(_fileno(stdout), _O_BINARY);  // printed as the runner prints: LF line ends
  const std::string command = argv[1];
  if (command == "wait") {
    for (int tries = 0; tries < 100; ++tries) {
      const HWND dialog = FindDialog();
      char line[8] = "";
      if (dialog && IsWindowVisible(dialog) &&
          GetDlgItemTextA(dialog, IDC_LINE, line, sizeof line) > 0) {
        return 0;
      }
      Sleep(100);
    }
    std::fprintf(stderr, "probe: no dialog\n");
    return 1;
  }
  const HWND dialog = FindDialog();
  if (!dialog) {
    std::fprintf(stderr, "probe: no dialog\n");
    return 1;
  }
  if (command == "show" || command == "copy") return Run(dialog, command.c_str());
  if (command == "tip" || command == "popup") {
    if (const HWND shown = ShownOwnedWindow(dialog, command == "tip", command == "tip" ? 30 : 50)) {
      RECT r;
      GetWindowRect(shown, &r);
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
      return 0;
    }
    std::fprintf(stderr, "probe: no %s shows\n", command == "tip" ? "tooltip" : "window");
    return 1;
  }
  if (command == "message") {
    // A message box's text is its static control 0xFFFF; a task dialog's, its first static
    // control with a text (the icon's has none).
    const HWND box = ShownOwnedWindow(dialog, false, 50);
    WCHAR text[1024] = L"";
    if (box && !GetDlgItemTextW(box, 0xFFFF, text, ARRAYSIZE(text))) {
      for (HWND child = GetWindow(box, GW_CHILD); child && !text[0];
           child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") == 0) GetWindowTextW(child, text, ARRAYSIZE(text));
      }
    }
    if (!box || !text[0]) {
      std::fprintf(stderr, "probe: no message box shows\n");
      return 1;
    }
    char utf8[sizeof text * 3 / 2];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return 0;
  }
  if (command == "focus") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return 1;
    std::printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
    return 0;
  }
  if (command == "tote" || command == "totewindow") {
    const HWND tote = ToteWindow(dialog);
    if (!tote) return 1;
    if (command == "tote") {
      PrintTote(tote);
    } else {
      RECT r;
      GetWindowRect(tote, &r);
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    }
    return 0;
  }
  if (command == "exotics") {
    const HWND exotics = OwnedWindow(dialog, EXOTICS_CAPTION);
    if (!exotics) return 1;
    std::printf("%s\n", WindowText(exotics, IDC_EXOTICS_SUMMARY).c_str());
    return 0;
  }
  if (command == "title") {
    WCHAR title[256] = L"";
    GetWindowTextW(dialog, title, ARRAYSIZE(title));
    std::printf("%s\n", Utf8(title).c_str());
    return 0;
  }
  if (command == "tiptext") {
    std::string text;
    const HWND tips = ShownOwnedWindow(dialog, true, 30);
    if (!tips || !ReadTipText(dialog, tips, text)) {
      std::fprintf(stderr, "probe: no tip to read\n");
      return 1;
    }
    std::printf("%s\n", text.c_str());
    return 0;
  }
  if (command == "window") {
    RECT r;
    GetWindowRect(dialog, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (command == "closebox") {
    RECT r;
    GetWindowRect(dialog, &r);
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    std::printf("%ld %ld\n", r.right - frame - GetSystemMetrics(SM_CXSIZE) / 2 - 1,
                r.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2);
    return 0;
  }
  if (argc < 3) return 2;
  const int id = std::atoi(argv[2]);
  const HWND control = GetDlgItem(dialog, id);
  if (!control) return 1;
  RECT r;
  GetWindowRect(control, &r);
  if (command == "center") {
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
  }
  if (command == "rect") {
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == "settext" && argc == 4) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    SendMessageA(control, EM_SETMODIFY, TRUE, 0);
    return 0;
  }
  if (command == "thumb") {
    const int dx = argc > 3 ? std::atoi(argv[3]) : 0;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(control, SB_CTL, &info);
    const Thumb thumb = ThumbOf(control, info);
    std::printf("%ld %ld %d\n", r.left + thumb.left + thumb.size / 2, (r.top + r.bottom) / 2,
                ThumbValue(thumb, info, thumb.left + dx));
    return 0;
  }
  return 2;
}
