#include "xrun/RegistryImport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/IniText.h"
#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa::xrun {

namespace {

using platform::RegistryRoot;

constexpr std::u16string_view kCaption = u"알림";
constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kInstallDir = u"%InstallDir%";
// The binary value buffer: longer data is skipped whole.
constexpr std::size_t kBinaryLimit = 1024;

// The roots a key line may name, tested in this order; the subkey starts one character after the
// name (the "\" there is dropped unexamined).
struct RootName {
  std::u16string_view name;
  RegistryRoot root;
};
constexpr std::array<RootName, 4> kRoots{{
    {u"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
    {u"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
    {u"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
    {u"HKEY_USERS", RegistryRoot::kUsers},
}};

void Inform(platform::Platform& platform, std::u16string text) {
  platform.messageBoxes.Show({.text = std::move(text),
                              .caption = std::u16string(kCaption),
                              .icon = platform::MessageIcon::kInformation});
}

std::u16string Bracketed(std::u16string_view path, std::u16string_view rest) {
  std::u16string text = u"[";
  text += path;
  text += u"] ";
  text += rest;
  return text;
}

// The first `count` characters of `s` (fewer when it is shorter) equal `prefix`, without regard to
// case. With a prefix shorter than `count` this holds only when `s` is exactly `prefix`.
bool HeadEqualsNoCase(std::u16string_view s, std::size_t count, std::u16string_view prefix) {
  return text::EqualsNoCase(s.substr(0, count), prefix);
}

// Trimmed, and one pair of enclosing double quotes removed. Nothing else is unescaped.
std::u16string_view Clean(std::u16string_view s) {
  s = text::TrimView(s);
  if (s.size() >= 2 && s.front() == u'"' && s.back() == u'"') s = s.substr(1, s.size() - 2);
  return s;
}

// "01,02,ff" -> 01 02 FF; every piece between commas is one byte, anything but two hex digits a 0.
// Nullopt when there would be more than the buffer holds.
std::optional<std::vector<std::uint8_t>> HexBytes(std::u16string_view collected) {
  std::vector<std::uint8_t> bytes;
  std::size_t at = 0;
  while (true) {
    const std::size_t comma = collected.find(u',', at);
    const std::u16string_view piece = text::TrimView(
        collected.substr(at, comma == std::u16string_view::npos ? std::u16string_view::npos : comma - at));
    if (bytes.size() == kBinaryLimit) return std::nullopt;
    std::uint8_t byte = 0;
    if (piece.size() == 2) {
      int value = 0;
      bool hex = true;
      for (const char16_t c : piece) {
        const char16_t lower = text::ToLower(c);
        if (lower >= u'0' && lower <= u'9') {
          value = value * 16 + (lower - u'0');
        } else if (lower >= u'a' && lower <= u'f') {
          value = value * 16 + (lower - u'a' + 10);
        } else {
          hex = false;
        }
      }
      if (hex) byte = static_cast<std::uint8_t>(value);
    }
    bytes.push_back(byte);
    // The appended "," ends the text with one more (empty) piece.
    if (comma == std::u16string_view::npos) break;
    at = comma + 1;
  }
  return bytes;
}

// "%InstallDir%" with the character before and the one after it replaced by the runner's folder:
// "\"%InstallDir%\"" becomes the bare folder. Only the first occurrence.
std::u16string ExpandInstallDir(std::u16string_view value, std::u16string_view programDir) {
  const std::size_t at = value.find(kInstallDir);
  if (at == std::u16string_view::npos) return std::u16string(value);
  std::u16string result(value.substr(0, at == 0 ? 0 : at - 1));
  result += programDir;
  const std::size_t after = at + kInstallDir.size() + 1;
  if (after < value.size()) result += value.substr(after);
  return result;
}

// The text as lines cut at CR LF only; what follows the last CR LF is not a line.
class Lines {
 public:
  explicit Lines(std::u16string_view text) : text_(text) {}

  std::optional<std::u16string_view> Next() {
    const std::size_t end = text_.find(kLineEnd, at_);
    if (end == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view line = text_.substr(at_, end - at_);
    at_ = end + kLineEnd.size();
    return line;
  }

 private:
  std::u16string_view text_;
  std::size_t at_ = 0;
};

// The key the values go to: opened by a key line, kept while the key lines name it again.
class CurrentKey {
 public:
  explicit CurrentKey(platform::Registry* registry) : registry_(registry) {}

  void Open(RegistryRoot root, std::u16string_view subkey) {
    if (root_ == root && subkey_ == subkey) return;  // the same key, letter case and all
    root_ = root;
    subkey_ = subkey;
    open_ = registry_ != nullptr && registry_->CreateKey(root, subkey_);
  }

  void SetString(std::u16string_view name, std::u16string_view value) {
    if (open_) registry_->SetString(*root_, subkey_, name, value);
  }
  void SetDword(std::u16string_view name, std::uint32_t value) {
    if (open_) registry_->SetDword(*root_, subkey_, name, value);
  }
  void SetBinary(std::u16string_view name, const std::vector<std::uint8_t>& bytes) {
    if (open_) registry_->SetBinary(*root_, subkey_, name, bytes);
  }
  // Values before the first key line have nowhere to go.
  bool Chosen() const { return root_.has_value(); }

 private:
  platform::Registry* registry_;
  std::optional<RegistryRoot> root_;
  std::u16string subkey_;
  bool open_ = false;
};

// [HKEY_LOCAL_MACHINE\Software\Vexa]
void KeyLine(std::u16string_view line, CurrentKey& key) {
  std::u16string_view name = line.substr(1);
  const std::size_t close = name.find(u']');
  name = close == std::u16string_view::npos ? std::u16string_view() : name.substr(0, close);
  for (const RootName& root : kRoots) {
    if (!text::StartsWithNoCase(name, root.name)) continue;
    const std::size_t start = root.name.size() + 1;
    key.Open(root.root, start < name.size() ? name.substr(start) : std::u16string_view());
    return;
  }
  // "[-HKEY_...]" (a deletion) or an unknown root: skipped, the current key stays.
}

// "Count"=dword:00000010
// "Data"=hex:
//   01,02,\   (continued)
//   ff
// "Path"="%InstallDir%"
void ValueLine(platform::Platform& platform, std::u16string_view line, Lines& lines, CurrentKey& key,
               std::u16string_view programDir) {
  const std::size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) return;
  const std::u16string_view rawName = line.substr(0, equals);
  const std::u16string_view rawValue = line.substr(equals + 1);
  constexpr std::size_t kPrefix = 6;

  if (HeadEqualsNoCase(rawValue, kPrefix, u"dword:")) {
    const std::int32_t number = text::ParseInt(rawValue.substr(kPrefix));
    if (key.Chosen()) key.SetDword(Clean(rawName), static_cast<std::uint32_t>(number));
    return;
  }
  if (HeadEqualsNoCase(rawValue, kPrefix, u"hex:")) {
    std::u16string collected;
    while (const std::optional<std::u16string_view> next = lines.Next()) {
      const std::u16string_view piece = text::TrimView(*next);
      if (!piece.empty() && piece.back() == u'\\') {
        collected += piece.substr(0, piece.size() - 1);
        continue;
      }
      collected += piece;
      break;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = HexBytes(collected);
    if (bytes && key.Chosen()) key.SetBinary(Clean(rawName), *bytes);
    return;
  }
  if (HeadEqualsNoCase(rawValue, kPrefix, u"multi:")) {
    std::u16string collected(text::TrimView(rawValue.substr(kPrefix)));
    while (!collected.empty() && collected.back() == u',') {
      const std::optional<std::u16string_view> next = lines.Next();
      if (!next) break;
      collected += text::TrimView(*next);
    }
    std::u16string message = u"[REG_MULTI_SZ]은 지원하지 않습니다.\r\n";
    message += rawName;
    message += u"=multi:";
    message += collected;
    Inform(platform, std::move(message));
    return;
  }
  const std::u16string value = ExpandInstallDir(rawValue, programDir);
  if (key.Chosen()) key.SetString(Clean(rawName), Clean(value));
}

}  // namespace

bool ImportRegistryFile(platform::Platform& platform, std::u16string_view path,
                        std::u16string_view programDir) {
  const std::unique_ptr<platform::File> file = platform.files.Open(path, platform::OpenMode::kRead);
  if (!file) {
    Inform(platform, Bracketed(path, u"파일을 열수 없습니다."));
    return false;
  }
  // The whole file, up to its first zero byte. A file too large for a text file of the device is
  // refused as unreadable before any of it is read.
  std::string bytes;
  const std::optional<std::uint64_t> size = file->Size();
  if (size && *size > 0 && *size <= kMaxIniFileBytes) {
    bytes.resize(static_cast<std::size_t>(*size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
      const std::optional<std::size_t> got =
          file->Read(std::as_writable_bytes(std::span(bytes.data() + filled, bytes.size() - filled)));
      if (!got || *got == 0) break;
      filled += *got;
    }
    bytes.resize(filled);
  }
  if (bytes.empty()) {
    Inform(platform, Bracketed(path, u"파일을 읽지 못했습니다."));
    return false;
  }
  if (const std::size_t zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
  bytes += "\r\n";
  const std::u16string text = text::DecodeDeviceText(bytes, platform.locale.AnsiCodePage());
  if (!HeadEqualsNoCase(text, 8, u"REGEDIT4")) {
    Inform(platform, Bracketed(path, u"파일은 레지스트리 형식이 아닙니다."));
    return false;
  }

  CurrentKey key(platform.registry);
  Lines lines(text);
  while (const std::optional<std::u16string_view> line = lines.Next()) {
    if (line->empty()) continue;
    if (line->front() == u'[') {
      KeyLine(*line, key);
    } else {
      ValueLine(platform, *line, lines, key, programDir);
    }
  }
  if (platform.registry != nullptr) platform.registry->Flush();
  return true;
}

}  // namespace vexa::xrun
