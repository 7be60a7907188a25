#pragma once

#include <memory>
#include <string>

namespace vexa::platform {

// The per-user runtime folder Qt wants in XDG_RUNTIME_DIR. Hosts without a login session (a
// container, a service, su) leave the variable unset, and Qt then warns on every start and falls back
// to a shared folder in /tmp. The runtime gives such a run a private folder of its own instead.
class RuntimeFolder {
 public:
  // When XDG_RUNTIME_DIR is unset or empty: makes a new folder only this user may use (mode 0700)
  // in TMPDIR, else /tmp, and sets the variable to it. Null when the variable is set already, or
  // when no folder could be made (Qt then falls back as before).
  static std::unique_ptr<RuntimeFolder> ProvideIfMissing();

  // Removes the folder with what Qt left in it, and unsets the variable again if it still names the
  // folder. Programs started meanwhile inherited the variable; a folder that is gone is made again
  // by Qt in whichever of them needs it.
  ~RuntimeFolder();
  RuntimeFolder(const RuntimeFolder&) = delete;
  RuntimeFolder& operator=(const RuntimeFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  explicit RuntimeFolder(std::string path) : path_(std::move(path)) {}

  std::string path_;
};

}  // namespace vexa::platform
