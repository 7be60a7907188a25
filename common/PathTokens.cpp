#include "common/PathTokens.h"

namespace vexa {

namespace {
constexpr std::u16string_view kStorageToken = u"%STORAGE%";
constexpr std::u16string_view kKoreanCardFolder = u"\\저장소 카드";
}  // namespace

std::u16string PathTokens::StorageRoot() const {
  // "\Storage Card\VexaDeck\VexaDeck.exe" gives "\Storage Card".
  const auto slash = modulePath_.find(u'\\', 1);
  if (modulePath_.empty() || slash == std::u16string::npos) return {};
  return modulePath_.substr(0, slash);
}

std::u16string PathTokens::WithExtension(std::u16string_view replacement) const {
  const auto dot = modulePath_.rfind(u'.');
  if (dot == std::u16string::npos) return {};
  return modulePath_.substr(0, dot) + std::u16string(replacement);
}

std::u16string PathTokens::GetPath(int code) const {
  if (code < 100) return shell_.SpecialFolder(code);
  auto underRoot = [this](std::u16string_view folder) {
    auto root = StorageRoot();
    return root.empty() ? root : root + std::u16string(folder);
  };
  switch (code) {
    case PATH_STORAGE_ROOT:
      return StorageRoot();
    case PATH_PROGRAM_DIR: {
      const auto slash = modulePath_.rfind(u'\\');
      return slash == std::u16string::npos ? std::u16string() : modulePath_.substr(0, slash);
    }
    case PATH_DATA_DIR:
      return underRoot(u"\\VexaDeck");
    case PATH_MUSIC_DIR:
      return underRoot(u"\\음악파일");
    case PATH_MOVIE_DIR:
      return underRoot(u"\\영화파일");
    case PATH_PICTURE_DIR:
      return underRoot(u"\\그림파일");
    case PATH_PROGRAM_FILE:
      // The toolbar's code 200 names its settings file beside the program.
      return flavor_ == Flavor::kToolbar ? WithExtension(u".ini") : modulePath_;
    case PATH_TMP_COPY:
      return flavor_ == Flavor::kToolbar ? std::u16string() : WithExtension(u"_tmp.exe");
    case PATH_INI_FILE:
      return flavor_ == Flavor::kToolbar ? std::u16string() : WithExtension(u".ini");
    default:
      return {};
  }
}

// "\%STORAGE%\Navi\navi.exe" gives "\Storage Card\Navi\navi.exe" on a card named Storage Card.
std::u16string PathTokens::ExpandStorage(std::u16string_view path) const {
  if (const auto token = path.find(kStorageToken); token != std::u16string_view::npos) {
    auto root = StorageRoot();
    std::u16string result(path.substr(0, token));
    if (!root.empty()) result += std::u16string_view(root).substr(1);
    result += path.substr(token + kStorageToken.size());
    return result;
  }
  const auto first = path.find(u'\\');
  if (first != std::u16string_view::npos) {
    const auto next = path.find(u'\\', first + 1);
    if (next != std::u16string_view::npos && path.substr(first, next - first) == kKoreanCardFolder) {
      return std::u16string(path.substr(0, first)) + StorageRoot() + std::u16string(path.substr(next));
    }
  }
  return std::u16string(path);
}

}  // namespace vexa
