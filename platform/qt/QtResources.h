#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/ui/Graphics.h"

namespace vexa::platform {

// The pictures compiled into the programs (platform/qt/vexa_resources.qrc), one set per program
// ("deck", "toolbar", ...; platform/ui/ResourceIds.h lists them with their numbers).
//
// An icon is stored at the sizes it is used at. Asked for another size, the nearest larger one is
// scaled (or the largest, scaled up); asked for 0 × 0, the 32-pixel one (else the largest) is given.
// See-through pixels come as res::kIconTransparent. A number with only a picture serves as an icon
// too, and the other way round, so a button may show either.
class QtResources : public ui::Resources {
 public:
  explicit QtResources(std::string set);

  std::optional<gfx::Bitmap> Icon(int id, gfx::Size size) override;
  std::optional<gfx::Bitmap> Picture(int id) override;

 private:
  std::optional<gfx::Bitmap> Load(bool icon, int id, gfx::Size size);

  std::string set_;
  std::map<std::tuple<bool, int, int, int>, std::optional<gfx::Bitmap>> cache_;
};

}  // namespace vexa::platform
