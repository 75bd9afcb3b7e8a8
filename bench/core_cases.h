// The dialog's events as benchmark cases, and the floor each is measured against: the same
// number of control reads and writes with constant values, no arithmetic and no formatting.
#ifndef ODDSMITH_BENCH_CORE_CASES_H
#define ODDSMITH_BENCH_CORE_CASES_H

#include <string_view>

#include "bench/forwarding_surface.h"
#include "dialog/headless/headless_dialog.h"
#include "dialog/surface.h"

// How many times an event called each surface operation.
struct OpCounts {
  long long of[SURFACE_OP_COUNT] = {};

  long long operator[](SurfaceOp op) const { return of[static_cast<int>(op)]; }
  long long Total() const;
};

// Counts every operation on the way to another surface.
class CountingSurface final : public ForwardingSurface {
 public:
  using ForwardingSurface::ForwardingSurface;
  const OpCounts& Counts() const { return counts_; }

 private:
  void Saw(SurfaceOp op) override { ++counts_.of[static_cast<int>(op)]; }
  OpCounts counts_;
};

// One kind of event as a cycle of CYCLE_EVENTS events that brings the dialog back to where it
// started, so every repetition does the same work.
constexpr int CYCLE_EVENTS = 2;
struct EventCase {
  const char* name;
  // The user's typing before event step (0..CYCLE_EVENTS-1), or nothing; not the event's cost.
  void (*type)(HeadlessSurface& controls, int step);
  // The event itself.
  void (*event)(HeadlessDialog& dialog, int step);
};

// The cases, in table order.
const EventCase* EventCases(int& count);

// Sets up a dialog for a case: initialised, then cycled until its state repeats.
void Prepare(HeadlessDialog& dialog, const EventCase& c);

// One cycle of the case: typing included when withTyping.
void RunCycle(HeadlessDialog& dialog, const EventCase& c, bool withTyping);

// One cycle of only the typing of the case.
void RunTyping(HeadlessDialog& dialog, const EventCase& c);

// The surface operations of one cycle of the case, counted on a copy of its state.
OpCounts CountCycle(const EventCase& c);

// The floor: performs exactly counts operations on surface, on valid controls, with constant
// values and texts. Returns a sum of what it read so that nothing can be left out.
long long Floor(DialogSurface& surface, const OpCounts& counts);

// The 28 texts of a start-up through the given formatter: 14 "% to win" and 14 odds.
using Formatter = int (*)(char* buffer, std::size_t size, double value, int width);
int FormatStartUpTexts(Formatter format);

#endif
