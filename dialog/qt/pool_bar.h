// A horse's pool bar as the Windows scroll bar control behaves under the mouse and the keyboard:
// Qt's own scroll bar pages, repeats and snaps back by rules of its style, which give other
// figures for the same hand movements, so the bar tracks its input itself.
#ifndef ODDSMITH_DIALOG_QT_POOL_BAR_H
#define ODDSMITH_DIALOG_QT_POOL_BAR_H

#include <QBasicTimer>
#include <QPoint>
#include <QProxyStyle>
#include <QScrollBar>

// Where the parts of a horizontal bar lie along its length, in pixels from its left edge: an
// arrow at each end and the thumb between them, each as long as the bar is high, placed and
// read back as the Windows control does it.
struct BarLayout {
  int length = 0;  // the whole bar
  int arrow = 0;   // each arrow
  int thumb = 0;   // the thumb; 0 when the bar is too short to have one
  int free = 0;    // how far the thumb travels

  // The layout of a bar width pixels long and height pixels high.
  static BarLayout Of(int width, int height);
  // The thumb's left edge for value in min..max.
  int ThumbAt(long long value, int min, int max) const;
  // The value for a thumb whose left edge is at pixel x, taken within the thumb's travel:
  // min plus x's share of the range, rounded half away from zero.
  int ValueAt(int x, int min, int max) const;
};

// The bar's shape whatever style the desktop sets: both arrows and a thumb of fixed size where
// BarLayout puts them, and no transient bar that hides its arrows.
class BarStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget) const override;
};

// The bar moves only where whoever handles its scrolled() signal puts it (setValue); the
// bar's own input only reports. A click never gives it the focus; given the focus, it shows
// it and takes the arrow keys.
class PoolBar final : public QScrollBar {
  Q_OBJECT

 public:
  // The parts the pointer can hit, as the Windows control tells them apart.
  enum class Part { NOWHERE, LEFT_ARROW, LEFT_TROUGH, THUMB, RIGHT_TROUGH, RIGHT_ARROW };

  explicit PoolBar(QWidget* parent = nullptr);

  // The part under point at (bar coordinates), the thumb standing at the bar's value.
  Part HitTest(QPoint at) const;

  // A held arrow or trough repeats after the first delay, then at the repeat interval.
  static constexpr int FIRST_DELAY_MS = 200;
  static constexpr int REPEAT_MS = 50;
  // How long, in milliseconds, a held arrow or trough waits before its next message; 0 while
  // it sends none (nothing held, or the pointer off the part).
  int RepeatDelay() const { return m_repeatDelay; }
  // True while the left button holds one of its parts: its messages are one action until the
  // release.
  bool Held() const { return m_pressed != Part::NOWHERE; }

 signals:
  // One scroll message: code is a SCROLL_* code, thumb the full position for the two thumb
  // codes and 0 for the others. Emitted for the user's input only, never for setValue.
  void scrolled(unsigned code, int thumb);
  // A hold that ended without its release (the release went elsewhere, the bar was disabled or
  // hidden): its messages were one action all the same, now over.
  void holdEnded();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  BarLayout Layout() const { return BarLayout::Of(width(), height()); }
  // The arrows' and troughs' repeat, as the press, a tick of the timer or a move of the pointer
  // asks for it. While the pointer's last place hits the part pressed, the press and each tick
  // send its code and wait the first delay (after the press) or the repeat interval for the
  // next; a move sends nothing and puts the next message off by the repeat interval, as the
  // Windows control times them under Wine. Off the part, the repeat stops.
  enum class RepeatCause { PRESS, TICK, MOVE };
  void Repeat(RepeatCause cause);
  // The dragged thumb's left edge at pointer pixel x along the bar (press x when the pointer
  // is outside the drag zone), sent as a track message when x is another pixel.
  void Drag(QPoint at);
  int DraggedValue() const;
  // Ends tracking without a message, as when the bar goes away under a held button.
  void Cancel();

  Part m_pressed = Part::NOWHERE;  // the part the held button went down on
  QPoint m_last;                   // the last pointer position the bar received
  QBasicTimer m_repeat;
  int m_repeatDelay = 0;  // the interval m_repeat runs at, 0 when stopped
  int m_pressX = 0;       // a drag: where along the bar the button went down
  int m_pointerX = 0;     // where along the bar the pointer last was
  int m_thumbStart = 0;   // the thumb's left edge when the drag began
};

#endif
