#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcesses.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// Writes its current folder and its argv, one "[item]" to a line, to args.txt beside itself. The file
// is renamed into place so that a reader never sees half of it.
constexpr std::string_view kArgumentWriter =
    "#!/bin/sh\n"
    "out=\"$(dirname \"$0\")\"\n"
    "{ pwd -P; for a in \"$0\" \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$out/args.tmp\"\n"
    "mv \"$out/args.tmp\" \"$out/args.txt\"\n";

bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

class PosixProcessesTest : public ::testing::Test {
 protected:
  PosixProcessesTest() : files_(tree_.root().string()), processes_(files_) {}

  void WriteProgram(std::string_view relative, std::string_view content) {
    tree_.WriteHostFile(relative, content);
    fs::permissions(tree_.root() / relative, fs::perms::owner_exec, fs::perm_options::add);
  }

  std::optional<ProcessInfo> FindRunning(std::u16string_view exeFile) {
    for (const ProcessInfo& process : processes_.List()) {
      if (process.exeFile == exeFile) return process;
    }
    return std::nullopt;
  }

  testing::TempDeviceTree tree_;
  PosixFileSystem files_;
  PosixProcesses processes_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST_F(PosixProcessesTest, ArgumentsArriveIntactWithDevicePathsAsHostPaths) {
  WriteProgram("Storage Card/Player/play.sh", kArgumentWriter);
  tree_.WriteHostFile("Storage Card/Music/Best of.m3u", "a.mp3\n");

  // The program is named in another letter case, as device paths may be.
  ASSERT_TRUE(processes_.Start(
      u"\\storage card\\PLAYER\\play.sh",
      u"\"\\Storage Card\\Music\\Best of.m3u\" /loop \"say \\\"hi\\\"\" \"\" \\New\\later.txt \\..\\out"));
  ASSERT_TRUE(WaitFor([&] { return tree_.HostExists("Storage Card/Player/args.txt"); }));

  const std::string folder = fs::canonical(tree_.root() / "Storage Card/Player").string();
  EXPECT_THAT(Lines(tree_.ReadHostFile("Storage Card/Player/args.txt")),
              ElementsAre(folder,  // the current folder is the program's own
                          "[" + *files_.HostPath(u"\\Storage Card\\Player\\play.sh") + "]",
                          "[" + *files_.HostPath(u"\\Storage Card\\Music\\Best of.m3u") + "]", "[/loop]",
                          "[say \"hi\"]", "[]", "[" + *files_.HostPath(u"\\New\\later.txt") + "]",
                          // A path the device refuses goes over as it was written.
                          "[\\..\\out]"));
}

TEST_F(PosixProcessesTest, StartFailsWhenTheFileIsNoRunnableProgram) {
  tree_.WriteHostFile("Tools/readme.txt", "not a program\n");
  WriteProgram("Tools/garbage", "\x01\x02\x03 no program format");
  tree_.MakeDir("Tools/Folder");
  fs::permissions(tree_.root() / "Tools/Folder", fs::perms::all, fs::perm_options::add);

  EXPECT_FALSE(processes_.Start(u"\\Tools\\missing", u""));
  EXPECT_FALSE(processes_.Start(u"\\Tools\\readme.txt", u""));  // no execute bit
  EXPECT_FALSE(processes_.Start(u"\\Tools\\garbage", u""));     // executable, but not a known format
  EXPECT_FALSE(processes_.Start(u"\\Tools\\Folder", u""));
  EXPECT_FALSE(processes_.Start(u"\\Tools\\..\\..\\bin\\sh", u""));  // refused by the file system
}

TEST_F(PosixProcessesTest, AStartedProgramIsListedByFileNameAndTerminateEndsIt) {
  const fs::path sleep = fs::exists("/usr/bin/sleep") ? "/usr/bin/sleep" : "/bin/sleep";
  tree_.MakeDir("Tools");
  fs::copy_file(sleep, tree_.root() / "Tools/VexaNapper");

  ASSERT_TRUE(processes_.Start(u"\\Tools\\VexaNapper", u"30"));
  std::optional<ProcessInfo> napper;
  ASSERT_TRUE(WaitFor([&] { return (napper = FindRunning(u"VexaNapper")).has_value(); }));

  EXPECT_TRUE(processes_.Terminate(napper->id));
  // Gone from /proc altogether: it was ended and reaped, not left a zombie.
  const fs::path entry = "/proc/" + std::to_string(napper->id);
  EXPECT_TRUE(WaitFor([&] { return !fs::exists(entry); }));
  EXPECT_FALSE(FindRunning(u"VexaNapper").has_value());
  EXPECT_FALSE(processes_.Terminate(napper->id));
}

TEST_F(PosixProcessesTest, ListShowsThisProcessAndTerminateRefusesSpecialOrUnknownIds) {
  const auto list = processes_.List();
  const auto self = std::find_if(list.begin(), list.end(), [](const ProcessInfo& process) {
    return process.id == static_cast<std::uint32_t>(getpid());
  });
  ASSERT_NE(self, list.end());
  EXPECT_EQ(self->exeFile, u"vexa_platform_tests");

  EXPECT_FALSE(processes_.Terminate(0));
  EXPECT_FALSE(processes_.Terminate(1));
  EXPECT_FALSE(processes_.Terminate(0x7FFFFFF0));  // beyond any pid the kernel hands out
  EXPECT_FALSE(processes_.Terminate(static_cast<std::uint32_t>(INT_MAX) + 1));
}

}  // namespace
}  // namespace vexa::platform
