#include "deck/DeckProgram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "deck/DeckStartup.h"
#include "deck/DeckWindow.h"
#include "platform/headless/InProcessWindowList.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/deckapp/DeckRunFixture.h"
#include "tests/support/TempDeviceTree.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QImage>

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

class DeckProgramTest : public DeckRunTest {};

TEST_F(DeckProgramTest, StartingWithoutASettingsFileFillsTheDefaultsAndSavesNothing) {
  WriteSkin("skin800x480.ini", Element(1, "RUN-NAVIGATION", "10,10", "100,60"));
  std::u16string skinFolder, application, mp3, logo;
  Run("wait 1000\nquit\n", [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
    Environment env(platform);
    DeckWindow window(env, ui);
    window.Run();
    skinFolder = env.mainSettings().GetString(u"Skin", u"SkinFolder", u"");
    application = env.mainSettings().GetString(u"Folder", u"Application", u"");
    mp3 = env.mainSettings().GetString(u"Folder", u"Mp3", u"");
    logo = env.mainSettings().GetString(u"ImageViewer", u"LogoFile", u"");
    return 0;
  });
  EXPECT_EQ(skinFolder, u"\\Storage Card\\VexaDeck\\Skin");
  EXPECT_EQ(application, u"\\Storage Card\\VexaDeck\\Programs");
  EXPECT_EQ(mp3, u"\\Storage Card\\음악파일");
  EXPECT_EQ(logo, u"\\Storage Card\\VexaDeck\\logo.png");
  EXPECT_FALSE(tree.HostExists("Storage Card/VexaDeck/VexaDeck.ini"));
  EXPECT_THAT(Log(), Contains(HasSubstr("\"window_opened\",\"title\":\"Vexa Deck Ver 3.x\"")));
  // The launcher placed its own shortcuts.
  EXPECT_EQ(tree.ReadHostFile("Windows/Desktop/VexaDeck.lnk"), "37#\"\\Storage Card\\VexaDeck\\VexaDeck.exe\"");
}

TEST_F(DeckProgramTest, ASecondLauncherBringsTheFirstForwardAndEnds) {
  WriteSkin("skin800x480.ini", Element(1, "RUN-NAVIGATION", "10,10", "100,60"));
  const int code = Run("quit\n", [](platform::Platform& platform, platform::ui::UserInterface& ui) {
    auto* windows = dynamic_cast<platform::InProcessWindowList*>(platform.windowList);
    EXPECT_NE(windows, nullptr);
    if (windows != nullptr) windows->AddForeign(kDeckTitle, u"Dialog");
    return RunDeck(platform, ui);
  });
  EXPECT_EQ(code, 0);
  EXPECT_THAT(Log(), Contains(HasSubstr("\"window_foreground\"")));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("\"window_opened\""))));
}

TEST_F(DeckProgramTest, WithoutASkinFileForTheScreenTheChooserOpensAndCancellingEndsTheProgram) {
  WriteSkin("skin640x480.ini", Element(1, "RUN-NAVIGATION", "320,240", "80,40"));
  bool returned = false;
  Run("click \"Skin selector\" 2\n", [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
    RunDeck(platform, ui);
    returned = true;
    return 0;
  });
  EXPECT_TRUE(returned);
  const auto log = Log();
  EXPECT_THAT(log, Contains(HasSubstr("\"window_opened\",\"title\":\"Skin selector\"")));
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));
}

TEST_F(DeckProgramTest, AChosenSkinOfAnotherSizeIsScaledAndKeptForThisScreenOnYes) {
  WriteSkin("skin640x480.ini", Element(1, "RUN-NAVIGATION", "320,240", "80,40"));
  Run("click \"Skin selector\" 1\nwait 1200\nanswer yes\nwait 1000\nquit\n",
      [](platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); });
  const auto log = Log();
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("\"message_box\""), HasSubstr("Use this skin?"),
                                  HasSubstr("\"answer\":\"yes\""))));
  ASSERT_TRUE(tree.HostExists("Storage Card/VexaDeck/Skin/Default/skin800x480.ini"));
  const auto written = tree.ReadHostFile("Storage Card/VexaDeck/Skin/Default/skin800x480.ini");
  // 640 × 480 to 800 × 480: x and width by 800 / 640, y and height unchanged.
  EXPECT_THAT(written, HasSubstr("Position=400,240\r\n"));
  EXPECT_THAT(written, HasSubstr("Size=100,40\r\n"));
  EXPECT_THAT(written, HasSubstr("Action=RUN-NAVIGATION\r\n"));
}

TEST_F(DeckProgramTest, AtExitTheTaskbarIsShownOrHiddenAsTheSettingsSay) {
  WriteSkin("skin800x480.ini", Element(1, "RUN-NAVIGATION", "10,10", "100,60"));
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini",
                     "[Main]\r\nStartShowTaskBar=\r\nExitShowTaskBar=N\r\n");
  bool visibleWhileRunning = false;
  bool visibleAfterExit = true;
  Run("wait 1000\nquit\n", [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
    auto* windows = dynamic_cast<platform::InProcessWindowList*>(platform.windowList);
    const auto taskbar = windows->AddForeign(u"", kTaskbarClass, true);
    Environment env(platform);
    {
      DeckWindow window(env, ui);
      window.Run();
      visibleWhileRunning = true;
    }
    visibleAfterExit = windows->IsVisible(taskbar);
    return 0;
  });
  EXPECT_TRUE(visibleWhileRunning);
  EXPECT_FALSE(visibleAfterExit);
}

}  // namespace
}  // namespace vexa::deck

namespace vexa::deck {
namespace {

TEST_F(DeckProgramTest, WithoutABackgroundPictureTheWholeWindowIsBlankAndHugeSlotsCostNoMemory) {
  // No ImageFile: the window is the blank (black) picture between the slots too. One slot is far
  // larger than any screen and another reaches the end of the int range: both draw only what shows.
  WriteSkin("skin800x480.ini", Element(1, "RUN-NAVIGATION", "10,10", "100,60") +
                                   Element(2, "NONE", "700,400", "100000,100000") +
                                   Element(3, "NONE", "2000000000,2000000000", "2000000000,2000000000") +
                                   Element(4, "NONE", "-2000000000,300", "2000000000,2000000000"));
  const auto shot = (tree.root() / "shot.png").string();
  const int code = Run("wait 1000\nscreenshot \"Vexa Deck Ver 3.x\" " + shot + "\nquit\n",
                       [](platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); });
  EXPECT_EQ(code, 0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  const QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(800, 480));
  EXPECT_EQ(image.pixel(400, 200), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(799, 479), qRgb(0, 0, 0));  // inside the huge slot: its piece of the blank picture
}

TEST_F(DeckProgramTest, TheChooseModeAsksForTheScreenSizeAndCancellingEndsTheProgram) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Main]\r\nScreenSizeMode=CHOOSE\r\n");
  WriteSkin("skin480x272.ini", Element(1, "RUN-NAVIGATION", "10,10", "100,60"));
  // 480 × 272 is the fifth preset (control 1005); its skin file exists, so no chooser follows.
  Run("check \"ScreenSize Setup\" 1005 on\nclick \"ScreenSize Setup\" 1\nwait 600\nquit\n",
      [](platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); });
  auto log = Log();
  EXPECT_THAT(log, Contains(HasSubstr("\"window_opened\",\"title\":\"ScreenSize Setup\"")));
  EXPECT_THAT(log, Not(Contains(HasSubstr("\"title\":\"Skin selector\""))));
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));

  Run("click \"ScreenSize Setup\" 2\n",
      [](platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); });
  log = Log();
  EXPECT_THAT(log, Not(Contains(HasSubstr("\"title\":\"Skin selector\""))));
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));
}

}  // namespace
}  // namespace vexa::deck
