#include "deck/media/ShortcutListModel.h"

#include <array>

#include "common/text/Format.h"
#include "common/text/Text.h"

namespace vexa::deck {

namespace {

// Indexed by ShortcutKind.
constexpr std::array<ShortcutKindInfo, 4> kKinds = {{
    {u"System", FolderKey::kSystem, u"*.lnk", u".lnk"},
    {u"Game", FolderKey::kGame, u"*.lnk", u".lnk"},
    {u"Applicaion", FolderKey::kApplication, u"*.lnk", u".lnk"},
    {u"Flash", FolderKey::kFlash, u"*.swf", u".swf"},
}};

}  // namespace

const ShortcutKindInfo& InfoFor(ShortcutKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < kKinds.size() ? kKinds[index] : kKinds[0];
}

std::u16string LabelOf(std::u16string_view name) {
  const auto dot = name.rfind(u'.');
  return std::u16string(dot == std::u16string_view::npos ? name : name.substr(0, dot));
}

void ShortcutListModel::Fill(platform::FileSystem& files, std::u16string_view folder, std::u16string_view pattern) {
  std::u16string search(folder);
  search += u'\\';
  search += pattern;
  for (auto& entry : files.Find(search)) {
    if (entry.directory) continue;
    if (!Insert(std::move(entry.name))) break;
  }
}

std::optional<std::size_t> ShortcutListModel::Insert(std::u16string name) {
  if (entries_.size() >= kMaxNames) return std::nullopt;
  std::size_t at = 0;
  while (at < entries_.size() && text::CompareNoCase(entries_[at].name, name) <= 0) ++at;
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), Entry{std::move(name), false});
  return at;
}

std::u16string ShortcutListModel::PageLabel() const {
  return text::Format(u"-%d-", {std::int64_t{page_} + 1});
}

bool ShortcutListModel::Prev() {
  if (page_ <= 0) return false;
  --page_;
  return true;
}

bool ShortcutListModel::Next() {
  if (entries_.size() <= static_cast<std::size_t>(page_ + 1) * kPageSize) return false;
  ++page_;
  return true;
}

void ShortcutListModel::ShowPageOf(std::size_t index) {
  if (index < entries_.size()) page_ = static_cast<int>(index / kPageSize);
}

std::optional<std::size_t> ShortcutListModel::IndexOf(int slot) const {
  if (slot < 0 || slot >= kPageSize) return std::nullopt;
  const auto index = static_cast<std::size_t>(page_) * kPageSize + static_cast<std::size_t>(slot);
  if (index >= entries_.size()) return std::nullopt;
  return index;
}

std::u16string ShortcutListModel::Label(int slot) const {
  const auto index = IndexOf(slot);
  if (!index) return {};
  const auto& entry = entries_[*index];
  return entry.deleted ? std::u16string(kDeletedLabel) : LabelOf(entry.name);
}

void ShortcutListModel::MarkDeleted(int slot) {
  if (const auto index = IndexOf(slot)) entries_[*index].deleted = true;
}

}  // namespace vexa::deck
