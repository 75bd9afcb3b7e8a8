// The only way the book logic touches the dialog: one operation per control read or write,
// always on the live control, so the controls stay the single store of state. HeadlessSurface
// holds the same state in memory for the tests, the event runner and the fuzzers.
#ifndef ODDSMITH_DIALOG_SURFACE_H
#define ODDSMITH_DIALOG_SURFACE_H

#include <cstddef>
#include <string>
#include <string_view>

#include "resources/columns.h"

// The most bytes a typed text keeps: a Qt field's limit, kept by the in-memory fields too, so
// that whatever a field shows fits a line file. Windows' fields stop sooner, at their width.
constexpr std::size_t FIELD_TEXT_MAX = 32767;

// A number read from a field: value 0 and ok false when the text has no number.
struct UnsignedRead {
  unsigned value;
  bool ok;
};

// The one parser behind every binding's ReadUnsigned, so every platform reads numbers alike.
// Skips leading spaces and tabs; the run of decimal digits that follows is the value. No digit
// there (a sign, a letter, an empty text) or a run above 4294967295 gives {0, false}, never a
// wrapped number. Looks at the whole text, however long.
UnsignedRead ParseUnsigned(std::string_view text);

class DialogSurface {
 public:
  // The field's text read as an unsigned number (see ParseUnsigned).
  virtual UnsignedRead ReadUnsigned(int id) = 0;
  // Copies at most max - 1 bytes of the text and a terminating NUL into buffer (nothing when
  // max <= 0); returns the number of bytes copied, the NUL not counted.
  virtual int ReadText(int id, char* buffer, int max) = 0;
  // Replaces the control's text by the NUL-terminated text; clears an edit field's modified
  // flag, so the program's own texts are never taken for the user's.
  virtual void WriteText(int id, const char* text) = 0;
  // True only if the user changed the edit field's text since it was last written.
  virtual bool IsModified(int id) = 0;
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

// All 95 controls in memory, starting as the window system creates them: the template's
// texts (empty for the fields), modified flags and marks clear, every bar at range 0..0 and
// position 0 with its arrows enabled. An identifier outside the dialog is ignored as the
// window system ignores it (reads give 0, empty or false) and counted in StrayAccesses().
class HeadlessSurface final : public DialogSurface {
 public:
  HeadlessSurface();

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

  // What the user does: replace the whole text (up to the first NUL, as a window text ends
  // there, and at most FIELD_TEXT_MAX bytes) and mark it modified, without any notification.
  void Type(int id, std::string_view text);

  // Reads of the state for printing and checking; no effect on it.
  std::string_view Text(int id) const;
  bool Modified(int id) const;
  bool Checked(int id) const;
  int Pos(int id) const;
  int RangeMin(int id) const;
  int RangeMax(int id) const;
  bool ArrowsEnabled(int id) const;
  // How many operations named an identifier that is no control of the dialog.
  int StrayAccesses() const { return stray_; }

 private:
  struct Control {
    std::string text;
    bool modified = false;
    bool checked = false;
    int min = 0;
    int max = 0;
    int pos = 0;
    bool arrows = true;
  };

  Control* Find(int id);
  const Control* Find(int id) const;

  Control controls_[CONTROL_COUNT];
  int stray_ = 0;
};

#endif
