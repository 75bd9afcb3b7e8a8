/* The main dialog's template header, in dialog units, shared by the resource script and the
   Qt dialog. The controls are listed in controls.def. */
#ifndef ODDSMITH_RESOURCES_DIALOG_H
#define ODDSMITH_RESOURCES_DIALOG_H

#include "resources/ids.h"

#define DLG_NAME "ODDSMITHBOX"
#define DLG_CAPTION "Oddsmith"
#define DLG_X 10
#define DLG_Y 17
#define DLG_WIDTH 147
#define DLG_HEIGHT 194
#define DLG_FONT_POINTS 8
#define DLG_FONT_FACE "MS Sans Serif"
#define DLG_CONTROL_COUNT 95

#endif
