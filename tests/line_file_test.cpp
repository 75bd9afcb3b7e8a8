// Line files: every reachable state comes back as it was shown, every bad file is refused with
// its line and reason and changes nothing, and a save never leaves a broken file behind.
#include "files/line_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialog/headless/headless_dialog.h"
#include "files/file_io.h"

namespace {

namespace fs = std::filesystem;

// What "show" and "tote list" print, modified flags left out (an opened file has every one
// clear).
std::string Shown(HeadlessDialog& dialog) {
  const char script[] = "show\ntote list\n";
  std::FILE* in = fmemopen(const_cast<char*>(script), sizeof script - 1, "r");
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  RunScript(dialog, in, out, stderr, "test");
  std::fclose(in);
  std::fclose(out);
  std::string shown(text, size);
  std::free(text);
  for (std::size_t at; (at = shown.find(" mod=1")) != std::string::npos;) shown[at + 5] = '0';
  return shown;
}

// Plays script lines on dialog, as the runner would.
void Play(HeadlessDialog& dialog, const std::string& script) {
  std::FILE* in = fmemopen(const_cast<char*>(script.data()), script.size(), "r");
  std::FILE* out = std::fopen("/dev/null", "w");
  RunScript(dialog, in, out, out, "test");
  std::fclose(in);
  std::fclose(out);
}

// Saves dialog's state through the file format and opens it in a fresh dialog.
void ExpectRoundTrip(HeadlessDialog& dialog) {
  const std::string bytes = FormatLineFile(ReadLineState(dialog.Surface(), *dialog.Tote()));
  LineState state;
  LineFileError error;
  ASSERT_TRUE(ParseLineFile(bytes, state, error)) << error.line << ": " << error.reason;
  HeadlessDialog fresh;
  ShowLineState(fresh.Surface(), state);
  fresh.SetTote(state.tote);
  EXPECT_EQ(Shown(fresh), Shown(dialog));
  EXPECT_EQ(FormatLineFile(state), bytes);
}

std::string ValidFile() {
  HeadlessDialog dialog;
  Play(dialog, "init\ntype 167 5-2\nleave 167\ntote 1 7-2\nedge 30\n");
  return FormatLineFile(ReadLineState(dialog.Surface(), *dialog.Tote()));
}

// Replaces the n-th line (1-based) of file by line.
std::string WithLine(std::string file, int n, const std::string& line) {
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) start = file.find('\n', start) + 1;
  return file.replace(start, file.find('\n', start) - start, line);
}

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/oddsmith-test-XXXXXX";
    path_ = mkdtemp(name);
  }
  ~TempFolder() { fs::remove_all(path_); }
  std::string Path(const char* name) const { return (path_ / name).string(); }
  int Entries() const { return static_cast<int>(std::distance(fs::directory_iterator(path_), {})); }

 private:
  fs::path path_;
};

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LineFile, EveryGoldenSessionComesBackBeforeItsClose) {
  // The sessions that save and open name their files from the current folder: give them one
  // of their own rather than the build tree.
  const TempFolder folder;
  const fs::path before = fs::current_path();
  fs::current_path(folder.Path(""));
  for (const auto& entry : fs::directory_iterator(fs::path(ODDSMITH_SOURCE_DIR) / "tests/golden")) {
    if (entry.path().extension() != ".script") continue;
    std::string script = Contents(entry.path().string());
    const std::size_t close = script.find("command 2");
    if (close != std::string::npos) script.resize(close);
    HeadlessDialog dialog;
    Play(dialog, script);
    SCOPED_TRACE(entry.path().filename().string());
    ExpectRoundTrip(dialog);
  }
  fs::current_path(before);
}

TEST(LineFile, OddStatesComeBack) {
  HeadlessDialog beforeInit;
  ExpectRoundTrip(beforeInit);
  HeadlessDialog dialog;
  // Rows beyond a field of 8, one of them with its "Scr." box cleared by hand; text typed into
  // a scratched row; "15" left in "# of horses:"; a bar range set by another line.
  Play(dialog,
       "init\ntype 146 8\nleave 146\nclick 140\nclick 131\ntype 169 3-1\ntype 144 100\n"
       "leave 144\ntype 146 15\nscroll 105 5 4000\n");
  dialog.Controls().SetBarRange(IDC_POOL_BAR + 12, 0, 81000);
  dialog.Controls().SetBarPos(IDC_POOL_BAR + 12, 70000);
  ExpectRoundTrip(dialog);
  // Every byte but NUL, and the longest texts a field holds: the largest file there is.
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  dialog.Controls().Type(IDC_ODDS, bytes);
  for (int id : {IDC_LINE, IDC_HORSES}) dialog.Controls().Type(id, std::string(40000, '\x7f'));
  for (int i = 1; i < ROW_COUNT; ++i)
    dialog.Controls().Type(IDC_ODDS + i, std::string(40000, '\x81'));
  ToteState tote;
  tote.edge = EDGE_MAX;
  SetToteText(tote, 0, bytes.substr(0, 9) + "\\" + bytes.substr(127, 22));
  for (int i = 1; i < ROW_COUNT; ++i) SetToteText(tote, i, std::string(TOTE_TEXT_MAX, '\x81'));
  dialog.SetTote(tote);
  ExpectRoundTrip(dialog);
  const std::size_t largest = FormatLineFile(ReadLineState(dialog.Surface(), tote)).size();
  // Fifteen full texts and thirteen tote texts, each byte written in four.
  EXPECT_GT(largest,
            std::size_t{4} * (std::size_t{15} * FIELD_TEXT_MAX + std::size_t{13} * TOTE_TEXT_MAX));
  EXPECT_LT(largest, LINE_FILE_SIZE_MAX);
  TempFolder folder;
  LineFileError error;
  ASSERT_TRUE(SaveLineFile(dialog.Surface(), tote, folder.Path("big.oddsline"), error))
      << error.reason;
  HeadlessDialog opened;
  ToteState openedTote;
  LineFileError failure;
  ASSERT_TRUE(OpenLineFile(opened.Surface(), openedTote, folder.Path("big.oddsline"), failure))
      << failure.reason;
  opened.SetTote(openedTote);
  EXPECT_EQ(Shown(opened), Shown(dialog));
  // An edge no window should hold still saves a file that opens, as the figures take it.
  LineState outOfRange;
  outOfRange.tote.edge = 250;
  LineState read;
  ASSERT_TRUE(ParseLineFile(FormatLineFile(outOfRange), read, failure)) << failure.reason;
  EXPECT_EQ(read.tote.edge, EDGE_MAX);
}

// Every byte of a text as a save writes it: a backslash doubled; the control bytes, 0x7F and the
// five bytes the code page leaves undefined escaped in upper-case hex; every other byte as its
// character in UTF-8.
TEST(LineFile, EveryByteIsWrittenAsItsCharacterOrEscaped) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    LineState state;
    state.line = std::string(1, static_cast<char>(byte));
    const std::string file = FormatLineFile(state);
    const std::size_t start = file.find("\nline\t") + 6;
    const std::string written = file.substr(start, file.find('\n', start) - start);
    const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    if (b == '\\') {
      EXPECT_EQ(written, "\\\\");
    } else if (b < 0x20 || b == 0x7F || undefined) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", b);
      EXPECT_EQ(written, escape) << b;
    } else if (b < 0x80) {
      EXPECT_EQ(written, std::string(1, static_cast<char>(b))) << b;
    } else {
      // One character of two or three bytes, which reads back as the byte.
      EXPECT_GE(written.size(), 2u) << b;
      EXPECT_LE(written.size(), 3u) << b;
      LineState read;
      LineFileError error;
      ASSERT_TRUE(ParseLineFile(file, read, error)) << b << ": " << error.reason;
      EXPECT_EQ(read.line, state.line) << b;
    }
  }
  LineState euro;
  euro.line = "\x80\xFF\xA0";
  EXPECT_NE(FormatLineFile(euro).find("line\t\xE2\x82\xAC\xC3\xBF\xC2\xA0\n"), std::string::npos);
}

TEST(LineFile, HandEditedFilesReadAsTypingWould) {
  std::string file = ValidFile();
  // A byte-order mark, CR LF line ends, characters the code page lacks or fits.
  std::string edited = "\xEF\xBB\xBF";
  for (const char c : WithLine(file, 2, "line\t\xEF\xBC\x91\xE4\xB8\x80\xF0\x9F\x98\x80\\x41")) {
    if (c == '\n') edited += '\r';
    edited += c;
  }
  LineState state;
  LineFileError error;
  ASSERT_TRUE(ParseLineFile(edited, state, error)) << error.line << ": " << error.reason;
  EXPECT_EQ(state.line, "1???A");
}

struct BadFile {
  const char* what;
  std::string bytes;
  int line;
  const char* reason;  // a part of the reason
};

TEST(LineFile, BadFilesAreRefusedWithTheirLineAndChangeNothing) {
  const std::string good = ValidFile();
  std::string later = WithLine(good, 1, "oddsmith line\t7");
  const BadFile cases[] = {
      {"empty", "", 0, "empty"},
      {"not a line file", "horse\todds\n", 1, "not an Oddsmith line file"},
      {"a later version", later, 1, "version 7"},
      {"version zero", WithLine(good, 1, "oddsmith line\t0"), 1, "no version"},
      {"cut within a row", good.substr(0, good.find("\n7\t") + 5), 11, "cut short"},
      {"cut before the end", good.substr(0, good.rfind("end")), 20, "cut short"},
      {"end without line end", good.substr(0, good.size() - 1), 20, "cut short"},
      {"a row missing", WithLine(good, 7, "4\t1\t2\t3\t0\t10800\t1\t0\t0\t"), 7, "missing"},
      {"a row twice", WithLine(good, 7, "2\tx\ty\t3\t0\t10800\t1\t0\t0\t"), 7, "twice"},
      {"a row too many", WithLine(good, 19, "15\tx\ty\t3\t0\t10800\t1\t0\t0\t"), 19,
       "more than 14"},
      {"not a number", WithLine(good, 5, "1\t2.5\t28.6%\t2x57\t0\t10800\t1\t1\t0\t"), 5,
       "whole numbers"},
      {"a sign", WithLine(good, 5, "1\t2.5\t28.6%\t-1\t0\t10800\t1\t1\t0\t"), 5, "whole numbers"},
      {"a range off the lines", WithLine(good, 5, "1\t2.5\t28.6%\t5\t0\t10801\t1\t1\t0\t"), 5,
       "range"},
      {"a range too wide", WithLine(good, 5, "1\t2.5\t28.6%\t5\t0\t81090\t1\t1\t0\t"), 5, "range"},
      {"outside the range", WithLine(good, 5, "1\t2.5\t28.6%\t10810\t0\t10800\t1\t1\t0\t"), 5,
       "outside"},
      {"a mark of 2", WithLine(good, 5, "1\t2.5\t28.6%\t2857\t0\t10800\t1\t2\t0\t"), 5, "0 or 1"},
      {"a NUL byte", WithLine(good, 3, std::string("horses\t1\0", 9)), 3, "NUL"},
      {"an escaped NUL", WithLine(good, 3, "horses\t\\x00"), 3, "NUL"},
      {"a bad escape", WithLine(good, 3, "horses\t\\n"), 3, "escape"},
      {"a raw control", WithLine(good, 3, "horses\t\x01"), 3, "control"},
      {"not UTF-8", WithLine(good, 3, "horses\t\xE9t\xE9"), 3, "UTF-8"},
      {"an overlong form", WithLine(good, 3, "horses\t\xC0\xAF"), 3, "UTF-8"},
      {"an overlong three bytes", WithLine(good, 3, "horses\t\xE0\x80\x80"), 3, "UTF-8"},
      {"an overlong four bytes", WithLine(good, 3, "horses\t\xF0\x8F\xBF\xBF"), 3, "UTF-8"},
      {"beyond U+10FFFF", WithLine(good, 3, "horses\t\xF4\x90\x80\x80"), 3, "UTF-8"},
      {"a lone surrogate", WithLine(good, 3, "horses\t\xED\xA0\x80"), 3, "UTF-8"},
      {"ends after the column names", good.substr(0, good.find("\n1\t") + 1), 5, "cut short"},
      {"a text too long", WithLine(good, 3, "horses\t" + std::string(FIELD_TEXT_MAX + 1, '1')), 3,
       "32767"},
      {"text after the end", good + "more\n", 21, "after the end"},
      {"a field missing", WithLine(good, 5, "1\t2.5\t28.6%\t2857\t0\t10800\t1\t1\t0"), 5,
       "10 fields"},
      {"version 1's columns",
       WithLine(good, 4, "horse\todds\tto win\tbar\tmin\tmax\tarrows\tlock\tscr"), 4,
       "column names"},
      {"a tote text too long",
       WithLine(good, 6, "2\t2.5\t28.6%\t2857\t0\t10800\t1\t1\t0\t" + std::string(33, '5')), 6,
       "longer than 32 bytes"},
      {"no edge line", WithLine(good, 19, "end"), 19, "edge line expected"},
      {"an edge over 100", WithLine(good, 19, "edge\t101"), 19, "0 to 100"},
      {"an edge with a sign", WithLine(good, 19, "edge\t+5"), 19, "0 to 100"},
  };
  for (const BadFile& bad : cases) {
    LineState state;
    LineFileError error;
    EXPECT_FALSE(ParseLineFile(bad.bytes, state, error)) << bad.what;
    EXPECT_EQ(error.line, bad.line) << bad.what << ": " << error.reason;
    EXPECT_NE(error.reason.find(bad.reason), std::string::npos) << bad.what << ": " << error.reason;
  }
  // Cut anywhere, a file is refused.
  for (std::size_t size = 0; size < good.size(); ++size) {
    LineState state;
    LineFileError error;
    EXPECT_FALSE(ParseLineFile(good.substr(0, size), state, error)) << size;
  }

  // From the disk: each refusal names why and leaves the dialog as it was.
  TempFolder folder;
  const std::string big = folder.Path("big.oddsline");
  std::ofstream(big) << std::string(LINE_FILE_SIZE_MAX + 1, ' ');
  HeadlessDialog dialog;
  Play(dialog, "init\ntype 168 3-1\ntote 2 3-1\nedge 40\n");
  const std::string before = Shown(dialog);
  const std::pair<std::string, const char*> files[] = {
      {folder.Path("missing.oddsline"), "no such file"},
      {folder.Path(""), "folder"},
      {big, "larger"},
  };
  for (const auto& [path, reason] : files) {
    LineFileError error;
    EXPECT_FALSE(dialog.OpenLine(path, error)) << path;
    EXPECT_NE(error.reason.find(reason), std::string::npos) << error.reason;
  }
  std::ofstream(folder.Path("later.oddsline")) << later;
  std::ofstream(folder.Path("edge.oddsline")) << WithLine(good, 19, "edge\t101");
  for (const char* name : {"later.oddsline", "edge.oddsline"}) {
    LineFileError error;
    EXPECT_FALSE(dialog.OpenLine(folder.Path(name), error)) << name;
  }
  EXPECT_EQ(Shown(dialog), before);
  EXPECT_TRUE(dialog.Controls().Modified(IDC_ODDS + 1));
}

TEST(LineFile, VersionOneOpensWithAnEmptyTote) {
  HeadlessDialog dialog;
  Play(dialog, "init\ntote 3 5-2\nedge 40\n");
  LineFileError error;
  ASSERT_TRUE(dialog.OpenLine(ODDSMITH_SOURCE_DIR "/tests/data/version-1.oddsline", error))
      << error.reason;
  EXPECT_EQ(*dialog.Tote()->text[2], '\0');
  EXPECT_EQ(dialog.Tote()->edge, EDGE_DEFAULT);
  EXPECT_EQ(dialog.Controls().Text(IDC_ODDS + 13), "3-1");
}

TEST(LineFile, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder.Path("card.oddsline");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "the old line\n", error));
  const WriteFault halfWay{6};
  EXPECT_FALSE(WriteFileAtomically(path, "a new line that does not fit\n", error, &halfWay));
  EXPECT_EQ(error, "the disk is full");
  EXPECT_EQ(Contents(path), "the old line\n");
  EXPECT_EQ(folder.Entries(), 1);
  // Failures that hold for root too: the target is a folder, its parent is a file.
  fs::create_directory(folder.Path("folder"));
  EXPECT_FALSE(WriteFileAtomically(folder.Path("folder"), "x", error));
  EXPECT_NE(error.find("folder"), std::string::npos);
  EXPECT_FALSE(WriteFileAtomically(path + "/inside", "x", error));
  EXPECT_EQ(Contents(path), "the old line\n");
  EXPECT_EQ(folder.Entries(), 2);
}

}  // namespace
