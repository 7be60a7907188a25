#include "platform/posix/HostExecutable.h"

#include <unistd.h>

namespace vexa::platform {

std::string HostExecutablePath() {
  // readlink does not say whether it cut the target short, so a full buffer means: try a larger one.
  for (std::size_t size = 256; size <= 65536; size *= 2) {
    std::string target(size, '\0');
    const ssize_t length = readlink("/proc/self/exe", target.data(), target.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < size) {
      target.resize(static_cast<std::size_t>(length));
      return target;
    }
  }
  return {};
}

}  // namespace vexa::platform
