// The Qt binding of the main dialog's window: the controls it makes and the event translation
// into MainDialogProc.
#include "dialog/qt/qt_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>

#include "book/board.h"
#include "card/card_window.h"
#include "dialog/qt/card_dialog.h"
#include "dialog/qt/control_group.h"
#include "dialog/qt/dialog_layout.h"
#include "dialog/qt/dialog_template.h"
#include "dialog/qt/exotics_dialog.h"
#include "dialog/qt/line_files.h"
#include "dialog/qt/menus.h"
#include "dialog/qt/name_label.h"
#include "dialog/qt/pool_bar.h"
#include "dialog/qt/qt_text.h"
#include "dialog/qt/sheet_print.h"
#include "dialog/qt/tote_dialog.h"
#include "entries/entries.h"
#include "tote/tote.h"
#include "tote/tote_window.h"

namespace {

// What a screen reader says for a control; the row's controls name their horse.
QString AccessibleName(int id) {
  const auto horse = [id](int base, const char* what) {
    return QStringLiteral("Horse %1 %2").arg(id - base + 1).arg(QLatin1String(what));
  };
  if (InColumn(id, IDC_POOL_BAR)) return horse(IDC_POOL_BAR, "pool");
  if (InColumn(id, IDC_LOCK)) return horse(IDC_LOCK, "lock");
  if (InColumn(id, IDC_SCRATCH)) return horse(IDC_SCRATCH, "scratched");
  if (InColumn(id, IDC_ODDS)) return horse(IDC_ODDS, "odds");
  if (InColumn(id, IDC_WIN_PCT)) return horse(IDC_WIN_PCT, "to win");
  if (InColumn(id, IDC_ROW_NUMBER)) return QStringLiteral("Horse %1").arg(id - IDC_ROW_NUMBER + 1);
  if (id == IDC_LINE) return QStringLiteral("Line in percent");
  if (id == IDC_HORSES) return QStringLiteral("Number of horses");
  return QString();
}

// The manual's summary, for Help.
QString HelpSummary() {
  return QStringLiteral(
      "Type odds (5-2, 9/5, 2.5) or move a horse's pool bar: the difference to the line is "
      "spread evenly over the free horses. Lock keeps a horse's share; Scr. scratches it.\n\n"
      "Ctrl+Z, Ctrl+Shift+Z: undo, redo the race's last step\n"
      "Ctrl+O, Ctrl+S, Ctrl+Shift+S: open, save, save as\n"
      "Ctrl+Shift+C: copy the line as a table\n"
      "Ctrl+P, Ctrl+Shift+P: print the card's sheet, export it as a PDF\n"
      "Ctrl+T: the tote; Ctrl+Shift+E: exotic tickets; Ctrl+Shift+K: the card\n"
      "Ctrl+Page Down, Ctrl+Page Up: the next, the previous race\n"
      "Ctrl+Shift+V: paste entries\n"
      "Escape, Ctrl+Q: close, asking first where work is unsaved\n\n"
      "man oddsmith tells the rest.");
}

}  // namespace

QtDialog::QtDialog(QWidget* parent) : QDialog(parent, DIALOG_WINDOW_FLAGS) {
  setWindowTitle(QStringLiteral(DLG_CAPTION));
  // The desktop's font and palette, which the dialog inherits from the application.
  m_style = new ControlStyle;
  m_style->setParent(this);

  for (const TemplateControl& control : TEMPLATE) MakeControl(control);
  // The template lists its controls from the top of the stack down; Qt stacks each new widget
  // on top, so restack them.
  for (const TemplateControl& control : TEMPLATE) Control(control.id)->lower();
  m_table = LayOutDialog(*this, m_controls);
  // Under the rows, the book against the line, which a glance should find without a tip.
  m_status = new QLabel(this);
  m_status->setTextFormat(Qt::PlainText);  // a screen reader reads it as its name
  static_cast<QVBoxLayout*>(layout())->addWidget(m_status);
  MakeMenuActions();
}

void QtDialog::MakeControl(const TemplateControl& control) {
  const QString text = FromDialogBytes(control.text);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::BAR: widget = MakeBar(control.id); break;
    case ControlKind::CHECK: widget = MakeBox(control.id, text); break;
    case ControlKind::GROUP: widget = MakeGroup(text); break;
    case ControlKind::LABEL: widget = MakeLabel(text); break;
    case ControlKind::EDIT: widget = MakeEdit(text); break;
  }
  widget->setAccessibleName(AccessibleName(control.id));
  m_controls[control.id - IDC_FIRST] = widget;
}

QWidget* QtDialog::MakeBar(int /*id*/) {
  // The dispatch alone moves a bar: the bar's own input only reports.
  auto* bar = new PoolBar(this);
  bar->setRange(0, 0);
  // Not even the dialog's menu: a right click on a bar does nothing at all.
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->setStyle(m_style);
  bar->installEventFilter(this);
  ConnectBar(bar);
  return bar;
}

void QtDialog::ConnectBar(PoolBar* bar) {
  connect(bar, &PoolBar::scrolled, this,
          [this, bar](unsigned code, int thumb) { Scroll(bar, code, thumb); });
  // Within a message the scroll that follows it ends the step (Scroll).
  connect(bar, &PoolBar::holdEnded, this, [this] {
    if (!m_dispatching) EndStep();
  });
}

QWidget* QtDialog::MakeBox(int id, const QString& text) {
  auto* box = new QCheckBox(text, this);
  // A left click gives a box the focus, which ends an edit field's (eventFilter); Tab passes
  // it by, and a right click, which opens the dialog's menu, leaves the focus be.
  box->setFocusPolicy(Qt::NoFocus);
  box->installEventFilter(this);
  box->setStyle(m_style);
  connect(box, &QAbstractButton::clicked, this,
          [this, box, id] { Command(static_cast<unsigned>(id), NOTIFY_CLICKED, box); });
  return box;
}

QWidget* QtDialog::MakeGroup(const QString& text) {
  auto* group = new QGroupBox(text, this);
  group->setStyle(m_style);
  return group;
}

QWidget* QtDialog::MakeLabel(const QString& text) {
  auto* label = new QLabel(text, this);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QWidget* QtDialog::MakeEdit(const QString& text) {
  auto* edit = new QLineEdit(text, this);
  edit->installEventFilter(this);
  // Windows keeps a field's modified flag until the program writes the field: every edit of
  // the user's sets it, an undo back to the written text included (Qt's own flag would clear
  // there). textEdited comes from the user alone, also for an edit that leaves the text as
  // it was (a selected "5" retyped), and not for one that does nothing (Backspace at the start).
  connect(edit, &QLineEdit::textEdited, edit, [edit] { edit->setModified(true); });
  // Windows' fields take no drops; a drop would change a field that may not have the focus,
  // so no kill-focus notification would ever take its text.
  edit->setAcceptDrops(false);
  return edit;
}

void QtDialog::MakeMenuActions() {
  const MenuActions actions = MakeMenus(*this);
  m_menuBar = qobject_cast<QMenuBar*>(layout()->menuBar());
  m_openLine = actions[MENU_OPEN];
  connect(m_openLine, &QAction::triggered, this, &QtDialog::OpenChosen);
  m_saveLine = actions[MENU_SAVE];
  connect(m_saveLine, &QAction::triggered, this, [this] { Save(false); });
  m_saveAs = actions[MENU_SAVE_AS];
  connect(m_saveAs, &QAction::triggered, this, [this] { Save(true); });
  m_importEntries = actions[MENU_IMPORT];
  connect(m_importEntries, &QAction::triggered, this, [this] {
    if (!TakeTypedEntriesFirst()) return;
    if (ImportEntriesChosen(this, m_surface, m_card)) ShowCardChanges();
  });
  m_pasteEntries = actions[MENU_PASTE];
  connect(m_pasteEntries, &QAction::triggered, this, [this] {
    if (!TakeTypedEntriesFirst()) return;
    if (PasteEntries(this, m_surface, m_card)) ShowCardChanges();
  });
  m_copyLine = actions[MENU_COPY];
  connect(m_copyLine, &QAction::triggered, this, &QtDialog::CopyLine);
  // The sheet prints every race as the card keeps it, the shown one as it shows now.
  const auto sheet = [this](void (*act)(QWidget*, Card&, DialogSurface&)) {
    return [this, act] {
      if (TakeTypedEntriesFirst()) act(this, m_card, m_surface);
    };
  };
  connect(actions[MENU_PRINT], &QAction::triggered, this, sheet(PrintSheet));
  connect(actions[MENU_PREVIEW], &QAction::triggered, this, sheet(PreviewSheet));
  connect(actions[MENU_EXPORT_PDF], &QAction::triggered, this, [this] {
    if (TakeTypedEntriesFirst()) {
      ExportSheetChosen(this, m_card, m_surface, QString::fromStdString(m_document.path));
    }
  });
  m_quitAction = actions[MENU_QUIT];
  connect(m_quitAction, &QAction::triggered, this, &QtDialog::reject);
  m_cardAction = actions[MENU_CARD];
  connect(m_cardAction, &QAction::triggered, this, &QtDialog::ShowCard);
  m_nextRace = actions[MENU_NEXT_RACE];
  connect(m_nextRace, &QAction::triggered, this, [this] { GoToRace(NextRace(m_card)); });
  m_previousRace = actions[MENU_PREVIOUS_RACE];
  connect(m_previousRace, &QAction::triggered, this, [this] { GoToRace(PreviousRace(m_card)); });
  m_undo = actions[MENU_UNDO];
  connect(m_undo, &QAction::triggered, this, [this] { UndoOrRedo(false); });
  m_redo = actions[MENU_REDO];
  connect(m_redo, &QAction::triggered, this, [this] { UndoOrRedo(true); });
  m_toteAction = actions[MENU_TOTE];
  connect(m_toteAction, &QAction::triggered, this, &QtDialog::ShowTote);
  m_exoticsAction = actions[MENU_EXOTICS];
  connect(m_exoticsAction, &QAction::triggered, this, &QtDialog::ShowExotics);
  connect(actions[MENU_KEYS], &QAction::triggered, this, [this] {
    QMessageBox::information(this, QStringLiteral("Keys and commands"), HelpSummary());
  });
  connect(actions[MENU_ABOUT], &QAction::triggered, this, [this] {
    QMessageBox::about(this, QStringLiteral("About Oddsmith"),
                       QStringLiteral("Oddsmith %1\nMakes the odds line for the races of the day.")
                           .arg(QLatin1String(ODDSMITH_VERSION)));
  });
}

QtDialog::~QtDialog() {
  // Destroying the controls may move the focus; that is no user action to report.
  m_destroyed = true;
  // The controls go before the style they are drawn with, which is an older child. Deleting
  // the dialog's own child widgets deletes each control once, the fields inside "Race Info"
  // with their frame.
  m_controls.fill(nullptr);
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void QtDialog::Init() {
  if (!Deliver(MSG_INITDIALOG, 0, 0) || m_destroyed) return;
  EndStep();  // the history starts at the dialog as it first shows
  for (const TemplateControl& control : TEMPLATE) {
    QWidget* widget = Control(control.id);
    if (widget->focusPolicy() & Qt::TabFocus) {
      widget->setFocus(Qt::TabFocusReason);
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
      return;
    }
  }
}

QWidget* QtDialog::Control(int id) const { return m_surface.Control(id); }

bool QtDialog::QuitPosted(int& code) const {
  code = m_quitCode;
  return m_quit;
}

int QtDialog::ControlId(LongParam handle) {
  for (int i = 0; i < CONTROL_COUNT; ++i) {
    if (reinterpret_cast<LongParam>(m_controls[i]) == handle) return IDC_FIRST + i;
  }
  return 0;
}

void QtDialog::ShowDialog(bool visible) { setVisible(visible); }

void QtDialog::EndDialog(LongParam result) {
  // As on Windows, the dialog goes once the message that ended it has been handled.
  m_ended = true;
  m_result = static_cast<int>(result);
}

void QtDialog::PostQuit(int code) {
  if (m_quit) return;  // the first quit message ends the loop
  m_quit = true;
  m_quitCode = code;
  emit quitPosted(code);
}

int QtDialog::ThumbPosition(int /*barId*/, unsigned /*word*/) { return m_thumb; }

bool QtDialog::Deliver(unsigned message, WordParam wParam, LongParam lParam) {
  // A message that arrives while another is handled comes from the dispatch's own writes (a
  // value the program sets is no user action) and is dropped.
  if (m_destroyed || m_dispatching) return false;
  m_dispatching = true;
  const bool handled = MainDialogProc(*this, message, wParam, lParam);
  if (m_ended) {
    m_destroyed = true;
    done(m_result);
    MainDialogProc(*this, MSG_DESTROY, 0, 0);
  }
  m_dispatching = false;
  // The figures of an open tote window follow whatever the message changed: the field that
  // had the focus when it opened is left, and leaving "% Line:" rebalances the book.
  if (m_toteWindow && !m_destroyed) m_toteWindow->Refresh();
  return handled;
}

void QtDialog::Command(unsigned id, unsigned code, QWidget* from) {
  Deliver(MSG_COMMAND, MakeCommandParam(id, code), reinterpret_cast<LongParam>(from));
  // A field left, a box clicked: each a step.
  EndStep();
}

void QtDialog::Scroll(QScrollBar* bar, unsigned code, int thumb) {
  m_thumb = thumb;
  // The message carries the thumb's low 16 bits, as a scroll message does; ThumbPosition
  // gives the dispatch the full position.
  Deliver(MSG_HSCROLL, MakeScrollParam(code, thumb), reinterpret_cast<LongParam>(bar));
  // A bar held by the button is one step until its release; each key on it is one.
  const auto* pool = qobject_cast<const PoolBar*>(bar);
  if (!pool || !pool->Held()) {
    EndStep();
  } else {
    ShowBookStatus();  // the total follows the thumb
  }
}

void QtDialog::reject() {
  if (m_destroyed || m_dispatching || !AskToKeepWork()) return;
  Command(CMD_CANCEL, 0, nullptr);
}

bool QtDialog::AskToKeepWork() {
  if (!HasUnsavedWork(m_document, m_card, m_surface)) return true;
  QMessageBox question(QMessageBox::Warning, QStringLiteral("Oddsmith"),
                       QString::fromStdString(SaveChangesQuestion(m_document)),
                       QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  question.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
  question.button(QMessageBox::Discard)->setText(QStringLiteral("Do&n't Save"));
  question.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
  question.setDefaultButton(QMessageBox::Save);
  question.setEscapeButton(QMessageBox::Cancel);
  switch (question.exec()) {
    case QMessageBox::Save: return Save(false);
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

bool QtDialog::Save(bool askName) {
  if (!TakeTypedEntriesFirst()) return false;
  QString path = QString::fromStdString(m_document.path);
  if (askName || path.isEmpty()) {
    path = AskLineFile(this, true, path);
    if (path.isEmpty()) return false;
  }
  if (!SaveLineTo(this, m_surface, m_card, path)) return false;
  MarkSaved(m_document, path.toStdString(), m_card, m_surface);
  ShowDocument();
  return true;
}

void QtDialog::OpenChosen() {
  if (m_destroyed || m_dispatching || !AskToKeepWork()) return;
  const QString path = AskLineFile(this, false, QString::fromStdString(m_document.path));
  if (!path.isEmpty()) OpenFile(path);
}

void QtDialog::EndStep() {
  if (m_destroyed) return;
  ::EndStep(m_history, m_card.shown, m_surface);
  ShowDocument();
}

void QtDialog::UndoOrRedo(bool redo) {
  if (m_destroyed || m_dispatching) return;
  if (!(redo ? Redo(m_history, m_card.shown, m_surface)
             : Undo(m_history, m_card.shown, m_surface))) {
    return;
  }
  ShowDocument();
  if (m_toteWindow) m_toteWindow->Refresh();
}

void QtDialog::ShowDocument() {
  if (m_destroyed) return;
  const bool unsaved = HasUnsavedWork(m_document, m_card, m_surface);
  setWindowTitle(QString::fromStdString(DocumentTitle(m_document, m_card, unsaved)));
  m_undo->setEnabled(CanUndo(m_history, m_card.shown));
  m_redo->setEnabled(CanRedo(m_history, m_card.shown));
  ShowBookStatus();
}

void QtDialog::ShowBookStatus() {
  if (m_destroyed) return;
  char text[TIP_MAX];
  FormatBookStatus(m_surface, text, sizeof text);
  // Off the line shows in bold and says so, for the eye and for a screen reader.
  const bool off = BookOffLine(m_surface);
  QString status = QString::fromUtf8(text);
  if (off) status += QStringLiteral(" (off the line)");
  if (m_status->text() == status) return;
  QFont font = m_status->font();
  font.setBold(off);
  m_status->setFont(font);
  m_status->setText(status);
}

void QtDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Command(CMD_OK, 0, nullptr);  // the default command, which the dispatch leaves alone
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape comes back as reject()
}

bool QtDialog::eventFilter(QObject* watched, QEvent* event) {
  if (m_destroyed) return false;
  switch (event->type()) {
    case QEvent::FocusOut: {
      // Every loss of an edit field's focus is its kill-focus notification, whether the text
      // changed or not and also when the window is deactivated; only a popup menu, which on
      // Windows leaves the focus where it is, does not count.
      auto* edit = qobject_cast<QLineEdit*>(watched);
      if (edit && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        const int id = ControlId(reinterpret_cast<LongParam>(edit));
        if (id != 0) Command(static_cast<unsigned>(id), NOTIFY_KILLFOCUS, edit);
      }
      return false;
    }
    case QEvent::KeyPress:
      return MoveFocus(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride: {
      // A text field keeps every undo and redo key for its own; Qt's fields here claim
      // Ctrl+Z and Ctrl+Shift+Z but not Ctrl+Y, which would otherwise redo the race.
      auto* key = static_cast<QKeyEvent*>(event);
      const QKeySequence pressed(key->keyCombination());
      if (qobject_cast<QLineEdit*>(watched) &&
          (m_undo->shortcuts().contains(pressed) || m_redo->shortcuts().contains(pressed))) {
        key->accept();
        return true;
      }
      return false;
    }
    case QEvent::Wheel: return qobject_cast<QScrollBar*>(watched) != nullptr;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
      if (auto* box = qobject_cast<QCheckBox*>(watched)) {
        // Before the box hears of the press, as a window system gives focus on a click.
        if (left) box->setFocus(Qt::MouseFocusReason);
        return false;
      }
      // A bar answers the left button only: its arrows, its trough and its thumb.
      return qobject_cast<QScrollBar*>(watched) != nullptr && !left;
    }
    case QEvent::ToolTip:
      return ShowTip(static_cast<QWidget*>(watched), static_cast<QHelpEvent*>(event));
    default: return false;
  }
}

bool QtDialog::MoveFocus(QWidget* control, const QKeyEvent* event) {
  const int id = ControlId(reinterpret_cast<LongParam>(control));
  // With Alt these are the menu's keys; Ctrl changes nothing, as in a Windows dialog.
  if (!InBarGroup(id) || (event->modifiers() & Qt::AltModifier)) return false;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  int target = 0;
  Qt::FocusReason reason = Qt::OtherFocusReason;
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      // Out of the group to the fields, in template order: "% Line:" comes next.
      target = NextTabStop(m_controls, id, shift || event->key() == Qt::Key_Backtab);
      reason =
          shift || event->key() == Qt::Key_Backtab ? Qt::BacktabFocusReason : Qt::TabFocusReason;
      break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
      if (IsPoolBar(id)) return false;  // a bar scrolls with them
      target =
          NextInGroup(m_controls, id, event->key() == Qt::Key_Left || event->key() == Qt::Key_Up);
      break;
    default: return false;
  }
  // A field reached by Tab selects its text, as it does from another field.
  if (QWidget* next = Control(target)) next->setFocus(reason);
  return true;
}

void QtDialog::contextMenuEvent(QContextMenuEvent* event) {
  if (m_destroyed) return;
  // Made for each request and gone once closed. Its popup takes Qt's focus with
  // Qt::PopupFocusReason, which ends no field's focus (eventFilter).
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addActions({m_copyLine, m_saveLine, m_saveAs, m_openLine, m_toteAction, m_exoticsAction});
  menu->addSeparator();
  menu->addActions({m_cardAction, m_nextRace, m_previousRace});
  menu->addSeparator();
  menu->addActions({m_importEntries, m_pasteEntries});
  menu->addSeparator();
  menu->addActions({m_undo, m_redo});
  menu->popup(event->globalPos());
  event->accept();
}

bool QtDialog::ShowTip(QWidget* control, const QHelpEvent* event) {
  const int id = ControlId(reinterpret_cast<LongParam>(control));
  char tip[CARD_TIP_MAX];
  const int length = FormatCardTip(m_surface, m_card, id, tip, sizeof tip);
  if (length == NO_TIP) return false;
  if (length > 0) {
    // The core's tips are UTF-8 (the middle dot), unlike the controls' code-page bytes; one
    // always fits CARD_TIP_MAX.
    QToolTip::showText(event->globalPos(), PlainTip(QString::fromUtf8(tip)), control);
  } else {
    QToolTip::hideText();
  }
  return true;
}

bool QtDialog::TakeTypedEntriesFirst() {
  if (m_destroyed || m_dispatching) return false;
  // What is being typed is taken as leaving each field would; the focus stays.
  m_dispatching = true;
  TakeTypedEntries(*this);
  m_dispatching = false;
  if (m_destroyed) return false;
  EndStep();
  return true;
}

void QtDialog::CopyLine() {
  if (!TakeTypedEntriesFirst()) return;
  PutOnClipboard(CopyLineTable(m_surface, ShownRace(m_card).horses, "\n"));
}

void QtDialog::ShowTote() {
  // The focus stays where it is until the window takes it.
  if (m_toteWindow || !TakeTypedEntriesFirst()) return;
  // Modal, so that nothing but the window's own input changes the book while it is open.
  ToteDialog window(m_surface, Tote(), ShownRace(m_card).horses, m_card.money, this);
  m_toteWindow = &window;
  window.exec();
  m_toteWindow = nullptr;
  ShowDocument();  // the prices are the card's work too
}

void QtDialog::ShowExotics() {
  if (m_toteWindow || !TakeTypedEntriesFirst()) return;
  // Modal, as the tote window; it changes nothing of the card.
  ExoticsDialog window(m_card, m_surface, this);
  window.exec();
}

void QtDialog::ShowCard() {
  if (!TakeTypedEntriesFirst()) return;
  // Modal, as the tote window: only the window's own input changes the card while it is open.
  CardDialog window(
      m_card, m_surface, [this] { ShowCardChanges(); }, this);
  window.exec();
  ShowCardChanges();
}

void QtDialog::GoToRace(int r) {
  if (r == 0 || r == m_card.shown || !TakeTypedEntriesFirst()) return;
  ShowRace(m_card, m_surface, r);
  ShowCardChanges();
}

QString QtDialog::OpenFile(const QString& path, std::FILE* log) {
  const int shown = m_card.shown;
  QString failure = OpenLineFrom(this, m_surface, m_card, path, log);
  if (failure.isEmpty()) {
    CarryHistory(m_history, shown, m_card.shown);
    MarkSaved(m_document, path.toStdString(), m_card, m_surface);
  }
  ShowCardChanges();
  return failure;
}

bool QtDialog::ImportFile(const QString& path, std::FILE* log) {
  if (!TakeTypedEntriesFirst()) return false;
  const bool imported = ImportEntriesFrom(this, m_surface, m_card, path, false, log);
  ShowCardChanges();
  return imported;
}

void QtDialog::ShowCardChanges() {
  if (m_destroyed) return;
  // A race removed takes its history with it; the race shown now, maybe another, goes on.
  ForgetRacesGone(m_history, m_card);
  EndStep();
  bool named = false;
  for (int r = 1; r <= RACE_MAX && !named; ++r) {
    if (const Race* race = FindRace(m_card, r)) {
      for (const HorseIdentity& horse : race->horses) named = named || HasIdentity(horse);
    }
  }
  if (named && !m_nameHead) MakeNameColumn();
  const Race& race = ShownRace(m_card);
  for (int i = 0; i < ROW_COUNT; ++i) {
    const QString description = QString::fromStdString(RowDescription(m_card, i));
    Control(IDC_ODDS + i)->setAccessibleDescription(description);
    Control(IDC_POOL_BAR + i)->setAccessibleDescription(description);
    if (!m_names[i]) continue;
    HorseIdentity who = race.horses[i];
    who.ml[0] = '\0';  // the column names the horse; its morning line is in the tip
    char name[IDENTITY_TEXT_MAX];
    TextBuilder text(name, sizeof name);
    AddIdentity(text, who);
    m_names[i]->SetName(QString::fromUtf8(name));
  }
  if (m_nameHead) {
    m_nameHead->setVisible(named);
    for (NameLabel* label : m_names) label->setVisible(named);
  }
}

void QtDialog::MakeNameColumn() {
  auto* head = new QLabel(QStringLiteral("Horse"), this);
  head->setTextFormat(Qt::PlainText);
  head->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_table->addWidget(head, 0, NAME_GRID_COLUMN);
  m_nameHead = head;
  for (int i = 0; i < ROW_COUNT; ++i) {
    // Room for a program number and a name of some length; a longer one is cut, whole in its
    // tip.
    auto* label = new NameLabel(20, this);
    label->setAccessibleName(QStringLiteral("Horse %1 name").arg(i + 1));
    m_table->addWidget(label, i + 1, NAME_GRID_COLUMN);
    m_names[i] = label;
  }
}
