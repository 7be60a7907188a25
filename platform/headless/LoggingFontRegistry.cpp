#include "platform/headless/LoggingFontRegistry.h"

namespace vexa::platform {

std::vector<std::u16string> LoggingFontRegistry::Families() {
  std::vector<std::u16string> families = inner_.Families();
  log_.Record("font_families", {{"count", static_cast<std::int64_t>(families.size())}});
  return families;
}

}  // namespace vexa::platform
