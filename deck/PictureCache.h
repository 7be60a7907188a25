#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/gfx/Bitmap.h"
#include "platform/ui/Graphics.h"

namespace vexa::deck {

// The pictures of one skin load, decoded once each and shared by every slot that names them: forty
// slots showing one large picture hold it once. Pictures larger than the screen come reduced to it
// (bitmap files excepted, as the decoder does). The cache is emptied when a skin is loaded, so a
// picture file changed on the card shows at the next load. PNG pictures with see-through parts keep
// their alpha (PictureDecoder::DecodeWithAlpha).
class PictureCache {
 public:
  explicit PictureCache(platform::ui::PictureDecoder* decoder) : decoder_(decoder) {}
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  // Null when the path is empty, the file is missing or is not a picture (the answer is kept too).
  std::shared_ptr<const gfx::Bitmap> Get(std::u16string_view path);
  void Clear() { pictures_.clear(); }
  // The largest size a picture is kept at: the screen's.
  void SetLargest(gfx::Size largest);
  std::size_t size() const { return pictures_.size(); }

 private:
  platform::ui::PictureDecoder* decoder_;
  gfx::Size largest_;
  std::map<std::u16string, std::shared_ptr<const gfx::Bitmap>> pictures_;  // by case-folded path
};

}  // namespace vexa::deck
