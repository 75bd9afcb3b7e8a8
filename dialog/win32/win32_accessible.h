// What a screen reader is told of a control beyond what Windows finds by itself: a name of the
// program's choosing, a description. The control answers the screen reader's WM_GETOBJECT with
// the system's own accessible object for it, the name and the description put in; everything
// else the system's object answers. The accessibility libraries are loaded on the first such
// request, not as the program starts.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_ACCESSIBLE_H
#define ODDSMITH_DIALOG_WIN32_WIN32_ACCESSIBLE_H

#include <windows.h>

#include <string>

// Gives control name and description (UTF-8; empty leaves the system's own) from now until it
// is destroyed, replacing what an earlier call gave. False, with the control left to the
// system, when there is no memory for it.
bool SetAccessibleTexts(HWND control, const std::string& name, const std::string& description);

#endif
