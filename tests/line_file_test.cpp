// Line files: every reachable state comes back as it was shown, every bad file is refused with
// its line and reason and changes nothing, and a save never leaves a broken file behind.
#include "files/line_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "dialog/headless/headless_dialog.h"
#include "files/file_io.h"

namespace {

namespace fs = std::filesystem;

// What "show", "tote list" and "card list" print, modified flags left out (an opened file has
// every one clear).
std::string Shown(HeadlessDialog& dialog) {
  const char script[] = "show\ntote list\ncard list\n";
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

std::string FileOf(HeadlessDialog& dialog) {
  return FormatLineFile(CardStateOf(*dialog.KeptCard(), dialog.Surface()));
}

// Saves dialog's card through the file format and opens it in a fresh dialog.
void ExpectRoundTrip(HeadlessDialog& dialog) {
  const std::string bytes = FileOf(dialog);
  CardState state;
  LineFileError error;
  ASSERT_TRUE(ParseLineFile(bytes, state, error)) << error.line << ": " << error.reason;
  HeadlessDialog fresh;
  ShowCardState(state, *fresh.KeptCard(), fresh.Surface());
  EXPECT_EQ(Shown(fresh), Shown(dialog));
  EXPECT_EQ(FormatLineFile(state), bytes);
}

// A card of one race: 1 the version, 2 track, 3 date, 4 bankroll, 5 kelly, 6 race, 7 label,
// 8 line, 9 horses, 10 the column names, 11-24 the rows, 25 edge, 26 current, 27 end.
std::string ValidFile() {
  HeadlessDialog dialog;
  Play(dialog, "init\ntype 167 5-2\nleave 167\ntote 1 7-2\nedge 30\nname 2 Sea Bird\n");
  return FileOf(dialog);
}

// A card of races 2 and 5, race 5 shown: race 2's block starts at line 6, race 5's at 26; 46
// current, 47 end.
std::string TwoRaces() {
  CardState card;
  card.races.resize(2);
  card.races[0].number = 2;
  card.races[1].number = 5;
  card.current = 5;
  return FormatLineFile(card);
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
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
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
  // Every byte but NUL in a text, a tote text and each part of an identity; races held but
  // never changed, a label, no track, the shown race neither the first nor the last.
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  dialog.Controls().Type(IDC_ODDS, bytes);
  ToteState tote;
  tote.edge = EDGE_MAX;
  SetToteText(tote, 0, bytes.substr(0, 9) + "\\" + bytes.substr(127, 22));
  dialog.SetTote(tote);
  Play(dialog,
       "race 40\nrace 3\nlabel \\x\t\x80\ndate 2026-12-09\nprogram 14 1A\x9D\n"
       "name 1 " +
           bytes.substr(0, 40) + "\nml 7 " + bytes.substr(200, 8) + "\n");
  ExpectRoundTrip(dialog);
  // An edge no window should hold still saves a file that opens, as the figures take it.
  CardState outOfRange;
  outOfRange.races.resize(1);
  outOfRange.races[0].tote.edge = 250;
  CardState read;
  LineFileError failure;
  ASSERT_TRUE(ParseLineFile(FormatLineFile(outOfRange), read, failure)) << failure.reason;
  EXPECT_EQ(read.races[0].tote.edge, EDGE_MAX);
}

// The largest card there is: every race held, every text at its limit in bytes written in four.
// It saves, stays under the size a file may have, and opens as it was.
TEST(LineFile, TheLargestCardSavesAndOpens) {
  CardState card;
  card.track.assign(TRACK_MAX, '\x7f');
  card.date.assign(DATE_MAX, '\x81');
  for (int r = 1; r <= RACE_MAX; ++r) {
    LineState race;
    race.number = r;
    race.label.assign(LABEL_MAX, '\x01');
    race.line.assign(FIELD_TEXT_MAX, '\x7f');
    race.horses.assign(FIELD_TEXT_MAX, '\x8d');
    for (int i = 0; i < ROW_COUNT; ++i) {
      RowState& row = race.rows[i];
      row.odds.assign(FIELD_TEXT_MAX, '\x81');
      row.win.assign(FIELD_TEXT_MAX, '\x1f');
      row.max = 10800;
      SetFixedText(row.horse.program, std::string(PROGRAM_MAX, '\x8f'));
      SetFixedText(row.horse.name, std::string(HORSE_NAME_MAX, '\x90'));
      SetFixedText(row.horse.ml, std::string(MORNING_LINE_MAX, '\x9d'));
      SetToteText(race.tote, i, std::string(TOTE_TEXT_MAX, '\x7f'));
    }
    card.races.push_back(std::move(race));
  }
  card.current = RACE_MAX;
  HeadlessDialog dialog;
  ShowCardState(card, *dialog.KeptCard(), dialog.Surface());
  const TempFolder folder;
  LineFileError error;
  ASSERT_TRUE(dialog.SaveLine(folder.Path("big.oddsline"), error)) << error.reason;
  const std::string bytes = Contents(folder.Path("big.oddsline"));
  EXPECT_GT(bytes.size(), std::size_t{4} * RACE_MAX * 30 * FIELD_TEXT_MAX);
  EXPECT_LT(bytes.size(), LINE_FILE_SIZE_MAX);
  HeadlessDialog opened;
  ASSERT_TRUE(opened.OpenLine(folder.Path("big.oddsline"), error)) << error.reason;
  EXPECT_EQ(FileOf(opened), bytes);
}

// Every byte of a text as a save writes it: a backslash doubled; the control bytes, 0x7F and the
// five bytes the code page leaves undefined escaped in upper-case hex; every other byte as its
// character in UTF-8.
TEST(LineFile, EveryByteIsWrittenAsItsCharacterOrEscaped) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    CardState state;
    state.races.resize(1);
    state.races[0].line = std::string(1, static_cast<char>(byte));
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
      CardState read;
      LineFileError error;
      ASSERT_TRUE(ParseLineFile(file, read, error)) << b << ": " << error.reason;
      EXPECT_EQ(read.races[0].line, state.races[0].line) << b;
    }
  }
  CardState euro;
  euro.races.resize(1);
  euro.races[0].line = "\x80\xFF\xA0";
  EXPECT_NE(FormatLineFile(euro).find("line\t\xE2\x82\xAC\xC3\xBF\xC2\xA0\n"), std::string::npos);
}

TEST(LineFile, HandEditedFilesReadAsTypingWould) {
  std::string file = ValidFile();
  // A byte-order mark, CR LF line ends, characters the code page lacks or fits.
  std::string edited = "\xEF\xBB\xBF";
  for (const char c : WithLine(file, 8, "line\t\xEF\xBC\x91\xE4\xB8\x80\xF0\x9F\x98\x80\\x41")) {
    if (c == '\n') edited += '\r';
    edited += c;
  }
  CardState state;
  LineFileError error;
  ASSERT_TRUE(ParseLineFile(edited, state, error)) << error.line << ": " << error.reason;
  EXPECT_EQ(state.races[0].line, "1???A");

  // Saved back by a spreadsheet as tab-separated text: every line as wide as the widest, CR LF,
  // an empty row at the end. It opens as the file it was.
  std::string padded;
  std::size_t start = 0;
  for (std::size_t end; (end = file.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = file.substr(start, end - start);
    const auto cells = std::count(line.begin(), line.end(), '\t') + 1;
    line.append(static_cast<std::size_t>(13 - cells), '\t');
    padded += line + "\r\n";
  }
  padded += std::string(12, '\t') + "\r\n\r\n";
  CardState spreadsheet;
  ASSERT_TRUE(ParseLineFile(padded, spreadsheet, error)) << error.line << ": " << error.reason;
  ASSERT_TRUE(ParseLineFile(file, state, error));
  EXPECT_EQ(FormatLineFile(spreadsheet), FormatLineFile(state));
}

struct BadFile {
  const char* what;
  std::string bytes;
  int line;
  const char* reason;  // a part of the reason
};

TEST(LineFile, BadFilesAreRefusedWithTheirLineAndChangeNothing) {
  const std::string good = ValidFile();
  const std::string two = TwoRaces();
  const std::string later = WithLine(good, 1, "oddsmith line\t7");
  const std::string row = "\t2.5\t28.6%\t2857\t0\t10800\t1\t1\t0\t";  // a row's fields 2 to 10
  const BadFile cases[] = {
      {"empty", "", 0, "empty"},
      {"not a line file", "horse\todds\n", 1, "not an Oddsmith line file"},
      {"a picture renamed", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n", 17), 1,
       "not an Oddsmith line file"},
      {"a later version", later, 1, "version 7"},
      {"version zero", WithLine(good, 1, "oddsmith line\t0"), 1, "no version"},
      {"cut within a row", good.substr(0, good.find("\n7\t") + 5), 17, "cut short"},
      {"cut before the end", good.substr(0, good.rfind("end")), 27, "cut short"},
      {"end without line end", good.substr(0, good.size() - 1), 27, "cut short"},
      {"a row missing", WithLine(good, 13, "4" + row + "\t\t\t"), 13, "missing"},
      {"a row twice", WithLine(good, 13, "2" + row + "\t\t\t"), 13, "twice"},
      {"a row too many", WithLine(good, 25, "15" + row + "\t\t\t"), 25, "more than 14"},
      {"not a number", WithLine(good, 11, "1\t2.5\t28.6%\t2x57\t0\t10800\t1\t1\t0\t\t\t\t"), 11,
       "whole numbers"},
      {"a sign", WithLine(good, 11, "1\t2.5\t28.6%\t-1\t0\t10800\t1\t1\t0\t\t\t\t"), 11,
       "whole numbers"},
      {"a range off the lines", WithLine(good, 11, "1\t2.5\t28.6%\t5\t0\t10801\t1\t1\t0\t\t\t\t"),
       11, "range"},
      {"a range too wide", WithLine(good, 11, "1\t2.5\t28.6%\t5\t0\t81090\t1\t1\t0\t\t\t\t"), 11,
       "range"},
      {"outside the range", WithLine(good, 11, "1\t2.5\t28.6%\t10810\t0\t10800\t1\t1\t0\t\t\t\t"),
       11, "outside"},
      {"a mark of 2", WithLine(good, 11, "1\t2.5\t28.6%\t2857\t0\t10800\t1\t2\t0\t\t\t\t"), 11,
       "0 or 1"},
      {"a NUL byte", WithLine(good, 9, std::string("horses\t1\0", 9)), 9, "NUL"},
      {"an escaped NUL", WithLine(good, 9, "horses\t\\x00"), 9, "NUL"},
      {"a bad escape", WithLine(good, 9, "horses\t\\n"), 9, "escape"},
      {"a raw control", WithLine(good, 9, "horses\t\x01"), 9, "control"},
      {"not UTF-8", WithLine(good, 9, "horses\t\xE9t\xE9"), 9, "UTF-8"},
      {"an overlong form", WithLine(good, 9, "horses\t\xC0\xAF"), 9, "UTF-8"},
      {"an overlong three bytes", WithLine(good, 9, "horses\t\xE0\x80\x80"), 9, "UTF-8"},
      {"an overlong four bytes", WithLine(good, 9, "horses\t\xF0\x8F\xBF\xBF"), 9, "UTF-8"},
      {"beyond U+10FFFF", WithLine(good, 9, "horses\t\xF4\x90\x80\x80"), 9, "UTF-8"},
      {"a lone surrogate", WithLine(good, 9, "horses\t\xED\xA0\x80"), 9, "UTF-8"},
      {"ends after the column names", good.substr(0, good.find("\n1\t") + 1), 11, "cut short"},
      {"a text too long", WithLine(good, 9, "horses\t" + std::string(FIELD_TEXT_MAX + 1, '1')), 9,
       "32767"},
      {"text after the end", good + "more\n", 28, "after the end"},
      {"a field missing", WithLine(good, 11, "1" + row + "\t\t"), 11,
       "a horse row with 12 fields, where a row of version 4 has 13"},
      {"version 2's columns",
       WithLine(good, 10, "horse\todds\tto win\tbar\tmin\tmax\tarrows\tlock\tscr\ttote"), 10,
       "column names"},
      {"a tote text too long", WithLine(good, 12, "2" + row + std::string(33, '5') + "\t\t\t"), 12,
       "longer than 32 bytes"},
      {"no edge line", WithLine(good, 25, "current\t1"), 25, "edge line expected"},
      {"an edge over 100", WithLine(good, 25, "edge\t101"), 25, "0 to 100"},
      {"an edge with a sign", WithLine(good, 25, "edge\t+5"), 25, "0 to 100"},
      // The card's own lines.
      {"no track line", WithLine(good, 2, "date\t"), 2, "\"track\""},
      {"a track too long", WithLine(good, 2, "track\t" + std::string(TRACK_MAX + 1, 'T')), 2,
       "a track longer than 40 bytes"},
      {"a date too long", WithLine(good, 3, "date\t2026-12-09X"), 3, "longer than 10 bytes"},
      {"a bankroll too large", WithLine(good, 4, "bankroll\t10000001"), 4, "a bankroll"},
      {"a bankroll with a sign", WithLine(good, 4, "bankroll\t-5"), 4, "a bankroll"},
      {"no bankroll line", WithLine(good, 4, "race\t1"), 4, "\"bankroll\""},
      {"a Kelly fraction of 0", WithLine(good, 5, "kelly\t0"), 5, "Kelly fraction"},
      {"a label too long", WithLine(good, 7, "label\t" + std::string(LABEL_MAX + 1, 'L')), 7,
       "longer than 24 bytes"},
      {"a program number too long", WithLine(good, 11, "1" + row + "\t1234A\t\t"), 11,
       "longer than 4 bytes"},
      {"a name too long", WithLine(good, 11, "1" + row + "\t\t" + std::string(41, 'N') + "\t"), 11,
       "longer than 40 bytes"},
      {"a morning line too long", WithLine(good, 11, "1" + row + "\t\t\t99999-999"), 11,
       "longer than 8 bytes"},
      {"no race", WithLine(good, 6, "label\t"), 6, "race line expected"},
      {"race 0", WithLine(good, 6, "race\t0"), 6, "1 to 40"},
      {"race 41", WithLine(good, 6, "race\t41"), 6, "1 to 40"},
      {"a race number with a sign", WithLine(good, 6, "race\t+1"), 6, "1 to 40"},
      {"races out of order", WithLine(two, 26, "race\t1"), 26, "twice or out of order"},
      {"a race twice", WithLine(two, 26, "race\t2"), 26, "twice or out of order"},
      {"current not in the file", WithLine(good, 26, "current\t2"), 26, "none of the file's"},
      {"current outside 1 to 40", WithLine(two, 46, "current\t41"), 46, "none of the file's"},
      {"no current line", WithLine(good, 26, "end"), 26, "current line expected"},
  };
  for (const BadFile& bad : cases) {
    CardState state;
    LineFileError error;
    EXPECT_FALSE(ParseLineFile(bad.bytes, state, error)) << bad.what;
    EXPECT_EQ(error.line, bad.line) << bad.what << ": " << error.reason;
    EXPECT_NE(error.reason.find(bad.reason), std::string::npos) << bad.what << ": " << error.reason;
  }
  // Cut anywhere, a file is refused.
  for (std::size_t size = 0; size < good.size(); ++size) {
    CardState state;
    LineFileError error;
    EXPECT_FALSE(ParseLineFile(good.substr(0, size), state, error)) << size;
  }

  // From the disk: each refusal names why and leaves the dialog as it was.
  TempFolder folder;
  const std::string big = folder.Path("big.oddsline");
  std::ofstream(big) << std::string(LINE_FILE_SIZE_MAX + 1, ' ');
  HeadlessDialog dialog;
  Play(dialog, "init\nrace 4\nrace 1\ntype 168 3-1\ntote 2 3-1\nedge 40\nname 3 Dancer\n");
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
  std::ofstream(folder.Path("edge.oddsline")) << WithLine(good, 25, "edge\t101");
  std::ofstream(folder.Path("current.oddsline")) << WithLine(two, 46, "current\t3");
  for (const char* name : {"later.oddsline", "edge.oddsline", "current.oddsline"}) {
    LineFileError error;
    EXPECT_FALSE(dialog.OpenLine(folder.Path(name), error)) << name;
  }
  EXPECT_EQ(Shown(dialog), before);
  EXPECT_TRUE(dialog.Controls().Modified(IDC_ODDS + 1));
}

// Files of the earlier versions open as a card of race 1 alone, no track, date or label.
// The day's money goes with the card; a card of version 3, which has none, opens without a
// bankroll at the first fraction.
TEST(LineFile, TheBankrollAndKellyFractionComeBack) {
  HeadlessDialog dialog;
  Play(dialog, "init\nbankroll 2500\nkelly 30\n");
  CardState state;
  LineFileError error;
  ASSERT_TRUE(ParseLineFile(FileOf(dialog), state, error)) << error.reason;
  EXPECT_EQ(state.bankroll, 2500);
  EXPECT_EQ(state.kelly, 30);
  std::string three = WithLine(FileOf(dialog), 1, "oddsmith line\t3");
  three.erase(three.find("bankroll"), three.find("race\t") - three.find("bankroll"));
  ASSERT_TRUE(ParseLineFile(three, state, error)) << error.line << ": " << error.reason;
  EXPECT_EQ(state.bankroll, NO_BANKROLL);
  EXPECT_EQ(state.kelly, KELLY_DEFAULT);
}

TEST(LineFile, EarlierVersionsOpenAsACardOfOneRace) {
  HeadlessDialog dialog;
  Play(dialog, "init\ntote 3 5-2\nedge 40\ntrack Belmont\nrace 6\nname 1 Dancer\n");
  LineFileError error;
  ASSERT_TRUE(dialog.OpenLine(ODDSMITH_SOURCE_DIR "/tests/data/version-1.oddsline", error))
      << error.reason;
  EXPECT_EQ(*dialog.Tote()->text[2], '\0');
  EXPECT_EQ(dialog.Tote()->edge, EDGE_DEFAULT);
  EXPECT_EQ(dialog.Controls().Text(IDC_ODDS + 13), "3-1");
  const std::string oneRace = "card \"\" \"\" shown 1\nrace 1 \"\"\n";
  EXPECT_EQ(Shown(dialog).find(oneRace), Shown(dialog).find("card "));
  // Written by the program before cards: its tote texts, edge and every text as shown.
  ASSERT_TRUE(dialog.OpenLine(ODDSMITH_SOURCE_DIR "/tests/data/version-2.oddsline", error))
      << error.reason;
  const std::string shown = Shown(dialog);
  for (const char* part : {"line \"12\" mod=0\nhorses \" 8\" mod=0\n",
                           "row 3 odds \"\" mod=0 win \"\" bar 1307 0..10800 arrows=0 lock=0 scr=1",
                           "tote 2 \"\\xe9t\\xe9\"", "edge 30", oneRace.c_str()}) {
    EXPECT_NE(shown.find(part), std::string::npos) << part << "\n" << shown;
  }
  EXPECT_EQ(RaceCount(*dialog.KeptCard()), 1);
  EXPECT_EQ(*dialog.KeptCard()->track, '\0');
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
