#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/ClockSetter.h"
#include "platform/SerialPorts.h"

namespace vexa::gps::testing {

// What a scripted port received, was asked and answered; shared by every port the fake opens.
struct FakeLine {
  std::string incoming;       // the bytes the receiver sends, in order
  std::size_t next = 0;       // the next of them to be read
  bool readsFail = false;     // every read fails (the line broke) instead of timing out
  bool getSettingsFails = false;
  int writesBeforeFailure = -1;  // writes that succeed before every further one fails; -1 all do
  platform::SerialSettings settings;  // what the driver holds
  bool settingsSet = false;
  int readTimeout = -1;
  int opens = 0;
  int failOpens = 0;  // opens of present ports that still fail, as while another program holds the port
  std::vector<std::uint64_t> openTimes;  // on `clock`, of every open of a present port
  int openNow = 0;  // ports open at this moment
  std::vector<std::u16string> openedNames;
  std::vector<std::uint8_t> written;
  std::vector<std::size_t> writeSizes;
  platform::Clock* clock = nullptr;  // a read that finds nothing waits out its time-out on it
  int msPerByte = 0;                 // time each byte takes to arrive, on `clock`
};

class FakePort : public platform::SerialPort {
 public:
  explicit FakePort(FakeLine& line) : line_(line) { ++line_.openNow; }
  ~FakePort() override { --line_.openNow; }

  std::optional<platform::SerialSettings> GetSettings() override {
    if (line_.getSettingsFails) return std::nullopt;
    return line_.settings;
  }
  bool SetSettings(const platform::SerialSettings& settings) override {
    line_.settings = settings;
    line_.settingsSet = true;
    return true;
  }
  void SetQueueSizes(std::size_t, std::size_t) override {}
  void Purge() override {}
  std::size_t QueuedBytes() override { return line_.incoming.size() - line_.next; }
  void SetReadTimeout(int milliseconds) override { line_.readTimeout = milliseconds; }
  bool WaitForBytes() override { return line_.next < line_.incoming.size(); }
  void ReleaseWait() override {}
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    if (line_.readsFail) return std::nullopt;
    if (line_.next >= line_.incoming.size()) {
      if (line_.clock != nullptr && line_.readTimeout > 0) line_.clock->Sleep(line_.readTimeout);
      return 0;
    }
    std::size_t n = 0;
    while (n < buffer.size() && line_.next < line_.incoming.size()) {
      buffer[n++] = static_cast<std::uint8_t>(line_.incoming[line_.next++]);
    }
    if (line_.clock != nullptr && line_.msPerByte > 0) line_.clock->Sleep(line_.msPerByte * static_cast<int>(n));
    return n;
  }
  std::optional<std::size_t> Write(std::span<const std::uint8_t> bytes) override {
    if (line_.writesBeforeFailure == 0) return std::nullopt;
    if (line_.writesBeforeFailure > 0) --line_.writesBeforeFailure;
    line_.written.insert(line_.written.end(), bytes.begin(), bytes.end());
    line_.writeSizes.push_back(bytes.size());
    return bytes.size();
  }

 private:
  FakeLine& line_;
};

// The device's ports: those named in `present` open onto the one scripted line.
class FakeSerialPorts : public platform::SerialPorts {
 public:
  explicit FakeSerialPorts(FakeLine& line, std::set<std::u16string> present = {u"COM2:"})
      : line_(line), present_(std::move(present)) {}
  std::unique_ptr<platform::SerialPort> Open(std::u16string_view deviceName) override {
    line_.openedNames.emplace_back(deviceName);
    if (present_.count(std::u16string(deviceName)) == 0) return nullptr;
    if (line_.clock != nullptr) line_.openTimes.push_back(line_.clock->TickCount());
    if (line_.failOpens > 0) {
      --line_.failOpens;
      return nullptr;
    }
    ++line_.opens;
    return std::make_unique<FakePort>(line_);
  }

 private:
  FakeLine& line_;
  std::set<std::u16string> present_;
};

// Keeps every time it was asked to set; refuses when told to.
class RecordingClockSetter : public platform::ClockSetter {
 public:
  bool SetSystemTime(const platform::DateTime& utc) override {
    times.push_back(utc);
    return !refuse;
  }
  std::vector<platform::DateTime> times;
  bool refuse = false;
};

}  // namespace vexa::gps::testing
