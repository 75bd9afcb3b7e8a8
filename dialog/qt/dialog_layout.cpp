// The main dialog's layout: Qt's layouts over the template's controls, sized from the font.
#include "dialog/qt/dialog_layout.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>
#include <QVBoxLayout>

#include "resources/columns.h"

namespace {

// QLineEdit's own space between its contents rectangle and its text, each side (a private
// constant of Qt's).
constexpr int LINE_EDIT_MARGIN = 2;
// The frame drawn around "Race Info" and its fields.
constexpr int GROUP_FRAME_WIDTH = 1;

// A column of the table: its heading and its 14 controls, placed in their cells as align
// says (none: the control fills the cell). The headings of the bars and boxes, which are
// not texts, stand centred over them.
struct Column {
  int grid;  // the grid's column; the names' column stays empty until it is filled
  int head;
  int base;
  Qt::Alignment align;
};
const Column COLUMNS[] = {
    {0, IDC_ROW_HEAD, IDC_ROW_NUMBER, {}},
    {NAME_GRID_COLUMN + 1, IDC_ODDS_HEAD, IDC_ODDS, {}},
    {NAME_GRID_COLUMN + 2, IDC_WIN_HEAD, IDC_WIN_PCT, {}},
    {NAME_GRID_COLUMN + 3, IDC_POOLS_HEAD, IDC_POOL_BAR, Qt::AlignVCenter},
    {NAME_GRID_COLUMN + 4, IDC_LOCK_HEAD, IDC_LOCK, Qt::AlignCenter},
    {NAME_GRID_COLUMN + 5, IDC_SCR_HEAD, IDC_SCRATCH, Qt::AlignCenter},
};
// The column of the bars, which takes every pixel of width the other columns leave.
constexpr int BAR_COLUMN = NAME_GRID_COLUMN + 3;

// Sizes the controls whose room depends on the font: the fields and figures to their widest
// content, the bars to the rows' height and their shortest travel. Again on every change of the
// window's font or style, which Qt's layouts follow by themselves for the other controls.
class Fitter final : public QObject {
 public:
  Fitter(QWidget& window, const ControlTable& controls) : QObject(&window), m_controls(controls) {
    window.installEventFilter(this);
    Fit();
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) Fit();
    return false;
  }

 private:
  QWidget* At(int id) const { return m_controls.at(static_cast<std::size_t>(id - IDC_FIRST)); }

  void FitField(int id, const char* shape) const {
    auto* edit = qobject_cast<QLineEdit*>(At(id));
    edit->ensurePolished();
    edit->setFixedWidth(FieldWidth(*edit, Widest(edit->fontMetrics(), shape)));
  }

  void Fit() const {
    FitField(IDC_LINE, "###");
    FitField(IDC_HORSES, "##");
    for (int row = 0; row < ROW_COUNT; ++row) {
      auto* odds = qobject_cast<QLineEdit*>(At(IDC_ODDS + row));
      odds->ensurePolished();
      const QFontMetrics metrics = odds->fontMetrics();
      odds->setFixedWidth(qMax(FieldWidth(*odds, Widest(metrics, "##.#")),
                               FieldWidth(*odds, Widest(metrics, "-#.#"))));

      QWidget* figure = At(IDC_WIN_PCT + row);
      figure->ensurePolished();
      const QMargins margins = figure->contentsMargins();
      figure->setMinimumWidth(
          margins.left() + margins.right() +
          TextWidth(figure->fontMetrics(), Widest(figure->fontMetrics(), "###.#%")));

      // A bar as tall as the field beside it; its arrows and thumb are squares of that height.
      QWidget* bar = At(IDC_POOL_BAR + row);
      const int height = odds->sizeHint().height();
      bar->setFixedHeight(height);
      bar->setMinimumWidth(BAR_MIN_TRAVEL + 3 * height);
    }
  }

  ControlTable m_controls;
};

QRect GroupTitle(const QStyleOptionGroupBox& group, const QStyle& style, const QWidget* widget) {
  const QFontMetrics& metrics = group.fontMetrics;
  const QPoint at(
      GROUP_FRAME_WIDTH + style.pixelMetric(QStyle::PM_LayoutLeftMargin, &group, widget),
      GROUP_FRAME_WIDTH + style.pixelMetric(QStyle::PM_LayoutTopMargin, &group, widget) / 2);
  return QRect(group.rect.topLeft() + at, QSize(TextWidth(metrics, group.text), metrics.height()));
}

}  // namespace

QString Widest(const QFontMetrics& metrics, const char* shape) {
  QChar digit = QLatin1Char('0');
  for (char c = '1'; c <= '9'; ++c) {
    if (metrics.horizontalAdvance(QLatin1Char(c)) > metrics.horizontalAdvance(digit)) {
      digit = QLatin1Char(c);
    }
  }
  return QString::fromLatin1(shape).replace(QLatin1Char('#'), digit);
}

int TextWidth(const QFontMetrics& metrics, const QString& text) {
  return qMax(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

int FieldWidth(const QLineEdit& edit, const QString& text) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = QRect(0, 0, 100, edit.sizeHint().height());
  option.lineWidth =
      edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const int frame =
      option.rect.width() -
      edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit).width();
  const int caret = edit.style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, &edit);
  const QFontMetrics metrics = edit.fontMetrics();
  const QMargins margins = edit.textMargins();
  return frame + margins.left() + margins.right() + 2 * LINE_EDIT_MARGIN +
         TextWidth(metrics, text) + qMax(caret, 1) + 1 +
         metrics.horizontalAdvance(QLatin1Char(' '));
}

QRect ControlStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                   SubControl part, const QWidget* widget) const {
  const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || !group || group->text.isEmpty()) {
    return BarStyle::subControlRect(control, option, part, widget);
  }
  const QRect title = GroupTitle(*group, *this, widget);
  switch (part) {
    case SC_GroupBoxFrame: return group->rect;
    case SC_GroupBoxLabel: return title;
    case SC_GroupBoxContents:
      return group->rect.adjusted(GROUP_FRAME_WIDTH, title.bottom() + 1 - group->rect.top(),
                                  -GROUP_FRAME_WIDTH, -GROUP_FRAME_WIDTH);
    default: return BarStyle::subControlRect(control, option, part, widget);
  }
}

void ControlStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
  const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || !group || group->text.isEmpty()) {
    BarStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  // A line of the palette's frame colour along each edge, filled rather than stroked: a stroke
  // on the edge of a widget at a fractional scale's half-pixel position may not be drawn.
  const QRect edge = group->rect;
  const QColor colour = group->palette.color(QPalette::Mid);
  painter->fillRect(QRect(edge.topLeft(), QSize(edge.width(), GROUP_FRAME_WIDTH)), colour);
  painter->fillRect(QRect(edge.bottomLeft() - QPoint(0, GROUP_FRAME_WIDTH - 1),
                          QSize(edge.width(), GROUP_FRAME_WIDTH)),
                    colour);
  painter->fillRect(QRect(edge.topLeft(), QSize(GROUP_FRAME_WIDTH, edge.height())), colour);
  painter->fillRect(QRect(edge.topRight() - QPoint(GROUP_FRAME_WIDTH - 1, 0),
                          QSize(GROUP_FRAME_WIDTH, edge.height())),
                    colour);
  drawItemText(painter, GroupTitle(*group, *this, widget),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic, group->palette,
               (group->state & State_Enabled) != 0, group->text, QPalette::WindowText);
}

QGridLayout* LayOutDialog(QWidget& window, const ControlTable& controls) {
  const auto at = [&controls](int id) { return controls[id - IDC_FIRST]; };
  for (QWidget* control : controls) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
  }

  auto* race = new QHBoxLayout(at(IDC_RACE_INFO));
  for (const int id : {IDC_LINE_LABEL, IDC_LINE, IDC_HORSES_LABEL, IDC_HORSES}) {
    race->addWidget(at(id));
  }

  auto* table = new QGridLayout;
  for (const Column& c : COLUMNS) {
    if (c.align) qobject_cast<QLabel*>(at(c.head))->setAlignment(Qt::AlignCenter);
    table->addWidget(at(c.head), 0, c.grid);
    for (int row = 0; row < ROW_COUNT; ++row) {
      table->addWidget(at(c.base + row), row + 1, c.grid, c.align);
    }
  }
  table->setColumnStretch(BAR_COLUMN, 1);
  // Rows as close as a table's, their columns as far apart as the style spaces widgets.
  table->setVerticalSpacing(window.style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing) / 2);

  auto* page = new QVBoxLayout(&window);
  page->addWidget(at(IDC_RACE_INFO), 0, Qt::AlignLeft);
  page->addLayout(table);
  page->addStretch(1);

  new Fitter(window, controls);
  return table;
}
