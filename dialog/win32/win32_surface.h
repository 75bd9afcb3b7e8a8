// The Win32 binding of the seam: the live dialog's controls as a DialogSurface and its window as
// a DialogWindow, each operation one user32 call on the dialog's handle.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_SURFACE_H
#define ODDSMITH_DIALOG_WIN32_WIN32_SURFACE_H

#include <windows.h>

#include "dialog/dispatch.h"
#include "dialog/surface.h"

// Nothing is cached, so the controls stay the only store of state. Every read also works on the
// dialog of another process (a test's probe reads the running program's dialog this way).
class Win32Surface final : public DialogSurface {
 public:
  // REQUIRES: dialog is a dialog window that outlives this object.
  explicit Win32Surface(HWND dialog) : dialog_(dialog) {}

  UnsignedRead ReadUnsigned(int id) override;
  int TextLength(int id) override;
  int ReadText(int id, char* buffer, int max) override;
  void WriteText(int id, const char* text) override;
  bool IsModified(int id) override;
  void SetModified(int id, bool modified) override;
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
  // Every show of the dialog holds its painting, until EndHeldPainting paints it once: for the
  // start, whose figures are all written after the show.
  Win32Dialog(HWND dialog, bool holdPaintingWhenShown)
      : dialog_(dialog), surface_(dialog), holdWhenShown_(holdPaintingWhenShown) {}
  ~Win32Dialog() { EndHeldPainting(); }
  Win32Dialog(const Win32Dialog&) = delete;
  Win32Dialog& operator=(const Win32Dialog&) = delete;
  void EndHeldPainting();

  DialogSurface& Surface() override { return surface_; }
  int ControlId(LongParam handle) override;
  void ShowDialog(bool visible) override;
  void EndDialog(LongParam result) override;
  void PostQuit(int code) override;
  int ThumbPosition(int barId, unsigned word) override;

 private:
  HWND dialog_;
  Win32Surface surface_;
  bool holdWhenShown_ = false;
  bool held_ = false;
};

// The full position of a thumb drag from the 16-bit word of a scroll message: the word is the
// position modulo 65536, so among the positions within 0 ... barMax that share it, the one
// nearest to the bar's own tracking position. Where barMax fits 16 bits that is the word.
int UnwrapThumbWord(unsigned word, int barMax, int trackPos);

#endif
