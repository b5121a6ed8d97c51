#include "app/exposure_wait.h"

#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <QWindow>

namespace tivok {
namespace {

// Ends `loop` when the window it watches is exposed.
class ExposeWatcher : public QObject {
 public:
  ExposeWatcher(QWindow& window, QEventLoop& loop)
      : window_(window), loop_(loop) {
    window_.installEventFilter(this);
  }
  ExposeWatcher(const ExposeWatcher&) = delete;
  ExposeWatcher& operator=(const ExposeWatcher&) = delete;
  ~ExposeWatcher() override { window_.removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The window is marked exposed before the event reaches it.
    if (watched == &window_ && event->type() == QEvent::Expose &&
        window_.isExposed()) {
      loop_.quit();
    }
    return false;
  }

 private:
  QWindow& window_;
  QEventLoop& loop_;
};

}  // namespace

bool WaitUntilExposed(QWindow& window, std::chrono::milliseconds limit) {
  if (window.isExposed()) return true;
  QEventLoop loop;
  const ExposeWatcher watcher(window, loop);
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(limit);
  loop.exec();
  // Still running when the exposure ended the wait.
  return timer.isActive();
}

}  // namespace tivok
