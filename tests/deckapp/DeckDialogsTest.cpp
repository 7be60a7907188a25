#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "deck/AutoRunCountdown.h"
#include "deck/ScreenSizeDialog.h"
#include "deck/SkinSelector.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/deckapp/DeckRunFixture.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

// Runs one of the launcher's dialogs headless with a scenario.
class DeckDialogsTest : public ::testing::Test {
 protected:
  DeckDialogsTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.MakeDir("Windows");
  }

  void Run(const std::string& scenario, const std::function<void(Environment&, platform::ui::UserInterface&)>& body,
           const char* screen = "800x480") {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", tree.root().string(), "--module-path",
                                     "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", screen, "--lang", korean ? "ko" : "en",
                                     "--scenario", scenarioPath, "--log", logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    exitCode = platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                    [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                      Environment env(platform);
                                      env.mainSettings().Read(platform::kNoWindow, u"\\Storage Card\\VexaDeck\\VexaDeck.ini");
                                      body(env, ui);
                                      return 0;
                                    });
  }

  std::vector<std::string> Log() const { return LogLines(logPath); }

  testing::TempDeviceTree tree;
  std::string logPath;
  int exitCode = -1;
  bool korean = false;
};

TEST_F(DeckDialogsTest, TheCountDownStartsTheNavigationProgramWhenItRunsOut) {
  tree.WriteHostFile("Storage Card/Navi/navi.exe", "");
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini",
                     "[Main]\r\nAutoRun=navi\r\nAutoRunDelay=2\r\n[Program]\r\nNavigation=\\%STORAGE%\\Navi\\navi.exe\r\n");
  AutoRunResult result = AutoRunResult::kCancel;
  Run("wait 1500\nwait 1000\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    result = RunAutoRunCountdown(env, ui, nullptr);
  });
  EXPECT_EQ(result, AutoRunResult::kNavigation);
  const auto log = Log();
  EXPECT_THAT(log, Contains(AllOf(HasSubstr("process_started"), HasSubstr("navi.exe"))));
  // Nothing started before the two seconds were up.
  std::size_t started = 0, secondWait = 0;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i].find("process_started") != std::string::npos) started = i;
    if (log[i].find("\"wait 1000\"") != std::string::npos) secondWait = i;
  }
  EXPECT_GT(started, secondWait);
}

TEST_F(DeckDialogsTest, ADelayOfZeroRunsAtTheFirstTickAndAMissingProgramIsReported) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Main]\r\nAutoRun=NAVI\r\nAutoRunDelay=0\r\n");
  AutoRunResult result = AutoRunResult::kCancel;
  Run("wait 1000\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    result = RunAutoRunCountdown(env, ui, nullptr);
  });
  EXPECT_EQ(result, AutoRunResult::kNavigation);
  EXPECT_THAT(Log(), Contains(HasSubstr("Choose the navigation path from the config window.")));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("process_started"))));
}

TEST_F(DeckDialogsTest, ReturnCancelsAndAnotherAutoRunValueCancelsAtOnce) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Main]\r\nAutoRun=IMAGE\r\n");
  AutoRunResult result = AutoRunResult::kNavigation;
  Run("click \"AutoRun\" 2\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    result = RunAutoRunCountdown(env, ui, nullptr);
  });
  EXPECT_EQ(result, AutoRunResult::kCancel);

  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Main]\r\nAutoRun=SOMETHING\r\n");
  result = AutoRunResult::kNavigation;
  Run("", [&](Environment& env, platform::ui::UserInterface& ui) { result = RunAutoRunCountdown(env, ui, nullptr); });
  EXPECT_EQ(result, AutoRunResult::kCancel);
}

TEST_F(DeckDialogsTest, TheScreenSizeDialogOffersOnlyWhatTheScreenHolds) {
  std::optional<gfx::Size> chosen;
  // On a 480 × 272 screen 640 × 480 is disabled: choosing it fails the scenario; 430 × 234 is fine.
  Run("check \"ScreenSize Setup\" 1002 on\nclick \"ScreenSize Setup\" 1\n",
      [&](Environment& env, platform::ui::UserInterface& ui) {
        chosen = RunScreenSizeDialog(env, ui, nullptr, {480, 272});
      },
      "480x272");
  EXPECT_EQ(chosen, (gfx::Size{320, 240}));

  Run("check \"ScreenSize Setup\" 1006 on\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    chosen = RunScreenSizeDialog(env, ui, nullptr, {480, 272});
  }, "480x272");
  EXPECT_EQ(exitCode, 3);  // the 640 × 480 preset is disabled

  Run("check \"ScreenSize Setup\" 1003 on\nclick \"ScreenSize Setup\" 1\n",
      [&](Environment& env, platform::ui::UserInterface& ui) {
        chosen = RunScreenSizeDialog(env, ui, nullptr, {480, 272});
      },
      "480x272");
  EXPECT_EQ(chosen, (gfx::Size{430, 234}));
}

TEST_F(DeckDialogsTest, TheScreenSizeDialogAnswersFitCustomOrNothing) {
  std::optional<gfx::Size> chosen;
  Run("click \"ScreenSize Setup\" 1\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    chosen = RunScreenSizeDialog(env, ui, nullptr, {800, 480});  // the screen itself: Fit is checked
  });
  EXPECT_EQ(chosen, (gfx::Size{800, 480}));

  Run("type \"ScreenSize Setup\" 1011 \"500\"\nclick \"ScreenSize Setup\" 1\n",
      [&](Environment& env, platform::ui::UserInterface& ui) {
        chosen = RunScreenSizeDialog(env, ui, nullptr, {333, 222});  // no preset: Custom with the edits
      });
  EXPECT_EQ(chosen, (gfx::Size{500, 222}));

  Run("click \"ScreenSize Setup\" 2\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    chosen = RunScreenSizeDialog(env, ui, nullptr, {800, 480});
  });
  EXPECT_EQ(chosen, std::nullopt);
}

TEST_F(DeckDialogsTest, ACustomSizeOutsideTheScreenBoundsIsRefusedAndTheDialogStaysOpen) {
  std::optional<gfx::Size> chosen;
  auto choose = [&](const std::string& width, const std::string& height) {
    chosen = gfx::Size{-1, -1};
    Run("type \"ScreenSize Setup\" 1011 \"" + width + "\"\ntype \"ScreenSize Setup\" 1012 \"" + height +
            "\"\nclick \"ScreenSize Setup\" 1\nclick \"ScreenSize Setup\" 2\n",
        [&](Environment& env, platform::ui::UserInterface& ui) {
          chosen = RunScreenSizeDialog(env, ui, nullptr, {333, 222});
        });
  };
  choose("0", "0");
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(chosen, std::nullopt);  // refused, then cancelled
  EXPECT_THAT(Log(), Contains(HasSubstr("The screen size is too small")));
  choose("2000000000", "2000000000");
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_THAT(Log(), Contains(HasSubstr("The screen size is too large")));
  choose("100000", "480");
  EXPECT_EQ(chosen, std::nullopt);
  choose("16", "8192");
  EXPECT_EQ(chosen, (gfx::Size{16, 8192}));
}

TEST_F(DeckDialogsTest, TheCountDownReportsAMissingNavigationProgramInKorean) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Main]\r\nAutoRun=NAVI\r\nAutoRunDelay=0\r\n");
  korean = true;
  Run("wait 1000\n", [&](Environment& env, platform::ui::UserInterface& ui) { RunAutoRunCountdown(env, ui, nullptr); });
  EXPECT_THAT(Log(), Contains(HasSubstr("\xED\x99\x98\xEA\xB2\xBD\xEC\x84\xA4\xEC\xA0\x95\xEC\x97\x90\xEC\x84\x9C "
                                        "\xEB\x84\xA4\xEB\xB9\x84\xEA\xB2\x8C\xEC\x9D\xB4\xEC\x85\x98")));
}

TEST_F(DeckDialogsTest, TheSkinSelectorListsSkinsAndSelectsTheFileForTheScreen) {
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/skin800x480.ini", "[Main]\r\n");
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/Skin480x272.INI", "[Main]\r\n");
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/Compact/skin640x480.ini", "[Main]\r\n");
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/_Common/button/a.png", "");
  std::optional<SkinSelection> chosen;
  Run("click \"Skin selector\" 1\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    chosen = RunSkinSelector(env, ui, nullptr, u"\\Storage Card\\VexaDeck\\Skin\\", u"default", {480, 272});
  });
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->skinName, u"Default");
  EXPECT_EQ(chosen->fileName, u"Skin480x272.INI");

  Run("choose \"Skin selector\" 1001 \"Compact\"\nclick \"Skin selector\" 1\n",
      [&](Environment& env, platform::ui::UserInterface& ui) {
        chosen = RunSkinSelector(env, ui, nullptr, u"\\Storage Card\\VexaDeck\\Skin", u"Default", {800, 480});
      });
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->skinName, u"Compact");
  EXPECT_EQ(chosen->fileName, u"skin640x480.ini");

  Run("choose \"Skin selector\" 1001 \"_Common\"\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    chosen = RunSkinSelector(env, ui, nullptr, u"\\Storage Card\\VexaDeck\\Skin", u"Default", {800, 480});
  });
  EXPECT_EQ(exitCode, 3);  // the shared folder is no skin
}

TEST_F(DeckDialogsTest, TheSkinSelectorSaysSoWhenThereIsNoSkin) {
  std::optional<SkinSelection> chosen;
  Run("click \"Skin selector\" 2\n", [&](Environment& env, platform::ui::UserInterface& ui) {
    chosen = RunSkinSelector(env, ui, nullptr, u"\\Storage Card\\VexaDeck\\Skin", u"Default", {800, 480});
  });
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_EQ(exitCode, 0);
}

}  // namespace
}  // namespace vexa::deck
