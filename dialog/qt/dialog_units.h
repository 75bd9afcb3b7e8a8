// Dialog units to pixels, the way Windows places a dialog template: a horizontal unit is a
// quarter of the font's average character width, a vertical one an eighth of its height, so
// the layout keeps its proportions at any font and DPI.
#ifndef ODDSMITH_DIALOG_QT_DIALOG_UNITS_H
#define ODDSMITH_DIALOG_QT_DIALOG_UNITS_H

#include <QRect>

class QFontMetrics;

// A font's dialog base units in pixels: x is the average width of the 52 letters A-Z and
// a-z, rounded; y is the font's height (ascent plus descent).
struct DialogBaseUnits {
  int x;
  int y;
};

DialogBaseUnits BaseUnitsOf(const QFontMetrics& metrics);

// A rectangle in dialog units to pixels. Each of left, top, width and height is scaled on its
// own and rounded half away from zero, as a template's controls are created.
QRect MapDialogRect(int x, int y, int width, int height, DialogBaseUnits units);

#endif
