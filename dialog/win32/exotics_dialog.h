// The Exotics window of the Windows program: an exotic ticket on the shown race, or a Pick N
// from it over the races after it, priced from the line as the user chooses its horses.
#ifndef ODDSMITH_DIALOG_WIN32_EXOTICS_DIALOG_H
#define ODDSMITH_DIALOG_WIN32_EXOTICS_DIALOG_H

#include <windows.h>

#include "card/card.h"

// Shows the Exotics window over main (the main dialog, whose module holds the window's template
// and whose controls show card's shown race) until the user closes it; it changes neither.
// Returns false when the window cannot be shown.
bool RunExoticsWindow(HWND main, Card& card);

// The menu entry: every letter of it is taken in the system menu.
inline constexpr char EXOTICS_SYSTEM_MENU_TEXT[] = "Exotics...";

#endif
