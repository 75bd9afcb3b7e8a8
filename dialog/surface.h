// The only way the book logic touches the dialog: one operation per control read or write,
// always on the live control, so the controls stay the single store of state. HeadlessSurface
// holds the same state in memory, as a snapshot of the dialog, for the tests, the event runner,
// the fuzzers and every portable layer that works on a race no window shows.
#ifndef ODDSMITH_DIALOG_SURFACE_H
#define ODDSMITH_DIALOG_SURFACE_H

#include <cstddef>
#include <string>
#include <string_view>

#include "resources/columns.h"
#include "text/number.h"

// The most bytes a typed text keeps: a Qt field's limit, kept by the in-memory fields too, so
// that whatever a field shows fits a line file. Windows' fields stop sooner, at their width.
constexpr std::size_t FIELD_TEXT_MAX = 32767;

// Every operation names its control by identifier (resources/ids.h). An identifier that names
// no control of the dialog, or an operation the control's kind has no use for (a mark of a
// field, a range of a label), is ignored as the window system ignores it: reads give 0, an
// empty text or false, and writes change nothing. Every binding keeps to this rule.
class DialogSurface {
 public:
  // The control's text read as an unsigned number (text/number.h, ParseUnsigned).
  virtual UnsignedRead ReadUnsigned(int id) = 0;
  // The length of the control's text in bytes, the NUL not counted.
  virtual int TextLength(int id) = 0;
  // Copies at most max - 1 bytes of the text and a terminating NUL into buffer (nothing when
  // max <= 0); returns the number of bytes copied, the NUL not counted.
  virtual int ReadText(int id, char* buffer, int max) = 0;
  // Replaces the control's text by the NUL-terminated text; clears an edit field's modified
  // flag, so the program's own texts are never taken for the user's.
  virtual void WriteText(int id, const char* text) = 0;
  // True only if the user changed the edit field's text since it was last written.
  virtual bool IsModified(int id) = 0;
  // Sets the edit field's modified flag as the user's typing would leave it: for a field shown
  // again as it was left, text and flag.
  virtual void SetModified(int id, bool modified) = 0;
  // The check box's mark. The boxes are automatic: a click toggles the mark before the dialog
  // hears of it.
  virtual bool IsChecked(int id) = 0;
  virtual void SetChecked(int id, bool on) = 0;
  // Sets the bar's range; a position outside it moves to the nearer end. No redraw.
  virtual void SetBarRange(int id, int min, int max) = 0;
  // The bar's current position, a share in units of 1/10000.
  virtual int BarPos(int id) = 0;
  // Moves the bar, bounded to its range (so no share leaves 0 ... maximum), and redraws it.
  virtual void SetBarPos(int id, int pos) = 0;
  // Enables or disables both arrows of the bar; inactive rows have them disabled.
  virtual void EnableBarArrows(int id, bool on) = 0;
  // The bar's range, as last set (0 and 0 for a bar never given one), and whether its arrows
  // are enabled; what a saved line keeps of a bar besides its position.
  virtual int BarMin(int id) = 0;
  virtual int BarMax(int id) = 0;
  virtual bool BarArrowsEnabled(int id) = 0;

 protected:
  ~DialogSurface() = default;
};

// What one control shows: its text, an edit field's modified flag, a box's mark, a bar's range,
// position and arrows. What a control's kind has no use for stays as the window system creates
// it.
struct ControlState {
  std::string text;
  bool modified = false;
  bool checked = false;
  int min = 0;
  int max = 0;
  int pos = 0;
  bool arrows = true;

  bool operator==(const ControlState&) const = default;
};

// The dialog as it is shown: the state of all of its controls, by identifier. (clang-tidy takes
// the loop variable of the compiler's own copy of the array for a name of ours.)
struct DialogSnapshot {  // NOLINT(bugprone-reserved-identifier)
  ControlState controls[CONTROL_COUNT];

  // REQUIRES: IDC_FIRST <= id <= IDC_LAST.
  ControlState& operator[](int id) { return controls[id - IDC_FIRST]; }
  const ControlState& operator[](int id) const { return controls[id - IDC_FIRST]; }
  bool operator==(const DialogSnapshot& other) const {
    for (int i = 0; i < CONTROL_COUNT; ++i) {
      if (!(controls[i] == other.controls[i])) return false;
    }
    return true;
  }
};

// A dialog's controls in memory: a DialogSurface over a stored snapshot. It starts as the window
// system creates the controls (the template's texts, empty fields, flags and marks clear, every
// bar at range 0..0 and position 0 with its arrows enabled), or as a snapshot given. A stray
// identifier is counted in StrayAccesses() besides being ignored. Implemented with the
// snapshot's functions in book/snapshot.cpp, so every layer from the book up has it.
class HeadlessSurface final : public DialogSurface {
 public:
  HeadlessSurface();
  explicit HeadlessSurface(const DialogSnapshot& shown);

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

  // What the user does: replace the whole text (up to the first NUL, as a window text ends
  // there, and at most FIELD_TEXT_MAX bytes) and mark it modified, without any notification.
  void Type(int id, std::string_view text);

  // The dialog as stored; no effect on it.
  const DialogSnapshot& Snapshot() const { return shown_; }
  // Control id's state; a state as created for an identifier outside the dialog.
  const ControlState& State(int id) const;
  std::string_view Text(int id) const { return State(id).text; }
  bool Modified(int id) const { return State(id).modified; }
  bool Checked(int id) const { return State(id).checked; }
  int Pos(int id) const { return State(id).pos; }
  int RangeMin(int id) const { return State(id).min; }
  int RangeMax(int id) const { return State(id).max; }
  bool ArrowsEnabled(int id) const { return State(id).arrows; }
  // How many operations named an identifier that is no control of the dialog.
  int StrayAccesses() const { return stray_; }

 private:
  ControlState* Find(int id);

  DialogSnapshot shown_;
  int stray_ = 0;
};

#endif
