// The main dialog's widgets arranged by Qt's layouts in the desktop's font, so that every figure
// fits at any font size and scale and a wider window gives the bars, and so the user, finer
// shaping. Shared by the program and the start-up benchmark's window without logic.
#ifndef ODDSMITH_DIALOG_QT_DIALOG_LAYOUT_H
#define ODDSMITH_DIALOG_QT_DIALOG_LAYOUT_H

#include "dialog/qt/pool_bar.h"
#include "dialog/qt/qt_surface.h"

class QFontMetrics;
class QGridLayout;
class QLineEdit;
class QString;
class QWidget;

// A normal window, which window managers let the user resize and maximise: a wider window
// gives the bars, and so the shaping, more pixels.
constexpr Qt::WindowFlags DIALOG_WINDOW_FLAGS =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

// Below this, one pixel of a drag would move a horse's share by more than 45 units of the
// 0..10800 range a 120 % line gives its bars.
constexpr int BAR_MIN_TRAVEL = 240;

// How the bars and the "Race Info" frame are drawn: the bars as BarStyle keeps them in any
// style, and the frame around its title, which the desktop's styles may put above it.
class ControlStyle final : public BarStyle {
 public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
};

// The widest text of a figure's shape, '#' standing for any digit: proportional fonts give
// digits different widths, and every figure of that shape must fit.
QString Widest(const QFontMetrics& metrics, const char* shape);

// The pixels a text needs from where it is drawn: its advance, or its ink where a glyph
// overhangs it on the right, which a label's painter would clip.
int TextWidth(const QFontMetrics& metrics, const QString& text);

// The width at which edit shows text whole, with the caret after it: the frame, the text
// margins, QLineEdit's own margins, and the text, which QLineEdit takes to fit only with a
// pixel to spare, a pixel more for a fractional width rounded up, and a space's width of air.
int FieldWidth(const QLineEdit& edit, const QString& text);

// Arranges the controls in window as the template orders them: the "Race Info" frame around
// its two labelled fields, then one row per horse under the headings "#", "Odds", "% to win",
// "Pools", "Lock" and "Scr.", each text centred on its row, the bars taking every pixel of width
// the other columns leave. Fields and figures are sized to their widest content in the font
// they have, again whenever the window's font or style changes. Moving the "Race Info" fields
// into their frame keeps the focus chain, the order in which the controls were made. The grid's
// column NAME_GRID_COLUMN, between "#" and "Odds", stays empty (and takes no room) for the
// horses' names. Returns the rows' grid.
// REQUIRES: controls holds every control, made for its kind and a child of window; called once.
constexpr int NAME_GRID_COLUMN = 1;
QGridLayout* LayOutDialog(QWidget& window, const ControlTable& controls);

#endif
