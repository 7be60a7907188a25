#include "platform/runtime/RuntimeFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace vexa::platform {

std::unique_ptr<RuntimeFolder> RuntimeFolder::ProvideIfMissing() {
  const char* current = std::getenv("XDG_RUNTIME_DIR");
  if (current != nullptr && *current != '\0') return nullptr;
  const char* temporary = std::getenv("TMPDIR");
  std::string pattern = (temporary != nullptr && *temporary != '\0') ? temporary : "/tmp";
  pattern += "/vexa-runtime-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkdtemp makes the folder with mode 0700 under a name nobody else holds.
  if (::mkdtemp(name.data()) == nullptr) return nullptr;
  std::unique_ptr<RuntimeFolder> folder(new RuntimeFolder(name.data()));
  ::setenv("XDG_RUNTIME_DIR", folder->path_.c_str(), 1);
  return folder;
}

RuntimeFolder::~RuntimeFolder() {
  const char* current = std::getenv("XDG_RUNTIME_DIR");
  if (current != nullptr && path_ == current) ::unsetenv("XDG_RUNTIME_DIR");
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace vexa::platform
