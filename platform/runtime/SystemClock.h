#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/ClockSetter.h"
#include "platform/FileSystem.h"

namespace vexa::platform {

// The host's clock for desktop runs: the tick count counts milliseconds from the moment this object
// was made (the program's start), local time follows the host's time zone, and Sleep really waits.
//
// It also keeps the device's own clock. Setting the clock (SetSystemTime) stores the difference
// between the time asked for and the host's UTC in a small file of the device tree, kOffsetFile, and
// from then on LocalTime and SystemTime are the host's time plus that offset; the tick count is not
// touched. Every program of the same device reads the file, so they all see the time that was set,
// and the host's clock stays as it is. The file is looked at again at most once a second, and read
// again only when its content changed.
class SystemClock : public Clock, public ClockSetter {
 public:
  static constexpr std::u16string_view kOffsetFile = u"\\Windows\\Clock.ini";
  // An offset further from the host's time than this is taken as a damaged file and not used.
  static constexpr std::int64_t kOffsetLimit = 400LL * 366 * 24 * 60 * 60 * 1000;

  SystemClock() : start_(std::chrono::steady_clock::now()) {}

  // The device tree whose clock file this clock follows and writes. Without it the host's time is
  // the device's and SetSystemTime fails.
  void FollowDeviceClock(FileSystem& files);

  std::uint64_t TickCount() override;
  DateTime LocalTime() override;
  DateTime SystemTime() override;
  void Sleep(int milliseconds) override;
  // False for an impossible date, without a device tree, or when the file cannot be written.
  bool SetSystemTime(const DateTime& utc) override;

  // The offset file's content, and the offset it holds (nullopt when it holds none).
  static std::string FormatOffset(std::int64_t milliseconds);
  static std::optional<std::int64_t> ParseOffset(std::string_view content);

 private:
  std::int64_t Offset();

  std::chrono::steady_clock::time_point start_;
  FileSystem* files_ = nullptr;
  std::mutex lock_;
  std::int64_t offset_ = 0;
  std::string content_;
  std::optional<std::chrono::steady_clock::time_point> checked_;
};

}  // namespace vexa::platform
