// The window's icon comes from the program's own resources in every size it ships.
#include <QTest>

#include "dialog/qt/program_icon.h"

class IconTest : public QObject {
  Q_OBJECT
 private slots:
  void carriesEverySize() {
    const QIcon icon = ProgramIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 32, 48, 128, 256}) QVERIFY(sizes.contains(QSize(size, size)));
    // The images decode: a corner of the 32-pixel one is transparent, its middle is not.
    const QImage image = icon.pixmap(32, 32).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(16, 16)), 255);
  }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
