// The toolbar run headless on a small device: its window from the settings file, the second start,
// the idle shrink to the icon, the close menu, and what its buttons do to programs and windows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/InProcessWindowList.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"
#include "toolbar/ToolbarButtons.h"
#include "toolbar/ToolbarProgram.h"

// Qt last: its keyword macros must not meet the project's headers.
#include <QColor>
#include <QImage>
#include <QString>

namespace vexa::toolbar {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class ToolbarRunTest : public ::testing::Test {
 protected:
  ToolbarRunTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaToolbar.exe", "");
    tree.WriteHostFile("Storage Card/Navi/navi.exe", "");
    tree.WriteHostFile("Storage Card/Players/mp3.exe", "");
    tree.MakeDir("Windows/Desktop");
    tree.MakeDir("Windows/Programs");
  }

  void Settings(const std::string& ini) { tree.WriteHostFile("Storage Card/VexaDeck/VexaToolbar.ini", ini); }

  // Runs the toolbar with the scenario; `before` sees the platform first (other programs' windows).
  int Run(const std::string& scenario,
          const std::function<void(platform::InProcessWindowList&)>& before = nullptr,
          const std::function<void(platform::InProcessWindowList&)>& after = nullptr) {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaToolbar",   "--headless",
                                     "--device-root", tree.root().string(),
                                     "--module-path", "\\Storage Card\\VexaDeck\\VexaToolbar.exe",
                                     "--screen",      "800x480",
                                     "--lang",        "ko",
                                     "--scenario",    scenarioPath,
                                     "--log",         logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaToolbar";
    return platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                  auto* windows =
                                      dynamic_cast<platform::InProcessWindowList*>(platform.windowList);
                                  if (before && windows != nullptr) before(*windows);
                                  const int code = RunToolbar(platform, ui);
                                  if (after && windows != nullptr) after(*windows);
                                  return code;
                                });
  }

  // The log's lines of that event, and holding `part` when given.
  std::vector<std::string> Log(const char* event, const std::string& part = "") const {
    std::vector<std::string> lines;
    std::ifstream in(logPath);
    for (std::string line; std::getline(in, line);) {
      if (line.find("\"event\":\"" + std::string(event) + "\"") != std::string::npos &&
          line.find(part) != std::string::npos) {
        lines.push_back(line);
      }
    }
    return lines;
  }

  std::string Shot(const std::string& name) const { return (tree.root() / (name + ".png")).string(); }

  testing::TempDeviceTree tree;
  std::string logPath;
};

constexpr char kHotkey1[] =
    "[Hotkey1]\r\nShowToolbar=Y\r\nShortName=Navi\r\nTitle=Navigation\r\n"
    "ExeFilePath=\\%STORAGE%\\Navi\\navi.exe\r\nExecute=Y\r\n";

TEST_F(ToolbarRunTest, AnEmptySettingsFileGivesTwoButtonsAtTheTopLeftAndTheToolbarsShortcuts) {
  Settings("");
  EXPECT_EQ(Run("wait 6000\nquit\n"), 0);
  EXPECT_THAT(Log("toolbar_layout"), Contains(AllOf(HasSubstr("\"x\":0,\"y\":0,\"width\":70,\"height\":48"),
                                                    HasSubstr("\"buttons\":\"1005,1080\""))));
  // IconMinimize is absent: six idle seconds later the toolbar still shows and no icon opened.
  EXPECT_EQ(Log("window_opened").size(), 1u);
  EXPECT_EQ(tree.ReadHostFile("Windows/Desktop/VexaToolbar.lnk"),
            "40#\"\\Storage Card\\VexaDeck\\VexaToolbar.exe\"");
  EXPECT_TRUE(tree.HostExists("Windows/Programs/VexaToolbar.lnk"));
}

TEST_F(ToolbarRunTest, ASecondStartBringsTheRunningToolbarForwardAndEnds) {
  Settings("");
  EXPECT_EQ(
      Run("quit\n", [](platform::InProcessWindowList& windows) { windows.AddForeign(kToolbarTitle, u""); }),
      0);
  EXPECT_THAT(Log("window_foreground"), Contains(HasSubstr("Vexa Toolbar 1.2")));
  EXPECT_THAT(Log("window_opened"), IsEmpty());
}

TEST_F(ToolbarRunTest, ASecondStartWhileMinimisedBringsTheIconForwardNotTheHiddenToolbar) {
  Settings("");
  platform::ui::ForeignWindow icon = 0;
  std::optional<platform::ui::ForeignWindow> forward;
  Run(
      "quit\n",
      [&](platform::InProcessWindowList& windows) {
        icon = windows.AddForeign(kToolbarTitle, u"", true);
        windows.AddForeign(kToolbarTitle, u"", false);  // the hidden toolbar, above its icon
      },
      [&](platform::InProcessWindowList& windows) { forward = windows.foreground(); });
  EXPECT_EQ(forward, icon);
  EXPECT_THAT(Log("window_opened"), IsEmpty());
}

TEST_F(ToolbarRunTest, IdleItShrinksToItsIconOnlyWithIconMinimizeAndTheIconBringsItBack) {
  Settings("[Main]\r\nIconMinimize=Y\r\nIconXPostion=5000\r\nIconYPostion=100\r\n");
  Run("wait 5600\nscreenshot screen " + Shot("icon") +
      "\nclick \"Vexa Toolbar 1.2\" 1000\nscreenshot screen " + Shot("back") + "\nquit\n");
  // Five seconds after the start-up actions the icon replaces the toolbar; a tap brings it back.
  const auto opened = Log("window_opened");
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_THAT(opened[1], HasSubstr("\"t\":5500"));
  const auto shots = Log("screenshot");
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_THAT(shots[0], HasSubstr("\"windows\":1"));
  EXPECT_THAT(shots[1], HasSubstr("\"windows\":1"));
  EXPECT_THAT(Log("window_closed"), Not(IsEmpty()));
  EXPECT_THAT(Log("scenario_error"), IsEmpty());
}

TEST_F(ToolbarRunTest, MiniShrinksTheToolbarEvenWithoutIconMinimize) {
  Settings("[Toolbar]\r\nMinimize=Y\r\n");
  Run("click \"Vexa Toolbar 1.2\" \"Mini\"\nwait 100\nquit\n");
  EXPECT_EQ(Log("window_opened").size(), 2u);
  EXPECT_THAT(Log("scenario_error"), IsEmpty());
}

TEST_F(ToolbarRunTest, TheCloseMenuHidesForAWhileAndClosesTheProgram) {
  Settings("[Toolbar]\r\nClose=Y\r\n");
  const int code =
      Run("click \"Vexa Toolbar 1.2\" \"Close\"\nclick \"Toolbar Menu\" \"Hide 10 sec.\"\nwait 9900\n"
          "screenshot screen " +
          Shot("hidden") +
          "\nwait 200\nclick \"Vexa Toolbar 1.2\" \"Close\"\n"
          "click \"Toolbar Menu\" \"Close\"\nwait 60000\n");
  EXPECT_EQ(code, 0);
  EXPECT_THAT(Log("toolbar_hidden"), Contains(HasSubstr("\"seconds\":10")));
  EXPECT_THAT(Log("screenshot"), Contains(HasSubstr("\"windows\":0")));
  EXPECT_EQ(Log("toolbar_shown").size(), 1u);
  EXPECT_THAT(Log("window_closed"), Contains(HasSubstr("\"title\":\"Vexa Toolbar 1.2\"")));
  EXPECT_THAT(Log("scenario_error"), IsEmpty());
}

TEST_F(ToolbarRunTest, AProgramButtonOnlyBringsARunningProgramForward) {
  Settings(kHotkey1);
  Run("window \"Navigation\"\nclick \"Vexa Toolbar 1.2\" 1007\nquit\n");
  EXPECT_THAT(Log("window_foreground"), Contains(HasSubstr("\"title\":\"Navigation\"")));
  EXPECT_THAT(Log("process_started"), IsEmpty());
}

TEST_F(ToolbarRunTest, AProgramButtonStartsItsProgramAndAsksFirstWhenTold) {
  Settings(kHotkey1);
  Run("click \"Vexa Toolbar 1.2\" 1007\nquit\n");
  EXPECT_THAT(Log("process_started"), ElementsAre(AllOf(HasSubstr("\\\\Storage Card\\\\Navi\\\\navi.exe"),
                                                        HasSubstr("\"ok\":true"))));

  Settings(std::string(kHotkey1) + "ExecuteMessage=Y\r\n");
  Run("click \"Vexa Toolbar 1.2\" 1007\nanswer no\nquit\n");
  EXPECT_THAT(Log("message_box"),
              ElementsAre(AllOf(
                  HasSubstr("\"caption\":\"실행\""),
                  HasSubstr("Navigation 프로그램이 실행중이 아닙니다.\\r\\n[navi.exe]를 실행하시겠습니까?"),
                  HasSubstr("\"answer\":\"no\""))));
  EXPECT_THAT(Log("process_started"), IsEmpty());
}

TEST_F(ToolbarRunTest, AGroupListRunsAShortcutAndNewLeavesAnExistingOneAlone) {
  tree.WriteHostFile("Storage Card/Group/nav.lnk", "27#\"\\Storage Card\\Navi\\navi.exe\"");
  tree.WriteHostFile("Storage Card/Group/mp3.lnk", "29#\"\\Storage Card\\Players\\mp3.exe\"");
  Settings("[Program1]\r\nShowToolbar=Y\r\nProgramPath=\\%STORAGE%\\Group\r\n");
  Run("click \"Vexa Toolbar 1.2\" 1012\nclick \"Program Group\" \"New\"\nfile \"\\Storage "
      "Card\\Players\\mp3.exe\"\n"
      "choose \"Program Group\" 1000 \"nav\"\nclick \"Program Group\" \"Run\"\nquit\n");
  EXPECT_THAT(Log("file_written", "Group"), IsEmpty());
  EXPECT_EQ(tree.ReadHostFile("Storage Card/Group/mp3.lnk"), "29#\"\\Storage Card\\Players\\mp3.exe\"");
  EXPECT_THAT(Log("process_started"), ElementsAre(HasSubstr("navi.exe")));
  EXPECT_THAT(Log("window_closed"), Contains(HasSubstr("Program Group")));
  EXPECT_THAT(Log("scenario_error"), IsEmpty());
}

TEST_F(ToolbarRunTest, NewMakesAShortcutAndDelRemovesItAfterAsking) {
  tree.MakeDir("Storage Card/Group");
  Settings("[Program2]\r\nShowToolbar=Y\r\nProgramPath=\\Storage Card\\Group\r\n");
  Run("click \"Vexa Toolbar 1.2\" 1013\nclick \"Program Group\" \"Run\"\n"
      "click \"Program Group\" \"New\"\nfile \"\\Storage Card\\Navi\\navi.exe\"\n"
      "click \"Program Group\" \"Del.\"\nanswer no\nclick \"Program Group\" \"Del.\"\nanswer yes\n"
      "click \"Program Group\" \"Return\"\nquit\n");
  const auto boxes = Log("message_box");
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_THAT(boxes[0], AllOf(HasSubstr("선택된 프로그램이 없습니다."), HasSubstr("\"caption\":\"알림\"")));
  EXPECT_THAT(boxes[1],
              AllOf(HasSubstr("[navi] 단축아이콘을 삭제하시겠습니까?"), HasSubstr("\"answer\":\"no\"")));
  EXPECT_THAT(Log("file_written", "Group"), ElementsAre(HasSubstr("Group\\\\navi.lnk")));
  EXPECT_THAT(Log("file_deleted"), ElementsAre(HasSubstr("Group\\\\navi.lnk")));
  EXPECT_FALSE(tree.HostExists("Storage Card/Group/navi.lnk"));
}

TEST_F(ToolbarRunTest, KillClosesTheProgramInFrontAndAsksFirstWithKillMessage) {
  Settings("[Toolbar]\r\nKill=Y\r\n");
  Run("window \"Desktop\" class \"DesktopExplorerWindow\"\nwindow \"Notes\"\nwindow \"Editor\"\n"
      "click \"Vexa Toolbar 1.2\" \"Kill\"\nquit\n");
  EXPECT_THAT(Log("window_close_posted"), ElementsAre(HasSubstr("\"title\":\"Editor\"")));
  EXPECT_THAT(Log("message_box"), IsEmpty());

  Settings("[Toolbar]\r\nKill=Y\r\nKillMessage=Y\r\n");
  Run("window \"Editor\"\nclick \"Vexa Toolbar 1.2\" \"Kill\"\nanswer no\nclick \"Vexa Toolbar 1.2\" "
      "\"Kill\"\n"
      "answer yes\nquit\n");
  EXPECT_THAT(Log("message_box"), Contains(AllOf(HasSubstr("[Editor] 프로그램을 종료하시겠습니까?"),
                                                 HasSubstr("\"caption\":\"종료\""))));
  EXPECT_EQ(Log("window_close_posted").size(), 1u);
}

TEST_F(ToolbarRunTest, KillNeverClosesTheToolbarItselfWhenAnotherTopMostWindowLiesAboveIt) {
  Settings("[Toolbar]\r\nKill=Y\r\n");
  Run("window \"Editor\"\nwindow \"Alarm\" topmost\nclick \"Vexa Toolbar 1.2\" \"Kill\"\nquit\n");
  EXPECT_THAT(Log("window_close_posted"), ElementsAre(HasSubstr("\"title\":\"Alarm\"")));
  EXPECT_THAT(Log("window_closed", "Vexa Toolbar 1.2"), ElementsAre(HasSubstr("\"t\":0")));
}

TEST_F(ToolbarRunTest, TheKeyboardTypesIntoTheProgramInFrontWithNumericPadDigits) {
  Settings("");
  Run("window \"Notes\"\nclick \"Vexa Toolbar 1.2\" \"Keybd\"\nclick \"Toolbar Keyboard\" \"1\"\nclick \"Toolbar Keyboard\" "
      "\"q\"\n"
      "click \"Toolbar Keyboard\" \"Han\"\nclick \"Toolbar Keyboard\" \"Ⅹ\"\nquit\n");
  EXPECT_THAT(Log("window_foreground"), Contains(HasSubstr("\"title\":\"Notes\"")));
  EXPECT_THAT(Log("key_sent"), ElementsAre(AllOf(HasSubstr("\"key\":97"), HasSubstr("\"title\":\"Notes\"")),
                                           HasSubstr("\"key\":81")));
  EXPECT_THAT(Log("scenario_error"), IsEmpty());
}

TEST_F(ToolbarRunTest, StartUpRunsTheDesktopCheckAndTheAutoRunPrograms) {
  tree.WriteHostFile("Windows/explorer.exe", "");
  Settings(
      "[Main]\r\nWindowsMode=Y\r\n[Run1]\r\nExecute=Y\r\nExeFilePath=\\%STORAGE%\\Players\\mp3.exe\r\n"
      "[Run2]\r\nExecute=N\r\nExeFilePath=\\Storage Card\\Navi\\navi.exe\r\n"
      "[Run3]\r\nExecute=Y\r\nExeFilePath=\\Storage Card\\Navi\\navi.exe\r\n");
  Run("wait 400\nwait 200\nquit\n");
  const auto started = Log("process_started");
  ASSERT_EQ(started.size(), 3u);
  EXPECT_THAT(started[0], HasSubstr("explorer.exe"));
  EXPECT_THAT(started[1], HasSubstr("mp3.exe"));
  EXPECT_THAT(started[2], HasSubstr("navi.exe"));
}

TEST_F(ToolbarRunTest, TheDemoDevicesSettingsShowEveryButton) {
  std::ifstream demo(std::string(VEXA_SOURCE_DIR) + "/demo/device/Storage Card/VexaDeck/VexaToolbar.ini",
                     std::ios::binary);
  ASSERT_TRUE(demo.good());
  Settings(std::string(std::istreambuf_iterator<char>(demo), {}));
  Run("wait 600\nquit\n");
  EXPECT_THAT(
      Log("toolbar_layout"),
      ElementsAre(AllOf(HasSubstr("\"width\":512,\"height\":52"),
                        HasSubstr("\"buttons\":\"1005,1007,1008,1009,1010,1011,1002,1012,1013,1014,1015,"
                                  "1079,1080,1081,1001\""))));
  EXPECT_THAT(Log("message_box"), IsEmpty());
}

// The pixels of a screenshot in the clock label's blue.
int BluePixels(const std::string& png) {
  const QImage image(QString::fromStdString(png));
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.blue() > 200 && c.red() < 90 && c.green() < 90) ++count;
    }
  }
  return count;
}

TEST_F(ToolbarRunTest, TheClockLabelShowsTheTimeOnlyWhileTheClockButtonShows) {
  Settings("[Toolbar]\r\nClock=Y\r\nClockShow=Y\r\n");
  Run("wait 2000\nscreenshot \"Vexa Toolbar 1.2\" " + Shot("on") + "\nquit\n");
  EXPECT_GT(BluePixels(Shot("on")), 20);
  Settings("[Toolbar]\r\nClock=N\r\nClockShow=Y\r\n");
  Run("wait 2000\nscreenshot \"Vexa Toolbar 1.2\" " + Shot("off") + "\nquit\n");
  EXPECT_EQ(BluePixels(Shot("off")), 0);
}

}  // namespace
}  // namespace vexa::toolbar
