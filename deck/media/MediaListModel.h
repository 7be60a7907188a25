#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Environment.h"
#include "common/ProfileStore.h"
#include "deck/media/MediaList.h"
#include "platform/FileSystem.h"

// What the media list window shows and does, apart from the window: the entries of the current
// folder, the page shown, the ticks, the playlist and the player start.
namespace vexa::deck {

struct MediaEntry {
  std::u16string name;  // file or folder name, no folder part; ".." for the way up
  bool folder = false;
  bool ticked = false;  // files only
};

// What a tap on a row did.
enum class MediaTap {
  kNothing,       // an empty row
  kFolderChanged, // the list now shows another folder
  kTickFlipped,   // a file was ticked or unticked
};

// True when the name, in lower case, ends in one of the mode's extensions.
bool IsMediaFile(MediaMode mode, std::u16string_view name);

// The current folder of a media list and its entries, twenty to a page.
class MediaListModel {
 public:
  static constexpr std::size_t kMaxEntries = 256;
  static constexpr int kRowsPerPage = 20;

  // `folder` is a device path without "%STORAGE%"; a trailing backslash is dropped ("\" is the root).
  MediaListModel(MediaMode mode, std::u16string_view folder);

  MediaMode mode() const { return mode_; }
  // Empty for the root of the file system.
  const std::u16string& folder() const { return folder_; }
  const std::vector<MediaEntry>& entries() const { return entries_; }
  int page() const { return page_; }
  int pageCount() const;

  // Lists the current folder again: ".." unless at the root, its folders, then its files of the mode,
  // every file ticked; back to the first page.
  void Fill(platform::FileSystem& files);
  // The same from a listing of the folder as the file system gives it.
  void FillFrom(std::span<const platform::FindEntry> listing);

  // The entry shown on row 0 to 19 of the current page, or null for an empty row.
  const MediaEntry* RowEntry(int row) const;
  // Takes over the ticks the rows of the current page show (row r at index r); rows without a file
  // entry are ignored.
  void TakeTicks(std::span<const bool> shown);
  // A tap on a row: a folder row walks into the folder (".." up one), a file row flips its tick. The
  // caller refills after kFolderChanged.
  MediaTap Tap(int row);
  // Ticks or unticks every file of every page.
  void TickAll(bool ticked);
  // Page changes; false when there is no such page.
  bool PreviousPage();
  bool NextPage();

  // The names of the ticked files, in list order.
  std::vector<std::u16string> TickedNames() const;
  // The current folder + "\playlist.pls".
  std::u16string PlaylistPath() const;

 private:
  MediaMode mode_;
  std::u16string folder_;
  std::vector<MediaEntry> entries_;
  int page_ = 0;
};

// Puts the playlist of `names` into an empty store: [PlayList] File1 to Filen, NumberOfEntries, Version=2.
void FillPlaylist(ProfileStore& store, std::span<const std::u16string> names);

// The [Program] key of the mode's player.
std::u16string_view PlayerKey(MediaMode mode);

// Saves the playlist of the ticked files and starts the mode's player on it, reporting in boxes owned
// by `owner` what stops it. True when the player was started (the window then closes).
bool SavePlaylistAndPlay(Environment& env, platform::WindowHandle owner, const MediaListModel& list);

}  // namespace vexa::deck
