// The main dialog as a native Qt Widgets window: the template's controls laid out by Qt in the
// desktop's font, and the user's actions turned into the portable dispatch's messages, event
// for event as the Windows dialog sends them.
#ifndef ODDSMITH_DIALOG_QT_QT_DIALOG_H
#define ODDSMITH_DIALOG_QT_QT_DIALOG_H

#include <QDialog>

#include <array>
#include <cstdio>

#include "card/card.h"
#include "dialog/dispatch.h"
#include "dialog/qt/qt_surface.h"
#include "history/history.h"
#include "resources/columns.h"
#include "tote/tote.h"

class NameLabel;
class QAction;
class QGridLayout;
class QHelpEvent;
class QLabel;
class QMenuBar;
class PoolBar;
class QProxyStyle;
class QScrollBar;
class ToteDialog;
struct TemplateControl;

// The window and its operations; the widgets it makes are reached by the dispatch through
// Surface(), a QtSurface over the dialog's table of them.
class QtDialog final : public QDialog, public DialogWindow {
  Q_OBJECT

 public:
  // Creates the 95 controls, hidden, with the template's texts and every bar at range 0..0.
  explicit QtDialog(QWidget* parent = nullptr);
  ~QtDialog() override;

  // The initialisation message: the dispatch shows the window and starts the book; then the
  // first tab stop, "% Line:", takes the focus with its text selected.
  void Init();

  // The control with identifier id, nullptr for an identifier outside the dialog.
  QWidget* Control(int id) const;
  // True once the dispatch has posted the quit message, with its code.
  bool QuitPosted(int& code) const;
  // "Copy line": puts the line table on the clipboard, lines ended by LF. The dialog's context
  // menu and Ctrl+Shift+C trigger it; neither moves the focus, so no field is left by it.
  QAction* CopyLineAction() const { return m_copyLine; }
  // "Save" (Ctrl+S) writes the card to the file it came from or was last saved to, asking for
  // a name only where there is none; "Save As..." (Ctrl+Shift+S) always asks; "Open..."
  // (Ctrl+O) asks first, as the close does, when the card holds unsaved work. Qt's file
  // dialogs start in the current file's folder, else the last one used; a failure is told in
  // a message box and changes nothing.
  QAction* SaveLineAction() const { return m_saveLine; }
  QAction* SaveAsAction() const { return m_saveAs; }
  QAction* OpenLineAction() const { return m_openLine; }
  // "Undo" (Ctrl+Z) and "Redo" (Ctrl+Shift+Z, Ctrl+Y) of the shown race (history.h); inside a
  // text field the keys are the field's own.
  QAction* UndoAction() const { return m_undo; }
  QAction* RedoAction() const { return m_redo; }
  // "Quit" (Ctrl+Q): the close box's cancel command.
  QAction* QuitAction() const { return m_quitAction; }
  // The menu bar: File, Race, Tools and Help, holding every command with its keys.
  QMenuBar* MenuBar() const { return m_menuBar; }
  // The line under the rows that tells the book against the line.
  QLabel* BookStatus() const { return m_status; }
  // The file the card came from or was last saved to, and whether it holds the card's work.
  const DocumentState& Document() const { return m_document; }
  // "Tote..." (Ctrl+T), in the same menu: takes what is being typed, as "Copy line" does, then
  // shows the tote window over the dialog until the user closes it.
  QAction* ToteAction() const { return m_toteAction; }
  // "Exotics..." (Ctrl+Shift+E; a text field keeps Ctrl+E), beside it: takes what is being typed,
  // then shows the Exotics window over the dialog, pricing tickets on the shown race, until the
  // user closes it.
  QAction* ExoticsAction() const { return m_exoticsAction; }
  // "Card..." (Ctrl+Shift+K), in the same menu: takes what is being typed, then shows the Card
  // window over the dialog until the user closes it. "Next race" (Ctrl+Page Down) and "Previous
  // race" (Ctrl+Page Up) show the next and the previous race of the card (card.h).
  QAction* CardAction() const { return m_cardAction; }
  QAction* NextRaceAction() const { return m_nextRace; }
  QAction* PreviousRaceAction() const { return m_previousRace; }
  // "Import entries..." and "Paste entries" (Ctrl+Shift+V), in the same menu: take what is
  // being typed, then import a file of entries, or the table on the clipboard, into the card
  // once the user agrees to what the import will do.
  QAction* ImportEntriesAction() const { return m_importEntries; }
  QAction* PasteEntriesAction() const { return m_pasteEntries; }
  // The card the window keeps besides the controls, which show its shown race; the line files
  // carry it. It lives as long as the window does.
  Card& KeptCard() { return m_card; }
  // The shown race's tote: each horse's tote text and the edge, what the tote window shows.
  ToteState& Tote() { return ShownRace(m_card).tote; }
  // Shows what the card holds beside the controls as it is now: the window's title, the
  // horses' names column (made the first time the card holds an identity) and what screen
  // readers are told of each row. Every change of the card ends with it.
  void ShowCardChanges();
  // Opens path as the card, as "Open..." does (line_files.h, OpenLineFrom), without asking.
  QString OpenFile(const QString& path, std::FILE* log = nullptr);
  // Imports the entries of path into the card without asking (line_files.h,
  // ImportEntriesFrom); false when the file is refused, which changes nothing.
  bool ImportFile(const QString& path, std::FILE* log = nullptr);

  // DialogWindow. A control's handle is its QWidget pointer.
  DialogSurface& Surface() override { return m_surface; }
  int ControlId(LongParam handle) override;
  void ShowDialog(bool visible) override;
  void EndDialog(LongParam result) override;
  void PostQuit(int code) override;
  int ThumbPosition(int barId, unsigned word) override;

 signals:
  // The quit message: the program's event loop should end with code.
  void quitPosted(int code);

 public slots:
  // Escape and the window's close button: the cancel command, once the user has had the chance
  // to save unsaved work (AskToKeepWork).
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The template's control made by the function for its kind, named for screen readers and
  // entered in the table; LayOutDialog places them all.
  void MakeControl(const TemplateControl& control);
  // One function per kind of control: each makes the widget on the dialog, set up and
  // connected as that kind behaves, and returns it.
  QWidget* MakeBar(int id);
  QWidget* MakeBox(int id, const QString& text);
  QWidget* MakeGroup(const QString& text);
  QWidget* MakeLabel(const QString& text);
  QWidget* MakeEdit(const QString& text);
  // A bar's scroll messages delivered to the dispatch.
  void ConnectBar(PoolBar* bar);
  // The commands with their shortcuts, on the dialog, and the menu bar that holds them
  // (menus.h), each connected.
  void MakeMenuActions();
  // Where work would be lost (history.h, HasUnsavedWork), asks "Save changes to NAME?" (Save,
  // Don't Save, Cancel). True when the card may go: nothing to lose, the user's Don't Save, or
  // a Save that succeeded.
  bool AskToKeepWork();
  // Save and Save As...: the typed entries taken first. True once saved.
  bool Save(bool askName);
  void OpenChosen();
  // Ends a step of the shown race's history (history.h, EndStep) and shows the title.
  void EndStep();
  void UndoOrRedo(bool redo);
  // The title (with the file and "*" while there is unsaved work), the enabled undo and redo,
  // and the book's status line (ShowBookStatus, alone while a bar is held).
  void ShowDocument();
  void ShowBookStatus();

  // Sends one message to the dispatch; once it has ended the dialog, hides the window and
  // delivers the destruction, after which nothing more is delivered. Returns the dispatch's
  // result (false when nothing was delivered).
  bool Deliver(unsigned message, WordParam wParam, LongParam lParam);
  void Command(unsigned id, unsigned code, QWidget* from);
  void Scroll(QScrollBar* bar, unsigned code, int thumb);
  // The keys that move the focus from a bar or a box as the Windows dialog moves it: the arrow
  // keys round their group (a bar keeps them for itself) and Tab out of it. True when taken.
  bool MoveFocus(QWidget* control, const QKeyEvent* event);
  // Shows the tip of an odds field, a bar or "% Line:", worked out from the controls now, or
  // none for an inactive row. False for the other controls, which have no tip.
  bool ShowTip(QWidget* control, const QHelpEvent* event);
  // Takes what is being typed as leaving each field would, while the focus stays: what the
  // copy and the tote window do first. False when the dialog takes no message now (it is gone,
  // or a message is being handled).
  bool TakeTypedEntriesFirst();
  void CopyLine();
  void ShowTote();
  void ShowExotics();
  void ShowCard();
  // Shows race r of the card, taking what is being typed first; nothing for 0 or the race
  // shown.
  void GoToRace(int r);
  // The "Horse" column between "#" and "Odds": each row's program number and name.
  void MakeNameColumn();

  ControlTable m_controls{};
  QtSurface m_surface{m_controls};
  QProxyStyle* m_style = nullptr;
  QAction* m_copyLine = nullptr;
  QAction* m_saveLine = nullptr;
  QAction* m_saveAs = nullptr;
  QAction* m_openLine = nullptr;
  QAction* m_undo = nullptr;
  QAction* m_redo = nullptr;
  QAction* m_quitAction = nullptr;
  QMenuBar* m_menuBar = nullptr;
  QLabel* m_status = nullptr;
  QAction* m_toteAction = nullptr;
  QAction* m_exoticsAction = nullptr;
  QAction* m_cardAction = nullptr;
  QAction* m_nextRace = nullptr;
  QAction* m_previousRace = nullptr;
  QAction* m_importEntries = nullptr;
  QAction* m_pasteEntries = nullptr;
  Card m_card;
  CardHistory m_history;
  DocumentState m_document;
  ToteDialog* m_toteWindow = nullptr;  // while the tote window is open
  QGridLayout* m_table = nullptr;      // the rows' grid
  QWidget* m_nameHead = nullptr;       // the names' column, once made
  std::array<NameLabel*, ROW_COUNT> m_names{};
  int m_thumb = 0;  // the full thumb position of the scroll being delivered
  bool m_dispatching = false;
  bool m_ended = false;
  bool m_destroyed = false;
  bool m_quit = false;
  int m_quitCode = 0;
  int m_result = 0;
};

#endif
