// The dialog's invariants. Before each event the whole dialog is recorded; the event's
// required effect is applied to that record where it is fully determined (marks, arrows,
// cleared texts, the moved bar) and the rebalance that follows is checked against the rules
// of the book: canonical fields, ranges, one common correction for the free horses, the book
// total's bounds, and texts formatted by an independent implementation.
#include "fuzz/dialog_invariants.h"

#include <algorithm>
#include <vector>

#include "book/book.h"
#include "book/snapshot.h"
#include "dialog/headless/headless_dialog.h"
#include "fuzz/events.h"
#include "fuzz/reference.h"
#include "runner/script.h"

namespace {

// The message is only built when the check fails: the checks run thousands of times a second.
#define REQUIRE(holds, what)  \
  do {                        \
    if (!(holds)) Fail(what); \
  } while (false)

using State = DialogSnapshot;
using Control = ControlState;

int Clamp(long long value, int low, int high) {
  return static_cast<int>(value < low ? low : value > high ? high : value);
}

std::string Quoted(const std::string& text) {
  std::string out;
  AppendQuoted(out, text);
  return out;
}

// The reference texts of a row for each share a bar can hold, worked out once: every event
// checks up to 28 of them, and the exact decimal expansion behind them is slow.
const std::string& ReferenceText(int share, bool odds) {
  static std::vector<std::string> texts[2];
  std::vector<std::string>& known = texts[odds ? 1 : 0];
  if (share < 0 || share > BarMaximum(LINE_MAX)) {
    static std::string other;
    other = odds ? reference::OddsText(share) : reference::WinText(share);
    return other;
  }
  if (known.empty()) known.resize(static_cast<std::size_t>(BarMaximum(LINE_MAX)) + 1);
  std::string& text = known[static_cast<std::size_t>(share)];
  if (text.empty()) text = odds ? reference::OddsText(share) : reference::WinText(share);
  return text;
}

enum class Pin { WHOLE, HORSE, BAR };

class SessionChecker {
 public:
  std::string Run(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    ScriptCommand commands[2];
    int done = 0;  // the commands played, the failing one included
    for (int count; failure_.empty() && (count = NextEvent(data, size, at, commands)) > 0;) {
      for (int k = 0; k < count && failure_.empty(); ++k) {
        ++done;
        Step(commands[k]);
      }
      if (dialog_.Ended()) break;  // the dialog is gone: no control takes events any more
    }
    return failure_.empty() ? std::string() : Session(data, size, done) + "# " + failure_ + '\n';
  }

 private:
  // The first count commands of the session in script form, decoded again: the session is
  // written out only when it failed.
  static std::string Session(const std::uint8_t* data, std::size_t size, int count) {
    std::string session;
    std::size_t at = 0;
    ScriptCommand commands[2];
    for (int n; count > 0 && (n = NextEvent(data, size, at, commands)) > 0;) {
      for (int k = 0; k < n && count > 0; ++k, --count)
        session += FormatCommand(commands[k]) + '\n';
    }
    return session;
  }

  void Step(const ScriptCommand& command) {
    // The snapshots are assigned over, not made afresh, so their texts keep their memory.
    before_ = dialog_.Controls().Snapshot();
    CommandOutput ignored;
    ApplyCommand(dialog_, command, ignored);
    const State& after = dialog_.Controls().Snapshot();
    CheckAlways(after);
    CheckEvent(command, before_, after);
  }

  void Fail(const std::string& what) {
    if (failure_.empty()) failure_ = what;
  }

  void Same(const State& expected, const State& actual, int id) {
    const Control& e = expected[id];
    const Control& a = actual[id];
    auto name = [id] { return "control " + std::to_string(id) + ' '; };
    REQUIRE(a.text == e.text, name() + "text " + Quoted(a.text) + ", expected " + Quoted(e.text));
    REQUIRE(a.modified == e.modified, name() + "modified flag changed");
    REQUIRE(a.checked == e.checked, name() + "mark changed");
    REQUIRE(a.min == e.min && a.max == e.max,
            name() + "range " + std::to_string(a.min) + ".." + std::to_string(a.max) +
                ", expected " + std::to_string(e.min) + ".." + std::to_string(e.max));
    REQUIRE(a.pos == e.pos,
            name() + "position " + std::to_string(a.pos) + ", expected " + std::to_string(e.pos));
    REQUIRE(a.arrows == e.arrows, name() + "arrows changed");
  }

  void SameRow(const State& expected, const State& actual, int i) {
    for (const int base : {IDC_POOL_BAR, IDC_LOCK, IDC_SCRATCH, IDC_ODDS, IDC_WIN_PCT}) {
      Same(expected, actual, base + i);
    }
  }

  void Unchanged(const State& expected, const State& actual) {
    for (int id = IDC_FIRST; id <= IDC_LAST; ++id) Same(expected, actual, id);
  }

  // What holds after any event: no stray identifier, the template's labels as they were,
  // every bar within its range, and every range one a line gives (or the initial 0..0).
  void CheckAlways(const State& after) {
    REQUIRE(dialog_.Controls().StrayAccesses() == 0, "an identifier outside the dialog was used");
    for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
      const bool row = id < IDC_LINE_LABEL || (id >= IDC_ODDS && id < IDC_WIN_PCT + ROW_COUNT);
      if (!row && id != IDC_LINE && id != IDC_HORSES) Same(fresh_, after, id);
    }
    for (int i = 0; i < ROW_COUNT; ++i) {
      const Control& bar = after[IDC_POOL_BAR + i];
      auto name = [i] { return "bar " + std::to_string(IDC_POOL_BAR + i) + ' '; };
      REQUIRE(bar.min == 0, name() + "range starts at " + std::to_string(bar.min));
      REQUIRE(bar.max % BAR_UNITS_PER_LINE_PERCENT == 0 && bar.max >= 0 &&
                  bar.max <= BarMaximum(LINE_MAX),
              name() + "range ends at " + std::to_string(bar.max));
      REQUIRE(bar.pos >= bar.min && bar.pos <= bar.max,
              name() + "position " + std::to_string(bar.pos) + " outside its range");
    }
  }

  // before is the dialog before the event; each case makes of it the dialog as the event's
  // rebalance finds it (mid), in place, since the checks after a rebalance compare with that.
  void CheckEvent(const ScriptCommand& event, State& before, const State& after) {
    State& mid = before;
    switch (event.kind) {
      case ScriptCommand::INIT:
        REQUIRE(dialog_.Visible(), "the dialog is hidden after its initialisation");
        CheckFieldSize(before, after, ROW_COUNT);
        return;
      case ScriptCommand::TYPE: {
        Control& field = mid[event.id];
        field.text = event.text.substr(0, event.text.find('\0'));
        field.modified = true;
        Unchanged(mid, after);
        return;
      }
      case ScriptCommand::LEAVE: CheckLeave(event.id, before, after); return;
      case ScriptCommand::CLICK: {
        mid[event.id].checked = !mid[event.id].checked;
        if (event.id < IDC_SCRATCH) {  // a "Lock" box takes effect at the next rebalance
          Unchanged(mid, after);
          return;
        }
        const int i = event.id - IDC_SCRATCH;
        const bool reinstated = !mid[event.id].checked;
        mid[IDC_POOL_BAR + i].arrows = reinstated;
        if (!reinstated) {
          for (const int id : {IDC_ODDS + i, IDC_WIN_PCT + i}) {
            mid[id].text.clear();
            mid[id].modified = false;
          }
        }
        CheckRebalance(mid, after, Pin::WHOLE, -1);
        return;
      }
      case ScriptCommand::SCROLL: {
        Control& bar = mid[event.id];
        long long next = bar.pos;
        switch (event.code) {
          case SCROLL_LINELEFT: next -= 10; break;
          case SCROLL_LINERIGHT: next += 10; break;
          case SCROLL_PAGELEFT: next -= 100; break;
          case SCROLL_PAGERIGHT: next += 100; break;
          case SCROLL_THUMBPOSITION:
          case SCROLL_THUMBTRACK: next = event.pos; break;
          default: Unchanged(before, after); return;  // codes that move nothing
        }
        bar.pos = Clamp(next, bar.min, bar.max);
        CheckRebalance(mid, after, Pin::BAR, -1);
        return;
      }
      case ScriptCommand::COMMAND:
        Unchanged(before, after);
        if (event.id == CMD_CANCEL) {
          int code = -1;
          REQUIRE(dialog_.Ended() && !dialog_.Visible(), "the close command left the dialog open");
          REQUIRE(dialog_.QuitPosted(code) && code == 0, "no quit message with code 0");
        } else {
          REQUIRE(!dialog_.Ended(), "the Enter key ended the dialog");
        }
        return;
      default: return;  // no other command comes from the events
    }
  }

  void CheckLeave(int id, State& before, const State& after) {
    if (id == IDC_LINE) {  // rebalances whether or not the text changed
      CheckRebalance(before, after, Pin::WHOLE, -1);
      return;
    }
    const Control& field = before[id];
    if (!field.modified) {  // the program's own text: nothing happens
      Unchanged(before, after);
      return;
    }
    if (id == IDC_HORSES) {
      const unsigned n = reference::ReadUnsigned(field.text).value;
      if (n >= 1 && n <= ROW_COUNT) {
        CheckFieldSize(before, after, static_cast<int>(n));
      } else {  // out of range: nothing until the next rebalance rewrites the field
        Unchanged(before, after);
      }
      return;
    }
    const int i = id - IDC_ODDS;
    if (before[IDC_SCRATCH + i].checked) {  // a scratched row keeps the text as typed
      Unchanged(before, after);
      return;
    }
    Control& bar = before[IDC_POOL_BAR + i];
    bar.pos = Clamp(reference::Share(reference::Odds(field.text)), bar.min, bar.max);
    CheckRebalance(before, after, Pin::HORSE, i);
  }

  void CheckFieldSize(State& mid, const State& after, int n) {
    for (int i = 0; i < ROW_COUNT; ++i) {
      const bool in = i < n;
      mid[IDC_SCRATCH + i].checked = !in;
      mid[IDC_LOCK + i].checked = false;
      mid[IDC_POOL_BAR + i].arrows = in;
      if (!in) {
        for (const int id : {IDC_ODDS + i, IDC_WIN_PCT + i}) {
          mid[id].text.clear();
          mid[id].modified = false;
        }
      }
    }
    CheckRebalance(mid, after, Pin::WHOLE, -1);
  }

  // mid is the dialog as the rebalance finds it; pinned is the row of an odds entry, whose
  // "Lock" box is checked once the rebalance is done.
  void CheckRebalance(State& mid, const State& after, Pin pin, int pinned) {
    // What the event does last, after its rebalance; the pinned horse is fixed either way.
    if (pinned >= 0) mid[IDC_LOCK + pinned].checked = true;
    const int line = reference::Line(mid[IDC_LINE].text);
    const int n = reference::Horses(mid[IDC_HORSES].text);
    const int max = BarMaximum(line);
    const int total = line * 100;

    // The two fields written back as the rebalance takes them.
    for (const auto& [id, text] : {std::pair{IDC_LINE, reference::Int(line, 3)},
                                   std::pair{IDC_HORSES, reference::Int(n, 2)}}) {
      REQUIRE(after[id].text == text && !after[id].modified, "control " + std::to_string(id) +
                                                                 " text " + Quoted(after[id].text) +
                                                                 ", expected " + Quoted(text));
    }

    // Rows beyond the field are not touched at all, nor are scratched rows within it.
    for (int i = 0; i < ROW_COUNT; ++i) {
      if (i >= n || mid[IDC_SCRATCH + i].checked) SameRow(mid, after, i);
    }

    // The active rows: their marks and arrows stay; their ranges are the line's.
    int divisor = 0;
    int sumBefore = 0;
    int sumAfter = 0;
    int freeCount = 0;
    int freeAtZero = 0;
    int freeAtMax = 0;
    for (int i = 0; i < n; ++i) {
      if (mid[IDC_SCRATCH + i].checked) continue;
      for (const int id : {IDC_LOCK + i, IDC_SCRATCH + i}) Same(mid, after, id);
      const Control& bar = after[IDC_POOL_BAR + i];
      REQUIRE(bar.arrows == mid[IDC_POOL_BAR + i].arrows, "arrows of an active bar changed");
      REQUIRE(bar.min == 0 && bar.max == max, "active bar " + std::to_string(IDC_POOL_BAR + i) +
                                                  " has range " + std::to_string(bar.min) + ".." +
                                                  std::to_string(bar.max) + " on a line of " +
                                                  std::to_string(line));
      const int start = Clamp(mid[IDC_POOL_BAR + i].pos, 0, max);
      sumBefore += start;
      sumAfter += bar.pos;
      const bool fixed = mid[IDC_LOCK + i].checked || (pin == Pin::HORSE && i == pinned);
      if (fixed) {
        REQUIRE(bar.pos == start, "a locked or pinned horse moved: row " + std::to_string(i + 1));
      } else {
        ++freeCount;
        if (pin == Pin::WHOLE || start > 0) ++divisor;
        freeAtZero += bar.pos == 0;
        freeAtMax += bar.pos == max;
      }
    }

    // One correction, the shortfall divided evenly with the remainder dropped, moves every
    // free horse; a bar stops at its ends.
    const int delta = divisor != 0 ? (total - sumBefore) / divisor : 0;
    for (int i = 0; i < n; ++i) {
      if (mid[IDC_SCRATCH + i].checked) continue;
      const bool fixed = mid[IDC_LOCK + i].checked || (pin == Pin::HORSE && i == pinned);
      const int start = Clamp(mid[IDC_POOL_BAR + i].pos, 0, max);
      const int pos = after[IDC_POOL_BAR + i].pos;
      if (!fixed) {
        REQUIRE(pos == Clamp(static_cast<long long>(start) + delta, 0, max),
                "free horse " + std::to_string(i + 1) + " went from " + std::to_string(start) +
                    " to " + std::to_string(pos) + "; the correction is " + std::to_string(delta));
      }
      const Control& odds = after[IDC_ODDS + i];
      const Control& win = after[IDC_WIN_PCT + i];
      REQUIRE(odds.text == ReferenceText(pos, true) && !odds.modified,
              "row " + std::to_string(i + 1) + " odds " + Quoted(odds.text) + " for share " +
                  std::to_string(pos) + ", expected " + Quoted(ReferenceText(pos, true)));
      REQUIRE(win.text == ReferenceText(pos, false),
              "row " + std::to_string(i + 1) + " win " + Quoted(win.text) + " for share " +
                  std::to_string(pos) + ", expected " + Quoted(ReferenceText(pos, false)));
    }

    // The book total after a whole-field rebalance: between where it was and the line total,
    // off the total by at most the dropped remainder unless a horse was held at a bar's end.
    if (pin == Pin::WHOLE && freeCount > 0) {
      const auto figures = [&] {
        return "book " + std::to_string(sumAfter) + " from " + std::to_string(sumBefore) +
               ", total " + std::to_string(total) + ", " + std::to_string(freeCount) + " free";
      };
      if (sumBefore <= total) {
        REQUIRE(sumAfter >= sumBefore && sumAfter <= total, figures());
        REQUIRE(freeAtMax > 0 || sumAfter > total - freeCount, figures());
      } else {
        REQUIRE(sumAfter <= sumBefore && sumAfter >= total, figures());
        REQUIRE(freeAtZero > 0 || sumAfter < total + freeCount, figures());
      }
    }
    if (divisor == 0) {
      REQUIRE(sumAfter == sumBefore, "nothing to divide, yet the book changed");
    }
  }

  HeadlessDialog dialog_;
  const State fresh_ = StartSnapshot();
  State before_;
  std::string failure_;
};

}  // namespace

std::string CheckDialogSession(const std::uint8_t* data, std::size_t size) {
  SessionChecker checker;
  return checker.Run(data, size);
}
