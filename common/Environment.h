#pragma once

#include <string>
#include <string_view>

#include "common/Launcher.h"
#include "common/PathTokens.h"
#include "common/ProfileStore.h"
#include "platform/Platform.h"

namespace vexa {

// The process-wide services of a program: its settings, skin and clock stores, the message language,
// the paths derived from where the program lies, and program launching.
class Environment {
 public:
  explicit Environment(platform::Platform& platform, Flavor flavor = Flavor::kDeck,
                       platform::WindowHandle owner = platform::kNoWindow);
  // Its launcher refers to its own path tokens: it is neither copied nor moved.
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

  ProfileStore& mainSettings() { return mainSettings_; }
  ProfileStore& skin() { return skin_; }
  ProfileStore& clock() { return clock_; }
  bool KoreanUi() const { return koreanUi_; }
  platform::WindowHandle owner() const { return owner_; }
  platform::Platform& platform() { return platform_; }

  std::u16string GetPath(int code) const { return paths_.GetPath(code); }
  std::u16string ExpandStorage(std::u16string_view path) const { return paths_.ExpandStorage(path); }
  bool Launch(platform::WindowHandle owner, std::u16string_view path, std::u16string_view arguments = {}) {
    return launcher_.Launch(owner, path, arguments);
  }
  // True when the path names a file or a folder.
  bool FileExists(std::u16string_view path) const { return platform_.files.Exists(path); }
  // The folder the user picks, or an empty text when cancelled or when no picker is available.
  std::u16string BrowseForFolder(platform::WindowHandle owner, std::u16string_view title);
  // Gives a dialog control the "System" face at the given height and weight.
  void SetControlFont(platform::ControlHandle control, int height, int weight);

 private:
  platform::Platform& platform_;
  platform::WindowHandle owner_;
  bool koreanUi_;
  ProfileStore mainSettings_;
  ProfileStore skin_;
  ProfileStore clock_;
  PathTokens paths_;
  Launcher launcher_;
};

}  // namespace vexa
