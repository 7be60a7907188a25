#include "common/ProfileStore.h"

#include <algorithm>
#include <array>
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
  pool_.clear();  // its room is kept, as the indexes keep theirs: a store is usually read again alike
  released_ = 0;
  sections_.clear();
  entries_.clear();
  removed_ = 0;
  sectionIndex_.Clear();
  entryIndex_.Clear();
}

ProfileStore::Span ProfileStore::Keep(std::u16string_view text) {
  // Places in the pool are 32-bit; a store that large has run out of memory in all but name.
  if (pool_.size() + text.size() > UINT32_MAX) throw std::bad_alloc();
  const Span span{static_cast<std::uint32_t>(pool_.size()), static_cast<std::uint32_t>(text.size())};
  pool_ += text;
  return span;
}

void ProfileStore::Release(Span span) {
  released_ += span.size;
  if (released_ < 4096 || released_ * 2 < pool_.size()) return;
  // Most of the pool is text that was replaced or removed: copy what is still used into a new one.
  std::u16string pool;
  pool.reserve(pool_.size() - released_);
  auto move = [&](Span& piece) {
    const Span moved{static_cast<std::uint32_t>(pool.size()), piece.size};
    pool += View(piece);
    piece = moved;
  };
  for (Span& section : sections_) move(section);
  for (Entry& entry : entries_) {
    if (entry.section == Entry::kRemoved) continue;
    move(entry.key);
    move(entry.value);
  }
  pool_ = std::move(pool);
  released_ = 0;
}

bool ProfileStore::SameContent(const ProfileStore& other) const {
  if (EntryCount() != other.EntryCount()) return false;
  std::size_t j = 0;
  for (const Entry& entry : entries_) {
    if (entry.section == Entry::kRemoved) continue;
    while (other.entries_[j].section == Entry::kRemoved) ++j;
    const Entry& theirs = other.entries_[j++];
    if (View(sections_[entry.section]) != other.View(other.sections_[theirs.section]) ||
        View(entry.key) != other.View(theirs.key) || View(entry.value) != other.View(theirs.value)) {
      return false;
    }
  }
  return true;
}

void ProfileStore::GetSectionNames(std::vector<std::u16string>& names) const {
  names.clear();
  names.reserve(sections_.size());
  for (const Span section : sections_) names.emplace_back(View(section));
}

void ProfileStore::GetKeyNames(std::u16string_view section, std::vector<std::u16string>& keys) const {
  keys.clear();
  const auto id = FindSection(section);
  if (id == FoldedIndex::kNone) return;
  for (const Entry& entry : entries_) {
    if (entry.section == id) keys.emplace_back(View(entry.key));
  }
}

std::uint32_t ProfileStore::FindSection(std::u16string_view section) const {
  return sectionIndex_.Find(FoldedIndex::Hash(section),
                            [&](std::uint32_t id) { return text::EqualsNoCase(View(sections_[id]), section); });
}

std::uint32_t ProfileStore::SectionOf(std::u16string_view section, std::uint32_t hash) {
  const auto next = static_cast<std::uint32_t>(sections_.size());
  const std::uint32_t id = sectionIndex_.FindOrInsert(
      hash, next, [&](std::uint32_t s) { return text::EqualsNoCase(View(sections_[s]), section); });
  if (id == next) sections_.push_back(Keep(section));
  return id;
}

std::uint32_t ProfileStore::FindEntry(std::uint32_t section, std::u16string_view key) const {
  if (section == FoldedIndex::kNone) return FoldedIndex::kNone;
  return entryIndex_.Find(FoldedIndex::Hash(key, section), [&](std::uint32_t id) {
    return entries_[id].section == section && text::EqualsNoCase(View(entries_[id].key), key);
  });
}

void ProfileStore::Set(std::uint32_t section, std::uint32_t hash, std::u16string_view key,
                       std::u16string_view value) {
  const auto next = static_cast<std::uint32_t>(entries_.size());
  const std::uint32_t id = entryIndex_.FindOrInsert(hash, next, [&](std::uint32_t e) {
    return entries_[e].section == section && text::EqualsNoCase(View(entries_[e].key), key);
  });
  if (id != next) {
    Span& old = entries_[id].value;
    if (value.size() <= old.size) {
      // A value no longer than the one it replaces takes its place.
      std::copy(value.begin(), value.end(), pool_.begin() + old.at);
      released_ += old.size - value.size();
      old.size = static_cast<std::uint32_t>(value.size());
      return;
    }
    const Span replaced = old;
    old = Keep(value);
    Release(replaced);
    return;
  }
  const Span keySpan = Keep(key);
  entries_.push_back({section, keySpan, Keep(value)});
}

void ProfileStore::Compact() {
  if (removed_ < 64 || removed_ * 2 < entries_.size()) return;
  std::erase_if(entries_, [](const Entry& entry) { return entry.section == Entry::kRemoved; });
  removed_ = 0;
  entryIndex_.Clear();
  for (std::uint32_t id = 0; id < entries_.size(); ++id) {
    entryIndex_.Insert(FoldedIndex::Hash(View(entries_[id].key), entries_[id].section), id);
  }
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
    // A code page's text has no more characters than bytes. Room kept from a much larger file is
    // given back.
    if (pool_.capacity() > 2 * content.size() + 65536) std::u16string().swap(pool_);
    pool_.reserve(content.size());
    // Key lines are stored a few at a time: the index slots of a batch's sections are loaded while
    // the next lines are split, and those of its entries while the sections are found, rather than
    // waited for one line at a time. Large files have indexes larger than the processor's caches.
    struct Line {
      std::uint32_t nameAt;  // the section's name in `names`
      std::uint32_t nameSize;
      std::uint32_t sectionHash;
      std::uint32_t section;
      std::uint32_t hash;
      std::u16string_view key;
      std::u16string_view value;
    };
    std::array<Line, 16> batch;
    std::size_t batched = 0;
    std::u16string names;
    auto storeBatch = [&] {
      for (std::size_t i = 0; i < batched; ++i) {
        Line& line = batch[i];
        if (i > 0 && line.nameAt == batch[i - 1].nameAt) {
          line.section = batch[i - 1].section;
        } else {
          line.section =
              SectionOf(std::u16string_view(names).substr(line.nameAt, line.nameSize), line.sectionHash);
        }
        line.hash = FoldedIndex::Hash(line.key, line.section);
        entryIndex_.Prefetch(line.hash);
      }
      for (std::size_t i = 0; i < batched; ++i) Set(batch[i].section, batch[i].hash, batch[i].key, batch[i].value);
      batched = 0;
      names.clear();
    };
    auto entry = [&](std::u16string_view name, std::u16string_view key, std::u16string_view value) {
      Line line;
      const Line* previous = batched > 0 ? &batch[batched - 1] : nullptr;
      if (previous != nullptr && std::u16string_view(names).substr(previous->nameAt, previous->nameSize) == name) {
        line.nameAt = previous->nameAt;
        line.nameSize = previous->nameSize;
        line.sectionHash = previous->sectionHash;
      } else {
        line.nameAt = static_cast<std::uint32_t>(names.size());
        line.nameSize = static_cast<std::uint32_t>(name.size());
        names += name;
        line.sectionHash = FoldedIndex::Hash(name);
        sectionIndex_.Prefetch(line.sectionHash);
      }
      line.key = key;
      // A "Text" value keeps its blanks: captions may be padded on purpose.
      line.value = text::EqualsNoCase(key, u"Text") ? value : text::TrimView(value);
      batch[batched++] = line;
      if (batched == batch.size()) storeBatch();
    };
    // The text is decoded a piece at a time; the batch refers to its piece and is stored before the next.
    text::DeviceTextPieces pieces(content, platform_.locale.AnsiCodePage());
    std::u16string piece;
    std::u16string current;
    while (pieces.Next(piece)) {
      ForEachIniEntry(piece, current, entry);
      storeBatch();
    }
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  return true;
}

bool ProfileStore::Save(platform::WindowHandle owner, std::u16string_view path) {
  if (EntryCount() == 0) return false;
  const auto bytes =
      text::EncodeDeviceText(FormatIniText(
                                 sections_.size(), [&](std::size_t s) { return View(sections_[s]); },
                                 entries_.size(),
                                 [&](std::size_t i) {
                                   const Entry& e = entries_[i];
                                   return IniLine{e.section, View(e.key), View(e.value)};
                                 }),
                             platform_.locale.AnsiCodePage());
  if (!platform_.files.WriteWholeFile(path, bytes)) {
    ShowOpenError(owner, path, true);
    return false;
  }
  return true;
}

std::u16string ProfileStore::GetString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue) const {
  const std::uint32_t id = FindEntry(FindSection(section), key);
  return std::u16string(id != FoldedIndex::kNone ? View(entries_[id].value) : defaultValue);
}

std::int32_t ProfileStore::GetInt(std::u16string_view section, std::u16string_view key,
                                  std::int32_t defaultValue) const {
  const std::uint32_t id = FindEntry(FindSection(section), key);
  if (id == FoldedIndex::kNone || entries_[id].value.size == 0) return defaultValue;
  return text::ParseInt(View(entries_[id].value));
}

void ProfileStore::SetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view value) {
  const std::uint32_t s = SectionOf(section, FoldedIndex::Hash(section));
  Set(s, FoldedIndex::Hash(key, s), key, value);
}

void ProfileStore::SetInt(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  SetString(section, key, text::FromInt(value));
}

void ProfileStore::DeleteKey(std::u16string_view section, std::u16string_view key) {
  const std::uint32_t s = FindSection(section);
  const std::uint32_t id = FindEntry(s, key);
  if (id == FoldedIndex::kNone) return;
  entryIndex_.Erase(FoldedIndex::Hash(key, s), id);
  const Entry removed = entries_[id];
  entries_[id] = Entry{};
  ++removed_;
  Release(removed.key);
  Release(removed.value);
  Compact();
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
