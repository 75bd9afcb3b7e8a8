// Time and instructions per event of the core and dispatch on the in-memory controls, each
// against its floor measured in the same run. scripts/bench.sh runs this twice: once for the
// times, once under callgrind with --instructions for the instruction counts.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/core_cases.h"
#include "bench/counts.h"
#include "book/format.h"
#include "entries/entries.h"
#include "files/file_io.h"
#include "files/line_file.h"

namespace {

// Every figure is per event, so a benchmark iteration's figure is divided by this counter.
void SetEvents(benchmark::State& state, int events) { state.counters["events"] = events; }

void EventBench(benchmark::State& state, const EventCase* c) {
  HeadlessDialog dialog;
  Prepare(dialog, *c);
  for (auto _ : state) RunCycle(dialog, *c, true);
  SetEvents(state, CYCLE_EVENTS);
}

void TypingBench(benchmark::State& state, const EventCase* c) {
  HeadlessDialog dialog;
  Prepare(dialog, *c);
  for (auto _ : state) RunTyping(dialog, *c);
  SetEvents(state, CYCLE_EVENTS);
}

void FloorBench(benchmark::State& state, const EventCase* c) {
  const OpCounts counts = CountCycle(*c);
  HeadlessDialog dialog;
  dialog.Init();
  for (auto _ : state) benchmark::DoNotOptimize(Floor(dialog.Controls(), counts));
  SetEvents(state, CYCLE_EVENTS);
}

// Going to another race and back: two switches a cycle, each keeping the race shown and showing
// the other exactly as it was left. Measured against the start-up event, which writes as much.
void SwitchRaces(HeadlessDialog& dialog) {
  dialog.GoToRace(2);
  dialog.GoToRace(1);
}

void PrepareSwitch(HeadlessDialog& dialog) {
  dialog.Init();
  dialog.Type(IDC_ODDS + 2, "5-2");
  dialog.Leave(IDC_ODDS + 2);
  SwitchRaces(dialog);  // race 2 held from now on
}

void RaceSwitchBench(benchmark::State& state) {
  HeadlessDialog dialog;
  PrepareSwitch(dialog);
  for (auto _ : state) SwitchRaces(dialog);
  SetEvents(state, 2);
}

// A day's card of 12 races, each with its field, a scratch, typed odds, named horses with their
// morning lines and tote prices, saved to a file of its own; removed at exit.
class SavedCard {
 public:
  SavedCard() {
    char name[] = "/tmp/oddsmith-bench-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path_ = name;
    HeadlessDialog dialog;
    dialog.Init();
    Card& card = *dialog.KeptCard();
    SetFixedText(card.track, "Aqueduct");
    SetFixedText(card.date, "2026-12-09");
    for (int r = 1; r <= 12; ++r) {
      dialog.GoToRace(r);
      const std::string field = std::to_string(6 + r % 7);
      dialog.Type(IDC_HORSES, field);
      dialog.Leave(IDC_HORSES);
      dialog.Click(IDC_SCRATCH + 1);
      dialog.Type(IDC_ODDS, "5-2");
      dialog.Leave(IDC_ODDS);
      Race& race = ShownRace(card);
      SetFixedText(race.label, "Race of the day " + std::to_string(r));
      for (int i = 0; i < ROW_COUNT; ++i) {
        SetFixedText(race.horses[i].program, std::to_string(i + 1) + (i % 5 == 0 ? "A" : ""));
        SetFixedText(race.horses[i].name,
                     "Horse number " + std::to_string(i + 1) + " of race " + std::to_string(r));
        SetFixedText(race.horses[i].ml, std::to_string(i + 2) + "-1");
        SetToteText(race.tote, i, std::to_string(i + 3) + "-2");
      }
    }
    LineFileError error;
    if (!dialog.SaveLine(path_, error)) {
      std::fprintf(stderr, "oddsmith-bench-core: cannot save %s: %s\n", path_.c_str(),
                   error.reason.c_str());
      std::abort();
    }
  }
  ~SavedCard() { std::remove(path_.c_str()); }
  SavedCard(const SavedCard&) = delete;
  SavedCard& operator=(const SavedCard&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const SavedCard& TwelveRaces() {
  static const SavedCard card;
  return card;
}

void CardOpenBench(benchmark::State& state) {
  HeadlessDialog dialog;
  dialog.Init();
  LineFileError error;
  for (auto _ : state) {
    if (!dialog.OpenLine(TwelveRaces().Path(), error)) state.SkipWithError(error.reason.c_str());
  }
  SetEvents(state, 1);
}

void CardBytesBench(benchmark::State& state) {
  std::string bytes, reason;
  bool tooLarge = false;
  for (auto _ : state) {
    if (!ReadFileLimited(TwelveRaces().Path(), LINE_FILE_SIZE_MAX, bytes, reason, tooLarge)) {
      state.SkipWithError(reason.c_str());
    }
    benchmark::DoNotOptimize(bytes.data());
  }
  SetEvents(state, 1);
}

// A day's entries in the single-file format: 12 races, 110 horses, each line its 1,435 fields
// filled as the vendors fill them (numbers, quoted words, empty fields).
const std::string& TwelveRaceEntries() {
  static const std::string bytes = [] {
    std::string file;
    int horse = 0;
    for (int r = 1; r <= 12; ++r) {
      const int field = r <= 2 ? 10 : 9;  // 2 x 10 + 10 x 9 = 110 horses
      for (int k = 1; k <= field; ++k, ++horse) {
        for (int f = 1; f <= 1435; ++f) {
          if (f > 1) file += ',';
          switch (f) {
            case 1: file += "\"AQU\""; break;
            case 2: file += "20261209"; break;
            case 3: file += std::to_string(r); break;
            case 5: file += k == 3 ? "S" : ""; break;
            case 43: file += '"' + std::to_string(k) + '"'; break;
            case 44: file += std::to_string(k + 1) + ".00"; break;
            case 45:
              file += "\"Horse number " + std::to_string(k) + " of race " + std::to_string(r) + '"';
              break;
            default:
              if (f % 3 == 0) {
                file += std::to_string((f * 7 + horse) % 1000);
              } else if (f % 7 == 0) {
                file += "\"TXT" + std::to_string(f % 50) + '"';
              } else if (f % 5 == 0) {
                file += std::to_string(f % 90) + "." + std::to_string(f % 10) + "0";
              }
          }
        }
        file += "\r\n";
      }
    }
    return file;
  }();
  return bytes;
}

// The import into a card as the program starts, laid out race by race.
void ImportBench(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto dialog = std::make_unique<HeadlessDialog>();
    dialog->Init();
    state.ResumeTiming();
    EntryList list;
    LineFileError error;
    if (!ParseEntries(TwelveRaceEntries(), list, error)) state.SkipWithError(error.reason.c_str());
    Card& card = *dialog->KeptCard();
    const ImportPlan plan = PlanImport(card, dialog->Controls(), list);
    ApplyImport(plan, card, dialog->Controls());
    benchmark::DoNotOptimize(card.races);
    state.PauseTiming();
    dialog.reset();
    state.ResumeTiming();
  }
  SetEvents(state, 1);
}

// The floor of any reader: the same bytes split into lines and their fields.
void SplitBench(benchmark::State& state) {
  std::vector<std::string_view> fields;
  for (auto _ : state) {
    const std::string& bytes = TwelveRaceEntries();
    std::size_t lines = 0;
    std::size_t start = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
      const char c = bytes[at];
      if (c != ',' && c != '\n') continue;
      fields.emplace_back(bytes.data() + start, at - start);
      start = at + 1;
      if (c == '\n') {
        ++lines;
        benchmark::DoNotOptimize(fields.data());
        fields.clear();
      }
    }
    benchmark::DoNotOptimize(lines);
  }
  SetEvents(state, 1);
}

void FormatBench(benchmark::State& state, Formatter format) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatStartUpTexts(format));
  SetEvents(state, 1);
}

// The console's report, and the per-event time of every figure as "name<TAB>nanoseconds"
// lines into out (when not null) for the table.
class TimesReporter final : public benchmark::ConsoleReporter {
 public:
  explicit TimesReporter(std::FILE* out) : out_(out) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    if (!out_) return;
    for (const Run& run : runs) {
      // With repetitions only their median stands for the figure.
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || run.iterations == 0 || !(single || median)) continue;
      const auto events = run.counters.find("events");
      const double per = events == run.counters.end() ? 1.0 : events->second.value;
      const double ns = run.real_accumulated_time / static_cast<double>(run.iterations) * 1e9;
      std::fprintf(out_, "%s\t%.3f\n", run.run_name.str().c_str(), ns / per);
    }
  }

 private:
  std::FILE* out_;
};

void RegisterAll() {
  int count = 0;
  const EventCase* cases = EventCases(count);
  for (int i = 0; i < count; ++i) {
    const std::string name = cases[i].name;
    benchmark::RegisterBenchmark((name + "/event").c_str(), EventBench, &cases[i]);
    benchmark::RegisterBenchmark((name + "/floor").c_str(), FloorBench, &cases[i]);
    if (cases[i].type) {
      benchmark::RegisterBenchmark((name + "/typing").c_str(), TypingBench, &cases[i]);
    }
  }
  benchmark::RegisterBenchmark("28 formats/event", FormatBench, &FormatFixed1);
  benchmark::RegisterBenchmark("28 formats/expanded", FormatBench, &FormatFixed1Expanded);
  benchmark::RegisterBenchmark("race switch/event", RaceSwitchBench);
  benchmark::RegisterBenchmark("12-race card/open", CardOpenBench);
  benchmark::RegisterBenchmark("12-race card/bytes", CardBytesBench);
  benchmark::RegisterBenchmark("12-race entries/import", ImportBench);
  benchmark::RegisterBenchmark("12-race entries/split", SplitBench);
}

// Under callgrind: each figure's instructions from zeroed counters to a dump named after it.
int CountInstructions(int cycles) {
  int count = 0;
  const EventCase* cases = EventCases(count);
  for (int i = 0; i < count; ++i) {
    const EventCase& c = cases[i];
    const std::string name = c.name;
    const OpCounts counts = CountCycle(c);
    HeadlessDialog dialog;
    Prepare(dialog, c);
    HeadlessDialog floor;
    floor.Init();
    long long sink = 0;

    const std::string event = name + "/event", floorName = name + "/floor",
                      typing = name + "/typing";

    ODDSMITH_ZERO_COUNTS();
    for (int k = 0; k < cycles; ++k) RunCycle(dialog, c, true);
    ODDSMITH_DUMP_COUNTS(event.c_str());
    for (int k = 0; k < cycles; ++k) sink += Floor(floor.Controls(), counts);
    ODDSMITH_DUMP_COUNTS(floorName.c_str());
    if (c.type) {
      for (int k = 0; k < cycles; ++k) RunTyping(dialog, c);
      ODDSMITH_DUMP_COUNTS(typing.c_str());
    }
    benchmark::DoNotOptimize(sink);
    std::printf("%s\t%lld operations\n", c.name, counts.Total() / CYCLE_EVENTS);
  }
  int sink = 0;
  ODDSMITH_ZERO_COUNTS();
  for (int k = 0; k < cycles * CYCLE_EVENTS; ++k) sink += FormatStartUpTexts(&FormatFixed1);
  ODDSMITH_DUMP_COUNTS("28 formats/event");
  for (int k = 0; k < cycles * CYCLE_EVENTS; ++k) {
    sink += FormatStartUpTexts(&FormatFixed1Expanded);
  }
  ODDSMITH_DUMP_COUNTS("28 formats/expanded");
  benchmark::DoNotOptimize(sink);
  HeadlessDialog races;
  PrepareSwitch(races);
  ODDSMITH_ZERO_COUNTS();
  for (int k = 0; k < cycles; ++k) SwitchRaces(races);
  ODDSMITH_DUMP_COUNTS("race switch/event");
  return 0;
}

}  // namespace

// Usage: oddsmith-bench-core [--times=FILE] [benchmark flags]
//        oddsmith-bench-core --instructions CYCLES   (under valgrind --tool=callgrind)
int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--instructions") == 0) {
    return CountInstructions(std::atoi(argv[2]));
  }
  const char* timesPath = nullptr;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--times=", 8) == 0) {
      timesPath = argv[i] + 8;
    } else {
      args.push_back(argv[i]);
    }
  }
  int argsCount = static_cast<int>(args.size());
  benchmark::Initialize(&argsCount, args.data());
  if (benchmark::ReportUnrecognizedArguments(argsCount, args.data())) return 2;

  std::FILE* times = timesPath ? std::fopen(timesPath, "w") : nullptr;
  if (timesPath && !times) {
    std::fprintf(stderr, "oddsmith-bench-core: cannot write %s\n", timesPath);
    return 2;
  }
  RegisterAll();
  TimesReporter reporter(times);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (times) std::fclose(times);
  return 0;
}
