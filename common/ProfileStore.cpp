#include "common/ProfileStore.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <optional>
#include <span>

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
  for (Section& section : sections_) move(section.name);
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
    if (View(sections_[entry.section].name) != other.View(other.sections_[theirs.section].name) ||
        View(entry.key) != other.View(theirs.key) || View(entry.value) != other.View(theirs.value)) {
      return false;
    }
  }
  return true;
}

void ProfileStore::GetSectionNames(std::vector<std::u16string>& names) const {
  names.clear();
  names.reserve(sections_.size());
  for (const Section& section : sections_) names.emplace_back(View(section.name));
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
  return sectionIndex_.Find(FoldedIndex::Hash(section), [&](std::uint32_t id) {
    return text::EqualsNoCase(View(sections_[id].name), section);
  });
}

std::uint32_t ProfileStore::SectionOf(std::u16string_view section, std::uint32_t hash) {
  const auto next = static_cast<std::uint32_t>(sections_.size());
  const std::uint32_t id = sectionIndex_.FindOrInsert(
      hash, next, [&](std::uint32_t s) { return text::EqualsNoCase(View(sections_[s].name), section); });
  if (id == next) sections_.push_back({Keep(section), hash});
  return id;
}

std::uint32_t ProfileStore::FindEntry(std::uint32_t section, std::u16string_view key) const {
  if (section == FoldedIndex::kNone) return FoldedIndex::kNone;
  return entryIndex_.Find(KeyHash(key, section), [&](std::uint32_t id) {
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
    entryIndex_.Insert(KeyHash(View(entries_[id].key), entries_[id].section), id);
  }
}

bool ProfileStore::Read(platform::WindowHandle owner, std::u16string_view path) {
  Clear();
  try {
    const auto fail = [&] {
      Clear();
      ShowOpenError(owner, path, false);
      return false;
    };
    const std::unique_ptr<platform::File> file = platform_.files.Open(path, platform::OpenMode::kRead);
    const std::optional<std::uint64_t> size = file ? file->Size() : std::nullopt;
    if (!size || *size > kMaxIniFileBytes) return fail();
    // The file is read, decoded and parsed a piece at a time, and its text is the pool: keys, values
    // and section names are pieces of the text as read, never copied again. A piece's bytes, its text
    // and its lines stay in the processor's cache from the read to the index. A code page's text (or
    // UTF-8) has no more characters than bytes, so the pool is made once; room kept from a much larger
    // file is given back.
    if (pool_.capacity() > 2 * *size + 65536) std::u16string().swap(pool_);
    pool_.reserve(static_cast<std::size_t>(*size));

    // Key lines are stored a few at a time: the index slots of a batch's sections and entries are
    // loaded while the next lines are split, rather than waited for one line at a time. Large files
    // have indexes larger than the processor's caches. A key's hash is seeded by its section's name,
    // so both are known as soon as the line is read.
    struct Line {
      Span section;  // its header's name
      std::uint32_t sectionHash;
      Span key;
      Span value;
      std::uint32_t hash;
    };
    std::array<Line, 16> batch;
    std::size_t batched = 0;
    std::size_t referenced = 0;  // characters of the pool that sections and entries refer to
    Span lastSection{UINT32_MAX, 0};
    std::uint32_t lastSectionId = 0;
    auto storeBatch = [&] {
      for (std::size_t i = 0; i < batched; ++i) {
        const Line& line = batch[i];
        if (line.section.at != lastSection.at) {
          const auto next = static_cast<std::uint32_t>(sections_.size());
          const std::u16string_view name = View(line.section);
          lastSectionId = sectionIndex_.FindOrInsert(line.sectionHash, next, [&](std::uint32_t s) {
            return text::EqualsNoCase(View(sections_[s].name), name);
          });
          if (lastSectionId == next) {
            sections_.push_back({line.section, line.sectionHash});
            referenced += line.section.size;
          }
          lastSection = line.section;
        }
        const std::uint32_t section = lastSectionId;
        const auto next = static_cast<std::uint32_t>(entries_.size());
        const std::u16string_view key = View(line.key);
        const std::uint32_t id = entryIndex_.FindOrInsert(line.hash, next, [&](std::uint32_t e) {
          return entries_[e].section == section && text::EqualsNoCase(View(entries_[e].key), key);
        });
        if (id != next) {
          // A key given again: the later value holds, as when it is set.
          referenced = referenced - entries_[id].value.size + line.value.size;
          entries_[id].value = line.value;
          continue;
        }
        entries_.push_back({section, line.key, line.value});
        referenced += line.key.size + line.value.size;
      }
      batched = 0;
    };
    const auto spanOf = [&](std::u16string_view piece) {
      if (piece.empty()) return Span{};
      return Span{static_cast<std::uint32_t>(piece.data() - pool_.data()),
                  static_cast<std::uint32_t>(piece.size())};
    };
    // The current header's name, in the pool, and its hash.
    Span section;
    std::uint32_t sectionHash = 0;
    auto entry = [&](std::u16string_view name, std::u16string_view key, std::u16string_view value) {
      const Span header = spanOf(name);
      if (header.at != section.at || header.size != section.size) {
        section = header;
        sectionHash = FoldedIndex::Hash(name);
        sectionIndex_.Prefetch(sectionHash);
      }
      // A "Text" value keeps its blanks: captions may be padded on purpose.
      if (!text::EqualsNoCase(key, u"Text")) value = text::TrimView(value);
      const std::uint32_t hash = FoldedIndex::Hash(key, sectionHash);
      entryIndex_.Prefetch(hash);
      batch[batched++] = {section, sectionHash, spanOf(key), spanOf(value), hash};
      if (batched == batch.size()) storeBatch();
    };
    // The header carried from one piece to the next, as a place in the pool while the pool may move.
    std::u16string_view header;

    constexpr std::size_t kPieceBytes = 64 * 1024;
    const std::uint16_t codePage = platform_.locale.AnsiCodePage();
    std::string bytes;  // read and not decoded yet: the start of a line whose end is still to come
    std::size_t total = 0;
    bool first = true;
    bool utf8 = false;
    for (bool end = false; !end;) {
      const std::size_t kept = bytes.size();
      // A small file is read in one piece of its size (and one byte more, to see its end); a line
      // longer than a piece makes the piece larger: it is decoded whole.
      // Past the size told (a file that grew, or one whose size is not known), whole pieces again.
      const std::size_t rest = total < *size ? static_cast<std::size_t>(*size) - total + 1 : kPieceBytes;
      const std::size_t want = std::max(kept + std::min(kPieceBytes, rest), 2 * kept);
      bytes.resize(want);
      std::size_t filled = kept;
      while (filled < want) {
        const auto count =
            file->Read(std::as_writable_bytes(std::span(bytes.data() + filled, want - filled)));
        if (!count) return fail();
        if (*count == 0) {
          end = true;
          break;
        }
        filled += *count;
      }
      total += filled - kept;
      // A file that grew past the limit while it was read is refused as well.
      if (total > kMaxIniFileBytes) return fail();
      std::string_view ready(bytes.data(), filled);
      // The text ends at the first zero byte.
      if (const auto zero = ready.find('\0', kept); zero != std::string_view::npos) {
        ready = ready.substr(0, zero);
        end = true;
      }
      std::size_t skip = 0;
      if (first) {
        first = false;
        utf8 = ready.starts_with(text::kUtf8ByteOrderMark);
        if (utf8) skip = text::kUtf8ByteOrderMark.size();
      }
      std::size_t cut = ready.size();
      if (!end) {
        const auto lineEnd = ready.rfind("\r\n");
        cut = lineEnd == std::string_view::npos || lineEnd + 2 <= skip ? skip : lineEnd + 2;
      }
      if (cut > skip) {
        const std::size_t at = pool_.size();
        const Span carried = spanOf(header);
        text::AppendDeviceText(ready.substr(skip, cut - skip), utf8, codePage, pool_);
        header = header.empty() ? std::u16string_view() : View(carried);
        ForEachIniEntry(std::u16string_view(pool_).substr(at), header, entry);
      }
      bytes.erase(0, cut);
      bytes.resize(end ? 0 : filled - cut);
    }
    storeBatch();
    released_ = pool_.size() - referenced;
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  return true;
}

bool ProfileStore::Save(platform::WindowHandle owner, std::u16string_view path) {
  if (EntryCount() == 0) return false;
  const auto bytes = text::EncodeDeviceText(
      FormatIniText(
          sections_.size(), [&](std::size_t s) { return View(sections_[s].name); }, entries_.size(),
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
  Set(s, KeyHash(key, s), key, value);
}

void ProfileStore::SetInt(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  SetString(section, key, text::FromInt(value));
}

void ProfileStore::DeleteKey(std::u16string_view section, std::u16string_view key) {
  const std::uint32_t s = FindSection(section);
  const std::uint32_t id = FindEntry(s, key);
  if (id == FoldedIndex::kNone) return;
  entryIndex_.Erase(KeyHash(key, s), id);
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
