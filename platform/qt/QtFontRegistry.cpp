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

// The registries of the process, for RegisterPending (the programs have one, on the GUI thread).
std::vector<QtFontRegistry*>& Registries() {
  static std::vector<QtFontRegistry*> registries;
  return registries;
}

// TrueType, OpenType and collection files start with one of these four tags.
bool LooksLikeFont(std::string_view head) {
  return head.size() == 4 && (head == std::string_view("\0\1\0\0", 4) || head == "OTTO" || head == "true" ||
                              head == "ttcf" || head == "typ1");
}

}  // namespace

QtFontRegistry::QtFontRegistry(FileSystem& files) : files_(files) { Registries().push_back(this); }

QtFontRegistry::~QtFontRegistry() {
  auto& registries = Registries();
  registries.erase(std::remove(registries.begin(), registries.end(), this), registries.end());
  for (const auto& [key, font] : fonts_) {
    if (font.id >= 0) QFontDatabase::removeApplicationFont(font.id);
  }
}

bool QtFontRegistry::Add(std::u16string_view devicePath) {
  const std::u16string key = Key(devicePath);
  if (auto it = fonts_.find(key); it != fonts_.end()) {
    ++it->second.count;
    return true;
  }
  const std::optional<std::string> head = files_.ReadFile(devicePath, 4);
  if (!head || !LooksLikeFont(*head)) return false;
  fonts_[key] = Registered{-1, 1, std::u16string(devicePath)};
  return true;
}

bool QtFontRegistry::RegisterPending() {
  bool any = false;
  for (QtFontRegistry* registry : Registries()) any = registry->RegisterPendingHere() || any;
  return any;
}

bool QtFontRegistry::RegisterPendingHere() {
  bool any = false;
  for (auto it = fonts_.begin(); it != fonts_.end();) {
    Registered& font = it->second;
    if (font.id >= 0) {
      ++it;
      continue;
    }
    // A font on the host's disk is registered by its path: the font engine maps the glyphs it needs
    // from the file, so a 4.5 MB face is neither read whole nor copied in memory.
    int id = -1;
    if (const auto host = files_.HostPath(font.path);
        host && files_.Exists(font.path) && !files_.IsDirectory(font.path)) {
      id = QFontDatabase::addApplicationFont(QString::fromStdString(*host));
    } else if (const std::optional<std::string> bytes = files_.ReadFile(font.path, kMaxFontBytes);
               bytes && !bytes->empty()) {
      id = QFontDatabase::addApplicationFontFromData(
          QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
    }
    if (id < 0) {
      // Not a font after all: forgotten, as a file that cannot be registered is.
      it = fonts_.erase(it);
      continue;
    }
    font.id = id;
    any = true;
    ++it;
  }
  if (any) QtTextRenderer::FontsChanged();
  return any;
}

bool QtFontRegistry::Remove(std::u16string_view devicePath) {
  const auto it = fonts_.find(Key(devicePath));
  if (it == fonts_.end()) return false;
  if (--it->second.count > 0) return true;
  if (it->second.id >= 0) {
    QFontDatabase::removeApplicationFont(it->second.id);
    QtTextRenderer::FontsChanged();
  }
  fonts_.erase(it);
  return true;
}

std::vector<std::u16string> QtFontRegistry::Families() {
  RegisterPending();
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
