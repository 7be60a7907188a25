#include "platform/runtime/SystemClock.h"

#include <ctime>
#include <thread>

namespace vexa::platform {

namespace {

DateTime Convert(bool local) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm parts{};
  if (local) {
    localtime_r(&seconds, &parts);
  } else {
    gmtime_r(&seconds, &parts);
  }
  DateTime t;
  t.year = parts.tm_year + 1900;
  t.month = parts.tm_mon + 1;
  t.dayOfWeek = parts.tm_wday;
  t.day = parts.tm_mday;
  t.hour = parts.tm_hour;
  t.minute = parts.tm_min;
  t.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;  // a leap second shows as :59
  t.milliseconds = static_cast<int>(milliseconds < 0 ? milliseconds + 1000 : milliseconds);
  return t;
}

}  // namespace

std::uint64_t SystemClock::TickCount() {
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

DateTime SystemClock::LocalTime() {
  return Convert(true);
}

DateTime SystemClock::SystemTime() {
  return Convert(false);
}

void SystemClock::Sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace vexa::platform
