#include "deck/DeckSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using testing::TestDevice;

class DeckSettingsTest : public ::testing::Test {
 protected:
  // Writes the settings file beside the program and reads it.
  void ReadFile(std::string_view bytes) {
    device.tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", bytes);
    ASSERT_TRUE(settings.Read(platform::kNoWindow));
  }
  std::string SavedFile() const { return device.tree.ReadHostFile("Storage Card/VexaDeck/VexaDeck.ini"); }

  TestDevice device;
  Environment environment{device.platform};
  DeckSettings settings{environment};
};

TEST_F(DeckSettingsTest, AFirstStartHoldsExactlyTheTenDefaultsAndWritesNothing) {
  device.tree.MakeDir("Storage Card/VexaDeck");
  EXPECT_FALSE(settings.Read(platform::kNoWindow));  // the read error box
  settings.FillDefaults();

  auto& store = settings.store();
  EXPECT_EQ(store.EntryCount(), 10u);
  EXPECT_EQ(settings.SkinFolder(), u"\\Storage Card\\VexaDeck\\Skin");
  EXPECT_EQ(settings.Folder(FolderKey::kApplication), u"\\Storage Card\\VexaDeck\\Programs");
  EXPECT_EQ(settings.Folder(FolderKey::kGame), u"\\Storage Card\\VexaDeck\\Games");
  EXPECT_EQ(settings.Folder(FolderKey::kSystem), u"\\Storage Card\\VexaDeck\\System");
  EXPECT_EQ(settings.LogoFile(), u"\\Storage Card\\VexaDeck\\logo.png");
  EXPECT_EQ(settings.IntroMusic(), u"\\Storage Card\\VexaDeck\\intro.wav");
  EXPECT_EQ(settings.Folder(FolderKey::kFlash), u"\\Storage Card\\플래시파일");
  EXPECT_EQ(settings.Folder(FolderKey::kMovie), u"\\Storage Card\\영화파일");
  EXPECT_EQ(settings.Folder(FolderKey::kMp3), u"\\Storage Card\\음악파일");
  EXPECT_EQ(settings.Folder(FolderKey::kImage), u"\\Storage Card\\그림파일");
  EXPECT_FALSE(device.tree.HostExists("Storage Card/VexaDeck/VexaDeck.ini"));

  // The first save writes the sections in the order they were first set.
  ASSERT_TRUE(settings.Save(platform::kNoWindow));
  const auto saved = SavedFile();
  const auto skin = saved.find("[Skin]");
  const auto folder = saved.find("[Folder]");
  const auto viewer = saved.find("[ImageViewer]");
  const auto music = saved.find("[Mp3Player]");
  ASSERT_NE(music, std::string::npos);
  // The Korean folder names do not fit this English device's code page: the file is UTF-8 after its
  // byte-order mark, and the folders read back as they were.
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF"));
  EXPECT_EQ(skin, 3u);
  EXPECT_LT(skin, folder);
  EXPECT_LT(folder, viewer);
  EXPECT_LT(viewer, music);
  ASSERT_TRUE(settings.Read(platform::kNoWindow));
  EXPECT_EQ(settings.Folder(FolderKey::kMp3), u"\\Storage Card\\음악파일");
  EXPECT_EQ(settings.Folder(FolderKey::kFlash), u"\\Storage Card\\플래시파일");
}

TEST_F(DeckSettingsTest, DefaultsFillOnlyEmptyValues) {
  ReadFile("[Folder]\r\nMovie=\r\nMp3=\\SD\\Music\r\n[Skin]\r\nSkinFolder=\\SD\\Skins\r\n");
  settings.FillDefaults();
  EXPECT_EQ(settings.Folder(FolderKey::kMovie), u"\\Storage Card\\영화파일");
  EXPECT_EQ(settings.Folder(FolderKey::kMp3), u"\\SD\\Music");
  EXPECT_EQ(settings.SkinFolder(), u"\\SD\\Skins");
}

TEST_F(DeckSettingsTest, AbsentKeysGiveTheirDocumentedValues) {
  ReadFile("[Main]\r\nAutoRun=navi\r\n[Gps]\r\nGpsPort=com5:\r\nGpsSpeed=19200\r\n");
  EXPECT_EQ(settings.AutoRun(), AutoRunMode::kNavigation);
  EXPECT_EQ(settings.AutoRunDelay(), 30);
  EXPECT_FALSE(settings.AutoWindow());
  EXPECT_EQ(settings.StartShowTaskBar(), TriState::kUnset);
  EXPECT_EQ(settings.ScreenSizeModeSetting(), ScreenSizeMode::kSystem);
  EXPECT_FALSE(settings.CustomScreenSize());
  EXPECT_EQ(settings.SkinName(), u"Default");
  EXPECT_FALSE(settings.BackgroundAutoChange());
  EXPECT_EQ(settings.BackgroundChangeSeconds(), 60);
  EXPECT_EQ(settings.SlideShowRefreshSeconds(), 5);
  EXPECT_EQ(settings.LogoDisplaySeconds(), 7);
  EXPECT_EQ(settings.Program(ProgramKey::kNavigation), u"");
  EXPECT_EQ(settings.GpsPort(), u"COM5:");
  EXPECT_EQ(settings.GpsSpeed(), 9600);  // 19200 is not one of the speeds
  EXPECT_FALSE(settings.SirfToNmea());
}

TEST_F(DeckSettingsTest, SwitchesReadOnlyYAndNAndTheSirfSwitchOnlyAnUpperCaseY) {
  ReadFile(
      "[Main]\r\nAutoRun=Image\r\nAutoWindow=y\r\nStartShowTaskBar=n\r\nExitShowTaskBar=yes\r\n"
      "[Gps]\r\nSirfToNmea=y\r\nEmulation=Y\r\n");
  EXPECT_EQ(settings.AutoRun(), AutoRunMode::kSlideShow);
  EXPECT_TRUE(settings.AutoWindow());
  EXPECT_EQ(settings.StartShowTaskBar(), TriState::kNo);
  EXPECT_EQ(settings.ExitShowTaskBar(), TriState::kUnset);
  EXPECT_FALSE(settings.SirfToNmea());
  EXPECT_TRUE(settings.Emulation());
  settings.store().SetString(u"Main", u"AutoRun", u"GAME");
  EXPECT_EQ(settings.AutoRun(), AutoRunMode::kOther);
}

TEST_F(DeckSettingsTest, TheOldSpeedGaugeKeyIsCarriedOverAndDroppedOnSave) {
  ReadFile("[Gps]\r\nAutoSpeedGuage=Y\r\n");
  EXPECT_TRUE(settings.AutoSpeedGauge());
  EXPECT_EQ(settings.store().GetString(u"Gps", u"AutoSpeedGuage", u"gone"), u"gone");
  EXPECT_TRUE(settings.AutoSpeedGauge());  // a second read still sees it
  ASSERT_TRUE(settings.Save(platform::kNoWindow));
  EXPECT_EQ(SavedFile(), "[Gps]\r\nAutoSpeedGauge=Y\r\n");
}

TEST_F(DeckSettingsTest, TheNewSpeedGaugeKeyWinsOverTheOldOne) {
  ReadFile("[Gps]\r\nAutoSpeedGuage=Y\r\nAutoSpeedGauge=N\r\n");
  EXPECT_FALSE(settings.AutoSpeedGauge());
  ASSERT_TRUE(settings.Save(platform::kNoWindow));
  EXPECT_EQ(SavedFile(), "[Gps]\r\nAutoSpeedGauge=N\r\n");
}

TEST_F(DeckSettingsTest, WithoutEitherSpeedGaugeKeyNothingIsAdded) {
  ReadFile("[Gps]\r\nGpsPort=COM1:\r\n");
  EXPECT_FALSE(settings.AutoSpeedGauge());
  EXPECT_EQ(settings.store().EntryCount(), 1u);
}

TEST_F(DeckSettingsTest, SavingKeepsUnknownKeysInPlaceAndWritesTheScreenSizeOnlyForCustom) {
  ReadFile("[Main]\r\nScreenSizeMode=CUSTOM\r\nScreenSize=480,272\r\nMine=1\r\n");
  ASSERT_TRUE(settings.CustomScreenSize());
  EXPECT_EQ(*settings.CustomScreenSize(), (Point{480, 272}));

  settings.SetScreenSize(ScreenSizeMode::kChoose, {800, 480});
  settings.SetAutoRun(AutoRunMode::kSlideShow);
  ASSERT_TRUE(settings.Save(platform::kNoWindow));
  EXPECT_EQ(SavedFile(), "[Main]\r\nScreenSizeMode=CHOOSE\r\nScreenSize=\r\nMine=1\r\nAutoRun=IMAGE\r\n");

  settings.SetScreenSize(ScreenSizeMode::kCustom, {640, 480});
  EXPECT_EQ(settings.store().GetString(u"Main", u"ScreenSize", u""), u"640,480");
}

}  // namespace
}  // namespace vexa::deck
