#include "dialog/qt/exotics_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "book/board.h"
#include "book/book.h"
#include "dialog/qt/qt_text.h"

namespace {

constexpr int TABLE_COLUMNS = 4;
constexpr int DEFAULT_BASE = 3;  // $2, the usual exacta and Pick N base

// A label named for screen readers tells its text as its description, as the tote's figures do.
void Tell(QLabel* label, const QString& text) {
  label->setText(text);
  label->setAccessibleDescription(text);
  label->setHidden(text.isEmpty());
}

}  // namespace

ExoticsDialog::ExoticsDialog(Card& card, DialogSurface& surface, QWidget* parent)
    : QDialog(parent), m_card(card), m_surface(surface) {
  setWindowTitle(QString::fromLatin1(EXOTICS_CAPTION));
  MakeWindow();
  ShowPositions();
  Price();
  m_type->setFocus(Qt::OtherFocusReason);
}

void ExoticsDialog::MakeWindow() {
  auto* page = new QVBoxLayout(this);
  auto* choice = new QHBoxLayout;
  auto* typeLabel = new QLabel(QString::fromLatin1(EXOTICS_TYPE_LABEL), this);
  m_type = new QComboBox(this);
  for (int n = 0; n < BET_TYPE_COUNT; ++n) {
    m_type->addItem(QString::fromLatin1(InfoOf(static_cast<BetType>(n)).name));
  }
  m_type->setAccessibleName(QStringLiteral("Bet type"));
  typeLabel->setBuddy(m_type);
  auto* baseLabel = new QLabel(QString::fromLatin1(EXOTICS_BASE_LABEL), this);
  m_base = new QComboBox(this);
  for (const int cents : BASE_CENTS) m_base->addItem(QString::fromStdString(FormatBase(cents)));
  m_base->setCurrentIndex(DEFAULT_BASE);
  m_base->setAccessibleName(QStringLiteral("Base amount"));
  baseLabel->setBuddy(m_base);
  choice->addWidget(typeLabel);
  choice->addWidget(m_type);
  choice->addSpacing(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing) * 2);
  choice->addWidget(baseLabel);
  choice->addWidget(m_base);
  choice->addStretch(1);
  page->addLayout(choice);
  connect(m_type, &QComboBox::currentIndexChanged, this, [this] {
    ShowPositions();
    Price();
  });
  connect(m_base, &QComboBox::currentIndexChanged, this, &ExoticsDialog::Price);

  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing) / 2);
  for (int m = 0; m < POSITION_MAX; ++m) {
    Position& position = m_positions[m];
    position.heading = new QLabel(this);
    position.heading->setTextFormat(Qt::PlainText);
    grid->addWidget(position.heading, m, 0);
    position.all = new QCheckBox(QString::fromLatin1(EXOTICS_ALL_TEXT), this);
    grid->addWidget(position.all, m, 1);
    connect(position.all, &QCheckBox::clicked, this, [this, m](bool on) {
      for (QCheckBox* box : m_positions[m].horses) {
        if (box->isEnabled() && box->isVisible()) box->setChecked(on);
      }
      Price();
    });
    for (int i = 0; i < ROW_COUNT; ++i) {
      auto* box = new QCheckBox(this);
      position.horses[i] = box;
      grid->addWidget(box, m, i + 2);
      connect(box, &QCheckBox::clicked, this, &ExoticsDialog::Price);
    }
  }
  page->addLayout(grid);

  m_summary = new QLabel(this);
  m_summary->setTextFormat(Qt::PlainText);
  m_summary->setAccessibleName(QStringLiteral("Ticket"));
  m_listed = new QLabel(this);
  m_listed->setTextFormat(Qt::PlainText);
  m_listed->setAccessibleName(QStringLiteral("Listed"));
  page->addWidget(m_summary);
  page->addWidget(m_listed);

  m_table = new QTableWidget(0, TABLE_COLUMNS, this);
  m_table->setHorizontalHeaderLabels({QStringLiteral("Combination"), QStringLiteral("Chance"),
                                      QStringLiteral("Fair"), QStringLiteral("Needs")});
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setTabKeyNavigation(false);  // Tab goes on to the buttons, not from cell to cell
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() * 3 / 2);
  // The combination takes the room left; the figures are as wide as their texts.
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  m_table->setAccessibleName(QStringLiteral("Combinations"));
  m_table->setMinimumHeight(fontMetrics().height() * 14);
  page->addWidget(m_table, 1);

  // Enter closes the window from anywhere (keyPressEvent), so no button takes it for itself.
  auto* copy = new QPushButton(QString::fromLatin1(EXOTICS_COPY_TEXT), this);
  copy->setAutoDefault(false);
  auto* close = new QPushButton(QString::fromLatin1(EXOTICS_CLOSE_TEXT), this);
  close->setAutoDefault(false);
  close->setDefault(true);
  connect(copy, &QPushButton::clicked, this, &ExoticsDialog::Copy);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(copy);
  buttons->addWidget(close);
  page->addLayout(buttons);
}

void ExoticsDialog::ShowPositions() {
  const auto type = static_cast<BetType>(m_type->currentIndex());
  const BetTypeInfo& info = InfoOf(type);
  for (int m = 0; m < POSITION_MAX; ++m) {
    Position& position = m_positions[m];
    const bool used = m < info.positions;
    const int r = m_card.shown + (info.legs ? m : 0);
    const Race* race = used && r <= RACE_MAX ? FindRace(m_card, r) : nullptr;
    std::string heading = PositionHeading(type, m, r);
    if (used && !race) heading += " (not on the card)";
    position.heading->setText(QString::fromStdString(heading));
    position.heading->setVisible(used);
    position.all->setVisible(used && race);
    const QString name = QString::fromStdString(PositionName(type, m));
    position.all->setAccessibleName(name + QStringLiteral(" all horses"));
    int horses = 0;
    const ExoticRace field = race ? RaceOfCard(m_card, m_surface, r, horses) : ExoticRace();
    for (int i = 0; i < ROW_COUNT; ++i) {
      QCheckBox* box = position.horses[i];
      const QString label = QString::fromStdString(HorseLabel(race ? race->horses : nullptr, i));
      box->setText(QString::fromStdString(WithoutMnemonic(label.toStdString())));
      box->setAccessibleName(name + QStringLiteral(" horse ") + label);
      box->setVisible(race && i < horses);
      box->setEnabled(field.runs[i]);
      if (!field.runs[i]) box->setChecked(false);  // a scratched horse cannot be chosen
    }
  }
}

Ticket ExoticsDialog::Chosen() const {
  Ticket ticket;
  ticket.type = static_cast<BetType>(m_type->currentIndex());
  ticket.baseCents = BASE_CENTS[m_base->currentIndex()];
  for (int m = 0; m < InfoOf(ticket.type).positions; ++m) {
    for (int i = 0; i < ROW_COUNT; ++i) {
      const QCheckBox* box = m_positions[m].horses[i];
      if (box->isChecked() && box->isEnabled())
        ticket.sets[m] |= static_cast<std::uint16_t>(1U << i);
    }
  }
  return ticket;
}

void ExoticsDialog::Price() {
  const Ticket ticket = Chosen();
  const BetTypeInfo& info = InfoOf(ticket.type);
  for (int m = 0; m < info.positions; ++m) {
    bool all = true;
    bool any = false;
    for (const QCheckBox* box : m_positions[m].horses) {
      if (!box->isEnabled() || box->isHidden()) continue;
      any = true;
      all = all && box->isChecked();
    }
    m_positions[m].all->setChecked(any && all);
  }
  const char* missing = TicketIncomplete(m_card, ticket);
  const char* error = missing ? missing : PriceCardTicket(m_card, m_surface, ticket, m_price);
  m_priced = !error;
  m_table->setRowCount(0);
  Tell(m_listed, QString());
  if (!m_priced) {
    QString why = QString::fromLatin1(error);
    why[0] = why[0].toUpper();
    Tell(m_summary, why);
    return;
  }
  Tell(m_summary, QString::fromStdString(TicketSummary(m_price)));
  Tell(m_listed, QString::fromStdString(TicketListed(m_price)));
  m_table->setRowCount(static_cast<int>(m_price.listed.size()));
  int row = 0;
  for (const ExoticCombination& combination : m_price.listed) {
    const std::string cells[TABLE_COLUMNS] = {CombinationHorses(m_card, ticket.type, combination),
                                              combination.chance, combination.fair,
                                              combination.needs};
    for (int column = 0; column < TABLE_COLUMNS; ++column) {
      auto* item = new QTableWidgetItem(QString::fromStdString(cells[column]));
      if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      m_table->setItem(row, column, item);
    }
    ++row;
  }
}

void ExoticsDialog::Copy() {
  if (!m_priced) return;
  PutOnClipboard(CopyTicketTable(m_card, Chosen().type, m_price, "\n"));
}

QString ExoticsDialog::Summary() const { return m_summary->text(); }

void ExoticsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
