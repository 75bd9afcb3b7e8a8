// The Qt tote window under real input on the offscreen platform, over a main dialog whose
// figures a headless dialog given the same input confirms.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolTip>

#include "dialog/headless/headless_dialog.h"
#include "dialog/qt/qt_dialog.h"
#include "dialog/qt/tote_dialog.h"
#include "tests/qt/window_checks.h"
#include "tote/tote_window.h"

namespace {

// The window's widget of kind W that screen readers know by name.
template <typename W = QWidget>
W* Named(QWidget& window, const QString& name) {
  for (W* widget : window.findChildren<W*>()) {
    if (widget->accessibleName() == name) return widget;
  }
  return nullptr;
}
QString Shown(QWidget& window, const QString& name) {
  const QLabel* label = Named<QLabel>(window, name);
  return label ? label->text() : QStringLiteral("(no %1)").arg(name);
}
QPushButton* Button(QWidget& window, const char* text) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->text() == QLatin1String(text)) return button;
  }
  return nullptr;
}

// The start, then "# of horses:" set to 5 and left: every horse at 2400 on the 120 line.
bool FiveHorses(QtDialog& dialog, HeadlessDialog& oracle) {
  if (!Start(dialog, oracle)) return false;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  oracle.Leave(IDC_LINE);
  oracle.Type(IDC_HORSES, "5");
  oracle.Leave(IDC_HORSES);
  return Difference(dialog, oracle).isEmpty();
}

// Shows window over its main dialog; true once it has the keyboard. (A window whose parent is
// active counts as active to qWaitForWindowActive from the start.)
bool ShowActive(ToteDialog& window) {
  window.show();
  return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; });
}

// Types text over the price field's text with the keyboard.
void Retype(QLineEdit* field, const QString& text) {
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, text);
}

QColor StatusColour(ToteStatus status) {
  const ToteColour colour = ToteStatusColour(status);
  return QColor(colour.red, colour.green, colour.blue);
}

// Notes, when the tote window shows, whether it is modal and what it shows for horse 2; then
// closes it as soon as its loop runs.
class ToteWatcher final : public QObject {
 public:
  ToteWatcher() { QCoreApplication::instance()->installEventFilter(this); }
  ~ToteWatcher() override { QCoreApplication::instance()->removeEventFilter(this); }
  bool modal = false;
  QString horse2Fair;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<ToteDialog*>(watched);
    if (!window || event->type() != QEvent::Show) return false;
    modal = window->isModal();
    horse2Fair = Shown(*window, QStringLiteral("Horse 2 fair"));
    QMetaObject::invokeMethod(window, "accept", Qt::QueuedConnection);
    return false;
  }
};

}  // namespace

class ToteDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void FiguresFollowEachKeystroke();
  void OpensModalOnceTheTypedEntryIsTaken();
  void CopyIsTheRunnersTableAndClearEmptiesEveryPrice();
  void EnterAndEscapeCloseFromAnywhere();
  void ScreenReadersHearEveryFigure();
};

void ToteDialogTest::FiguresFollowEachKeystroke() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(FiveHorses(dialog, oracle));
  ToteDialog window(dialog.Surface(), dialog.Tote(), ShownRace(dialog.KeptCard()).horses,
                    dialog.KeptCard().money, &dialog);
  QVERIFY(ShowActive(window));
  QCOMPARE(window.windowTitle(), QStringLiteral("Tote"));
  auto* price = Named<QLineEdit>(window, QStringLiteral("Horse 1 tote price"));
  QCOMPARE(QApplication::focusWidget(), price);
  QLabel* status = Named<QLabel>(window, QStringLiteral("Horse 1 status"));
  const auto row = [&window] {
    QStringList figures;
    for (const char* what : {"fair", "fair odds", "needs", "pays", "overlay", "status", "EV"}) {
      figures << Shown(window, QStringLiteral("Horse 1 %1").arg(QLatin1String(what)));
    }
    return figures.join(QLatin1Char(' '));
  };
  QCOMPARE(row(), QStringLiteral("20.0% 4.0 6-1    "));

  QTest::keyClicks(price, QStringLiteral("6-1"));
  QCOMPARE(row(), QStringLiteral("20.0% 4.0 6-1 14.00 +40.0% BET +0.80"));
  QCOMPARE(status->palette().color(QPalette::WindowText), StatusColour(ToteStatus::BET));
  QCOMPARE(Shown(window, QStringLiteral("Bets")), QStringLiteral("1"));
  // Each keystroke counts: "6-" alone is no price.
  QTest::keyClick(price, Qt::Key_Backspace);
  QCOMPARE(status->text(), QStringLiteral("?"));
  QCOMPARE(price->toolTip(), QString::fromLatin1(TotePriceHelp()));
  QCOMPARE(status->palette().color(QPalette::WindowText),
           window.palette().color(QPalette::WindowText));
  Retype(price, QStringLiteral("7-2"));
  QCOMPARE(row(), QStringLiteral("20.0% 4.0 6-1 9.00 -10.0% UNDER -0.20"));
  QCOMPARE(status->palette().color(QPalette::WindowText), StatusColour(ToteStatus::UNDER));
  QVERIFY(price->toolTip().isEmpty());

  // Characters no key types come as an input method hands them over, in code page 1252.
  QTest::keyClick(price, Qt::Key_A, Qt::ControlModifier);
  QInputMethodEvent compose;
  compose.setCommitString(QStringLiteral("\uFF15-\uFF12"));
  QCoreApplication::sendEvent(price, &compose);
  QCOMPARE(ToteText(dialog.Tote(), 0), std::string_view("5-2"));
  QCOMPARE(Shown(window, QStringLiteral("Horse 1 pays")), QStringLiteral("7.00"));

  // The edge moves the line between OVERLAY and BET.
  Retype(price, QStringLiteral("5-1"));
  QCOMPARE(status->text(), QStringLiteral("OVERLAY"));
  QCOMPARE(status->palette().color(QPalette::WindowText), StatusColour(ToteStatus::OVERLAY));
  auto* edge = Named<QSpinBox>(window, QStringLiteral("Required edge"));
  QCOMPARE(edge->value(), 25);
  QTest::keyClick(edge, Qt::Key_Down);
  QCOMPARE(dialog.Tote().edge, 20);
  QCOMPARE(status->text(), QStringLiteral("BET"));
  QCOMPARE(Shown(window, QStringLiteral("Horse 1 needs")), QStringLiteral("5-1"));
}

void ToteDialogTest::OpensModalOnceTheTypedEntryIsTaken() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(FiveHorses(dialog, oracle));
  // Horse 2's odds typed and not yet taken when Ctrl+T opens the window.
  QTest::mouseClick(dialog.Control(IDC_ODDS + 1), Qt::LeftButton);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
  oracle.Type(IDC_ODDS + 1, "3");
  oracle.Leave(IDC_ODDS + 1);
  const ToteWatcher watcher;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
  QVERIFY(watcher.modal);
  // Not the 20.0% of the five horses before the odds were taken.
  QCOMPARE(watcher.horse2Fair,
           QString::fromLatin1(FigureToteRow(oracle.Surface(), ToteState(), 1).fair));
  SAME_AS(oracle);
  // The field it was typed in keeps the dialog's focus, for when the dialog is active again.
  QCOMPARE(dialog.focusWidget(), dialog.Control(IDC_ODDS + 1));
}

void ToteDialogTest::CopyIsTheRunnersTableAndClearEmptiesEveryPrice() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(FiveHorses(dialog, oracle));
  // Horse 9 is outside the five-horse book; its price waits for it.
  SetToteText(dialog.Tote(), 8, "3-1");
  dialog.Tote().edge = 45;
  ToteDialog window(dialog.Surface(), dialog.Tote(), ShownRace(dialog.KeptCard()).horses,
                    dialog.KeptCard().money, &dialog);
  QVERIFY(ShowActive(window));
  QTest::keyClicks(Named<QLineEdit>(window, QStringLiteral("Horse 1 tote price")),
                   QStringLiteral("6-1"));
  QTest::keyClicks(Named<QLineEdit>(window, QStringLiteral("Horse 2 tote price")),
                   QStringLiteral("7-2"));

  QVERIFY(oracle.SetTote(dialog.Tote()));
  std::string table;
  QVERIFY(oracle.ToteTable(table));
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  QTest::mouseClick(Button(window, TOTE_COPY_TEXT), Qt::LeftButton);
  QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(table));
  QVERIFY(QGuiApplication::clipboard()->mimeData()->html().startsWith(QStringLiteral("<table")));

  // The main dialog's tip tells each horse's tote price once the window is closed.
  window.accept();
  QWidget* odds = dialog.Control(IDC_ODDS);
  QHelpEvent ask(QEvent::ToolTip, odds->rect().center(), odds->mapToGlobal(QPoint()));
  QCoreApplication::sendEvent(odds, &ask);
  QVERIFY2(QToolTip::text().endsWith(QStringLiteral(" \u00B7 tote 6-1: OVERLAY")),
           qPrintable(QToolTip::text()));

  window.show();
  QTest::mouseClick(Button(window, TOTE_CLEAR_TEXT), Qt::LeftButton);
  for (int i = 0; i < ROW_COUNT; ++i) QVERIFY(ToteText(dialog.Tote(), i).empty());
  QCOMPARE(dialog.Tote().edge, 45);
  QVERIFY(Named<QLineEdit>(window, QStringLiteral("Horse 2 tote price"))->text().isEmpty());
  QCOMPARE(Shown(window, QStringLiteral("Horse 1 status")), QString());
  QCOMPARE(Shown(window, QStringLiteral("Tote book")), QStringLiteral("incomplete"));
  QCOMPARE(Shown(window, QStringLiteral("Bets")), QStringLiteral("PASS"));
}

void ToteDialogTest::EnterAndEscapeCloseFromAnywhere() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(FiveHorses(dialog, oracle));
  // Shows the window, gives name's widget the focus and presses key there: true once the
  // window has closed with result.
  const auto closes = [&dialog](const QString& name, Qt::Key key, int result) {
    ToteDialog window(dialog.Surface(), dialog.Tote(), ShownRace(dialog.KeptCard()).horses,
                      dialog.KeptCard().money, &dialog);
    if (!ShowActive(window)) return false;
    QWidget* widget =
        name.contains(QLatin1Char('&')) ? Button(window, qPrintable(name)) : Named(window, name);
    widget->setFocus();
    QTest::keyClick(widget, key);
    return !window.isVisible() && window.result() == result;
  };
  QVERIFY(closes(QStringLiteral("Horse 1 tote price"), Qt::Key_Return, QDialog::Accepted));
  QVERIFY(closes(QStringLiteral("Required edge"), Qt::Key_Enter, QDialog::Accepted));
  QVERIFY(closes(QStringLiteral("Horse 5 tote price"), Qt::Key_Escape, QDialog::Rejected));

  // On a button Enter closes too, and presses nothing; Space presses it.
  SetToteText(dialog.Tote(), 0, "6-1");
  QVERIFY(closes(QString::fromLatin1(TOTE_CLEAR_TEXT), Qt::Key_Return, QDialog::Accepted));
  QCOMPARE(ToteText(dialog.Tote(), 0), std::string_view("6-1"));
  QVERIFY(!closes(QString::fromLatin1(TOTE_CLEAR_TEXT), Qt::Key_Space, QDialog::Accepted));
  QVERIFY(ToteText(dialog.Tote(), 0).empty());
}

void ToteDialogTest::ScreenReadersHearEveryFigure() {
  QtDialog dialog;
  HeadlessDialog oracle;
  QVERIFY(FiveHorses(dialog, oracle));
  QTest::mouseClick(dialog.Control(IDC_SCRATCH + 1), Qt::LeftButton);
  SetToteText(dialog.Tote(), 2, "20-1");
  ToteDialog window(dialog.Surface(), dialog.Tote(), ShownRace(dialog.KeptCard()).horses,
                    dialog.KeptCard().money, &dialog);
  QStringList prices;
  for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
    if (field->accessibleName().endsWith(QStringLiteral("tote price"))) {
      prices << field->accessibleName();
    }
  }
  // With horse 2 scratched the window's second row is horse 3, and is named so.
  QCOMPARE(
      prices,
      (QStringList{QStringLiteral("Horse 1 tote price"), QStringLiteral("Horse 3 tote price"),
                   QStringLiteral("Horse 4 tote price"), QStringLiteral("Horse 5 tote price")}));
  QStringList names{QStringLiteral("Required edge"),
                    QStringLiteral("Tote book"),
                    QStringLiteral("Take"),
                    QStringLiteral("Bets"),
                    QStringLiteral("Bankroll in dollars"),
                    QStringLiteral("Kelly fraction")};
  for (const char* what :
       {"tote price", "status", "fair", "fair odds", "needs", "overlay", "pays", "EV", "stake"}) {
    names << QStringLiteral("Horse 3 %1").arg(QLatin1String(what));
  }
  for (const QString& name : names) {
    QWidget* widget = Named(window, name);
    QVERIFY2(widget, qPrintable(name));
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(widget);
    QCOMPARE(heard->text(QAccessible::Name), name);
    // A figure is heard as its description, its name no longer being its text.
    if (auto* figure = qobject_cast<QLabel*>(widget)) {
      QCOMPARE(heard->text(QAccessible::Description), figure->text());
    }
  }
  QCOMPARE(Shown(window, QStringLiteral("Horse 3 status")), QStringLiteral("BET"));
  QVERIFY(!Named(window, QStringLiteral("Horse 2 status")));
}

QTEST_MAIN(ToteDialogTest)
#include "tote_dialog_test.moc"
