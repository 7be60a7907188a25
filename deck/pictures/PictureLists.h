#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

// The launcher's two sorted picture lists, the backgrounds of the skin and the pictures of the
// picture folder, and the steps through them.
namespace vexa::deck {

inline constexpr std::size_t kPictureListLimit = 1000;

// Inserts `name` before the first entry greater than it (letter case ignored), so equal names keep
// the order they came in; nothing happens once the list holds `limit` names.
void InsertSorted(std::vector<std::u16string>& list, std::u16string name, std::size_t limit = kPictureListLimit);

// Adds the accepted pictures of a folder listing (`pattern` such as "\Skin\Default\background\*.*")
// to a sorted list, each with `prefix` in front.
void AddPictures(platform::FileSystem& files, std::u16string_view pattern, std::u16string_view prefix,
                 std::vector<std::u16string>& list);

// The entry to show from `list` one step from `last` (found without regard to case): the next or
// the previous one, wrapping at the edges; the first entry when `last` is not in the list. Nothing
// for an empty list, and for "previous" at the first of a one-entry list.
std::optional<std::u16string> StepThrough(const std::vector<std::u16string>& list, std::u16string_view last,
                                          bool next);

struct PictureLists {
  std::vector<std::u16string> backgrounds;  // the skin's own names bare, the common ones with "+"
  std::vector<std::u16string> pictures;

  // Fills both lists: `skinFolder` + "\background", `skinRoot` + "_common\background" (marked "+")
  // and `pictureFolder`.
  void Scan(platform::FileSystem& files, std::u16string_view skinFolder, std::u16string_view skinRoot,
            std::u16string_view pictureFolder);
};

}  // namespace vexa::deck
