#include "deck/SkinWatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/headless/ScriptedFileWatcher.h"
#include "tests/headless/LogCapture.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using ::testing::UnorderedElementsAre;

constexpr std::u16string_view kRoot = u"\\Storage Card\\VexaDeck\\Skin\\";
constexpr std::u16string_view kOwn = u"\\Storage Card\\VexaDeck\\Skin\\Default";

class SkinWatchTest : public ::testing::Test {
 protected:
  SkinWatchTest() {
    device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/skin800x480.ini", "[Button01]\r\nAction=GO-EXIT\r\n");
    device.tree.MakeDir("Storage Card/VexaDeck/Skin/Default/button");
    device.tree.MakeDir("Storage Card/VexaDeck/Skin/Default/gauge");
    device.tree.MakeDir("Storage Card/VexaDeck/Skin/_Common/wave");
    device.tree.MakeDir("Storage Card/VexaDeck/Skin/Compact");
    watch.Follow(kRoot, u"Default", u"\\Storage Card\\VexaDeck\\Skin\\Default\\skin800x480.ini");
  }
  SkinChange After(std::initializer_list<std::u16string_view> files) {
    for (std::u16string_view file : files) watcher.Notify(std::u16string(kOwn) + u"\\" + std::u16string(file));
    return watch.Take();
  }

  testing::TestDevice device;
  testing::LogCapture capture;
  platform::ScriptedFileWatcher watcher{capture.log};
  SkinWatch watch{device.files, watcher};
};

TEST_F(SkinWatchTest, TheSkinsOwnAndTheCommonFolderAreWatchedWithTheFoldersInThemButNotOtherSkins) {
  EXPECT_THAT(watch.folders(),
              UnorderedElementsAre(std::u16string(kOwn), std::u16string(kOwn) + u"\\button",
                                   std::u16string(kOwn) + u"\\gauge", u"\\Storage Card\\VexaDeck\\Skin\\_Common",
                                   u"\\Storage Card\\VexaDeck\\Skin\\_Common\\wave"));
}

TEST_F(SkinWatchTest, ChangesAreToldApartByWhatTheyTouchOfTheShownSkin) {
  EXPECT_EQ(After({}), SkinChange::kNone);
  EXPECT_EQ(After({u"SKIN800X480.INI"}), SkinChange::kSkinFile);
  // Another screen's skin file, and what editors write beside a file, are not the skin shown.
  EXPECT_EQ(After({u"skin480x272.ini", u".skin800x480.ini.swp", u"skin800x480.ini~", u"4913", u"x.tmp"}),
                  SkinChange::kNone);
  EXPECT_EQ(After({u"button\\navi.png"}), SkinChange::kFiles);
  EXPECT_EQ(After({u"skin800x480.ini", u"gauge\\speed000.png"}), SkinChange::kFiles);
  // A folder of the skin made or removed.
  EXPECT_EQ(After({u"wave"}), SkinChange::kFiles);
  watcher.Notify(std::u16string(kOwn) + u"\\gauge");
  EXPECT_EQ(watch.Take(), SkinChange::kFiles);
  // Files of other skins are not watched at all.
  watcher.Notify(u"\\Storage Card\\VexaDeck\\Skin\\Compact\\skin640x480.ini");
  EXPECT_EQ(watch.Take(), SkinChange::kNone);
}

TEST_F(SkinWatchTest, ASkinFileThatIsGoneUnreadableOrWithoutElementsIsNotLoadedAgain) {
  const std::u16string file = std::u16string(kOwn) + u"\\skin800x480.ini";
  ProfileStore store(device.platform);
  EXPECT_EQ(ReadSkinForReload(device.platform, file, store), "");
  EXPECT_EQ(store.GetString(u"Button01", u"Action", u""), u"GO-EXIT");

  device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/skin800x480.ini", "[Main]\r\nFitImageSize=N\r\n");
  EXPECT_EQ(ReadSkinForReload(device.platform, file, store), "the skin file has no elements");
  device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/skin800x480.ini", "");
  EXPECT_EQ(ReadSkinForReload(device.platform, file, store), "the skin file has no elements");
  EXPECT_EQ(ReadSkinForReload(device.platform, file + u"x", store), "the skin file is gone");
  // No error box comes up over the launcher for any of them.
  EXPECT_TRUE(device.Boxes().empty());
}

}  // namespace
}  // namespace vexa::deck
