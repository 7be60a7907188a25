#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
#include <utility>

#include "common/text/Text.h"
#include "platform/DevicePath.h"
#include "platform/Wildcard.h"
#include "platform/posix/PosixFile.h"

namespace vexa::platform {

namespace {

// Longest piece of the target's name that goes into a temporary file's name, so that the whole name
// stays within the host's 255-byte limit.
constexpr std::size_t kTempNamePieceMax = 120;

// The device name of a host name; nullopt for names a device path cannot reach (not UTF-8, holding a
// refused character, ".", "..", or a temporary file of ours).
std::optional<std::u16string> DeviceName(std::string_view hostName) {
  std::u16string name = text::FromUtf8(hostName);
  if (text::ToUtf8(name) != hostName) return std::nullopt;
  if (!IsValidComponent(name, false)) return std::nullopt;
  return name;
}

std::string Join(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

// Host names in an open folder, in byte order; empty when it cannot be read.
std::vector<std::string> ListFolder(int folder) {
  std::vector<std::string> names;
  const int listFd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listFd < 0) return names;
  DIR* dir = ::fdopendir(listFd);
  if (dir == nullptr) {
    ::close(listFd);
    return names;
  }
  while (const dirent* item = ::readdir(dir)) {
    const std::string_view name(item->d_name);
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

// A path of the tree one component further down.
std::string JoinRelative(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string path = folder;
  path += '/';
  path += name;
  return path;
}

std::optional<std::string> RealPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return std::nullopt;
  std::string result(real);
  std::free(real);
  return result;
}

// The first bytes of `name`, cut at a character boundary.
std::string_view NamePiece(std::string_view name) {
  if (name.size() <= kTempNamePieceMax) return name;
  std::size_t end = kTempNamePieceMax;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

// How often a save tries another temporary name when the one it picked exists already.
constexpr int kTempNameAttempts = 10000;

// The temporary file of a save of `target` by process `pid`: ".vexa-tmp-" + (the start of) the
// target's name + "-" + pid + "-" + a serial number unique within the process.
std::string TempName(std::string_view target, long pid, unsigned long serial) {
  return std::string(PosixFileSystem::kTempPrefix) + std::string(NamePiece(target)) + "-" +
         std::to_string(pid) + "-" + std::to_string(serial);
}

// The serial numbers of the temporary files this process is writing now. A temporary file named
// with this process's id and a serial not among them was left by an earlier process of the same id.
std::mutex liveTemporariesMutex;
std::set<unsigned long> liveTemporaries;
unsigned long nextTemporarySerial = 0;

bool IsLiveTemporary(unsigned long serial) {
  const std::lock_guard lock(liveTemporariesMutex);
  return liveTemporaries.contains(serial);
}

// The name of a temporary file being written by this process, marked live while the object lasts.
class LiveTemporary {
 public:
  explicit LiveTemporary(std::string_view target) : target_(target) { Take(); }
  ~LiveTemporary() { Release(); }
  LiveTemporary(const LiveTemporary&) = delete;
  LiveTemporary& operator=(const LiveTemporary&) = delete;

  const std::string& name() const { return name_; }
  // Takes a fresh name.
  void Renew() {
    Release();
    Take();
  }

 private:
  void Take() {
    {
      const std::lock_guard lock(liveTemporariesMutex);
      do {
        serial_ = nextTemporarySerial++;
      } while (liveTemporaries.contains(serial_));
      liveTemporaries.insert(serial_);
    }
    name_ = TempName(target_, static_cast<long>(::getpid()), serial_);
  }
  void Release() {
    const std::lock_guard lock(liveTemporariesMutex);
    liveTemporaries.erase(serial_);
  }

  std::string target_;
  unsigned long serial_ = 0;
  std::string name_;
};

// Reads "<pid>-<serial>", decimal digits only; false for anything else.
bool ParseTempSuffix(std::string_view rest, long& pid, unsigned long& serial) {
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == rest.npos || dash + 1 == rest.size()) return false;
  const std::string_view pidText = rest.substr(0, dash);
  const std::string_view serialText = rest.substr(dash + 1);
  auto allDigits = [](std::string_view t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!allDigits(pidText) || !allDigits(serialText)) return false;
  const auto p = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
  const auto s = std::from_chars(serialText.data(), serialText.data() + serialText.size(), serial);
  return p.ec == std::errc() && s.ec == std::errc() && pid > 0 && pid <= INT_MAX;
}

// True when the temporary file named for process `pid` and `serial` belongs to no save in progress:
// its process has ended, or it is this process's id and none of this process's saves wrote it.
bool IsStaleTemporary(long pid, unsigned long serial) {
  if (pid == static_cast<long>(::getpid())) return !IsLiveTemporary(serial);
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the temporary files that earlier saves of `target` in the folder `folderFd` left behind
// (killed before they could rename or remove them). Only regular files whose name is a temporary
// name of exactly this target and whose writer is gone are touched.
void RemoveStaleTemporaries(int folderFd, std::string_view target) {
  const std::string prefix = std::string(PosixFileSystem::kTempPrefix) + std::string(NamePiece(target)) + "-";
  const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listFd < 0) return;
  DIR* dir = ::fdopendir(listFd);
  if (dir == nullptr) {
    ::close(listFd);
    return;
  }
  std::vector<std::string> stale;
  while (const dirent* item = ::readdir(dir)) {
    const std::string_view name(item->d_name);
    if (!name.starts_with(prefix)) continue;
    long pid = 0;
    unsigned long serial = 0;
    if (!ParseTempSuffix(name.substr(prefix.size()), pid, serial)) continue;
    if (IsStaleTemporary(pid, serial)) stale.emplace_back(name);
  }
  ::closedir(dir);
  for (const std::string& name : stale) {
    struct stat info {};
    if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
      continue;
    ::unlinkat(folderFd, name.c_str(), 0);
  }
}

// Renames without replacing an existing `to`. Falls back to a check and a plain rename on host file
// systems that cannot do it in one step.
bool RenameNoReplace(int fromFolder, const std::string& from, int toFolder, const std::string& to) {
  if (::renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat info {};
  if (::fstatat(toFolder, to.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT) return false;
  return ::renameat(fromFolder, from.c_str(), toFolder, to.c_str()) == 0;
}

void SyncFolder(int folder) {
  const UniqueFd fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // The rename has happened already: a failure here cannot be undone, only made less durable.
  if (fd.valid()) ::fsync(fd.get());
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::string hostRoot) {
  std::error_code error;
  std::filesystem::path root = std::filesystem::absolute(hostRoot, error);
  if (error) root = hostRoot;
  root_ = root.lexically_normal().string();
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
  RealRoot();
}

const std::string& PosixFileSystem::RealRoot() {
  if (realRoot_.empty()) {
    if (auto real = RealPath(root_)) realRoot_ = std::move(*real);
  }
  return realRoot_;
}

UniqueFd PosixFileSystem::OpenRoot() {
  const std::string& root = RealRoot();
  if (root.empty()) return UniqueFd();
  return UniqueFd(::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

std::string PosixFileSystem::HostOf(const std::string& path) {
  return path.empty() ? RealRoot() : Join(RealRoot(), path);
}

UniqueFd PosixFileSystem::OpenInTree(int rootFd, const std::string& path, int flags, mode_t mode) {
  if ((flags & (O_PATH | O_DIRECTORY)) != 0) return OpenBeneath(rootFd, RealRoot(), path, flags, mode);
  // O_NONBLOCK: a pipe swapped in for the file must not hold the open up; it is refused below.
  UniqueFd fd = OpenBeneath(rootFd, RealRoot(), path, flags | O_NONBLOCK, mode);
  if (!fd.valid()) return fd;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return UniqueFd();
  const int status = ::fcntl(fd.get(), F_GETFL);
  if (status < 0 || ::fcntl(fd.get(), F_SETFL, status & ~O_NONBLOCK) != 0) return UniqueFd();
  return fd;
}

std::optional<BeneathEntry> PosixFileSystem::Locate(int rootFd, const std::string& path, bool followLast) {
  auto entry = LocateBeneath(rootFd, RealRoot(), path, followLast);
  if (!entry || entry->name.empty()) return std::nullopt;
  return entry;
}

std::optional<PosixFileSystem::HostEntry> PosixFileSystem::Classify(int rootFd, int folder,
                                                                    const std::string& folderPath,
                                                                    const std::string& name, bool& refused) {
  struct stat info {};
  if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) refused = true;
    return std::nullopt;
  }
  HostEntry entry;
  entry.name = name;
  entry.target = JoinRelative(folderPath, name);
  if (S_ISLNK(info.st_mode)) {
    // What the link stands for, found below the root: a link leaving the tree or leading nowhere is
    // refused.
    const UniqueFd target = OpenBeneath(rootFd, RealRoot(), entry.target, O_PATH);
    if (!target.valid() || ::fstat(target.get(), &info) != 0) {
      refused = true;
      return std::nullopt;
    }
  }
  if (S_ISDIR(info.st_mode)) {
    entry.kind = Kind::kDirectory;
  } else if (S_ISREG(info.st_mode)) {
    entry.kind = Kind::kFile;
    entry.size = static_cast<std::uint64_t>(info.st_size);
  } else {
    refused = true;
    return std::nullopt;
  }
  entry.mode = info.st_mode & 07777;
  return entry;
}

std::optional<PosixFileSystem::HostEntry> PosixFileSystem::Lookup(int rootFd, int folder,
                                                                  const std::string& folderPath,
                                                                  std::u16string_view component,
                                                                  bool& refused) {
  // The exact spelling is preferred, and is found without reading the whole folder.
  const std::string exact = text::ToUtf8(component);
  if (auto entry = Classify(rootFd, folder, folderPath, exact, refused)) return entry;
  if (refused) return std::nullopt;
  for (const std::string& hostName : ListFolder(folder)) {  // byte order: the first match wins
    const auto name = DeviceName(hostName);
    if (name && text::EqualsNoCase(*name, component))
      return Classify(rootFd, folder, folderPath, hostName, refused);
  }
  return std::nullopt;
}

std::optional<PosixFileSystem::Resolved> PosixFileSystem::Resolve(std::u16string_view path) {
  const auto parsed = ParseDevicePath(path, false);
  if (!parsed) return std::nullopt;
  Resolved resolved;
  resolved.root = OpenRoot();
  if (!resolved.root.valid()) return std::nullopt;
  const int rootFd = resolved.root.get();
  resolved.trailingSeparator = parsed->trailingSeparator;
  if (parsed->components.empty()) {
    resolved.isRoot = true;
    resolved.found.kind = Kind::kDirectory;
    return resolved;
  }
  std::string folder;  // the root
  bool folderExists = true;
  for (const std::u16string_view component : parsed->components) {
    resolved.parent = folder;
    resolved.parentIsFolder = folderExists;
    resolved.givenName = text::ToUtf8(component);
    std::optional<HostEntry> entry;
    if (folderExists) {
      const UniqueFd folderFd = OpenBeneath(rootFd, RealRoot(), folder, O_RDONLY | O_DIRECTORY);
      if (!folderFd.valid()) return std::nullopt;  // it was there a moment ago
      bool refused = false;
      entry = Lookup(rootFd, folderFd.get(), folder, component, refused);
      if (refused) return std::nullopt;
    }
    if (!entry) {
      // Missing: this and every later component keep the spelling given.
      ++resolved.missing;
      resolved.entry = JoinRelative(folder, resolved.givenName);
      folder = resolved.entry;
      folderExists = false;
      continue;
    }
    resolved.entry = JoinRelative(folder, entry->name);
    folder = entry->target;
    folderExists = entry->kind == Kind::kDirectory;
    resolved.found = std::move(*entry);
  }
  if (resolved.missing == 0 && resolved.trailingSeparator && resolved.found.kind != Kind::kDirectory) {
    return std::nullopt;  // "\file.txt\" names no folder
  }
  return resolved;
}

std::optional<PosixFileSystem::Resolved> PosixFileSystem::ResolveFileTarget(std::u16string_view path) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->isRoot || resolved->trailingSeparator || !resolved->parentIsFolder) {
    return std::nullopt;
  }
  if (resolved->missing == 0 && resolved->found.kind != Kind::kFile) return std::nullopt;
  if (resolved->missing > 1) return std::nullopt;
  return resolved;
}

std::vector<FindEntry> PosixFileSystem::Find(std::u16string_view pattern) {
  std::vector<FindEntry> entries;
  const auto parsed = ParseDevicePath(pattern, true);
  // A search needs a name to look for: "\" and "\Windows\" find nothing.
  if (!parsed || parsed->components.empty() || parsed->trailingSeparator) return entries;
  const std::u16string_view last = parsed->components.back();

  if (!HasWildcards(last)) {
    const auto resolved = Resolve(pattern);
    if (resolved && resolved->missing == 0) {
      entries.push_back({text::FromUtf8(resolved->found.name), resolved->found.kind == Kind::kDirectory,
                         resolved->found.kind == Kind::kFile, resolved->found.size});
    }
    return entries;
  }

  const std::u16string_view folderPath = pattern.substr(0, pattern.size() - last.size());
  const auto folder = Resolve(folderPath.empty() ? u"\\" : folderPath);
  if (!folder || folder->missing != 0 || folder->found.kind != Kind::kDirectory) return entries;
  const int rootFd = folder->root.get();
  const std::string& host = folder->found.target;
  const UniqueFd folderFd = OpenInTree(rootFd, host, O_RDONLY | O_DIRECTORY);
  if (!folderFd.valid()) return entries;
  for (const std::string& hostName : ListFolder(folderFd.get())) {
    const auto name = DeviceName(hostName);
    if (!name || !MatchesWildcard(last, *name)) continue;
    bool refused = false;
    const auto entry = Classify(rootFd, folderFd.get(), host, hostName, refused);
    if (!entry) continue;
    entries.push_back({*name, entry->kind == Kind::kDirectory, entry->kind == Kind::kFile, entry->size});
  }
  std::sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
    const int order = text::CompareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });
  return entries;
}

bool PosixFileSystem::Exists(std::u16string_view path) {
  const auto resolved = Resolve(path);
  return resolved && resolved->missing == 0;
}

bool PosixFileSystem::IsDirectory(std::u16string_view path) {
  const auto resolved = Resolve(path);
  return resolved && resolved->missing == 0 && resolved->found.kind == Kind::kDirectory;
}

std::unique_ptr<File> PosixFileSystem::Open(std::u16string_view path, OpenMode mode) {
  UniqueFd fd;
  if (mode == OpenMode::kRead || mode == OpenMode::kReadWrite) {
    const auto resolved = Resolve(path);
    if (!resolved || resolved->missing != 0 || resolved->found.kind != Kind::kFile) return nullptr;
    const int access = mode == OpenMode::kRead ? O_RDONLY : O_RDWR;
    fd = OpenInTree(resolved->root.get(), resolved->found.target, access);
  } else {
    const auto resolved = ResolveFileTarget(path);
    if (!resolved) return nullptr;
    const bool exists = resolved->missing == 0;
    if (exists && mode == OpenMode::kCreateNew) return nullptr;
    // An existing file is opened where it lies (through a link inside the tree); a new one is made
    // exclusively, so a link appearing meanwhile is not followed.
    fd = exists ? OpenInTree(resolved->root.get(), resolved->found.target, O_WRONLY | O_TRUNC)
                : OpenInTree(resolved->root.get(), resolved->entry, O_WRONLY | O_CREAT | O_EXCL, 0644);
  }
  if (!fd.valid()) return nullptr;
  return std::make_unique<PosixFile>(fd.Release());
}

std::optional<std::string> PosixFileSystem::ReadFile(std::u16string_view path, std::size_t limit) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->missing != 0 || resolved->found.kind != Kind::kFile) return std::nullopt;
  UniqueFd fd = OpenInTree(resolved->root.get(), resolved->found.target, O_RDONLY);
  if (!fd.valid()) return std::nullopt;
  PosixFile file(fd.Release());
  std::string content;
  constexpr std::size_t kChunk = 64 * 1024;
  // The file's size is read at once (each byte of the string is cleared before it is read into, so
  // a large chunk past the end would cost as much as the file); a file that grows is read on in chunks.
  std::size_t expected = 0;
  if (const auto size = file.Size()) {
    expected = static_cast<std::size_t>(std::min<std::uint64_t>({*size, limit, 64ull << 20}));
    content.reserve(expected);
  }
  while (content.size() < limit) {
    const std::size_t start = content.size();
    const std::size_t want = expected > start ? expected - start : std::min<std::size_t>(4096, kChunk);
    content.resize(start + std::min(want, limit - start));
    const auto count =
        file.Read(std::as_writable_bytes(std::span(content.data() + start, content.size() - start)));
    if (!count) return std::nullopt;
    content.resize(start + *count);
    if (*count == 0) break;
  }
  return content;
}

bool PosixFileSystem::AtomicReplace(int folder, const std::string& name, std::optional<mode_t> mode,
                                    bool noReplace, const std::function<bool(int fd)>& write) {
  RemoveStaleTemporaries(folder, name);
  LiveTemporary temp(name);
  // The name is new to this process, but a file of that name left by an earlier process of the same
  // id may have survived the clean-up above (it was in use then, or appeared since): try another.
  UniqueFd fd;
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    if (attempt > 0) temp.Renew();
    fd = UniqueFd(
        ::openat(folder, temp.name().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (fd.valid() || errno != EEXIST) break;
  }
  if (!fd.valid()) return false;
  const std::string& created = temp.name();
  bool ok = (!mode || ::fchmod(fd.get(), *mode) == 0) && write(fd.get()) && ::fsync(fd.get()) == 0;
  ok = ::close(fd.Release()) == 0 && ok;
  if (ok) {
    ok = noReplace ? RenameNoReplace(folder, created, folder, name)
                   : ::renameat(folder, created.c_str(), folder, name.c_str()) == 0;
  }
  if (!ok) {
    ::unlinkat(folder, created.c_str(), 0);
    return false;
  }
  SyncFolder(folder);
  return true;
}

bool PosixFileSystem::WriteWholeFile(std::u16string_view path, std::string_view bytes) {
  const auto resolved = ResolveFileTarget(path);
  if (!resolved) return false;
  const bool exists = resolved->missing == 0;
  // An existing file is replaced where it really lies (through a link), keeping its permission bits.
  const auto target = Locate(resolved->root.get(), resolved->entry, exists);
  if (!target) return false;
  const std::optional<mode_t> mode = exists ? std::optional<mode_t>(resolved->found.mode) : std::nullopt;
  return AtomicReplace(target->folder.get(), target->name, mode, false,
                       [bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

bool PosixFileSystem::DeleteFile(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->missing != 0 || resolved->found.kind != Kind::kFile) return false;
  const auto entry = Locate(resolved->root.get(), resolved->entry, false);  // a link goes, not its file
  if (!entry) return false;
  struct stat info {};
  if (::fstatat(entry->folder.get(), entry->name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
      !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) {
    return false;
  }
  return ::unlinkat(entry->folder.get(), entry->name.c_str(), 0) == 0;
}

bool PosixFileSystem::RenameFile(std::u16string_view from, std::u16string_view to) {
  const auto source = Resolve(from);
  if (!source || source->isRoot || source->missing != 0) return false;
  const auto target = Resolve(to);
  if (!target || target->isRoot || !target->parentIsFolder || target->missing > 1) return false;
  if (target->trailingSeparator && source->found.kind != Kind::kDirectory) return false;
  const auto sourceEntry = Locate(source->root.get(), source->entry, false);
  if (!sourceEntry) return false;
  if (target->missing == 0) {
    // Only the entry itself may be in the way: a change of letter case ("a.txt" to "A.TXT").
    if (target->entry != source->entry) return false;
    if (target->givenName == sourceEntry->name) return true;
    return ::renameat(sourceEntry->folder.get(), sourceEntry->name.c_str(), sourceEntry->folder.get(),
                      target->givenName.c_str()) == 0;
  }
  const auto targetEntry = Locate(target->root.get(), target->entry, false);
  if (!targetEntry) return false;
  return RenameNoReplace(sourceEntry->folder.get(), sourceEntry->name, targetEntry->folder.get(),
                         targetEntry->name);
}

bool PosixFileSystem::CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) {
  const auto source = Resolve(from);
  if (!source || source->missing != 0 || source->found.kind != Kind::kFile) return false;
  const auto target = ResolveFileTarget(to);
  if (!target) return false;
  const bool exists = target->missing == 0;
  if (exists && failIfExists) return false;
  UniqueFd input = OpenInTree(source->root.get(), source->found.target, O_RDONLY);
  if (!input.valid()) return false;
  PosixFile reader(input.Release());
  const auto located = Locate(target->root.get(), target->entry, exists);
  if (!located) return false;
  return AtomicReplace(located->folder.get(), located->name, source->found.mode, failIfExists,
                       [&reader](int fd) {
                         std::array<std::byte, 64 * 1024> buffer;
                         for (;;) {
                           const auto count = reader.Read(buffer);
                           if (!count) return false;
                           if (*count == 0) return true;
                           if (!WriteAll(fd, buffer.data(), *count)) return false;
                         }
                       });
}

bool PosixFileSystem::CreateDirectory(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->isRoot || !resolved->parentIsFolder || resolved->missing != 1) return false;
  const auto entry = Locate(resolved->root.get(), resolved->entry, false);
  return entry && ::mkdirat(entry->folder.get(), entry->name.c_str(), 0755) == 0;
}

bool PosixFileSystem::RemoveDirectory(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->isRoot || resolved->missing != 0 || resolved->found.kind != Kind::kDirectory) {
    return false;
  }
  const auto entry = Locate(resolved->root.get(), resolved->entry, false);
  return entry && ::unlinkat(entry->folder.get(), entry->name.c_str(), AT_REMOVEDIR) == 0;
}

std::optional<std::string> PosixFileSystem::HostPath(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved) return std::nullopt;
  return HostOf(resolved->entry);
}

std::optional<std::u16string> PosixFileSystem::DevicePath(std::string_view hostPath) {
  if (hostPath.empty()) return std::nullopt;
  std::error_code error;
  std::filesystem::path host = std::filesystem::absolute(std::filesystem::path(hostPath), error);
  if (error) return std::nullopt;
  std::string normal = host.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();

  std::optional<std::string_view> relative;
  const std::string& realRoot = RealRoot();
  for (const std::string* base : {&std::as_const(root_), &realRoot}) {
    if (base->empty()) continue;
    if (normal == *base) {
      relative = std::string_view();
    } else if (*base == "/" && normal.size() > 1) {
      relative = std::string_view(normal).substr(1);
    } else if (normal.starts_with(*base) && normal.size() > base->size() && normal[base->size()] == '/') {
      relative = std::string_view(normal).substr(base->size() + 1);
    }
    if (relative) break;
  }
  if (!relative) return std::nullopt;

  std::u16string device;
  while (!relative->empty()) {
    const std::size_t end = relative->find('/');
    const auto name = DeviceName(relative->substr(0, end));
    if (!name) return std::nullopt;
    device += u'\\';
    device += *name;
    relative = end == std::string_view::npos ? std::string_view() : relative->substr(end + 1);
  }
  if (device.empty()) device.push_back(u'\\');  // the root
  // A path through a link that leaves the tree lies outside it.
  if (!Resolve(device)) return std::nullopt;
  return device;
}

}  // namespace vexa::platform
