#include "common/ProfileStore.h"

#include <algorithm>
#include <new>

#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa {

bool IsKoreanUi(platform::Locale& locale) {
  return locale.UserDefaultLangId() == platform::kLangKorean ||
         locale.SystemDefaultLangId() == platform::kLangKorean;
}

std::u16string_view FileNameOf(std::u16string_view path) {
  const auto slash = path.rfind(u'\\');
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

ProfileStore::ProfileStore(platform::Platform& platform)
    : platform_(platform), koreanUi_(IsKoreanUi(platform.locale)) {}

void ProfileStore::Clear() {
  sections_.clear();
  entries_.clear();
  index_.clear();
}

std::u16string ProfileStore::IndexKey(std::u16string_view section, std::u16string_view key) {
  std::u16string folded;
  folded.reserve(section.size() + key.size() + 1);
  for (char16_t c : section) folded += text::FoldCase(c);
  folded += u'\0';
  for (char16_t c : key) folded += text::FoldCase(c);
  return folded;
}

const ProfileStore::Entry* ProfileStore::Find(std::u16string_view section, std::u16string_view key) const {
  const auto found = index_.find(IndexKey(section, key));
  return found == index_.end() ? nullptr : &entries_[found->second];
}

bool ProfileStore::Read(platform::WindowHandle owner, std::u16string_view path) {
  Clear();
  try {
    const auto bytes = platform_.files.ReadWholeFile(path, kMaxIniFileBytes);
    if (!bytes) {
      ShowOpenError(owner, path, false);
      return false;
    }
    const std::string_view content = UpToFirstZero(*bytes);
    if (content.empty()) return true;
    ForEachIniEntry(text::DecodeDeviceText(content, platform_.locale.AnsiCodePage()),
                    [this](std::u16string_view section, std::u16string_view key, std::u16string_view value) {
                      // A "Text" value keeps its blanks: captions may be padded on purpose.
                      SetString(section, key, text::EqualsNoCase(key, u"Text") ? value : text::TrimView(value));
                    });
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  return true;
}

bool ProfileStore::Save(platform::WindowHandle owner, std::u16string_view path) {
  if (entries_.empty()) return false;
  const auto bytes =
      text::EncodeDeviceText(FormatIniText(sections_, entries_), platform_.locale.AnsiCodePage());
  if (!platform_.files.WriteWholeFile(path, bytes)) {
    ShowOpenError(owner, path, true);
    return false;
  }
  return true;
}

std::u16string ProfileStore::GetString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue) const {
  const Entry* entry = Find(section, key);
  return std::u16string(entry ? std::u16string_view(entry->value) : defaultValue);
}

std::int32_t ProfileStore::GetInt(std::u16string_view section, std::u16string_view key,
                                  std::int32_t defaultValue) const {
  const Entry* entry = Find(section, key);
  if (entry == nullptr || entry->value.empty()) return defaultValue;
  return text::ParseInt(entry->value);
}

void ProfileStore::SetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view value) {
  auto indexKey = IndexKey(section, key);
  if (const auto found = index_.find(indexKey); found != index_.end()) {
    entries_[found->second].value = value;
    return;
  }
  const bool known = std::any_of(sections_.begin(), sections_.end(),
                                 [&](const std::u16string& s) { return text::EqualsNoCase(s, section); });
  if (!known) sections_.emplace_back(section);
  index_.emplace(std::move(indexKey), entries_.size());
  entries_.push_back({std::u16string(section), std::u16string(key), std::u16string(value)});
}

void ProfileStore::SetInt(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  SetString(section, key, text::FromInt(value));
}

void ProfileStore::DeleteKey(std::u16string_view section, std::u16string_view key) {
  const auto found = index_.find(IndexKey(section, key));
  if (found == index_.end()) return;
  const std::size_t place = found->second;
  index_.erase(found);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(place));
  for (auto& [name, position] : index_) {
    if (position > place) --position;
  }
}

void ProfileStore::ShowOpenError(platform::WindowHandle owner, std::u16string_view path, bool saving) {
  const std::u16string name(FileNameOf(path));
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.icon = platform::MessageIcon::kInformation;
  if (koreanUi_) {
    box.caption = saving ? u"저장" : u"읽기";
    box.text = u"[" + name + (saving ? u"] 환경파일을 열 수 없습니다." : u"] 파일을 열 수 없습니다.");
  } else {
    box.caption = saving ? u"Save" : u"Read";
    box.text = u"[" + name + u"] file could not be opened.";
  }
  platform_.messageBoxes.Show(box);
}

}  // namespace vexa
