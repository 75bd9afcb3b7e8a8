// Line files: the dialog's whole state as shown, so a line made in the morning comes back at
// post time exactly as it was left. UTF-8, tab-separated so that a spreadsheet opens it as
// columns, readable in a text editor. The format, one line each, every line ended by LF (CR LF
// is read too; a UTF-8 byte-order mark before the first line is skipped):
//   oddsmith line<TAB>2                     the format and its version
//   line<TAB>TEXT                           "% Line:" as shown
//   horses<TAB>TEXT                         "# of horses:" as shown
//   horse<TAB>odds<TAB>to win<TAB>bar<TAB>min<TAB>max<TAB>arrows<TAB>lock<TAB>scr<TAB>tote
//   K<TAB>ODDS<TAB>WIN<TAB>POS<TAB>MIN<TAB>MAX<TAB>A<TAB>L<TAB>S<TAB>TOTE   K = 1 to 14, in order
//   edge<TAB>N                              the tote's edge, 0 to 100
//   end                                     so that a file cut short is known
// TEXT, ODDS, WIN and TOTE are the texts verbatim, leading blanks kept; TOTE is the horse's
// tote text, at most 32 bytes. The texts are bytes in code page 1252: a backslash is written
// "\\", the bytes 0x00-0x1F, 0x7F and the five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) "\xHH", every other byte as its character. POS, MIN and MAX are the
// bar's position and range; A, L and S are 1 or 0 for the bar's arrows, the "Lock" mark and
// the "Scr." mark. Version 1 has no "tote" column and no edge line; it opens with an empty tote
// and an edge of 25.
#ifndef ODDSMITH_FILES_LINE_FILE_H
#define ODDSMITH_FILES_LINE_FILE_H

#include <cstddef>
#include <string>
#include <string_view>

#include "dialog/surface.h"
#include "resources/columns.h"
#include "tote/tote.h"

constexpr int LINE_FILE_VERSION = 2;  // what this version writes, and the newest it reads
// A file holds texts of up to FIELD_TEXT_MAX bytes (surface.h), what a field can hold.
// Above the largest file this version writes (16 texts of FIELD_TEXT_MAX bytes and 14 tote
// texts of TOTE_TEXT_MAX, each byte written in at most four); a larger file is refused before
// it is read.
constexpr std::size_t LINE_FILE_SIZE_MAX = 4u << 20;

// What a file is called and named by: the suffix a name without one is given, and the name
// of its type in the file dialogs' filters ("Odds lines (*.oddsline)").
inline constexpr char LINE_FILE_SUFFIX[] = "oddsline";
inline constexpr char LINE_FILE_TYPE_NAME[] = "Odds lines";

// One row as shown.
struct RowState {
  std::string odds;
  std::string win;
  int pos = 0;
  int min = 0;
  int max = 0;
  bool arrows = true;
  bool lock = false;
  bool scratched = false;
};

// The dialog as shown and its window's tote: what a line file holds.
struct LineState {
  std::string line;
  std::string horses;
  RowState rows[ROW_COUNT];
  ToteState tote;
};

// Where a file was refused or could not be written: the line of the file (0 for the file as a
// whole) and why.
struct LineFileError {
  int line = 0;
  std::string reason;
};

// What a save or an open that failed says, in one line: cannot save "PATH": REASON, or cannot
// open "PATH": line M: REASON ("line M: " where the file has a line to blame). sentence
// capitalises it, as a message box shows it.
enum class LineFileAction { SAVE, OPEN };
std::string LineFileFailure(LineFileAction action, std::string_view path,
                            const LineFileError& error, bool sentence);

// What a file keeps of shown and tote.
LineState LineStateOf(const DialogSnapshot& shown, const ToteState& tote);

// The state the controls show now, with tote.
LineState ReadLineState(DialogSurface& surface, const ToteState& tote);

// Puts state on the controls as it was shown (book/snapshot.h, ShowSnapshot): every modified
// flag clear, no share moved, no rebalance. The tote is the window's to take from state.tote.
void ShowLineState(DialogSurface& surface, const LineState& state);

// The file's bytes for state.
std::string FormatLineFile(const LineState& state);

// Reads a file's bytes into state. False, with state unspecified and the reason in error, for
// anything that is not a whole line file of this version or an earlier one.
bool ParseLineFile(std::string_view bytes, LineState& state, LineFileError& error);

// Saves what the controls show and tote to path (UTF-8), replacing the file in one step. False
// with the reason in error; the old file is then as it was.
bool SaveLineFile(DialogSurface& surface, const ToteState& tote, const std::string& path,
                  LineFileError& error);

// Opens path (UTF-8) onto the controls and tote. False with the reason in error and the
// controls and tote left as they were.
bool OpenLineFile(DialogSurface& surface, ToteState& tote, const std::string& path,
                  LineFileError& error);

#endif
