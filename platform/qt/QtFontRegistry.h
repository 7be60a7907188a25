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
//
// Handing a face to the font database costs a scan of the whole file (a Korean face of 4.5 MB takes
// longer than the rest of a start-up), so a file that starts like a font is taken at once and handed
// over when its faces are first needed: when a face is asked for that the database does not have, or
// when the families are listed. A skin naming installed faces never pays for the scan.
class QtFontRegistry : public ui::FontRegistry {
 public:
  explicit QtFontRegistry(FileSystem& files);
  ~QtFontRegistry() override;
  QtFontRegistry(const QtFontRegistry&) = delete;
  QtFontRegistry& operator=(const QtFontRegistry&) = delete;

  bool Add(std::u16string_view devicePath) override;
  bool Remove(std::u16string_view devicePath) override;
  // Sorted without regard to letter case.
  std::vector<std::u16string> Families() override;

  // Hands every font added but not yet registered to the font database, in every registry of the
  // process; true when any was.
  static bool RegisterPending();
  // How many added files are not handed to the font database yet.
  std::size_t pending() const {
    std::size_t count = 0;
    for (const auto& [key, font] : fonts_) count += font.id < 0 ? 1 : 0;
    return count;
  }

 private:
  struct Registered {
    int id = -1;  // -1 while pending
    int count = 0;
    std::u16string path;
  };

  bool RegisterPendingHere();

  FileSystem& files_;
  std::map<std::u16string, Registered> fonts_;  // by case-folded device path
};

}  // namespace vexa::platform
