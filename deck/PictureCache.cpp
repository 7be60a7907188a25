#include "deck/PictureCache.h"

#include <optional>

#include "common/text/Text.h"

namespace vexa::deck {

namespace {

// A skin names at most a few hundred files (three pictures for each of forty slots and the frames of
// its gauges); a hostile one naming more starts the cache afresh rather than growing it without end.
constexpr std::size_t kMaxPictures = 4096;

}  // namespace

void PictureCache::SetLargest(gfx::Size largest) {
  if (largest == largest_) return;
  largest_ = largest;
  pictures_.clear();
}

std::shared_ptr<const gfx::Bitmap> PictureCache::Get(std::u16string_view path) {
  if (path.empty() || decoder_ == nullptr) return nullptr;
  // The device's file names are compared without regard to case.
  std::u16string key(path);
  for (char16_t& c : key) c = text::FoldCase(c);
  if (auto it = pictures_.find(key); it != pictures_.end()) return it->second;
  std::shared_ptr<const gfx::Bitmap> picture;
  const std::optional<gfx::Size> largest =
      largest_.width > 0 && largest_.height > 0 ? std::optional<gfx::Size>(largest_) : std::nullopt;
  if (auto decoded = decoder_->DecodeWithAlpha(path, largest); decoded && !decoded->empty()) {
    picture = std::make_shared<const gfx::Bitmap>(std::move(*decoded));
  }
  if (pictures_.size() >= kMaxPictures) pictures_.clear();
  pictures_.emplace(std::move(key), picture);
  return picture;
}

}  // namespace vexa::deck
