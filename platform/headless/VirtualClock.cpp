#include "platform/headless/VirtualClock.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vexa::platform {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back (H. Hinnant's
// civil-calendar algorithms: eras of 400 years starting on 1 March).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, DateTime& out) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2));
}

int DayOfWeek(std::int64_t days) {
  // 1970-01-01 was a Thursday.
  const std::int64_t w = (days + 4) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Reads exactly `width` digits at `pos`.
bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t width, int& value) {
  if (pos + width > text.size()) return false;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  std::from_chars(text.data() + pos, text.data() + pos + width, value);
  pos += width;
  return true;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

VirtualClock::VirtualClock(const DateTime& start) {
  startDay_ = DaysFromCivil(start.year, start.month, start.day);
  startMillisecond_ =
      ((static_cast<std::int64_t>(start.hour) * 60 + start.minute) * 60 + start.second) * 1000 +
      start.milliseconds;
}

// "2026-01-01 09:00:00"
std::optional<DateTime> VirtualClock::ParseDateTime(std::string_view text) {
  DateTime t;
  std::size_t pos = 0;
  if (!ReadNumber(text, pos, 4, t.year) || !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, t.month) ||
      !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, t.day)) {
    return std::nullopt;
  }
  const std::size_t dateEnd = pos;
  if (pos < text.size() && text[pos] == 'T') {
    ++pos;
  } else {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }
  if (pos == dateEnd) return std::nullopt;
  if (!ReadNumber(text, pos, 2, t.hour) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, t.minute) ||
      !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, t.second) || pos != text.size()) {
    return std::nullopt;
  }
  if (t.year < 1601 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month) ||
      t.hour > 23 || t.minute > 59 || t.second > 59) {
    return std::nullopt;
  }
  t.dayOfWeek = DayOfWeek(DaysFromCivil(t.year, t.month, t.day));
  return t;
}

DateTime VirtualClock::LocalTime() {
  const std::int64_t total = startMillisecond_ + static_cast<std::int64_t>(now_.load());
  const std::int64_t days = startDay_ + total / kMillisecondsPerDay;
  std::int64_t rest = total % kMillisecondsPerDay;
  DateTime t;
  CivilFromDays(days, t);
  t.dayOfWeek = DayOfWeek(days);
  t.milliseconds = static_cast<int>(rest % 1000);
  rest /= 1000;
  t.second = static_cast<int>(rest % 60);
  rest /= 60;
  t.minute = static_cast<int>(rest % 60);
  t.hour = static_cast<int>(rest / 60);
  return t;
}

void VirtualClock::Sleep(int milliseconds) {
  if (milliseconds > 0) now_ += static_cast<std::uint64_t>(milliseconds);
}

int VirtualClock::Start(int milliseconds, std::function<void()> fire) {
  Timer timer;
  timer.period = static_cast<std::uint64_t>(std::max(milliseconds, 1));
  timer.due = now_.load() + timer.period;
  timer.order = nextOrder_++;
  timer.fire = std::move(fire);
  // Numbers are never 0 and not reused while a timer holds them.
  while (nextTimer_ <= 0 || timers_.contains(nextTimer_)) {
    nextTimer_ = nextTimer_ == std::numeric_limits<int>::max() ? 1 : nextTimer_ + 1;
  }
  const int number = nextTimer_++;
  timers_.emplace(number, std::move(timer));
  return number;
}

void VirtualClock::Stop(int timer) {
  timers_.erase(timer);
}

void VirtualClock::Advance(std::uint64_t milliseconds, const std::function<bool()>& stop) {
  const std::uint64_t target = now_.load() + milliseconds;
  FireUntil(target, stop);
  if (stop && stop()) return;
  now_ = std::max(now_.load(), target);
}

bool VirtualClock::FireDue(const std::function<bool()>& stop) {
  return FireUntil(now_.load(), stop) > 0;
}

std::size_t VirtualClock::FireUntil(std::uint64_t target, const std::function<bool()>& stop) {
  std::size_t fired = 0;
  for (;;) {
    if (stop && stop()) return fired;
    // The next timer to fall due within this span, or overdue since a callback slept past it; ties go
    // to the one armed first.
    const std::uint64_t limit = std::max(target, now_.load());
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due > limit) continue;
      if (next == timers_.end() || it->second.due < next->second.due ||
          (it->second.due == next->second.due && it->second.order < next->second.order)) {
        next = it;
      }
    }
    if (next == timers_.end()) return fired;
    Timer& timer = next->second;
    // A timer overdue since a Sleep fires now, once, and counts its next period from now.
    now_ = std::max(now_.load(), timer.due);
    timer.due = now_.load() + timer.period;
    // A copy: the callback may stop its own timer, or start others, which changes the map.
    const std::function<void()> fire = timer.fire;
    ++fired;
    if (fire) fire();
  }
}

}  // namespace vexa::platform
