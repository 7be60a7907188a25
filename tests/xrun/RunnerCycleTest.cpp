// The built runner end to end on a device tree, headless: a tap in its first second starts the
// configuration copy, the copy changes a Run slot in the runner's file and saves it, and the next
// start of the runner runs the new slot.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TempDeviceTree.h"

namespace vexa::xrun {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class RunnerCycleTest : public ::testing::Test {
 protected:
  RunnerCycleTest() {
    tree.MakeDir("Windows");
    tree.WriteHostFile("Storage Card/Navi/navi.exe", "navi");
    std::filesystem::copy_file(VEXA_XRUN_EXE, Host("Windows/VexaXRun.exe"));
  }

  std::string Host(const std::string& relative) const { return (tree.root() / relative).string(); }

  // Runs a program of the device tree headless; answers its log lines.
  std::vector<std::string> Run(const std::string& program, const std::string& scenario,
                               const std::string& commandLine = "") {
    const std::string scenarioPath = Host("scenario.txt");
    const std::string logPath = Host("log.jsonl");
    std::ofstream(scenarioPath) << scenario;
    std::string command = Quoted(Host(program)) + " --headless --lang ko --device-root " +
                          Quoted(tree.root().string()) + " --scenario " + Quoted(scenarioPath) + " --log " +
                          Quoted(logPath);
    if (!commandLine.empty()) command += " -- " + Quoted(commandLine);
    EXPECT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
    std::vector<std::string> lines;
    std::ifstream in(logPath);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  testing::TempDeviceTree tree;
};

TEST_F(RunnerCycleTest, TheConfigurationCopyPatchesTheRunnerThatThenRunsItsNewSlot) {
  // A fresh runner does nothing; a tap in its first second starts its copy in configuration mode.
  const auto first = Run("Windows/VexaXRun.exe", "wait 600\ntap 400 240\nwait 2000\n");
  EXPECT_THAT(
      first,
      Contains(HasSubstr(
          R"("event":"process_started","application":"\\Windows\\VexaXRun_tmp.exe","command_line":"CONFIG:\\Windows\\VexaXRun.exe","ok":true)")));
  ASSERT_TRUE(tree.HostExists("Windows/VexaXRun_tmp.exe"));

  // The copy, started as the runner starts it: Run 1 gets the navigation program with " %s".
  const auto config = Run("Windows/VexaXRun_tmp.exe",
                          "type \"Vexa XRun 1.0a Config\" \"Run 1:\" \"\\Storage Card\\Navi\\navi.exe\"\n"
                          "click \"Vexa XRun 1.0a Config\" 1021\n"
                          "click \"Vexa XRun 1.0a Config\" \"OK\"\n",
                          "CONFIG:\\Windows\\VexaXRun.exe");
  EXPECT_THAT(config, Contains(HasSubstr(R"("event":"file_written","path":"\\Windows\\VexaXRun.exe")")));
  EXPECT_THAT(config, Not(Contains(HasSubstr("message_box"))));
  EXPECT_EQ(std::filesystem::status(Host("Windows/VexaXRun.exe")).permissions() &
                std::filesystem::perms::owner_exec,
            std::filesystem::perms::owner_exec);

  // The patched runner reads its new slot, hands on its command line, and removes the copy.
  const auto next = Run("Windows/VexaXRun.exe", "wait 2500\n", "-gps");
  EXPECT_THAT(
      next,
      Contains(HasSubstr(
          R"({"t":2000,"event":"process_started","application":"\\Storage Card\\Navi\\navi.exe","command_line":"-gps","ok":true})")));
  EXPECT_FALSE(tree.HostExists("Windows/VexaXRun_tmp.exe"));
}

// The demo device's runner, configured as the build configures it: it imports both registry files
// beside it into the device's registry and starts the launcher.
TEST_F(RunnerCycleTest, TheDemoRunnerImportsItsRegistryFilesAndStartsTheLauncher) {
  const std::filesystem::path demo = std::filesystem::path(VEXA_SOURCE_DIR) / "demo";
  for (const char* file : {"VexaDeck.reg", "Navi.reg"}) {
    std::filesystem::copy_file(demo / "device/Windows" / file, Host(std::string("Windows/") + file));
  }
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "launcher");
  std::string command = Quoted(VEXA_XRUN_SLOTS_TOOL) + " " + Quoted(Host("Windows/VexaXRun.exe"));
  std::ifstream slots(demo / "runner-slots.txt");
  for (std::string line; std::getline(slots, line);) {
    if (!line.empty()) command += " " + Quoted(line);
  }
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const auto log = Run("Windows/VexaXRun.exe", "wait 2500\n");
  EXPECT_THAT(
      log,
      Contains(HasSubstr(
          R"({"t":2000,"event":"process_started","application":"\\Storage Card\\VexaDeck\\VexaDeck.exe","command_line":"","ok":true})")));
  EXPECT_THAT(log, Not(Contains(HasSubstr("message_box"))));
  const std::string registry = tree.ReadHostFile("Windows/Registry.reg");
  EXPECT_THAT(registry, HasSubstr("[HKEY_LOCAL_MACHINE\\Software\\Vexa\\Deck]\r\n\"InstallDir\"="
                                  "\"\\\\Storage Card\\\\VexaDeck\"\r\n\"Runner\"=\"\\\\Windows\"\r\n"));
  EXPECT_THAT(registry, HasSubstr("[HKEY_CURRENT_USER\\Software\\Navi]\r\n\"GpsPort\"=\"COM2:\"\r\n"));
}

}  // namespace
}  // namespace vexa::xrun
