// The floor of the Linux program's start-up: the same window built with no logic. The same
// widgets, style and layout show the texts, ranges and positions the program's start writes,
// here written directly, and the process ends at the first paint as the program's does.
// scripts/bench.sh checks that both windows show the same controls in the same places.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "bench/start_state.h"
#include "dialog/qt/dialog_layout.h"
#include "dialog/qt/dialog_template.h"
#include "dialog/qt/menus.h"
#include "dialog/qt/pool_bar.h"
#include "dialog/qt/program_icon.h"

namespace {

constexpr char STATUS[] = "Book 119.98 % of a 120 % line, 14 horses";

// The control as the program makes it, less its connections and event filters.
QWidget* MakePlain(const TemplateControl& control, QWidget* window, QStyle* style) {
  const QString text = QString::fromLatin1(control.text);
  switch (control.kind) {
    case ControlKind::BAR: {
      auto* bar = new PoolBar(window);
      bar->setRange(0, 0);
      bar->setContextMenuPolicy(Qt::PreventContextMenu);
      bar->setStyle(style);
      return bar;
    }
    case ControlKind::CHECK: {
      auto* box = new QCheckBox(text, window);
      box->setFocusPolicy(Qt::NoFocus);
      box->setStyle(style);
      return box;
    }
    case ControlKind::GROUP: {
      auto* group = new QGroupBox(text, window);
      group->setStyle(style);
      return group;
    }
    case ControlKind::LABEL: {
      auto* label = new QLabel(text, window);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::EDIT: return new QLineEdit(text, window);
  }
  return nullptr;
}

void Write(QWidget* control, const char* text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(QLatin1String(text));
    edit->setCursorPosition(0);
  } else {
    qobject_cast<QLabel*>(control)->setText(QLatin1String(text));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());
  QDialog window(nullptr, DIALOG_WINDOW_FLAGS);
  window.setWindowTitle(QStringLiteral(DLG_CAPTION));
  auto* style = new ControlStyle;
  style->setParent(&window);
  ControlTable controls{};
  for (const TemplateControl& control : TEMPLATE) {
    controls[control.id - IDC_FIRST] = MakePlain(control, &window, style);
  }
  const auto at = [&controls](int id) { return controls[id - IDC_FIRST]; };
  // Stacked as the program stacks them, so that both paint in the same order.
  for (const TemplateControl& control : TEMPLATE) at(control.id)->lower();
  LayOutDialog(window, controls);
  auto* status = new QLabel(QString::fromLatin1(STATUS), &window);
  status->setTextFormat(Qt::PlainText);
  static_cast<QVBoxLayout*>(window.layout())->addWidget(status);
  // The same menus, their actions unconnected.
  MakeMenus(window);

  Write(at(IDC_LINE), START_LINE);
  Write(at(IDC_HORSES), START_HORSES);
  for (int row = 0; row < ROW_COUNT; ++row) {
    Write(at(IDC_ODDS + row), START_ODDS);
    Write(at(IDC_WIN_PCT + row), START_SHARE);
    auto* bar = qobject_cast<QScrollBar*>(at(IDC_POOL_BAR + row));
    bar->setRange(0, START_BAR_MAX);
    bar->setValue(START_BAR_POS);
  }
  window.show();
  // The program's start leaves "% Line:" focused with its text selected.
  at(IDC_LINE)->setFocus(Qt::TabFocusReason);
  qobject_cast<QLineEdit*>(at(IDC_LINE))->selectAll();
  return QApplication::exec();
}
