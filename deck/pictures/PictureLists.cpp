#include "deck/pictures/PictureLists.h"

#include <algorithm>

#include "common/text/Text.h"
#include "deck/pictures/PictureLoader.h"

namespace vexa::deck {

void InsertSorted(std::vector<std::u16string>& list, std::u16string name, std::size_t limit) {
  if (list.size() >= limit) return;
  const auto at = std::find_if(list.begin(), list.end(), [&](const std::u16string& entry) {
    return text::CompareNoCase(entry, name) > 0;
  });
  list.insert(at, std::move(name));
}

void AddPictures(platform::FileSystem& files, std::u16string_view pattern, std::u16string_view prefix,
                 std::vector<std::u16string>& list) {
  for (auto& entry : files.Find(pattern)) {
    if (list.size() >= kPictureListLimit) break;
    if (entry.directory || !IsAcceptedPicture(entry.name)) continue;
    InsertSorted(list, std::u16string(prefix) + entry.name);
  }
}

std::optional<std::u16string> StepThrough(const std::vector<std::u16string>& list, std::u16string_view last,
                                          bool next) {
  if (list.empty()) return std::nullopt;
  const auto found = std::find_if(list.begin(), list.end(),
                                  [&](const std::u16string& entry) { return text::EqualsNoCase(entry, last); });
  if (found == list.end()) return list.front();
  const auto i = static_cast<std::size_t>(found - list.begin());
  if (next) return i + 1 < list.size() ? list[i + 1] : list.front();
  if (i > 0) return list[i - 1];
  if (list.size() > 1) return list.back();
  return std::nullopt;
}

void PictureLists::Scan(platform::FileSystem& files, std::u16string_view skinFolder, std::u16string_view skinRoot,
                        std::u16string_view pictureFolder) {
  backgrounds.clear();
  AddPictures(files, std::u16string(skinFolder) + u"\\background\\*.*", u"", backgrounds);
  AddPictures(files, std::u16string(skinRoot) + u"_common\\background\\*.*", u"+", backgrounds);
  pictures.clear();
  AddPictures(files, std::u16string(pictureFolder) + u"\\*.*", u"", pictures);
}

}  // namespace vexa::deck
