// The keyboard's way around the bars and boxes, which the Windows dialog keeps as one group of
// controls outside the Tab order: the arrow keys go round the group and Tab leaves it for the
// fields. Qt's focus chain knows neither, so the dialog asks here.
#ifndef ODDSMITH_DIALOG_QT_CONTROL_GROUP_H
#define ODDSMITH_DIALOG_QT_CONTROL_GROUP_H

#include "dialog/qt/qt_surface.h"

// True for the controls of the group: the bars, the "Lock" boxes and the "Scr." boxes.
bool InBarGroup(int id);

// The control the arrow keys move to from control id of the group: the next one in template
// order (the previous one when backwards) that is enabled and shown, wrapping round the group;
// id itself when no other is. 0 when id is not in the group.
int NextInGroup(const ControlTable& controls, int id, bool backwards);

// The tab stop after control id in template order (before it when backwards), wrapping round
// the dialog: the first enabled, shown control that takes the focus by Tab. 0 when none does.
int NextTabStop(const ControlTable& controls, int id, bool backwards);

#endif
