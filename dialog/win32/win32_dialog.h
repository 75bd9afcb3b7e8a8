// The Win32 binding: the live dialog's controls as a DialogSurface, its window as a
// DialogWindow, and the dialog procedure that hands user32's messages to the portable dispatch.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_DIALOG_H
#define ODDSMITH_DIALOG_WIN32_WIN32_DIALOG_H

#include <windows.h>

#include "book/tote.h"
#include "dialog/dispatch.h"
#include "dialog/surface.h"

// Each operation is one user32 call on the dialog's control; nothing is cached, so the
// controls stay the only store of state. Identifiers without a control read as 0, empty or
// false, as user32 answers for them.
class Win32Surface final : public DialogSurface {
 public:
  // REQUIRES: dialog is a dialog window that outlives this object.
  explicit Win32Surface(HWND dialog) : dialog_(dialog) {}

  UnsignedRead ReadUnsigned(int id) override;
  int ReadText(int id, char* buffer, int max) override;
  void WriteText(int id, const char* text) override;
  bool IsModified(int id) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool on) override;
  void SetBarRange(int id, int min, int max) override;
  int BarPos(int id) override;
  void SetBarPos(int id, int pos) override;
  void EnableBarArrows(int id, bool on) override;
  int BarMin(int id) override;
  int BarMax(int id) override;
  bool BarArrowsEnabled(int id) override;

 private:
  HWND dialog_;
};

// The dialog window's own operations. Made afresh for each message from the handle user32
// passes in, so no handle is kept anywhere between messages.
class Win32Dialog final : public DialogWindow {
 public:
  explicit Win32Dialog(HWND dialog) : dialog_(dialog), surface_(dialog) {}

  DialogSurface& Surface() override { return surface_; }
  int ControlId(LongParam handle) override;
  void ShowDialog(bool visible) override;
  void EndDialog(LongParam result) override;
  void PostQuit(int code) override;
  int ThumbPosition(int barId, unsigned word) override;

 private:
  HWND dialog_;
  Win32Surface surface_;
};

// The full position of a thumb drag from the 16-bit word of a scroll message: the word is the
// position modulo 65536, so among the positions within 0 ... barMax that share it, the one
// nearest to the bar's own tracking position. Where barMax fits 16 bits that is the word.
int UnwrapThumbWord(unsigned word, int barMax, int trackPos);

// The main dialog's procedure for user32: TRUE when the message was handled. Beside the
// dispatch it gives the dialog what only Windows needs to be told: at initialisation a tooltip
// control for the horses' odds fields and bars and the "% Line:" field, whose texts it works
// out each time a tip is shown, and "Copy line", "Open line...", "Save line..." and "Tote..."
// in the system menu; and the window's tote, from initialisation to destruction. Opening the
// menu leaves the keyboard focus where it is, so "Copy line" and "Tote..." take what is being
// typed themselves (TakeTypedEntries); the file dialogs take the focus, so the field being
// typed in is left, as any other window taking the focus leaves it, before a file is written
// or read. A file that cannot be saved or opened is reported in a message box naming it, and
// changes nothing, the tote included.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The tote that dialog's window keeps (MainDialogProc), owned by the window: nullptr before
// its initialisation and after its destruction.
ToteState* MainDialogTote(HWND dialog);

// Puts the line table on the clipboard, lines ended by CR LF, as Unicode text and as the same
// bytes in the ANSI code page that the controls' texts are in, and as an HTML table in the
// "HTML Format" clipboard format. Returns false, with the clipboard left as it was, when it
// cannot be had (another program keeps it open).
bool CopyLineToClipboard(HWND dialog);

// Shows the dialog templateName of instance modally, then drains the thread's messages until
// the quit message, whose code it returns. Returns CANNOT_RUN at once, without waiting for a
// quit message that would never come, when the dialog cannot be shown or the loop fails.
constexpr int CANNOT_RUN = 1;
int RunMainDialog(HINSTANCE instance, const char* templateName);

#endif
