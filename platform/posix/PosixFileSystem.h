#pragma once

#include <sys/types.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/posix/Beneath.h"
#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

// The device's file system on a Linux host: a host folder (the device tree) stands for the device's
// root, and device paths are mapped onto it with the rules of the device's FAT volumes.
//
// Paths: '\' separates components; a path that does not start with '\' is taken from the root; one
// trailing '\' is accepted on a folder ("\Windows\" is "\Windows"); "\" is the root. Every component is
// found without regard to letter case. When several host names match (possible on Linux) the one spelt
// exactly as given wins, else the first in byte order. New names keep the case they are given, but
// when a name that matches without regard to case exists already, that entry is the one used or
// replaced: a folder holds one entry per name, as on the device.
//
// Refused paths behave as paths that do not exist: an empty path, "." and ".." components, empty
// components ("\a\\b"), '/', ':' (drive letters, "C:\x"), control characters, < > " | and unpaired
// surrogates anywhere, and * ? anywhere but in the last component of a Find pattern. Symbolic links are
// followed only while their real path stays inside the device tree; a link leaving it, or one that
// leads nowhere, refuses every path through it. Every open, create, rename and delete finds its path
// again below the tree's root as it acts (openat2 with RESOLVE_BENEATH, or a walk with O_NOFOLLOW), so
// a link swapped in after the path was checked cannot lead it out of the tree. Host entries that a device
// path cannot name (names that are not UTF-8 or hold a refused character), entries that are neither files nor
// folders, and the adapter's own temporary files (".vexa-tmp-...") are invisible; a device name starting that
// way, in any letter case, is refused.
//
// Find lists entries sorted by name without regard to case (folded UTF-16 units), names equal that way
// ordered by their exact UTF-16 units; "." and ".." never appear. A pattern without wildcards finds
// that one entry. Directories carry size 0; every regular file carries the archive flag. The pattern
// rules are those of platform/Wildcard.h ('?' is exactly one character; "*.*" also matches names
// without a dot). A pattern ending in '\' finds nothing, as does "\".
//
// WriteWholeFile and CopyFile write a temporary file beside the target, flush it to the disk and rename
// it over the target, so a failure leaves the old file whole. The target keeps its permission bits
// (a copy takes those of its source). The temporary file is named ".vexa-tmp-" + the target's name +
// "-" + process id + "-" + serial and made exclusively, with a new serial while the name is taken. A
// save killed halfway leaves its temporary file behind; the next save of the same target removes
// those of its target whose process has ended (or, for this process's own id, that no save of this
// process is writing).
class PosixFileSystem : public FileSystem {
 public:
  // `hostRoot` is the host folder standing for the device's root.
  explicit PosixFileSystem(std::string hostRoot);

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

  // The first part of the names of the temporary files of atomic writes.
  static constexpr std::string_view kTempPrefix = ".vexa-tmp-";

 private:
  enum class Kind { kFile, kDirectory };

  // A usable host entry: a file, a folder, or a link to one that stays inside the tree.
  struct HostEntry {
    std::string name;    // host name as stored
    std::string target;  // host path from the root to what it stands for, through the links on the way
    Kind kind = Kind::kFile;
    std::uint64_t size = 0;
    mode_t mode = 0;
  };

  // Where a device path leads on the host. Every host path here is relative to the tree's root and is
  // only ever opened below it (platform/posix/Beneath.h): what was checked is what gets opened, or
  // the operation fails.
  struct Resolved {
    UniqueFd root;  // the tree's root folder, open
    bool isRoot = false;
    bool trailingSeparator = false;  // the path ended in ''
    bool parentIsFolder = false;     // the folder that holds the last component exists
    std::size_t missing = 0;         // trailing components that do not exist (0: the entry exists)
    std::string parent;              // folder holding the last component
    std::string givenName;           // last component as given, in UTF-8
    std::string entry;               // the entry itself (the link, when it is one)
    HostEntry found;                 // the entry, when it exists
  };

  std::optional<Resolved> Resolve(std::u16string_view path);
  // Looks a component up in the folder `folder` (open, at host path `folderPath`); nullopt when
  // missing. Sets `refused` when a matching entry exists but may not be used (a link leaving the
  // tree, a device node ...).
  std::optional<HostEntry> Lookup(int rootFd, int folder, const std::string& folderPath,
                                  std::u16string_view component, bool& refused);
  std::optional<HostEntry> Classify(int rootFd, int folder, const std::string& folderPath,
                                    const std::string& name, bool& refused);
  // The resolution of a file to create or replace: its folder exists and it is not a folder itself.
  std::optional<Resolved> ResolveFileTarget(std::u16string_view path);
  // Opens a host path of the tree below the root; for files, only a regular file is opened.
  UniqueFd OpenInTree(int rootFd, const std::string& path, int flags, mode_t mode = 0);
  std::optional<BeneathEntry> Locate(int rootFd, const std::string& path, bool followLast);
  // Writes a temporary file beside `name` in the folder `folder` with `write`, flushes it and renames
  // it onto `name`; with `noReplace` the rename fails when `name` exists. False, with the temporary
  // file removed and `name` untouched, on any failure.
  bool AtomicReplace(int folder, const std::string& name, std::optional<mode_t> mode, bool noReplace,
                     const std::function<bool(int fd)>& write);
  // The host path of a path of the tree, for handing to host programs.
  std::string HostOf(const std::string& path);
  UniqueFd OpenRoot();
  const std::string& RealRoot();

  std::string root_;      // absolute, without trailing '/'
  std::string realRoot_;  // its real path, once known
};

}  // namespace vexa::platform
