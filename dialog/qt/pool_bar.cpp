// The pool bar's own mouse and keyboard handling: a held arrow or trough repeats while the
// pointer's last place still hits it, and a dragged thumb reports a position only when the
// pointer reaches another pixel along the bar.
#include "dialog/qt/pool_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>

#include "dialog/dispatch.h"

namespace {

// The shortest track between the arrows of a bar that has a thumb.
constexpr int MIN_TRACK = 4;

// a * b / c rounded half away from zero, c > 0; one of a and b is a count of pixels, so the
// product stays far within 64 bits.
long long MulDiv(long long a, long long b, long long c) {
  const long long product = a * b;
  return product >= 0 ? (product + c / 2) / c : (product - c / 2) / c;
}

unsigned CodeOf(PoolBar::Part part) {
  switch (part) {
    case PoolBar::Part::LEFT_ARROW: return SCROLL_LINELEFT;
    case PoolBar::Part::LEFT_TROUGH: return SCROLL_PAGELEFT;
    case PoolBar::Part::RIGHT_TROUGH: return SCROLL_PAGERIGHT;
    default: return SCROLL_LINERIGHT;
  }
}

QStyle::SubControl SubControlOf(PoolBar::Part part) {
  switch (part) {
    case PoolBar::Part::LEFT_ARROW: return QStyle::SC_ScrollBarSubLine;
    case PoolBar::Part::LEFT_TROUGH: return QStyle::SC_ScrollBarSubPage;
    case PoolBar::Part::THUMB: return QStyle::SC_ScrollBarSlider;
    case PoolBar::Part::RIGHT_TROUGH: return QStyle::SC_ScrollBarAddPage;
    case PoolBar::Part::RIGHT_ARROW: return QStyle::SC_ScrollBarAddLine;
    default: return QStyle::SC_None;
  }
}

}  // namespace

BarLayout BarLayout::Of(int width, int height) {
  BarLayout layout;
  layout.length = std::max(width, 0);
  const int side = std::max(height, 0);
  if (layout.length <= 2 * side + MIN_TRACK) {
    // Too short for a thumb: the arrows share what is left beside the shortest track.
    layout.arrow = layout.length > MIN_TRACK ? (layout.length - MIN_TRACK) / 2 : 0;
    return layout;
  }
  layout.arrow = side;
  const int travel = layout.length - 3 * side;
  if (travel < 0) return layout;
  layout.thumb = side;
  layout.free = travel;
  return layout;
}

int BarLayout::ThumbAt(long long value, int min, int max) const {
  if (thumb == 0) return 0;
  if (min >= max) return arrow;
  value = std::clamp<long long>(value, min, max);
  return arrow + static_cast<int>(MulDiv(free, value - min, static_cast<long long>(max) - min));
}

int BarLayout::ValueAt(int x, int min, int max) const {
  if (free <= 0 || max <= min) return min;
  const int travelled = std::clamp(x - arrow, 0, free);
  return static_cast<int>(min + MulDiv(travelled, static_cast<long long>(max) - min, free));
}

int BarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                          const QWidget* widget) const {
  // A bar is as high as the template makes it, and its arrows and thumb as long.
  if (metric == PM_ScrollBarExtent && widget) return widget->height();
  return QProxyStyle::pixelMetric(metric, option, widget);
}

int BarStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const {
  switch (hint) {
    case SH_ScrollBar_Transient:
    case SH_ScrollBar_ContextMenu: return 0;
    default: return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
}

QRect BarStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                               SubControl sub, const QWidget* widget) const {
  const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
  if (control != CC_ScrollBar || !bar || bar->orientation != Qt::Horizontal) {
    return QProxyStyle::subControlRect(control, option, sub, widget);
  }
  const QRect& area = bar->rect;
  const BarLayout layout = BarLayout::Of(area.width(), area.height());
  // The drawn thumb stands at the slider position: where a drag has it, else at the value.
  const int thumb = layout.ThumbAt(bar->sliderPosition, bar->minimum, bar->maximum);
  const int trackEnd = layout.length - layout.arrow;
  const auto span = [&area](int from, int to) {
    return QRect(area.x() + from, area.y(), std::max(to - from, 0), area.height());
  };
  switch (sub) {
    case SC_ScrollBarSubLine: return span(0, layout.arrow);
    case SC_ScrollBarAddLine: return span(trackEnd, layout.length);
    case SC_ScrollBarGroove: return span(layout.arrow, trackEnd);
    case SC_ScrollBarSlider: return layout.thumb ? span(thumb, thumb + layout.thumb) : QRect();
    case SC_ScrollBarSubPage: return span(layout.arrow, layout.thumb ? thumb : trackEnd);
    case SC_ScrollBarAddPage: return layout.thumb ? span(thumb + layout.thumb, trackEnd) : QRect();
    default: return QRect();  // no first and last buttons
  }
}

PoolBar::PoolBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  // Only setValue moves the value; a dragged thumb moves the slider position alone.
  setTracking(false);
  setSingleStep(0);
  setPageStep(0);
  setFocusPolicy(Qt::NoFocus);
}

PoolBar::Part PoolBar::HitTest(QPoint at) const {
  if (!rect().contains(at)) return Part::NOWHERE;
  const BarLayout layout = Layout();
  if (at.x() < layout.arrow) return Part::LEFT_ARROW;
  if (at.x() >= layout.length - layout.arrow) return Part::RIGHT_ARROW;
  if (layout.thumb == 0) return Part::LEFT_TROUGH;
  const int thumb = layout.ThumbAt(value(), minimum(), maximum());
  if (at.x() < thumb) return Part::LEFT_TROUGH;
  if (at.x() >= thumb + layout.thumb) return Part::RIGHT_TROUGH;
  return Part::THUMB;
}

void PoolBar::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  // A press while tracking means the last release went elsewhere (a popup took the pointer).
  Cancel();
  m_last = event->position().toPoint();
  m_pressed = HitTest(m_last);
  if (m_pressed == Part::NOWHERE) return;
  if (m_pressed != Part::THUMB) {
    Repeat(RepeatCause::PRESS);
    return;
  }
  m_pressX = m_pointerX = m_last.x();
  m_thumbStart = Layout().ThumbAt(value(), minimum(), maximum());
  // The press reports the position of the thumb's pixel, which may not be the value exactly.
  const int thumb = DraggedValue();
  emit scrolled(SCROLL_THUMBTRACK, thumb);
  if (m_pressed == Part::THUMB) setSliderPosition(thumb);
}

void PoolBar::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (m_pressed == Part::NOWHERE) return;
  if (!(event->buttons() & Qt::LeftButton)) {
    Cancel();  // the release went elsewhere
    return;
  }
  m_last = event->position().toPoint();
  if (m_pressed == Part::THUMB) {
    Drag(m_last);
  } else {
    Repeat(RepeatCause::MOVE);
  }
}

void PoolBar::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || m_pressed == Part::NOWHERE) return;
  const bool dragged = m_pressed == Part::THUMB;
  const int thumb = DraggedValue();
  m_pressed = Part::NOWHERE;
  m_repeat.stop();
  m_repeatDelay = 0;
  // A drag ends where the pointer last had the thumb, not where the button comes up.
  if (dragged) emit scrolled(SCROLL_THUMBPOSITION, thumb);
  emit scrolled(SCROLL_ENDSCROLL, 0);
  setSliderPosition(value());
  update();
}

void PoolBar::timerEvent(QTimerEvent* event) {
  if (event->timerId() != m_repeat.timerId()) {
    QScrollBar::timerEvent(event);
    return;
  }
  Repeat(RepeatCause::TICK);
}

void PoolBar::Repeat(RepeatCause cause) {
  // The pointer's last place, hit against the bar as it is now: a held trough stops once the
  // thumb has come under the pointer.
  if (HitTest(m_last) != m_pressed) {
    m_repeatDelay = 0;
    m_repeat.stop();
    update();
    return;
  }
  m_repeatDelay = cause == RepeatCause::PRESS ? FIRST_DELAY_MS : REPEAT_MS;
  m_repeat.start(m_repeatDelay, this);
  update();
  // A bar that this disables or hides stops its timer (Cancel).
  if (cause != RepeatCause::MOVE) emit scrolled(CodeOf(m_pressed), 0);
}

void PoolBar::Drag(QPoint at) {
  // Around the bar is a zone where the pointer keeps the drag; beyond it the thumb goes back
  // to where the drag began, until the pointer comes back.
  const int side = height();
  const QRect zone(-2 * side, -8 * side, width() + 4 * side, side + 16 * side);
  const int x = zone.contains(at) ? std::clamp(at.x(), 0, width()) : m_pressX;
  if (x == m_pointerX) return;  // a move across the bar, or along it within a pixel
  m_pointerX = x;
  const int thumb = DraggedValue();
  emit scrolled(SCROLL_THUMBTRACK, thumb);
  // The handler has set the value; the thumb is drawn where the pointer has it.
  if (m_pressed == Part::THUMB) setSliderPosition(thumb);
}

int PoolBar::DraggedValue() const {
  return Layout().ValueAt(m_thumbStart + m_pointerX - m_pressX, minimum(), maximum());
}

void PoolBar::Cancel() {
  if (m_pressed == Part::NOWHERE) return;
  m_pressed = Part::NOWHERE;
  m_repeat.stop();
  m_repeatDelay = 0;
  setSliderPosition(value());
  update();
  emit holdEnded();
}

void PoolBar::keyPressEvent(QKeyEvent* event) {
  unsigned code;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: code = SCROLL_LINELEFT; break;
    case Qt::Key_Right:
    case Qt::Key_Down: code = SCROLL_LINERIGHT; break;
    case Qt::Key_PageUp: code = SCROLL_PAGELEFT; break;
    case Qt::Key_PageDown: code = SCROLL_PAGERIGHT; break;
    case Qt::Key_Home: code = SCROLL_LEFT; break;
    case Qt::Key_End: code = SCROLL_RIGHT; break;
    default:
      // Space and the rest do nothing here; Enter and Escape go on to the dialog.
      event->ignore();
      return;
  }
  if (event->modifiers() & Qt::AltModifier) {
    event->ignore();  // a menu key, not the bar's
    return;
  }
  event->accept();
  // Each press, auto-repeated ones too, is one message, and no end of scroll follows it.
  emit scrolled(code, 0);
}

void PoolBar::wheelEvent(QWheelEvent* event) {
  event->ignore();  // the wheel is no scroll bar input on Windows
}

void PoolBar::paintEvent(QPaintEvent* event) {
  if (m_pressed == Part::NOWHERE) {
    QScrollBar::paintEvent(event);  // with the part under the pointer lit, as Qt tracks it
  } else {
    // The part held down shows pressed while the pointer is on it; a dragged thumb always.
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    option.activeSubControls = SubControlOf(m_pressed);
    if (m_pressed == Part::THUMB || HitTest(m_last) == m_pressed) {
      option.state |= QStyle::State_Sunken;
    }
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
  }
  if (!hasFocus()) return;
  // The focus shows as a dotted frame within the thumb, where the keys will move it.
  QPainter painter(this);
  QStyleOptionSlider option;
  initStyleOption(&option);
  QRect frame =
      style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
  if (frame.isEmpty()) frame = rect();
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  painter.drawRect(frame.adjusted(2, 2, -3, -3));
}

void PoolBar::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) Cancel();
  QScrollBar::changeEvent(event);
}

void PoolBar::hideEvent(QHideEvent* event) {
  Cancel();
  QScrollBar::hideEvent(event);
}
