// Entries imported: both kinds of file read cell by cell, the files refused with their line, a
// race laid out from the file, and the re-import at post time that keeps the line made.
#include "entries/entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book/snapshot.h"
#include "dialog/headless/headless_dialog.h"

namespace {

// A single-file line: the fields given by number, every other of its 1,435 fields empty.
std::string SingleFileLine(const std::vector<std::pair<int, std::string>>& fields) {
  std::string line;
  for (int k = 1; k <= 1435; ++k) {
    if (k > 1) line += ',';
    for (const auto& [at, text] : fields) {
      if (at == k) line += text;
    }
  }
  return line + "\r\n";
}

std::string Horse(const char* race, const char* program, const char* name, const char* ml,
                  const char* flag = "", const char* eligible = "") {
  return SingleFileLine({{1, "\"AQU\""},
                         {2, "20261209"},
                         {3, race},
                         {5, flag},
                         {41, eligible},
                         {43, std::string("\"") + program + '"'},
                         {44, ml},
                         {45, std::string("\"") + name + '"'}});
}

// An entry as one line: race, program, name, ML, then S for scratched and A for an also-eligible.
std::string Line(const Entry& entry) {
  return std::to_string(entry.race) + '|' + entry.horse.program + '|' + entry.horse.name + '|' +
         entry.horse.ml + (entry.scratched ? "|S" : "") + (entry.alsoEligible ? "|A" : "");
}

struct Read {
  const char* what;
  std::string bytes;
  const char* track;
  const char* date;
  std::vector<std::string> entries;
};

TEST(Entries, ReadsTablesAndTheSingleFileFormat) {
  const Read cases[] = {
      {"a tab-separated table, its header's words in any case and blanks",
       "Track\t Race \tPGM\tHorse Name\tM/L\tScratched\tOwner\n"
       "AQU\t1\t1\tSea Bird\t5-2\t\tX\n"
       "\n"
       "AQU\t1\t1A\tSecretariat\t9/5\tY\t\n"
       "\t\t\t\t\t\t\n"
       "\t2\t3\tTom Fool\t\tno\t\n",
       "AQU",
       "",
       {"1|1|Sea Bird|5-2", "1|1A|Secretariat|9/5|S", "2|3|Tom Fool|"}},
      {"a spreadsheet's CSV: a byte-order mark, CR LF, quotes holding commas, quotes, line ends",
       "\xEF\xBB\xBFrace,#,name,ML,date,,\r\n"
       "3,2,\"Bird, Jr.\",3-1,2026-12-09,,\r\n"
       "3,4,\"The \"\"Kid\"\"\r\nof Ocala\",,2026-12-09,,\r\n"
       ",,,,,,\r\n\"\",\" \",,,,,\r\n",
       "",
       "2026-12-09",
       {"3|2|Bird, Jr.|3-1", "3|4|The \"Kid\"  of Ocala|"}},
      {"UTF-8 through the code page, control characters made blanks, texts cut at their limits",
       "race\tname\tprogram\n1\tCaf\xC3\xA9 \xC4\x81 \xE3\x82\xA2\x01x\t12345\n"
       "1\t" +
           std::string(50, 'N') + "\t\n",
       "",
       "",
       {"1|1234|Caf\xE9 a ? x|", "1||" + std::string(40, 'N') + "|"}},
      {"a character whose best fit is a comma stays in its cell",
       "race,name,ml\n1,Sea\xEF\xBC\x8C Bird,5-2\n",
       "",
       "",
       {"1||Sea, Bird|5-2"}},
      {"bytes that are not UTF-8 are code page 1252",
       "race,name\n1,Caf\xE9\n",
       "",
       "",
       {"1||Caf\xE9|"}},
      {"the single-file format: prices on the ladder kept as it prints them, the rest as written",
       Horse("1", "1", "Alpha", "2.50") + Horse("1", "2", "Bravo", "1.80", "S") +
           Horse("1", "2A", "Charlie", "20.00", "", "A") + Horse("2", "1", "Delta", "2.70") +
           "\n,,,\r\n" + Horse("2", "2", "Echo", "0") + Horse("2", "3", "Foxtrot", ""),
       "AQU",
       "2026-12-09",
       {"1|1|Alpha|5-2", "1|2|Bravo|9-5|S", "1|2A|Charlie|20-1|A", "2|1|Delta|2.70", "2|2|Echo|",
        "2|3|Foxtrot|"}},
  };
  for (const Read& read : cases) {
    EntryList list;
    LineFileError error;
    ASSERT_TRUE(ParseEntries(read.bytes, list, error)) << read.what << ": " << error.reason;
    EXPECT_EQ(list.track, read.track) << read.what;
    EXPECT_EQ(list.date, read.date) << read.what;
    std::vector<std::string> lines;
    for (const Entry& entry : list.entries) lines.push_back(Line(entry));
    EXPECT_EQ(lines, read.entries) << read.what;
  }
}

struct Refused {
  std::string bytes;
  int line;
  const char* reason;
};

TEST(Entries, RefusesWhatIsNoFileOfEntriesWithItsLine) {
  const Refused cases[] = {
      {"", 0, "the file is empty"},
      {"\r\n\n", 0, "the file is empty"},
      {"Program\tName\n1\tSea Bird\n", 1, "neither a table"},
      {"race,other\n1,x\n", 1, "neither Program nor Name"},
      {"race\tpgm\t#\n", 1, "names the Program column twice"},
      {"race\tname\n", 0, "lists no entries"},
      {"race\tname\n1\tA\n\nx\tB\n", 4, "the race \"x\" is not a whole number from 1 to 40"},
      {"race\tname\n41\tA\n", 2, "not a whole number from 1 to 40"},
      {"race\tname\tml\n1\t\t5-2\n", 2, "neither a program number nor a name"},
      {std::string("race\tname\n1\tA\n1\tB") + '\0' + "C\n", 3, "a NUL byte"},
      {"race,name,track\n1,A,AQU\n1,B,\n2,C,BEL\n", 4, "a second track, \"BEL\" after \"AQU\""},
      {"race,name,date\n1,A,2026-12-09\n1,B,2026-12-10\n", 3, "a second date"},
      {Horse("1", "1", "A", "") + "1,2,3\n", 2, "3 fields where the single-file format has 45"},
      {Horse("1", "1", "A", "") + Horse("x", "2", "B", ""), 2, "not a whole number"},
  };
  for (const Refused& refused : cases) {
    EntryList list;
    LineFileError error;
    EXPECT_FALSE(ParseEntries(refused.bytes, list, error)) << refused.reason;
    EXPECT_EQ(error.line, refused.line) << refused.reason;
    EXPECT_NE(error.reason.find(refused.reason), std::string::npos) << error.reason;
  }
}

// A dialog started as the program starts, with its card.
struct Session {
  HeadlessDialog dialog;
  Card& card = *dialog.KeptCard();
  Session() { dialog.Init(); }

  ImportPlan Import(const std::string& bytes) {
    EntryList list;
    LineFileError error;
    EXPECT_TRUE(ParseEntries(bytes, list, error)) << error.reason;
    ImportPlan plan = PlanImport(card, dialog.Controls(), list);
    ApplyImport(plan, card, dialog.Controls());
    return plan;
  }
  const HorseIdentity& Row(int r, int i) { return FindRace(card, r)->horses[i - 1]; }
  DialogSnapshot State(int r) { return RaceState(card, dialog.Controls(), r); }
};

std::vector<std::string> Notes(const ImportPlan& plan) {
  std::vector<std::string> notes;
  for (const ImportNote& note : plan.notes) {
    const std::string race = std::to_string(note.race) + ' ';
    switch (note.kind) {
      case ImportNote::NOT_PLACED: notes.push_back("not placed " + race + note.horse.name); break;
      case ImportNote::NOT_IN_FILE: notes.push_back("not in file " + race + note.horse.name); break;
      case ImportNote::FIELD:
        notes.push_back("field " + race + std::to_string(note.horses) + ' ' +
                        std::to_string(note.placed));
        break;
    }
  }
  return notes;
}

TEST(Entries, LaysOutARaceAsItStartedFromTheFile) {
  Session session;
  std::string table = "race\tprogram\tname\tscratched\n";
  table += "1\t1\tA\t\n1\t2\tB\tS\n";
  for (int i = 1; i <= 15; ++i)
    table += "2\t" + std::to_string(i) + "\tH" + std::to_string(i) + "\t\n";
  const ImportPlan plan = session.Import(table);
  EXPECT_EQ(Notes(plan), (std::vector<std::string>{"not placed 2 H15"}));
  // The shown race shows its field of 2, its second horse scratched as a click makes it.
  HeadlessSurface& shown = session.dialog.Controls();
  EXPECT_EQ(ReadFieldSize(shown), 2);
  EXPECT_TRUE(shown.Checked(IDC_SCRATCH + 1));
  EXPECT_EQ(shown.Text(IDC_ODDS + 1), "");
  EXPECT_EQ(shown.Pos(IDC_POOL_BAR), 10800);  // the bar's maximum
  EXPECT_STREQ(session.Row(1, 2).name, "B");
  EXPECT_EQ(session.card.shown, 1);
  // A race the card did not hold is held now, laid out the same way.
  HeadlessSurface second(session.State(2));
  EXPECT_EQ(ReadFieldSize(second), 14);
  EXPECT_STREQ(session.Row(2, 14).name, "H14");
}

TEST(Entries, ReimportKeepsTheLineAndTakesTheLateScratch) {
  Session session;
  session.Import(
      "race\tprogram\tname\tml\n1\t1\tA\t5-2\n1\t2\tB\t3-1\n1\t3\tC\t4-1\n"
      "1\t4\tD\t6-1\n");
  HeadlessDialog& dialog = session.dialog;
  dialog.Type(IDC_ODDS + 1, "2-1");  // B locked at 2-1
  dialog.Leave(IDC_ODDS + 1);
  ToteState tote = *dialog.Tote();
  SetToteText(tote, 2, "7-2");
  dialog.SetTote(tote);
  const int locked = dialog.Controls().Pos(IDC_POOL_BAR + 1);

  // At post time: D dropped, the order changed, C scratched late (its ML left out), a new horse
  // E, B's ML new.
  const std::string post =
      "race\tprogram\tname\tml\tscratched\n1\t3\tC\t\ty\n1\t2\tB\t5-2\t\n1\t5\tE\t\t\n"
      "1\t1\tA\t5-2\t\n";
  const ImportPlan plan = session.Import(post);
  EXPECT_EQ(Notes(plan),
            (std::vector<std::string>{"not placed 1 E", "not in file 1 D", "field 1 4 3"}));
  ASSERT_EQ(plan.races.size(), 1u);
  EXPECT_TRUE(plan.races[0].keepsLine);
  EXPECT_EQ(plan.races[0].matched, 3);
  HeadlessSurface& shown = dialog.Controls();
  EXPECT_STREQ(session.Row(1, 2).ml, "5-2");
  EXPECT_STREQ(session.Row(1, 3).ml, "4-1");  // an empty cell takes nothing away
  EXPECT_STREQ(session.Row(1, 4).name, "D");  // kept with its share
  EXPECT_TRUE(shown.Checked(IDC_LOCK + 1));
  EXPECT_EQ(shown.Pos(IDC_POOL_BAR + 1), locked);
  EXPECT_TRUE(shown.Checked(IDC_SCRATCH + 2));
  EXPECT_EQ(ToteText(*dialog.Tote(), 2), "7-2");
  EXPECT_EQ(ReadFieldSize(shown), 4);

  // The same file again scratches nothing more and changes nothing.
  const DialogSnapshot before = session.State(1);
  const ImportPlan again = session.Import(post);
  EXPECT_EQ(Notes(again), Notes(plan));
  EXPECT_EQ(again.races[0].scratched, 0);
  EXPECT_TRUE(session.State(1) == before);
}

TEST(Entries, APlanChangesNothingUntilApplied) {
  Session session;
  session.dialog.Type(IDC_LINE, "130");
  const DialogSnapshot before = session.dialog.Controls().Snapshot();
  EntryList list;
  LineFileError error;
  ASSERT_TRUE(ParseEntries("race,name,track\n1,A,AQU\n2,B,AQU\n", list, error));
  const ImportPlan plan = PlanImport(session.card, session.dialog.Controls(), list);
  EXPECT_EQ(plan.races.size(), 2u);
  EXPECT_TRUE(session.dialog.Controls().Snapshot() == before);
  EXPECT_EQ(RaceCount(session.card), 1);
  EXPECT_STREQ(session.card.track, "");
  EXPECT_NE(ImportQuestion(plan).find("Race 2: 1 entry placed."), std::string::npos);
}

}  // namespace
