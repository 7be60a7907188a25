#include "deck/pictures/PictureLoader.h"

#include "common/text/Text.h"

namespace vexa::deck {

bool IsAcceptedPicture(std::u16string_view name) {
  if (name.size() < 4) return false;
  const auto ending = text::ToLower(name.substr(name.size() - 4));
  return ending == u".bmp" || ending == u".jpg" || ending == u".gif" || ending == u".png";
}

bool LoadPicture(platform::ui::PictureDecoder* decoder, std::u16string_view path, gfx::Size screen,
                 gfx::Bitmap& picture) {
  if (decoder == nullptr) return false;
  auto decoded = decoder->Decode(path, screen);
  if (!decoded || decoded->empty()) return false;
  picture = std::move(*decoded);
  return true;
}

void StretchToSize(gfx::Bitmap& picture, gfx::Size size) {
  if (picture.size() == size && !picture.empty()) return;
  gfx::Bitmap stretched(size.width, size.height, gfx::ToPixel(gfx::Rgb(0, 0, 0)));
  if (!picture.empty()) gfx::StretchCopy(stretched, stretched.bounds(), picture, picture.bounds());
  picture = std::move(stretched);
}

}  // namespace vexa::deck
