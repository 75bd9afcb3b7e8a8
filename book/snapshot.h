// The dialog as it is shown, as data: taken from any surface, put back on any surface, and run
// on as a HeadlessSurface (dialog/surface.h) where no window shows it. The one record of the
// shown state: what "show" prints, what the fuzzers compare, what a line file is made from.
#ifndef ODDSMITH_BOOK_SNAPSHOT_H
#define ODDSMITH_BOOK_SNAPSHOT_H

#include <string>

#include "dialog/surface.h"

// The controls as the window system creates them from the template: the template's texts,
// empty fields, flags and marks clear, every bar at range 0..0 and position 0, arrows enabled.
DialogSnapshot StartSnapshot();

// Every control of surface as it is now. Of each control only what its kind has (a field's
// modified flag, a box's mark, a bar's range, position and arrows) is read; the rest stays as
// StartSnapshot has it, so that the snapshots of two bindings compare alike.
DialogSnapshot TakeSnapshot(DialogSurface& surface);

// What ShowSnapshot puts back, read from surface into shown in place: the fields' texts and
// modified flags, the "% to win" texts, every bar's range, position and arrows, every mark. The
// labels, which nothing changes, keep the texts shown has; a text's room is reused.
void KeepSnapshot(DialogSurface& surface, DialogSnapshot& shown);

// The whole text of control id, read at its length (into text, whose room is reused).
std::string ReadWholeText(DialogSurface& surface, int id);
void ReadWholeText(DialogSurface& surface, int id, std::string& text);

// Puts shown on surface: the texts of the fields and of the "% to win" figures (which clears
// every modified flag), each bar's range, then its position, then its arrows, and every mark;
// with keepFlags, then the modified flags shown has. Moves no share and runs no rebalance; the
// labels keep their texts.
void ShowSnapshot(DialogSurface& surface, const DialogSnapshot& shown, bool keepFlags = false);

#endif
