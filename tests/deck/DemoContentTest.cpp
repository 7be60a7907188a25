// The demo device's media and shortcut folders, read straight from demo/device: every shortcut starts
// a program that is on the device once the build has placed its programs, and the media folders hold
// enough for the lists to page and to walk into folders.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "common/Launcher.h"
#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa::deck {
namespace {

namespace fs = std::filesystem;

const fs::path kSource(VEXA_SOURCE_DIR);
const fs::path kDemo = kSource / "demo" / "device";

std::string ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// "Storage Card/Navi/navi.exe" -> "\storage card\navi\navi.exe": device paths compare without regard
// to letter case.
std::u16string DeviceKey(std::string_view hostRelative) {
  std::u16string path = u"\\" + text::FromUtf8(hostRelative);
  std::replace(path.begin(), path.end(), u'/', u'\\');
  return text::ToLower(path);
}

// Every file of the demo tree, by device path.
std::set<std::u16string> DemoFiles() {
  std::set<std::u16string> files;
  for (const auto& entry : fs::recursive_directory_iterator(kDemo)) {
    if (entry.is_regular_file()) files.insert(DeviceKey(fs::relative(entry.path(), kDemo).generic_string()));
  }
  return files;
}

// The programs the build copies onto the device: the quoted ".exe" places in the build files of the
// project's folders that place programs,
//   foreach(place "Storage Card/Navi/navi.exe" "Storage Card/Players/mp3.exe" ...)
//     vexa_device_program(DemoApp "${place}")
std::set<std::u16string> PlacedPrograms() {
  std::set<std::u16string> placed;
  const std::regex quotedExe("\"([^\"$]+\\.[eE][xX][eE])\"");
  for (const auto& folder : fs::directory_iterator(kSource)) {
    const std::string name = folder.path().filename().string();
    if (!folder.is_directory() || name.starts_with("build") || name.starts_with(".")) continue;
    const fs::path lists = folder.path() / "CMakeLists.txt";
    if (!fs::exists(lists)) continue;
    const std::string text = ReadHostFile(lists);
    if (text.find("vexa_device_program") == std::string::npos) continue;
    for (std::sregex_iterator it(text.begin(), text.end(), quotedExe), end; it != end; ++it) {
      placed.insert(DeviceKey((*it)[1].str()));
    }
  }
  return placed;
}

// Files per folder below `root` whose names end in one of `extensions`, by folder relative to root.
std::map<std::string, int> FilesPerFolder(const fs::path& root,
                                          std::initializer_list<std::u16string_view> extensions,
                                          std::set<std::u16string>* seen = nullptr) {
  std::map<std::string, int> counts;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string folder = fs::relative(entry.path().parent_path(), root).generic_string();
    if (entry.is_directory()) counts.try_emplace(fs::relative(entry.path(), root).generic_string(), 0);
    if (!entry.is_regular_file()) continue;
    const std::u16string name = text::FromUtf8(entry.path().filename().string());
    for (std::u16string_view extension : extensions) {
      if (!text::EndsWithNoCase(name, extension)) continue;
      ++counts[folder];
      if (seen) seen->insert(std::u16string(extension));
      break;
    }
  }
  return counts;
}

int MostFiles(const std::map<std::string, int>& counts) {
  int most = 0;
  for (const auto& [folder, count] : counts) most = std::max(most, count);
  return most;
}

// The deepest folder, counted in levels below the root ("a/b" is two).
int Depth(const std::map<std::string, int>& counts) {
  int deepest = 0;
  for (const auto& [folder, count] : counts) {
    if (folder == ".") continue;
    deepest = std::max(deepest, static_cast<int>(std::count(folder.begin(), folder.end(), '/')) + 1);
  }
  return deepest;
}

// 44#"\Storage Card\Programs\Calculator\calc.exe"
TEST(DemoContentTest, EveryShortcutStartsAProgramThatIsOnTheDeviceAfterABuild) {
  const std::set<std::u16string> files = DemoFiles();
  const std::set<std::u16string> placed = PlacedPrograms();
  ASSERT_TRUE(placed.contains(u"\\storage card\\navi\\navi.exe"));  // the build files were read
  auto onDevice = [&](std::u16string_view path) {
    const std::u16string key = text::ToLower(path);
    return files.contains(key) || placed.contains(key);
  };
  std::map<std::string, int> perFolder;
  for (const char* group : {"Programs", "Games", "System"}) {
    const fs::path folder = kDemo / "Storage Card" / "VexaDeck" / group;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".lnk") continue;
      SCOPED_TRACE(entry.path().filename().string());
      const std::string bytes = ReadHostFile(entry.path());
      // Shortcuts hold only ASCII, so that they read the same on an English and a Korean device.
      EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > 0 && c < 0x7F; }));
      const ShortcutCommand command = ParseShortcut(text::DecodeDeviceText(bytes, 1252), onDevice);
      EXPECT_TRUE(text::EndsWithNoCase(command.target, u".exe")) << text::ToUtf8(command.target);
      // Shortcuts made on a card of another name ("\SD Card\...") are the shortcut checker's to
      // repair: their targets are on the device under the card's own name.
      std::u16string target = command.target;
      if (const auto next = target.find(u'\\', 1); !onDevice(target) && next != std::u16string::npos) {
        target = u"\\Storage Card" + target.substr(next);
      }
      EXPECT_TRUE(onDevice(target)) << text::ToUtf8(command.target) << " is not on the device";
      ++perFolder[group];
    }
  }
  EXPECT_GE(perFolder["Games"], 1);
  EXPECT_GE(perFolder["System"], 1);
  // More than one page of the shortcut list (twelve buttons a page).
  EXPECT_GT(perFolder["Programs"], 12);
}

TEST(DemoContentTest, TheMediaFoldersFillMoreThanOnePageAndGoTwoFoldersDeep) {
  const fs::path card = kDemo / "Storage Card";
  const auto music = FilesPerFolder(card / "음악파일", {u".mp3"});
  std::set<std::u16string> kinds;
  const auto movies = FilesPerFolder(
      card / "영화파일", {u".avi", u".mkv", u".mp4", u".mpg", u".ogm", u".asf", u".wm", u".wmv", u".divx"},
      &kinds);
  // The media list shows twenty rows a page.
  EXPECT_GT(MostFiles(music), 20);
  EXPECT_GT(MostFiles(movies), 20);
  EXPECT_GE(Depth(music), 2);
  EXPECT_GE(Depth(movies), 2);
  EXPECT_GE(kinds.size(), 5u);
  // The files stand for media by their names and first bytes only: the repository stays small.
  for (const char* folder : {"음악파일", "영화파일", "플래시파일"}) {
    for (const auto& entry : fs::recursive_directory_iterator(card / folder)) {
      if (entry.is_regular_file()) {
        EXPECT_LE(entry.file_size(), 64u) << entry.path();
      }
    }
  }
}

}  // namespace
}  // namespace vexa::deck
