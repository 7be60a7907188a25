#include "platform/posix/InotifyFileWatcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

// What counts as a change of a folder's files: written and closed, made, removed, renamed in or out,
// and the folder itself removed or renamed. Plain writes count too, for writers that keep a file open.
constexpr std::uint32_t kEvents = IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                  IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ATTRIB;

// A read takes at most this much at once; what is left comes with the next read of the same call.
constexpr std::size_t kBufferBytes = 16 * 1024;
// A burst larger than this is more than anyone reacts to one by one: the rest is read and dropped.
constexpr std::size_t kMaxChanges = 4096;

}  // namespace

InotifyFileWatcher::InotifyFileWatcher(FileSystem& files)
    : files_(files), fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

bool InotifyFileWatcher::Watch(std::u16string_view folder) {
  if (!fd_.valid()) return false;
  const std::optional<std::string> host = files_.HostPath(folder);
  if (!host) return false;
  const int wd = ::inotify_add_watch(fd_.get(), host->c_str(), kEvents | IN_ONLYDIR);
  if (wd < 0) return false;
  // The same folder watched twice answers the same descriptor; the first name given stays.
  folders_.emplace(wd, std::u16string(folder));
  return true;
}

void InotifyFileWatcher::Clear() {
  // A new descriptor drops every watch and every change not yet read at once.
  fd_ = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  folders_.clear();
}

std::vector<FileChange> InotifyFileWatcher::TakeChanges() {
  std::vector<FileChange> changes;
  if (!fd_.valid()) return changes;
  alignas(inotify_event) char buffer[kBufferBytes];
  for (;;) {
    const ssize_t got = ::read(fd_.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // EAGAIN: nothing more for now
    std::size_t at = 0;
    while (at + sizeof(inotify_event) <= static_cast<std::size_t>(got)) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      const std::size_t next = at + sizeof(inotify_event) + event.len;
      if (next > static_cast<std::size_t>(got)) break;
      const auto folder = folders_.find(event.wd);
      if (folder != folders_.end() && changes.size() < kMaxChanges) {
        if ((event.mask & IN_Q_OVERFLOW) != 0) {
          // Changes were lost: report the folder as a whole.
          changes.push_back({folder->second, u""});
        } else if ((event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) != 0) {
          changes.push_back({folder->second, u""});
        } else if (event.len > 0) {
          const char* name = buffer + at + sizeof(inotify_event);
          changes.push_back({folder->second, text::FromUtf8(std::string_view(name, ::strnlen(name, event.len)))});
        }
      } else if ((event.mask & IN_Q_OVERFLOW) != 0 && !folders_.empty() && changes.size() < kMaxChanges) {
        changes.push_back({folders_.begin()->second, u""});
      }
      if ((event.mask & IN_IGNORED) != 0) folders_.erase(event.wd);
      at = next;
    }
  }
  return changes;
}

}  // namespace vexa::platform
