// Points on a pool bar and the figures Windows gives them, for the tests that drive the bars
// with the mouse: the arrows and the thumb are squares of the bar's height, and the thumb's
// pixel and the bar's value convert as the Windows control converts them.
#ifndef ODDSMITH_TESTS_QT_BAR_POINTS_H
#define ODDSMITH_TESTS_QT_BAR_POINTS_H

#include <QPoint>
#include <QScrollBar>
#include <algorithm>

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
