#include "platform/headless/ScriptedSerialPorts.h"

#include <algorithm>
#include <deque>
#include <mutex>

#include "common/text/Text.h"

namespace vexa::platform {

// One line: its queue and state, shared by the ports object and the port open on it.
struct ScriptedSerialPorts::Line {
  int number = 0;
  std::string name;  // "COM2:", for the log

  mutable std::mutex mutex;
  bool open = false;
  bool released = false;
  bool configured = false;
  SerialSettings settings;
  std::size_t capacity = kDefaultQueue;
  std::deque<std::uint8_t> queue;
  std::string written;
  int readTimeout = 0;

  // Recordings still to arrive, and the bits the line has carried since the last whole byte, in
  // half bits times milliseconds.
  std::string pending;
  std::size_t pendingAt = 0;
  std::uint64_t credit = 0;
  bool chunkScheduled = false;

  // Losses of one kind from successive chunks, logged together once the run ends.
  std::string dropReason;
  std::size_t dropCount = 0;

  bool HasBytes() const {
    std::lock_guard lock(mutex);
    return !queue.empty();
  }
  // Half bits a byte takes on the line.
  std::uint64_t HalfBitsPerByte() const {
    if (!configured) return 20;
    const std::uint64_t stop = settings.stopBits == StopBits::kTwo          ? 4
                               : settings.stopBits == StopBits::kOneAndHalf ? 3
                                                                            : 2;
    return 2 * (1 + std::uint64_t{settings.byteSize} + (settings.parity != Parity::kNone ? 1 : 0)) + stop;
  }
};

namespace {

class ScriptedSerialPort : public SerialPort {
 public:
  ScriptedSerialPort(VirtualClock& clock, std::shared_ptr<ScriptedSerialPorts::Line> line)
      : clock_(clock), line_(std::move(line)) {}

  ~ScriptedSerialPort() override {
    std::lock_guard lock(line_->mutex);
    line_->open = false;
    line_->queue.clear();
  }

  std::optional<SerialSettings> GetSettings() override {
    std::lock_guard lock(line_->mutex);
    return line_->settings;
  }
  bool SetSettings(const SerialSettings& settings) override {
    if (settings.baud == 0 || settings.byteSize < 5 || settings.byteSize > 8) return false;
    std::lock_guard lock(line_->mutex);
    line_->settings = settings;
    line_->configured = true;
    return true;
  }
  void SetQueueSizes(std::size_t receive, std::size_t) override {
    std::lock_guard lock(line_->mutex);
    line_->capacity = std::clamp<std::size_t>(receive, 1, ScriptedSerialPorts::kLargestQueue);
  }
  void Purge() override {
    std::lock_guard lock(line_->mutex);
    line_->queue.clear();
  }
  std::size_t QueuedBytes() override {
    std::lock_guard lock(line_->mutex);
    return line_->queue.size();
  }
  void SetReadTimeout(int milliseconds) override {
    std::lock_guard lock(line_->mutex);
    line_->readTimeout = std::max(milliseconds, 0);
  }

  bool WaitForBytes() override {
    const auto ready = [this] {
      std::lock_guard lock(line_->mutex);
      return line_->released || !line_->queue.empty();
    };
    if (clock_.InWorker()) clock_.WaitAsWorker(ready);
    std::lock_guard lock(line_->mutex);
    return !line_->released && !line_->queue.empty();
  }
  void ReleaseWait() override {
    {
      std::lock_guard lock(line_->mutex);
      line_->released = true;
    }
    clock_.WakeWaiting();
  }

  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    if (buffer.empty()) return 0;
    int timeout = 0;
    {
      std::lock_guard lock(line_->mutex);
      timeout = line_->queue.empty() ? line_->readTimeout : 0;
    }
    if (timeout > 0) {
      const auto ready = [this] { return line_->HasBytes(); };
      if (clock_.InWorker()) {
        clock_.WaitAsWorker(ready, timeout);
      } else {
        clock_.SleepUntil(timeout, ready);
      }
    }
    std::lock_guard lock(line_->mutex);
    const std::size_t n = std::min(buffer.size(), line_->queue.size());
    std::copy_n(line_->queue.begin(), n, buffer.begin());
    line_->queue.erase(line_->queue.begin(), line_->queue.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
  }
  std::optional<std::size_t> Write(std::span<const std::uint8_t> bytes) override {
    std::lock_guard lock(line_->mutex);
    line_->written.append(bytes.begin(), bytes.end());
    return bytes.size();
  }

 private:
  VirtualClock& clock_;
  std::shared_ptr<ScriptedSerialPorts::Line> line_;
};

// "COM2:" or "COM2" (any case): 2.
std::optional<int> PortNumberOf(std::string_view name) {
  std::u16string text = text::FromUtf8(name);
  if (!text.empty() && text.back() != u':') text.push_back(u':');
  return SerialPortNumber(text);
}

// "COM2:=script": the port's number when the source is the word script.
std::optional<int> ScriptedMapping(std::string_view mapping) {
  const std::size_t equals = mapping.find('=');
  if (equals == std::string_view::npos || mapping.substr(equals + 1) != "script") return std::nullopt;
  return PortNumberOf(mapping.substr(0, equals));
}

}  // namespace

ScriptedSerialPorts::ScriptedSerialPorts(VirtualClock& clock, EffectLog& log) : clock_(clock), log_(log) {}

ScriptedSerialPorts::~ScriptedSerialPorts() = default;

void ScriptedSerialPorts::AddPort(int number) {
  if (number < 1 || number > 255 || lines_.contains(number)) return;
  auto line = std::make_shared<Line>();
  line->number = number;
  line->name = text::ToUtf8(SerialPortName(number));
  lines_.emplace(number, std::move(line));
}

std::unique_ptr<SerialPort> ScriptedSerialPorts::Open(std::u16string_view deviceName) {
  const std::optional<int> number = SerialPortNumber(deviceName);
  if (!number) return nullptr;
  const auto it = lines_.find(*number);
  if (it == lines_.end()) return nullptr;
  Line& line = *it->second;
  {
    std::lock_guard lock(line.mutex);
    if (line.open) return nullptr;
    line.open = true;
    line.released = false;
    line.queue.clear();
    line.capacity = kDefaultQueue;
    line.readTimeout = 0;
  }
  return std::make_unique<ScriptedSerialPort>(clock_, it->second);
}

bool ScriptedSerialPorts::Feed(int number, std::string_view bytes) {
  const auto it = lines_.find(number);
  if (it == lines_.end()) return false;
  Deliver(*it->second, bytes, false);
  return true;
}

bool ScriptedSerialPorts::FeedPaced(int number, std::string recording) {
  const auto it = lines_.find(number);
  if (it == lines_.end()) return false;
  Line& line = *it->second;
  {
    std::lock_guard lock(line.mutex);
    line.pending.erase(0, line.pendingAt);
    line.pendingAt = 0;
    line.pending += recording;
  }
  if (!line.chunkScheduled && !recording.empty()) ScheduleChunk(it->second);
  return true;
}

void ScriptedSerialPorts::ScheduleChunk(const std::shared_ptr<Line>& line) {
  line->chunkScheduled = true;
  clock_.ScheduleDeviceEvent(kChunkMs, [this, weakLine = std::weak_ptr<Line>(line),
                                        alive = std::weak_ptr<int>(alive_)] {
    const std::shared_ptr<Line> line = weakLine.lock();
    if (!line || alive.expired()) return;
    line->chunkScheduled = false;
    Chunk(*line);
    if (line->pendingAt < line->pending.size()) ScheduleChunk(line);
  });
}

void ScriptedSerialPorts::Chunk(Line& line) {
  std::string bytes;
  {
    std::lock_guard lock(line.mutex);
    const std::uint64_t perByte = line.HalfBitsPerByte() * 1000;
    line.credit += kChunkMs * std::uint64_t{line.settings.baud} * 2;
    const std::size_t left = line.pending.size() - line.pendingAt;
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(line.credit / perByte, left));
    line.credit -= count * perByte;
    bytes = line.pending.substr(line.pendingAt, count);
    line.pendingAt += count;
    if (line.pendingAt >= line.pending.size()) {
      line.pending.clear();
      line.pendingAt = 0;
      line.credit = 0;
    }
  }
  Deliver(line, bytes, true);
}

void ScriptedSerialPorts::Deliver(Line& line, std::string_view bytes, bool paced) {
  std::string reason;
  std::size_t dropped = 0;
  bool recordingDone = false;
  {
    std::lock_guard lock(line.mutex);
    if (!line.open) {
      reason = "closed";
      dropped = bytes.size();
    } else {
      const std::size_t room = line.capacity > line.queue.size() ? line.capacity - line.queue.size() : 0;
      const std::size_t taken = std::min(room, bytes.size());
      line.queue.insert(line.queue.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
      if (taken < bytes.size()) {
        reason = "full";
        dropped = bytes.size() - taken;
      }
    }
    recordingDone = paced && line.pending.empty();
  }
  const auto flush = [&] {
    if (line.dropCount == 0) return;
    log_.Record("serial_dropped", {{"port", line.name},
                                   {"count", static_cast<std::int64_t>(line.dropCount)},
                                   {"reason", line.dropReason}});
    line.dropCount = 0;
    line.dropReason.clear();
  };
  if (paced) {
    // A recording loses bytes chunk after chunk: one record for each run of losses of one kind.
    if (dropped > 0 && reason != line.dropReason) flush();
    if (dropped > 0) {
      line.dropReason = reason;
      line.dropCount += dropped;
    } else {
      flush();
    }
    if (recordingDone) flush();
  } else {
    flush();
    if (dropped > 0) {
      line.dropReason = reason;
      line.dropCount = dropped;
      flush();
    }
  }
  if (!bytes.empty() && dropped < bytes.size()) clock_.WakeWaiting();
}

std::string ScriptedSerialPorts::Written(int number) const {
  const auto it = lines_.find(number);
  if (it == lines_.end()) return {};
  std::lock_guard lock(it->second->mutex);
  return it->second->written;
}

bool ScriptedSerialPorts::IsOpen(int number) const {
  const auto it = lines_.find(number);
  if (it == lines_.end()) return false;
  std::lock_guard lock(it->second->mutex);
  return it->second->open;
}

std::size_t ScriptedSerialPorts::PendingBytes(int number) const {
  const auto it = lines_.find(number);
  if (it == lines_.end()) return 0;
  std::lock_guard lock(it->second->mutex);
  return it->second->pending.size() - it->second->pendingAt;
}

std::vector<int> ScriptedSerialPorts::ScriptedPortsFromArguments(int argc, const char* const* argv,
                                                                 const char* environmentPorts) {
  std::vector<int> ports;
  const auto add = [&](std::optional<int> number) {
    if (number && std::find(ports.begin(), ports.end(), *number) == ports.end()) ports.push_back(*number);
  };
  if (environmentPorts != nullptr) {
    std::string_view rest(environmentPorts);
    while (!rest.empty()) {
      const std::size_t semicolon = rest.find(';');
      add(ScriptedMapping(rest.substr(0, semicolon)));
      if (semicolon == std::string_view::npos) break;
      rest.remove_prefix(semicolon + 1);
    }
  }
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument(argv[i]);
    if (argument == "--") break;
    if (argument == "--port" && i + 1 < argc) {
      add(ScriptedMapping(argv[++i]));
    } else if (argument.starts_with("--port=")) {
      add(ScriptedMapping(argument.substr(7)));
    }
  }
  return ports;
}

}  // namespace vexa::platform
