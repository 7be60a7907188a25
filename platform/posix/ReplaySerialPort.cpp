#include "platform/posix/ReplaySerialPort.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vexa::platform {

namespace {

constexpr int kDay = 24 * 60 * 60 * 1000;

bool Digit(std::uint8_t c) { return c >= '0' && c <= '9'; }
bool Upper(std::uint8_t c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

std::unique_ptr<SerialPort> ReplaySerialPort::Open(const std::string& hostPath) {
  UniqueFd file(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return nullptr;
  return std::make_unique<ReplaySerialPort>(std::move(file));
}

ReplaySerialPort::ReplaySerialPort(UniqueFd file)
    : file_(std::move(file)), lastRelease_(std::chrono::steady_clock::now()) {
  // The pace starts now: a file without RMC lines still waits kRestartPause before each new pass.
  piece_.reserve(kPieceLimit);
}

bool ReplaySerialPort::SetSettings(const SerialSettings& settings) {
  if (settings.byteSize < 5 || settings.byteSize > 8 || settings.baud == 0) return false;
  settings_ = settings;
  return true;
}

// $GPRMC,112315.540,A,3733.2344,N,12701.1232,E,0.00,0.000,311207,,*10
std::optional<int> ReplaySerialPort::RmcTime(std::span<const std::uint8_t> line) {
  if (line.size() < 13 || line[0] != '$' || !Upper(line[1]) || !Upper(line[2]) || line[3] != 'R' ||
      line[4] != 'M' || line[5] != 'C' || line[6] != ',') {
    return std::nullopt;
  }
  const auto two = [&](std::size_t at) -> int {
    return Digit(line[at]) && Digit(line[at + 1]) ? (line[at] - '0') * 10 + (line[at + 1] - '0') : -1;
  };
  const int hour = two(7);
  const int minute = two(9);
  const int second = two(11);
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60) return std::nullopt;
  int milliseconds = 0;
  if (line.size() > 13 && line[13] == '.') {
    int scale = 100;
    for (std::size_t i = 14; i < line.size() && Digit(line[i]); ++i, scale /= 10) {
      if (scale > 0) milliseconds += (line[i] - '0') * scale;
    }
  }
  return ((hour * 60 + minute) * 60 + second) * 1000 + milliseconds;
}

bool ReplaySerialPort::NextPiece() {
  piece_.clear();
  const bool startsLine = lineStart_;
  while (piece_.size() < kPieceLimit) {
    if (blockPos_ == blockLength_) {
      ssize_t count;
      do {
        count = ::read(file_.get(), block_.data(), block_.size());
      } while (count < 0 && errno == EINTR);
      if (count <= 0) {
        if (!piece_.empty()) break;
        // The end (or a read error): start again, unless the whole pass gave nothing.
        if (passBytes_ == 0 || ::lseek(file_.get(), 0, SEEK_SET) != 0) {
          empty_ = true;
          return false;
        }
        passBytes_ = 0;
        restarted_ = true;
        lineStart_ = true;
        return NextPiece();
      }
      blockPos_ = 0;
      blockLength_ = static_cast<std::size_t>(count);
      passBytes_ += blockLength_;
    }
    const std::uint8_t byte = block_[blockPos_++];
    piece_.push_back(byte);
    if (byte == '\n') break;
  }
  lineStart_ = piece_.back() == '\n';
  const std::optional<int> rmc = startsLine ? RmcTime(piece_) : std::nullopt;
  paced_ = rmc.has_value() || restarted_;
  due_ = Time::min();
  if (restarted_) {
    due_ = lastRelease_ + std::chrono::milliseconds(kRestartPause);
    restarted_ = false;
    lastRmc_ = rmc;
  } else if (rmc) {
    if (lastRmc_) {
      int pause = *rmc - *lastRmc_;
      if (pause < -kDay / 2) pause += kDay;  // over midnight
      pause = std::clamp(pause, 0, kMaxPause);
      due_ = lastRelease_ + std::chrono::milliseconds(pause);
    }
    lastRmc_ = rmc;
  }
  return true;
}

void ReplaySerialPort::Pump(Time now) {
  for (;;) {
    if (!held_) {
      if (empty_ || !NextPiece()) return;
      held_ = true;
    }
    if (now < due_ || queue_.room() < piece_.size()) return;
    queue_.Append(piece_);
    held_ = false;
    if (paced_) lastRelease_ = now;
  }
}

std::size_t ReplaySerialPort::QueuedBytes() {
  Pump(std::chrono::steady_clock::now());
  return queue_.size();
}

bool ReplaySerialPort::WaitUntil(std::optional<Time> deadline) {
  for (;;) {
    if (release_.signalled()) return false;
    const Time now = std::chrono::steady_clock::now();
    Pump(now);
    if (!queue_.empty()) return true;
    if (deadline && now >= *deadline) return false;
    // Nothing queued: either a piece waits for its time, or the file holds nothing.
    std::optional<Time> wake = deadline;
    if (held_ && (!wake || due_ < *wake)) wake = due_;
    int timeout = -1;
    if (wake) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*wake - now).count();
      timeout = static_cast<int>(std::clamp<long long>(left, 1, 60000));
    }
    WaitReadable(-1, release_, timeout);
  }
}

bool ReplaySerialPort::WaitForBytes() {
  return WaitUntil(std::nullopt);
}

std::optional<std::size_t> ReplaySerialPort::Read(std::span<std::uint8_t> buffer) {
  if (buffer.empty()) return 0;
  Pump(std::chrono::steady_clock::now());
  if (queue_.empty() && readTimeout_ > 0 && !release_.signalled()) {
    WaitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeout_));
  }
  return queue_.Take(buffer);
}

}  // namespace vexa::platform
