#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EffectLog.h"
#include "platform/SerialPorts.h"
#include "platform/headless/VirtualClock.h"

namespace vexa::platform {

// The serial ports of the headless mode: lines a scenario feeds.
//
// A port exists when it was added (the ports a scenario's serial and serial-file actions name, and
// those given as --port COMn:=script); other names fail to open, as a missing port does. A port is
// opened by one holder at a time. What is fed arrives in the port's receive queue, which holds at
// most the receive size asked for with SetQueueSizes (kDefaultQueue until then); bytes beyond it are
// lost, as a driver loses them, and so are bytes fed while the port is closed. Losses are logged as
// "serial_dropped" {port, count, reason: "closed" or "full"}.
//
// A worker's WaitForBytes blocks in virtual time (VirtualClock::WaitAsWorker) until bytes wait or
// the wait is released. The window thread never blocks there: it answers at once. A Read with a
// time-out that finds nothing waiting waits up to the time-out in virtual time (on the window
// thread through VirtualClock::SleepUntil, so no timers fire) and returns as soon as bytes arrive.
//
// FeedPaced hands over a recording that arrives at the line's rate: in chunks every kChunkMs of
// virtual time, as many bytes as the baud rate carries in that time, at 1 start bit + the byte size
// + a parity bit when parity is on + the stop bits per byte (10 bits while the port was never
// configured). Several recordings for one port queue up behind each other.
class ScriptedSerialPorts : public SerialPorts {
 public:
  static constexpr std::size_t kDefaultQueue = 4096;
  static constexpr std::size_t kLargestQueue = std::size_t{1} << 20;
  static constexpr std::uint64_t kChunkMs = 10;

  ScriptedSerialPorts(VirtualClock& clock, EffectLog& log);
  ~ScriptedSerialPorts() override;
  ScriptedSerialPorts(const ScriptedSerialPorts&) = delete;
  ScriptedSerialPorts& operator=(const ScriptedSerialPorts&) = delete;

  // Makes port `number` (1 to 255) exist.
  void AddPort(int number);
  bool HasPort(int number) const { return lines_.contains(number); }

  std::unique_ptr<SerialPort> Open(std::u16string_view deviceName) override;

  // The bytes arrive now. False when there is no such port.
  bool Feed(int number, std::string_view bytes);
  // The recording arrives at the line's rate from now on. False when there is no such port.
  bool FeedPaced(int number, std::string recording);

  // Every byte the program wrote to the port, in order.
  std::string Written(int number) const;
  bool IsOpen(int number) const;
  // Bytes of recordings not yet arrived.
  std::size_t PendingBytes(int number) const;

  // The ports the arguments name as scripted: "--port COM2:=script", "--port=COM2:=script", and the
  // entries "COM2:=script" of `environmentPorts` ("COM2:=script;COM3:=gpsd"); "COM2" without the
  // colon counts too. Other mappings are not looked at.
  static std::vector<int> ScriptedPortsFromArguments(int argc, const char* const* argv,
                                                      const char* environmentPorts);

  struct Line;

 private:
  void Deliver(Line& line, std::string_view bytes, bool paced);
  void ScheduleChunk(const std::shared_ptr<Line>& line);
  void Chunk(Line& line);

  VirtualClock& clock_;
  EffectLog& log_;
  std::map<int, std::shared_ptr<Line>> lines_;
  // Pending chunks of recordings look at this before they touch the ports.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace vexa::platform
