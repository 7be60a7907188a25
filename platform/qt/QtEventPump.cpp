#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

namespace vexa::platform {

void QtEventPump::RunUntil(const std::function<bool()>& done) {
  // processEvents with WaitForMoreEvents handles what is queued, or sleeps until something arrives,
  // and returns; the condition is checked after each round.
  while (!quitting_ && !done()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

void QtEventPump::Quit() {
  quitting_ = true;
  // Wakes a loop that sleeps waiting for events so that it sees the flag.
  if (QCoreApplication* app = QCoreApplication::instance()) {
    QMetaObject::invokeMethod(app, [] {}, Qt::QueuedConnection);
  }
}

}  // namespace vexa::platform
