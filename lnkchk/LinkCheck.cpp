#include "lnkchk/LinkCheck.h"

#include <algorithm>

#include "common/Launcher.h"
#include "common/text/CodePage.h"
#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa::lnkchk {

namespace {

struct Group {
  std::u16string_view folder;
  std::u16string_view prefix;
};
constexpr Group kGroups[] = {
    {u"\\Programs", u"...\\Programs"},
    {u"\\Games", u"...\\Games"},
    {u"\\System", u"...\\System"},
};

// Bytes of a shortcut file that are looked at; a shortcut is a short line of text.
constexpr std::size_t kShortcutBytes = 511;

// "%3d": right-aligned in three places, wider numbers as they are.
std::u16string Number(int n) {
  std::u16string digits = text::FromInt(n);
  while (digits.size() < 3) digits.insert(digits.begin(), u' ');
  return digits;
}

std::u16string_view WithoutLineEnd(std::u16string_view text) {
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<ShortcutRow> ListShortcuts(platform::FileSystem& files, std::u16string_view homeFolder) {
  std::vector<ShortcutRow> rows;
  int number = 1;
  for (const auto& group : kGroups) {
    const std::u16string folder = std::u16string(homeFolder) + std::u16string(group.folder);
    for (const auto& entry : files.Find(folder + u"\\*.lnk")) {
      if (entry.directory) continue;
      rows.push_back({Number(number) + u" | \\" + std::u16string(group.prefix) + u"\\" + entry.name,
                      folder + u"\\" + entry.name});
      ++number;
    }
  }
  return rows;
}

std::u16string_view MarkOf(LinkStatus status) {
  switch (status) {
    case LinkStatus::kGood: return u"  [정상]";
    case LinkStatus::kConvertible: return u"  [변환가능]";
    case LinkStatus::kConverted: return u"  [변환완료]";
    case LinkStatus::kConvertFailed: return u"  [변환실패]";
    case LinkStatus::kMissing: return u"  [파일없음]";
    case LinkStatus::kUnreadable: return u"  [확인실패]";
    case LinkStatus::kUnchanged: break;
  }
  return {};
}

bool IsSettled(std::u16string_view shownText) {
  return shownText.find(u"[정상]") != std::u16string_view::npos ||
         shownText.find(u"[변환완료]") != std::u16string_view::npos;
}

std::u16string Reroot(std::u16string_view path, std::u16string_view root) {
  const auto first = path.find(u'\\');
  if (first == std::u16string_view::npos) return std::u16string(path);
  const auto next = path.find(u'\\', first + 1);
  if (next == std::u16string_view::npos) return std::u16string(path);
  return std::u16string(path.substr(0, first)) + std::u16string(root) + std::u16string(path.substr(next));
}

ShortcutTarget FindTarget(std::u16string_view text, const std::function<bool(std::u16string_view)>& isProgram) {
  const std::u16string_view body = WithoutLineEnd(text);
  ShortcutTarget result;
  result.target = ParseShortcut(body, isProgram).target;
  const auto hash = body.find(u'#');
  const auto quoted = body.find(u"#\"");
  if (quoted != std::u16string_view::npos && quoted >= 1) {
    result.at = std::min(hash + 2, body.size());
  } else {
    result.at = hash == std::u16string_view::npos ? 0 : hash + 1;
  }
  return result;
}

std::u16string ConvertShortcut(std::u16string_view text, const ShortcutTarget& target, std::u16string_view root) {
  const std::u16string_view body = WithoutLineEnd(text);
  const std::u16string_view lineEnd = text.substr(body.size());
  const std::size_t end = std::min(body.size(), target.at + target.target.size());
  std::u16string converted = std::u16string(body.substr(0, target.at)) + Reroot(target.target, root) +
                             std::u16string(body.substr(end));
  // "20#..." : the count is the length of what follows "#". A count that is no number is kept.
  const auto hash = converted.find(u'#');
  if (hash != std::u16string::npos && hash < target.at) {
    const std::u16string_view count = text::TrimView(std::u16string_view(converted).substr(0, hash));
    const bool isNumber = !count.empty() && std::all_of(count.begin(), count.end(),
                                                        [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (isNumber) {
      const auto length = static_cast<std::int64_t>(converted.size() - hash - 1);
      converted = text::FromInt(length) + converted.substr(hash);
    }
  }
  return converted + std::u16string(lineEnd);
}

LinkStatus CheckShortcut(platform::FileSystem& files, platform::Locale& locale, std::u16string_view path,
                         std::u16string_view root, bool convert) {
  auto bytes = files.ReadFile(path, kShortcutBytes + 1);
  if (!bytes || files.IsDirectory(path)) return LinkStatus::kUnreadable;
  if (bytes->empty()) return LinkStatus::kUnchanged;
  // Only the first bytes are looked at, as Launch looks at them; a longer file is never rewritten,
  // since writing the converted text alone would cut off the rest.
  const bool longer = bytes->size() > kShortcutBytes;
  bytes->resize(std::min(bytes->size(), kShortcutBytes));
  // A zero byte ends the text, as it ends the command Launch reads.
  const std::string_view content(bytes->data(), std::min(bytes->size(), bytes->find('\0')));
  const std::u16string text = text::DecodeDeviceText(content, locale.AnsiCodePage());

  auto isFile = [&files](std::u16string_view candidate) {
    return files.Exists(candidate) && !files.IsDirectory(candidate);
  };
  // A target with blanks and arguments ends where a program file exists, here or on this storage.
  const ShortcutTarget target = FindTarget(text, [&](std::u16string_view candidate) {
    return isFile(candidate) || isFile(Reroot(candidate, root));
  });
  if (!target.target.empty() && files.Exists(target.target)) return LinkStatus::kGood;
  const std::u16string moved = Reroot(target.target, root);
  if (moved.empty() || !files.Exists(moved)) return LinkStatus::kMissing;
  if (!convert) return LinkStatus::kConvertible;
  if (longer) return LinkStatus::kConvertFailed;

  const std::uint16_t codePage = root == u"\\Storage Card" ? locale.AnsiCodePage() : text::kCodePageKorean;
  const std::string written = text::EncodeDeviceText(ConvertShortcut(text, target, root), codePage);
  // The whole shortcut in one piece: an interrupted write leaves the old one whole.
  if (!files.WriteWholeFile(path, written)) return LinkStatus::kConvertFailed;
  return LinkStatus::kConverted;
}

ShortcutChecker::ShortcutChecker(platform::FileSystem& files, platform::Locale& locale, std::u16string root,
                                 std::u16string home)
    : files_(files), locale_(locale), root_(std::move(root)), rows_(ListShortcuts(files, home)) {
  for (const auto& row : rows_) shown_.push_back(row.base);
}

void ShortcutChecker::Pass(bool convert, const std::function<void(int row, std::u16string_view text)>& changed) {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (IsSettled(shown_[i])) continue;
    const LinkStatus status = CheckShortcut(files_, locale_, rows_[i].path, root_, convert);
    if (status == LinkStatus::kUnchanged) continue;
    shown_[i] = rows_[i].base + std::u16string(MarkOf(status));
    if (changed) changed(static_cast<int>(i), shown_[i]);
  }
}

}  // namespace vexa::lnkchk
