#pragma once

#include <string>
#include <string_view>

#include "platform/Shell.h"

namespace vexa {

// Codes of GetPath. Codes below 100 are the shell's special folders (2 Programs menu, 16 desktop).
enum PathKind : int {
  PATH_STORAGE_ROOT = 100,  // "\Storage Card": the top-level folder holding the program
  PATH_PROGRAM_DIR = 101,   // the program's folder
  PATH_DATA_DIR = 102,      // storage root + "\VexaDeck"
  PATH_MUSIC_DIR = 103,     // storage root + "\음악파일"
  PATH_MOVIE_DIR = 104,     // storage root + "\영화파일"
  PATH_PICTURE_DIR = 105,   // storage root + "\그림파일"
  PATH_PROGRAM_FILE = 200,  // the program file itself (the toolbar: its .ini file)
  PATH_TMP_COPY = 201,      // X.exe gives X_tmp.exe beside it
  PATH_INI_FILE = 202,      // X.exe gives X.ini beside it
};

// Which program's rules apply: the toolbar knows fewer path codes than the launcher and the runner.
enum class Flavor { kDeck, kToolbar, kRunner };

// The paths derived from where the running program lies, and the "%STORAGE%" rule that keeps stored
// paths valid on a card of another name.
class PathTokens {
 public:
  PathTokens(platform::Shell& shell, std::u16string modulePath, Flavor flavor)
      : shell_(shell), modulePath_(std::move(modulePath)), flavor_(flavor) {}

  // The path for a PathKind code, or an empty text for an unknown code or a path it cannot be made of.
  std::u16string GetPath(int code) const;
  // Replaces the first "%STORAGE%" by the storage root's name, or re-roots a path written under the
  // Korean card folder "\저장소 카드"; other paths come back unchanged.
  std::u16string ExpandStorage(std::u16string_view path) const;

  const std::u16string& modulePath() const { return modulePath_; }

 private:
  std::u16string StorageRoot() const;
  std::u16string WithExtension(std::u16string_view replacement) const;

  platform::Shell& shell_;
  std::u16string modulePath_;
  Flavor flavor_;
};

}  // namespace vexa
