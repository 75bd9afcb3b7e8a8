// The program's icon for its window, the same artwork as the Windows program's.
#ifndef ODDSMITH_DIALOG_QT_PROGRAM_ICON_H
#define ODDSMITH_DIALOG_QT_PROGRAM_ICON_H

#include <QIcon>

// The icon in every size the program carries (16 to 256 pixels), from its own resources, so it
// shows whether or not the icon theme has it installed.
QIcon ProgramIcon();

#endif
