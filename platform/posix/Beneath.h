#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/UniqueFd.h"

namespace vexa::platform {

// Opening host paths below a root folder without ever leaving it, whatever links are found or swapped
// in on the way. `relative` is a host path relative to the root folder `rootFd` ('/' separators, ""
// for the root itself). Links are followed while they stay below the root: a relative link, or an
// absolute one whose target starts with `realRoot` (the root's real path). A link or ".." that would
// lead above the root, and the kernel's magic links, refuse the path.
//
// Where the kernel can (openat2 with RESOLVE_BENEATH) it checks every step itself. Elsewhere, and for
// absolute links the kernel refuses, the path is walked one component at a time from the root: each
// folder opened with O_NOFOLLOW|O_DIRECTORY relative to the one before, each link read and resolved
// here, so nothing is looked up by a name that could have changed since it was checked.

// Opens `relative` with the open(2) `flags` (O_CLOEXEC is always added) and `mode`; an invalid fd,
// with errno set, on failure. O_NOFOLLOW, and O_CREAT with O_EXCL, leave a link in the last component
// unfollowed (the open then fails, or opens the link itself with O_PATH).
UniqueFd OpenBeneath(int rootFd, std::string_view realRoot, std::string_view relative, int flags,
                     mode_t mode = 0);

// The same, always by the walk (the fallback where openat2 is missing).
UniqueFd OpenBeneathByWalk(int rootFd, std::string_view realRoot, std::string_view relative, int flags,
                           mode_t mode = 0);

// Where the last component of `relative` lies: the folder holding it, opened (O_PATH), and its name
// there, for the *at() calls that create, rename or delete it. With `followLast` a link in the last
// component is followed to what it names; without, the entry is the link itself. The name is empty
// when the path ends at a folder itself (the root, or a link to a folder that was followed). Nullopt
// when the path leaves the root or a folder on the way is missing.
struct BeneathEntry {
  UniqueFd folder;
  std::string name;
};
std::optional<BeneathEntry> LocateBeneath(int rootFd, std::string_view realRoot, std::string_view relative,
                                          bool followLast);

}  // namespace vexa::platform
