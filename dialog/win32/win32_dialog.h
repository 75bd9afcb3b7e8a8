// The main dialog's procedure for user32, which hands its messages to the portable dispatch, and
// the program's run of it.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_DIALOG_H
#define ODDSMITH_DIALOG_WIN32_WIN32_DIALOG_H

#include <windows.h>

#include "card/card.h"
#include "dialog/win32/win32_surface.h"
#include "tote/tote.h"

// The main dialog's procedure: TRUE when the message was handled. Beside the dispatch it gives
// the dialog what only Windows needs to be told: at initialisation a tooltip control for the
// horses' odds fields and bars and the "% Line:" field, whose texts it works out each time a
// tip is shown, and "Copy line", "Open line...", "Save line", "Save line as...", "Tote...",
// "Card...", "Next race", "Previous race", the import's entries, "Undo" and "Redo" in the
// system menu; and the window's card, from initialisation to destruction, whose shown race the
// controls show, with each race's history and the file the card belongs to, named in the title.
// Escape and the close box ask before work that is not saved goes (history.h, HasUnsavedWork).
// Opening the menu leaves the keyboard focus where it is, so "Copy line", "Tote...", "Card..." and
// a move to another race take what is being typed first (TakeTypedEntriesFirst). A file that cannot
// be saved or opened is reported in a message box naming it, and changes nothing, the card included
// (line_files.h).
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The card that dialog's window keeps (MainDialogProc), owned by the window, and its shown
// race's tote: nullptr before its initialisation and after its destruction.
Card* MainDialogCard(HWND dialog);
ToteState* MainDialogTote(HWND dialog);

// Delivers the kill-focus notification of every field being typed in, as leaving it would,
// while the focus stays where it is: what a command of the menu does before it reads the book.
void TakeTypedEntriesFirst(HWND dialog);

// Puts the line table on the clipboard (win32_clipboard.h), lines ended by CR LF. Returns
// false, with the clipboard left as it was, when it cannot be had (another program keeps it
// open).
bool CopyLineToClipboard(HWND dialog);

// Shows the dialog templateName of instance modally, then drains the thread's messages until
// the quit message, whose code it returns. Returns CANNOT_RUN at once, without waiting for a
// quit message that would never come, when the dialog cannot be shown or the loop fails.
constexpr int CANNOT_RUN = 1;
int RunMainDialog(HINSTANCE instance, const char* templateName);

#endif
