#include "platform/posix/PosixFile.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <limits>

namespace vexa::platform {

bool WriteAll(int fd, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

PosixFile::~PosixFile() {
  ::close(fd_);
}

std::optional<std::size_t> PosixFile::Read(std::span<std::byte> buffer) {
  for (;;) {
    const ssize_t count = ::read(fd_, buffer.data(), buffer.size());
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) return std::nullopt;
  }
}

bool PosixFile::Write(std::span<const std::byte> bytes) {
  return WriteAll(fd_, bytes.data(), bytes.size());
}

bool PosixFile::Seek(std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
  return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

std::optional<std::uint64_t> PosixFile::Size() {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace vexa::platform
