#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/SerialPorts.h"

namespace vexa::gps {

// A small synchronous link that reads a port one byte at a time: the GPS time dialogs catch one RMC
// sentence with it on their window thread.
class SerialLink {
 public:
  // How long one byte read waits for a silent receiver, so that the dialog's Return button stays
  // usable between attempts.
  static constexpr int kByteTimeout = 1000;

  explicit SerialLink(platform::SerialPorts* ports) : ports_(ports) {}

  // Opens the port for reading and writing, not shared; true when it opened.
  bool Open(std::u16string_view portName);
  // Reads the line settings and sets baud, byte size, parity check, parity and stop bits (NUL bytes
  // are kept). When the settings cannot be read the port is closed and false answered.
  bool Configure(int baud, int byteSize, bool parityCheck, platform::Parity parity, platform::StopBits stopBits);
  // True only when exactly one byte arrived within kByteTimeout.
  bool ReadByte(std::uint8_t& byte);
  bool WriteByte(std::uint8_t byte);
  // The SiRF switch to NMEA, one byte at a time; stops at the first failed write.
  bool SendSirfToNmea();
  void Close();
  bool IsOpen() const { return port_ != nullptr; }

  bool lastSettingsResult() const { return lastSettingsResult_; }
  std::size_t lastWritten() const { return lastWritten_; }

 private:
  platform::SerialPorts* ports_;
  std::unique_ptr<platform::SerialPort> port_;
  bool lastSettingsResult_ = false;
  std::size_t lastWritten_ = 0;
};

}  // namespace vexa::gps
