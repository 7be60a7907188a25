#include "platform/qt/QtFontRegistry.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>

#include "common/text/Text.h"
#include "platform/qt/QtTextRenderer.h"

namespace vexa::platform {

namespace {

// Font files of a few MB are common (Korean fonts carry thousands of glyphs); this bounds a mistaken
// path to something that is not a font.
constexpr std::size_t kMaxFontBytes = 64u << 20;

std::u16string Key(std::u16string_view path) {
  std::u16string key(path);
  for (char16_t& c : key) c = text::FoldCase(c);
  return key;
}

}  // namespace

QtFontRegistry::~QtFontRegistry() {
  for (const auto& [key, font] : fonts_) QFontDatabase::removeApplicationFont(font.id);
}

bool QtFontRegistry::Add(std::u16string_view devicePath) {
  const std::u16string key = Key(devicePath);
  if (auto it = fonts_.find(key); it != fonts_.end()) {
    ++it->second.count;
    return true;
  }
  // A font on the host's disk is registered by its path: the font engine maps the glyphs it needs from
  // the file, so a 4.5 MB face costs no read at start-up and no copy in memory.
  int id = -1;
  if (const auto host = files_.HostPath(devicePath); host && files_.Exists(devicePath) && !files_.IsDirectory(devicePath)) {
    id = QFontDatabase::addApplicationFont(QString::fromStdString(*host));
  } else if (const std::optional<std::string> bytes = files_.ReadFile(devicePath, kMaxFontBytes);
             bytes && !bytes->empty()) {
    id = QFontDatabase::addApplicationFontFromData(QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
  }
  if (id < 0) return false;
  fonts_[key] = Registered{id, 1};
  QtTextRenderer::FontsChanged();
  return true;
}

bool QtFontRegistry::Remove(std::u16string_view devicePath) {
  const auto it = fonts_.find(Key(devicePath));
  if (it == fonts_.end()) return false;
  if (--it->second.count > 0) return true;
  QFontDatabase::removeApplicationFont(it->second.id);
  fonts_.erase(it);
  QtTextRenderer::FontsChanged();
  return true;
}

std::vector<std::u16string> QtFontRegistry::Families() {
  std::vector<std::u16string> families;
  for (const QString& family : QFontDatabase::families()) {
    families.emplace_back(reinterpret_cast<const char16_t*>(family.utf16()), static_cast<std::size_t>(family.size()));
  }
  std::sort(families.begin(), families.end(), [](const std::u16string& a, const std::u16string& b) {
    const int c = text::CompareNoCase(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  families.erase(std::unique(families.begin(), families.end()), families.end());
  return families;
}

}  // namespace vexa::platform
