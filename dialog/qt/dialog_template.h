// The template's 95 controls as a table for the Qt dialog and its tests, expanded from the one
// list in resources/controls.def.
#ifndef ODDSMITH_DIALOG_QT_DIALOG_TEMPLATE_H
#define ODDSMITH_DIALOG_QT_DIALOG_TEMPLATE_H

#include "resources/dialog.h"

enum class ControlKind { BAR, CHECK, GROUP, LABEL, EDIT };

// One control: kind, identifier, rectangle in dialog units, and text (Latin-1).
struct TemplateControl {
  ControlKind kind;
  int id;
  int x;
  int y;
  int width;
  int height;
  const char* text;
};

#define DLG_CONTROL(kind, id, x, y, width, height, text) \
  {ControlKind::kind, id, x, y, width, height, text},
inline constexpr TemplateControl TEMPLATE[] = {
#include "resources/controls.def"
};
#undef DLG_CONTROL
static_assert(sizeof TEMPLATE / sizeof TEMPLATE[0] == DLG_CONTROL_COUNT);

#endif
