#include "platform/posix/HostClockSetter.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>

namespace vexa::platform {

std::optional<long long> UtcSeconds(const DateTime& utc) {
  if (utc.year < 1970 || utc.year > 9999 || utc.month < 1 || utc.month > 12 || utc.day < 1 || utc.hour < 0 ||
      utc.hour > 23 || utc.minute < 0 || utc.minute > 59 || utc.second < 0 || utc.second > 59) {
    return std::nullopt;
  }
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (utc.year % 4 == 0 && utc.year % 100 != 0) || utc.year % 400 == 0;
  if (utc.day > kDays[utc.month - 1] + (utc.month == 2 && leap ? 1 : 0)) return std::nullopt;
  std::tm parts{};
  parts.tm_year = utc.year - 1900;
  parts.tm_mon = utc.month - 1;
  parts.tm_mday = utc.day;
  parts.tm_hour = utc.hour;
  parts.tm_min = utc.minute;
  parts.tm_sec = utc.second;
  return static_cast<long long>(::timegm(&parts));
}

bool HostClockSetter::SetSystemTime(const DateTime& utc) {
  const std::optional<long long> seconds = UtcSeconds(utc);
  if (!seconds) return false;
  timespec time{};
  time.tv_sec = static_cast<time_t>(*seconds);
  if (::clock_settime(CLOCK_REALTIME, &time) == 0) return true;
  const int error = errno;
  if (!told_.exchange(true)) {
    if (error == EPERM) {
      messages_ << program_
                << ": --host-clock: this process may not set the host clock: run with CAP_SYS_TIME (for "
                   "example sudo setcap cap_sys_time+ep PROGRAM) or as root"
                << std::endl;
    } else {
      messages_ << program_ << ": --host-clock: the host clock could not be set: " << std::strerror(error)
                << std::endl;
    }
  }
  return false;
}

}  // namespace vexa::platform
