// The event-script reader: what it accepts, what it refuses, and how it prints.
#include "runner/script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dialog/headless/headless_dialog.h"

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

std::string ReadAll(std::FILE* file) {
  std::string text;
  std::rewind(file);
  int c;
  while ((c = std::getc(file)) != EOF) text.push_back(static_cast<char>(c));
  return text;
}

Outcome RunText(const std::string& script) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fwrite(script.data(), 1, script.size(), in);
  std::rewind(in);
  HeadlessDialog dialog;
  Outcome run{RunScript(dialog, in, out, err, "runner"), ReadAll(out), ReadAll(err)};
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  return run;
}

// The first n lines of the output.
std::string Head(const std::string& out, int n) {
  std::size_t end = 0;
  for (int i = 0; i < n && end != std::string::npos; ++i) end = out.find('\n', end) + 1;
  return out.substr(0, end);
}

// The first row line of a "show".
std::string FirstRow(const std::string& out) {
  const std::size_t at = out.find("row 1 ");
  return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
}

TEST(RunScript, StartStateFirstRow) {
  const Outcome run = RunText("init\nshow\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(FirstRow(run.out),
            "row 1 odds \"10.7\" mod=0 win \" 8.6%\" bar 857 0..10800 arrows=1 lock=0 scr=0");
  EXPECT_EQ(Head(run.out, 2), "line \"120\" mod=0\nhorses \"14\" mod=0\n");
  EXPECT_EQ(run.out.substr(run.out.size() - 2), "\n\n");
}

TEST(RunScript, ShowPrintsSixteenLinesAndAnEmptyOne) {
  const Outcome run = RunText("show");
  int lines = 0;
  for (char c : run.out) lines += c == '\n';
  EXPECT_EQ(lines, 17);
}

TEST(RunScript, CancelPrintsExitAndStopsReading) {
  const Outcome run = RunText("init\ncommand 2\nshow\nbogus\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "exit 0\n");
  EXPECT_EQ(run.err, "");
}

TEST(RunScript, CrLfCommentsAndAMissingFinalLineEnd) {
  const Outcome run = RunText("# a session\r\n\r\ninit\r\ntype 167 5-2\r\nleave 167\r\nshow");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(FirstRow(run.out).find("odds \"2.5\""), std::string::npos);
}

TEST(RunScript, TypeTakesTheRestOfTheLineSpacesIncluded) {
  Outcome run = RunText("type 144  1 2 \nshow\n");
  EXPECT_EQ(Head(run.out, 1), "line \" 1 2 \" mod=1\n");
  run = RunText("type 146\nshow\n");
  EXPECT_EQ(Head(run.out, 2), "line \"\" mod=0\nhorses \"\" mod=1\n");
}

TEST(RunScript, TextsAreQuotedByteForByte) {
  const Outcome run = RunText("type 167 a\\\"\x01\x7f\xff\r\nshow\n");
  EXPECT_NE(run.out.find("odds \"a\\\\\\\"\\x01\\x7f\\xff\" mod=1"), std::string::npos);
}

TEST(RunScript, LeadingZerosAreNumbers) {
  const Outcome run = RunText("init\nscroll 0101 0001\nshow\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(FirstRow(run.out).find("bar 867 "), std::string::npos);
}

TEST(RunScript, PositionIsOptionalExceptForThumbCodes) {
  EXPECT_EQ(RunText("init\nscroll 101 1 70000\nscroll 101 8\n").status, 0);
  EXPECT_EQ(RunText("init\nscroll 101 4 2147483647\n").status, 0);
  EXPECT_EQ(RunText("init\nscroll 101 5\n").status, 2);
  EXPECT_EQ(RunText("init\nscroll 101 4 2147483648\n").status, 2);
  EXPECT_EQ(RunText("init\nscroll 101 1 99999999999999999999999\n").status, 2);
}

TEST(RunScript, BadLineStopsTheRunAndIsNamed) {
  const Outcome run = RunText("init\nshow\n\nfrob 3\nshow\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, RunText("init\nshow\n").out);  // the first show only
  EXPECT_EQ(run.err, "runner: line 4: unknown command: \"frob 3\"\n");
}

TEST(RunScript, EveryKindOfBadLineIsRefused) {
  for (const char* line : {"init 1",
                           "show x",
                           " init",
                           "init ",
                           "leave",
                           "leave 144 144",
                           "leave 101",
                           "leave -144",
                           "leave +144",
                           "leave 14 4",
                           "leave  144",
                           "click 114",
                           "click 143",
                           "click 167",
                           "scroll 115 1",
                           "scroll 101",
                           "scroll 101 9",
                           "scroll 101 1 -5",
                           "scroll 101 1 2 3",
                           "command 0",
                           "command 3",
                           "command",
                           "type",
                           "type x 5",
                           "type 181 5",
                           "type 145 5",
                           "type  167 5",
                           "type 18446744073709551616 5",
                           "click 18446744073709551744",
                           "INIT",
                           "copy 1",
                           "typo 167",
                           "tote",
                           "tote 0 5-2",
                           "tote 15",
                           "tote  1 5-2",
                           "tote x",
                           "tote list 1",
                           "tote table x",
                           "tote clear ",
                           "edge",
                           "edge 101",
                           "edge -1",
                           "edge 25 25",
                           "import",
                           "import "}) {
    const Outcome run = RunText(std::string("init\n") + line + "\nshow\n");
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_EQ(run.out, "") << line;
    EXPECT_EQ(run.err.rfind("runner: line 2: ", 0), 0u) << line << " -> " << run.err;
  }
}

TEST(RunScript, NulAnywhereIsRefused) {
  const Outcome run = RunText(std::string("init\ntype 167 5\0-2\n", 18));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("line 2"), std::string::npos);
  EXPECT_NE(run.err.find("\\x00"), std::string::npos);
}

TEST(RunScript, LongTextsOfEveryByteAreTaken) {
  std::string script = "init\ntype 167 ";
  for (int byte = 1; byte < 256; ++byte) {
    if (byte != '\n') script.push_back(static_cast<char>(byte));
  }
  script += "\nleave 167\ntype 144 " + std::string(10000, '9') + "\nleave 144\n";
  script += "type 146 " + std::string(10000, ' ') + "5\nleave 146\nshow\n";
  const Outcome run = RunText(script);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Head(run.out, 2), "line \"120\" mod=0\nhorses \" 5\" mod=0\n");
}

}  // namespace
