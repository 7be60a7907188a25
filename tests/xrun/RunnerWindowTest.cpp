// The runner's start-up window headless: the hint, the tap that starts the configuration copy, and
// the slots run at two seconds, with the registry files it would import recorded.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "common/text/Text.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"
#include "xrun/RunnerConfigDialog.h"
#include "xrun/XRunProgram.h"

namespace vexa::xrun {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class RunnerWindowTest : public ::testing::Test {
 protected:
  RunnerWindowTest() {
    tree.MakeDir("Windows");
    tree.WriteHostFile("Storage Card/Tools/VexaXRun.exe", "runner");
    tree.WriteHostFile("Storage Card/Tools/nav.exe", "nav");
  }

  // Runs the runner at \Storage Card\Tools with these slots and command line; answers the log lines
  // of processes, files and windows with their times.
  std::vector<std::string> Run(const std::string& scenario, const std::string& commandLine = "") {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    const auto logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaXRun",
                                     "--headless",
                                     "--device-root",
                                     tree.root().string(),
                                     "--module-path",
                                     "\\Storage Card\\Tools\\VexaXRun.exe",
                                     "--scenario",
                                     scenarioPath,
                                     "--log",
                                     logPath,
                                     "--lang",
                                     "en",
                                     "--",
                                     commandLine};
    if (commandLine.empty()) args.pop_back();
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    RunnerServices services;
    services.readSlot = [this](int id) { return SlotText{slots[id], true}; };
    services.importRegistryFile = [this](std::u16string_view path) {
      imported.emplace_back(path);
      return true;
    };
    platform::ProgramInfo info;
    info.name = u"VexaXRun";
    EXPECT_EQ(platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                   [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                     return RunXRun(platform, ui, services);
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
      if (line.find("process_started") != std::string::npos) starts.push_back(line);
    }
    return starts;
  }

  testing::TempDeviceTree tree;
  std::map<int, std::u16string> slots;
  std::vector<std::u16string> imported;
};

TEST_F(RunnerWindowTest, WithEverySlotEmptyItClosesAfterTwoSecondsAndDoesNothingElse) {
  const auto log = Run("wait 2000\nwait 3000\n");  // a wait ends before the window it closed is gone
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":2000,"event":"window_closed","title":"Vexa XRun 1.0a"})")));
  EXPECT_THAT(Starts(log), IsEmpty());
  EXPECT_THAT(imported, IsEmpty());
  EXPECT_THAT(log, Not(Contains(HasSubstr("message_box"))));
}

TEST_F(RunnerWindowTest, RegistryFilesAreImportedBeforeProgramsStartEachFromWhereItsPathSays) {
  slots[kReg1] = u"x.reg";
  slots[kReg2] = u"\\Windows\\x.reg";
  slots[kReg3] = u"sub\\y.reg";
  slots[kRun1] = u"nav.exe %s";
  slots[kRun2] = u"App\\nav.exe";
  slots[kRun3] = u"\\Storage Card\\Tools\\nav.exe";
  const auto log = Run("wait 1999\nwait 1\n", "/auto");
  EXPECT_THAT(imported, ElementsAre(u"\\Storage Card\\Tools\\x.reg", u"\\Windows\\x.reg",
                                    u"\\Storage Card\\Tools\\sub\\y.reg"));
  const auto starts = Starts(log);
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_THAT(
      starts[0],
      HasSubstr(
          R"({"t":2000,"event":"process_started","application":"\\Storage Card\\Tools\\nav.exe","command_line":"/auto","ok":true})"));
  // A path with a "\" anywhere is taken as it is (here it names nothing).
  EXPECT_THAT(starts[1], HasSubstr(R"("application":"App\\nav.exe","command_line":"","ok":false)"));
  EXPECT_THAT(starts[2],
              HasSubstr(R"("application":"\\Storage Card\\Tools\\nav.exe","command_line":"","ok":true)"));
  EXPECT_THAT(log, Contains(HasSubstr(R"("text":"App\\nav.exe is does not execute.")")));
}

TEST_F(RunnerWindowTest, ATapInTheFirstSecondStartsTheConfigurationCopyInsteadOfTheSlots) {
  slots[kReg1] = u"x.reg";
  slots[kRun1] = u"nav.exe";
  const auto log = Run("wait 900\ntap 400 240\nwait 3000\n");
  EXPECT_THAT(imported, IsEmpty());
  EXPECT_THAT(
      Starts(log),
      ElementsAre(HasSubstr(
          R"({"t":900,"event":"process_started","application":"\\Storage Card\\Tools\\VexaXRun_tmp.exe","command_line":"CONFIG:\\Storage Card\\Tools\\VexaXRun.exe","ok":true})")));
  EXPECT_EQ(tree.ReadHostFile("Storage Card/Tools/VexaXRun_tmp.exe"), "runner");
  EXPECT_THAT(log, Contains(HasSubstr(R"({"t":900,"event":"window_closed","title":"Vexa XRun 1.0a"})")));

  // The next normal start removes the copy.
  imported.clear();
  const auto next = Run("wait 3000\n");
  EXPECT_FALSE(tree.HostExists("Storage Card/Tools/VexaXRun_tmp.exe"));
  EXPECT_THAT(imported, ElementsAre(u"\\Storage Card\\Tools\\x.reg"));
}

TEST_F(RunnerWindowTest, ATapAfterTheHintIsGoneIsIgnored) {
  slots[kRun1] = u"nav.exe";
  const auto log = Run("wait 1500\ntap 400 240\nwait 3000\n");
  EXPECT_THAT(Starts(log),
              ElementsAre(HasSubstr(
                  R"({"t":2000,"event":"process_started","application":"\\Storage Card\\Tools\\nav.exe")")));
  EXPECT_FALSE(tree.HostExists("Storage Card/Tools/VexaXRun_tmp.exe"));
}

TEST_F(RunnerWindowTest, ACopyThatCannotBeMadeIsReportedAndNothingRuns) {
  slots[kRun1] = u"nav.exe";
  tree.MakeDir("Storage Card/Tools/VexaXRun_tmp.exe");  // a folder in the way
  const auto log = Run("wait 500\ntap 400 240\nwait 3000\n");
  EXPECT_THAT(Starts(log), IsEmpty());
  EXPECT_THAT(
      log,
      Contains(AllOf(HasSubstr(R"("caption":"에러","text":"환경설정을 위한 임시파일을 생성할 수 없습니다.")"),
                     HasSubstr(R"("icon":"stop")"))));
}

// Configuration mode and the "%s" button.

TEST(RunnerConfigMode, TheSwitchIsReadWithoutRegardToCaseAndThePathTakenUnchanged) {
  EXPECT_EQ(ConfigTargetOf(u"config:\\Storage Card\\VexaXRun.exe"), u"\\Storage Card\\VexaXRun.exe");
  EXPECT_EQ(ConfigTargetOf(u"CONFIG: \"x\" "), u" \"x\" ");
  EXPECT_EQ(ConfigTargetOf(u"CONFIG:"), u"");
  EXPECT_EQ(ConfigTargetOf(u"CONFIG"), std::nullopt);
  EXPECT_EQ(ConfigTargetOf(u"/auto"), std::nullopt);
}

TEST(RunnerConfigMode, ThePercentButtonPutsOnAndTakesOffTheArgumentsSuffix) {
  EXPECT_EQ(ToggleArgumentsSuffix(u"nav.exe"), u"nav.exe %s");
  EXPECT_EQ(ToggleArgumentsSuffix(u"nav.exe %s"), u"nav.exe");
  EXPECT_EQ(ToggleArgumentsSuffix(u"nav.exe %S"), u"nav.exe");
  EXPECT_EQ(ToggleArgumentsSuffix(u""), u"");
}

}  // namespace
}  // namespace vexa::xrun
