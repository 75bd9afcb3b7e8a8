// Line files: a day's card as it was shown, every race of it, so a card made in the morning
// comes back at post time exactly as it was left. UTF-8, tab-separated so that a spreadsheet
// opens it as columns, readable in a text editor. The format, one line each, every line ended by
// LF (CR LF is read too; a UTF-8 byte-order mark before the first line is skipped):
//   oddsmith line<TAB>4                     the format and its version
//   track<TAB>TEXT                          the card's track, at most 40 bytes
//   date<TAB>TEXT                           its date, at most 10 bytes
//   bankroll<TAB>N                          the day's bankroll in dollars, 0 to 10000000, or
//                                           nothing after the tab for none
//   kelly<TAB>N                             the Kelly fraction staked, 1 to 100 percent
//   race<TAB>R                              a block per race the card holds, R (1 to 40) rising
//   label<TAB>TEXT                          the race's own name, at most 24 bytes, or empty
//   line<TAB>TEXT                           "% Line:" as shown
//   horses<TAB>TEXT                         "# of horses:" as shown
//   horse<TAB>odds<TAB>to win<TAB>bar<TAB>min<TAB>max<TAB>arrows<TAB>lock<TAB>scr<TAB>tote
//       <TAB>program<TAB>name<TAB>ml        (one line)
//   K<TAB>ODDS<TAB>WIN<TAB>POS<TAB>MIN<TAB>MAX<TAB>A<TAB>L<TAB>S<TAB>TOTE<TAB>PROGRAM<TAB>NAME<TAB>ML
//                                           K = 1 to 14, in order
//   edge<TAB>N                              the race's tote edge, 0 to 100; its block ends here
//   current<TAB>R                           the race the dialog shows, one of the file's
//   end                                     so that a file cut short is known
// A file a spreadsheet saved back as tab-separated text reads as the file it was: empty cells
// after each line's last (the first line's after its version tell of them), empty lines after
// the end line.
// TEXT, ODDS, WIN, TOTE, PROGRAM, NAME and ML are the texts verbatim, leading blanks kept; TOTE
// is the horse's tote text (at most 32 bytes), PROGRAM its program number (4), NAME its name
// (40), ML its morning line (8). The texts are bytes in code page 1252: a backslash is written
// "\\", the bytes 0x00-0x1F, 0x7F and the five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) "\xHH", every other byte as its character. POS, MIN and MAX are the
// bar's position and range; A, L and S are 1 or 0 for the bar's arrows, the "Lock" mark and
// the "Scr." mark. Versions 1 and 2 hold one race and open as a card of race 1 with no track,
// date or label: version 2 is a block without its race and label lines and without the three
// identity fields, between the horses line and the end line; version 1 has no "tote" field and
// no edge line either, and opens with an empty tote and an edge of 25. Version 3 is version 4
// without the bankroll and kelly lines; versions 1 to 3 open with no bankroll and a Kelly
// fraction of 25.
#ifndef ODDSMITH_FILES_LINE_FILE_H
#define ODDSMITH_FILES_LINE_FILE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "book/identity.h"
#include "card/card.h"
#include "dialog/surface.h"
#include "resources/columns.h"
#include "tote/stakes.h"
#include "tote/tote.h"

constexpr int LINE_FILE_VERSION = 4;  // what this version writes, and the newest it reads
// A file holds texts of up to FIELD_TEXT_MAX bytes (surface.h), what a field can hold. Above
// the largest file this version writes (RACE_MAX races, each of 30 texts of FIELD_TEXT_MAX
// bytes, 14 tote texts and 14 identities, every byte written in at most four: just under 4 MiB a
// race); a larger file is refused before it is read.
constexpr std::size_t LINE_FILE_SIZE_MAX = std::size_t{RACE_MAX} << 22;

// What a file is called and named by: the suffix a name without one is given, and the name
// of its type in the file dialogs' filters ("Odds lines (*.oddsline)").
inline constexpr char LINE_FILE_SUFFIX[] = "oddsline";
inline constexpr char LINE_FILE_TYPE_NAME[] = "Odds lines";

// One row as shown, and who it is.
struct RowState {
  std::string odds;
  std::string win;
  int pos = 0;
  int min = 0;
  int max = 0;
  bool arrows = true;
  bool lock = false;
  bool scratched = false;
  HorseIdentity horse;
};

// One race as a file keeps it: its dialog as shown, its tote, its label and its number.
struct LineState {
  int number = 1;
  std::string label;
  std::string line;
  std::string horses;
  RowState rows[ROW_COUNT];
  ToteState tote;
};

// A card as a file keeps it: every race it holds, by rising number, and the one shown.
struct CardState {
  std::string track;
  std::string date;
  long long bankroll = NO_BANKROLL;
  int kelly = KELLY_DEFAULT;
  std::vector<LineState> races;
  int current = 1;
};

// Where a file was refused or could not be written: the line of the file (0 for the file as a
// whole) and why.
struct LineFileError {
  int line = 0;
  std::string reason;
};

// What a save, an open or an import that failed says, in one line: cannot save "PATH": REASON,
// or cannot open "PATH": line M: REASON ("line M: " where the file has a line to blame), or
// cannot import "PATH": ... . sentence capitalises it, as a message box shows it.
enum class LineFileAction { SAVE, OPEN, IMPORT };
std::string LineFileFailure(LineFileAction action, std::string_view path,
                            const LineFileError& error, bool sentence);

// What a file keeps of race r of card, whose shown race surface shows now (its typed entries
// as they stand, the flags dropped). REQUIRES: the card holds r.
LineState LineStateOf(Card& card, DialogSurface& surface, int r);

// The whole card, its shown race as surface shows it now.
CardState CardStateOf(Card& card, DialogSurface& surface);

// The dialog a race of a file shows: its texts, bars and marks, every modified flag clear.
DialogSnapshot SnapshotOf(const LineState& state);

// Makes card what state holds and shows its current race on surface (book/snapshot.h,
// ShowSnapshot): every flag clear, no share moved, no rebalance. REQUIRES: state is as
// ParseLineFile gives it (its current race among its races).
void ShowCardState(const CardState& state, Card& card, DialogSurface& surface);

// The file's bytes for state.
std::string FormatLineFile(const CardState& state);

// Reads a file's bytes into state. False, with state unspecified and the reason in error, for
// anything that is not a whole line file of this version or an earlier one.
bool ParseLineFile(std::string_view bytes, CardState& state, LineFileError& error);

// Saves card, its shown race as surface shows it, to path (UTF-8), replacing the file in one
// step. False with the reason in error; the old file is then as it was.
bool SaveLineFile(DialogSurface& surface, Card& card, const std::string& path,
                  LineFileError& error);

// Reads and parses the line file at path (UTF-8) into state, without showing it. False with
// the reason in error.
bool ReadLineFile(const std::string& path, CardState& state, LineFileError& error);

// Opens path (UTF-8) as card and shows its current race on surface. False with the reason in
// error and the controls and the card left as they were.
bool OpenLineFile(DialogSurface& surface, Card& card, const std::string& path,
                  LineFileError& error);

#endif
