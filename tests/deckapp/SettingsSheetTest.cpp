// The settings sheet driven headless: what it shows from the settings file, what Save writes, what
// Cancel leaves alone, and GO-CONFIG in the running launcher.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/Environment.h"
#include "deck/DeckProgram.h"
#include "deck/DeckSettings.h"
#include "deck/settings/SettingsSheet.h"
#include "tests/deckapp/DeckRunFixture.h"

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kIni[] = "Storage Card/VexaDeck/VexaDeck.ini";

// A settings file as a device holds it: every page's keys, a key the launcher does not know, and the
// older spelling of the speed-gauge switch.
constexpr char kFile[] =
    "[Main]\r\nAutoRun=navi\r\nAutoRunDelay=12\r\nAutoWindow=y\r\nAutoToolbar=N\r\nStartShowTaskBar=Y\r\n"
    "ExitShowTaskBar=\r\nScreenSizeMode=FITSIZE\r\nScreenSize=\r\nVolume=7\r\n"
    "[Program]\r\nNavigation=\\%STORAGE%\\Navi\\navi.exe\r\nToolbar=\r\nMoviePlayer=\r\nMP3Player=\r\n"
    "FlashPlayer=\r\nDMBPlayer=\r\n"
    "[Folder]\r\nApplication=\\Storage Card\\VexaDeck\\Programs\r\nGame=\r\nSystem=\r\nFlash=\r\nMovie=\r\nMp3=\r\n"
    "Image=\r\n"
    "[Skin]\r\nSkinFolder=\\Storage Card\\VexaDeck\\Skin\r\nSkinName=default\r\nBgndAutoChange=N\r\n"
    "BgndChangeTime=60\r\n"
    "[ImageViewer]\r\nLogoFile=\\Storage Card\\VexaDeck\\logo.png\r\nRefreshTime=5\r\nLogoDispTime=7\r\n"
    "[Gps]\r\nGpsPort=COM3:\r\nGpsSpeed=4800\r\nEmulation=N\r\nSirfToNmea=Y\r\nAutoGpsTime=N\r\nAutoSpeedGuage=Y\r\n";

class SettingsSheetTest : public DeckRunTest {
 protected:
  SettingsSheetTest() {
    tree.WriteHostFile(kIni, kFile);
    WriteSkin("skin800x480.ini", Element(1, "GO-CONFIG", "10,10", "100,60"));
    tree.WriteHostFile("Storage Card/VexaDeck/Skin/Night/skin800x480.ini", Element(1, "GO-EXIT", "300,300", "100,60"));
    tree.MakeDir("Storage Card/VexaDeck/Skin/_Common");
  }

  // Runs the sheet alone on the settings file and keeps how it closed.
  int RunSheet(const std::string& scenario, const char* screen = "800x480") {
    return Run(
        scenario,
        [this](platform::Platform& platform, platform::ui::UserInterface& ui) {
          Environment env(platform);
          DeckSettings(env).Read(platform::kNoWindow);
          outcome = RunSettingsSheet(env, ui, nullptr);
          return 0;
        },
        screen);
  }

  int MessageBoxes(const std::string& text) const {
    int count = 0;
    for (const auto& line : Log()) {
      if (line.find("\"message_box\"") != std::string::npos && line.find(text) != std::string::npos) ++count;
    }
    return count;
  }

  SettingsOutcome outcome;
};

TEST_F(SettingsSheetTest, CancelAfterChangingEveryPageLeavesTheFileAsItWas) {
  RunSheet("choose \"Vexa Deck Setup\" 1001 \"Main\"\n"
           "check \"Main\" \"Slide Show\" on\n"
           "check \"Main\" 1113 grey\n"
           "choose \"Vexa Deck Setup\" 1001 \"Exec\"\n"
           "click \"Exec\" 1202\n"
           "file \"\\Storage Card\\Tools\\bar.exe\"\n"
           "choose \"Vexa Deck Setup\" 1001 \"Resolution\"\n"
           "check \"Resolution\" \"custom\" on\n"
           "type \"Resolution\" \"Screen:\" \"640\"\n"
           "choose \"Vexa Deck Setup\" 1001 \"Skin\"\n"
           "choose \"Skin\" \"Skin:\" \"Night\"\n"
           "choose \"Vexa Deck Setup\" 1001 \"GPS\"\n"
           "choose \"GPS\" \"GPS Port:\" \"COM7:\"\n"
           "choose \"Vexa Deck Setup\" 1001 \"Etc\"\n"
           "type \"Etc\" \"Logo:\" \"\\Storage Card\\other.png\"\n"
           "click \"Vexa Deck Setup\" \"Cancel\"\n");
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(tree.ReadHostFile(kIni), kFile);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("file_written"))));
}

TEST_F(SettingsSheetTest, SavingUnchangedPagesWritesTheFileInItsDocumentedForm) {
  RunSheet("click \"Vexa Deck Setup\" \"Save\"\n");
  EXPECT_TRUE(outcome.saved);
  EXPECT_FALSE(outcome.editSkin);
  // Every key in its place with its value normalised: "navi" stored as NAVI, the Y/N boxes as Y or N,
  // the grey task-bar box empty, the old speed-gauge key under its new name; the unknown key kept;
  // a blank line between sections.
  EXPECT_EQ(tree.ReadHostFile(kIni),
            "[Main]\r\nAutoRun=NAVI\r\nAutoRunDelay=12\r\nAutoWindow=Y\r\nAutoToolbar=N\r\nStartShowTaskBar=Y\r\n"
            "ExitShowTaskBar=\r\nScreenSizeMode=FITSIZE\r\nScreenSize=\r\nVolume=7\r\n"
            "\r\n[Program]\r\nNavigation=\\%STORAGE%\\Navi\\navi.exe\r\nToolbar=\r\nMoviePlayer=\r\nMP3Player=\r\n"
            "FlashPlayer=\r\nDMBPlayer=\r\n"
            "\r\n[Folder]\r\nApplication=\\Storage Card\\VexaDeck\\Programs\r\nGame=\r\nSystem=\r\nFlash=\r\nMovie=\r\n"
            "Mp3=\r\nImage=\r\n"
            "\r\n[Skin]\r\nSkinFolder=\\Storage Card\\VexaDeck\\Skin\r\nSkinName=Default\r\nBgndAutoChange=N\r\n"
            "BgndChangeTime=60\r\n"
            "\r\n[ImageViewer]\r\nLogoFile=\\Storage Card\\VexaDeck\\logo.png\r\nRefreshTime=5\r\nLogoDispTime=7\r\n"
            "\r\n[Gps]\r\nGpsPort=COM3:\r\nGpsSpeed=4800\r\nEmulation=N\r\nSirfToNmea=Y\r\nAutoGpsTime=N\r\n"
            "AutoSpeedGauge=Y\r\n");
}

TEST_F(SettingsSheetTest, SavedPagesWriteWhatTheControlsShow) {
  RunSheet("choose \"Vexa Deck Setup\" 1001 \"Main\"\n"
           "check \"Main\" \"Navigation\" off\n"
           "check \"Main\" \"Slide Show\" on\n"
           "check \"Main\" 1113 grey\n"
           "check \"Main\" 1115 off\n"
           "choose \"Vexa Deck Setup\" 1001 \"Folder\"\n"
           "click \"Folder\" 1302\n"
           "folder \"\\Storage Card\\Games\"\n"
           "click \"Folder\" 1301\n"
           "folder \"\"\n"  // a cancelled browse keeps the folder
           "choose \"Vexa Deck Setup\" 1001 \"Resolution\"\n"
           "check \"Resolution\" \"auto\" on\n"
           "choose \"Vexa Deck Setup\" 1001 \"GPS\"\n"
           "choose \"GPS\" \"GPS Speed:\" \"19600\"\n"
           "check \"GPS\" \"Sirf -> NMEA\" off\n"
           "click \"Vexa Deck Setup\" \"Save\"\n");
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  const auto file = tree.ReadHostFile(kIni);
  EXPECT_THAT(file, HasSubstr("AutoRun=IMAGE\r\n"));
  EXPECT_THAT(file, HasSubstr("StartShowTaskBar=\r\nExitShowTaskBar=N\r\n"));
  EXPECT_THAT(file, HasSubstr("Application=\\Storage Card\\VexaDeck\\Programs\r\nGame=\\Storage Card\\Games\r\n"));
  EXPECT_THAT(file, HasSubstr("ScreenSizeMode=CHOOSE\r\nScreenSize=\r\n"));
  EXPECT_THAT(file, HasSubstr("GpsSpeed=19600\r\nEmulation=N\r\nSirfToNmea=N\r\n"));
}

TEST_F(SettingsSheetTest, ACustomSizeOf300By200IsTakenAnd299By200Refused) {
  const std::string custom =
      "choose \"Vexa Deck Setup\" 1001 \"Resolution\"\n"
      "check \"Resolution\" \"custom\" on\n"
      "type \"Resolution\" \"Screen:\" \"299\"\n"
      "type \"Resolution\" 1408 \"200\"\n"
      "click \"Vexa Deck Setup\" \"Save\"\n"
      "answer ok\n";
  RunSheet(custom + "type \"Resolution\" \"Screen:\" \"801\"\nclick \"Vexa Deck Setup\" \"Save\"\nanswer ok\n" +
           "type \"Resolution\" \"Screen:\" \"300\"\nclick \"Vexa Deck Setup\" \"Save\"\n");
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(MessageBoxes("too small"), 1);
  EXPECT_EQ(MessageBoxes("too large: this screen is 800 x 480"), 1);
  EXPECT_TRUE(outcome.saved);
  EXPECT_THAT(tree.ReadHostFile(kIni), HasSubstr("ScreenSizeMode=CUSTOM\r\nScreenSize=300,200\r\n"));
}

TEST_F(SettingsSheetTest, ARefusedSizeSavesNothingAndTheSizeButtonFollowsTheMode) {
  // "..." is disabled with "default"; with "custom" it opens the screen-size dialog, whose answer
  // fills the edits.
  RunSheet("choose \"Vexa Deck Setup\" 1001 \"Resolution\"\n"
           "check \"Resolution\" \"custom\" on\n"
           "click \"Resolution\" \"...\"\n"
           "check \"ScreenSize Setup\" \"480 x 272\" on\n"
           "click \"ScreenSize Setup\" \"Save\"\n"
           "type \"Resolution\" 1408 \"199\"\n"
           "click \"Vexa Deck Setup\" \"Save\"\n"
           "answer ok\n"
           "click \"Vexa Deck Setup\" \"Cancel\"\n");
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(MessageBoxes("too small"), 1);
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(tree.ReadHostFile(kIni), kFile);

  tree.WriteHostFile(kIni, kFile);
  EXPECT_EQ(RunSheet("choose \"Vexa Deck Setup\" 1001 \"Resolution\"\nclick \"Resolution\" \"...\"\n"), 3);
  EXPECT_THAT(Log(), Contains(HasSubstr("is disabled")));
}

TEST_F(SettingsSheetTest, TheSkinPageListsTheSkinsOfTheFolderAndSaysWhenThereAreNone) {
  tree.MakeDir("Storage Card/Empty/_common");
  RunSheet("choose \"Vexa Deck Setup\" 1001 \"Skin\"\n"
           "choose \"Skin\" \"Skin:\" \"Night\"\n"
           "click \"Skin\" 1502\n"
           "folder \"\\Storage Card\\Empty\"\n"
           "answer ok\n"
           "check \"Skin\" \"Check box and clic Save to edit Skin\" on\n"
           "click \"Vexa Deck Setup\" \"Save\"\n");
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(MessageBoxes("The skin folder does not exist."), 1);
  EXPECT_TRUE(outcome.editSkin);
  // The folder without skins is stored, and the skin stays the one before.
  EXPECT_THAT(tree.ReadHostFile(kIni), HasSubstr("SkinFolder=\\Storage Card\\Empty\r\nSkinName=default\r\n"));
}

TEST_F(SettingsSheetTest, GoConfigSavesTheNewSkinAndProgramAndTheLauncherShowsTheSkin) {
  tree.WriteHostFile("Storage Card/Tools/navi2.exe", "");
  tree.WriteHostFile(kIni, "[Skin]\r\nSkinName=Default\r\n[Program]\r\nNavigation=\\%STORAGE%\\Navi\\navi.exe\r\n");
  Run("wait 1000\n"
      "tap 50 40\n"
      "choose \"Vexa Deck Setup\" 1001 \"Skin\"\n"
      "choose \"Skin\" \"Skin:\" \"Night\"\n"
      "choose \"Vexa Deck Setup\" 1001 \"Exec\"\n"
      "click \"Exec\" 1201\n"
      "file \"\\Storage Card\\Tools\\navi2.exe\"\n"
      "click \"Vexa Deck Setup\" \"Save\"\n"
      "wait 1000\n"
      "tap 350 330\n",  // the Night skin's only slot: GO-EXIT
      [](platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); });
  const auto log = Log();
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("slot_tapped"), HasSubstr("GO-EXIT"))));
  EXPECT_THAT(log, Contains(HasSubstr(R"("event":"window_closed","title":"Vexa Deck Ver 3.x")")));
  const auto file = tree.ReadHostFile(kIni);
  EXPECT_THAT(file, HasSubstr("SkinName=Night\r\n"));
  EXPECT_THAT(file, HasSubstr("Navigation=\\Storage Card\\Tools\\navi2.exe\r\n"));
}

TEST(CustomSizeCheckTest, TheLimitsAre300By200AndTheScreen) {
  EXPECT_EQ(CheckCustomSize({300, 200}, {800, 480}), CustomSizeCheck::kAccepted);
  EXPECT_EQ(CheckCustomSize({299, 200}, {800, 480}), CustomSizeCheck::kTooSmall);
  EXPECT_EQ(CheckCustomSize({300, 199}, {800, 480}), CustomSizeCheck::kTooSmall);
  EXPECT_EQ(CheckCustomSize({800, 480}, {800, 480}), CustomSizeCheck::kAccepted);
  EXPECT_EQ(CheckCustomSize({801, 480}, {800, 480}), CustomSizeCheck::kTooLarge);
  EXPECT_EQ(CheckCustomSize({800, 481}, {800, 480}), CustomSizeCheck::kTooLarge);
  // Smaller than the floor on a screen smaller than the floor: too small comes first.
  EXPECT_EQ(CheckCustomSize({250, 150}, {240, 160}), CustomSizeCheck::kTooSmall);
}

}  // namespace
}  // namespace vexa::deck
