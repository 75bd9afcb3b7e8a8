// Saving, opening and the import of entries in the Qt windows: Qt's file dialogs
// and message boxes around the core's files, so that the windows only wire them to their menus,
// keys and buttons.
#ifndef ODDSMITH_DIALOG_QT_LINE_FILES_H
#define ODDSMITH_DIALOG_QT_LINE_FILES_H

#include <QString>
#include <cstdio>

#include "dialog/surface.h"

class QWidget;
struct Card;

// Asks for a line file with the save dialog (an existing one is replaced only once the user
// agrees) or the open dialog, starting in the folder of current (the card's file), else in the
// folder of the file last chosen in any of the program's file dialogs, else the working one.
// Returns the path chosen, or an empty one when the user cancels.
QString AskLineFile(QWidget* parent, bool save, const QString& current);

// Asks with the save dialog for a file of typeName (its name ending in .suffix), suggested
// first, starting where the last file was chosen. Empty when the user cancels.
QString AskSavePath(QWidget* parent, const QString& caption, const QString& typeName,
                    const QString& suffix, const QString& suggested);

// Saves card, its shown race as surface shows it, to path, replacing the file in one step. A
// failure is shown in a message box over parent and changes nothing; false then.
bool SaveLineTo(QWidget* parent, DialogSurface& surface, Card& card, const QString& path);

// Opens path as card, its current race shown on surface. A failure leaves both as they were, is
// shown in a message box over parent and returned ("Cannot open "PATH": line M: REASON"); empty
// on success. With a log, the failure is also written there as one line, before the message box
// waits for the user.
QString OpenLineFrom(QWidget* parent, DialogSurface& surface, Card& card, const QString& path,
                     std::FILE* log = nullptr);

// Asks for a file of entries with the open dialog, starting where the last file was chosen,
// and imports it, as ImportEntriesFrom does. True when the card changed.
bool ImportEntriesChosen(QWidget* parent, DialogSurface& surface, Card& card);

// Imports the entries of the file at path into card, whose shown race surface shows: with ask,
// only once the user agrees to what the import will do (entries/entries.h, ImportQuestion). A
// refused file is told in a message box over parent (and, with a log, in one line there first)
// and changes nothing. True when the card changed. The caller takes the typed entries first.
bool ImportEntriesFrom(QWidget* parent, DialogSurface& surface, Card& card, const QString& path,
                       bool ask, std::FILE* log = nullptr);

// Imports the table on the clipboard as a file of entries, asking first. True when the card
// changed.
bool PasteEntries(QWidget* parent, DialogSurface& surface, Card& card);

#endif
