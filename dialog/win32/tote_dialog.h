// The tote window of the Windows program: every horse in the book against its tote price,
// shown modally over the main dialog, which keeps what is typed there.
#ifndef ODDSMITH_DIALOG_WIN32_TOTE_DIALOG_H
#define ODDSMITH_DIALOG_WIN32_TOTE_DIALOG_H

#include <windows.h>

#include "book/identity.h"
#include "tote/tote.h"

// Shows the tote window over main (the main dialog, whose module holds the window's template
// and whose controls the figures come from) until the user closes it. What the user types
// there goes into tote, and the bankroll and Kelly fraction into money, as it is typed; each row
// shows who horses[row] is. main stays disabled meanwhile, so its book does not change under
// the window. Returns false when the window cannot be shown.
bool RunToteWindow(HWND main, ToteState& tote, ToteMoney& money, const HorseIdentity* horses);

// Rewrites the figures of the tote window shown over main, if one is, from main's controls as
// they stand now: for a notification main handles while the window shows (the kill-focus of the
// field the window takes the focus from).
void RefreshToteWindow(HWND main);

#endif
