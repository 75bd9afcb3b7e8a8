// The event-script language of oddsmith-headless: one user action, or a look at the dialog, a
// line. A line is parsed once into a ScriptCommand and applied through the table of commands in
// script.cpp, so that the same scripts replay on the headless dialog and on the real dialogs of
// each window system, and the fuzzers speak the same commands.
#ifndef ODDSMITH_RUNNER_SCRIPT_H
#define ODDSMITH_RUNNER_SCRIPT_H

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "card/card.h"
#include "dialog/surface.h"
#include "entries/entries.h"
#include "exotics/exotics.h"
#include "files/line_file.h"
#include "sheet/sheet.h"
#include "tote/tote.h"

// One line of a script.
struct ScriptCommand {
  enum Kind {
    INIT,        // init
    TYPE,        // type ID TEXT: the user replaces edit field ID's text by TEXT
    LEAVE,       // leave ID: edit field ID loses the focus
    CLICK,       // click ID: the user clicks check box ID
    SCROLL,      // scroll ID CODE [POS]: pool bar ID scrolls
    COMMAND,     // command ID: 1 (Enter) or 2 (Escape, the close box)
    SHOW,        // show: prints every row's state
    COPY,        // copy: "Copy line", printing the table it copies
    SAVE,        // save PATH
    OPEN,        // open PATH
    TOTE,        // tote K [TEXT]: horse K's tote price becomes TEXT, or empty
    TOTE_CLEAR,  // tote clear
    TOTE_TABLE,  // tote table
    TOTE_LIST,   // tote list
    EDGE,        // edge N
    RACE,        // race N: the card shows race N
    PROGRAM,     // program K [TEXT]: horse K's program number in the shown race
    NAME,        // name K [TEXT]: its name
    ML,          // ml K [TEXT]: its morning line
    TRACK,       // track [TEXT]: the card's track
    DATE,        // date [TEXT]: the card's date
    LABEL,       // label [TEXT]: the shown race's label
    CARD_LIST,   // card list: prints the card
    IMPORT,      // import PATH: the entries of a table or a single-file card, placed on the card
    UNDO,        // undo: the shown race as it was before the last step
    REDO,        // redo: as it was after the step undone last
    SHEET,       // sheet W H: prints the card's sheet on a page of W by H points
    BANKROLL,    // bankroll [N]: the card's bankroll becomes N dollars, or none
    KELLY,       // kelly N: the card's Kelly fraction becomes N percent
    TICKET,      // ticket TYPE BASE SETS: prints an exotic ticket's price
  } kind = INIT;
  // The control or command identifier; the horse, 1 to 14, of TOTE, PROGRAM, NAME and ML; the
  // race of RACE; SHEET's page width in points.
  int id = 0;
  unsigned code = 0;  // a scroll's code, 0 to 8
  // A scroll's thumb position (0 where the line has none); EDGE's percent; SHEET's page height;
  // BANKROLL's dollars (-1 for none); KELLY's percent.
  int pos = 0;
  bool hasPos = false;  // whether the scroll's line gives its position
  // The text of TYPE, TOTE and the card's commands, the path of SAVE, OPEN and IMPORT.
  std::string text;
  Ticket ticket;  // TICKET's
};

// Reads one line that is neither empty nor a comment into command. Returns nullptr, or what is
// wrong with the line ("unknown command", "missing argument", ...).
const char* ParseCommand(std::string_view line, ScriptCommand& command);

// The line that stands for command, as ParseCommand reads it back.
std::string FormatCommand(const ScriptCommand& command);

// A dialog that scripts drive. Each event is delivered as the window system would deliver it,
// including the destruction that follows the end of the dialog.
class ScriptTarget {
 public:
  virtual void Init() = 0;                                   // the initialisation message
  virtual void Type(int editId, std::string_view text) = 0;  // replace text, set modified
  virtual void Leave(int editId) = 0;                        // EN_KILLFOCUS from the field
  virtual void Click(int boxId) = 0;                         // toggle the mark, BN_CLICKED
  // A scroll message from bar barId; pos is the full thumb position for the thumb codes.
  virtual void Scroll(int barId, unsigned code, int pos) = 0;
  virtual void Command(int id) = 0;  // a command with notification code 0
  // True once the quit message has been posted, with its code.
  virtual bool QuitPosted(int& code) = 0;

  // The controls as they show now, for "show".
  virtual DialogSnapshot Shown() = 0;
  // "Copy line": takes what is being typed as leaving each field would, then returns the text
  // it puts on the clipboard, with LF line ends.
  virtual std::string CopiedLine() = 0;

  // "save PATH" and "open PATH": the dialog's state to and from a line file (line_file.h).
  // False with the reason when it fails, the dialog then as it was. A dialog that keeps no
  // files refuses, as these do.
  virtual bool SaveLine(const std::string& path, LineFileError& error);
  virtual bool OpenLine(const std::string& path, LineFileError& error);

  // The tote its window keeps (tote/tote.h), for "tote" and "edge", which change it through
  // SetTote as the user would, and "tote list". A dialog that keeps none returns nullptr and
  // refuses SetTote and ToteTable, as these do; the runner then cannot take those lines.
  virtual const ToteState* Tote();
  virtual bool SetTote(const ToteState& tote);
  // "tote table": takes what is being typed as "Copy line" does, then gives the tote table
  // with LF line ends.
  virtual bool ToteTable(std::string& table);
  // "sheet W H": takes what is being typed as "Copy line" does, then lays out the card's sheet
  // (sheet/sheet.h) on paper. A dialog that keeps no card refuses, as these do.
  virtual bool Sheet(const SheetPaper& paper, std::vector<SheetPage>& pages);
  // "ticket": takes what is being typed as "Copy line" does, then prices ticket on the card's
  // shown race (exotics/exotics.h). Returns nullptr, or why the ticket cannot be bet; a dialog
  // that keeps no card refuses, as these do.
  virtual const char* PriceTicket(const Ticket& ticket, TicketPrice& price);

  // The card its window keeps (card/card.h), for the card's commands, which change who its
  // horses are, its track, date and labels directly, and "card list". A dialog that keeps none
  // returns nullptr and refuses GoToRace, as these do; the runner then cannot take those lines.
  virtual Card* KeptCard();
  // "race N": shows race N of the card, taking what is being typed first, as "Copy line" does,
  // unless N is the race shown.
  virtual bool GoToRace(int race);
  // "import PATH": takes what is being typed as "Copy line" does, then imports the entries of
  // path (entries/entries.h) into the card without asking, plan telling what it did. False with
  // the reason when the file is refused, the card and the dialog then as they were. Only a
  // dialog that keeps a card is asked.
  virtual bool ImportEntries(const std::string& path, ImportPlan& plan, LineFileError& error);

  // The shown race's history (history/history.h): EndStep ends a step, which RunScript calls
  // after each line that is one; "undo" and "redo" go back and forth, doing nothing where there
  // is nothing to undo or redo. A dialog that keeps no history ends no step and refuses Undo
  // and Redo, as these do.
  virtual void EndStep();
  virtual bool Undo();
  virtual bool Redo();

 protected:
  ~ScriptTarget() = default;
};

// What applying a command gave: the text it prints, and the failure of a save or an open,
// which is no bad line.
struct CommandOutput {
  std::string printed;
  std::string fileFailure;
};

// Applies command to target through the table of commands. Returns nullptr, or why the command
// cannot be taken by this target (a dialog without a tote).
const char* ApplyCommand(ScriptTarget& target, const ScriptCommand& command, CommandOutput& output);

// Runs the script read from in against target, ending a step (ScriptTarget::EndStep) after each
// init, leave, click, command, open, import, copy, sheet, ticket and tote table, and after an
// unbroken run of scroll lines on one bar; printing "show" states and "exit N" to out and the first
// bad line and every failed save or open to err (prefixed by name). Returns the exit status: the
// quit message's code, 0 at the end of the input, 2 for a line it cannot take; 3 instead of 0 once
// a save or an open has failed.
constexpr int STATUS_BAD_LINE = 2;
constexpr int STATUS_FILE_FAILED = 3;
int RunScript(ScriptTarget& target, std::FILE* in, std::FILE* out, std::FILE* err,
              const char* name);

// Appends text to out quoted as "show" prints it: \ and " escaped, bytes below 0x20 and from
// 0x7f up as \xhh.
void AppendQuoted(std::string& out, std::string_view text);

// Appends what "show" prints of shown: the two fields, the 14 rows and an empty line.
void AppendShow(std::string& out, const DialogSnapshot& shown);

#endif
