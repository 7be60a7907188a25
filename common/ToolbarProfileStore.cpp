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

ToolbarProfileStore::Entry* ToolbarProfileStore::Find(std::u16string_view section, std::u16string_view key) {
  for (auto& entry : entries_) {
    if (text::EqualsNoCase(entry.section, section) && text::EqualsNoCase(entry.key, key)) return &entry;
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
  const bool known = std::any_of(sections_.begin(), sections_.end(),
                                 [&](const std::u16string& s) { return text::EqualsNoCase(s, section); });
  if (!known) {
    if (sections_.size() >= kMaxSections) return;
    sections_.emplace_back(section);
  }
  entries_.push_back({std::u16string(section), std::u16string(key), std::u16string(value)});
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
  auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return text::EqualsNoCase(entry.section, section) && text::EqualsNoCase(entry.key, key);
  });
  if (found != entries_.end()) entries_.erase(found);
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
