// replay: runs an event script against the real dialog (the template read out of oddsmith.exe,
// the Win32 binding, user32's controls holding every value) and prints what the headless
// runner prints, so the two can be compared byte for byte.
// Usage: replay ODDSMITH_EXE SCRIPT
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "book/snapshot.h"
#include "dialog/win32/win32_dialog.h"
#include "runner/script.h"
#include "tests/win32/clipboard.h"
#include "tests/win32/exe_resources.h"

namespace {

// The real dialog driven at the message level. Focus changes inside user32 (the dialog being
// shown, hidden or activated) make the edit fields notify the dialog on their own; a script
// has no such events, so only the one notification a script line sends reaches the dispatch.
class ReplayTarget final : public ScriptTarget {
 public:
  bool Create(const DLGTEMPLATE* dialogTemplate) {
    dialog_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, nullptr,
                                         &ReplayTarget::Proc, reinterpret_cast<LPARAM>(this));
    return dialog_ != nullptr;
  }

  void Init() override { Deliver(WM_INITDIALOG, 0, 0); }

  void Type(int editId, std::string_view text) override {
    const std::string copy(text);
    SendDlgItemMessageA(dialog_, editId, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    SendDlgItemMessageA(dialog_, editId, EM_SETMODIFY, TRUE, 0);
  }

  void Leave(int editId) override {
    Deliver(WM_COMMAND, MakeCommandParam(editId, EN_KILLFOCUS),
            reinterpret_cast<LPARAM>(GetDlgItem(dialog_, editId)));
  }

  void Click(int boxId) override {
    const bool checked = IsDlgButtonChecked(dialog_, boxId) == BST_CHECKED;
    SendDlgItemMessageA(dialog_, boxId, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    Deliver(WM_COMMAND, MakeCommandParam(boxId, BN_CLICKED),
            reinterpret_cast<LPARAM>(GetDlgItem(dialog_, boxId)));
  }

  void Scroll(int barId, unsigned code, int pos) override {
    Deliver(WM_HSCROLL, MakeScrollParam(code, pos),
            reinterpret_cast<LPARAM>(GetDlgItem(dialog_, barId)));
  }

  void Command(int id) override { Deliver(WM_COMMAND, MakeCommandParam(id, 0), 0); }

  bool QuitPosted(int& code) override {
    MSG message;
    if (!quit_ && PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
      quit_ = true;
      quitCode_ = static_cast<int>(message.wParam);
    }
    code = quitCode_;
    return quit_;
  }

  DialogSnapshot Shown() override {
    Win32Surface surface(dialog_);
    return TakeSnapshot(surface);
  }
  // "Copy line" chosen in the system menu, and what it left on the clipboard.
  std::string CopiedLine() override {
    if (destroyed_) return {};
    SendMessageA(dialog_, WM_SYSCOMMAND, IDM_COPY_LINE, 0);
    return WithLfEnds(ClipboardUnicodeText());
  }

 private:
  void Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    if (destroyed_) return;
    scripted_ = {message, wParam, true};
    SendMessageA(dialog_, message, wParam, lParam);
    scripted_.pending = false;
    // EndDialog hides a modeless dialog and leaves its destruction to the caller, as the
    // modal loop of DialogBox would do it.
    if (initialised_ && !IsWindowVisible(dialog_)) {
      destroyed_ = true;
      DestroyWindow(dialog_);
    }
    if (message == WM_INITDIALOG) initialised_ = true;
  }

  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ReplayTarget*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) {
      // The creation's own initialisation: the script says when the dialog initialises.
      if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return FALSE;
    }
    if (message == WM_INITDIALOG || message == WM_COMMAND || message == WM_HSCROLL) {
      Scripted& expected = self->scripted_;
      if (!expected.pending || expected.message != message || expected.wParam != wParam) {
        return FALSE;
      }
      expected.pending = false;
    }
    return MainDialogProc(dialog, message, wParam, lParam);
  }

  struct Scripted {
    UINT message;
    WPARAM wParam;
    bool pending;
  };

  HWND dialog_ = nullptr;
  Scripted scripted_{0, 0, false};
  bool initialised_ = false;
  bool destroyed_ = false;
  bool quit_ = false;
  int quitCode_ = 0;
};

}  // namespace

// The replay's own failures, apart from every status a script can end with (2 for a refused
// line, 3 for a failed save or open).
constexpr int CANNOT_REPLAY = 4;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: replay ODDSMITH_EXE SCRIPT\n");
    return 2;
  }
  // Texts pass through the A-API as bytes; only code page 1252 maps every byte to a
  // character and back, which the golden texts need.
  if (GetACP() != 1252) {
    std::fprintf(stderr, "replay: the ANSI code page is %u, not 1252\n", GetACP());
    return CANNOT_REPLAY;
  }
  _setmode(_fileno(stdout), _O_BINARY);
  const ResourceBytes dialogTemplate = LoadExeResource(argv[1], "ODDSMITHBOX", RT_DIALOG);
  if (!dialogTemplate.data) return CANNOT_REPLAY;
  std::FILE* in = std::fopen(argv[2], "rb");
  if (!in) {
    std::fprintf(stderr, "replay: cannot read %s\n", argv[2]);
    return CANNOT_REPLAY;
  }
  ReplayTarget target;
  if (!target.Create(reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data))) {
    std::fprintf(stderr, "replay: cannot create the dialog (error %lu)\n", GetLastError());
    return CANNOT_REPLAY;
  }
  const int status = RunScript(target, in, stdout, stderr, "replay");
  std::fclose(in);
  return status;
}
