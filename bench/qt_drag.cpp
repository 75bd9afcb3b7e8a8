// Thumb-track events of the Linux program through its pool bar's own drag handling, each with
// the repaint it causes, on the offscreen platform; against the floor: the same widgets given the
// same bar positions and texts directly, with no dispatch, no arithmetic and no formatting.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/counts.h"
#include "bench/forwarding_surface.h"
#include "dialog/dispatch.h"
#include "dialog/headless/headless_dialog.h"
#include "dialog/qt/pool_bar.h"
#include "dialog/qt/qt_dialog.h"
#include "dialog/qt/qt_text.h"
#include "dialog/surface.h"

namespace {

// The bar of horse 6 of the opening field, dragged back and forth along its trough.
constexpr int DRAGGED_BAR = IDC_POOL_BAR + 5;

// One write the dispatch makes to a control, as the floor repeats it.
struct Write {
  enum Kind { TEXT, CHECK, RANGE, POS, ARROWS } kind;
  int id;
  int a;
  int b;
  QString text;
};
using Writes = std::vector<Write>;

// Forwards every operation to the in-memory controls and keeps each write, so the floor can
// repeat them.
class RecordingSurface final : public ForwardingSurface {
 public:
  using ForwardingSurface::ForwardingSurface;
  Writes* out = nullptr;

  void WriteText(int id, const char* text) override {
    ForwardingSurface::WriteText(id, text);
    Add({Write::TEXT, id, 0, 0, FromDialogBytes(text)});
  }
  void SetChecked(int id, bool on) override {
    ForwardingSurface::SetChecked(id, on);
    Add({Write::CHECK, id, on, 0, {}});
  }
  void SetBarRange(int id, int min, int max) override {
    ForwardingSurface::SetBarRange(id, min, max);
    Add({Write::RANGE, id, min, max, {}});
  }
  void SetBarPos(int id, int pos) override {
    ForwardingSurface::SetBarPos(id, pos);
    Add({Write::POS, id, pos, 0, {}});
  }
  void EnableBarArrows(int id, bool on) override {
    ForwardingSurface::EnableBarArrows(id, on);
    Add({Write::ARROWS, id, on, 0, {}});
  }

 private:
  void Add(Write write) {
    if (out) out->push_back(std::move(write));
  }
};

// Counts the paints of every widget, so both sides are seen to repaint alike.
class PaintCounter final : public QObject {
 public:
  long long paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The repaint an event has asked for, done before the next event comes.
void Repaint() { QCoreApplication::processEvents(); }

PoolBar* Bar(QtDialog& dialog) { return qobject_cast<PoolBar*>(dialog.Control(DRAGGED_BAR)); }

void SendMouse(QScrollBar* bar, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  QMouseEvent event(type, at, bar->mapToGlobal(at), button,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(bar, &event);
}

// A started, painted dialog.
void Start(QtDialog& dialog) {
  dialog.Init();
  Repaint();
}

// The pointer's path: pressed on the thumb, then to and fro along the trough one pixel a move.
// The press and each move to another pixel are one event each.
struct Drag {
  QPoint grip;
  std::vector<QPoint> moves;
};

class Pointer {
 public:
  explicit Pointer(QScrollBar* bar) : m_h(bar->height()), m_span(bar->width() - 3 * m_h) {
    // The arrows and the thumb are squares of the bar's height.
    m_x = m_h +
          QStyle::sliderPositionFromValue(bar->minimum(), bar->maximum(), bar->value(), m_span) +
          m_h / 2;
  }
  QPoint At() const { return {m_x, m_h / 2}; }
  QPoint Next() {
    // The thumb's centre stays within the trough, where every pixel is another position.
    if (m_x + m_step < m_h + m_h / 2 || m_x + m_step > m_h + m_span + m_h / 2) m_step = -m_step;
    m_x += m_step;
    return At();
  }

 private:
  int m_h;
  int m_span;
  int m_x;
  int m_step = 1;
};

// The program: the pointer's moves into the bar, each delivered and repainted.
void RunProgram(QtDialog& dialog, const Drag& drag) {
  QScrollBar* bar = Bar(dialog);
  SendMouse(bar, QEvent::MouseButtonPress, drag.grip, Qt::LeftButton);
  for (const QPoint& at : drag.moves) {
    SendMouse(bar, QEvent::MouseMove, at, Qt::NoButton);
    Repaint();
  }
}

// The floor: each event's writes straight onto the widgets, then the same repaint.
void RunFloor(QtDialog& dialog, const std::vector<Writes>& events) {
  for (const Writes& writes : events) {
    for (const Write& w : writes) {
      QWidget* widget = dialog.Control(w.id);
      switch (w.kind) {
        case Write::TEXT:
          if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText(w.text);
          } else {
            static_cast<QLabel*>(widget)->setText(w.text);
          }
          break;
        case Write::CHECK: static_cast<QCheckBox*>(widget)->setChecked(w.a); break;
        case Write::RANGE: static_cast<QScrollBar*>(widget)->setRange(w.a, w.b); break;
        case Write::POS: static_cast<QScrollBar*>(widget)->setValue(w.a); break;
        case Write::ARROWS: widget->setEnabled(w.a); break;
      }
    }
    Repaint();
  }
}

// Every control's text, mark, position and range, to check that both sides end alike.
std::string State(QtDialog& dialog) {
  std::string state;
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    QWidget* widget = dialog.Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) state += edit->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) state += label->text().toStdString();
    if (auto* box = qobject_cast<QCheckBox*>(widget)) state += box->isChecked() ? "x" : "o";
    if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
      state += std::to_string(bar->minimum()) + ".." + std::to_string(bar->maximum()) + "@" +
               std::to_string(bar->value()) + (bar->isEnabled() ? "" : "-");
    }
    state += '|';
  }
  return state;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

// Usage: oddsmith-bench-qt-drag EVENTS ROUNDS
//   Prints per round "program<TAB>ns per event" and "floor<TAB>ns per event", the two
//   interleaved. With ROUNDS 0 (under valgrind --tool=callgrind) one round of each is counted
//   into dumps named "drag/program" and "drag/floor".
int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: oddsmith-bench-qt-drag EVENTS ROUNDS\n");
    return 2;
  }
  const int events = std::atoi(argv[1]), rounds = std::atoi(argv[2]);
  QApplication app(argc, argv);
  PaintCounter counter;
  app.installEventFilter(&counter);

  // A first run of the program finds where the thumb goes on each move; the dispatch on the
  // in-memory controls, given those positions, writes what the floor will write.
  std::vector<int> positions;
  Drag drag;
  std::string expected;
  {
    QtDialog dialog;
    Start(dialog);
    PoolBar* bar = Bar(dialog);
    QObject::connect(bar, &PoolBar::scrolled, [&](unsigned code, int thumb) {
      if (code == SCROLL_THUMBTRACK) positions.push_back(thumb);
    });
    Pointer pointer(bar);
    drag.grip = pointer.At();
    SendMouse(bar, QEvent::MouseButtonPress, drag.grip, Qt::LeftButton);
    while (static_cast<int>(positions.size()) < events && drag.moves.size() < 100u * events) {
      drag.moves.push_back(pointer.Next());
      SendMouse(bar, QEvent::MouseMove, drag.moves.back(), Qt::NoButton);
      Repaint();
    }
    expected = State(dialog);
  }
  HeadlessDialog oracle;
  oracle.Init();
  RecordingSurface recorder(oracle.Controls());
  oracle.RouteThrough(&recorder);
  std::vector<Writes> writes(positions.size());
  long long written = 0;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    recorder.out = &writes[i];
    oracle.Scroll(DRAGGED_BAR, SCROLL_THUMBTRACK, positions[i]);
    written += static_cast<long long>(writes[i].size());
  }
  recorder.out = nullptr;
  oracle.RouteThrough(nullptr);
  std::fprintf(stderr, "%zu thumb-track events from %zu moves, %.1f writes an event\n",
               positions.size(), drag.moves.size(),
               static_cast<double>(written) / static_cast<double>(positions.size()));
  if (static_cast<int>(positions.size()) != events) {
    std::fprintf(stderr, "oddsmith-bench-qt-drag: the moves made too few events\n");
    return 1;
  }
  const double per = static_cast<double>(positions.size());

  const auto check = [&](QtDialog& dialog, const char* side) {
    const std::string state = State(dialog);
    if (state == expected) return true;
    std::fprintf(stderr, "oddsmith-bench-qt-drag: the %s ends unlike the program\n%s\n%s\n", side,
                 state.c_str(), expected.c_str());
    return false;
  };
  // One row a side and round, under named columns.
  std::printf("side\tns_per_event\tpaints_per_event\n");
  for (int round = 0; round < (rounds == 0 ? 1 : rounds); ++round) {
    {
      QtDialog dialog;
      Start(dialog);
      counter.paints = 0;
      const auto t0 = std::chrono::steady_clock::now();
      ODDSMITH_ZERO_COUNTS();
      RunProgram(dialog, drag);
      ODDSMITH_DUMP_COUNTS("drag/program");
      const double s = Seconds(t0);
      if (!check(dialog, "program")) return 1;
      std::printf("program\t%.0f\t%.2f\n", s * 1e9 / per, counter.paints / per);
    }
    {
      QtDialog dialog;
      Start(dialog);
      counter.paints = 0;
      const auto t0 = std::chrono::steady_clock::now();
      ODDSMITH_ZERO_COUNTS();
      RunFloor(dialog, writes);
      ODDSMITH_DUMP_COUNTS("drag/floor");
      const double s = Seconds(t0);
      if (!check(dialog, "floor")) return 1;
      std::printf("floor\t%.0f\t%.2f\n", s * 1e9 / per, counter.paints / per);
    }
    std::fflush(stdout);
  }
  return 0;
}
