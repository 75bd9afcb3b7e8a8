// What the Qt window tests share: the window compared control by control with a headless
// dialog given the events Windows would send for the same input, and points on a pool bar
// with the figures Windows gives them (arrows and thumb are squares of the bar's height).
#ifndef ODDSMITH_TESTS_QT_WINDOW_CHECKS_H
#define ODDSMITH_TESTS_QT_WINDOW_CHECKS_H

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

#include "dialog/headless/headless_dialog.h"
#include "dialog/qt/qt_dialog.h"
#include "dialog/qt/qt_text.h"

inline int FocusId(QtDialog& dialog) {
  return dialog.ControlId(reinterpret_cast<LongParam>(QApplication::focusWidget()));
}

// The first control whose state differs between the window and the headless dialog.
inline QString Difference(QtDialog& window, HeadlessDialog& oracle) {
  const HeadlessSurface& expected = oracle.Controls();
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    QWidget* widget = window.Control(id);
    QString shown;
    QString wanted;
    if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
      shown = QStringLiteral("bar %1 %2..%3 enabled=%4")
                  .arg(bar->value())
                  .arg(bar->minimum())
                  .arg(bar->maximum())
                  .arg(bar->isEnabled());
      wanted = QStringLiteral("bar %1 %2..%3 enabled=%4")
                   .arg(expected.Pos(id))
                   .arg(expected.RangeMin(id))
                   .arg(expected.RangeMax(id))
                   .arg(expected.ArrowsEnabled(id));
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      shown = QStringLiteral("checked=%1").arg(box->isChecked());
      wanted = QStringLiteral("checked=%1").arg(expected.Checked(id));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      shown = QStringLiteral("\"%1\" modified=%2").arg(edit->text()).arg(edit->isModified());
      wanted = QStringLiteral("\"%1\" modified=%2")
                   .arg(FromDialogBytes(expected.Text(id).data(),
                                        static_cast<qsizetype>(expected.Text(id).size())))
                   .arg(expected.Modified(id));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      shown = QStringLiteral("\"%1\"").arg(label->text());
      wanted = QStringLiteral("\"%1\"").arg(FromDialogBytes(
          expected.Text(id).data(), static_cast<qsizetype>(expected.Text(id).size())));
    }
    if (shown != wanted)
      return QStringLiteral("control %1: %2, expected %3").arg(id).arg(shown, wanted);
  }
  return QString();
}

#define SAME_AS(oracle) \
  QVERIFY2(Difference(dialog, oracle).isEmpty(), qPrintable(Difference(dialog, oracle)))

// Starts the window and its headless twin; true once the window is active.
inline bool Start(QtDialog& dialog, HeadlessDialog& oracle) {
  dialog.Init();
  oracle.Init();
  return QTest::qWaitForWindowActive(&dialog);
}

// How far the thumb travels between the arrows.
inline int Travel(const QScrollBar* bar) { return bar->width() - 3 * bar->height(); }

// The thumb's left edge for value, the bar's range being min..max.
inline int ThumbLeftFor(const QScrollBar* bar, int value, int min, int max) {
  const long long range = static_cast<long long>(max) - min;
  if (range <= 0) return bar->height();
  const long long travelled = static_cast<long long>(Travel(bar)) * (value - min);
  return bar->height() + static_cast<int>((travelled + range / 2) / range);
}
inline int ThumbLeft(const QScrollBar* bar) {
  return ThumbLeftFor(bar, bar->value(), bar->minimum(), bar->maximum());
}

// The value of a thumb whose left edge is at pixel left, taken within the thumb's travel.
inline int ValueAtThumb(const QScrollBar* bar, int left) {
  const long long travelled = std::clamp(left - bar->height(), 0, Travel(bar));
  const long long range = static_cast<long long>(bar->maximum()) - bar->minimum();
  return bar->minimum() + static_cast<int>((travelled * range + Travel(bar) / 2) / Travel(bar));
}

inline QPoint RightArrow(const QScrollBar* bar) {
  return {bar->width() - bar->height() / 2, bar->height() / 2};
}
inline QPoint LeftArrow(const QScrollBar* bar) { return {bar->height() / 2, bar->height() / 2}; }
inline QPoint RightTrough(const QScrollBar* bar) {
  return {bar->width() - bar->height() - 2, bar->height() / 2};
}
inline QPoint ThumbCentre(const QScrollBar* bar) {
  return {ThumbLeft(bar) + bar->height() / 2, bar->height() / 2};
}

#endif
