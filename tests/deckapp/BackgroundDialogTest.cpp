#include "deck/pictures/BackgroundDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/deckapp/DeckRunFixture.h"
#include "tests/support/TempDeviceTree.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QTimer>

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using platform::ui::CheckState;

constexpr int kNameList = 1001;
constexpr int kBlackLogo = 1002;
constexpr int kWhiteLogo = 1003;

// What the dialog showed right after opening.
struct Opened {
  bool seen = false;
  int selection = -2;
  int items = 0;
  CheckState black = CheckState::kIndeterminate;
  CheckState white = CheckState::kIndeterminate;
  bool blackEnabled = false;
  bool whiteEnabled = false;
};

// Runs the background dialog headless with a scenario, recording the previews it asks for.
class BackgroundDialogTest : public ::testing::Test {
 protected:
  BackgroundDialogTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.MakeDir("Storage Card/VexaDeck/Skin");
    tree.MakeDir("Windows");
    input.backgrounds = {u"+a.png", u"b.jpg", u"c.gif"};
    input.skinRoot = u"\\Storage Card\\VexaDeck\\Skin\\";
    input.preview = [this](std::u16string_view name) { previews.emplace_back(name); };
  }

  void Run(const std::string& scenario, const char* screen = "800x480") {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", tree.root().string(), "--module-path",
                                     "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", screen, "--lang", "en",
                                     "--scenario", scenarioPath, "--log", logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    opened = {};
    exitCode = platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                    [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                      Environment env(platform);
                                      QTimer::singleShot(0, [&] { Inspect(ui); });
                                      RunBackgroundDialog(env, ui, nullptr, input);
                                      return 0;
                                    });
  }

  void Inspect(platform::ui::UserInterface& ui) {
    for (platform::ui::Window* window : ui.TopLevelWindows()) {
      if (window->GetTitle() != u"Background") continue;
      opened.seen = true;
      opened.selection = window->Selection(kNameList);
      opened.items = window->ItemCount(kNameList);
      opened.black = window->GetCheck(kBlackLogo);
      opened.white = window->GetCheck(kWhiteLogo);
      opened.blackEnabled = window->IsControlEnabled(kBlackLogo);
      opened.whiteEnabled = window->IsControlEnabled(kWhiteLogo);
    }
  }

  std::vector<std::string> Log() const { return LogLines(logPath); }

  testing::TempDeviceTree tree;
  BackgroundDialogInput input;
  std::vector<std::u16string> previews;
  Opened opened;
  std::string logPath;
  int exitCode = -1;
};

TEST_F(BackgroundDialogTest, ChoosingANameShowsItAtOnceAndWritesNothing) {
  input.selected = u"B.JPG";
  Run("choose \"Background\" 1001 \"+a.png\"\nchoose \"Background\" 1001 \"c.gif\"\nclick \"Background\" 1\n");
  EXPECT_EQ(exitCode, 0);
  ASSERT_TRUE(opened.seen);
  EXPECT_EQ(opened.items, 3);
  EXPECT_EQ(opened.selection, 1);  // the skin's background, letter case ignored; not previewed
  EXPECT_THAT(previews, ElementsAre(u"+a.png", u"c.gif"));
  for (const auto& line : Log()) EXPECT_THAT(line, ::testing::Not(HasSubstr("file_")));
}

TEST_F(BackgroundDialogTest, ANameNotInTheListSelectsNothing) {
  input.selected = u"gone.png";
  Run("click \"Background\" 1\n");
  EXPECT_EQ(opened.selection, -1);
  EXPECT_THAT(previews, IsEmpty());
}

TEST_F(BackgroundDialogTest, TheLogoRadiosFollowTheButtonLogoAndTheFilesOfTheScreenSize) {
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/logowhitebig.png", "");
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/logoblacksml.png", "");
  input.buttonLogo = u"logowhitesml.png";
  Run("click \"Background\" 1\n");
  EXPECT_EQ(opened.white, CheckState::kChecked);
  EXPECT_EQ(opened.black, CheckState::kUnchecked);
  // At 800 × 480 the big logos belong to the choices: only the white one is there.
  EXPECT_TRUE(opened.whiteEnabled);
  EXPECT_FALSE(opened.blackEnabled);

  input.buttonLogo = u"LogoBlackBig.png";
  Run("click \"Background\" 1\n", "480x272");
  EXPECT_EQ(opened.black, CheckState::kChecked);
  EXPECT_EQ(opened.white, CheckState::kUnchecked);
  EXPECT_TRUE(opened.blackEnabled);  // the small one is there
  EXPECT_FALSE(opened.whiteEnabled);

  input.buttonLogo = u"button.png";
  Run("click \"Background\" 1\n");
  EXPECT_EQ(opened.black, CheckState::kUnchecked);
  EXPECT_EQ(opened.white, CheckState::kUnchecked);
}

TEST_F(BackgroundDialogTest, ALogoWhoseFileIsMissingCannotBeChosen) {
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/logoblackbig.png", "");
  Run("check \"Background\" 1002 on\nclick \"Background\" 1\n");
  EXPECT_EQ(exitCode, 0);
  Run("check \"Background\" 1003 on\n");
  EXPECT_EQ(exitCode, 3);  // the white radio is disabled
}

}  // namespace
}  // namespace vexa::deck
