#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ui/Graphics.h"

namespace vexa::platform {

// Sound for the headless mode: the device can play, nothing is heard. A file "plays" when it exists
// on the device and is not a folder, as a real start would fail on a missing file. Every path asked
// for is kept.
class SilentSound : public ui::Sound {
 public:
  explicit SilentSound(FileSystem& files) : files_(files) {}

  bool Play(std::u16string_view devicePath) override;
  bool CanPlay() override { return true; }

  const std::vector<std::u16string>& played() const { return played_; }

 private:
  FileSystem& files_;
  std::vector<std::u16string> played_;
};

}  // namespace vexa::platform
