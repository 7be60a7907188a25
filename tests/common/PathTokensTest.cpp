#include "common/PathTokens.h"

#include <gtest/gtest.h>

#include "tests/support/TestDevice.h"

namespace vexa {
namespace {

using testing::TestDevice;

TEST(PathTokensTest, PathsDeriveFromWhereTheProgramLies) {
  TestDevice device;
  PathTokens paths(device.shell, u"\\Storage Card\\VexaDeck\\VexaDeck.exe", Flavor::kDeck);
  EXPECT_EQ(paths.GetPath(PATH_STORAGE_ROOT), u"\\Storage Card");
  EXPECT_EQ(paths.GetPath(PATH_PROGRAM_DIR), u"\\Storage Card\\VexaDeck");
  EXPECT_EQ(paths.GetPath(PATH_DATA_DIR), u"\\Storage Card\\VexaDeck");
  EXPECT_EQ(paths.GetPath(PATH_MUSIC_DIR), u"\\Storage Card\\음악파일");
  EXPECT_EQ(paths.GetPath(PATH_MOVIE_DIR), u"\\Storage Card\\영화파일");
  EXPECT_EQ(paths.GetPath(PATH_PICTURE_DIR), u"\\Storage Card\\그림파일");
  EXPECT_EQ(paths.GetPath(PATH_PROGRAM_FILE), u"\\Storage Card\\VexaDeck\\VexaDeck.exe");
  EXPECT_EQ(paths.GetPath(PATH_TMP_COPY), u"\\Storage Card\\VexaDeck\\VexaDeck_tmp.exe");
  EXPECT_EQ(paths.GetPath(PATH_INI_FILE), u"\\Storage Card\\VexaDeck\\VexaDeck.ini");
  for (int unknown : {99 + 7, 199, 203, 1000}) EXPECT_EQ(paths.GetPath(unknown), u"");
}

TEST(PathTokensTest, SpecialFoldersExistOrAreEmpty) {
  TestDevice device;
  PathTokens paths(device.shell, u"\\Storage Card\\x.exe", Flavor::kDeck);
  EXPECT_EQ(paths.GetPath(2), u"\\Windows\\Programs");
  EXPECT_EQ(paths.GetPath(16), u"\\Windows\\Desktop");
  EXPECT_EQ(paths.GetPath(5), u"");
  std::filesystem::remove_all(device.tree.root() / "Windows" / "Desktop");
  EXPECT_EQ(paths.GetPath(16), u"");  // nothing is created
}

TEST(PathTokensTest, PathsWithoutTheirMarkersGiveEmptyTexts) {
  TestDevice device;
  PathTokens atRoot(device.shell, u"\\NoDot", Flavor::kDeck);
  EXPECT_EQ(atRoot.GetPath(PATH_STORAGE_ROOT), u"");
  EXPECT_EQ(atRoot.GetPath(PATH_MUSIC_DIR), u"");  // no folder name on an empty root
  EXPECT_EQ(atRoot.GetPath(PATH_PROGRAM_DIR), u"");
  EXPECT_EQ(atRoot.GetPath(PATH_TMP_COPY), u"");
  EXPECT_EQ(atRoot.GetPath(PATH_INI_FILE), u"");
  PathTokens inWindows(device.shell, u"\\Windows\\VexaXRun.exe", Flavor::kRunner);
  EXPECT_EQ(inWindows.GetPath(PATH_STORAGE_ROOT), u"\\Windows");
  EXPECT_EQ(inWindows.ExpandStorage(u"\\%STORAGE%\\a.exe"), u"\\Windows\\a.exe");
}

TEST(PathTokensTest, TheToolbarKnowsItsSettingsFileAsCode200) {
  TestDevice device;
  PathTokens paths(device.shell, u"\\Storage Card\\VexaDeck\\VexaToolbar.exe", Flavor::kToolbar);
  EXPECT_EQ(paths.GetPath(PATH_PROGRAM_FILE), u"\\Storage Card\\VexaDeck\\VexaToolbar.ini");
  EXPECT_EQ(paths.GetPath(PATH_TMP_COPY), u"");
  EXPECT_EQ(paths.GetPath(PATH_INI_FILE), u"");
  EXPECT_EQ(paths.GetPath(PATH_DATA_DIR), u"\\Storage Card\\VexaDeck");
}

TEST(PathTokensTest, StorageTokenAndKoreanCardFolderAreReRooted) {
  TestDevice device;
  PathTokens paths(device.shell, u"\\SD Card\\VexaDeck\\VexaDeck.exe", Flavor::kDeck);
  EXPECT_EQ(paths.ExpandStorage(u"\\%STORAGE%\\Navi\\navi.exe"), u"\\SD Card\\Navi\\navi.exe");
  EXPECT_EQ(paths.ExpandStorage(u"x%STORAGE%y%STORAGE%"), u"xSD Cardy%STORAGE%");
  EXPECT_EQ(paths.ExpandStorage(u"\\저장소 카드\\Navi\\navi.exe"), u"\\SD Card\\Navi\\navi.exe");
  EXPECT_EQ(paths.ExpandStorage(u"\\저장소 카드"), u"\\저장소 카드");
  EXPECT_EQ(paths.ExpandStorage(u"\\저장소 카드x\\a.exe"), u"\\저장소 카드x\\a.exe");
  EXPECT_EQ(paths.ExpandStorage(u"\\%storage%\\a.exe"), u"\\%storage%\\a.exe");  // the token is exact
  EXPECT_EQ(paths.ExpandStorage(u"\\Windows\\explorer.exe"), u"\\Windows\\explorer.exe");
  EXPECT_EQ(paths.ExpandStorage(u""), u"");
}

}  // namespace
}  // namespace vexa
