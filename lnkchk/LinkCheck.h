#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace vexa::lnkchk {

// One shortcut of the launcher's program groups as the list shows it.
struct ShortcutRow {
  std::u16string base;  // "  1 | \...\Programs\Navi.lnk": number, group and file, without status
  std::u16string path;  // the shortcut file: "\SDMMC\VexaDeck\Programs\Navi.lnk"
};

// The rows of the three groups (Programs, Games, System under the launcher's home folder), numbered
// from 1 across all of them, each group's files in the order the file system lists them. A group
// folder that does not exist gives no rows.
std::vector<ShortcutRow> ListShortcuts(platform::FileSystem& files, std::u16string_view homeFolder);

// What one check found, or what one conversion did.
enum class LinkStatus {
  kUnchanged,      // the shortcut file is empty: the row keeps its text
  kGood,           // the target exists as stored
  kConvertible,    // missing as stored, present on this storage (check only)
  kConverted,      // rewritten for this storage
  kConvertFailed,  // convertible, but the shortcut could not be written
  kMissing,        // present neither as stored nor on this storage
  kUnreadable,     // the shortcut file cannot be opened
};
// The mark a row gets after its base text: "  [정상]" and so on; empty for kUnchanged.
std::u16string_view MarkOf(LinkStatus status);
// True for a row already found good or converted: a further pass leaves it alone.
bool IsSettled(std::u16string_view shownText);

// Puts a path on another storage: the text from its first "\" up to the next one is replaced by
// `root` ("\Storage Card\Navi\navi.exe" on "\SDMMC" gives "\SDMMC\Navi\navi.exe"), whatever name it
// held. A path without a second "\" comes back unchanged.
std::u16string Reroot(std::u16string_view path, std::u16string_view root);

// A shortcut's text taken apart: the target as Launch finds it and where it lies in the text.
struct ShortcutTarget {
  std::u16string target;
  std::size_t at = 0;  // the target's first character in the text
};
// `isProgram` settles where an unquoted target with blanks ends, as Launch does.
ShortcutTarget FindTarget(std::u16string_view text, const std::function<bool(std::u16string_view)>& isProgram);
// The shortcut text with its target re-rooted (arguments after it left as they are) and the count
// in front of "#" set to the length of the new command after it, as the device writes shortcuts.
std::u16string ConvertShortcut(std::u16string_view text, const ShortcutTarget& target, std::u16string_view root);

// Checks one shortcut file against the storage root the program runs from; with `convert` a
// convertible shortcut is rewritten (atomically) in code page 949, or in the device's own code page
// when the root is "\Storage Card". Only the first 511 bytes are read, as Launch reads them; a longer
// shortcut is not rewritten (kConvertFailed), so nothing after them is lost.
LinkStatus CheckShortcut(platform::FileSystem& files, platform::Locale& locale, std::u16string_view path,
                         std::u16string_view root, bool convert);

// The rows of the program groups and what each shows, with the pass that checks them.
class ShortcutChecker {
 public:
  // `root` is the storage the program runs from, `home` the launcher's folder on it.
  ShortcutChecker(platform::FileSystem& files, platform::Locale& locale, std::u16string root, std::u16string home);

  const std::vector<ShortcutRow>& rows() const { return rows_; }
  // The text each row shows: its base text, then the mark of the last check that found something.
  const std::vector<std::u16string>& shown() const { return shown_; }

  // Checks, or with `convert` also rewrites, every row not yet good or converted; `changed` hears of
  // each row whose text was replaced, as soon as it is.
  void Pass(bool convert, const std::function<void(int row, std::u16string_view text)>& changed);

 private:
  platform::FileSystem& files_;
  platform::Locale& locale_;
  std::u16string root_;
  std::vector<ShortcutRow> rows_;
  std::vector<std::u16string> shown_;
};

}  // namespace vexa::lnkchk
