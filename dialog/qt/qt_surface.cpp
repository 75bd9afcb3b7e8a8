// The surface over the Qt dialog's widgets: thin calls into Qt, nothing remembered.
#include "dialog/qt/qt_surface.h"

#include <QByteArray>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QString>
#include <cstring>
#include <string_view>

#include "dialog/qt/qt_text.h"

namespace {

// Any control's text (an edit's, a label's, a box's or the group's title) as the dialog's bytes.
QByteArray TextOf(const QWidget* widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return ToDialogBytes(edit->text());
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return ToDialogBytes(label->text());
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    return ToDialogBytes(button->text());
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
    return ToDialogBytes(group->title());
  }
  return QByteArray();
}

}  // namespace

QWidget* QtSurface::Control(int id) const {
  return id >= IDC_FIRST && id <= IDC_LAST ? m_controls[id - IDC_FIRST] : nullptr;
}

QCheckBox* QtSurface::Box(int id) const { return qobject_cast<QCheckBox*>(Control(id)); }

QLineEdit* QtSurface::Edit(int id) const { return qobject_cast<QLineEdit*>(Control(id)); }

QScrollBar* QtSurface::Bar(int id) const { return qobject_cast<QScrollBar*>(Control(id)); }

UnsignedRead QtSurface::ReadUnsigned(int id) {
  const QByteArray text = TextOf(Control(id));
  return ParseUnsigned(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

int QtSurface::TextLength(int id) { return static_cast<int>(TextOf(Control(id)).size()); }

int QtSurface::ReadText(int id, char* buffer, int max) {
  if (max <= 0) return 0;
  const QByteArray text = TextOf(Control(id));
  const int length = static_cast<int>(qMin<qsizetype>(text.size(), max - 1));
  std::memcpy(buffer, text.constData(), static_cast<std::size_t>(length));
  buffer[length] = '\0';
  return length;
}

void QtSurface::WriteText(int id, const char* text) {
  const QString value = FromDialogBytes(text);
  QWidget* widget = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    // Most events rewrite fields with the text they already show. Where setText would leave
    // the field as it is, only the modified flag needs clearing: moving the cursor to the end
    // and back would repaint the field, and the group box behind it, on every event.
    if (edit->text() == value && edit->cursorPosition() == 0 && !edit->hasSelectedText() &&
        !edit->isUndoAvailable() && !edit->isRedoAvailable()) {
      edit->setModified(false);
      return;
    }
    edit->setText(value);        // clears the modified flag
    edit->setCursorPosition(0);  // show the start of a text wider than the field
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(value);
  }
}

bool QtSurface::IsModified(int id) {
  // The field sets the flag on every edit of the user's (QtDialog::MakeEdit), so an undo back
  // to the written text leaves it set, as on Windows; only the writes above clear it.
  const QLineEdit* edit = Edit(id);
  return edit && edit->isModified();
}

void QtSurface::SetModified(int id, bool modified) {
  if (QLineEdit* edit = Edit(id)) edit->setModified(modified);
}

bool QtSurface::IsChecked(int id) {
  const QCheckBox* box = Box(id);
  return box && box->isChecked();
}

void QtSurface::SetChecked(int id, bool on) {
  if (QCheckBox* box = Box(id)) box->setChecked(on);
}

void QtSurface::SetBarRange(int id, int min, int max) {
  if (QScrollBar* bar = Bar(id)) bar->setRange(min, max);  // bounds the position too
}

int QtSurface::BarPos(int id) {
  const QScrollBar* bar = Bar(id);
  return bar ? bar->value() : 0;
}

void QtSurface::SetBarPos(int id, int pos) {
  if (QScrollBar* bar = Bar(id)) bar->setValue(pos);  // bounded to the range
}

void QtSurface::EnableBarArrows(int id, bool on) {
  if (QScrollBar* bar = Bar(id)) bar->setEnabled(on);
}

int QtSurface::BarMin(int id) {
  const QScrollBar* bar = Bar(id);
  return bar ? bar->minimum() : 0;
}

int QtSurface::BarMax(int id) {
  const QScrollBar* bar = Bar(id);
  return bar ? bar->maximum() : 0;
}

bool QtSurface::BarArrowsEnabled(int id) {
  const QScrollBar* bar = Bar(id);
  return bar && bar->isEnabled();
}
