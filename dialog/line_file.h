// Line files: the dialog's whole state as shown, so a line made in the morning comes back at
// post time exactly as it was left. UTF-8, tab-separated so that a spreadsheet opens it as
// columns, readable in a text editor. The format, one line each, every line ended by LF (CR LF
// is read too; a UTF-8 byte-order mark before the first line is skipped):
//   oddsmith line<TAB>1                     the format and its version
//   line<TAB>TEXT                           "% Line:" as shown
//   horses<TAB>TEXT                         "# of horses:" as shown
//   horse<TAB>odds<TAB>to win<TAB>bar<TAB>min<TAB>max<TAB>arrows<TAB>lock<TAB>scr
//   K<TAB>ODDS<TAB>WIN<TAB>POS<TAB>MIN<TAB>MAX<TAB>A<TAB>L<TAB>S   for K = 1 to 14, in order
//   end                                     so that a file cut short is known
// TEXT, ODDS and WIN are the texts verbatim, leading blanks kept. The texts are bytes in code
// page 1252: a backslash is written "\\", the bytes 0x00-0x1F, 0x7F and the five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) "\xHH", every other byte as its
// character. POS, MIN and MAX are the bar's position and range; A, L and S are 1 or 0 for the
// bar's arrows, the "Lock" mark and the "Scr." mark.
#ifndef ODDSMITH_DIALOG_LINE_FILE_H
#define ODDSMITH_DIALOG_LINE_FILE_H

#include <cstddef>
#include <string>
#include <string_view>

#include "dialog/surface.h"
#include "resources/columns.h"

constexpr int LINE_FILE_VERSION = 1;  // what this version writes, and the newest it reads
// A file holds texts of up to FIELD_TEXT_MAX bytes (surface.h), what a field can hold.
// Above the largest file this version writes (16 texts of FIELD_TEXT_MAX bytes, each byte
// written in at most four); a larger file is refused before it is read.
constexpr std::size_t LINE_FILE_SIZE_MAX = 4u << 20;

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

// The dialog as shown: what a line file holds.
struct LineState {
  std::string line;
  std::string horses;
  RowState rows[ROW_COUNT];
};

// Where a file was refused: the line of the file (0 for the file as a whole) and why.
struct LineFileError {
  int line = 0;
  std::string reason;
};

// The state the controls show now.
LineState ReadLineState(DialogSurface& surface);

// Puts state on the controls as it was shown: every text written (so every modified flag is
// clear), each bar's range, then its position, then its arrows, and the marks. Moves no share
// and runs no rebalance.
void ShowLineState(DialogSurface& surface, const LineState& state);

// The file's bytes for state.
std::string FormatLineFile(const LineState& state);

// Reads a file's bytes into state. False, with state unspecified and the reason in error, for
// anything that is not a whole line file of this version or an earlier one.
bool ParseLineFile(std::string_view bytes, LineState& state, LineFileError& error);

// Saves what the controls show to path (UTF-8), replacing the file in one step. False with the
// reason in error; the old file is then as it was.
bool SaveLineFile(DialogSurface& surface, const std::string& path, std::string& error);

// Opens path (UTF-8) onto the controls. False with the reason in error and the controls left
// as they were.
bool OpenLineFile(DialogSurface& surface, const std::string& path, LineFileError& error);

#endif
