#include "toolbar/ProgramIcon.h"

#include "platform/ui/Graphics.h"

namespace vexa::toolbar {

std::u16string ProgramIconPath(std::u16string_view programPath) {
  const std::size_t slash = programPath.rfind(u'\\');
  const std::size_t dot = programPath.rfind(u'.');
  std::u16string path(programPath);
  if (dot != std::u16string_view::npos && (slash == std::u16string_view::npos || dot > slash))
    path.resize(dot);
  return path + u".png";
}

std::optional<gfx::Bitmap> ProgramIcon(platform::Platform& platform, std::u16string_view programPath) {
  constexpr int kSide = 32;
  if (programPath.empty() || platform.pictures == nullptr) return std::nullopt;
  // A picture of any size is taken; a large one is shrunk as it is decoded.
  auto picture = platform.pictures->Decode(ProgramIconPath(programPath), gfx::Size{256, 256});
  if (!picture || picture->empty()) return std::nullopt;
  if (picture->size() == gfx::Size{kSide, kSide}) return picture;
  gfx::Bitmap icon(kSide, kSide);
  gfx::StretchCopy(icon, icon.bounds(), *picture, picture->bounds());
  return icon;
}

}  // namespace vexa::toolbar
