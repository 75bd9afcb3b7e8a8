// The event cases and their floor. Kept apart from the timing code so that the floor's calls
// stay real virtual calls, as the book logic's are.
#include "bench/core_cases.h"

#include "book/book.h"

long long OpCounts::Total() const {
  return read_unsigned + read_text + write_text + is_modified + is_checked + set_checked +
         set_bar_range + bar_pos + set_bar_pos + enable_bar_arrows;
}

UnsignedRead CountingSurface::ReadUnsigned(int id) {
  ++counts_.read_unsigned;
  return inner_.ReadUnsigned(id);
}

int CountingSurface::ReadText(int id, char* buffer, int max) {
  ++counts_.read_text;
  return inner_.ReadText(id, buffer, max);
}

void CountingSurface::WriteText(int id, const char* text) {
  ++counts_.write_text;
  inner_.WriteText(id, text);
}

bool CountingSurface::IsModified(int id) {
  ++counts_.is_modified;
  return inner_.IsModified(id);
}

bool CountingSurface::IsChecked(int id) {
  ++counts_.is_checked;
  return inner_.IsChecked(id);
}

void CountingSurface::SetChecked(int id, bool on) {
  ++counts_.set_checked;
  inner_.SetChecked(id, on);
}

void CountingSurface::SetBarRange(int id, int min, int max) {
  ++counts_.set_bar_range;
  inner_.SetBarRange(id, min, max);
}

int CountingSurface::BarPos(int id) {
  ++counts_.bar_pos;
  return inner_.BarPos(id);
}

void CountingSurface::SetBarPos(int id, int pos) {
  ++counts_.set_bar_pos;
  inner_.SetBarPos(id, pos);
}

void CountingSurface::EnableBarArrows(int id, bool on) {
  ++counts_.enable_bar_arrows;
  inner_.EnableBarArrows(id, on);
}

void BenchDialog::CountWith(CountingSurface* counter) {
  active_ = counter ? static_cast<DialogSurface*>(counter) : &controls_;
}

void BenchDialog::Init() { MainDialogProc(*this, MSG_INITDIALOG, 0, 0); }

void BenchDialog::Leave(int editId) {
  MainDialogProc(*this, MSG_COMMAND, MakeCommandParam(editId, NOTIFY_KILLFOCUS), editId);
}

void BenchDialog::Click(int boxId) {
  controls_.SetChecked(boxId, !controls_.Checked(boxId));  // an automatic box marks itself
  MainDialogProc(*this, MSG_COMMAND, MakeCommandParam(boxId, NOTIFY_CLICKED), boxId);
}

void BenchDialog::Scroll(int barId, unsigned code, int pos) {
  thumb_ = pos;
  MainDialogProc(*this, MSG_HSCROLL, MakeScrollParam(code, pos), barId);
}

namespace {

constexpr int kHorse3 = 2;  // row index of the horse the cases act on

const EventCase kCases[] = {
    {"start-up", nullptr, [](BenchDialog& d, int) { d.Init(); }},
    {"arrow click", nullptr,
     [](BenchDialog& d, int step) {
       d.Scroll(IDC_POOL_BAR + kHorse3, step == 0 ? SCROLL_LINERIGHT : SCROLL_LINELEFT, 0);
     }},
    {"thumb track", nullptr,
     [](BenchDialog& d, int step) {
       d.Scroll(IDC_POOL_BAR + kHorse3, SCROLL_THUMBTRACK, step == 0 ? 2857 : 1500);
     }},
    {"odds entry",
     [](HeadlessSurface& s, int step) { s.Type(IDC_ODDS + kHorse3, step == 0 ? "5-2" : "9-5"); },
     [](BenchDialog& d, int) { d.Leave(IDC_ODDS + kHorse3); }},
    {"scratch", nullptr, [](BenchDialog& d, int) { d.Click(IDC_SCRATCH + kHorse3); }},
    {"field size", [](HeadlessSurface& s, int step) { s.Type(IDC_HORSES, step == 0 ? "8" : "14"); },
     [](BenchDialog& d, int) { d.Leave(IDC_HORSES); }},
    {"line change",
     [](HeadlessSurface& s, int step) { s.Type(IDC_LINE, step == 0 ? "100" : "120"); },
     [](BenchDialog& d, int) { d.Leave(IDC_LINE); }},
};

}  // namespace

const EventCase* EventCases(int& count) {
  count = static_cast<int>(sizeof kCases / sizeof kCases[0]);
  return kCases;
}

void Prepare(BenchDialog& dialog, const EventCase& c) {
  dialog.Init();
  // A few cycles reach the state that every later cycle returns to: the odds entry's lock,
  // the rounding remainders of the rebalances.
  for (int i = 0; i < 8; ++i) RunCycle(dialog, c, true);
}

void RunCycle(BenchDialog& dialog, const EventCase& c, bool with_typing) {
  for (int step = 0; step < kCycleEvents; ++step) {
    if (with_typing && c.type) c.type(dialog.Controls(), step);
    c.event(dialog, step);
  }
}

void RunTyping(BenchDialog& dialog, const EventCase& c) {
  if (!c.type) return;
  for (int step = 0; step < kCycleEvents; ++step) c.type(dialog.Controls(), step);
}

OpCounts CountCycle(const EventCase& c) {
  BenchDialog dialog;
  Prepare(dialog, c);
  CountingSurface counter(dialog.Controls());
  dialog.CountWith(&counter);
  RunCycle(dialog, c, true);  // typing goes to the controls directly, so it is not counted
  dialog.CountWith(nullptr);
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
  for (long long k = counts.read_unsigned; k > 0; --k) sum += surface.ReadUnsigned(IDC_LINE).value;
  for (long long k = counts.read_text; k > 0; --k) {
    sum += surface.ReadText(IDC_ODDS + NextRow(row), text, ODDS_TEXT_MAX + 1);
  }
  for (long long k = counts.write_text; k > 0; k -= 2) {
    const int at = NextRow(row);
    surface.WriteText(IDC_WIN_PCT + at, " 8.6%");
    if (k > 1) surface.WriteText(IDC_ODDS + at, "10.7");
  }
  for (long long k = counts.is_modified; k > 0; --k)
    sum += surface.IsModified(IDC_ODDS + NextRow(row));
  for (long long k = counts.is_checked; k > 0; --k)
    sum += surface.IsChecked(IDC_LOCK + NextRow(row));
  for (long long k = counts.set_checked; k > 0; --k)
    surface.SetChecked(IDC_LOCK + NextRow(row), false);
  for (long long k = counts.set_bar_range; k > 0; --k) {
    surface.SetBarRange(IDC_POOL_BAR + NextRow(row), 0, 10800);
  }
  for (long long k = counts.bar_pos; k > 0; --k) sum += surface.BarPos(IDC_POOL_BAR + NextRow(row));
  for (long long k = counts.set_bar_pos; k > 0; --k)
    surface.SetBarPos(IDC_POOL_BAR + NextRow(row), 857);
  for (long long k = counts.enable_bar_arrows; k > 0; --k) {
    surface.EnableBarArrows(IDC_POOL_BAR + NextRow(row), true);
  }
  return sum;
}

int FormatStartUpTexts(Formatter format) {
  // Shares a session shows, from a drag's 715 and 2715 to a long shot and a bar past 100 %.
  static constexpr int kShares[ROW_COUNT] = {857,  715, 2715, 1500, 923,  704,   2857,
                                             5000, 100, 3500, 6000, 2000, 10800, 0};
  char text[TEXT_BUFFER_SIZE];
  int length = 0;
  for (int share : kShares) {
    length += format(text, sizeof text, static_cast<float>(share) / 100.0f, 4);
    const double odds = share == 0 ? ODDS_CAP : 1.0 / (share / 10000.0) - 1.0;
    length += format(text, sizeof text, odds > ODDS_CAP ? ODDS_CAP : odds, 2);
  }
  return length;
}
