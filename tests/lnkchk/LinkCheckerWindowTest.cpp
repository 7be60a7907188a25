// The checker's window headless on the demo device's program groups: the check finds the shortcuts
// made for cards of other names, the conversion rewrites them and nothing else.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "lnkchk/LinkCheckerWindow.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::lnkchk {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

TEST(LinkCheckerWindowTest, ConvertsTheDemoShortcutsMadeForOtherCardsAndOnlyThem) {
  testing::TempDeviceTree tree;
  const fs::path demo = fs::path(VEXA_SOURCE_DIR) / "demo/device/Storage Card/VexaDeck";
  for (const char* group : {"Programs", "Games", "System"}) {
    fs::create_directories(tree.root() / "Storage Card/VexaDeck" / group);
    fs::copy(demo / group, tree.root() / "Storage Card/VexaDeck" / group);
  }
  tree.WriteHostFile("Storage Card/VexaDeck/VexaLnkChk.exe", "");
  tree.WriteHostFile("Storage Card/Players/flash.exe", "");

  const auto scenarioPath = (tree.root() / "scenario.txt").string();
  std::ofstream(scenarioPath) << "click \"Vexa Link Checker 1.0\" \"체크\"\n"
                                 "click \"Vexa Link Checker 1.0\" \"변환\"\n"
                                 "click \"Vexa Link Checker 1.0\" \"변환\"\n";
  const auto logPath = (tree.root() / "log.jsonl").string();
  std::vector<std::string> args = {"VexaLnkChk", "--headless", "--device-root", tree.root().string(),
                                   "--module-path", "\\Storage Card\\VexaDeck\\VexaLnkChk.exe",
                                   "--scenario", scenarioPath, "--log", logPath};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  platform::ProgramInfo info;
  info.name = u"VexaLnkChk";
  EXPECT_EQ(platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                 [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                   Environment env(platform);
                                   RunLinkChecker(env, ui);
                                   return 0;
                                 }),
            0);
  std::vector<std::string> written;
  std::ifstream in(logPath);
  for (std::string line; std::getline(in, line);) {
    if (line.find("file_written") != std::string::npos) written.push_back(line);
  }
  // The second conversion finds both rows converted and writes nothing more.
  EXPECT_THAT(written, ElementsAre(HasSubstr(R"(Games\\Chess.lnk)"), HasSubstr(R"(Games\\Golf.lnk)")));
  EXPECT_EQ(tree.ReadHostFile("Storage Card/VexaDeck/Games/Chess.lnk"),
            "41#\"\\Storage Card\\Players\\flash.exe\" \"Chess\"");
  EXPECT_EQ(tree.ReadHostFile("Storage Card/VexaDeck/Games/Golf.lnk"),
            "40#\"\\Storage Card\\Players\\flash.exe\" \"Golf\"");
}

}  // namespace
}  // namespace vexa::lnkchk
