// Replays an event script on the real Qt dialog and prints what the headless runner prints, so
// the golden sessions check the Qt binding byte for byte. Each action is applied to the widget
// itself (no pointer, no keyboard), so that no focus change adds an event the script lacks;
// a scroll is the bar's message itself, as the Windows replay sends it from the bar.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "book/snapshot.h"
#include "dialog/qt/pool_bar.h"
#include "dialog/qt/qt_dialog.h"
#include "dialog/qt/qt_text.h"
#include "runner/script.h"

namespace {

class WidgetTarget final : public ScriptTarget {
 public:
  explicit WidgetTarget(QtDialog& dialog) : m_dialog(dialog) {}

  void Init() override {
    m_dialog.Init();
    Settle();
  }
  void Type(int editId, std::string_view text) override {
    QLineEdit* edit = Edit(editId);
    // A window text ends at its first NUL.
    const std::string_view shown = text.substr(0, text.find('\0'));
    edit->setText(FromDialogBytes(shown.data(), static_cast<qsizetype>(shown.size())));
    edit->setModified(true);
  }
  void Leave(int editId) override {
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(Edit(editId), &focusOut);
    Settle();
  }
  void Click(int boxId) override {
    qobject_cast<QCheckBox*>(m_dialog.Control(boxId))->click();
    Settle();
  }
  void Scroll(int barId, unsigned code, int pos) override {
    // The bar's own message, as if its input had made it: a mouse gives a thumb position only
    // to the pixel, and the scripts name any position.
    emit Bar(barId)->scrolled(code, pos);
    Settle();
  }
  void Command(int id) override {
    if (id == CMD_CANCEL) {
      m_dialog.reject();
    } else {
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QCoreApplication::sendEvent(&m_dialog, &enter);
    }
    Settle();
  }
  bool QuitPosted(int& code) override { return m_dialog.QuitPosted(code); }

  DialogSnapshot Shown() override { return TakeSnapshot(m_dialog.Surface()); }
  // The dialog's "Copy line", and what it left on the clipboard.
  std::string CopiedLine() override {
    m_dialog.CopyLineAction()->trigger();
    return ToDialogBytes(QGuiApplication::clipboard()->text()).toStdString();
  }

 private:
  QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(m_dialog.Control(id)); }
  PoolBar* Bar(int id) { return qobject_cast<PoolBar*>(m_dialog.Control(id)); }
  // Lets the window system's own events (showing, activation, painting) happen between
  // actions, as they would in a session.
  static void Settle() { QCoreApplication::processEvents(); }

  QtDialog& m_dialog;
};

}  // namespace

int main(int argc, char** argv) {
  const char* name = "qt-replay";
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SCRIPT\n", name);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  std::FILE* in = std::fopen(argv[1], "rb");
  if (!in) {
    std::fprintf(stderr, "%s: cannot read %s: %s\n", name, argv[1], std::strerror(errno));
    return 2;
  }
  QtDialog dialog;
  WidgetTarget target(dialog);
  const int status = RunScript(target, in, stdout, stderr, name);
  std::fclose(in);
  return status;
}
