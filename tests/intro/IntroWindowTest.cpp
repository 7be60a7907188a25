// The intro headless: the start-up sequence and its stop rules, the tap that shows the menu, Windows
// mode and the settings window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "intro/IntroWindow.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::intro {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The device maker's own intro keeps running beside ours, until Windows mode ends it.
class WithMakersIntro : public platform::Processes {
 public:
  explicit WithMakersIntro(platform::Processes& inner) : inner_(inner) {}
  bool Start(std::u16string_view application, std::u16string_view commandLine) override {
    return inner_.Start(application, commandLine);
  }
  std::vector<platform::ProcessInfo> List() override {
    auto list = inner_.List();
    if (!ended) list.push_back({4242, u"GN_Intro.exe"});
    return list;
  }
  bool Terminate(std::uint32_t id) override {
    if (id != 4242) return inner_.Terminate(id);
    ended = true;
    return true;
  }
  bool ended = false;

 private:
  platform::Processes& inner_;
};

class IntroWindowTest : public ::testing::Test {
 protected:
  IntroWindowTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaIntro.exe", "");
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.WriteHostFile("Storage Card/VexaDeck/VexaToolbar.exe", "");
    tree.WriteHostFile("Storage Card/Navi/navi.exe", "");
    tree.WriteHostFile("Windows/explorer.exe", "");
    tree.MakeDir("Windows/Desktop");
    tree.MakeDir("Windows/Programs");
  }

  void Settings(const std::string& main, const std::string& programs =
                                             "VexaDeck=\\Storage Card\\VexaDeck\\VexaDeck.exe\r\n"
                                             "Navigation=\\Storage Card\\Navi\\navi.exe\r\n"
                                             "VexaToolbar=\\Storage Card\\VexaDeck\\VexaToolbar.exe\r\n") {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaIntro.ini", "[Main]\r\n" + main + "[Program]\r\n" + programs);
  }

  // Runs the intro; answers the log lines without the scenario's actions.
  std::vector<std::string> Run(const std::string& scenario) {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    const auto logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaIntro", "--headless", "--device-root", tree.root().string(),
                                     "--module-path", "\\Storage Card\\VexaDeck\\VexaIntro.exe",
                                     "--scenario", scenarioPath, "--log", logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaIntro";
    EXPECT_EQ(platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                   [this](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                     WithMakersIntro processes(platform.processes);
                                     platform::Platform withIntro{platform.files, processes, platform.messageBoxes,
                                                                  platform.locale, platform.shell, platform.modulePath};
                                     withIntro.dialogs = platform.dialogs;
                                     withIntro.resources = platform.resources;
                                     withIntro.clock = platform.clock;
                                     withIntro.ui = platform.ui;
                                     Environment env(withIntro);
                                     RunIntroWindow(env, ui);
                                     makersIntroEnded = processes.ended;
                                     return 0;
                                   }),
              0);
    std::vector<std::string> lines;
    std::ifstream in(logPath);
    for (std::string line; std::getline(in, line);) {
      if (line.find("\"event\":\"action\"") == std::string::npos) lines.push_back(line);
    }
    return lines;
  }

  static std::vector<std::string> Starts(const std::vector<std::string>& log) {
    std::vector<std::string> starts;
    for (const auto& line : log) {
      if (line.find("process_started") != std::string::npos) {
        const auto at = line.find("\"application\":\"") + 15;
        starts.push_back(line.substr(at, line.find('"', at) - at));
      }
    }
    return starts;
  }

  testing::TempDeviceTree tree;
  bool makersIntroEnded = false;
};

TEST_F(IntroWindowTest, AfterOneAndAHalfSecondsItStartsTheChosenProgramsInOrderAndCloses) {
  Settings("VexaToolbar=Y\r\nVexaDeck=Y\r\nNavigation=y\r\nWindowsMode=N\r\n");
  const auto log = Run("wait 1499\nwait 1\nwait 1000\n");
  EXPECT_THAT(Starts(log), ElementsAre(R"(\\Storage Card\\VexaDeck\\VexaToolbar.exe)",
                                       R"(\\Storage Card\\VexaDeck\\VexaDeck.exe)"));  // "y" is no yes
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":1500,"event":"window_closed","title":"VexaIntro"})")));
  EXPECT_FALSE(makersIntroEnded);
}

TEST_F(IntroWindowTest, WithNothingChosenItAsksForAChoiceAndOpensTheSettings) {
  Settings("VexaToolbar=N\r\nVexaDeck=N\r\nNavigation=N\r\nWindowsMode=N\r\n");
  const auto log = Run("wait 1500\nclick \"환경설정\" \"취소\"\nwait 3000\n");
  EXPECT_THAT(log, Contains(HasSubstr(R"("caption":"알림","text":"실행할 프로그램을 선택하세요.")")));
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":1500,"event":"window_opened","title":"환경설정"})")));
  EXPECT_THAT(Starts(log), IsEmpty());
}

TEST_F(IntroWindowTest, AToolbarWithoutAPathStopsTheRest) {
  Settings("VexaToolbar=Y\r\nVexaDeck=Y\r\nNavigation=Y\r\n",
           "VexaDeck=\\Storage Card\\VexaDeck\\VexaDeck.exe\r\nNavigation=\\Storage Card\\Navi\\navi.exe\r\n");
  const auto log = Run("wait 1500\nclick \"환경설정\" \"취소\"\nwait 3000\n");
  EXPECT_THAT(log, Contains(AllOf(HasSubstr(R"("text":"환경설정에서 [Vexa Toolbar]를 지정하세요.")"),
                                  HasSubstr(R"("icon":"exclamation")"))));
  EXPECT_THAT(Starts(log), IsEmpty());
}

TEST_F(IntroWindowTest, ATapBeforeTheStartShowsTheMenuAndNothingStartsByItself) {
  Settings("VexaToolbar=Y\r\nVexaDeck=Y\r\n");
  const auto log = Run("wait 1000\ntap 400 200\nwait 5000\nclick \"VexaIntro\" \"Navi\"\n");
  EXPECT_THAT(Starts(log), ElementsAre(R"(\\Storage Card\\Navi\\navi.exe)"));
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":6000,"event":"window_closed","title":"VexaIntro"})")));
}

TEST_F(IntroWindowTest, WindowsModeMakesTheShortcutsOnceAndEndsTheMakersIntro) {
  Settings("WindowsMode=Y\r\nVexaDeck=Y\r\n");
  auto log = Run("wait 1500\nwait 3000\n");
  // The explorer first, then 1.5 s for it to make the desktop; then the launcher as chosen.
  EXPECT_THAT(Starts(log), ElementsAre(R"(\\Windows\\explorer.exe)", R"(\\Storage Card\\VexaDeck\\VexaDeck.exe)"));
  EXPECT_EQ(tree.ReadHostFile("Windows/Desktop/VexaDeck.lnk"), "37#\"\\Storage Card\\VexaDeck\\VexaDeck.exe\"");
  EXPECT_EQ(tree.ReadHostFile("Windows/Programs/VexaDeck.lnk"), "37#\"\\Storage Card\\VexaDeck\\VexaDeck.exe\"");
  EXPECT_TRUE(makersIntroEnded);
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":3000,"event":"window_closed","title":"VexaIntro"})")));

  // With the desktop shortcut there, neither the explorer starts nor a shortcut is made.
  tree.WriteHostFile("Windows/Desktop/VexaDeck.lnk", "old");
  log = Run("wait 1000\ntap 400 200\nclick \"VexaIntro\" \"Windows\"\n");
  EXPECT_THAT(Starts(log), IsEmpty());
  EXPECT_EQ(tree.ReadHostFile("Windows/Desktop/VexaDeck.lnk"), "old");
  EXPECT_TRUE(makersIntroEnded);
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":1000,"event":"window_closed","title":"VexaIntro"})")));
}

TEST_F(IntroWindowTest, TheSettingsWindowChecksPathsSavesAndRunsTheStartUpAgain) {
  Settings("VexaToolbar=N\r\n", "");
  const auto log = Run(
      "wait 500\ntap 400 200\nclick \"VexaIntro\" \"설정\"\n"
      "check \"환경설정\" 1109 on\n"
      "click \"환경설정\" \"확인\"\n"  // the toolbar has no path yet
      "click \"환경설정\" 1108\nfile \"\\Storage Card\\VexaDeck\\VexaToolbar.exe\"\n"
      "check \"환경설정\" 1111 off\n"
      "click \"환경설정\" \"확인\"\n"
      "wait 99\nwait 1\n");
  EXPECT_THAT(log, Contains(HasSubstr(R"("caption":"알림","text":"Vexa Toolbar 경로를 설정하세요.")")));
  EXPECT_EQ(tree.ReadHostFile("Storage Card/VexaDeck/VexaIntro.ini"),
            "[Main]\r\nVexaToolbar=Y\r\nVexaDeck=N\r\nNavigation=N\r\nWindowsMode=N\r\n\r\n[Program]\r\nVexaDeck=\r\n"
            "Navigation=\r\nVexaToolbar=\\Storage Card\\VexaDeck\\VexaToolbar.exe\r\n");
  EXPECT_THAT(log, Contains(HasSubstr(
                       R"({"t":600,"event":"process_started","application":"\\Storage Card\\VexaDeck\\VexaToolbar.exe")")));
}

TEST_F(IntroWindowTest, CancelReadsTheFileAgain) {
  Settings("VexaToolbar=N\r\n");
  const auto log = Run(
      "wait 500\ntap 400 200\nclick \"VexaIntro\" \"설정\"\n"
      "check \"환경설정\" 1103 on\nclick \"환경설정\" \"취소\"\n"
      "click \"VexaIntro\" \"설정\"\nclick \"환경설정\" \"확인\"\n"
      "wait 200\n");
  // The tick given before Cancel is gone: nothing is chosen, so the start-up asks again.
  EXPECT_THAT(Starts(log), IsEmpty());
  EXPECT_THAT(log, Contains(HasSubstr(R"("text":"실행할 프로그램을 선택하세요.")")));
}

}  // namespace
}  // namespace vexa::intro
