#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "deck/DeckSettings.h"
#include "deck/media/ShortcutList.h"
#include "platform/FileSystem.h"

// What a shortcut list holds and shows: the names found in its folder in sorted order, and the page
// of twelve buttons on screen.
namespace vexa::deck {

// What tells the four lists apart.
struct ShortcutKindInfo {
  std::u16string_view title;      // the window title, also the list's own name
  FolderKey folder;               // the [Folder] key of its folder
  std::u16string_view pattern;    // the files it lists: "*.lnk", or "*.swf" for Flash
  std::u16string_view extension;  // what a label is completed with to name its file: ".lnk" or ".swf"
};

const ShortcutKindInfo& InfoFor(ShortcutKind kind);

// The label a name is shown with: the name without its extension ("Navi.lnk" shows as "Navi").
std::u16string LabelOf(std::u16string_view name);

class ShortcutListModel {
 public:
  static constexpr std::size_t kMaxNames = 100;
  static constexpr int kPageSize = 12;
  // What a button shows once its file has been deleted; a tap on it does nothing.
  static constexpr std::u16string_view kDeletedLabel = u"Deleted...";

  // Lists folder + "\" + pattern (files only, folders are skipped) and inserts every name found,
  // until the list is full.
  void Fill(platform::FileSystem& files, std::u16string_view folder, std::u16string_view pattern);

  // Inserts the name before the first name greater than it, letter case ignored, so equal names keep
  // the order they came in. Returns its index, or nothing when the list already holds kMaxNames.
  std::optional<std::size_t> Insert(std::u16string name);

  std::size_t size() const { return entries_.size(); }
  const std::u16string& NameAt(std::size_t index) const { return entries_[index].name; }

  // The page shown, counting from 0; the page label counts from 1 as the user does: "-1-".
  int page() const { return page_; }
  std::u16string PageLabel() const;
  // Page changes; false (and no change) at the first page, or when no name lies beyond this one.
  bool Prev();
  bool Next();
  // Shows the page that holds the name at `index`.
  void ShowPageOf(std::size_t index);

  // The label of button `slot` (0 to 11) of the page shown: empty beyond the last name,
  // kDeletedLabel once its file is gone.
  std::u16string Label(int slot) const;
  // Marks the name behind button `slot` as deleted; it keeps its place.
  void MarkDeleted(int slot);

 private:
  struct Entry {
    std::u16string name;
    bool deleted = false;
  };

  std::optional<std::size_t> IndexOf(int slot) const;

  std::vector<Entry> entries_;
  int page_ = 0;
};

}  // namespace vexa::deck
