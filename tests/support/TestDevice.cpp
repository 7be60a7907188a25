#include "tests/support/TestDevice.h"

namespace vexa::testing {

TestDevice::TestDevice(std::u16string modulePath, std::uint16_t langId)
    : files((tree.MakeDir("Windows/Desktop"), tree.MakeDir("Windows/Programs"), tree.root().string())),
      processes(files),
      locale(langId),
      shell(files, locale),
      platform{files, processes, messageBoxes, locale, shell, std::move(modulePath)} {}

std::vector<std::u16string> TestDevice::Boxes() const {
  std::vector<std::u16string> boxes;
  for (const auto& shown : messageBoxes.shown()) {
    boxes.push_back(shown.request.caption + u"|" + shown.request.text);
  }
  return boxes;
}

}  // namespace vexa::testing
