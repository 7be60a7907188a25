#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ui/Graphics.h"

namespace vexa::platform {

// TrueType fonts of the device registered with Qt for this process, and the families Qt knows (the
// host's installed fonts and those registered here).
//
// A font file is known by its device path, without regard to letter case. As on the device, adding
// the same file again counts: it stays registered until it has been removed as many times. Removing a
// file that was never added answers false.
class QtFontRegistry : public ui::FontRegistry {
 public:
  explicit QtFontRegistry(FileSystem& files) : files_(files) {}
  ~QtFontRegistry() override;
  QtFontRegistry(const QtFontRegistry&) = delete;
  QtFontRegistry& operator=(const QtFontRegistry&) = delete;

  bool Add(std::u16string_view devicePath) override;
  bool Remove(std::u16string_view devicePath) override;
  // Sorted without regard to letter case.
  std::vector<std::u16string> Families() override;

 private:
  struct Registered {
    int id = -1;
    int count = 0;
  };

  FileSystem& files_;
  std::map<std::u16string, Registered> fonts_;  // by case-folded device path
};

}  // namespace vexa::platform
