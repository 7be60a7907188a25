#include "platform/posix/GpsdSerialPort.h"

#include <fcntl.h>
#include <gps.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

namespace {

constexpr int kConnectTimeout = 2000;  // milliseconds

// Whether a daemon takes connections at host:port within kConnectTimeout. The client library
// connects without a time limit of its own, which on a host that does not answer would hold the
// window thread for minutes.
bool Answers(const std::string& host, const std::string& service) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) return false;
  bool answers = false;
  for (const addrinfo* address = found; address != nullptr && !answers; address = address->ai_next) {
    UniqueFd socket(::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                             address->ai_protocol));
    if (!socket.valid()) continue;
    if (::connect(socket.get(), address->ai_addr, address->ai_addrlen) == 0) {
      answers = true;
      break;
    }
    if (errno != EINPROGRESS) continue;
    pollfd out{socket.get(), POLLOUT, 0};
    int error = 0;
    socklen_t length = sizeof error;
    answers = ::poll(&out, 1, kConnectTimeout) == 1 &&
              ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
  ::freeaddrinfo(found);
  return answers;
}

}  // namespace

std::unique_ptr<SerialPort> GpsdSerialPort::Open(const std::string& host, int port) {
  auto data = std::make_unique<gps_data_t>();
  const std::string service = std::to_string(port);
  if (!Answers(host, service)) return nullptr;
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
