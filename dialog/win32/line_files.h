// "Save line..." and "Open line..." in the Windows program: the system's file dialogs and
// message boxes around the core's line files (files/line_file.h).
#ifndef ODDSMITH_DIALOG_WIN32_LINE_FILES_H
#define ODDSMITH_DIALOG_WIN32_LINE_FILES_H

#include <windows.h>

#include "card/card.h"

// Asks for a file with the save dialog (which asks before replacing one) and saves card, its
// shown race as dialog shows it, to it. A failure is told in a message box owned by dialog and
// changes nothing; false then. The file dialogs take the focus, so the field being typed in is
// left, as any other window taking the focus leaves it, before anything is written.
bool SaveLineAs(HWND dialog, Card& card);

// Asks for a file with the open dialog and opens it as card, its current race onto dialog. A
// failure is told in a message box owned by dialog and leaves both as they were; false then.
bool OpenLineChosen(HWND dialog, Card& card);

#endif
