#include "common/ToolbarProfileStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <type_traits>

#include "common/Environment.h"
#include "common/text/CodePage.h"
#include "tests/support/TestDevice.h"

namespace vexa {
namespace {

using ::testing::ElementsAre;
using testing::TestDevice;

TEST(ToolbarProfileStoreTest, ReadingKeepsDuplicatesTrimsEveryValueAndExpandsTheStorageToken) {
  TestDevice device(u"\\SD\\VexaDeck\\VexaToolbar.exe");
  device.tree.WriteHostFile("VexaToolbar.ini",
                            "[Button1]\r\nPath = \\%STORAGE%\\Navi\\navi.exe \r\npath=second\r\nText=  Navi  \r\n"
                            "[Group]\r\nFolder=\\\xC0\xFA\xC0\xE5\xBC\xD2 \xC4\xAB\xB5\xE5\\Games\r\n");
  ToolbarProfileStore store(device.platform);
  ASSERT_TRUE(store.Read(u"\\VexaToolbar.ini"));
  EXPECT_EQ(store.EntryCount(), 4u);
  EXPECT_EQ(store.GetString(u"button1", u"PATH", u""), u"\\SD\\Navi\\navi.exe");
  EXPECT_EQ(store.GetString(u"Button1", u"Text", u""), u"Navi");
  // Away from "\Storage Card" the file is Korean text, so the card folder name is re-rooted.
  EXPECT_EQ(store.GetString(u"Group", u"Folder", u""), u"\\SD\\Games");
  store.SetString(u"Button1", u"Path", u"new");
  store.DeleteKey(u"Button1", u"Path");
  EXPECT_EQ(store.GetString(u"Button1", u"Path", u""), u"second");
}

TEST(ToolbarProfileStoreTest, TheCodePageFollowsTheStorageRoot) {
  TestDevice english(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe");
  ToolbarProfileStore onCard(english.platform);
  EXPECT_EQ(onCard.CodePage(), 1252);
  onCard.SetString(u"Main", u"Name", u"Café");
  ASSERT_TRUE(onCard.Save(u"\\a.ini"));
  EXPECT_EQ(english.tree.ReadHostFile("a.ini"), "[Main]\r\nName=Caf\xE9\r\n");

  TestDevice elsewhere(u"\\Flash\\VexaDeck\\VexaToolbar.exe");
  ToolbarProfileStore onFlash(elsewhere.platform);
  EXPECT_EQ(onFlash.CodePage(), 949);
  onFlash.SetString(u"Main", u"Name", u"음악");
  onFlash.SetInt(u"Main", u"Size", 16);
  onFlash.SetString(u"Other", u"X", u"1");
  ASSERT_TRUE(onFlash.Save(u"\\b.ini"));
  EXPECT_EQ(elsewhere.tree.ReadHostFile("b.ini"),
            "[Main]\r\nName=" + text::Encode(u"음악", 949) + "\r\nSize=16\r\n\r\n[Other]\r\nX=1\r\n");
  ToolbarProfileStore again(elsewhere.platform);
  ASSERT_TRUE(again.Read(u"\\b.ini"));
  EXPECT_EQ(again.GetString(u"main", u"name", u""), u"음악");
  EXPECT_EQ(again.GetInt(u"main", u"size", 0), 16);
}

TEST(ToolbarProfileStoreTest, CapacityIsFixedAndLinesBeyondItAreLeftOut) {
  TestDevice device(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe");
  std::string file;
  for (int s = 0; s < 120; ++s) {
    file += "[S" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 5; ++k) file += "K" + std::to_string(k) + "=" + std::to_string(s * 10 + k) + "\r\n";
  }
  device.tree.WriteHostFile("big.ini", file);
  ToolbarProfileStore store(device.platform);
  ASSERT_TRUE(store.Read(u"\\big.ini"));
  EXPECT_EQ(store.EntryCount(), ToolbarProfileStore::kMaxEntries);
  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  EXPECT_EQ(sections.size(), 100u);
  EXPECT_EQ(store.GetInt(u"S99", u"K4", -1), 994);
  EXPECT_EQ(store.GetInt(u"S100", u"K0", -1), -1);
  store.SetString(u"New", u"Key", u"v");  // no room
  EXPECT_EQ(store.GetString(u"New", u"Key", u"none"), u"none");
}

TEST(ToolbarProfileStoreTest, FailuresShowTheKoreanBoxToTheStoresOwner) {
  TestDevice device(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe");
  ToolbarProfileStore store(device.platform, 42);
  EXPECT_FALSE(store.Read(u"\\Storage Card\\VexaDeck\\VexaToolbar.ini"));
  EXPECT_FALSE(store.Save(u"\\x.ini"));  // nothing to save: no box
  store.SetString(u"A", u"b", u"c");
  store.SetOwner(43);
  EXPECT_FALSE(store.Save(u"\\missing\\y.ini"));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"에러|[VexaToolbar.ini] 환경파일을 열수 없습니다.",
                                          u"에러|[y.ini] 환경파일을 열수 없습니다."));
  EXPECT_EQ(device.messageBoxes.shown()[0].request.owner, 42u);
  EXPECT_EQ(device.messageBoxes.shown()[1].request.owner, 43u);
}

TEST(ToolbarProfileStoreTest, PathsAndLaunchesFollowTheToolbarsRules) {
  TestDevice device(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe");
  device.tree.WriteHostFile("Storage Card/Navi/navi.exe", "program");
  ToolbarProfileStore store(device.platform, 5);
  EXPECT_EQ(store.GetPath(200), u"\\Storage Card\\VexaDeck\\VexaToolbar.ini");
  EXPECT_EQ(store.GetPath(201), u"");
  EXPECT_EQ(store.ExpandStorage(u"\\%STORAGE%\\Navi"), u"\\Storage Card\\Navi");
  EXPECT_TRUE(store.Launch(u"\\%STORAGE%\\Navi\\navi.exe"));
  EXPECT_FALSE(store.Launch(u"\\Storage Card\\Navi\\gone.exe"));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"에러|\\Storage Card\\Navi\\gone.exe를 실행할수 없습니다."));
}

TEST(ToolbarProfileStoreTest, AFileOverSixteenMegabytesIsRefusedWithTheErrorBox) {
  TestDevice device(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe");
  device.tree.WriteHostFile("VexaToolbar.ini", "[Button1]\r\nPath=a.exe\r\n");
  std::filesystem::resize_file(device.tree.root() / "VexaToolbar.ini", kMaxIniFileBytes + 1);
  ToolbarProfileStore store(device.platform, 9);
  EXPECT_FALSE(store.Read(u"\\VexaToolbar.ini"));
  EXPECT_EQ(store.EntryCount(), 0u);
  EXPECT_THAT(device.Boxes(), ElementsAre(u"에러|[VexaToolbar.ini] 환경파일을 열수 없습니다."));
  EXPECT_EQ(device.messageBoxes.shown()[0].request.owner, 9u);
}

// The launcher inside refers to the path tokens beside it; a copied or moved store would expand
// "%STORAGE%" through tokens that are not its own.
TEST(ToolbarProfileStoreTest, StoresWhoseLauncherReadsTheirOwnTokensStayWhereTheyWereMade) {
  EXPECT_FALSE(std::is_copy_constructible_v<ToolbarProfileStore>);
  EXPECT_FALSE(std::is_move_constructible_v<ToolbarProfileStore>);
  EXPECT_FALSE(std::is_copy_assignable_v<ToolbarProfileStore>);
  EXPECT_FALSE(std::is_move_assignable_v<ToolbarProfileStore>);
  EXPECT_FALSE(std::is_move_constructible_v<Environment>);
  EXPECT_FALSE(std::is_move_assignable_v<Environment>);
}

}  // namespace
}  // namespace vexa
