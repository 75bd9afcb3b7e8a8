// The main window's menus.
#include "dialog/qt/menus.h"

#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QLayout>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "card/card_window.h"
#include "entries/entries.h"
#include "exotics/exotics.h"
#include "tote/tote_window.h"

namespace {

// A command's text and keys.
using Command = std::pair<const char*, QList<QKeySequence>>;

// In MenuCommand's order.
QList<Command> Commands() {
  const auto keys = [](QKeyCombination combination) { return QKeySequence(combination); };
  return {
      {"&Open...", {keys(Qt::CTRL | Qt::Key_O)}},
      {"&Save", {keys(Qt::CTRL | Qt::Key_S)}},
      {"Save &As...", {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
      {IMPORT_MENU_TEXT, {}},
      {PASTE_ENTRIES_MENU_TEXT, {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_V)}},
      {"Copy &line", {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}},
      {"&Print...", {keys(Qt::CTRL | Qt::Key_P)}},
      {"Print pre&view...", {}},
      {"&Export PDF...", {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}},
      {"&Quit", {keys(Qt::CTRL | Qt::Key_Q)}},
      {CARD_MENU_TEXT, {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_K)}},
      {NEXT_RACE_MENU_TEXT, {keys(Qt::CTRL | Qt::Key_PageDown)}},
      {PREVIOUS_RACE_MENU_TEXT, {keys(Qt::CTRL | Qt::Key_PageUp)}},
      // A text field takes these keys for its own undo and redo before the window sees them.
      {"&Undo", {keys(Qt::CTRL | Qt::Key_Z)}},
      {"&Redo", {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), keys(Qt::CTRL | Qt::Key_Y)}},
      {TOTE_MENU_TEXT, {keys(Qt::CTRL | Qt::Key_T)}},
      {EXOTICS_MENU_TEXT, {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_E)}},
      {"&Keys and commands", {keys(Qt::Key_F1)}},
      {"&About Oddsmith", {}},
  };
}

}  // namespace

MenuActions MakeMenus(QDialog& window) {
  MenuActions actions{};
  const QList<Command> commands = Commands();
  for (int i = 0; i < MENU_COMMAND_COUNT; ++i) {
    const auto& [text, keys] = commands[i];
    auto* action = new QAction(QString::fromLatin1(text), &window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    actions[static_cast<std::size_t>(i)] = action;
  }
  const auto at = [&actions](MenuCommand command) { return actions[command]; };
  auto* bar = new QMenuBar(&window);
  bar->setAccessibleName(QStringLiteral("Menu bar"));
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->addActions({at(MENU_OPEN), at(MENU_SAVE), at(MENU_SAVE_AS)});
  file->addSeparator();
  file->addActions({at(MENU_IMPORT), at(MENU_PASTE), at(MENU_COPY)});
  file->addSeparator();
  file->addActions({at(MENU_PRINT), at(MENU_PREVIEW), at(MENU_EXPORT_PDF)});
  file->addSeparator();
  file->addAction(at(MENU_QUIT));
  QMenu* race = bar->addMenu(QStringLiteral("&Race"));
  race->addActions({at(MENU_CARD), at(MENU_NEXT_RACE), at(MENU_PREVIOUS_RACE)});
  race->addSeparator();
  race->addActions({at(MENU_UNDO), at(MENU_REDO)});
  bar->addMenu(QStringLiteral("&Tools"))->addActions({at(MENU_TOTE), at(MENU_EXOTICS)});
  bar->addMenu(QStringLiteral("&Help"))->addActions({at(MENU_KEYS), at(MENU_ABOUT)});
  window.layout()->setMenuBar(bar);
  return actions;
}
