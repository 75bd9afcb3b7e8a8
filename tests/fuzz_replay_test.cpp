// The fuzzers' kept inputs, replayed against the same invariants on every build: the seed
// corpus and every input that once broke an invariant (tests/fuzz/<target>/).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/dialog_invariants.h"
#include "fuzz/import_invariants.h"
#include "fuzz/line_file_invariants.h"
#include "fuzz/odds_invariants.h"
#include "fuzz/reference.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replays every file under the given folders of the source tree; returns how many.
template <typename Check>
int ReplayAll(std::initializer_list<const char*> folders, Check check) {
  int count = 0;
  for (const char* folder : folders) {
    const fs::path dir = fs::path(ODDSMITH_SOURCE_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
      if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.') continue;
      const std::vector<std::uint8_t> data = ReadFile(entry.path());
      EXPECT_EQ(check(data.data(), data.size()), "") << entry.path();
      ++count;
    }
  }
  return count;
}

TEST(FuzzReplay, OddsInputsKeepTheirInvariants) {
  EXPECT_GT(ReplayAll({"fuzz/corpus/odds", "tests/fuzz/odds"}, CheckOddsInput), 0);
}

TEST(FuzzReplay, LineFilesKeepTheirInvariants) {
  EXPECT_GT(ReplayAll({"fuzz/corpus/line_file", "tests/fuzz/line_file"}, CheckLineFile), 0);
}

TEST(FuzzReplay, ImportsKeepTheirInvariants) {
  EXPECT_GT(ReplayAll({"fuzz/corpus/import", "tests/fuzz/import"}, CheckImport), 0);
}

TEST(FuzzReplay, DialogSessionsKeepTheirInvariants) {
  EXPECT_GT(ReplayAll({"fuzz/corpus/dialog", "tests/fuzz/dialog"}, CheckDialogSession), 0);
}

// The checkers are only as good as their reference figures; these are the figures the user
// is promised, so a reference that drifts is caught here rather than hiding a fault.
TEST(FuzzReference, PrintsByTheRule) {
  EXPECT_EQ(reference::Fixed1(8.25, 4), " 8.3");
  EXPECT_EQ(reference::Fixed1(0.25, 2), "0.3");
  EXPECT_EQ(reference::Fixed1(8.45f, 4), " 8.4");
  EXPECT_EQ(reference::Fixed1(-0.04, 2), "0.0");
  EXPECT_EQ(reference::Fixed1(-0.06, 2), "-0.1");
  EXPECT_EQ(reference::Fixed1(99.95, 2), "100.0");
  EXPECT_EQ(reference::Fixed1(1234567890123456.75, 2), "1234567890123450.0");  // 15 digits
  EXPECT_EQ(reference::Int(8, 2), " 8");
}

TEST(FuzzReference, ShowsTheKnownFigures) {
  EXPECT_EQ(reference::OddsText(857), "10.7");
  EXPECT_EQ(reference::WinText(857), " 8.6%");
  EXPECT_EQ(reference::WinText(825), " 8.3%");
  EXPECT_EQ(reference::OddsText(0), "99.0");
  EXPECT_EQ(reference::OddsText(10526), "0.0");
  EXPECT_EQ(reference::OddsText(10527), "-0.1");
  EXPECT_EQ(reference::OddsText(320), "30.3");
}

TEST(FuzzReference, ReadsOddsByTheRule) {
  EXPECT_EQ(reference::Share(reference::Odds("5-2")), 2857);
  EXPECT_EQ(reference::Share(reference::Odds("18-7")), 2799);
  EXPECT_EQ(reference::Share(reference::Odds("2.2")), 3124);
  EXPECT_EQ(reference::Share(reference::Odds("0.6")), 6249);
  EXPECT_EQ(reference::Odds("11-10"), 11.0);
  EXPECT_EQ(reference::Odds("3-2.5"), 1.5);
  EXPECT_EQ(reference::Odds("3-.5"), 3.5);
  EXPECT_EQ(reference::Odds("5--2"), 2.5);
  EXPECT_EQ(reference::Odds("5-a"), 5.0 / 49);
  EXPECT_EQ(reference::Odds("evens"), 0.0);
  EXPECT_EQ(reference::Line("9999999999"), 120);
  EXPECT_EQ(reference::Line("4294967295"), 120);
  EXPECT_EQ(reference::Horses(" 7"), 7);
}

}  // namespace
