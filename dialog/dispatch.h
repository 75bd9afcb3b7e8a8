// The dialog's event dispatch: the single place where the user's actions enter the logic. Each
// binding (Win32, Qt, headless) turns its toolkit's events into these messages and calls
// MainDialogProc; nothing here knows which window system is underneath.
#ifndef ODDSMITH_DIALOG_DISPATCH_H
#define ODDSMITH_DIALOG_DISPATCH_H

#include <cstdint>

#include "dialog/surface.h"

// The window system's message, command, notification and scroll-code values. The names avoid
// <windows.h>'s macros; the Win32 binding proves that the values equal them.
constexpr unsigned MSG_DESTROY = 0x0002;
constexpr unsigned MSG_INITDIALOG = 0x0110;
constexpr unsigned MSG_COMMAND = 0x0111;
constexpr unsigned MSG_HSCROLL = 0x0114;

constexpr unsigned CMD_OK = 1;      // the Enter key; not handled
constexpr unsigned CMD_CANCEL = 2;  // Escape or the close box

constexpr unsigned NOTIFY_CLICKED = 0;         // a button's BN_CLICKED
constexpr unsigned NOTIFY_KILLFOCUS = 0x0200;  // an edit field's EN_KILLFOCUS

constexpr unsigned SCROLL_LINELEFT = 0;
constexpr unsigned SCROLL_LINERIGHT = 1;
constexpr unsigned SCROLL_PAGELEFT = 2;
constexpr unsigned SCROLL_PAGERIGHT = 3;
constexpr unsigned SCROLL_THUMBPOSITION = 4;
constexpr unsigned SCROLL_THUMBTRACK = 5;
constexpr unsigned SCROLL_LEFT = 6;
constexpr unsigned SCROLL_RIGHT = 7;
constexpr unsigned SCROLL_ENDSCROLL = 8;

// The pointer-sized message parameters, as the window system passes them.
using WordParam = std::uintptr_t;
using LongParam = std::intptr_t;

// The two 16-bit halves of a wParam: a command's identifier and notification code, a scroll's
// code and thumb position.
constexpr unsigned LowWord(WordParam wParam) { return wParam & 0xFFFF; }
constexpr unsigned HighWord(WordParam wParam) { return (wParam >> 16) & 0xFFFF; }

// Packs a command's identifier and notification code as the window system does.
constexpr WordParam MakeCommandParam(unsigned id, unsigned code) {
  return (id & 0xFFFF) | (WordParam{code & 0xFFFF} << 16);
}

// Packs a scroll's code and thumb position as the window system does: the message carries only
// the position's low 16 bits (DialogWindow::ThumbPosition gives the dispatch the full one).
constexpr WordParam MakeScrollParam(unsigned code, int pos) {
  return (code & 0xFFFF) | (WordParam{static_cast<unsigned>(pos) & 0xFFFF} << 16);
}

// The dialog window itself, beside its controls.
class DialogWindow {
 public:
  // The dialog's controls.
  virtual DialogSurface& Surface() = 0;
  // The identifier of the control whose handle arrived in a message's lParam (0 if none).
  virtual int ControlId(LongParam handle) = 0;
  // Hides (false) or shows (true) the dialog window.
  virtual void ShowDialog(bool visible) = 0;
  // Ends the modal dialog with result; the window system then destroys it.
  virtual void EndDialog(LongParam result) = 0;
  // Posts the quit message that ends the message loop with code.
  virtual void PostQuit(int code) = 0;
  // The full thumb position of a drag of bar barId, for SCROLL_THUMBPOSITION and
  // SCROLL_THUMBTRACK. word is the message's 16-bit position, which wraps above 65535; a
  // binding returns the bar's real position where it knows it.
  virtual int ThumbPosition(int barId, unsigned word) = 0;

 protected:
  ~DialogWindow() = default;
};

// The main dialog's procedure. Returns true when the message was handled, false to leave it
// to the window system's default handling. For commands the identifier is the low word of
// wParam and the notification code the high word; for scrolls the code is the low word.
bool MainDialogProc(DialogWindow& dialog, unsigned message, WordParam wParam, LongParam lParam);

// Delivers, in template order ("% Line:", "# of horses:", the odds fields), the kill-focus
// notification of every edit field whose modified flag is set when its turn comes, as leaving
// each field would, while the focus stays where it is: what is being typed is taken before the
// book is copied. A binding calls it where it would deliver those notifications itself.
void TakeTypedEntries(DialogWindow& dialog);

#endif
