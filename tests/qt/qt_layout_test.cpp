// The Qt dialog's geometry in the font and scale ctest runs it with (1x, 2x and two font DPIs):
// the template's arrangement kept, every text whole, a row's texts on one baseline, and bars
// long enough for fine shaping.
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOption>
#include <QTest>
#include <QTextDocument>
#include <functional>
#include <memory>

#include "dialog/qt/card_dialog.h"
#include "dialog/qt/dialog_template.h"
#include "dialog/qt/qt_dialog.h"
#include "dialog/qt/tote_dialog.h"

namespace {

QRect InDialog(QtDialog& dialog, const QWidget* widget) {
  return QRect(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
}

// The first and last pixel rows of area (logical pixels, as the result) with a pixel that is.
QPair<int, int> Rows(const QImage& image, QRect area, const std::function<bool(QRgb)>& is) {
  const qreal ratio = image.devicePixelRatio();
  const QRect pixels =
      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toRect();
  QPair<int, int> rows{-1, -1};
  for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
      if (!is(image.pixel(x, y))) continue;
      if (rows.first < 0) rows.first = static_cast<int>(y / ratio);
      rows.second = static_cast<int>(y / ratio);
      break;
    }
  }
  return rows;
}
bool Ink(QRgb pixel) { return qGray(pixel) < 128; }

// Where an edit field draws its text: inside its frame, its text margins and QLineEdit's own
// 2 pixels a side.
QRect TextArea(const QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->contentsRect();
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  return edit->style()
      ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
      .marginsRemoved(edit->textMargins())
      .adjusted(2, 0, -2, 0);
}

// Share units a pixel of the thumb's drag moves; -1 unless the thumb and arrows are squares of
// the bar's height, as the input of the other tests takes them to be.
double UnitsPerPixel(const QScrollBar* bar) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.maximum = bar->maximum();
  option.subControls = QStyle::SC_All;
  const auto part = [&](QStyle::SubControl sub) {
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, sub, bar);
  };
  const QRect thumb = part(QStyle::SC_ScrollBarSlider);
  if (thumb.size() != QSize(bar->height(), bar->height()) ||
      part(QStyle::SC_ScrollBarAddLine).size() != thumb.size())
    return -1;
  return bar->maximum() /
         static_cast<double>(part(QStyle::SC_ScrollBarGroove).width() - thumb.width());
}

// ctest names the scale in ODDSMITH_SCALE.
void SaveArtifact(QWidget& dialog, const char* name) {
  const QString file = QLatin1String(name) + qEnvironmentVariable("ODDSMITH_SCALE");
  QVERIFY(dialog.grab().save(QStringLiteral(ODDSMITH_ARTIFACTS_DIR "/%1.png").arg(file)));
}

// Types text into field id and leaves it, as the user would.
void Enter(QtDialog& dialog, int id, const char* text) {
  auto* edit = qobject_cast<QLineEdit*>(dialog.Control(id));
  edit->setText(QString::fromLatin1(text));
  edit->setModified(true);
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(edit, &leave);
}

}  // namespace

class QtLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_dialog = std::make_unique<QtDialog>(); }
  void WindowKeepsTheTemplatesArrangement();
  void EveryTextFitsItsRoom();
  void TextsOfARowShareABaseline();
  void WiderWindowsGiveFinerBars();
  void ToteFiguresFitTheirRoom();
  void ToteWindowShowsARace();
  void NamesWidenTheWindowByTheirColumn();

 private:
  std::unique_ptr<QtDialog> m_dialog;
};

void QtLayoutTest::WindowKeepsTheTemplatesArrangement() {
  QtDialog& dialog = *m_dialog;
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Oddsmith"));
  // Whatever lies wholly above, or beside and wholly left of, another control in the template
  // does so in the window; what the pointer hits is the control itself.
  for (const TemplateControl& a : TEMPLATE) {
    const QRect inA = InDialog(dialog, dialog.Control(a.id));
    if (a.kind != ControlKind::GROUP) QCOMPARE(dialog.childAt(inA.center()), dialog.Control(a.id));
    for (const TemplateControl& b : TEMPLATE) {
      const QRect inB = InDialog(dialog, dialog.Control(b.id));
      const QByteArray pair = QByteArray::number(a.id) + " and " + QByteArray::number(b.id);
      if (a.y + a.height <= b.y) QVERIFY2(inA.bottom() < inB.top(), pair);
      if (b.y + b.height > a.y && a.y + a.height > b.y && a.x + a.width <= b.x) {
        QVERIFY2(inA.right() < inB.left(), pair);
      }
    }
  }
  // Each heading stands over its column, whose controls line up.
  for (const auto& [head, base] : {std::pair{IDC_ROW_HEAD, IDC_ROW_NUMBER},
                                   {IDC_ODDS_HEAD, IDC_ODDS},
                                   {IDC_WIN_HEAD, IDC_WIN_PCT},
                                   {IDC_POOLS_HEAD, IDC_POOL_BAR},
                                   {IDC_LOCK_HEAD, IDC_LOCK},
                                   {IDC_SCR_HEAD, IDC_SCRATCH}}) {
    const int centre = InDialog(dialog, dialog.Control(head)).center().x();
    for (int row = 0; row < ROW_COUNT; ++row) {
      const QRect cell = InDialog(dialog, dialog.Control(base + row));
      QVERIFY(cell.left() <= centre && centre <= cell.right());
      QCOMPARE(cell.center().x(), InDialog(dialog, dialog.Control(base)).center().x());
    }
  }

  // "Race Info" frames its fields, and its title inside the frame above them.
  QWidget* group = dialog.Control(IDC_RACE_INFO);
  const QRect box = InDialog(dialog, group);
  int fieldsTop = box.bottom();
  for (const int id : {IDC_LINE_LABEL, IDC_LINE, IDC_HORSES_LABEL, IDC_HORSES}) {
    QVERIFY(group->isAncestorOf(dialog.Control(id)));
    fieldsTop = qMin(fieldsTop, InDialog(dialog, dialog.Control(id)).top());
  }
  const QImage image = dialog.grab().toImage();
  const QRgb background = image.pixel(0, 0);
  // The frame's top edge, right of the title, and the title's ink.
  const int frameTop = Rows(image, QRect(box.center().x() + box.width() / 4, 0, 1, box.bottom()),
                            [background](QRgb pixel) { return pixel != background; })
                           .first;
  const auto [titleTop, titleBottom] =
      Rows(image, QRect(box.left(), box.top(), box.width() / 2, fieldsTop - box.top()), Ink);
  QVERIFY(frameTop >= 0 && frameTop < titleTop);
  QVERIFY(titleBottom < fieldsTop);
}

void QtLayoutTest::EveryTextFitsItsRoom() {
  QtDialog& dialog = *m_dialog;
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  // The template's texts, and every figure the program writes or the user types in a field,
  // '#' standing for each digit.
  const auto widest = [&dialog](int id) {
    QStringList shapes;
    if (InColumn(id, IDC_WIN_PCT)) shapes = {QStringLiteral("###.#%")};
    if (InColumn(id, IDC_ODDS)) shapes = {QStringLiteral("##.#"), QStringLiteral("-#.#")};
    if (id == IDC_LINE) shapes = {QStringLiteral("###")};
    if (id == IDC_HORSES) shapes = {QStringLiteral("##")};
    char text[16];
    dialog.Surface().ReadText(id, text, sizeof text);
    QStringList texts{QString::fromLatin1(text)};
    for (char digit = '0'; digit <= '9'; ++digit) {
      for (QString shape : shapes) texts << shape.replace(QLatin1Char('#'), QLatin1Char(digit));
    }
    return texts;
  };
  // At the desktop's font, and once it has grown with the window open.
  for (const qreal growth : {1.0, 1.5}) {
    QFont font = dialog.font();
    font.setPointSizeF(font.pointSizeF() * growth);
    dialog.setFont(font);
    QApplication::processEvents();
    for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
      QWidget* widget = dialog.Control(id);
      const int caret = widget->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, widget);
      for (const QString& text : widest(id)) {
        dialog.Surface().WriteText(id, text.toLatin1().constData());
        const QByteArray what = text.toLatin1() + " in " + QByteArray::number(id);
        const int needs = widget->fontMetrics().horizontalAdvance(text);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
          QVERIFY2(needs + caret <= TextArea(edit).width(), what);
        } else if (qobject_cast<QLabel*>(widget)) {
          QVERIFY2(needs <= widget->contentsRect().width(), what);
        } else {
          QVERIFY2(needs < widget->width(), what);  // the group's title; no text on the rest
        }
      }
    }
  }
}

void QtLayoutTest::TextsOfARowShareABaseline() {
  QtDialog& dialog = *m_dialog;
  // Texts whose every glyph ends on the baseline.
  QList<QList<int>> lines{{IDC_LINE_LABEL, IDC_LINE, IDC_HORSES_LABEL, IDC_HORSES}};
  dialog.Surface().WriteText(IDC_LINE, "120");
  dialog.Surface().WriteText(IDC_HORSES, "14");
  for (int row = 0; row < ROW_COUNT; ++row) {
    dialog.Surface().WriteText(IDC_ODDS + row, "10.7");
    dialog.Surface().WriteText(IDC_WIN_PCT + row, " 8.6%");
    lines.append({IDC_ROW_NUMBER + row, IDC_ODDS + row, IDC_WIN_PCT + row});
  }
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  const QImage image = dialog.grab().toImage();
  const auto baseline = [&](int id) {
    QWidget* widget = dialog.Control(id);
    QRect area = InDialog(dialog, widget);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      // The text alone: not the frame, nor the caret before it, where the program leaves it.
      const QRect text = TextArea(edit).adjusted(2, 0, 0, 0);
      area = QRect(widget->mapTo(&dialog, text.topLeft()),
                   QSize(edit->fontMetrics().horizontalAdvance(edit->text()) - 2, text.height()));
    }
    return Rows(image, area, Ink).second;
  };
  for (const QList<int>& line : lines) {
    QVERIFY(baseline(line.first()) > 0);
    for (const int id : line) QCOMPARE(baseline(id), baseline(line.first()));
  }
}

void QtLayoutTest::WiderWindowsGiveFinerBars() {
  QtDialog& dialog = *m_dialog;
  dialog.Init();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
  QCOMPARE(dialog.windowType(), Qt::Window);
  SaveArtifact(dialog, "qt-layout");

  // At the default size, which is the smallest, a pixel of a drag moves a share by at most 45
  // of the 0..10800 the start's 120 % line gives every bar; every pixel more goes to the bars.
  const QSize initial = dialog.size();
  QCOMPARE(dialog.minimumSize(), initial);
  const int width = dialog.Control(IDC_POOL_BAR)->width();
  for (int row = 0; row < ROW_COUNT; ++row) {
    auto* bar = qobject_cast<QScrollBar*>(dialog.Control(IDC_POOL_BAR + row));
    QCOMPARE(bar->maximum(), 10800);
    QCOMPARE(bar->width(), width);
    const double units = UnitsPerPixel(bar);
    QVERIFY2(units > 0 && units <= 45, QByteArray::number(units));
  }
  dialog.resize(initial.width() * 3 / 2, initial.height());
  QCOMPARE(dialog.width(), initial.width() * 3 / 2);
  for (int row = 0; row < ROW_COUNT; ++row) {
    QTRY_COMPARE(dialog.Control(IDC_POOL_BAR + row)->width(),
                 width + dialog.width() - initial.width());
  }
  SaveArtifact(dialog, "qt-wide");

  // Maximised, the window takes the screen, where the screen is the larger.
  dialog.resize(initial);
  const QSize screen = dialog.screen()->availableGeometry().size();
  if (screen.width() > dialog.frameGeometry().width()) {
    dialog.showMaximized();
    QTRY_COMPARE(dialog.frameGeometry().size(), screen);
    QCOMPARE(dialog.Control(IDC_POOL_BAR)->width(), width + dialog.width() - initial.width());
  }
}

void QtLayoutTest::ToteFiguresFitTheirRoom() {
  QtDialog& dialog = *m_dialog;
  dialog.Init();
  // The widest figures: thirteen horses at the most a 900 line allows and one at a single unit
  // give fair odds of 1053000.0 and no ladder price a bet; the longest price pays the most.
  Enter(dialog, IDC_LINE, "900");
  DialogSurface& surface = dialog.Surface();
  for (int row = 0; row < ROW_COUNT; ++row) {
    surface.SetBarPos(IDC_POOL_BAR + row, row < ROW_COUNT - 1 ? 81000 : 1);
    surface.SetChecked(IDC_LOCK + row, true);
    SetToteText(dialog.Tote(), row, "9999.99");
    // Every identity at its limit, in the widest letters.
    HorseIdentity& horse = ShownRace(dialog.KeptCard()).horses[row];
    SetFixedText(horse.program, "888W");
    SetFixedText(horse.name, std::string(HORSE_NAME_MAX, 'W'));
  }
  ToteDialog window(surface, dialog.Tote(), ShownRace(dialog.KeptCard()).horses,
                    dialog.KeptCard().money, &dialog);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  // Every text whole, each field's price with the caret after it, in both states; a name, the
  // one text cut to its room, whole in its tip.
  const auto fits = [&window] {
    QStringList shown;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
      if (label->accessibleName().endsWith(QStringLiteral(" name"))) {
        if (label->toolTip() != QString(HORSE_NAME_MAX, QLatin1Char('W')))
          return QStringList{QStringLiteral("no whole tip: ") + label->accessibleName()};
        continue;
      }
      // A mnemonic's "&" is not drawn.
      const QString text =
          label->buddy() ? QString(label->text()).remove(QLatin1Char('&')) : label->text();
      if (label->fontMetrics().horizontalAdvance(text) > label->contentsRect().width())
        return QStringList{QStringLiteral("clipped: %1 in %2").arg(text, label->accessibleName())};
      shown << text;
    }
    for (const QLineEdit* price : window.findChildren<QLineEdit*>()) {
      if (qobject_cast<QSpinBox*>(price->parent())) continue;
      const int caret = price->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, price);
      if (price->fontMetrics().horizontalAdvance(price->text()) + caret > TextArea(price).width())
        return QStringList{QStringLiteral("clipped: ") + price->accessibleName()};
    }
    return shown;
  };
  for (const qreal growth : {1.0, 1.5}) {
    QFont font = window.font();
    font.setPointSizeF(font.pointSizeF() * growth);
    window.setFont(font);
    QApplication::processEvents();
    for (int row = 0; row < ROW_COUNT; ++row) {
      surface.SetBarPos(IDC_POOL_BAR + row, row < ROW_COUNT - 1 ? 81000 : 1);
      surface.SetChecked(IDC_SCRATCH + row, false);
    }
    window.Refresh();
    QApplication::processEvents();
    QStringList shown = fits();
    for (const char* widest : {"1053000.0", "over 99-1", "20001.90"}) {
      QVERIFY2(shown.contains(QLatin1String(widest)), qPrintable(shown.join(QLatin1Char(' '))));
    }
    if (growth == 1.0) SaveArtifact(window, "qt-tote-widest");
    // The room is there before the figures need it: the window does not jump as they change.
    const QSize size = window.size();
    // Horse 1 alone in the book, the only one the tote pays on.
    for (int row = 1; row < ROW_COUNT; ++row) surface.SetChecked(IDC_SCRATCH + row, true);
    window.Refresh();
    QApplication::processEvents();
    shown = fits();
    for (const char* widest : {"+999995.0%", "+19999.90", "-1000000.0%"}) {
      QVERIFY2(shown.contains(QLatin1String(widest)), qPrintable(shown.join(QLatin1Char(' '))));
    }
    QCOMPARE(window.size(), size);
  }
}

void QtLayoutTest::ToteWindowShowsARace() {
  QtDialog& dialog = *m_dialog;
  dialog.Init();
  Enter(dialog, IDC_HORSES, "8");
  for (const auto& [row, odds] : {std::pair{0, "2-1"}, {1, "3-1"}, {2, "9-2"}, {5, "12-1"}}) {
    Enter(dialog, IDC_ODDS + row, odds);
  }
  const char* prices[] = {"5-2", "4-1", "8-1", "", "9/2", "5--2", "20", "EVEN"};
  for (int row = 0; row < 8; ++row) SetToteText(dialog.Tote(), row, prices[row]);
  const char* names[] = {"Secretariat", "Sea Bird", "Man o' War", "Zenyatta"};
  HorseIdentity* horses = ShownRace(dialog.KeptCard()).horses;
  for (int row = 0; row < 4; ++row) {
    SetFixedText(horses[row].program, row == 1 ? "1A" : std::to_string(row + 1));
    SetFixedText(horses[row].name, names[row]);
  }
  ToteDialog window(dialog.Surface(), dialog.Tote(), horses, dialog.KeptCard().money, &dialog);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  SaveArtifact(window, "qt-tote");
  QStringList statuses;
  for (int row = 1; row <= 8; ++row) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
      if (label->accessibleName() == QStringLiteral("Horse %1 status").arg(row))
        statuses << label->text();
    }
  }
  QCOMPARE(statuses.join(QLatin1Char(' ')), QStringLiteral("UNDER OVERLAY BET  UNDER ? BET UNDER"));
}

QTEST_MAIN(QtLayoutTest)
// A card whose horses have names: the main window grows a "Horse" column, wider by it and with
// bars as fine as before; a name longer than the column is cut, whole in its tip. The Card and
// tote windows show the same horses.
void QtLayoutTest::NamesWidenTheWindowByTheirColumn() {
  QtDialog& dialog = *m_dialog;
  dialog.Init();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  const QSize before = dialog.size();
  Card& card = dialog.KeptCard();
  SetFixedText(card.track, "Aqueduct");
  SetFixedText(card.date, "2026-12-09");
  const char* const names[] = {"Secretariat", "Sea Bird", "Man o' War", "<i>Bo</i> & Co",
                               "The Longest Name a Horse Could Ever Have"};
  for (int i = 0; i < 5; ++i) {
    HorseIdentity& horse = card.races[0]->horses[i];
    SetFixedText(horse.program, i == 1 ? "1A" : std::to_string(i + 1));
    SetFixedText(horse.name, names[i]);
    SetFixedText(horse.ml, "5-2");
  }
  dialog.ShowCardChanges();
  const auto named = [&dialog](int row) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
      if (label->accessibleName() == QStringLiteral("Horse %1 name").arg(row)) return label;
    }
    return static_cast<QLabel*>(nullptr);
  };
  QLabel* first = named(1);
  QLabel* longest = named(5);
  QVERIFY(first && longest && named(14));
  QTRY_VERIFY(first->isVisible() && dialog.width() >= before.width() + first->width());
  QCOMPARE(dialog.height(), before.height());
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Oddsmith — Aqueduct 2026-12-09 — Race 1"));
  const auto box = [&dialog](const QWidget* widget) { return InDialog(dialog, widget); };
  QVERIFY(box(dialog.Control(IDC_ROW_NUMBER)).right() < box(first).left());
  QVERIFY(box(first).right() < box(dialog.Control(IDC_ODDS)).left());
  for (int row = 0; row < ROW_COUNT; ++row) {
    const double units =
        UnitsPerPixel(qobject_cast<QScrollBar*>(dialog.Control(IDC_POOL_BAR + row)));
    QVERIFY2(units > 0 && units <= 45, QByteArray::number(units));
  }
  const QString whole = QStringLiteral("5 The Longest Name a Horse Could Ever Have");
  QCOMPARE(longest->toolTip(), whole);
  QCOMPARE(longest->accessibleDescription(), whole);
  QVERIFY2(longest->text() != whole && longest->text().endsWith(QChar(0x2026)),
           longest->text().toUtf8());
  QVERIFY(longest->fontMetrics().horizontalAdvance(longest->text()) <=
          longest->contentsRect().width());
  QCOMPARE(first->text(), QStringLiteral("1 Secretariat"));
  // A name that looks like markup is shown and tipped as the letters it is.
  QLabel* bold = named(4);
  QTextDocument tip;
  tip.setHtml(bold->toolTip());
  QCOMPARE(tip.toPlainText(), QStringLiteral("4 <i>Bo</i> & Co"));
  QCOMPARE(bold->text(), QStringLiteral("4 <i>Bo</i> & Co"));
  SaveArtifact(dialog, "qt-card-main");

  ToteDialog tote(dialog.Surface(), dialog.Tote(), ShownRace(card).horses, card.money, &dialog);
  tote.show();
  QVERIFY(QTest::qWaitForWindowExposed(&tote));
  SaveArtifact(tote, "qt-card-tote");
  tote.close();
  CardDialog window(
      card, dialog.Surface(), [] {}, &dialog);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  SaveArtifact(window, "qt-card-window");
}

#include "qt_layout_test.moc"
