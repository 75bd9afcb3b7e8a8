// The Card window of the Windows program: the card's track and date, the races it holds and
// who the selected race's horses are, shown modally over the main dialog.
#ifndef ODDSMITH_DIALOG_WIN32_CARD_DIALOG_H
#define ODDSMITH_DIALOG_WIN32_CARD_DIALOG_H

#include <windows.h>

#include "card/card.h"

// Shows the Card window over main (the main dialog, whose module holds the window's template
// and whose controls show card's shown race) until the user closes it. What the user types
// there goes into card as it is typed; the races it adds, removes and shows go onto main's
// controls. changed(main) is called after each change. Returns false when the window cannot be
// shown.
bool RunCardWindow(HWND main, Card& card, void (*changed)(HWND main));

#endif
