#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "common/text/Text.h"
#include "deck/media/MediaList.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/deckapp/DeckRunFixture.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

// The media list run headless over a music folder, driven by a scenario. Rows are controls 1001 to
// 1020, Add 1022, Del 1023, Prev 1024, Next 1025, Save 1 and Return 2.
class MediaListWindowTest : public ::testing::Test {
 protected:
  MediaListWindowTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.MakeDir("Windows");
    tree.WriteHostFile("Storage Card/Players/mp3.exe", "");
    tree.MakeDir("Storage Card/Players/broken.exe");  // there, but nothing that starts
    Settings("\\%STORAGE%\\Players\\mp3.exe");
  }

  void Settings(const std::string& player) {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini",
                       "[Program]\r\nMP3Player=" + player + "\r\nMoviePlayer=" + player +
                           "\r\n[Folder]\r\nMp3=\\%STORAGE%\\Music\r\nMovie=\\%STORAGE%\\Music\r\n");
  }

  void Run(const std::string& scenario, MediaMode mode = MediaMode::kMusic) {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", tree.root().string(),
                                     "--module-path", "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen",
                                     "480x272", "--lang", korean ? "ko" : "en", "--scenario", scenarioPath,
                                     "--log", logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    exitCode = platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                    [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                      Environment env(platform);
                                      env.mainSettings().Read(platform::kNoWindow,
                                                              u"\\Storage Card\\VexaDeck\\VexaDeck.ini");
                                      const auto key = mode == MediaMode::kMusic ? u"Mp3" : u"Movie";
                                      RunMediaList(env, ui, nullptr, mode,
                                                   env.mainSettings().GetString(u"Folder", key, u""));
                                      return 0;
                                    });
  }

  std::vector<std::string> Log() const { return LogLines(logPath); }

  // The virtual time of the first log line holding both texts; -1 when there is none.
  long TimeOf(const std::string& a, const std::string& b) const {
    for (const auto& line : Log()) {
      if (line.find(a) != std::string::npos && line.find(b) != std::string::npos) {
        return std::stol(line.substr(line.find(':') + 1));
      }
    }
    return -1;
  }

  testing::TempDeviceTree tree;
  std::string logPath;
  int exitCode = -1;
  bool korean = false;
};

TEST_F(MediaListWindowTest, AFolderTapWalksInAFileTapUnticksAndSaveStartsThePlayerOnThePlaylist) {
  tree.WriteHostFile("Storage Card/Music/Album/one.mp3", "x");
  tree.WriteHostFile("Storage Card/Music/Album/two.mp3", "x");
  tree.WriteHostFile("Storage Card/Music/Album/three.MP3", "x");
  tree.WriteHostFile("Storage Card/Music/top.mp3", "x");
  // Row 1 is "[Album]" after "[..]"; there rows 1 to 3 are one.mp3, three.MP3 and two.mp3.
  Run("click \"MP3\" 1002\nclick \"MP3\" 1003\nclick \"MP3\" 1\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(tree.ReadHostFile("Storage Card/Music/Album/playlist.pls"),
            "[PlayList]\r\nFile1=one.mp3\r\nFile2=two.mp3\r\nNumberOfEntries=2\r\nVersion=2\r\n");
  EXPECT_FALSE(tree.HostExists("Storage Card/Music/playlist.pls"));
  const auto started = TimeOf("process_started", "\"application\":\"\\\\Storage Card\\\\Players\\\\mp3.exe\"");
  ASSERT_GE(started, 0);
  EXPECT_THAT(Log(), Contains(HasSubstr(R"("command_line":"\"\\Storage Card\\Music\\Album\\playlist.pls\"")")));
  // The list stays three seconds behind the player, then closes.
  EXPECT_GE(TimeOf("window_closed", "\"MP3\""), started + 3000);
}

TEST_F(MediaListWindowTest, TicksAreCarriedAcrossPagesAndRowsPastTheEndAreHidden) {
  for (int i = 1; i <= 24; ++i) tree.WriteHostFile("Storage Card/Music/t" + std::to_string(100 + i) + ".mp3", "x");
  // Page 1: "[..]", t101 to t119; page 2: t120 to t124. t120 and t101 unticked, then saved from page 1.
  Run("click \"MP3\" 1025\nclick \"MP3\" 1001\nclick \"MP3\" 1024\nclick \"MP3\" 1002\nclick \"MP3\" 1025\n"
      "click \"MP3\" 1024\nclick \"MP3\" 1\n");
  const auto playlist = tree.ReadHostFile("Storage Card/Music/playlist.pls");
  EXPECT_THAT(playlist, HasSubstr("File1=t102.mp3\r\n"));
  EXPECT_THAT(playlist, HasSubstr("File18=t119.mp3\r\nFile19=t121.mp3\r\n"));
  EXPECT_THAT(playlist, HasSubstr("File22=t124.mp3\r\nNumberOfEntries=22\r\n"));

  // Page 2 shows five files: its sixth row is hidden, so a click on it fails the scenario.
  Run("click \"MP3\" 1025\nclick \"MP3\" 1005\nclick \"MP3\" 1006\n");
  EXPECT_EQ(exitCode, 3);
  // Next on the last page stays there.
  Run("click \"MP3\" 1025\nclick \"MP3\" 1025\nclick \"MP3\" 1005\nclick \"MP3\" 2\n");
  EXPECT_EQ(exitCode, 0);
}

TEST_F(MediaListWindowTest, ReturnWritesNothingAndStartsNothing) {
  tree.WriteHostFile("Storage Card/Music/a.mp3", "x");
  Run("click \"MP3\" 1022\nclick \"MP3\" 2\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("file_written"))));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("process_started"))));
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("window_closed"), HasSubstr("\"MP3\""))));
}

TEST_F(MediaListWindowTest, NothingTickedOrNoPlayerKeepsTheWindowOpen) {
  tree.WriteHostFile("Storage Card/Music/a.mp3", "x");
  Run("click \"MP3\" 1023\nclick \"MP3\" 1\nclick \"MP3\" 2\n");
  EXPECT_EQ(exitCode, 0);  // Return found the window still open
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("message_box"), HasSubstr("\"icon\":\"exclamation\""))));
  EXPECT_FALSE(tree.HostExists("Storage Card/Music/playlist.pls"));

  Settings("");
  Run("click \"MP3\" 1\nclick \"MP3\" 2\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_THAT(Log(), Contains(HasSubstr("Choose the MP3 player path from the config window.")));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("process_started"))));
}

TEST_F(MediaListWindowTest, APlayerThatFailsToStartIsReportedAndTheWindowStays) {
  tree.WriteHostFile("Storage Card/Music/a.mp3", "x");
  Settings("\\%STORAGE%\\Players\\broken.exe");
  Run("click \"MP3\" 1\nclick \"MP3\" 2\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("process_started"), HasSubstr("\"ok\":false"))));
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("\"caption\":\"Error\""),
                                    HasSubstr(R"("text":"\\Storage Card\\Players\\broken.exe cant be executed")"))));
}

TEST_F(MediaListWindowTest, TheMovieListTakesTheMovieFormatsAndSpeaksKorean) {
  tree.WriteHostFile("Storage Card/Music/x.divx", "x");
  tree.WriteHostFile("Storage Card/Music/clip.wm", "x");
  tree.WriteHostFile("Storage Card/Music/notes.txt", "x");
  korean = true;
  Run("click \"MOVIE\" 1023\nclick \"MOVIE\" 1\nclick \"MOVIE\" 1003\nclick \"MOVIE\" 1\n", MediaMode::kMovie);
  EXPECT_EQ(exitCode, 0);
  EXPECT_THAT(Log(), Contains(HasSubstr(text::ToUtf8(u"재생할 파일을 하나 이상 선택하세요."))));
  // Only x.divx (row 2 after "[..]" and clip.wm) was ticked again.
  EXPECT_EQ(tree.ReadHostFile("Storage Card/Music/playlist.pls"),
            "[PlayList]\r\nFile1=x.divx\r\nNumberOfEntries=1\r\nVersion=2\r\n");
}

}  // namespace
}  // namespace vexa::deck
