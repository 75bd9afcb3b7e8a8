// Linked into a Qt program for the start-up benchmark: ends the process as soon as its first
// window has been painted, so the process's run is its start-up and its peak memory is that
// of the shown window. With ODDSMITH_PRINT_SIZE set it first prints the window's size.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaint final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (m_seen || event->type() != QEvent::Paint || !widget || !widget->isWindow()) return false;
    m_seen = true;
    // The window is painted first, then its controls, then the whole is flushed to the
    // screen, all while one update request is handled; a queued call runs once that is done.
    const QSize size = widget->size();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [size] {
          if (qEnvironmentVariableIsSet("ODDSMITH_PRINT_SIZE")) {
            std::printf("%dx%d\n", size.width(), size.height());
          }
          std::fflush(stdout);
          std::_Exit(EXIT_SUCCESS);
        },
        Qt::QueuedConnection);
    return false;
  }

 private:
  bool m_seen = false;
};

void WatchFirstPaint() { QCoreApplication::instance()->installEventFilter(new FirstPaint); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchFirstPaint)
