#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::platform {

// One entry found by a folder listing, as the first-file/next-file search reports it.
struct FindEntry {
  std::u16string name;  // the name as stored, letter case kept; no folder part
  bool directory = false;
  bool archive = false;  // set on every regular file
  std::uint64_t size = 0;
};

// An open file. Closing happens when the object goes away.
class File {
 public:
  virtual ~File() = default;
  // Reads up to buffer.size() bytes at the current position; returns the count read (0 at the end),
  // or nullopt on an error.
  virtual std::optional<std::size_t> Read(std::span<std::byte> buffer) = 0;
  // Writes all bytes at the current position; false when not all could be written.
  virtual bool Write(std::span<const std::byte> bytes) = 0;
  virtual bool Seek(std::uint64_t offset) = 0;
  virtual std::optional<std::uint64_t> Size() = 0;
};

enum class OpenMode {
  kRead,          // existing file, read only
  kReadWrite,     // existing file, read and write, nothing truncated
  kCreateAlways,  // create or truncate, write only (prefer WriteWholeFile for whole-file saves)
  kCreateNew,     // create, failing when the file exists
};

// The device's file system. Paths are device paths: "\Storage Card\VexaDeck\VexaDeck.ini". Every
// component is found without regard to letter case; new names keep the case they are given. No path
// reaches outside the device: "..", links that leave the device and host paths are refused, and a
// refused path behaves as one that does not exist.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Entries of a folder that match the last component of `pattern` ("\Windows\Desktop\*.lnk",
  // "\Skin\Default\speed*.*"), with the wildcards '*' and '?'; "*.*" also matches names without a dot.
  // The order is documented by each adapter and is always the same for the same folder content.
  virtual std::vector<FindEntry> Find(std::u16string_view pattern) = 0;

  // True when the path names a file or a folder (the first-file search finds it).
  virtual bool Exists(std::u16string_view path) = 0;
  virtual bool IsDirectory(std::u16string_view path) = 0;

  virtual std::unique_ptr<File> Open(std::u16string_view path, OpenMode mode) = 0;

  // Reads at most `limit` bytes from the start of the file; nullopt when it cannot be opened or read.
  virtual std::optional<std::string> ReadFile(std::u16string_view path,
                                              std::size_t limit = static_cast<std::size_t>(-1)) = 0;
  // Reads the whole file when it holds at most `maxSize` bytes. Nullopt when it cannot be opened or
  // read, or when it is larger: then its size alone is looked at and none of its content is read.
  std::optional<std::string> ReadWholeFile(std::u16string_view path, std::size_t maxSize);
  // Replaces the whole file atomically: after a failure (full disk, a kill, a crash) the old file is
  // still there, whole, or the new one is; never a truncated mix. False on failure.
  virtual bool WriteWholeFile(std::u16string_view path, std::string_view bytes) = 0;

  virtual bool DeleteFile(std::u16string_view path) = 0;
  // Fails when `to` exists.
  virtual bool RenameFile(std::u16string_view from, std::u16string_view to) = 0;
  virtual bool CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) = 0;
  // Creates one folder; its parent must exist. False when it exists already.
  virtual bool CreateDirectory(std::u16string_view path) = 0;
  virtual bool RemoveDirectory(std::u16string_view path) = 0;

  // The host file a device path stands for (for handing paths to host programs). Components that do
  // not exist yet keep the spelling given. Nullopt when the path is refused.
  virtual std::optional<std::string> HostPath(std::u16string_view path) = 0;
  // The device path of a host file inside the device tree; nullopt when it lies outside.
  virtual std::optional<std::u16string> DevicePath(std::string_view hostPath) = 0;
};

}  // namespace vexa::platform
