#include "platform/qt/QtTimerService.h"

#include <QTimer>
#include <algorithm>

namespace vexa::platform {

QtTimerService::QtTimerService() = default;

QtTimerService::~QtTimerService() {
  for (auto& [id, timer] : timers_) delete timer;
}

int QtTimerService::Start(int milliseconds, std::function<void()> fire) {
  const int id = next_++;
  auto* timer = new QTimer();
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(std::max(1, milliseconds));
  QObject::connect(timer, &QTimer::timeout, timer, [fire = std::move(fire)] { fire(); });
  timers_[id] = timer;
  timer->start();
  return id;
}

void QtTimerService::Stop(int timer) {
  auto it = timers_.find(timer);
  if (it == timers_.end()) return;
  it->second->stop();
  // The timer may be the one firing right now: its callback is still running.
  it->second->deleteLater();
  timers_.erase(it);
}

}  // namespace vexa::platform
