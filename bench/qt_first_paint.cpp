// Linked into a Qt program for the start-up benchmark: ends the process as soon as its first
// window has been painted, so the process's run is its start-up and its peak memory is that
// of the shown window. With ODDSMITH_PRINT_STATE set it first prints the window's size and
// every widget in it, so that two programs can be seen to show the same window.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

// One line a widget: its class, where it is in the window, what it shows.
void PrintState(const QWidget* window) {
  std::printf("window %dx%d\n", window->width(), window->height());
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    QString shows;
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
      shows = edit->text() + (edit->hasSelectedText() ? QStringLiteral(" selected") : QString());
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      shows = label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      shows = button->text() + (button->isChecked() ? QStringLiteral(" checked") : QString());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      shows = group->title();
    } else if (const auto* bar = qobject_cast<const QScrollBar*>(widget)) {
      shows =
          QStringLiteral("%1 of %2..%3").arg(bar->value()).arg(bar->minimum()).arg(bar->maximum());
    }
    const QRect at(widget->mapTo(window, QPoint(0, 0)), widget->size());
    std::printf("%s %d,%d %dx%d%s%s \"%s\"\n", widget->metaObject()->className(), at.x(), at.y(),
                at.width(), at.height(), widget->isEnabled() ? "" : " disabled",
                widget->hasFocus() ? " focused" : "", shows.toUtf8().constData());
  }
}

class FirstPaint final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (m_seen || event->type() != QEvent::Paint || !widget || !widget->isWindow()) return false;
    m_seen = true;
    // The window is painted first, then its controls, then the whole is flushed to the
    // screen, all while one update request is handled; a queued call runs once that is done.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [widget] {
          if (qEnvironmentVariableIsSet("ODDSMITH_PRINT_STATE")) PrintState(widget);
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
