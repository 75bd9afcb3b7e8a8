// The dialog's invariants. Before each event the whole dialog is recorded; the event's
// required effect is applied to that record where it is fully determined (marks, arrows,
// cleared texts, the moved bar) and the rebalance that follows is checked against the rules
// of the book: canonical fields, ranges, one common correction for the free horses, the book
// total's bounds, and texts formatted by an independent implementation.
#include "fuzz/dialog_invariants.h"

#include <algorithm>

#include "book/book.h"
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

struct Control {
  std::string text;
  bool modified = false;
  bool checked = false;
  int min = 0;
  int max = 0;
  int pos = 0;
  bool arrows = false;
};

// Every control of the dialog, by identifier.
struct State {
  Control control[IDC_LAST - IDC_FIRST + 1];
  Control& operator[](int id) { return control[id - IDC_FIRST]; }
  const Control& operator[](int id) const { return control[id - IDC_FIRST]; }
};

State Take(const HeadlessSurface& surface) {
  State state;
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    Control& c = state[id];
    c.text = surface.Text(id);
    c.modified = surface.Modified(id);
    c.checked = surface.Checked(id);
    c.min = surface.RangeMin(id);
    c.max = surface.RangeMax(id);
    c.pos = surface.Pos(id);
    c.arrows = surface.ArrowsEnabled(id);
  }
  return state;
}

int Clamp(long long value, int low, int high) {
  return static_cast<int>(value < low ? low : value > high ? high : value);
}

std::string Quoted(const std::string& text) {
  std::string out;
  AppendQuoted(out, text);
  return out;
}

std::string Describe(const Event& event) {
  const std::string id = std::to_string(event.id);
  switch (event.kind) {
    case Event::INIT: return "init";
    case Event::TYPE:
    case Event::TYPE_LEAVE: return "type " + id + ' ' + Quoted(event.text);
    case Event::LEAVE: return "leave " + id;
    case Event::CLICK: return "click " + id;
    case Event::SCROLL:
      return "scroll " + id + ' ' + std::to_string(event.code) + ' ' + std::to_string(event.pos);
    case Event::COMMAND: return "command " + id;
  }
  return "?";
}

enum class Pin { WHOLE, HORSE, BAR };

class SessionChecker {
 public:
  std::string Run(const std::uint8_t* data, std::size_t size) {
    const State fresh = Take(dialog_.Controls());
    std::size_t at = 0;
    Event event;
    std::string session;
    while (NextEvent(data, size, at, event)) {
      if (event.kind == Event::TYPE_LEAVE) {
        Event type = event;
        type.kind = Event::TYPE;
        Event leave = event;
        leave.kind = Event::LEAVE;
        if (!Step(type, fresh, session) || !Step(leave, fresh, session)) break;
      } else if (!Step(event, fresh, session)) {
        break;
      }
      if (dialog_.Ended()) break;  // the dialog is gone: no control takes events any more
    }
    return failure_.empty() ? std::string() : session + "# " + failure_ + '\n';
  }

 private:
  bool Step(const Event& event, const State& fresh, std::string& session) {
    session += Describe(event) + '\n';
    const State before = Take(dialog_.Controls());
    Apply(event);
    const State after = Take(dialog_.Controls());
    CheckAlways(fresh, after);
    CheckEvent(event, before, after);
    return failure_.empty();
  }

  void Apply(const Event& event) {
    switch (event.kind) {
      case Event::INIT: dialog_.Init(); break;
      case Event::TYPE: dialog_.Type(event.id, event.text); break;
      case Event::LEAVE: dialog_.Leave(event.id); break;
      case Event::CLICK: dialog_.Click(event.id); break;
      case Event::SCROLL: dialog_.Scroll(event.id, event.code, event.pos); break;
      case Event::COMMAND: dialog_.Command(event.id); break;
      case Event::TYPE_LEAVE: break;  // split by Run
    }
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
  void CheckAlways(const State& fresh, const State& after) {
    REQUIRE(dialog_.Controls().StrayAccesses() == 0, "an identifier outside the dialog was used");
    for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
      const bool row = id < IDC_LINE_LABEL || (id >= IDC_ODDS && id < IDC_WIN_PCT + ROW_COUNT);
      if (!row && id != IDC_LINE && id != IDC_HORSES) Same(fresh, after, id);
    }
    for (int i = 0; i < ROW_COUNT; ++i) {
      const Control& bar = after[IDC_POOL_BAR + i];
      auto name = [i] { return "bar " + std::to_string(IDC_POOL_BAR + i) + ' '; };
      REQUIRE(bar.min == 0, name() + "range starts at " + std::to_string(bar.min));
      REQUIRE(bar.max % 90 == 0 && bar.max >= 0 && bar.max <= LINE_MAX * 90,
              name() + "range ends at " + std::to_string(bar.max));
      REQUIRE(bar.pos >= bar.min && bar.pos <= bar.max,
              name() + "position " + std::to_string(bar.pos) + " outside its range");
    }
  }

  void CheckEvent(const Event& event, const State& before, const State& after) {
    State mid = before;
    switch (event.kind) {
      case Event::INIT:
        REQUIRE(dialog_.Visible(), "the dialog is hidden after its initialisation");
        CheckFieldSize(before, after, ROW_COUNT);
        return;
      case Event::TYPE: {
        Control& field = mid[event.id];
        field.text = event.text.substr(0, event.text.find('\0'));
        field.modified = true;
        Unchanged(mid, after);
        return;
      }
      case Event::LEAVE: CheckLeave(event.id, before, after); return;
      case Event::CLICK: {
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
      case Event::SCROLL: {
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
      case Event::COMMAND:
        Unchanged(before, after);
        if (event.id == CMD_CANCEL) {
          int code = -1;
          REQUIRE(dialog_.Ended() && !dialog_.Visible(), "the close command left the dialog open");
          REQUIRE(dialog_.QuitPosted(code) && code == 0, "no quit message with code 0");
        } else {
          REQUIRE(!dialog_.Ended(), "the Enter key ended the dialog");
        }
        return;
      case Event::TYPE_LEAVE: return;
    }
  }

  void CheckLeave(int id, const State& before, const State& after) {
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
    State mid = before;
    Control& bar = mid[IDC_POOL_BAR + i];
    bar.pos = Clamp(reference::Share(reference::Odds(field.text)), bar.min, bar.max);
    CheckRebalance(mid, after, Pin::HORSE, i);
  }

  void CheckFieldSize(const State& before, const State& after, int n) {
    State mid = before;
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
  void CheckRebalance(const State& mid, const State& after, Pin pin, int pinned) {
    const int line = reference::Line(mid[IDC_LINE].text);
    const int n = reference::Horses(mid[IDC_HORSES].text);
    const int max = line * 90;
    const int total = line * 100;

    State expected = mid;
    expected[IDC_LINE].text = reference::Int(line, 3);
    expected[IDC_HORSES].text = reference::Int(n, 2);
    expected[IDC_LINE].modified = expected[IDC_HORSES].modified = false;
    if (pinned >= 0) expected[IDC_LOCK + pinned].checked = true;
    Same(expected, after, IDC_LINE);
    Same(expected, after, IDC_HORSES);

    // Rows beyond the field are not touched at all, nor are scratched rows within it.
    for (int i = 0; i < ROW_COUNT; ++i) {
      if (i >= n || mid[IDC_SCRATCH + i].checked) SameRow(expected, after, i);
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
      for (const int id : {IDC_LOCK + i, IDC_SCRATCH + i}) Same(expected, after, id);
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
      REQUIRE(odds.text == reference::OddsText(pos) && !odds.modified,
              "row " + std::to_string(i + 1) + " odds " + Quoted(odds.text) + " for share " +
                  std::to_string(pos) + ", expected " + Quoted(reference::OddsText(pos)));
      REQUIRE(win.text == reference::WinText(pos),
              "row " + std::to_string(i + 1) + " win " + Quoted(win.text) + " for share " +
                  std::to_string(pos) + ", expected " + Quoted(reference::WinText(pos)));
    }

    // The book total after a whole-field rebalance: between where it was and the line total,
    // off the total by at most the dropped remainder unless a horse was held at a bar's end.
    if (pin == Pin::WHOLE && freeCount > 0) {
      const std::string figures = "book " + std::to_string(sumAfter) + " from " +
                                  std::to_string(sumBefore) + ", total " + std::to_string(total) +
                                  ", " + std::to_string(freeCount) + " free";
      if (sumBefore <= total) {
        REQUIRE(sumAfter >= sumBefore && sumAfter <= total, figures);
        REQUIRE(freeAtMax > 0 || sumAfter > total - freeCount, figures);
      } else {
        REQUIRE(sumAfter <= sumBefore && sumAfter >= total, figures);
        REQUIRE(freeAtZero > 0 || sumAfter < total + freeCount, figures);
      }
    }
    if (divisor == 0) {
      REQUIRE(sumAfter == sumBefore, "nothing to divide, yet the book changed");
    }
  }

  HeadlessDialog dialog_;
  std::string failure_;
};

}  // namespace

std::string CheckDialogSession(const std::uint8_t* data, std::size_t size) {
  SessionChecker checker;
  return checker.Run(data, size);
}
