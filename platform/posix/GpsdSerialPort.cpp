#include "platform/posix/GpsdSerialPort.h"

#include <fcntl.h>
#include <gps.h>
#include <poll.h>

#include <chrono>
#include <cstring>

namespace vexa::platform {

std::unique_ptr<SerialPort> GpsdSerialPort::Open(const std::string& host, int port) {
  auto data = std::make_unique<gps_data_t>();
  const std::string service = std::to_string(port);
  if (gps_open(host.c_str(), service.c_str(), data.get()) != 0) return nullptr;
  if (gps_stream(data.get(), WATCH_ENABLE | WATCH_NMEA, nullptr) != 0) {
    gps_close(data.get());
    return nullptr;
  }
  // Reads must never block: every wait is a poll that a release can end.
  const int flags = ::fcntl(data->gps_fd, F_GETFL);
  if (flags < 0 || ::fcntl(data->gps_fd, F_SETFL, flags | O_NONBLOCK) != 0) {
    gps_close(data.get());
    return nullptr;
  }
  return std::unique_ptr<SerialPort>(new GpsdSerialPort(std::move(data)));
}

GpsdSerialPort::GpsdSerialPort(std::unique_ptr<gps_data_t> data) : data_(std::move(data)) {}

GpsdSerialPort::~GpsdSerialPort() {
  if (!gone_) gps_stream(data_.get(), WATCH_DISABLE, nullptr);
  gps_close(data_.get());
}

int GpsdSerialPort::fd() const {
  return data_->gps_fd;
}

bool GpsdSerialPort::SetSettings(const SerialSettings& settings) {
  if (settings.byteSize < 5 || settings.byteSize > 8 || settings.baud == 0) return false;
  settings_ = settings;
  return true;
}

// The daemon's lines: "$GPRMC,...*10\r" (its "\n" already cut off) or "{"class":"TPV",...}".
void GpsdSerialPort::Drain() {
  while (!gone_ && queue_.room() >= message_.size() + 2) {
    message_[0] = '\0';
    const int status = gps_read(data_.get(), message_.data(), static_cast<int>(message_.size()));
    if (status < 0) {
      gone_ = true;  // the daemon closed the connection, or sent a line without end
      return;
    }
    if (status == 0) return;  // no whole line yet
    std::size_t length = ::strnlen(message_.data(), message_.size() - 2);
    if (length == 0 || (message_[0] != '$' && message_[0] != '!')) continue;
    while (length > 0 && (message_[length - 1] == '\r' || message_[length - 1] == '\n')) --length;
    message_[length] = '\r';
    message_[length + 1] = '\n';
    queue_.Append({reinterpret_cast<const std::uint8_t*>(message_.data()), length + 2});
  }
}

std::size_t GpsdSerialPort::QueuedBytes() {
  Drain();
  return queue_.size();
}

bool GpsdSerialPort::WaitForBytes() {
  for (;;) {
    if (release_.signalled()) return false;
    Drain();
    if (!queue_.empty()) return true;
    if (gone_) return false;
    const short events = WaitReadable(fd(), release_, -1);
    if (events == 0) return false;
    if ((events & (POLLERR | POLLNVAL)) != 0) gone_ = true;
  }
}

std::optional<std::size_t> GpsdSerialPort::Read(std::span<std::uint8_t> buffer) {
  if (buffer.empty()) return 0;
  Drain();
  if (queue_.empty() && readTimeout_ > 0 && !gone_) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeout_);
    while (queue_.empty() && !gone_ && !release_.signalled()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
      if (left <= 0) break;
      const short events = WaitReadable(fd(), release_, static_cast<int>(left));
      if (events == 0) break;
      if ((events & (POLLERR | POLLNVAL)) != 0) gone_ = true;
      Drain();
    }
  }
  return queue_.Take(buffer);
}

}  // namespace vexa::platform
