#include "common/ToolbarProfileStore.h"

#include <algorithm>
#include <new>

#include "common/ProfileStore.h"
#include "common/text/CodePage.h"
#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa {

ToolbarProfileStore::ToolbarProfileStore(platform::Platform& platform, platform::WindowHandle owner)
    : platform_(platform),
      owner_(owner),
      paths_(platform.shell, platform.modulePath, Flavor::kToolbar),
      launcher_(platform, paths_, LaunchTexts::For(Flavor::kToolbar, true), /*passesArguments=*/false) {}

std::uint16_t ToolbarProfileStore::CodePage() const {
  return paths_.GetPath(PATH_STORAGE_ROOT) == u"\\Storage Card" ? platform_.locale.AnsiCodePage()
                                                                 : text::kCodePageKorean;
}

void ToolbarProfileStore::Clear() {
  sections_.clear();
  entries_.clear();
}

std::uint32_t ToolbarProfileStore::FindSection(std::u16string_view section) const {
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (text::EqualsNoCase(sections_[s], section)) return static_cast<std::uint32_t>(s);
  }
  return Entry::kRemoved;
}

ToolbarProfileStore::Entry* ToolbarProfileStore::Find(std::u16string_view section, std::u16string_view key) {
  const std::uint32_t s = FindSection(section);
  if (s == Entry::kRemoved) return nullptr;
  for (auto& entry : entries_) {
    if (entry.section == s && text::EqualsNoCase(entry.key, key)) return &entry;
  }
  return nullptr;
}

const ToolbarProfileStore::Entry* ToolbarProfileStore::Find(std::u16string_view section,
                                                            std::u16string_view key) const {
  return const_cast<ToolbarProfileStore*>(this)->Find(section, key);
}

void ToolbarProfileStore::Append(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view value) {
  if (entries_.size() >= kMaxEntries) return;
  std::uint32_t s = FindSection(section);
  if (s == Entry::kRemoved) {
    if (sections_.size() >= kMaxSections) return;
    s = static_cast<std::uint32_t>(sections_.size());
    sections_.emplace_back(section);
  }
  entries_.push_back({s, std::u16string(key), std::u16string(value)});
}

// [Button1]
// Path = %STORAGE%\Navi\navi.exe
bool ToolbarProfileStore::Read(std::u16string_view path) {
  Clear();
  try {
    const auto bytes = platform_.files.ReadWholeFile(path, kMaxIniFileBytes);
    if (!bytes) {
      ShowOpenError(path);
      return false;
    }
    ForEachIniEntry(text::DecodeDeviceText(UpToFirstZero(*bytes), CodePage()),
                    [this](std::u16string_view section, std::u16string_view key, std::u16string_view value) {
                      Append(section, key, paths_.ExpandStorage(text::TrimView(value)));
                    });
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  return true;
}

bool ToolbarProfileStore::Save(std::u16string_view path) {
  if (entries_.empty()) return false;
  const auto text = FormatIniText(sections_, entries_);
  if (!platform_.files.WriteWholeFile(path, text::EncodeDeviceText(text, CodePage()))) {
    ShowOpenError(path);
    return false;
  }
  return true;
}

std::u16string ToolbarProfileStore::GetString(std::u16string_view section, std::u16string_view key,
                                              std::u16string_view defaultValue) const {
  const Entry* entry = Find(section, key);
  return std::u16string(entry ? std::u16string_view(entry->value) : defaultValue);
}

std::int32_t ToolbarProfileStore::GetInt(std::u16string_view section, std::u16string_view key,
                                         std::int32_t defaultValue) const {
  const Entry* entry = Find(section, key);
  if (entry == nullptr || entry->value.empty()) return defaultValue;
  return text::ParseInt(entry->value);
}

void ToolbarProfileStore::SetString(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view value) {
  if (Entry* entry = Find(section, key)) {
    entry->value = value;
    return;
  }
  Append(section, key, value);
}

void ToolbarProfileStore::SetInt(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  SetString(section, key, text::FromInt(value));
}

void ToolbarProfileStore::DeleteKey(std::u16string_view section, std::u16string_view key) {
  if (const Entry* entry = Find(section, key)) entries_.erase(entries_.begin() + (entry - entries_.data()));
}

void ToolbarProfileStore::ShowOpenError(std::u16string_view path) {
  platform::MessageBoxRequest box;
  box.owner = owner_;
  box.caption = u"에러";
  box.text = u"[" + std::u16string(FileNameOf(path)) + u"] 환경파일을 열수 없습니다.";
  box.icon = platform::MessageIcon::kInformation;
  platform_.messageBoxes.Show(box);
}

}  // namespace vexa
