// The Qt dialog's widgets as a DialogSurface, apart from the window that makes them and turns
// the user's actions into messages, so the book logic reaches the widgets through this alone.
#ifndef ODDSMITH_DIALOG_QT_QT_SURFACE_H
#define ODDSMITH_DIALOG_QT_QT_SURFACE_H

#include <array>

#include "dialog/surface.h"
#include "resources/columns.h"

class QCheckBox;
class QLineEdit;
class QScrollBar;
class QWidget;

// The dialog's widgets by identifier, IDC_FIRST first; nullptr where there is no widget.
using ControlTable = std::array<QWidget*, CONTROL_COUNT>;

// Each operation is one call on the widget that has the identifier; nothing is cached, so the
// widgets stay the only store of state. Texts cross as code-page-1252 bytes (qt_text.h), one
// UTF-16 unit a byte.
class QtSurface final : public DialogSurface {
 public:
  // REQUIRES: controls outlives this object. Its entries may change; each operation looks its
  // widget up afresh.
  explicit QtSurface(const ControlTable& controls) : m_controls(controls) {}

  // The widget with identifier id, nullptr for an identifier outside the dialog.
  QWidget* Control(int id) const;

  // The text of any control (an edit's, a label's, a box's or the group's title), parsed by
  // ParseUnsigned.
  UnsignedRead ReadUnsigned(int id) override;
  // The length of any control's text, as ReadText reads it.
  int TextLength(int id) override;
  // The text of any control, as ReadUnsigned reads it, cut and NUL-terminated as
  // DialogSurface::ReadText says.
  int ReadText(int id, char* buffer, int max) override;
  // Replaces the text of any control. An edit field is left with its modified flag clear, no
  // selection and the cursor at the start, whether its text changed or not.
  void WriteText(int id, const char* text) override;
  bool IsModified(int id) override;
  void SetModified(int id, bool modified) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool on) override;
  // Sets a bar's range, which moves its position into the range at once.
  void SetBarRange(int id, int min, int max) override;
  int BarPos(int id) override;
  void SetBarPos(int id, int pos) override;
  // Enables or disables the whole bar: a bar without arrows takes no input at all, and shows
  // it.
  void EnableBarArrows(int id, bool on) override;
  // A bar's range, and whether it takes input.
  int BarMin(int id) override;
  int BarMax(int id) override;
  bool BarArrowsEnabled(int id) override;

 private:
  QCheckBox* Box(int id) const;
  QLineEdit* Edit(int id) const;
  QScrollBar* Bar(int id) const;

  const ControlTable& m_controls;
};

#endif
