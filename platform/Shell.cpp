#include "platform/Shell.h"

#include "common/text/CodePage.h"
#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa::platform {

std::u16string Shell::SpecialFolder(int code) {
  std::u16string folder;
  if (code == kProgramsFolder) folder = u"\\Windows\\Programs";
  if (code == kDesktopFolder) folder = u"\\Windows\\Desktop";
  if (folder.empty() || !files_.IsDirectory(folder)) return {};
  return folder;
}

bool Shell::CreateShortcut(std::u16string_view shortcutPath, std::u16string_view target) {
  if (files_.Exists(shortcutPath)) return false;
  std::u16string text = text::FromInt(static_cast<std::int64_t>(target.size()));
  text += u'#';
  text += target;
  return files_.WriteWholeFile(shortcutPath, text::EncodeDeviceText(text, locale_.AnsiCodePage()));
}

}  // namespace vexa::platform
