// The main window's commands as the Linux program offers them: each an action on the window with
// its keys, and the menu bar that holds them all (File, Race, Tools, Help). Made in one place,
// so that the benchmark's window without logic has the very same menus.
#ifndef ODDSMITH_DIALOG_QT_MENUS_H
#define ODDSMITH_DIALOG_QT_MENUS_H

#include <array>

class QAction;
class QDialog;

enum MenuCommand {
  MENU_OPEN,
  MENU_SAVE,
  MENU_SAVE_AS,
  MENU_IMPORT,
  MENU_PASTE,
  MENU_COPY,
  MENU_PRINT,
  MENU_PREVIEW,
  MENU_EXPORT_PDF,
  MENU_QUIT,
  MENU_CARD,
  MENU_NEXT_RACE,
  MENU_PREVIOUS_RACE,
  MENU_UNDO,
  MENU_REDO,
  MENU_TOTE,
  MENU_EXOTICS,
  MENU_KEYS,
  MENU_ABOUT,
  MENU_COMMAND_COUNT
};
using MenuActions = std::array<QAction*, MENU_COMMAND_COUNT>;

// Makes every command's action on window, its shortcut shown in the menus and working anywhere
// in the window, and the menu bar over window's layout; the actions are connected by the caller.
MenuActions MakeMenus(QDialog& window);

#endif
