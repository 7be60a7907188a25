#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "deck/media/ShortcutList.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/ForwardingFileSystem.h"
#include "tests/deckapp/DeckRunFixture.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

// The device's file system with two troubles a list can meet: a file that goes away after the list
// was filled, and a file that cannot be deleted.
class TroubledFiles : public testing::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;

  std::function<void()> afterFind;
  bool refuseDeletes = false;

  std::vector<platform::FindEntry> Find(std::u16string_view pattern) override {
    auto found = inner_.Find(pattern);
    if (afterFind) afterFind();
    return found;
  }
  bool DeleteFile(std::u16string_view path) override { return !refuseDeletes && inner_.DeleteFile(path); }
};

// Opens one shortcut list headless with a scenario, on a card whose game folder is set with the
// storage token.
class ShortcutListWindowTest : public ::testing::Test {
 protected:
  ShortcutListWindowTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini",
                       "[Folder]\r\nGame=\\%STORAGE%\\VexaDeck\\Games\r\nFlash=\\Storage Card\\Flash\\\r\n"
                       "[Program]\r\nFlashPlayer=\\Storage Card\\Flash\\player.exe\r\n");
    tree.MakeDir("Storage Card/VexaDeck/Games");
    tree.MakeDir("Windows");
  }

  // A game shortcut in the device's form and the program it starts.
  void AddGame(const std::string& name) {
    const std::string target = "\\Storage Card\\Games\\" + name + ".exe";
    tree.WriteHostFile("Storage Card/Games/" + name + ".exe", "");
    tree.WriteHostFile("Storage Card/VexaDeck/Games/" + name + ".lnk",
                       std::to_string(target.size() + 2) + "#\"" + target + "\"");
  }

  void Run(const std::string& scenario, ShortcutKind kind, const char* screen = "800x480") {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", tree.root().string(), "--module-path",
                                     "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", screen, "--lang",
                                     korean ? "ko" : "en", "--scenario", scenarioPath, "--log", logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    exitCode = platform::RunProgram(
        static_cast<int>(argv.size()), argv.data(), info, [&](platform::Platform& p, platform::ui::UserInterface& ui) {
          TroubledFiles files(p.files);
          files.afterFind = afterFind;
          files.refuseDeletes = refuseDeletes;
          platform::Platform troubled{files,         p.processes,    p.messageBoxes, p.locale,     p.shell,
                                      p.modulePath,  p.commandLine,  p.folderPicker, p.controlFonts, p.ui,
                                      p.dialogs,     p.pictures,     p.fonts,        p.text,       p.resources,
                                      p.sound,       p.windowList,   p.clock,        p.log};
          Environment env(troubled);
          env.mainSettings().Read(platform::kNoWindow, u"\\Storage Card\\VexaDeck\\VexaDeck.ini");
          RunShortcutList(env, ui, nullptr, kind);
          return 0;
        });
  }

  std::vector<std::string> Log() const { return LogLines(logPath); }

  // The programs started, in order, as the log names them.
  std::vector<std::string> Started() const {
    std::vector<std::string> started;
    for (const auto& line : Log()) {
      if (line.find("process_started") == std::string::npos) continue;
      const auto at = line.find("\"application\":\"") + 15;
      started.push_back(line.substr(at, line.find('"', at) - at));
    }
    return started;
  }

  std::size_t Count(const std::string& event) const {
    std::size_t n = 0;
    for (const auto& line : Log()) n += line.find(event) != std::string::npos ? 1 : 0;
    return n;
  }

  testing::TempDeviceTree tree;
  std::string logPath;
  int exitCode = -1;
  bool korean = false;
  std::function<void()> afterFind;
  bool refuseDeletes = false;
};

TEST_F(ShortcutListWindowTest, TheButtonsShowTheShortcutsSortedTwelveAPage) {
  for (const char* name : {"Tetris", "chess", "Bubbles", "Mines", "dice", "Golf", "Pool", "Kart", "Race", "Quiz",
                           "Arrows", "Hearts", "Zoo", "Snake"}) {
    AddGame(name);
  }
  // Arrows Bubbles chess dice Golf Hearts Kart Mines Pool Quiz Race Snake | Tetris Zoo
  Run("click \"Game\" 1001\nclick \"Game\" 1003\nclick \"Game\" 1012\nclick \"Game\" 1031\nclick \"Game\" 1002\n"
      "click \"Game\" 1003\nclick \"Game\" 1031\nclick \"Game\" 1030\nclick \"Game\" 1001\nclick \"Game\" 2\n",
      ShortcutKind::kGame);
  EXPECT_EQ(exitCode, 0);
  EXPECT_THAT(Started(), ::testing::ElementsAre(R"(\\Storage Card\\Games\\Arrows.exe)",
                                                R"(\\Storage Card\\Games\\chess.exe)",
                                                R"(\\Storage Card\\Games\\Snake.exe)",
                                                R"(\\Storage Card\\Games\\Zoo.exe)",
                                                R"(\\Storage Card\\Games\\Arrows.exe)"));
  // The empty button of the second page did nothing, and Next on the last page stayed there.
  EXPECT_EQ(Count("message_box"), 0u);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("window_opened"), HasSubstr("\"Game\""))));
}

TEST_F(ShortcutListWindowTest, AShortcutGoneSinceTheListWasMadeIsReportedNotFound) {
  AddGame("Tetris");
  afterFind = [this] { std::filesystem::remove(tree.root() / "Storage Card/VexaDeck/Games/Tetris.lnk"); };
  Run("click \"Game\" 1001\n", ShortcutKind::kGame);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("message_box"), HasSubstr("\"caption\":\"Error\""),
                                    HasSubstr(R"(\\Storage Card\\VexaDeck\\Games\\Tetris.lnk file not found.)"))));
  EXPECT_TRUE(Started().empty());
}

TEST_F(ShortcutListWindowTest, DeleteModeAsksAndDeletesOnYesOnly) {
  AddGame("Chess");
  AddGame("Golf");
  Run("check \"Game\" 1032 on\n"
      "click \"Game\" 1002\nanswer no\n"
      "click \"Game\" 1001\nanswer yes\n"
      "click \"Game\" 1001\n"  // "Deleted...": nothing happens
      "check \"Game\" 1032 off\nclick \"Game\" 1001\nclick \"Game\" 1002\n",
      ShortcutKind::kGame);
  EXPECT_EQ(exitCode, 0);
  EXPECT_FALSE(tree.HostExists("Storage Card/VexaDeck/Games/Chess.lnk"));
  EXPECT_TRUE(tree.HostExists("Storage Card/VexaDeck/Games/Golf.lnk"));
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("message_box"), HasSubstr("\"caption\":\"Delete\""),
                                    HasSubstr("[Golf] shortcut file Delete?"), HasSubstr("yes_no"))));
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("file_deleted"), HasSubstr("Chess.lnk"))));
  EXPECT_EQ(Count("message_box"), 2u);
  // Out of delete mode the kept shortcut starts again.
  EXPECT_THAT(Started(), ::testing::ElementsAre(R"(\\Storage Card\\Games\\Golf.exe)"));
}

TEST_F(ShortcutListWindowTest, AShortcutThatCannotBeDeletedIsReportedAndStaysOnItsButton) {
  AddGame("Chess");
  refuseDeletes = true;
  Run("check \"Game\" 1032 on\nclick \"Game\" 1001\nanswer yes\ncheck \"Game\" 1032 off\nclick \"Game\" 1001\n",
      ShortcutKind::kGame);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("\"caption\":\"Error\""), HasSubstr("[Chess] file cant be deleted"))));
  EXPECT_TRUE(tree.HostExists("Storage Card/VexaDeck/Games/Chess.lnk"));
  EXPECT_THAT(Started(), ::testing::ElementsAre(R"(\\Storage Card\\Games\\Chess.exe)"));
}

TEST_F(ShortcutListWindowTest, AddMakesAShortcutInTheDevicesFormAndShowsIt) {
  tree.WriteHostFile("Storage Card/Apps/Notes.EXE", "");
  AddGame("Zoo");
  Run("click \"Game\" 1033\nfile \"\\Storage Card\\Apps\\Notes.EXE\"\nclick \"Game\" 1001\nclick \"Game\" 1002\n",
      ShortcutKind::kGame);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(tree.ReadHostFile("Storage Card/VexaDeck/Games/Notes.lnk"), "30#\"\\Storage Card\\Apps\\Notes.EXE\"");
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("file_dialog"), HasSubstr(R"((*.exe)|*.exe|)"))));
  // Sorted in before Zoo, and started from its button.
  EXPECT_THAT(Started(), ::testing::ElementsAre(R"(\\Storage Card\\Apps\\Notes.EXE)",
                                                R"(\\Storage Card\\Games\\Zoo.exe)"));
}

TEST_F(ShortcutListWindowTest, AddingAShortcutThatExistsChangesNothing) {
  tree.WriteHostFile("Storage Card/Apps/Chess.exe", "");
  AddGame("Chess");
  const auto before = tree.ReadHostFile("Storage Card/VexaDeck/Games/Chess.lnk");
  Run("click \"Game\" 1033\nfile \"\\Storage Card\\Apps\\Chess.exe\"\nclick \"Game\" 1002\n"
      "click \"Game\" 1033\nfile \"\\Storage Card\\Apps\\x\"\n"  // too short a name to make a shortcut of
      "click \"Game\" 1033\nfile \"\"\n",
      ShortcutKind::kGame);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(tree.ReadHostFile("Storage Card/VexaDeck/Games/Chess.lnk"), before);
  EXPECT_EQ(Count("file_written"), 0u);
  EXPECT_EQ(Count("message_box"), 0u);  // the second button stays empty: the name is not listed twice
}

TEST_F(ShortcutListWindowTest, AShortcutThatCannotBeMadeIsReported) {
  tree.WriteHostFile("Storage Card/Apps/Notes.exe", "");
  std::filesystem::remove(tree.root() / "Storage Card/VexaDeck/Games");
  Run("click \"Game\" 1033\nfile \"\\Storage Card\\Apps\\Notes.exe\"\nclick \"Game\" 1001\n", ShortcutKind::kGame);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("\"caption\":\"Error\""), HasSubstr("[Notes] shortcut cant be created"))));
  EXPECT_EQ(Count("message_box"), 1u);  // nothing was listed: the button stays empty
}

TEST_F(ShortcutListWindowTest, TheFlashListStartsTheFlashPlayerOnTheFile) {
  tree.WriteHostFile("Storage Card/Flash/player.exe", "");
  tree.WriteHostFile("Storage Card/Flash/clip.swf", "");
  tree.WriteHostFile("Storage Card/Flash/other.lnk", "");
  Run("click \"Flash\" 1001\nclick \"Flash\" 1002\n", ShortcutKind::kFlash);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("process_started"),
                                    HasSubstr(R"("application":"\\Storage Card\\Flash\\player.exe")"),
                                    HasSubstr(R"("command_line":"\\Storage Card\\Flash\\clip.swf")"))));
  EXPECT_EQ(Started().size(), 1u);  // only Flash files are listed

  // A program shortcut does not belong in the Flash list.
  Run("click \"Flash\" 1033\n", ShortcutKind::kFlash);
  EXPECT_EQ(exitCode, 3);
}

TEST_F(ShortcutListWindowTest, TheBoxesSpeakKoreanOnAKoreanDevice) {
  AddGame("Chess");
  korean = true;
  Run("check \"Game\" 1032 on\nclick \"Game\" 1001\nanswer yes\n", ShortcutKind::kGame);
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("[Chess] \xEB\xB0\x94\xEB\xA1\x9C\xEA\xB0\x80\xEA\xB8\xB0"),
                                    Not(HasSubstr("shortcut file Delete?")))));
  EXPECT_FALSE(tree.HostExists("Storage Card/VexaDeck/Games/Chess.lnk"));
}

TEST_F(ShortcutListWindowTest, TheOtherListsUseTheirOwnTitlesAndAMissingFolderListsNothing) {
  Run("click \"Applicaion\" 1001\nclick \"Applicaion\" 2\n", ShortcutKind::kApplication);
  EXPECT_EQ(exitCode, 0);
  Run("click \"System\" 1001\nclick \"System\" 2\n", ShortcutKind::kSystem, "480x272");
  EXPECT_EQ(exitCode, 0);
  EXPECT_TRUE(Started().empty());
  EXPECT_EQ(Count("message_box"), 0u);
}

}  // namespace
}  // namespace vexa::deck
