// The Qt Card window under real input on the offscreen platform, over the real dialog: typing
// goes into the card, Add race and Show race move the dialog, Remove race asks first for a race
// with work in it and keeps it unless told otherwise, Escape closes.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "card/card_window.h"
#include "dialog/qt/card_dialog.h"
#include "dialog/qt/qt_dialog.h"

namespace {

QLineEdit* Field(QWidget& window, const QString& name) {
  for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
    if (field->accessibleName() == name) return field;
  }
  return nullptr;
}

QPushButton* Button(QWidget& window, const char* text) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->text() == QLatin1String(text)) return button;
  }
  return nullptr;
}

// Answers the question the next event loop shows, once it shows: Enter, or the button given;
// records whether No was its default. The timer is the caller's so that nothing outlives the test.
void Answer(QTimer& timer, QMessageBox::StandardButton button, bool& noByDefault) {
  timer.disconnect();
  timer.setSingleShot(true);
  timer.start(0);
  QObject::connect(&timer, &QTimer::timeout, [button, &noByDefault] {
    QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    noByDefault = box->defaultButton() == box->button(QMessageBox::No);
    if (button == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Return);
    } else {
      box->button(button)->click();
    }
  });
}

}  // namespace

class CardDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void RacesComeAndGoAsTheUserSays();
};

void CardDialogTest::RacesComeAndGoAsTheUserSays() {
  QtDialog dialog;
  dialog.Init();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  Card& card = dialog.KeptCard();
  int changes = 0;
  CardDialog window(
      card, dialog.Surface(),
      [&] {
        ++changes;
        dialog.ShowCardChanges();
      },
      &dialog);
  window.show();
  QVERIFY(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }));

  // Add race shows race 2 on the dialog (its Alt+A is tested under real input); a name typed
  // for its horse 1 is kept at once.
  Button(window, CARD_ADD_TEXT)->click();
  QCOMPARE(card.shown, 2);
  QLineEdit* name = Field(window, QStringLiteral("Race 2 horse 1 name"));
  QVERIFY(name);
  name->setFocus();
  QTest::keyClicks(name, QStringLiteral("Sea Bird"));
  QCOMPARE(QByteArray(card.races[1]->horses[0].name), QByteArray("Sea Bird"));
  QCOMPARE(name->text(), QStringLiteral("Sea Bird"));
  QVERIFY(changes >= 9);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Oddsmith — Race 2"));

  // A race with a name asks before it goes: No (the default) keeps it, Yes removes it.
  QPushButton* remove = Button(window, CARD_REMOVE_TEXT);
  QTimer timer;
  bool noByDefault = false;
  Answer(timer, QMessageBox::NoButton, noByDefault);
  remove->click();
  QVERIFY(noByDefault);
  QCOMPARE(RaceCount(card), 2);
  Answer(timer, QMessageBox::Yes, noByDefault);
  remove->click();
  QCOMPARE(RaceCount(card), 1);
  QCOMPARE(card.shown, 1);
  QVERIFY(!remove->isEnabled());  // the last race stays
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Oddsmith"));

  // Escape closes, from a field as from anywhere.
  QTest::keyClick(Field(window, QStringLiteral("Track")), Qt::Key_Escape);
  QVERIFY(!window.isVisible());
}

QTEST_MAIN(CardDialogTest)
#include "card_dialog_test.moc"
