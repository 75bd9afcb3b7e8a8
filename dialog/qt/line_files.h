// "Save line..." and "Open line..." in the Qt window: Qt's file dialogs and message boxes around
// the core's line files, so that the window itself only wires them to its menu and keys.
#ifndef ODDSMITH_DIALOG_QT_LINE_FILES_H
#define ODDSMITH_DIALOG_QT_LINE_FILES_H

#include <QString>
#include <cstdio>

#include "dialog/surface.h"

class QWidget;
struct Card;

// Asks for a file with the save dialog (an existing one is replaced only once the user agrees)
// and saves card, its shown race as surface shows it, to it. A failure is shown in a message box
// over parent and returned; an empty result means saved, or cancelled by the user.
QString SaveLineAs(QWidget* parent, DialogSurface& surface, Card& card);

// Asks for a file with the open dialog and opens it as card, as OpenLineFrom does.
QString OpenLineChosen(QWidget* parent, DialogSurface& surface, Card& card);

// Opens path as card, its current race shown on surface. A failure leaves both as they were, is
// shown in a message box over parent and returned ("Cannot open "PATH": line M: REASON"); empty
// on success. With a log, the failure is also written there as one line, before the message box
// waits for the user.
QString OpenLineFrom(QWidget* parent, DialogSurface& surface, Card& card, const QString& path,
                     std::FILE* log = nullptr);

#endif
