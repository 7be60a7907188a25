#include "xrun/SlotWriter.h"

#include <cstddef>
#include <cstring>

#include "xrun/RunnerSlots.h"

namespace vexa::xrun {

namespace {

// The scan stops this many bytes before the end of the image.
constexpr std::size_t kScanMargin = 30;

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

bool BytesAt(const std::string& image, std::size_t at, const std::string& pattern) {
  return at + pattern.size() <= image.size() &&
         std::memcmp(image.data() + at, pattern.data(), pattern.size()) == 0;
}

// The path up to its last "\", or the whole path when it has none.
std::u16string FolderOf(std::u16string_view path) {
  const auto slash = path.rfind(u'\\');
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(0, slash));
}

}  // namespace

std::u16string_view SlotWriteText(SlotWriteResult result) {
  switch (result) {
    case SlotWriteResult::kWritten:
      return u"";
    case SlotWriteResult::kNoAnchor:
      return u"설정을 저장할 곳을 찾지 못했습니다.";
    case SlotWriteResult::kNoStart:
      return u"설정을 저장할 곳의 시작을 찾지 못했습니다.";
    case SlotWriteResult::kNoEnd:
      return u"설정을 저장할 곳의 끝을 찾지 못했습니다.";
    case SlotWriteResult::kNoSpace:
      return u"설정을 저장할 공간이 부족합니다.";
  }
  return u"";
}

SlotWriteResult PatchSlot(std::string& image, int id, std::u16string_view text) {
  const std::size_t size = image.size();
  if (size <= kScanMargin) return SlotWriteResult::kNoAnchor;
  const std::string anchor = Utf16LeBytes(AnchorTag());
  const std::string marker = Utf16LeBytes(SlotMarker(id));
  if (marker.empty()) return SlotWriteResult::kNoStart;

  enum class Phase { kAnchor, kStart, kEnd };
  Phase phase = Phase::kAnchor;
  bool anchorFound = false;
  std::optional<std::size_t> start;
  std::optional<std::size_t> end;
  for (std::size_t p = 0; p < size - kScanMargin; ++p) {
    switch (phase) {
      case Phase::kAnchor:
        if (BytesAt(image, p, anchor)) {
          anchorFound = true;
          p += anchor.size();
          phase = Phase::kStart;
        }
        break;
      case Phase::kStart:
        if (BytesAt(image, p, marker)) {
          start = p + marker.size();
          p = *start;
          phase = Phase::kEnd;
        }
        break;
      case Phase::kEnd:
        // The last marker of the image closes the payload.
        if (BytesAt(image, p, marker)) end = p;
        break;
    }
  }
  if (!anchorFound) return SlotWriteResult::kNoAnchor;
  if (!start) return SlotWriteResult::kNoStart;
  if (!end) return SlotWriteResult::kNoEnd;

  const std::size_t space = *end - *start;
  const std::string bytes = Utf16LeBytes(text);
  if (!text.empty() && bytes.size() >= space) return SlotWriteResult::kNoSpace;
  for (std::size_t unit = 0; unit + 1 < space; unit += 2) {
    image[*start + unit] = ' ';
    image[*start + unit + 1] = '\0';
  }
  std::memcpy(image.data() + *start, bytes.data(), bytes.size());
  return SlotWriteResult::kWritten;
}

bool WriteSlot(platform::Platform& platform, platform::WindowHandle owner, std::string& image, int id,
               std::u16string_view text) {
  const SlotWriteResult result = PatchSlot(image, id, text);
  if (result == SlotWriteResult::kWritten) return true;
  ShowRunnerError(platform, owner, std::u16string(SlotWriteText(result)));
  return false;
}

std::optional<std::string> LoadTarget(platform::Platform& platform, platform::WindowHandle owner,
                                      std::u16string_view path) {
  auto image = platform.files.ReadFile(path);
  if (!image) ShowRunnerError(platform, owner, u"[" + FolderOf(path) + u"] 파일을 열수 없습니다.");
  return image;
}

bool SaveTarget(platform::Platform& platform, platform::WindowHandle owner, std::u16string_view path,
                std::string_view image) {
  // The file system's whole-file save writes beside the file and renames over it, with the old
  // file's permission bits: a failure at any point leaves the old program whole and executable.
  if (platform.files.WriteWholeFile(path, image)) return true;
  ShowRunnerError(platform, owner, u"[" + FolderOf(path) + u"] 파일을 생성할수 없습니다.");
  return false;
}

void ShowRunnerError(platform::Platform& platform, platform::WindowHandle owner, std::u16string text) {
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.text = std::move(text);
  box.caption = u"에러";
  box.icon = platform::MessageIcon::kStop;
  platform.messageBoxes.Show(box);
}

}  // namespace vexa::xrun
