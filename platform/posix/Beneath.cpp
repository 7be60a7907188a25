#include "platform/posix/Beneath.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <deque>
#include <vector>

namespace vexa::platform {

namespace {

// Links followed on one path at most, as the kernel's own limit.
constexpr int kMaxLinks = 40;

// Cleared once the kernel answers that it has no openat2.
std::atomic<bool> openat2Available{true};

// The components of a relative host path, "" and "." left out.
void PushComponents(std::string_view path, std::deque<std::string>& out, bool atFront) {
  std::vector<std::string> parts;
  while (!path.empty()) {
    const std::size_t end = path.find('/');
    const std::string_view part = path.substr(0, end);
    if (!part.empty() && part != ".") parts.emplace_back(part);
    if (end == std::string_view::npos) break;
    path.remove_prefix(end + 1);
  }
  if (atFront) {
    out.insert(out.begin(), parts.begin(), parts.end());
  } else {
    out.insert(out.end(), parts.begin(), parts.end());
  }
}

std::optional<std::string> ReadLink(int folder, const std::string& name) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t length = ::readlinkat(folder, name.c_str(), target.data(), target.size());
    if (length < 0) return std::nullopt;
    if (static_cast<std::size_t>(length) < target.size()) {
      target.resize(static_cast<std::size_t>(length));
      return target;
    }
    if (target.size() >= 65536) return std::nullopt;
    target.resize(target.size() * 2);
  }
}

// The part of an absolute link target below the real root; nullopt when it lies elsewhere.
std::optional<std::string_view> BelowRoot(std::string_view target, std::string_view realRoot) {
  if (realRoot.empty()) return std::nullopt;
  if (realRoot == "/") return target.substr(1);
  if (target == realRoot) return std::string_view();
  if (target.size() > realRoot.size() && target.starts_with(realRoot) && target[realRoot.size()] == '/') {
    return target.substr(realRoot.size() + 1);
  }
  return std::nullopt;
}

// Walks `relative` from the root one component at a time. The folders walked are kept open, so ".."
// goes back to the folder the walk came from and never above the first.
std::optional<BeneathEntry> Walk(int rootFd, std::string_view realRoot, std::string_view relative,
                                 bool followLast) {
  std::vector<UniqueFd> folders;
  folders.emplace_back(::openat(rootFd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!folders.back().valid()) return std::nullopt;
  std::deque<std::string> pending;
  PushComponents(relative, pending, false);
  int links = 0;
  while (!pending.empty()) {
    const std::string component = std::move(pending.front());
    pending.pop_front();
    if (component == "..") {
      if (folders.size() == 1) {
        errno = EXDEV;
        return std::nullopt;
      }
      folders.pop_back();
      continue;
    }
    const int folder = folders.back().get();
    const bool last = pending.empty();
    struct stat info {};
    if (::fstatat(folder, component.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (last && errno == ENOENT) return BeneathEntry{std::move(folders.back()), component};
      return std::nullopt;
    }
    if (S_ISLNK(info.st_mode) && (!last || followLast)) {
      if (++links > kMaxLinks) {
        errno = ELOOP;
        return std::nullopt;
      }
      const auto target = ReadLink(folder, component);
      if (!target || target->empty()) return std::nullopt;
      if (target->front() == '/') {
        const auto below = BelowRoot(*target, realRoot);
        if (!below) {
          errno = EXDEV;
          return std::nullopt;
        }
        folders.resize(1);
        PushComponents(*below, pending, true);
      } else {
        PushComponents(*target, pending, true);
      }
      continue;
    }
    if (last) return BeneathEntry{std::move(folders.back()), component};
    if (!S_ISDIR(info.st_mode)) {
      errno = ENOTDIR;
      return std::nullopt;
    }
    UniqueFd next(::openat(folder, component.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!next.valid()) return std::nullopt;
    folders.push_back(std::move(next));
  }
  return BeneathEntry{std::move(folders.back()), std::string()};
}

bool FollowsLast(int flags) {
  return (flags & O_NOFOLLOW) == 0 && !((flags & O_CREAT) != 0 && (flags & O_EXCL) != 0);
}

// openat2 below the root; nullopt when the kernel cannot tell (no openat2, or an absolute link it
// refuses on principle), so that the walk decides.
std::optional<UniqueFd> OpenAt2(int rootFd, std::string_view relative, int flags, mode_t mode) {
#ifdef SYS_openat2
  if (!openat2Available.load(std::memory_order_relaxed)) return std::nullopt;
  open_how how{};
  how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
  how.mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? mode : 0;
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  const std::string path = relative.empty() ? std::string(".") : std::string(relative);
  for (int attempt = 0;; ++attempt) {
    const long fd = ::syscall(SYS_openat2, rootFd, path.c_str(), &how, sizeof how);
    if (fd >= 0) return UniqueFd(static_cast<int>(fd));
    // EAGAIN: a rename elsewhere raced the kernel's check of a ".."; try again, then walk.
    if (errno == EINTR || (errno == EAGAIN && attempt < 8)) continue;
    if (errno == EAGAIN) return std::nullopt;
    if (errno == ENOSYS || errno == EPERM) {
      // No openat2 in this kernel, or a sandbox that forbids it: the walk does its work from now on.
      if (errno == ENOSYS) openat2Available = false;
      return std::nullopt;
    }
    if (errno == EXDEV) return std::nullopt;  // perhaps an absolute link into the tree
    return UniqueFd();
  }
#else
  (void)rootFd, (void)relative, (void)flags, (void)mode;
  return std::nullopt;
#endif
}

}  // namespace

UniqueFd OpenBeneathByWalk(int rootFd, std::string_view realRoot, std::string_view relative, int flags,
                           mode_t mode) {
  auto entry = Walk(rootFd, realRoot, relative, FollowsLast(flags));
  if (!entry) return UniqueFd();
  const char* name = entry->name.empty() ? "." : entry->name.c_str();
  // O_NOFOLLOW: the last component was checked not to be a link; one swapped in since is not followed.
  return UniqueFd(::openat(entry->folder.get(), name, flags | O_NOFOLLOW | O_CLOEXEC, mode));
}

UniqueFd OpenBeneath(int rootFd, std::string_view realRoot, std::string_view relative, int flags,
                     mode_t mode) {
  if (auto fd = OpenAt2(rootFd, relative, flags, mode)) return std::move(*fd);
  return OpenBeneathByWalk(rootFd, realRoot, relative, flags, mode);
}

std::optional<BeneathEntry> LocateBeneath(int rootFd, std::string_view realRoot, std::string_view relative,
                                          bool followLast) {
  const std::size_t slash = relative.rfind('/');
  const std::string_view folderPath =
      slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash);
  const std::string_view name = slash == std::string_view::npos ? relative : relative.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") return Walk(rootFd, realRoot, relative, followLast);
  UniqueFd folder = OpenBeneath(rootFd, realRoot, folderPath, O_PATH | O_DIRECTORY);
  if (!folder.valid()) return std::nullopt;
  BeneathEntry entry{std::move(folder), std::string(name)};
  if (followLast) {
    struct stat info {};
    if (::fstatat(entry.folder.get(), entry.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(info.st_mode)) {
      return Walk(rootFd, realRoot, relative, true);  // where the link leads, checked step by step
    }
  }
  return entry;
}

}  // namespace vexa::platform
