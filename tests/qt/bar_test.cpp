// The pool bars under a held mouse button and the keyboard, beside a headless dialog given the
// messages the Windows control sends for the same input. Mouse events go to the bar itself, as
// to the widget that holds the pointer, so no test depends on where the real pointer is.
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>

#include "dialog/qt/pool_bar.h"
#include "tests/qt/window_checks.h"

namespace {

PoolBar* Bar(QtDialog& dialog, int id) { return qobject_cast<PoolBar*>(dialog.Control(id)); }

void SendMouse(QWidget* bar, QEvent::Type type, QPoint at) {
  const bool release = type == QEvent::MouseButtonRelease;
  QMouseEvent event(type, at, bar->mapToGlobal(at),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    release ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(bar, &event);
}
void Press(QWidget* bar, QPoint at) { SendMouse(bar, QEvent::MouseButtonPress, at); }
void Move(QWidget* bar, QPoint at) { SendMouse(bar, QEvent::MouseMove, at); }
void Release(QWidget* bar, QPoint at) { SendMouse(bar, QEvent::MouseButtonRelease, at); }

// The scroll codes a bar has sent.
QList<unsigned> Codes(const QSignalSpy& sent) {
  QList<unsigned> codes;
  for (const QList<QVariant>& message : sent) codes << message.at(0).toUInt();
  return codes;
}

// Pages the headless dialog's bar as a trough held at pixel x pages it: a page at once, then
// one more each time the thumb has not reached x. Returns the pages sent.
int PageTo(HeadlessDialog& oracle, const QScrollBar* bar, int id, int x, unsigned code) {
  const HeadlessSurface& controls = oracle.Controls();
  const auto reached = [&] {
    const int left =
        ThumbLeftFor(bar, controls.Pos(id), controls.RangeMin(id), controls.RangeMax(id));
    return code == SCROLL_PAGERIGHT ? x < left + bar->height() : x >= left;
  };
  int pages = 0;
  do {
    oracle.Scroll(id, code, 0);
    ++pages;
  } while (!reached() && pages < 1000);
  return pages;
}

// Waits until the bar holds value, then a while longer in which it must not move on.
bool SettlesAt(const QScrollBar* bar, int value) {
  if (!QTest::qWaitFor([&] { return bar->value() == value; }, 10000)) return false;
  QTest::qWait(PoolBar::FIRST_DELAY_MS + 4 * PoolBar::REPEAT_MS);
  return bar->value() == value;
}

}  // namespace

class BarTest : public QObject {
  Q_OBJECT

 private slots:
  void HeldArrowOrTroughRepeatsWhileThePointerHitsIt();
  void DragFollowsThePointerPixelByPixel();
  void BarsAndBoxesAreOneKeyboardGroup();
  void PartsMeetWhereTheWindowsControlPutsThem();
};

void BarTest::HeldArrowOrTroughRepeatsWhileThePointerHitsIt() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  const int id = IDC_POOL_BAR + 2;
  PoolBar* bar = Bar(dialog, id);
  QSignalSpy sent(bar, &PoolBar::scrolled);
  const int h = bar->height();

  // Held a few pixels right of the thumb: pages until the thumb covers the pointer, no further.
  const int x = ThumbLeft(bar) + h + 3;
  Press(bar, {x, h / 2});
  int pages = PageTo(oracle, bar, id, x, SCROLL_PAGERIGHT);
  QVERIFY(SettlesAt(bar, oracle.Controls().Pos(id)));
  SAME_AS(oracle);

  // Moved on along the trough, the pointer pages again after the repeat interval, not at
  // once, up to its new place.
  QCOMPARE(bar->RepeatDelay(), 0);
  const int further = ThumbLeft(bar) + h + 4;
  Move(bar, {further, h / 2});
  QCOMPARE(sent.size(), pages);
  QCOMPARE(bar->RepeatDelay(), PoolBar::REPEAT_MS);
  pages += PageTo(oracle, bar, id, further, SCROLL_PAGERIGHT);
  QVERIFY(SettlesAt(bar, oracle.Controls().Pos(id)));
  SAME_AS(oracle);

  // Over the other trough nothing is sent; the release ends the scroll.
  Move(bar, {ThumbLeft(bar) - 2, h / 2});
  QTest::qWait(PoolBar::FIRST_DELAY_MS);
  Release(bar, {ThumbLeft(bar) - 2, h / 2});
  QList<unsigned> expected(pages, SCROLL_PAGERIGHT);
  QCOMPARE(Codes(sent), expected << SCROLL_ENDSCROLL);
  // The left trough pages until the thumb's left edge reaches the pointer.
  const int back = ThumbLeft(bar) - 5;
  Press(bar, {back, h / 2});
  PageTo(oracle, bar, id, back, SCROLL_PAGELEFT);
  QVERIFY(SettlesAt(bar, oracle.Controls().Pos(id)));
  Release(bar, {back, h / 2});

  // A held arrow, timed as Wine's scroll bar times it (measured: a step at the press, the next
  // 200 ms on, then one every 50 ms; back on the arrow after a move off, nothing at once and
  // the next step 50 ms on; each move over it puts the next step off by those 50 ms).
  PoolBar* arrowed = Bar(dialog, IDC_POOL_BAR);
  QSignalSpy stepped(arrowed, &PoolBar::scrolled);
  Press(arrowed, RightArrow(arrowed));
  QCOMPARE(stepped.size(), 1);
  QCOMPARE(arrowed->RepeatDelay(), PoolBar::FIRST_DELAY_MS);
  QTRY_VERIFY(stepped.size() >= 2);
  QCOMPARE(arrowed->RepeatDelay(), PoolBar::REPEAT_MS);
  QTRY_VERIFY(stepped.size() >= 3);
  Move(arrowed, RightArrow(arrowed) + QPoint(1, 0));
  QCOMPARE(arrowed->RepeatDelay(), PoolBar::REPEAT_MS);
  // Off the arrow the repeats stop; back on it, they start again after the repeat interval.
  Move(arrowed, RightTrough(arrowed));
  const int off = static_cast<int>(stepped.size());
  QCOMPARE(arrowed->RepeatDelay(), 0);
  QTest::qWait(PoolBar::FIRST_DELAY_MS);
  QCOMPARE(stepped.size(), off);
  Move(arrowed, RightArrow(arrowed));
  QCOMPARE(stepped.size(), off);
  QCOMPARE(arrowed->RepeatDelay(), PoolBar::REPEAT_MS);
  QTRY_VERIFY(stepped.size() >= off + 2);
  Release(arrowed, RightArrow(arrowed));
  QCOMPARE(arrowed->RepeatDelay(), 0);

  const QList<unsigned> codes = Codes(stepped);
  QCOMPARE(codes.count(SCROLL_LINERIGHT), codes.size() - 1);
  QCOMPARE(codes.last(), SCROLL_ENDSCROLL);
  for (const unsigned code : codes) oracle.Scroll(IDC_POOL_BAR, code, 0);
  SAME_AS(oracle);
}

void BarTest::DragFollowsThePointerPixelByPixel() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  const int id = IDC_POOL_BAR + 2;
  PoolBar* bar = Bar(dialog, id);
  QSignalSpy sent(bar, &PoolBar::scrolled);
  const int h = bar->height();
  const int left = ThumbLeft(bar);
  const QPoint grip(left + h / 2, h / 2);
  const auto track = [&](int thumbLeft) {
    oracle.Scroll(id, SCROLL_THUMBTRACK, ValueAtThumb(bar, thumbLeft));
  };

  // Whatever the style: both arrows, and a square thumb where the Windows control puts it.
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.maximum = bar->maximum();
  option.sliderPosition = bar->value();
  const auto part = [&](QStyle::SubControl sub) {
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, sub, bar);
  };
  QCOMPARE(part(QStyle::SC_ScrollBarSubLine), QRect(0, 0, h, h));
  QCOMPARE(part(QStyle::SC_ScrollBarAddLine), QRect(bar->width() - h, 0, h, h));
  QCOMPARE(part(QStyle::SC_ScrollBarSlider), QRect(left, 0, h, h));

  // The press sends the value of the thumb's pixel.
  Press(bar, grip);
  track(left);
  SAME_AS(oracle);
  // Each new pixel along the bar is one message; the thumb shows there, the dispatch sets the bar.
  Move(bar, grip + QPoint(5, 0));
  track(left + 5);
  SAME_AS(oracle);
  QCOMPARE(bar->sliderPosition(), ValueAtThumb(bar, left + 5));
  // Across the bar, at the same pixel, nothing: the figures do not hang on the hand's jitter.
  Move(bar, grip + QPoint(5, 3));
  Move(bar, grip + QPoint(5, -h));
  QCOMPARE(sent.size(), 2);
  SAME_AS(oracle);

  // The drag keeps to a zone 8 heights above and below the bar and 2 beside it; outside, the
  // thumb goes back where it began, once, until the pointer comes back.
  Move(bar, {grip.x() + 5, h + 8 * h - 1});
  Move(bar, {grip.x() + 6, h + 8 * h});
  track(left);
  Move(bar, {grip.x() + 9, h + 12 * h});
  QCOMPARE(sent.size(), 3);
  SAME_AS(oracle);
  Move(bar, {-2 * h, -8 * h});  // the pointer's pixel is taken within the bar
  track(left - grip.x());
  Move(bar, {-2 * h - 1, h / 2});
  track(left);
  Move(bar, {grip.x() + 12, 7 * h});
  track(left + 12);
  SAME_AS(oracle);
  QCOMPARE(sent.size(), 6);
  // The zone's right side likewise: its last pixel column keeps the drag (the pointer's pixel
  // taken within the bar), the next gives the thumb back.
  const int right = bar->width() + 2 * h;
  Move(bar, {right - 1, h / 2});
  track(left + bar->width() - grip.x());
  Move(bar, {right, h / 2});
  track(left);
  Move(bar, {grip.x() + 12, h / 2});
  track(left + 12);
  SAME_AS(oracle);
  QCOMPARE(sent.size(), 9);
  // Another button pressed and released meanwhile changes nothing of the drag.
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent other(
        type, grip + QPoint(20, 0), bar->mapToGlobal(grip + QPoint(20, 0)), Qt::RightButton,
        type == QEvent::MouseButtonPress ? Qt::LeftButton | Qt::RightButton : Qt::LeftButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &other);
  }
  QCOMPARE(sent.size(), 9);
  QCOMPARE(bar->sliderPosition(), ValueAtThumb(bar, left + 12));

  // The release reports the last pixel the pointer had, wherever the button comes up.
  Release(bar, {grip.x() + 30, h / 2});
  oracle.Scroll(id, SCROLL_THUMBPOSITION, ValueAtThumb(bar, left + 12));
  SAME_AS(oracle);
  QCOMPARE(Codes(sent).mid(9), QList<unsigned>({SCROLL_THUMBPOSITION, SCROLL_ENDSCROLL}));
  QCOMPARE(bar->sliderPosition(), bar->value());
}

void BarTest::BarsAndBoxesAreOneKeyboardGroup() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  const auto key = [](int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(code), modifiers);
  };
  PoolBar* last = Bar(dialog, IDC_POOL_BAR + 13);
  QSignalSpy sent(last, &PoolBar::scrolled);

  // As measured on Windows: from horse 1's "Lock" box, Up goes back to horse 14's bar, whose
  // arrow keys then step it.
  QTest::mouseClick(dialog.Control(IDC_LOCK), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  oracle.Click(IDC_LOCK);
  key(Qt::Key_Up);
  QCOMPARE(FocusId(dialog), IDC_POOL_BAR + 13);
  SAME_AS(oracle);
  QCOMPARE(last->value(), 857);
  key(Qt::Key_Right);
  QCOMPARE(last->value(), 867);
  key(Qt::Key_Down);
  key(Qt::Key_Down);
  QCOMPARE(last->value(), 885);
  // Every other scroll key is one message a press, repeats included; Space does nothing.
  key(Qt::Key_Space);
  for (const int code : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End}) key(code);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
  for (int press = 0; press < 2; ++press) QCoreApplication::sendEvent(last, &repeat);
  const QList<unsigned> codes{SCROLL_LINERIGHT, SCROLL_LINERIGHT, SCROLL_LINERIGHT,
                              SCROLL_PAGELEFT,  SCROLL_PAGERIGHT, SCROLL_LEFT,
                              SCROLL_RIGHT,     SCROLL_LINELEFT,  SCROLL_LINELEFT};
  QCOMPARE(Codes(sent), codes);
  for (const unsigned code : codes) oracle.Scroll(IDC_POOL_BAR + 13, code, 0);
  SAME_AS(oracle);
  QCOMPARE(FocusId(dialog), IDC_POOL_BAR + 13);

  // The focused bar shows it; Tab leaves the group for "% Line:".
  const QImage focused = last->grab().toImage();
  key(Qt::Key_Tab);
  QCOMPARE(FocusId(dialog), IDC_LINE);
  QVERIFY(qobject_cast<QLineEdit*>(dialog.Control(IDC_LINE))->hasSelectedText());
  QVERIFY(last->grab().toImage() != focused);

  // From the last "Scr." box Down wraps round to horse 1's bar, toggling nothing.
  QTest::mouseClick(dialog.Control(IDC_SCRATCH + 13), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  oracle.Click(IDC_SCRATCH + 13);
  key(Qt::Key_Down);
  QCOMPARE(FocusId(dialog), IDC_POOL_BAR);
  SAME_AS(oracle);
  // Horse 14 scratched, its bar is disabled and Left from horse 1's "Lock" box passes it by.
  QVERIFY(!last->isEnabled());
  QTest::mouseClick(dialog.Control(IDC_LOCK), Qt::LeftButton);
  oracle.Click(IDC_LOCK);
  key(Qt::Key_Left);
  QCOMPARE(FocusId(dialog), IDC_POOL_BAR + 12);
  // Shift+Tab goes back to the last odds field; a box takes Space as a click.
  key(Qt::Key_Tab, Qt::ShiftModifier);
  QCOMPARE(FocusId(dialog), IDC_ODDS + 13);
  QTest::mouseClick(dialog.Control(IDC_SCRATCH + 13), Qt::LeftButton);
  oracle.Leave(IDC_ODDS + 13);
  oracle.Click(IDC_SCRATCH + 13);
  key(Qt::Key_Space);
  oracle.Click(IDC_SCRATCH + 13);
  SAME_AS(oracle);
  QVERIFY(!last->isEnabled());
}

void BarTest::PartsMeetWhereTheWindowsControlPutsThem() {
  using Part = PoolBar::Part;
  PoolBar bar;
  constexpr int h = 14;
  constexpr int w = 90;  // a thumb's travel of 90 - 3 * 14 = 48 pixels
  bar.resize(w, h);
  bar.setRange(0, 10800);
  const auto at = [&bar](int x) { return bar.HitTest({x, h / 2}); };
  // The thumb at 0 stands right after the left arrow, at max right before the right arrow.
  bar.setValue(0);
  QCOMPARE(at(h - 1), Part::LEFT_ARROW);
  QCOMPARE(at(h), Part::THUMB);
  QCOMPARE(at(2 * h - 1), Part::THUMB);
  QCOMPARE(at(2 * h), Part::RIGHT_TROUGH);
  bar.setValue(10800);
  QCOMPARE(at(w - 2 * h - 1), Part::LEFT_TROUGH);
  QCOMPARE(at(w - 2 * h), Part::THUMB);
  QCOMPARE(at(w - h - 1), Part::THUMB);
  QCOMPARE(at(w - h), Part::RIGHT_ARROW);
  QCOMPARE(at(w - 1), Part::RIGHT_ARROW);
  QCOMPARE(at(w), Part::NOWHERE);
  QCOMPARE(bar.HitTest({5, h}), Part::NOWHERE);
  // Between the ends: trough, thumb, trough, each edge on its own pixel.
  bar.setValue(5400);  // the thumb's left edge at 14 + 24
  QCOMPARE(at(h), Part::LEFT_TROUGH);
  QCOMPARE(at(h + 23), Part::LEFT_TROUGH);
  QCOMPARE(at(h + 24), Part::THUMB);
  QCOMPARE(at(h + 24 + h - 1), Part::THUMB);
  QCOMPARE(at(h + 24 + h), Part::RIGHT_TROUGH);
  QCOMPARE(at(w - h - 1), Part::RIGHT_TROUGH);

  // Too short for a thumb, up to two arrows and the shortest track of 4 pixels: the arrows
  // share what is left, and all between them is the left trough.
  const struct {
    int width;
    int arrow;  // each arrow's length
    int thumb;  // the thumb's, 0 for none
  } layouts[] = {{2 * h + 4, h, 0}, {2 * h + 3, h - 1, 0}, {5, 0, 0},     {4, 0, 0},
                 {2 * h + 5, h, 0}, {3 * h - 1, h, 0},     {3 * h, h, h}, {3 * h + 1, h, h}};
  for (const auto& layout : layouts) {
    const BarLayout parts = BarLayout::Of(layout.width, h);
    QCOMPARE(parts.arrow, layout.arrow);
    QCOMPARE(parts.thumb, layout.thumb);
    QCOMPARE(parts.free, layout.thumb ? layout.width - 3 * h : 0);
  }
  bar.resize(2 * h + 3, h);
  QCOMPARE(at(h - 2), Part::LEFT_ARROW);
  QCOMPARE(at(h - 1), Part::LEFT_TROUGH);
  QCOMPARE(at(h + 3), Part::LEFT_TROUGH);
  QCOMPARE(at(h + 4), Part::RIGHT_ARROW);
  bar.resize(3, h);
  QCOMPARE(at(0), Part::LEFT_TROUGH);
  QCOMPARE(at(2), Part::LEFT_TROUGH);
}

QTEST_MAIN(BarTest)
#include "bar_test.moc"
