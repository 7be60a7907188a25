#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/SerialPorts.h"
#include "platform/posix/ByteQueue.h"
#include "platform/posix/ReleaseEvent.h"
#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

// A serial port that replays a recorded NMEA file (a host file) at the pace of its RMC sentences,
// so that a recorded drive can be watched on the desktop.
//
// The file is cut into lines. Each RMC line of any talker ($GPRMC, $GNRMC, ...) waits for the
// difference between its time field and that of the RMC before it (at least 0, at most kMaxPause;
// a step over midnight counts as the few seconds it is); the lines after it, up to the next RMC, come
// with it. At the end of the file the replay starts again after kRestartPause, so the drive keeps
// moving. Writes are accepted and dropped.
//
// Recordings may hold binary messages and lines of any length: a line is handed on in pieces of at
// most kPieceLimit bytes, at most kQueueLimit bytes wait for the reader, and the file is read in
// blocks, so memory stays bounded whatever the file holds.
class ReplaySerialPort : public SerialPort {
 public:
  static constexpr int kMaxPause = 3000;      // milliseconds
  static constexpr int kRestartPause = 1000;  // milliseconds
  static constexpr std::size_t kPieceLimit = 512;
  static constexpr std::size_t kQueueLimit = 4096;

  // Null when the file cannot be opened for reading.
  static std::unique_ptr<SerialPort> Open(const std::string& hostPath);
  explicit ReplaySerialPort(UniqueFd file);

  std::optional<SerialSettings> GetSettings() override { return settings_; }
  bool SetSettings(const SerialSettings& settings) override;
  void SetQueueSizes(std::size_t, std::size_t) override {}
  void Purge() override { queue_.Clear(); }
  std::size_t QueuedBytes() override;
  void SetReadTimeout(int milliseconds) override { readTimeout_ = milliseconds < 0 ? 0 : milliseconds; }
  bool WaitForBytes() override;
  void ReleaseWait() override { release_.Signal(); }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
  std::optional<std::size_t> Write(std::span<const std::uint8_t> bytes) override { return bytes.size(); }

  // The time of day of an RMC line in milliseconds ("$GNRMC,123519.50,A,..." gives 45319500);
  // nullopt for any other line and for an RMC whose time field is not hhmmss[.s...].
  static std::optional<int> RmcTime(std::span<const std::uint8_t> line);

 private:
  using Time = std::chrono::steady_clock::time_point;

  // Moves every piece whose time has come into the queue, as far as there is room.
  void Pump(Time now);
  // Cuts the next piece off the file into piece_; false when the file holds nothing at all.
  bool NextPiece();
  // Waits until bytes are queued, the release, or `deadline` (none: without limit).
  bool WaitUntil(std::optional<Time> deadline);

  UniqueFd file_;
  std::array<std::uint8_t, 8192> block_{};
  std::size_t blockPos_ = 0;
  std::size_t blockLength_ = 0;
  bool lineStart_ = true;
  std::size_t passBytes_ = 0;  // bytes read since the file was last started again
  bool empty_ = false;         // the file holds nothing: nothing ever arrives
  bool restarted_ = false;     // the next piece is the first of a new pass

  std::vector<std::uint8_t> piece_;
  bool held_ = false;  // piece_ waits for its time
  Time due_{};
  bool paced_ = false;  // piece_ is an RMC line or starts a pass: its release sets the pace
  std::optional<int> lastRmc_;
  Time lastRelease_{};

  ByteQueue queue_{kQueueLimit};
  ReleaseEvent release_;
  SerialSettings settings_{};
  int readTimeout_ = 0;
};

}  // namespace vexa::platform
