// The event cases and their floor. Kept apart from the timing code so that the floor's calls
// stay real virtual calls, as the book logic's are.
#include "bench/core_cases.h"

#include <cstdio>
#include <cstdlib>

#include "book/book.h"

long long OpCounts::Total() const {
  long long total = 0;
  for (const long long count : of) total += count;
  return total;
}

namespace {

constexpr int HORSE_3 = 2;  // row index of the horse the cases act on

const EventCase EVENT_CASES[] = {
    {"start-up", nullptr, [](HeadlessDialog& d, int) { d.Init(); }},
    {"arrow click", nullptr,
     [](HeadlessDialog& d, int step) {
       d.Scroll(IDC_POOL_BAR + HORSE_3, step == 0 ? SCROLL_LINERIGHT : SCROLL_LINELEFT, 0);
     }},
    {"thumb track", nullptr,
     [](HeadlessDialog& d, int step) {
       d.Scroll(IDC_POOL_BAR + HORSE_3, SCROLL_THUMBTRACK, step == 0 ? 2857 : 1500);
     }},
    {"odds entry",
     [](HeadlessSurface& s, int step) { s.Type(IDC_ODDS + HORSE_3, step == 0 ? "5-2" : "9-5"); },
     [](HeadlessDialog& d, int) { d.Leave(IDC_ODDS + HORSE_3); }},
    {"scratch", nullptr, [](HeadlessDialog& d, int) { d.Click(IDC_SCRATCH + HORSE_3); }},
    {"field size", [](HeadlessSurface& s, int step) { s.Type(IDC_HORSES, step == 0 ? "8" : "14"); },
     [](HeadlessDialog& d, int) { d.Leave(IDC_HORSES); }},
    {"line change",
     [](HeadlessSurface& s, int step) { s.Type(IDC_LINE, step == 0 ? "100" : "120"); },
     [](HeadlessDialog& d, int) { d.Leave(IDC_LINE); }},
};

}  // namespace

const EventCase* EventCases(int& count) {
  count = static_cast<int>(sizeof EVENT_CASES / sizeof EVENT_CASES[0]);
  return EVENT_CASES;
}

void Prepare(HeadlessDialog& dialog, const EventCase& c) {
  dialog.Init();
  // A few cycles reach the state that every later cycle returns to: the odds entry's lock,
  // the rounding remainders of the rebalances.
  for (int i = 0; i < 8; ++i) RunCycle(dialog, c, true);
}

void RunCycle(HeadlessDialog& dialog, const EventCase& c, bool withTyping) {
  for (int step = 0; step < CYCLE_EVENTS; ++step) {
    if (withTyping && c.type) c.type(dialog.Controls(), step);
    c.event(dialog, step);
  }
}

void RunTyping(HeadlessDialog& dialog, const EventCase& c) {
  if (!c.type) return;
  for (int step = 0; step < CYCLE_EVENTS; ++step) c.type(dialog.Controls(), step);
}

OpCounts CountCycle(const EventCase& c) {
  HeadlessDialog dialog;
  Prepare(dialog, c);
  CountingSurface counter(dialog.Controls());
  dialog.RouteThrough(&counter);
  RunCycle(dialog, c, true);  // typing goes to the controls directly, so it is not counted
  dialog.RouteThrough(nullptr);
  // The floor repeats the operations an event makes; these no event makes today.
  for (const SurfaceOp op : {SurfaceOp::TEXT_LENGTH, SurfaceOp::SET_MODIFIED, SurfaceOp::BAR_MIN,
                             SurfaceOp::BAR_MAX, SurfaceOp::BAR_ARROWS_ENABLED}) {
    if (counter.Counts()[op] != 0) {
      std::fprintf(stderr, "%s: the floor repeats no %d operation\n", c.name, static_cast<int>(op));
      std::abort();
    }
  }
  return counter.Counts();
}

namespace {

// Goes round the 14 rows without a division, so the floor's own bookkeeping stays small.
int NextRow(int& row) {
  const int current = row;
  row = row + 1 == ROW_COUNT ? 0 : row + 1;
  return current;
}

}  // namespace

long long Floor(DialogSurface& surface, const OpCounts& counts) {
  // Row after row, as the events go over the rows; every value is one the controls already
  // hold in a started dialog, so the floor's controls do not change either.
  long long sum = 0;
  int row = 0;
  char text[TEXT_BUFFER_SIZE];
  for (long long k = counts[SurfaceOp::READ_UNSIGNED]; k > 0; --k)
    sum += surface.ReadUnsigned(IDC_LINE).value;
  for (long long k = counts[SurfaceOp::READ_TEXT]; k > 0; --k) {
    sum += surface.ReadText(IDC_ODDS + NextRow(row), text, ODDS_TEXT_MAX + 1);
  }
  for (long long k = counts[SurfaceOp::WRITE_TEXT]; k > 0; k -= 2) {
    const int at = NextRow(row);
    surface.WriteText(IDC_WIN_PCT + at, " 8.6%");
    if (k > 1) surface.WriteText(IDC_ODDS + at, "10.7");
  }
  for (long long k = counts[SurfaceOp::IS_MODIFIED]; k > 0; --k)
    sum += surface.IsModified(IDC_ODDS + NextRow(row));
  for (long long k = counts[SurfaceOp::IS_CHECKED]; k > 0; --k)
    sum += surface.IsChecked(IDC_LOCK + NextRow(row));
  for (long long k = counts[SurfaceOp::SET_CHECKED]; k > 0; --k)
    surface.SetChecked(IDC_LOCK + NextRow(row), false);
  for (long long k = counts[SurfaceOp::SET_BAR_RANGE]; k > 0; --k) {
    surface.SetBarRange(IDC_POOL_BAR + NextRow(row), 0, 10800);
  }
  for (long long k = counts[SurfaceOp::BAR_POS]; k > 0; --k)
    sum += surface.BarPos(IDC_POOL_BAR + NextRow(row));
  for (long long k = counts[SurfaceOp::SET_BAR_POS]; k > 0; --k)
    surface.SetBarPos(IDC_POOL_BAR + NextRow(row), 857);
  for (long long k = counts[SurfaceOp::ENABLE_BAR_ARROWS]; k > 0; --k) {
    surface.EnableBarArrows(IDC_POOL_BAR + NextRow(row), true);
  }
  return sum;
}

int FormatStartUpTexts(Formatter format) {
  // Shares a session shows, from a drag's 715 and 2715 to a long shot and a bar past 100 %.
  static constexpr int SAMPLE_SHARES[ROW_COUNT] = {857,  715, 2715, 1500, 923,  704,   2857,
                                                   5000, 100, 3500, 6000, 2000, 10800, 0};
  char text[TEXT_BUFFER_SIZE];
  int length = 0;
  for (int share : SAMPLE_SHARES) {
    length += format(text, sizeof text, static_cast<float>(share) / 100.0f, 4);
    const double odds = share == 0 ? ODDS_CAP : 1.0 / (share / 10000.0) - 1.0;
    length += format(text, sizeof text, odds > ODDS_CAP ? ODDS_CAP : odds, 2);
  }
  return length;
}
