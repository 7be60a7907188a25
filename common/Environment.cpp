#include "common/Environment.h"

namespace vexa {

Environment::Environment(platform::Platform& platform, Flavor flavor, platform::WindowHandle owner)
    : platform_(platform),
      owner_(owner),
      koreanUi_(IsKoreanUi(platform.locale)),
      mainSettings_(platform),
      skin_(platform),
      clock_(platform),
      paths_(platform.shell, platform.modulePath, flavor),
      launcher_(platform, paths_, LaunchTexts::For(flavor, koreanUi_), flavor != Flavor::kToolbar) {}

std::u16string Environment::BrowseForFolder(platform::WindowHandle owner, std::u16string_view title) {
  if (platform_.folderPicker == nullptr) return {};
  return platform_.folderPicker->Browse(owner, title);
}

void Environment::SetControlFont(platform::ControlHandle control, int height, int weight) {
  if (platform_.controlFonts == nullptr) return;
  platform::FontSpec font;
  font.face = u"System";
  font.height = height;
  font.weight = weight;
  platform_.controlFonts->SetFont(control, font);
}

}  // namespace vexa
