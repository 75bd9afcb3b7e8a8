// The Qt tote window: widgets over the core's tote figures, which it rewrites after every edit.
#include "dialog/qt/tote_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <initializer_list>
#include <string_view>

#include "dialog/qt/dialog_layout.h"
#include "dialog/qt/name_label.h"
#include "dialog/qt/qt_text.h"
#include "tote/stakes.h"
#include "tote/tote_window.h"

namespace {

// The grid's columns, in the order of TOTE_COLUMNS.
enum Column {
  NUMBER,
  PROGRAM,
  NAME,
  FAIR,
  FAIR_ODDS,
  NEEDS,
  PRICE,
  OVERLAY,
  STATUS,
  PAYS,
  EV,
  STAKE
};

// The widest price a field shows whole; a longer one scrolls, as in any field.
constexpr char PRICE_SHAPE[] = "####-####";

QString Horse(int row, const char* what) {
  return QStringLiteral("Horse %1 %2").arg(row + 1).arg(QLatin1String(what));
}

QLabel* MakeFigure(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setAccessibleName(name);
  return label;
}

// Room in label for the widest of shapes (as Widest takes them), whatever it is told to show,
// so that the window keeps its size as the figures change. A label rounds a fractional width
// up, which can take a pixel more.
void FitLabel(QLabel* label, std::initializer_list<const char*> shapes) {
  label->ensurePolished();
  const QFontMetrics metrics = label->fontMetrics();
  int width = 0;
  for (const char* shape : shapes) width = qMax(width, TextWidth(metrics, Widest(metrics, shape)));
  const QMargins margins = label->contentsMargins();
  label->setMinimumWidth(margins.left() + margins.right() + width + 1);
}

// Writes a figure. Screen readers hear a label by its name ("Horse 3 fair") and no longer by
// its text, so the figure itself goes to them as its description.
void Show(QLabel* figure, const QString& text) {
  if (figure->text() == text) return;
  figure->setText(text);
  figure->setAccessibleDescription(text);
}

// The figures' texts are ASCII, the core's tables and tips UTF-8.
QString FromCore(const char* text) { return QString::fromUtf8(text); }

}  // namespace

ToteDialog::ToteDialog(DialogSurface& main, ToteState& tote, const HorseIdentity* horses,
                       ToteMoney& money, QWidget* parent)
    : QDialog(parent), m_main(main), m_tote(tote), m_horses(horses), m_money(money) {
  setWindowTitle(QString::fromLatin1(TOTE_CAPTION));
  MakeRows();
  MakeFooter();
  Fit();
  Refresh();
  // The first price, so that the user can type at once.
  if (!m_rows.isEmpty()) m_rows.first().price->setFocus(Qt::OtherFocusReason);
}

void ToteDialog::MakeRows() {
  auto* table = new QGridLayout;
  for (int column = 0; column < TOTE_COLUMN_COUNT; ++column) {
    auto* heading = new QLabel(QString::fromLatin1(TOTE_COLUMNS[column].heading), this);
    heading->setTextFormat(Qt::PlainText);
    // Over its figures: the typed price, the status and who the horse is, which are words, on
    // the left.
    const bool words = column == PRICE || column == STATUS || column == PROGRAM || column == NAME;
    heading->setAlignment((words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    table->addWidget(heading, 0, column);
  }
  int rows[ROW_COUNT];
  const int count = ToteWindowRows(m_main, rows);
  for (int i = 0; i < count; ++i) {
    const int row = rows[i];
    auto* number = MakeFigure(this, QStringLiteral("Horse %1").arg(row + 1));
    Show(number, QString::number(row + 1));
    auto* price = new QLineEdit(this);
    price->setMaxLength(TOTE_TEXT_MAX);
    const std::string_view text = ToteText(m_tote, row);
    price->setText(FromDialogBytes(text.data(), static_cast<qsizetype>(text.size())));
    price->setAccessibleName(Horse(row, "tote price"));
    // From the user alone: every keystroke, paste and undo, never the window's own writes.
    connect(price, &QLineEdit::textEdited, this, [this, row](const QString& typed) {
      const QByteArray bytes = ToDialogBytes(typed);
      SetToteText(m_tote, row,
                  std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      Refresh();
    });
    const Row line{row,
                   price,
                   MakeFigure(this, Horse(row, "fair")),
                   MakeFigure(this, Horse(row, "fair odds")),
                   MakeFigure(this, Horse(row, "needs")),
                   MakeFigure(this, Horse(row, "overlay")),
                   MakeFigure(this, Horse(row, "status")),
                   MakeFigure(this, Horse(row, "pays")),
                   MakeFigure(this, Horse(row, "EV")),
                   MakeFigure(this, Horse(row, "stake"))};
    line.status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Who the horse is, when the card knows: the program number whole, the name cut to the
    // column with the whole of it in the tip.
    QLabel* program = MakeFigure(this, Horse(row, "program number"));
    program->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* name = new NameLabel(16, this);
    name->setAccessibleName(Horse(row, "name"));
    if (m_horses) {
      char part[3 * HORSE_NAME_MAX + 1];
      TextBuilder programText(part, sizeof part);
      AddIdentityPart(programText, m_horses[row].program);
      Show(program, QString::fromUtf8(part));
      TextBuilder nameText(part, sizeof part);
      AddIdentityPart(nameText, m_horses[row].name);
      name->SetName(QString::fromUtf8(part));
    }
    QWidget* const cells[TOTE_COLUMN_COUNT] = {number,        program,    name,       line.fair,
                                               line.fairOdds, line.needs, line.price, line.overlay,
                                               line.status,   line.pays,  line.ev,    line.stake};
    for (int column = 0; column < TOTE_COLUMN_COUNT; ++column) {
      table->addWidget(cells[column], i + 1, column);
    }
    m_rows.append(line);
  }
  // Rows as close as a table's, as in the main dialog.
  table->setVerticalSpacing(style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing) / 2);

  auto* page = new QVBoxLayout(this);
  // The window is as large as its contents and follows them when the font changes: every
  // figure always has the room for its widest text.
  page->setSizeConstraint(QLayout::SetFixedSize);
  page->addLayout(table);
}

void ToteDialog::MakeFooter() {
  // A percentage with arrows, named for screen readers, its label's mnemonic going to it.
  const auto percentBox = [this](QLabel* label, int low, int high, int step, int value,
                                 const char* name) {
    auto* box = new QSpinBox(this);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setSuffix(QString::fromLatin1(TOTE_EDGE_SUFFIX));
    box->setAlignment(Qt::AlignRight);
    box->setValue(value);
    box->setAccessibleName(QString::fromLatin1(name));
    label->setBuddy(box);
    return box;
  };
  auto* edgeLabel = new QLabel(QString::fromLatin1(TOTE_EDGE_LABEL), this);
  m_edge = percentBox(edgeLabel, 0, EDGE_MAX, TOTE_EDGE_STEP, m_tote.edge, "Required edge");
  // Connected once the box shows the tote's edge, so that only the user's changes come here;
  // with keyboard tracking each keystroke is one.
  connect(m_edge, &QSpinBox::valueChanged, this, [this](int value) {
    m_tote.edge = value;
    Refresh();
  });

  auto* summary = new QHBoxLayout;
  summary->addWidget(edgeLabel);
  summary->addWidget(m_edge);
  summary->addStretch(1);
  const auto race = [this, summary](const char* label, const char* name) {
    auto* caption = new QLabel(QString::fromLatin1(label), this);
    caption->setTextFormat(Qt::PlainText);
    QLabel* value = MakeFigure(this, QString::fromLatin1(name));
    value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);  // beside its caption
    summary->addSpacing(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing));
    summary->addWidget(caption);
    summary->addWidget(value);
    return value;
  };
  m_book = race(TOTE_BOOK_LABEL, "Tote book");
  m_take = race(TOTE_TAKE_LABEL, "Take");
  m_bets = race(TOTE_BETS_LABEL, "Bets");

  // The day's money, the card's for every race: digits only, empty for none.
  auto* money = new QHBoxLayout;
  auto* bankrollLabel = new QLabel(QString::fromLatin1(TOTE_BANKROLL_LABEL), this);
  m_bankroll = new QLineEdit(this);
  m_bankroll->setMaxLength(8);
  m_bankroll->setValidator(new QIntValidator(0, static_cast<int>(BANKROLL_MAX), m_bankroll));
  m_bankroll->setAlignment(Qt::AlignRight);
  m_bankroll->setAccessibleName(QStringLiteral("Bankroll in dollars"));
  if (m_money.bankroll >= 0) m_bankroll->setText(QString::number(m_money.bankroll));
  bankrollLabel->setBuddy(m_bankroll);
  connect(m_bankroll, &QLineEdit::textEdited, this, [this](const QString& typed) {
    bool number = false;
    const long long dollars = typed.toLongLong(&number);
    m_money.bankroll = number && dollars >= 0 && dollars <= BANKROLL_MAX ? dollars : NO_BANKROLL;
    Refresh();
  });
  auto* kellyLabel = new QLabel(QString::fromLatin1(TOTE_KELLY_LABEL), this);
  m_kelly = percentBox(kellyLabel, KELLY_MIN, KELLY_MAX, TOTE_KELLY_STEP, m_money.kelly,
                       "Kelly fraction");
  connect(m_kelly, &QSpinBox::valueChanged, this, [this](int value) {
    m_money.kelly = value;
    Refresh();
  });
  money->addWidget(bankrollLabel);
  money->addWidget(m_bankroll);
  money->addSpacing(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing));
  money->addWidget(kellyLabel);
  money->addWidget(m_kelly);
  money->addStretch(1);

  // Enter closes the window from anywhere (keyPressEvent), so no button may take it for itself;
  // Space presses the focused one.
  const auto button = [this](const char* text) {
    auto* pushed = new QPushButton(QString::fromLatin1(text), this);
    pushed->setAutoDefault(false);
    return pushed;
  };
  QPushButton* clear = button(TOTE_CLEAR_TEXT);
  QPushButton* copy = button(TOTE_COPY_TEXT);
  QPushButton* close = button(TOTE_CLOSE_TEXT);
  close->setDefault(true);
  connect(clear, &QPushButton::clicked, this, &ToteDialog::Clear);
  connect(copy, &QPushButton::clicked, this, &ToteDialog::Copy);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(clear);
  buttons->addWidget(copy);
  buttons->addWidget(close);

  auto* page = qobject_cast<QVBoxLayout*>(layout());
  page->addLayout(summary);
  page->addLayout(money);
  page->addLayout(buttons);
}

void ToteDialog::Fit() {
  for (const Row& row : std::as_const(m_rows)) {
    row.price->ensurePolished();
    row.price->setFixedWidth(FieldWidth(*row.price, Widest(row.price->fontMetrics(), PRICE_SHAPE)));
    FitLabel(row.fair, {"###.#%"});
    FitLabel(row.fairOdds, {"#######.#"});
    FitLabel(row.needs, {"over ##-#"});
    FitLabel(row.overlay, {"+######.#%"});
    FitLabel(row.status, {"OVERLAY", "UNDER", "BET", "?"});
    FitLabel(row.pays, {"#####.##"});
    FitLabel(row.ev, {"+#####.##"});
    FitLabel(row.stake, {"$########"});
  }
  FitLabel(m_book, {"####.##%", "incomplete"});
  FitLabel(m_take, {"-#######.#%"});
  FitLabel(m_bets, {"##", "PASS"});
}

void ToteDialog::Refresh() {
  long long stakes[ROW_COUNT];
  FigureStakes(m_main, m_tote, m_money.bankroll, m_money.kelly, stakes);
  for (const Row& row : std::as_const(m_rows)) {
    char stake[32];
    FormatStake(stakes[row.row], stake, sizeof stake);
    Show(row.stake, FromCore(stake));
    const ToteHorse horse = FigureToteRow(m_main, m_tote, row.row);
    Show(row.fair, FromCore(horse.fair));
    Show(row.fairOdds, FromCore(horse.fairOdds));
    Show(row.needs, FromCore(horse.needs));
    Show(row.overlay, FromCore(horse.overlay));
    Show(row.pays, FromCore(horse.pays));
    Show(row.ev, FromCore(horse.ev));
    const QString status = FromCore(ToteStatusText(horse.status));
    if (row.status->text() != status) {
      Show(row.status, status);
      // Beside the text, never instead of it; a palette of its own only where it has a colour.
      QPalette palette;
      const ToteColour colour = ToteStatusColour(horse.status);
      if (colour.own) {
        palette.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
      }
      row.status->setPalette(palette);
    }
    row.price->setToolTip(horse.status == ToteStatus::INVALID ? FromCore(TotePriceHelp())
                                                              : QString());
  }
  const ToteRace race = FigureToteRace(m_main, m_tote);
  Show(m_book, FromCore(race.book));
  Show(m_take, FromCore(race.take));
  Show(m_bets, FromCore(race.bets));
}

void ToteDialog::Clear() {
  // Every horse's price, those outside the book too, as the runner's "tote clear"; the edge
  // stays.
  ToteState cleared;
  cleared.edge = m_tote.edge;
  m_tote = cleared;
  for (const Row& row : std::as_const(m_rows)) row.price->clear();
  Refresh();
}

void ToteDialog::Copy() { PutOnClipboard(CopyToteTable(m_main, m_tote, m_horses, "\n", m_money)); }

void ToteDialog::keyPressEvent(QKeyEvent* event) {
  // The fields and the spin box pass Enter on, and no button takes it (none is autoDefault).
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape comes back as reject()
}

void ToteDialog::changeEvent(QEvent* event) {
  const bool font = event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
  if (font && m_bets) Fit();  // not while the constructor is still making the widgets
  QDialog::changeEvent(event);
}
