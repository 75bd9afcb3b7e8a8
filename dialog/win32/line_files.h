// "Save line", "Open line..." and the import of entries in the Windows program: the system's
// file dialogs and message boxes around the core's files (files/line_file.h,
// entries/entries.h).
#ifndef ODDSMITH_DIALOG_WIN32_LINE_FILES_H
#define ODDSMITH_DIALOG_WIN32_LINE_FILES_H

#include <windows.h>

#include <string>

#include "card/card.h"

// Saves card, its shown race as dialog shows it, to path (UTF-8), replacing the file in one
// step; where askName or path is empty, the save dialog (which asks before replacing a file)
// asks for it first, starting in path's folder, and path becomes the one chosen. A failure is
// told in a message box owned by dialog and changes nothing. True once saved: false also when
// the user cancels. The caller takes the typed entries first.
bool SaveLine(HWND dialog, Card& card, std::string& path, bool askName);

// Asks for a file with the open dialog, starting in path's folder, and opens it as card, its
// current race onto dialog; path becomes it. A failure is told in a message box owned by dialog
// and leaves both as they were. True once opened.
bool OpenLineChosen(HWND dialog, Card& card, std::string& path);

// Asks for a file of entries with the open dialog and imports it into card, whose shown race
// dialog shows, once the user agrees to what the import will do (entries.h, ImportQuestion);
// Cancel changes nothing. The boxes are owned by owner (the dialog, or the Card window). A
// refused file is told and changes nothing. True when the card changed. The caller takes the
// typed entries first.
bool ImportEntriesChosen(HWND owner, HWND dialog, Card& card);

// Imports the table on the clipboard as ImportEntriesChosen imports a file.
bool PasteEntries(HWND owner, HWND dialog, Card& card);

#endif
