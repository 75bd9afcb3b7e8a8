// The dialog's events as benchmark cases, and the floor each is measured against: the same
// number of control reads and writes with constant values, no arithmetic and no formatting.
#ifndef ODDSMITH_BENCH_CORE_CASES_H
#define ODDSMITH_BENCH_CORE_CASES_H

#include <string_view>

#include "dialog/headless/headless_dialog.h"
#include "dialog/surface.h"

// How many times an event called each surface operation.
struct OpCounts {
  long long readUnsigned = 0;
  long long readText = 0;
  long long writeText = 0;
  long long isModified = 0;
  long long isChecked = 0;
  long long setChecked = 0;
  long long setBarRange = 0;
  long long barPos = 0;
  long long setBarPos = 0;
  long long enableBarArrows = 0;

  long long Total() const;
};

// Forwards every operation to another surface and counts it.
class CountingSurface final : public DialogSurface {
 public:
  explicit CountingSurface(DialogSurface& inner) : inner_(inner) {}
  const OpCounts& Counts() const { return counts_; }

  UnsignedRead ReadUnsigned(int id) override;
  int ReadText(int id, char* buffer, int max) override;
  void WriteText(int id, const char* text) override;
  bool IsModified(int id) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool on) override;
  void SetBarRange(int id, int min, int max) override;
  int BarPos(int id) override;
  void SetBarPos(int id, int pos) override;
  void EnableBarArrows(int id, bool on) override;
  int BarMin(int id) override { return inner_.BarMin(id); }
  int BarMax(int id) override { return inner_.BarMax(id); }
  bool BarArrowsEnabled(int id) override { return inner_.BarArrowsEnabled(id); }

 private:
  DialogSurface& inner_;
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
