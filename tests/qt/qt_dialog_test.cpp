// The Qt dialog under real input on the offscreen platform. Each session runs beside a
// headless dialog that is told, event for event, what the Windows dialog would send for the
// same input; every control of the window must then show what the headless one holds.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "book/board.h"
#include "book/book.h"
#include "dialog/headless/headless_dialog.h"
#include "dialog/qt/dialog_template.h"
#include "dialog/qt/pool_bar.h"
#include "dialog/qt/qt_dialog.h"
#include "dialog/qt/qt_text.h"
#include "tests/qt/window_checks.h"
#include "tote/tote.h"

namespace {

QLineEdit* Edit(QtDialog& dialog, int id) { return qobject_cast<QLineEdit*>(dialog.Control(id)); }
QCheckBox* Box(QtDialog& dialog, int id) { return qobject_cast<QCheckBox*>(dialog.Control(id)); }
QScrollBar* Bar(QtDialog& dialog, int id) { return qobject_cast<QScrollBar*>(dialog.Control(id)); }

// Types text over the focused field's text with the keyboard, then leaves the field with Tab.
void RetypeAndTab(const QString& text) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), text);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

// Types text over the focused field's text as an input method hands it over, for characters
// no key types; then leaves the field with Tab.
void ComposeAndTab(const QString& text) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QInputMethodEvent compose;
  compose.setCommitString(text);
  QCoreApplication::sendEvent(QApplication::focusWidget(), &compose);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void SaveArtifact(QtDialog& dialog, const char* name) {
  const QImage image = dialog.grab().toImage();
  QCOMPARE(image.size(), dialog.size() * image.devicePixelRatio());
  QVERIFY(image.save(QStringLiteral(ODDSMITH_ARTIFACTS_DIR "/%1").arg(QLatin1String(name))));
}

// The tip that control id shows when asked now, as a pointer resting on it asks; empty when
// none shows.
QString TipOf(QtDialog& dialog, int id) {
  QToolTip::hideText();  // a tip goes a moment after it is told to
  if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return QStringLiteral("(stuck)");
  QWidget* control = dialog.Control(id);
  const QPoint at = control->rect().center();
  QHelpEvent ask(QEvent::ToolTip, at, control->mapToGlobal(at));
  QCoreApplication::sendEvent(control, &ask);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

QString BookTipOf(HeadlessDialog& oracle) {
  char tip[TEXT_BUFFER_SIZE];
  FormatBookTip(oracle.Surface(), tip, sizeof tip);
  return QString::fromUtf8(tip);
}

QString HorseTipOf(HeadlessDialog& oracle, int row) {
  char tip[TEXT_BUFFER_SIZE];
  FormatHorseTip(oracle.Surface(), row, tip, sizeof tip);
  return QString::fromUtf8(tip);
}

// Qt's offscreen platform keeps each window apart, so the picture of the dialog with its tip
// puts the two together at their places on the screen.
void SaveArtifactWithTip(QtDialog& dialog, const char* name) {
  QWidget* tip = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->inherits("QTipLabel") && window->isVisible()) tip = window;
  }
  QVERIFY(tip);
  const QRect dialogArea(dialog.mapToGlobal(QPoint(0, 0)), dialog.size());
  const QRect tipArea(tip->mapToGlobal(QPoint(0, 0)), tip->size());
  const QRect whole = dialogArea.united(tipArea);
  QImage image(whole.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawPixmap(dialogArea.topLeft() - whole.topLeft(), dialog.grab());
  painter.drawPixmap(tipArea.topLeft() - whole.topLeft(), tip->grab());
  painter.end();
  QVERIFY(image.save(QStringLiteral(ODDSMITH_ARTIFACTS_DIR "/%1").arg(QLatin1String(name))));
}

}  // namespace

class QtDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void TabGoesThroughTheFieldsInOrder();
  void ScreenReadersHearTheHorse();
  void SurfaceCrossesBytesAndIgnoresStrays();
  void RealInputSendsWhatWindowsSends();
  void DeactivationEndsTheFocusButAPopupDoesNot();
  void BarsMoveOnlyThroughTheirOwnInput();
  void CloseButtonQuitsWithZeroOnce();
  void TipsTellBoardPriceAndBook();
  void CopyLineTakesTheTypedEntry();
  void TypedTextsAreCodePage1252();
  void UndoLeavesTheFieldModified();
  void FieldsTakeNoDrops();
  void SaveAndOpenThroughTheFileDialogs();
};

void QtDialogTest::TabGoesThroughTheFieldsInOrder() {
  QtDialog dialog;
  dialog.Init();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  QCOMPARE(FocusId(dialog), IDC_LINE);
  QList<int> visited;
  QList<int> leftSelected;  // the fields that kept a selection once left
  for (int press = 0; press < 16; ++press) {
    auto* left = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << FocusId(dialog);
    // Each field reached by Tab selects its text; left, it draws no selection and no caret,
    // as Qt draws a field that has its own focus-out after the dialog's.
    if (left && left->hasSelectedText()) leftSelected << press;
  }
  QCOMPARE(leftSelected, QList<int>());
  QVERIFY(Edit(dialog, IDC_LINE)->hasSelectedText());
  QList<int> expected{IDC_HORSES};
  for (int i = 0; i < ROW_COUNT; ++i) expected << IDC_ODDS + i;
  expected << IDC_LINE;
  QCOMPARE(visited, expected);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  QCOMPARE(FocusId(dialog), IDC_ODDS + ROW_COUNT - 1);
}

void QtDialogTest::ScreenReadersHearTheHorse() {
  QtDialog dialog;
  const auto name = [&](int id) {
    return QAccessible::queryAccessibleInterface(dialog.Control(id))->text(QAccessible::Name);
  };
  QCOMPARE(name(IDC_ODDS + 2), QStringLiteral("Horse 3 odds"));
  QCOMPARE(name(IDC_POOL_BAR + 2), QStringLiteral("Horse 3 pool"));
  QCOMPARE(name(IDC_LOCK + 2), QStringLiteral("Horse 3 lock"));
  QCOMPARE(name(IDC_SCRATCH + 2), QStringLiteral("Horse 3 scratched"));
  QCOMPARE(name(IDC_WIN_PCT + 2), QStringLiteral("Horse 3 to win"));
  QCOMPARE(name(IDC_POOL_BAR + 13), QStringLiteral("Horse 14 pool"));
  for (const TemplateControl& control : TEMPLATE) {
    QVERIFY2(!name(control.id).isEmpty(), qPrintable(QString::number(control.id)));
  }
}

void QtDialogTest::SurfaceCrossesBytesAndIgnoresStrays() {
  QtDialog dialog;
  DialogSurface& surface = dialog.Surface();
  char buffer[5];

  // Bytes go in and come back unchanged, one character each.
  surface.WriteText(IDC_ODDS, "\xe9\x80-2x");
  QCOMPARE(surface.ReadText(IDC_ODDS, buffer, 5), 4);
  QCOMPARE(QByteArray(buffer), QByteArray("\xe9\x80-2"));
  QCOMPARE(surface.ReadText(IDC_ODDS, buffer, 2), 1);
  QCOMPARE(QByteArray(buffer), QByteArray("\xe9"));
  QCOMPARE(surface.ReadText(IDC_ODDS, buffer, 0), 0);
  surface.WriteText(IDC_WIN_PCT, " 8.6%");
  QCOMPARE(surface.ReadText(IDC_WIN_PCT, buffer, 5), 4);
  QCOMPARE(QByteArray(buffer), QByteArray(" 8.6"));

  // The program's own text is never the user's, even when it equals what the user typed.
  Edit(dialog, IDC_LINE)->setText(QStringLiteral("120"));
  Edit(dialog, IDC_LINE)->setModified(true);
  QVERIFY(surface.IsModified(IDC_LINE));
  surface.WriteText(IDC_LINE, "120");
  QVERIFY(!surface.IsModified(IDC_LINE));
  QCOMPARE(surface.ReadUnsigned(IDC_LINE).value, 120u);
  // A rewrite with the text already shown leaves the field as a full rewrite would: not
  // modified, nothing selected, the cursor at the start.
  Edit(dialog, IDC_LINE)->setModified(true);
  surface.WriteText(IDC_LINE, "120");
  QVERIFY(!surface.IsModified(IDC_LINE));
  Edit(dialog, IDC_LINE)->selectAll();
  surface.WriteText(IDC_LINE, "120");
  QVERIFY(!Edit(dialog, IDC_LINE)->hasSelectedText());
  QCOMPARE(Edit(dialog, IDC_LINE)->cursorPosition(), 0);

  // Bars hold 32-bit positions, bounded to their range.
  surface.SetBarRange(IDC_POOL_BAR, 0, 81000);
  surface.SetBarPos(IDC_POOL_BAR, 70000);
  QCOMPARE(surface.BarPos(IDC_POOL_BAR), 70000);
  surface.SetBarRange(IDC_POOL_BAR, 0, 9000);
  QCOMPARE(surface.BarPos(IDC_POOL_BAR), 9000);
  surface.SetBarPos(IDC_POOL_BAR, -5);
  QCOMPARE(surface.BarPos(IDC_POOL_BAR), 0);

  // Identifiers outside the dialog, or of the wrong kind, change nothing and read as nothing.
  for (const int id : {0, IDC_FIRST - 1, IDC_LAST + 1, -1}) {
    surface.WriteText(id, "7");
    surface.SetChecked(id, true);
    surface.SetBarRange(id, 0, 100);
    surface.SetBarPos(id, 50);
    surface.EnableBarArrows(id, false);
    QCOMPARE(surface.ReadText(id, buffer, 5), 0);
    QCOMPARE(buffer[0], '\0');
    QVERIFY(!surface.ReadUnsigned(id).ok);
    QVERIFY(!surface.IsModified(id));
    QVERIFY(!surface.IsChecked(id));
    QCOMPARE(surface.BarPos(id), 0);
    QVERIFY(!dialog.Control(id));
  }
  surface.SetBarPos(IDC_LINE, 50);
  surface.SetChecked(IDC_POOL_BAR, true);
  QVERIFY(!surface.IsChecked(IDC_POOL_BAR));
  QCOMPARE(surface.BarPos(IDC_LINE), 0);
  QCOMPARE(Edit(dialog, IDC_LINE)->text(), QStringLiteral("120"));
}

void QtDialogTest::RealInputSendsWhatWindowsSends() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  QCOMPARE(FocusId(dialog), IDC_LINE);
  SAME_AS(oracle);
  SaveArtifact(dialog, "qt-start.png");

  // The start selects "% Line:"'s text, so typing replaces it; Tab ends the field's focus,
  // which rebalances the whole field.
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("100"));
  oracle.Type(IDC_LINE, "100");
  SAME_AS(oracle);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  oracle.Leave(IDC_LINE);
  QCOMPARE(FocusId(dialog), IDC_HORSES);
  SAME_AS(oracle);
  QCOMPARE(Bar(dialog, IDC_POOL_BAR)->value(), 715);

  // Passing through "# of horses:" notifies too, and changes nothing.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  oracle.Leave(IDC_HORSES);
  QCOMPARE(FocusId(dialog), IDC_ODDS);
  SAME_AS(oracle);

  // Odds typed for horse 1 take effect when a click into horse 3's field ends the focus.
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5-2"));
  oracle.Type(IDC_ODDS, "5-2");
  QTest::mouseClick(Edit(dialog, IDC_ODDS + 2), Qt::LeftButton);
  oracle.Leave(IDC_ODDS);
  QCOMPARE(FocusId(dialog), IDC_ODDS + 2);
  SAME_AS(oracle);
  QVERIFY(Box(dialog, IDC_LOCK)->isChecked());

  // A click on horse 2's "Scr." box first ends horse 3's focus, then scratches horse 2.
  QTest::mouseClick(Box(dialog, IDC_SCRATCH + 1), Qt::LeftButton);
  oracle.Leave(IDC_ODDS + 2);
  oracle.Click(IDC_SCRATCH + 1);
  SAME_AS(oracle);
  QVERIFY(!Bar(dialog, IDC_POOL_BAR + 1)->isEnabled());

  // Arrows step by 10, the trough by 100; the bars take no focus.
  QTest::mouseClick(Bar(dialog, IDC_POOL_BAR + 3), Qt::LeftButton, {},
                    RightArrow(Bar(dialog, IDC_POOL_BAR + 3)));
  oracle.Scroll(IDC_POOL_BAR + 3, SCROLL_LINERIGHT, 0);
  SAME_AS(oracle);
  QTest::mouseClick(Bar(dialog, IDC_POOL_BAR + 4), Qt::LeftButton, {},
                    LeftArrow(Bar(dialog, IDC_POOL_BAR + 4)));
  oracle.Scroll(IDC_POOL_BAR + 4, SCROLL_LINELEFT, 0);
  SAME_AS(oracle);
  QTest::mouseClick(Bar(dialog, IDC_POOL_BAR + 4), Qt::LeftButton, {},
                    RightTrough(Bar(dialog, IDC_POOL_BAR + 4)));
  oracle.Scroll(IDC_POOL_BAR + 4, SCROLL_PAGERIGHT, 0);
  SAME_AS(oracle);
  QCOMPARE(FocusId(dialog), IDC_SCRATCH + 1);

  // A drag of horse 6's thumb rebalances on the press, on the move and once more where it is
  // let go, each time with the value of the thumb's pixel.
  QScrollBar* bar = Bar(dialog, IDC_POOL_BAR + 5);
  const int left = ThumbLeft(bar);
  const QPoint grip = ThumbCentre(bar);
  QTest::mousePress(bar, Qt::LeftButton, {}, grip);
  oracle.Scroll(IDC_POOL_BAR + 5, SCROLL_THUMBTRACK, ValueAtThumb(bar, left));
  SAME_AS(oracle);
  QTest::mouseMove(bar, grip + QPoint(bar->height(), 0));
  const int dragged = ValueAtThumb(bar, left + bar->height());
  oracle.Scroll(IDC_POOL_BAR + 5, SCROLL_THUMBTRACK, dragged);
  SAME_AS(oracle);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(bar->height(), 0));
  oracle.Scroll(IDC_POOL_BAR + 5, SCROLL_THUMBPOSITION, dragged);
  SAME_AS(oracle);

  // Enter is the default command, which does nothing.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  oracle.Command(CMD_OK);
  SAME_AS(oracle);
  QVERIFY(dialog.isVisible());
  SaveArtifact(dialog, "qt-edited.png");

  // Escape cancels: the dialog goes and posts the quit message with code 0.
  QSignalSpy quit(&dialog, &QtDialog::quitPosted);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QCOMPARE(quit.size(), 1);
  QCOMPARE(quit.first().first().toInt(), 0);
  QVERIFY(!dialog.isVisible());
}

void QtDialogTest::DeactivationEndsTheFocusButAPopupDoesNot() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  QTest::mouseClick(Edit(dialog, IDC_ODDS + 1), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
  oracle.Type(IDC_ODDS + 1, "3");
  SAME_AS(oracle);

  // A popup menu takes Qt's focus but leaves the Windows field focused: no notification.
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QCoreApplication::sendEvent(Edit(dialog, IDC_ODDS + 1), &popup);
  SAME_AS(oracle);

  // Another window's activation ends the field's focus like a Tab; coming back does nothing.
  QWidget other;
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  oracle.Leave(IDC_ODDS + 1);
  SAME_AS(oracle);
  QVERIFY(Box(dialog, IDC_LOCK + 1)->isChecked());
  dialog.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  QCOMPARE(FocusId(dialog), IDC_ODDS + 1);
  SAME_AS(oracle);
}

void QtDialogTest::BarsMoveOnlyThroughTheirOwnInput() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  QScrollBar* bar = Bar(dialog, IDC_POOL_BAR);

  // The wheel, over a bar or any other control, the other mouse buttons and a context menu
  // request do nothing.
  const auto roll = [](QWidget* over, QPoint at) {
    for (const int delta : {-120, 120}) {
      QWheelEvent wheel(QPointF(at), QPointF(over->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(over, &wheel);
    }
  };
  roll(bar, RightTrough(bar));
  for (const int id : {IDC_LINE, IDC_HORSES, IDC_ODDS + 2, IDC_LOCK + 2, IDC_SCRATCH + 2,
                       IDC_WIN_PCT + 2, IDC_RACE_INFO}) {
    roll(dialog.Control(id), QPoint(2, 2));
  }
  roll(&dialog, QPoint(2, 2));
  // A bar of its own, with no dialog around it to stop the wheel first.
  PoolBar alone;
  alone.resize(bar->size());
  alone.setRange(0, 10800);
  alone.setValue(857);
  QSignalSpy scrolled(&alone, &PoolBar::scrolled);
  roll(&alone, RightTrough(&alone));
  QCOMPARE(alone.value(), 857);
  QCOMPARE(scrolled.size(), 0);
  QTest::mouseClick(bar, Qt::MiddleButton, {}, RightTrough(bar));
  QTest::mouseClick(bar, Qt::RightButton, {}, RightTrough(bar));
  QContextMenuEvent menu(QContextMenuEvent::Mouse, RightTrough(bar),
                         bar->mapToGlobal(RightTrough(bar)));
  QCoreApplication::sendEvent(bar, &menu);
  QVERIFY(!QApplication::activePopupWidget());
  SAME_AS(oracle);
  QCOMPARE(FocusId(dialog), IDC_LINE);

  // Rows outside a field of 8 have their arrows disabled: no input reaches their bars.
  QTest::mouseClick(Edit(dialog, IDC_HORSES), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  RetypeAndTab(QStringLiteral("8"));
  oracle.Type(IDC_HORSES, "8");
  oracle.Leave(IDC_HORSES);
  SAME_AS(oracle);
  QScrollBar* outside = Bar(dialog, IDC_POOL_BAR + 8);
  QVERIFY(!outside->isEnabled());
  QTest::mouseClick(outside, Qt::LeftButton, {}, RightArrow(outside));
  QTest::mouseClick(outside, Qt::LeftButton, {}, RightTrough(outside));
  QTest::mousePress(outside, Qt::LeftButton, {}, ThumbCentre(outside));
  QTest::mouseMove(outside, ThumbCentre(outside) + QPoint(outside->height(), 0));
  QTest::mouseRelease(outside, Qt::LeftButton, {}, ThumbCentre(outside));
  SAME_AS(oracle);
}

void QtDialogTest::CloseButtonQuitsWithZeroOnce() {
  QtDialog dialog;
  dialog.Init();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  QSignalSpy quit(&dialog, &QtDialog::quitPosted);
  QVERIFY(dialog.close());
  QVERIFY(!dialog.isVisible());
  int code = -1;
  QVERIFY(dialog.QuitPosted(code));
  QCOMPARE(code, 0);
  // The dialog is gone: later events reach no dispatch.
  dialog.reject();
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(Edit(dialog, IDC_LINE), &focusOut);
  QCOMPARE(quit.size(), 1);
}

void QtDialogTest::TipsTellBoardPriceAndBook() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  const QString start = QStringLiteral("Board price 11-1 \u00b7 8.6 % to win");
  QCOMPARE(TipOf(dialog, IDC_ODDS), start);
  QCOMPARE(TipOf(dialog, IDC_POOL_BAR + 13), start);
  QCOMPARE(TipOf(dialog, IDC_LINE), QStringLiteral("Book 119.98 % of a 120 % line (14 horses)"));
  QCOMPARE(TipOf(dialog, IDC_HORSES), QString());
  QCOMPARE(TipOf(dialog, IDC_WIN_PCT), QString());

  // Each tip is worked out as it shows: odds typed for horse 3 move its tip and the book's.
  QTest::mouseClick(Edit(dialog, IDC_ODDS + 2), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  RetypeAndTab(QStringLiteral("5-2"));
  oracle.Type(IDC_ODDS + 2, "5-2");
  oracle.Leave(IDC_ODDS + 2);
  SAME_AS(oracle);
  const QString pinned = QStringLiteral("Board price 5-2 \u00b7 28.6 % to win");
  QCOMPARE(TipOf(dialog, IDC_ODDS + 2), pinned);
  QCOMPARE(TipOf(dialog, IDC_POOL_BAR + 2), pinned);
  QCOMPARE(TipOf(dialog, IDC_LINE), BookTipOf(oracle));

  // A scratched row and the rows beyond the field have none, their disabled bars included.
  QTest::mouseClick(Box(dialog, IDC_SCRATCH + 1), Qt::LeftButton);
  oracle.Leave(IDC_ODDS + 3);
  oracle.Click(IDC_SCRATCH + 1);
  SAME_AS(oracle);
  QCOMPARE(TipOf(dialog, IDC_ODDS + 1), QString());
  QCOMPARE(TipOf(dialog, IDC_POOL_BAR + 1), QString());
  QTest::mouseClick(Edit(dialog, IDC_HORSES), Qt::LeftButton);
  RetypeAndTab(QStringLiteral("8"));
  oracle.Type(IDC_HORSES, "8");
  oracle.Leave(IDC_HORSES);
  SAME_AS(oracle);
  QCOMPARE(TipOf(dialog, IDC_ODDS + 8), QString());
  QCOMPARE(TipOf(dialog, IDC_POOL_BAR + 13), QString());
  QVERIFY(!TipOf(dialog, IDC_ODDS + 7).isEmpty());
  QCOMPARE(TipOf(dialog, IDC_LINE), BookTipOf(oracle));
  QVERIFY(TipOf(dialog, IDC_LINE).endsWith(QStringLiteral("(8 horses)")));

  // The pointer resting on horse 3's odds brings up its tip by itself.
  QToolTip::hideText();
  QTRY_VERIFY(!QToolTip::isVisible());
  QTest::mouseMove(Edit(dialog, IDC_ODDS + 2));
  QTRY_VERIFY(QToolTip::isVisible());
  QCOMPARE(QToolTip::text(), HorseTipOf(oracle, 2));
  SaveArtifactWithTip(dialog, "qt-tooltip.png");
  SAME_AS(oracle);
}

void QtDialogTest::CopyLineTakesTheTypedEntry() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  QClipboard* clipboard = QGuiApplication::clipboard();
  // Horse 2's odds typed but not yet taken: the field keeps the focus.
  QTest::mouseClick(Edit(dialog, IDC_ODDS + 1), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
  oracle.Type(IDC_ODDS + 1, "3");

  // A right click on horse 2's "Lock" box opens the dialog's menu; neither the click nor the
  // menu ends the field's focus. The copy takes the odds as leaving the field would, and the
  // focus stays.
  QCheckBox* box = Box(dialog, IDC_LOCK + 1);
  const QPoint at = box->rect().center();
  QTest::mouseClick(box, Qt::RightButton, {}, at);
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
  QCoreApplication::sendEvent(box, &request);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QVERIFY(menu);
  QList<QAction*> actions = menu->actions();
  QVERIFY(actions.size() == 16 && actions[6]->isSeparator() && actions[10]->isSeparator() &&
          actions[13]->isSeparator());
  actions.removeAt(13);
  actions.removeAt(10);
  actions.removeAt(6);
  QCOMPARE(actions, (QList<QAction*>{
                        dialog.CopyLineAction(), dialog.SaveLineAction(), dialog.SaveAsAction(),
                        dialog.OpenLineAction(), dialog.ToteAction(), dialog.ExoticsAction(),
                        dialog.CardAction(), dialog.NextRaceAction(), dialog.PreviousRaceAction(),
                        dialog.ImportEntriesAction(), dialog.PasteEntriesAction(),
                        dialog.UndoAction(), dialog.RedoAction()}));
  QCOMPARE(menu->actions().first()->text(), QStringLiteral("Copy &line"));
  clipboard->setText(QStringLiteral("before"));
  QTest::keyClick(menu, Qt::Key_L);
  QTRY_VERIFY(!QApplication::activePopupWidget());
  QCOMPARE(clipboard->text(), FromDialogBytes(oracle.CopiedLine().c_str()));
  QVERIFY(clipboard->text().contains(QStringLiteral("\n2\t\t\t\t3.0\t25.0%\t3-1\n")));
  QVERIFY(clipboard->mimeData()->html().contains(QStringLiteral("sdnum=\"1033;0;@\">3-1</td>")));
  QCOMPARE(FocusId(dialog), IDC_ODDS + 1);
  QVERIFY(box->isChecked());
  SAME_AS(oracle);

  // Ctrl+Shift+C in the field copies too; with nothing typed, nothing else happens.
  clipboard->setText(QStringLiteral("before"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(clipboard->text(), FromDialogBytes(oracle.CopiedLine().c_str()));
  SAME_AS(oracle);
}

void QtDialogTest::TypedTextsAreCodePage1252() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  // The euro sign is byte 0x80, which the odds entry reads as a signed byte: a share of 0, as
  // on Windows (Latin-1 would have made it "?" and 13.33 % to win).
  QTest::mouseClick(Edit(dialog, IDC_ODDS), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  ComposeAndTab(QStringLiteral("5.\u20ac"));
  oracle.Type(IDC_ODDS, "5.\x80");
  oracle.Leave(IDC_ODDS);
  SAME_AS(oracle);
  QCOMPARE(Bar(dialog, IDC_POOL_BAR)->value(), 0);
  // A fullwidth entry reads as its best fit, and a character without one as "?".
  ComposeAndTab(QStringLiteral("\uff15-\uff12"));
  oracle.Type(IDC_ODDS + 1, "5-2");
  oracle.Leave(IDC_ODDS + 1);
  SAME_AS(oracle);
  char bytes[8];
  Edit(dialog, IDC_LINE)->setText(QStringLiteral("\u4e00\u0081"));
  QCOMPARE(dialog.Surface().ReadText(IDC_LINE, bytes, sizeof bytes), 2);
  QCOMPARE(QByteArray(bytes), QByteArray("?\x81"));
}

void QtDialogTest::UndoLeavesTheFieldModified() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  // "5" typed over horse 1's "10.7" and undone: the field still counts as the user's, so Tab
  // pins, moves and locks the horse at the odds it shows.
  QTest::mouseClick(Edit(dialog, IDC_ODDS), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Edit(dialog, IDC_ODDS)->text(), QStringLiteral("10.7"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  oracle.Type(IDC_ODDS, "10.7");
  oracle.Leave(IDC_ODDS);
  SAME_AS(oracle);
  QCOMPARE(Bar(dialog, IDC_POOL_BAR)->value(), 854);
  QVERIFY(Box(dialog, IDC_LOCK)->isChecked());
  // An edit that does nothing is no change: Backspace at the start of horse 2's odds.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  oracle.Leave(IDC_ODDS + 1);
  SAME_AS(oracle);
  QVERIFY(!Box(dialog, IDC_LOCK + 1)->isChecked());
}

void QtDialogTest::FieldsTakeNoDrops() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  // Text dragged from elsewhere onto horse 3's odds, which does not have the focus.
  QLineEdit* edit = Edit(dialog, IDC_ODDS + 2);
  QMimeData data;
  data.setText(QStringLiteral("5-2"));
  const QPoint at = edit->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(edit, &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(edit, &drop);
  QVERIFY(!enter.isAccepted());
  SAME_AS(oracle);
}

// Answers every modal window as it shows, while it lives: a file dialog with the next of paths,
// a message box by closing it (Don't Save where it asks to save), after noting its text.
class ModalAnswerer final : public QObject {
 public:
  explicit ModalAnswerer(QStringList paths) : m_paths(std::move(paths)) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~ModalAnswerer() override { QCoreApplication::instance()->removeEventFilter(this); }
  QString message;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    if (auto* files = qobject_cast<QFileDialog*>(watched)) {
      if (!m_paths.isEmpty()) files->selectFile(m_paths.takeFirst());
      QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
    } else if (auto* box = qobject_cast<QMessageBox*>(watched)) {
      message = box->text();
      if (QAbstractButton* discard = box->button(QMessageBox::Discard)) {
        QMetaObject::invokeMethod(discard, "click", Qt::QueuedConnection);
      } else {
        QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
      }
    }
    return false;
  }

 private:
  QStringList m_paths;
};

void QtDialogTest::SaveAndOpenThroughTheFileDialogs() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(Start(dialog, oracle));
  QTemporaryDir folder;
  // Horse 5 scratched, odds typed for horse 3 and not yet taken: the file dialog takes the
  // focus, and with it the entry, before the file is written; a name without a suffix gets it.
  QTest::mouseClick(Box(dialog, IDC_SCRATCH + 4), Qt::LeftButton);
  oracle.Leave(IDC_LINE);
  oracle.Click(IDC_SCRATCH + 4);
  QTest::mouseClick(Edit(dialog, IDC_ODDS + 2), Qt::LeftButton);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5-2"));
  oracle.Type(IDC_ODDS + 2, "5-2");
  // The window's tote goes with the line.
  SetToteText(dialog.Tote(), 2, "7-2");
  dialog.Tote().edge = 40;
  QVERIFY(oracle.SetTote(dialog.Tote()));
  {
    const ModalAnswerer answer({folder.filePath(QStringLiteral("race"))});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  }
  oracle.Leave(IDC_ODDS + 2);
  SAME_AS(oracle);
  const QString saved = folder.filePath(QStringLiteral("race.oddsline"));
  QVERIFY(QFile::exists(saved));
  LineFileError error;
  const std::string expected = folder.filePath(QStringLiteral("expected")).toStdString();
  QVERIFY(oracle.SaveLine(expected, error));
  QFile mine(saved);
  QFile theirs(QString::fromStdString(expected));
  QVERIFY(mine.open(QIODevice::ReadOnly) && theirs.open(QIODevice::ReadOnly));
  QCOMPARE(mine.readAll(), theirs.readAll());

  // Changed, then opened: the open asks first, and Don't Save brings the card back as it was
  // saved, the tote too.
  QVERIFY(dialog.windowTitle().endsWith(QStringLiteral("race.oddsline")));
  QTest::mouseClick(Bar(dialog, IDC_POOL_BAR), Qt::LeftButton, {},
                    RightTrough(Bar(dialog, IDC_POOL_BAR)));
  dialog.Tote() = ToteState();
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Oddsmith \u2014 race.oddsline*"));
  {
    const ModalAnswerer answer({saved});
    dialog.OpenLineAction()->trigger();
    QCOMPARE(answer.message, QStringLiteral("Save changes to race.oddsline?"));
  }
  QVERIFY(oracle.OpenLine(saved.toStdString(), error));
  SAME_AS(oracle);
  QCOMPARE(ToteText(dialog.Tote(), 2), std::string_view("7-2"));
  QCOMPARE(dialog.Tote().edge, 40);

  // A file that is no line file: a message box names it and why, and nothing changes.
  QFile bad(folder.filePath(QStringLiteral("bad.oddsline")));
  QVERIFY(bad.open(QIODevice::WriteOnly));
  bad.write("horse\todds\n");
  bad.close();
  ModalAnswerer answer({bad.fileName()});
  dialog.OpenLineAction()->trigger();
  QCOMPARE(
      answer.message,
      QStringLiteral("Cannot open \"%1\": line 1: not an Oddsmith line file: its first line is "
                     "not \"oddsmith line\" and a version")
          .arg(bad.fileName()));
  SAME_AS(oracle);
  QCOMPARE(dialog.Tote().edge, 40);
}

QTEST_MAIN(QtDialogTest)
#include "qt_dialog_test.moc"
