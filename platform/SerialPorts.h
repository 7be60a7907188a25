#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vexa::platform {

enum class Parity : std::uint8_t { kNone = 0, kOdd = 1, kEven = 2, kMark = 3, kSpace = 4 };
// The device's values: 0 one stop bit, 1 one and a half, 2 two.
enum class StopBits : std::uint8_t { kOne = 0, kOneAndHalf = 1, kTwo = 2 };

// The line settings of a serial port, as the device's control block holds them.
struct SerialSettings {
  std::uint32_t baud = 9600;
  std::uint8_t byteSize = 8;
  Parity parity = Parity::kNone;
  StopBits stopBits = StopBits::kOne;
  bool parityCheck = false;  // received bytes are checked against the parity
  bool stripNull = false;    // received NUL bytes are discarded
  bool flowControl = false;  // any hardware (CTS, DSR, DTR, RTS) or software (XON/XOFF) flow control
  bool operator==(const SerialSettings&) const = default;
};

// One open serial port. Closing is destruction. Reads, waits and queue calls come from one thread at
// a time (the opener, or the reader thread it hands the port to); ReleaseWait and Write may come from
// another thread meanwhile (the window thread stops the reader, or sends a receiver a command while
// the reader runs).
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // The line settings; nullopt when the driver cannot give them.
  virtual std::optional<SerialSettings> GetSettings() = 0;
  // False when the driver refuses them (a rate the line cannot run at).
  virtual bool SetSettings(const SerialSettings& settings) = 0;
  // Asks the driver for queues of these sizes; a request, which a driver may round or ignore.
  virtual void SetQueueSizes(std::size_t receive, std::size_t transmit) = 0;
  // Discards every byte queued either way and ends transfers under way.
  virtual void Purge() = 0;
  // Clears an error state of the line and answers how many received bytes wait to be read.
  virtual std::size_t QueuedBytes() = 0;
  // How long Read waits for its first byte when none is waiting; 0 answers at once.
  virtual void SetReadTimeout(int milliseconds) = 0;

  // Blocks until received bytes wait to be read (true) or until the wait is released (false).
  virtual bool WaitForBytes() = 0;
  // Safe from any thread: a WaitForBytes under way, and every later one, returns false at once. A
  // reader blocked on a silent receiver is released this way before it is joined.
  virtual void ReleaseWait() = 0;

  // Reads up to buffer.size() bytes: what is waiting, or what arrives within the read time-out.
  // 0 when nothing arrived in time; nullopt when the read failed.
  virtual std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) = 0;
  // Writes the whole block; the count written, or nullopt when the write failed.
  virtual std::optional<std::size_t> Write(std::span<const std::uint8_t> bytes) = 0;
};

// The device's serial ports by name.
class SerialPorts {
 public:
  virtual ~SerialPorts() = default;
  // Opens "COM1:" .. "COM9:", "\\?\COM10:" and up, for reading and writing, not shared. Null when
  // the device has no such port or another program holds it.
  virtual std::unique_ptr<SerialPort> Open(std::u16string_view deviceName) = 0;
};

// The number of a port's device name: 3 for "COM3:" or "\\?\COM3:", 12 for "\\?\COM12:" (letters
// in any case). Nullopt for any other text, a number outside 1 to 255 among them.
std::optional<int> SerialPortNumber(std::u16string_view deviceName);
// The device name of port `number`: "COM%d:" up to 9, "\\?\COM%d:" from 10 on.
std::u16string SerialPortName(int number);

}  // namespace vexa::platform
