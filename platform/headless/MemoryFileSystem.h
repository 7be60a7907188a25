#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace vexa::platform {

// A device file system held in memory, for fuzzers and tests that must not wait for a disk: nothing
// is flushed, and a whole-file save is one swap of the file's content.
//
// It keeps the rules of the real adapter (platform/posix/PosixFileSystem.h) wherever a device path
// can see them: the same paths are refused (empty and "." / ".." components, '/', ':', control
// characters, < > " |, unpaired surrogates, wildcards outside the last component of a Find pattern,
// names starting ".vexa-tmp-" in any letter case); every component is found without regard to letter
// case and new names keep the case given; a folder holds one entry per name; Find lists entries by
// name without regard to case, then by exact UTF-16 units; a rename replaces nothing but the entry
// itself (a change of letter case); a folder is removed only when empty. There are no links.
//
// An open file keeps the content it was opened on: a whole-file save or a delete meanwhile leaves it
// reading the old bytes, as an open host file does after a rename over it. Files are capped at
// kMaxFileSize; a write or copy beyond it fails.
//
// HostPath answers `hostRoot` followed by the path's components as stored, joined by '/', and
// DevicePath takes such a path back; neither names a real host file. The limits of a Linux host hold
// as they do for the real adapter: a name of more than 255 bytes in UTF-8, or a host path of more
// than 4095, looked up in a folder that exists, refuses the path.
class MemoryFileSystem : public FileSystem {
 public:
  static constexpr std::uint64_t kMaxFileSize = 256u << 20;
  static constexpr std::size_t kMaxHostName = 255;
  static constexpr std::size_t kMaxHostPath = 4095;

  explicit MemoryFileSystem(std::string hostRoot = "/vexa-memory");
  ~MemoryFileSystem() override;
  MemoryFileSystem(const MemoryFileSystem&) = delete;
  MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

  std::vector<FindEntry> Find(std::u16string_view pattern) override;
  bool Exists(std::u16string_view path) override;
  bool IsDirectory(std::u16string_view path) override;
  std::unique_ptr<File> Open(std::u16string_view path, OpenMode mode) override;
  std::optional<std::string> ReadFile(std::u16string_view path,
                                      std::size_t limit = static_cast<std::size_t>(-1)) override;
  bool WriteWholeFile(std::u16string_view path, std::string_view bytes) override;
  bool DeleteFile(std::u16string_view path) override;
  bool RenameFile(std::u16string_view from, std::u16string_view to) override;
  bool CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) override;
  bool CreateDirectory(std::u16string_view path) override;
  bool RemoveDirectory(std::u16string_view path) override;
  std::optional<std::string> HostPath(std::u16string_view path) override;
  std::optional<std::u16string> DevicePath(std::string_view hostPath) override;

  // Creates every missing folder of `path`; false when the path is refused or a component is a file.
  bool CreateDirectories(std::u16string_view path);
  // Writes a file, creating its folders first.
  bool AddFile(std::u16string_view path, std::string_view bytes);
  // Removes everything: the device is an empty root again.
  void Clear();

 private:
  struct Node;
  struct Resolved;

  std::optional<Resolved> Resolve(std::u16string_view path);
  std::optional<Resolved> ResolveFileTarget(std::u16string_view path);
  Node& NewFile(const Resolved& target);

  std::string hostRoot_;  // without trailing '/'
  std::unique_ptr<Node> root_;
};

}  // namespace vexa::platform
