#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/SerialPorts.h"
#include "platform/posix/ByteQueue.h"
#include "platform/posix/ReleaseEvent.h"

struct gps_data_t;

namespace vexa::platform {

// A serial port that reads the receiver a gpsd daemon shares: the daemon is asked to stream its
// receiver's NMEA sentences (through libgps), and each sentence arrives here as the receiver sent it,
// with CR LF. Other lines of the daemon (its JSON reports) are left out.
//
// The daemon owns the receiver, so writes fail (nullopt) and the line settings are only remembered.
// When the daemon goes away waits answer false and reads nothing.
class GpsdSerialPort : public SerialPort {
 public:
  static constexpr const char* kDefaultHost = "localhost";
  static constexpr int kDefaultPort = 2947;
  static constexpr std::size_t kQueueLimit = 8192;

  // Null when no daemon answers at host:port.
  static std::unique_ptr<SerialPort> Open(const std::string& host, int port);
  ~GpsdSerialPort() override;

  std::optional<SerialSettings> GetSettings() override { return settings_; }
  bool SetSettings(const SerialSettings& settings) override;
  void SetQueueSizes(std::size_t, std::size_t) override {}
  void Purge() override { queue_.Clear(); }
  std::size_t QueuedBytes() override;
  void SetReadTimeout(int milliseconds) override { readTimeout_ = milliseconds < 0 ? 0 : milliseconds; }
  bool WaitForBytes() override;
  void ReleaseWait() override { release_.Signal(); }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
  std::optional<std::size_t> Write(std::span<const std::uint8_t>) override { return std::nullopt; }

 private:
  explicit GpsdSerialPort(std::unique_ptr<gps_data_t> data);
  // Takes the lines the daemon has sent into the queue, as far as there is room.
  void Drain();
  int fd() const;

  std::unique_ptr<gps_data_t> data_;
  std::array<char, 1024> message_{};
  ByteQueue queue_{kQueueLimit};
  ReleaseEvent release_;
  SerialSettings settings_{};
  int readTimeout_ = 0;
  bool gone_ = false;
};

}  // namespace vexa::platform
