// Names cut to their column's width, kept whole in the tip.
#include "dialog/qt/name_label.h"

#include <QEvent>
#include <QFontMetrics>

#include "dialog/qt/qt_text.h"

NameLabel::NameLabel(int chars, QWidget* parent) : QLabel(parent), m_chars(chars) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void NameLabel::SetName(const QString& name) {
  if (name == m_name) return;
  m_name = name;
  setToolTip(PlainTip(name));
  // A label with an accessible name is no longer heard by its text: the name goes to screen
  // readers as its description.
  setAccessibleDescription(name);
  Elide();
}

QSize NameLabel::sizeHint() const {
  const QMargins margins = contentsMargins();
  return {margins.left() + margins.right() + m_chars * fontMetrics().averageCharWidth(),
          QLabel::sizeHint().height()};
}

void NameLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void NameLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateGeometry();
    Elide();
  }
}

void NameLabel::Elide() {
  const QString shown = fontMetrics().elidedText(m_name, Qt::ElideRight, contentsRect().width());
  if (shown != text()) setText(shown);
}
