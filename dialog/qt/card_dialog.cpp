// The Qt Card window: fields over the card, which they change as they are typed in.
#include "dialog/qt/card_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstddef>
#include <string_view>

#include "card/card_window.h"
#include "dialog/qt/line_files.h"
#include "dialog/qt/qt_text.h"
#include "entries/entries.h"

namespace {

// A field for a text of at most limit bytes, one a character (qt_text.h).
QLineEdit* MakeField(QWidget* parent, std::size_t limit, const QString& name) {
  auto* field = new QLineEdit(parent);
  field->setMaxLength(static_cast<int>(limit));
  field->setAccessibleName(name);
  return field;
}

QString Shown(const char* bytes) { return FromDialogBytes(bytes); }

// The field's text as the card keeps it, cut at the array's limit.
template <std::size_t N>
void Keep(char (&kept)[N], const QString& typed) {
  const QByteArray bytes = ToDialogBytes(typed);
  SetFixedText(kept, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QLabel* MakeLabel(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

CardDialog::CardDialog(Card& card, DialogSurface& main, std::function<void()> changed,
                       QWidget* parent)
    : QDialog(parent), m_card(card), m_main(main), m_changed(std::move(changed)) {
  setWindowTitle(QString::fromLatin1(CARD_CAPTION));
  MakeFields();
  FillList(card.shown);
  m_track->setFocus(Qt::OtherFocusReason);
}

void CardDialog::MakeFields() {
  m_track = MakeField(this, TRACK_MAX, QStringLiteral("Track"));
  m_date = MakeField(this, DATE_MAX, QStringLiteral("Date"));
  m_date->setMinimumWidth(m_date->fontMetrics().horizontalAdvance(QStringLiteral("2026-12-09WW")));
  m_track->setText(Shown(m_card.track));
  m_date->setText(Shown(m_card.date));
  // From the user alone: every keystroke, paste and undo.
  connect(m_track, &QLineEdit::textEdited, this, [this](const QString& typed) {
    Keep(m_card.track, typed);
    m_changed();
  });
  connect(m_date, &QLineEdit::textEdited, this, [this](const QString& typed) {
    Keep(m_card.date, typed);
    m_changed();
  });
  auto* day = new QHBoxLayout;
  day->addWidget(MakeLabel(CARD_TRACK_LABEL, m_track, this));
  day->addWidget(m_track, 3);
  day->addWidget(MakeLabel(CARD_DATE_LABEL, m_date, this));
  day->addWidget(m_date, 1);

  m_list = new QTreeWidget(this);
  m_list->setAccessibleName(QStringLiteral("Races"));
  m_list->setRootIsDecorated(false);
  m_list->setColumnCount(CARD_LIST_COLUMN_COUNT);
  QStringList headings;
  for (const char* heading : CARD_LIST_HEADINGS) headings << QString::fromLatin1(heading);
  m_list->setHeaderLabels(headings);
  m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) ShowHorses(item->data(0, Qt::UserRole).toInt());
  });
  // Buttons that never take Enter for themselves: Enter closes the window from anywhere.
  const auto button = [this](const char* text) {
    auto* pushed = new QPushButton(QString::fromLatin1(text), this);
    pushed->setAutoDefault(false);
    return pushed;
  };
  QPushButton* add = button(CARD_ADD_TEXT);
  m_remove = button(CARD_REMOVE_TEXT);
  QPushButton* show = button(CARD_SHOW_TEXT);
  QPushButton* import = button(IMPORT_BUTTON_TEXT);
  connect(import, &QPushButton::clicked, this, [this] {
    if (!ImportEntriesChosen(this, m_main, m_card)) return;
    m_track->setText(Shown(m_card.track));
    m_date->setText(Shown(m_card.date));
    FillList(m_race);
    m_changed();
  });
  connect(add, &QPushButton::clicked, this, &CardDialog::AddRace);
  connect(m_remove, &QPushButton::clicked, this, &CardDialog::RemoveSelected);
  connect(show, &QPushButton::clicked, this, &CardDialog::ShowSelected);
  auto* actions = new QHBoxLayout;
  actions->addWidget(add);
  actions->addWidget(m_remove);
  actions->addWidget(show);
  actions->addStretch(1);
  actions->addWidget(import);

  m_label = MakeField(this, LABEL_MAX, QString());
  connect(m_label, &QLineEdit::textEdited, this, [this](const QString& typed) {
    if (Race* race = FindRace(m_card, m_race)) Keep(race->label, typed);
    ShowSelectedSummary();
    m_changed();
  });
  auto* labelRow = new QHBoxLayout;
  labelRow->addWidget(MakeLabel(CARD_LABEL_LABEL, m_label, this));
  labelRow->addWidget(m_label, 1);

  auto* horses = new QGridLayout;
  for (int column = 0; column < CARD_HORSE_COLUMN_COUNT; ++column) {
    horses->addWidget(new QLabel(QString::fromLatin1(CARD_HORSE_HEADINGS[column]), this), 0,
                      column + 1);
  }
  const std::size_t limits[CARD_HORSE_COLUMN_COUNT] = {PROGRAM_MAX, HORSE_NAME_MAX,
                                                       MORNING_LINE_MAX};
  for (int row = 0; row < ROW_COUNT; ++row) {
    horses->addWidget(new QLabel(QString::number(row + 1), this), row + 1, 0);
    for (int column = 0; column < CARD_HORSE_COLUMN_COUNT; ++column) {
      QLineEdit* field = MakeField(this, limits[column], QString());
      connect(field, &QLineEdit::textEdited, this, [this, row, column](const QString& typed) {
        Race* race = FindRace(m_card, m_race);
        if (!race) return;
        HorseIdentity& horse = race->horses[row];
        if (column == 0) Keep(horse.program, typed);
        if (column == 1) Keep(horse.name, typed);
        if (column == 2) Keep(horse.ml, typed);
        ShowSelectedSummary();
        m_changed();
      });
      // A program number and a morning line are short: room for their longest; the name
      // takes the rest, and room for a name of some length.
      const QFontMetrics metrics = field->fontMetrics();
      if (column == 1) {
        field->setMinimumWidth(metrics.averageCharWidth() * 28);
      } else {
        field->setFixedWidth(metrics.horizontalAdvance(
            QString(static_cast<int>(limits[column]) + 2, QLatin1Char('W'))));
      }
      horses->addWidget(field, row + 1, column + 1);
      m_horses[row][column] = field;
    }
  }
  horses->setColumnStretch(2, 1);
  horses->setVerticalSpacing(style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing) / 2);

  QPushButton* close = button(CARD_CLOSE_TEXT);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  closing->addWidget(close);

  auto* page = new QVBoxLayout(this);
  page->addLayout(day);
  page->addWidget(m_list);
  page->addLayout(actions);
  page->addLayout(labelRow);
  page->addLayout(horses);
  page->addLayout(closing);
}

void CardDialog::FillList(int r) {
  // Rebuilt whole: a card holds at most 40 races.
  const QSignalBlocker quiet(m_list);
  m_list->clear();
  QTreeWidgetItem* selected = nullptr;
  for (int number = 1; number <= RACE_MAX; ++number) {
    if (!FindRace(m_card, number)) continue;
    auto* item = new QTreeWidgetItem(m_list);
    item->setData(0, Qt::UserRole, number);
    for (int column : {2, 3, 4}) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    ShowSummary(item, number);
    if (number == r) selected = item;
  }
  if (selected) m_list->setCurrentItem(selected);
  m_remove->setEnabled(RaceCount(m_card) > 1);
  ShowHorses(selected ? r : m_card.shown);
}

void CardDialog::ShowSummary(QTreeWidgetItem* item, int r) {
  const CardListRow cells = CardListCells(m_card, m_main, r);
  for (int column = 0; column < CARD_LIST_COLUMN_COUNT; ++column) {
    item->setText(column, QString::fromStdString(cells[static_cast<std::size_t>(column)]));
  }
}

void CardDialog::ShowSelectedSummary() {
  // Only the race's own row: the fields keep what is being typed in them, as typed.
  for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = m_list->topLevelItem(i);
    if (item->data(0, Qt::UserRole).toInt() == m_race) ShowSummary(item, m_race);
  }
}

void CardDialog::ShowHorses(int r) {
  const Race* race = FindRace(m_card, r);
  if (!race) return;
  const bool other = r != m_race;
  m_race = r;
  // The fields show the race as kept; while one is typed in, its own text is left alone.
  const auto show = [](QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
  };
  show(m_label, Shown(race->label));
  m_label->setAccessibleName(QStringLiteral("Race %1 label").arg(r));
  for (int row = 0; row < ROW_COUNT; ++row) {
    const HorseIdentity& horse = race->horses[row];
    const char* const parts[CARD_HORSE_COLUMN_COUNT] = {horse.program, horse.name, horse.ml};
    for (int column = 0; column < CARD_HORSE_COLUMN_COUNT; ++column) {
      QLineEdit* field = m_horses[row][column];
      show(field, Shown(parts[column]));
      if (other) {
        field->setAccessibleName(QString::fromStdString(CardFieldName(r, row, column)));
      }
    }
  }
}

void CardDialog::AddRace() {
  const int r = FreeRace(m_card);
  if (r == 0) {
    QApplication::beep();
    return;
  }
  ShowRace(m_card, m_main, r);
  FillList(r);
  m_changed();
}

void CardDialog::RemoveSelected() {
  const int r = m_race;
  if (RaceCount(m_card) == 1) return;
  // No unless the user says so: Enter anywhere else in this window closes it.
  if (RaceIsWorkedOn(m_card, m_main, r) &&
      QMessageBox::question(
          this, QString::fromLatin1(CARD_CAPTION), QString::fromStdString(RemoveRaceQuestion(r)),
          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
    return;
  }
  RemoveRace(m_card, m_main, r);
  FillList(m_card.shown);
  m_changed();
}

void CardDialog::ShowSelected() {
  ShowRace(m_card, m_main, m_race);
  FillList(m_race);
  m_changed();
}

void CardDialog::keyPressEvent(QKeyEvent* event) {
  // The fields and the list pass Enter on, and no button takes it (none is autoDefault).
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape comes back as reject()
}
