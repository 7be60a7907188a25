#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "deck/gps/GpsFix.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/SerialPorts.h"
#include "platform/Threads.h"
#include "platform/ui/Window.h"

namespace vexa::gps {

// What the receiver needs of the device.
struct GpsServices {
  platform::SerialPorts* ports = nullptr;  // null: every port fails to open
  platform::Threads* threads = nullptr;    // null: the reader cannot be started
  platform::Clock& clock;                  // the reader's sleeps
  platform::MessageBoxes& messageBoxes;    // the GPS#1 .. GPS#6 failures
  bool korean = false;                     // the language of those boxes
  platform::WindowHandle owner = platform::kNoWindow;  // the boxes' owner
};

// The continuous link to a GPS receiver behind the launcher's GPS displays.
//
// Open starts a reader thread that copies what the port receives into a 4096-byte ring, cuts the
// ring into lines, checks each line's NMEA checksum and takes the RMC and GGA sentences apart into
// the fix. After a pass that took an RMC it posts kWmGpsFix to the owner window, which then reads
// Fix(). In emulation no port is opened: the reader feeds itself canned sentences, one RMC a second.
//
// RMC and GGA are taken from any satellite system's talker ($GPRMC, $GNRMC, $GLRMC, $GARMC, $GBRMC,
// $BDRMC, and the same for GGA): receivers that mix constellations send GN, and the field rules are
// the same. Extra trailing fields (NMEA 4.1's navigation status) are ignored.
class GpsReceiver {
 public:
  static constexpr std::size_t kRingSize = 4096;   // at most 4095 bytes are held
  static constexpr std::size_t kReadChunk = 2048;  // the largest single read from the port
  static constexpr std::size_t kLineLimit = 256;   // bytes that form one line at most
  static constexpr int kFieldLimit = 20;           // fields taken from one sentence after its name
  static constexpr std::size_t kDriverQueue = 4096;
  // Posted to the owner window, both parameters 0, when new values are there.
  static constexpr std::uint32_t kWmGpsFix = platform::ui::kWmUser + 200;

  explicit GpsReceiver(GpsServices services);
  ~GpsReceiver();  // Close
  GpsReceiver(const GpsReceiver&) = delete;
  GpsReceiver& operator=(const GpsReceiver&) = delete;

  // Opens the port whose number follows the first three characters of `portName` ("COM3" or
  // "COM3:" gives 3) at `baud`.
  bool Open(std::u16string_view portName, int baud);
  // Opens and configures port `portNumber` and starts the reader. Every failure shows its box
  // (GPS#1 .. GPS#6) and answers false; what was made stays for the next Close.
  bool Open(int portNumber, int baud);
  // Stops the reader (releasing it at once when it waits on a silent receiver) and closes the port.
  // Speed and HDOP become 0; the other values stay.
  void Close();

  void SetOwner(platform::ui::Window* window);
  // Must be called before Open.
  void SetEmulation(bool on) { emulation_ = on; }
  bool emulation() const { return emulation_; }
  bool running() const { return running_.load(); }
  int portNumber() const { return portNumber_; }
  const std::u16string& portName() const { return portName_; }

  // One write of the whole block; failures are not reported. Nothing in emulation.
  void Write(std::span<const std::uint8_t> bytes);
  // The SiRF switch to NMEA in three writes: start and length, payload, checksum and end.
  void SendSirfToNmea();

  // A whole copy of the latest values: no value is half-written by the reader.
  GpsFix Fix() const;

  // The receive pipeline, in the reader's order. Public so that tests and benchmarks can feed it
  // without a port; only one thread may use them at a time.
  void Push(std::uint8_t byte);
  void Push(std::span<const std::uint8_t> bytes);
  std::size_t Count() const;
  // Drops the line ends at the front, then answers whether a line end is held.
  bool HasCompleteLine();
  // After a receive pass: true when a pass over the complete lines took an RMC.
  bool ProcessLines();
  // Parses lines while complete ones are held (one line in emulation); true when an RMC was taken.
  bool ParseSentences();
  // 1 (the default) parses lines; any other value parses nothing.
  void SetParseMode(int mode) { parseMode_ = mode; }
  // The emulation's canned sentences, checksums filled in, pushed once.
  void PushEmulationSentences();

 private:
  // The reader thread's loops.
  void ReadPort();
  void Emulate();
  std::size_t ReadWaiting(std::span<std::uint8_t> buffer);
  std::uint8_t Pop();
  // Pops the next line into line_ (at most kLineLimit bytes); false when it is empty or its checksum
  // is wrong.
  bool ReadLine();
  void Fail(std::u16string_view code, std::u16string_view english, std::u16string_view korean);
  void Notify();

  GpsServices services_;
  std::unique_ptr<platform::SerialPort> port_;
  std::atomic<bool> running_ = false;
  int portNumber_ = 0;
  int ringWrite_ = 0;
  int ringRead_ = 0;
  std::array<std::uint8_t, kRingSize> ring_{};
  bool emulation_ = false;
  int zeroCourseCount_ = 0;
  int parseMode_ = 1;
  std::atomic<platform::ui::Window*> owner_ = nullptr;
  std::u16string portName_;
  mutable std::mutex fixLock_;  // held for the writes of one sentence and for one copy
  GpsFix fix_;
  std::unique_ptr<platform::Thread> reader_;
  std::array<char, kLineLimit + 1> line_{};  // the line being parsed, NUL-terminated
  std::size_t lineLength_ = 0;
};

}  // namespace vexa::gps
