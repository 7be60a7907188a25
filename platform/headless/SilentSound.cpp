#include "platform/headless/SilentSound.h"

namespace vexa::platform {

bool SilentSound::Play(std::u16string_view devicePath) {
  played_.emplace_back(devicePath);
  return files_.Exists(devicePath) && !files_.IsDirectory(devicePath);
}

}  // namespace vexa::platform
