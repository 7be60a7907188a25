#include "deck/media/MediaListModel.h"

#include <algorithm>
#include <array>

#include "common/Launcher.h"
#include "common/text/Text.h"

namespace vexa::deck {

namespace {

constexpr std::array<std::u16string_view, 1> kMusicExtensions = {u".mp3"};
constexpr std::array<std::u16string_view, 22> kMovieExtensions = {
    u".avi", u".mkv", u".mka", u".mp1", u".mp2", u".mp3", u".mp4", u".m4a", u".mpg", u".ogm", u".asf",
    u".wm",  u".wmv", u".wma", u".ogg", u".m3u", u".asx", u".wmx", u".wvx", u".wax", u".wav", u".divx"};

constexpr std::u16string_view kUp = u"..";

// A name the device could not hold: a path separator or a control character would make the walked
// path or the playlist line mean something else. Such names (possible on a host tree) are left out.
bool IsUsableName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == kUp) return false;
  return std::none_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20 || c == u'\\' || c == u'/'; });
}

platform::MessageBoxRequest Box(platform::WindowHandle owner, std::u16string text, std::u16string caption,
                                platform::MessageIcon icon) {
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.text = std::move(text);
  box.caption = std::move(caption);
  box.icon = icon;
  return box;
}

}  // namespace

bool IsMediaFile(MediaMode mode, std::u16string_view name) {
  const std::u16string lower = text::ToLower(name);
  const std::u16string_view view(lower);
  auto endsIn = [&](std::u16string_view extension) { return view.ends_with(extension); };
  if (mode == MediaMode::kMusic) return std::any_of(kMusicExtensions.begin(), kMusicExtensions.end(), endsIn);
  return std::any_of(kMovieExtensions.begin(), kMovieExtensions.end(), endsIn);
}

MediaListModel::MediaListModel(MediaMode mode, std::u16string_view folder) : mode_(mode), folder_(folder) {
  // "\Storage Card\Music\" and "\" name the same folders as without the backslash.
  while (!folder_.empty() && folder_.back() == u'\\') folder_.pop_back();
}

int MediaListModel::pageCount() const {
  const auto pages = (entries_.size() + kRowsPerPage - 1) / kRowsPerPage;
  return std::max(1, static_cast<int>(pages));
}

void MediaListModel::Fill(platform::FileSystem& files) {
  // "\Storage Card\음악파일\*.*"; the root lists "\*.*".
  const auto listing = files.Find(folder_ + u"\\*.*");
  FillFrom(listing);
}

void MediaListModel::FillFrom(std::span<const platform::FindEntry> listing) {
  entries_.clear();
  page_ = 0;
  if (!folder_.empty()) entries_.push_back({std::u16string(kUp), true, false});
  // Folders first, in the order the file system gives them, then the files of the mode.
  for (const auto& found : listing) {
    if (entries_.size() >= kMaxEntries) return;
    if (found.directory && IsUsableName(found.name)) entries_.push_back({found.name, true, false});
  }
  for (const auto& found : listing) {
    if (entries_.size() >= kMaxEntries) return;
    if (!found.directory && found.archive && IsUsableName(found.name) && IsMediaFile(mode_, found.name)) {
      entries_.push_back({found.name, false, true});
    }
  }
}

const MediaEntry* MediaListModel::RowEntry(int row) const {
  if (row < 0 || row >= kRowsPerPage) return nullptr;
  const auto index = static_cast<std::size_t>(page_) * kRowsPerPage + static_cast<std::size_t>(row);
  return index < entries_.size() ? &entries_[index] : nullptr;
}

void MediaListModel::TakeTicks(std::span<const bool> shown) {
  const auto rows = std::min<std::size_t>(shown.size(), kRowsPerPage);
  for (std::size_t row = 0; row < rows; ++row) {
    const auto index = static_cast<std::size_t>(page_) * kRowsPerPage + row;
    if (index >= entries_.size()) break;
    if (!entries_[index].folder) entries_[index].ticked = shown[row];
  }
}

MediaTap MediaListModel::Tap(int row) {
  const MediaEntry* shown = RowEntry(row);
  if (shown == nullptr) return MediaTap::kNothing;
  auto& entry = entries_[static_cast<std::size_t>(page_) * kRowsPerPage + static_cast<std::size_t>(row)];
  if (!entry.folder) {
    entry.ticked = !entry.ticked;
    return MediaTap::kTickFlipped;
  }
  if (entry.name == kUp) {
    // "\Storage Card\Music" goes up to "\Storage Card", "\Storage Card" to the root.
    const auto last = folder_.rfind(u'\\');
    folder_.resize(last == std::u16string::npos ? 0 : last);
  } else {
    folder_ += u'\\';
    folder_ += entry.name;
  }
  return MediaTap::kFolderChanged;
}

void MediaListModel::TickAll(bool ticked) {
  for (auto& entry : entries_) {
    if (!entry.folder) entry.ticked = ticked;
  }
}

bool MediaListModel::PreviousPage() {
  if (page_ <= 0) return false;
  --page_;
  return true;
}

bool MediaListModel::NextPage() {
  // Only to a page that shows something: twenty entries exactly make one page, not two.
  if (entries_.size() <= static_cast<std::size_t>(page_ + 1) * kRowsPerPage) return false;
  ++page_;
  return true;
}

std::vector<std::u16string> MediaListModel::TickedNames() const {
  std::vector<std::u16string> names;
  for (const auto& entry : entries_) {
    if (!entry.folder && entry.ticked) names.push_back(entry.name);
  }
  return names;
}

std::u16string MediaListModel::PlaylistPath() const { return folder_ + u"\\playlist.pls"; }

void FillPlaylist(ProfileStore& store, std::span<const std::u16string> names) {
  // [PlayList]
  // File1=a.mp3
  // File2=b.mp3
  // NumberOfEntries=2
  // Version=2
  std::int32_t n = 0;
  for (const auto& name : names) {
    ++n;
    store.SetString(u"PlayList", u"File" + text::FromInt(n), name);
  }
  store.SetInt(u"PlayList", u"NumberOfEntries", n);
  store.SetString(u"PlayList", u"Version", u"2");
}

std::u16string_view PlayerKey(MediaMode mode) { return mode == MediaMode::kMusic ? u"MP3Player" : u"MoviePlayer"; }

bool SavePlaylistAndPlay(Environment& env, platform::WindowHandle owner, const MediaListModel& list) {
  auto& boxes = env.platform().messageBoxes;
  const bool korean = env.KoreanUi();
  const bool music = list.mode() == MediaMode::kMusic;
  const auto names = list.TickedNames();
  if (names.empty()) {
    boxes.Show(Box(owner,
                   korean ? u"재생할 파일을 하나 이상 선택하세요." : u"Tick at least one file to play.",
                   korean ? u"알림" : u"Information", platform::MessageIcon::kExclamation));
    return false;
  }

  ProfileStore playlist(env.platform());
  FillPlaylist(playlist, names);
  // A failed save has shown its own box.
  if (!playlist.Save(owner, list.PlaylistPath())) return false;

  // Stored player paths may name the card by the token ("\%STORAGE%\Players\mp3.exe"): it is resolved
  // for the test and the start alike, as every other start of a stored path does.
  const auto stored = env.mainSettings().GetString(u"Program", PlayerKey(list.mode()), u"");
  const auto player = env.ExpandStorage(stored);
  if (stored.empty() || !env.FileExists(player)) {
    std::u16string text;
    if (korean) {
      text = music ? u"환경설정에서 MP3 플레이어 경로를 지정하세요." : u"환경설정에서 동영상 플레이어 경로를 지정하세요.";
    } else {
      text = music ? u"Choose the MP3 player path from the config window."
                   : u"Choose the Movie player path from the config window.";
    }
    boxes.Show(Box(owner, std::move(text), korean ? u"알림" : u"Information", platform::MessageIcon::kExclamation));
    return false;
  }

  // "\Storage Card\음악파일\playlist.pls" in double quotes.
  const std::u16string commandLine = u"\"" + list.PlaylistPath() + u"\"";
  if (!env.platform().processes.Start(player, commandLine)) {
    // Worded as a failed launch of any other program: the path, then the cannot-run text.
    const auto texts = LaunchTexts::For(Flavor::kDeck, korean);
    boxes.Show(Box(owner, player + texts.cannotRun, texts.caption, platform::MessageIcon::kInformation));
    return false;
  }
  // The player takes the screen while the list waits, then the list closes behind it.
  if (env.platform().clock != nullptr) env.platform().clock->Sleep(3000);
  return true;
}

}  // namespace vexa::deck
