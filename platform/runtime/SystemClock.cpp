#include "platform/runtime/SystemClock.h"

#include <charconv>
#include <ctime>
#include <thread>

#include "platform/posix/HostClockSetter.h"

namespace vexa::platform {

namespace {

constexpr auto kRecheck = std::chrono::seconds(1);
constexpr std::size_t kFileLimit = 1024;

DateTime Convert(std::chrono::system_clock::time_point when, bool local) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::seconds>(when) > when
          ? std::chrono::time_point_cast<std::chrono::seconds>(when) - std::chrono::seconds(1)
          : std::chrono::time_point_cast<std::chrono::seconds>(when));
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
  if (milliseconds < 0) milliseconds += 1000;
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
  t.milliseconds = static_cast<int>(milliseconds);
  return t;
}

std::int64_t HostMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void SystemClock::FollowDeviceClock(FileSystem& files) {
  const std::lock_guard guard(lock_);
  files_ = &files;
  checked_.reset();
}

// [Clock]
// OffsetMilliseconds=-3600000
std::string SystemClock::FormatOffset(std::int64_t milliseconds) {
  return "; The device clock: milliseconds ahead of the host's UTC.\r\n[Clock]\r\nOffsetMilliseconds=" +
         std::to_string(milliseconds) + "\r\n";
}

std::optional<std::int64_t> SystemClock::ParseOffset(std::string_view content) {
  constexpr std::string_view kKey = "OffsetMilliseconds=";
  const std::size_t at = content.find(kKey);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view digits = content.substr(at + kKey.size());
  digits = digits.substr(0, digits.find_first_of("\r\n"));
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (value > kOffsetLimit || value < -kOffsetLimit) return std::nullopt;
  return value;
}

std::int64_t SystemClock::Offset() {
  const std::lock_guard guard(lock_);
  if (files_ == nullptr) return 0;
  const auto now = std::chrono::steady_clock::now();
  if (checked_ && now - *checked_ < kRecheck) return offset_;
  checked_ = now;
  std::string content = files_->ReadFile(kOffsetFile, kFileLimit).value_or(std::string());
  if (content != content_) {
    offset_ = ParseOffset(content).value_or(0);
    content_ = std::move(content);
  }
  return offset_;
}

std::uint64_t SystemClock::TickCount() {
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

DateTime SystemClock::LocalTime() {
  return Convert(std::chrono::system_clock::now() + std::chrono::milliseconds(Offset()), true);
}

DateTime SystemClock::SystemTime() {
  return Convert(std::chrono::system_clock::now() + std::chrono::milliseconds(Offset()), false);
}

void SystemClock::Sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool SystemClock::SetSystemTime(const DateTime& utc) {
  const std::optional<long long> seconds = UtcSeconds(utc);
  if (!seconds) return false;
  const std::lock_guard guard(lock_);
  if (files_ == nullptr) return false;
  // Whole seconds, as the device's clock is set; the milliseconds given are not looked at.
  const std::int64_t offset = static_cast<std::int64_t>(*seconds) * 1000 - HostMilliseconds();
  if (offset > kOffsetLimit || offset < -kOffsetLimit) return false;
  std::string content = FormatOffset(offset);
  if (!files_->WriteWholeFile(kOffsetFile, content)) return false;
  offset_ = offset;
  content_ = std::move(content);
  checked_ = std::chrono::steady_clock::now();
  return true;
}

}  // namespace vexa::platform
