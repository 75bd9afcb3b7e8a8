// The main dialog as the program runs it, for the Win32 test programs: oddsmith.exe's own
// template and dialog procedure, beside a headless twin that is told the same user actions.
#ifndef ODDSMITH_TESTS_WIN32_LIVE_DIALOG_H
#define ODDSMITH_TESTS_WIN32_LIVE_DIALOG_H

#include <windows.h>

#include <functional>
#include <string>

#include "dialog/headless/headless_dialog.h"

// The tooltip control of owner (the dialog or one of its windows), and the tip it would show
// now for owner's control id, asked for as it asks before showing one; from any thread.
HWND TipsOf(HWND owner);
std::wstring TipOf(HWND owner, int id);

// A key as a window's message loop receives it: posted, so the dialog manager sees it.
void PressKey(HWND control, WPARAM key);

// Waits up to 2 s for done, as window's thread handles what was posted to it; whether done.
// WaitGone waits for window to be destroyed.
bool WaitFor(HWND window, const std::function<bool()>& done);
bool WaitGone(HWND window);

class LiveDialog {
 public:
  // REQUIRES: exe is oddsmith.exe loaded as a data file, whose resources hold the templates.
  explicit LiveDialog(HMODULE exe);
  ~LiveDialog();
  LiveDialog(const LiveDialog&) = delete;
  LiveDialog& operator=(const LiveDialog&) = delete;

  HWND Handle() const { return dialog_; }
  HeadlessDialog& Twin() { return twin_; }

  // The user's actions, on both dialogs: typing into a field (not yet left), leaving it, both,
  // and a click on a box.
  void Type(int id, const char* text);
  void Leave(int id);
  void Enter(int id, const char* text);
  void Click(int id);

  // The dialog's tooltip control, and the tip it would show now for control id (TipOf), once
  // the pointer has moved over the dialog (the tooltip is made then).
  HWND Tips() const;
  std::wstring Tip(int id) const;
  // The system menu as it shows once opened (its entries are added then).
  HMENU SystemMenu() const;

  // Chooses "Tote..." ("Card...") in the system menu and, while its window shows, runs steps on
  // a second thread, as a user acts beside the window's own message loop; steps end by closing
  // it.
  void WithTote(const std::function<void(HWND)>& steps);
  void WithCard(const std::function<void(HWND)>& steps);

 private:
  void WithWindow(unsigned command, const char* caption, const std::function<void(HWND)>& steps);

  HWND dialog_;
  HeadlessDialog twin_;
};

#endif
