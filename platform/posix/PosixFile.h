#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/FileSystem.h"

namespace vexa::platform {

// An open host file: owns one file descriptor and closes it when it goes away.
class PosixFile : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override;
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  std::optional<std::size_t> Read(std::span<std::byte> buffer) override;
  bool Write(std::span<const std::byte> bytes) override;
  bool Seek(std::uint64_t offset) override;
  std::optional<std::uint64_t> Size() override;

 private:
  int fd_;
};

// Writes all of `size` bytes to `fd`, going on after short writes and interruptions.
bool WriteAll(int fd, const void* data, std::size_t size);

}  // namespace vexa::platform
