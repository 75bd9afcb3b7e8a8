// The event-script language of oddsmith-headless: one user action or "show" a line. The
// reader is portable so that the same scripts replay on the headless dialog and on the real
// dialogs of each window system.
#ifndef ODDSMITH_DIALOG_SCRIPT_H
#define ODDSMITH_DIALOG_SCRIPT_H

#include <cstdio>
#include <string>
#include <string_view>

struct ToteState;

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

  // The controls' state, for "show".
  virtual std::string Text(int id) = 0;
  virtual bool Modified(int editId) = 0;
  virtual bool Checked(int boxId) = 0;
  virtual int BarPos(int barId) = 0;
  virtual int BarMin(int barId) = 0;
  virtual int BarMax(int barId) = 0;
  virtual bool ArrowsEnabled(int barId) = 0;
  // "Copy line": takes what is being typed as leaving each field would, then returns the text
  // it puts on the clipboard, with LF line ends.
  virtual std::string CopiedLine() = 0;

  // "save PATH" and "open PATH": the dialog's state to and from a line file (line_file.h).
  // False with the reason when it fails ("line M: ..." where the file has a line to blame), the
  // dialog then as it was. A dialog that keeps no files refuses, as these do.
  virtual bool SaveLine(const std::string& path, std::string& error);
  virtual bool OpenLine(const std::string& path, std::string& error);

  // The tote its window keeps (book/tote.h), for "tote" and "edge", which change it through
  // SetTote as the user would, and "tote list". A dialog that keeps none returns nullptr and
  // refuses SetTote and ToteTable, as these do; the runner then cannot take those lines.
  virtual const ToteState* Tote();
  virtual bool SetTote(const ToteState& tote);
  // "tote table": takes what is being typed as "Copy line" does, then gives the tote table
  // with LF line ends.
  virtual bool ToteTable(std::string& table);

 protected:
  ~ScriptTarget() = default;
};

// Runs the script read from in against target, printing "show" states and "exit N" to out and
// the first bad line and every failed save or open to err (prefixed by name). Returns the exit
// status: the quit message's code, 0 at the end of the input, 2 for a line it cannot take; 3
// instead of 0 once a save or an open has failed.
constexpr int STATUS_FILE_FAILED = 3;
int RunScript(ScriptTarget& target, std::FILE* in, std::FILE* out, std::FILE* err,
              const char* name);

// Appends text to out quoted as "show" prints it: \ and " escaped, bytes below 0x20 and from
// 0x7f up as \xHH.
void AppendQuoted(std::string& out, std::string_view text);

#endif
