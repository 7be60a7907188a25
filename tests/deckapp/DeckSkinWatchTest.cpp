#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/Environment.h"
#include "deck/DeckWindow.h"
#include "tests/deckapp/DeckRunFixture.h"

namespace vexa::deck {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kSkinFile = "\"\\Storage Card\\VexaDeck\\Skin\\Default\\skin800x480.ini\"";

// Runs the launcher with its skin followed: the scenario's file-changed actions reach it.
class DeckSkinWatchTest : public DeckRunTest {
 protected:
  DeckSkinWatchTest() {
    extraArgs = {"--watch-skin"};
    WriteSkin("skin800x480.ini", Element(1, "RUN-NAVIGATION", "0,0", "100,60"));
  }
  void WriteHost(const std::string& name, const std::string& content) {
    std::ofstream(tree.root() / name, std::ios::binary) << content;
  }
  void RunLauncher(const std::string& scenario) {
    Run(scenario, [](platform::Platform& platform, platform::ui::UserInterface& ui) {
      Environment env(platform);
      DeckWindow window(env, ui);
      window.Run();
      return 0;
    });
  }
  long Count(const std::string& event) const {
    const auto log = Log();
    return std::count_if(log.begin(), log.end(),
                         [&](const std::string& line) { return line.find("\"" + event + "\"") != std::string::npos; });
  }
};

TEST_F(DeckSkinWatchTest, ABurstOfChangesLoadsTheSkinOnceAndTheWindowShowsTheNewLayout) {
  WriteHost("moved.ini", Element(1, "GO-EXIT", "200,200", "100,60") + Element(2, "GO-CLOCK", "0,0", "50,50"));
  // Saves 150 ms apart: each puts the load off again.
  RunLauncher(std::string("wait 1000\n") + "file-changed " + kSkinFile + " moved.ini\n" + "wait 150\n" +
              "file-changed " + kSkinFile + "\n" + "wait 150\n" +
              "file-changed \"\\Storage Card\\VexaDeck\\Skin\\Default\\button\\a.png\"\n" + "wait 1000\n" +
              "tap 250 230\n");
  EXPECT_EQ(Count("skin_reloaded"), 1);
  EXPECT_THAT(Log(), Contains(HasSubstr("\"skin_reloaded\",\"file\":\"\\\\Storage Card\\\\VexaDeck\\\\Skin\\\\Default\\\\"
                                        "skin800x480.ini\",\"elements\":2")));
  // The slot went where the new file puts it, in the same window.
  EXPECT_THAT(Log(), Contains(HasSubstr("\"slot_tapped\",\"slot\":1,\"command\":\"GO-EXIT\"")));
  EXPECT_EQ(Count("window_opened"), 1);
}

TEST_F(DeckSkinWatchTest, ASkinThatNoLongerLoadsKeepsTheLastGoodOneAndSaysWhy) {
  WriteHost("empty.ini", "[Main]\r\nFitImageSize=N\r\n");
  RunLauncher(std::string("wait 1000\n") + "file-changed " + kSkinFile + " empty.ini\n" + "wait 1000\n" +
              "tap 50 30\n");
  EXPECT_EQ(Count("skin_reloaded"), 0);
  EXPECT_THAT(Log(), Contains(HasSubstr("\"skin_reload_failed\",\"file\":")));
  EXPECT_THAT(Log(), Contains(HasSubstr("\"reason\":\"the skin file has no elements\"")));
  EXPECT_THAT(Log(), Contains(HasSubstr("\"slot_tapped\",\"slot\":1,\"command\":\"RUN-NAVIGATION\"")));
}

TEST_F(DeckSkinWatchTest, ASkinFileWrittenWithWhatTheLauncherHoldsAndOtherScreensFilesLoadNothing) {
  RunLauncher(std::string("wait 1000\n") + "file-changed " + kSkinFile + "\n" +
              "file-changed \"\\Storage Card\\VexaDeck\\Skin\\Default\\skin480x272.ini\"\n" + "wait 1000\n");
  EXPECT_EQ(Count("skin_reloaded"), 0);
  EXPECT_EQ(Count("skin_reload_failed"), 0);
  EXPECT_THAT(Log(), Contains(HasSubstr("\"file_watch\",\"folder\":\"\\\\Storage Card\\\\VexaDeck\\\\Skin\\\\Default\"")));
}

TEST_F(DeckSkinWatchTest, AScaledSkinKeptForThisScreenIsFollowedInItsNewFile) {
  std::filesystem::remove(tree.root() / "Storage Card/VexaDeck/Skin/Default/skin800x480.ini");
  WriteSkin("skin640x480.ini", Element(1, "RUN-NAVIGATION", "0,0", "80,40"));
  WriteHost("moved.ini", Element(1, "GO-EXIT", "200,200", "100,60"));
  RunLauncher(std::string("click \"Skin selector\" 1\nwait 1200\nanswer yes\nwait 1000\n") + "file-changed " +
              kSkinFile + " moved.ini\n" + "wait 1000\n" + "tap 250 230\n");
  EXPECT_THAT(Log(), Contains(HasSubstr("\"skin_reloaded\",\"file\":\"\\\\Storage Card\\\\VexaDeck\\\\Skin\\\\Default\\\\"
                                        "skin800x480.ini\"")));
  EXPECT_THAT(Log(), Contains(HasSubstr("\"slot_tapped\",\"slot\":1,\"command\":\"GO-EXIT\"")));
}

// Notes whether the speed text shows each time the GPS displays are brought up to date.
class SpeedWatchingWindow : public DeckWindow {
 public:
  using DeckWindow::DeckWindow;
  void UpdateGpsDisplays() override {
    DeckWindow::UpdateGpsDisplays();
    if (live().speed) speedShown = slot(*live().speed).IsVisible();
  }
  bool speedShown = false;
};

TEST_F(DeckSkinWatchTest, ASkinLoadedAgainWhileTheGpsRunsShowsTheSpeedInsideItsDial) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Gps]\r\nEmulation=Y\r\n");
  const std::string gauge = Element(1, "GPS-SPEED", "0,0", "200,200") + "Motion=GAUGE-SPEED\r\n";
  WriteSkin("skin800x480.ini", gauge + Element(2, "NONE", "50,50", "100,40") + "Motion=DISPLAY-SPEED\r\n");
  WriteHost("edited.ini", gauge + Element(2, "NONE", "60,60", "100,40") + "Motion=DISPLAY-SPEED\r\n");
  bool shown = false;
  Run(std::string("wait 1000\ntap 20 20\nwait 2000\n") + "file-changed " + kSkinFile + " edited.ini\n" + "wait 2000\n",
      [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
        Environment env(platform);
        SpeedWatchingWindow window(env, ui);
        window.Run();
        shown = window.speedShown;
        return 0;
      });
  EXPECT_EQ(Count("skin_reloaded"), 1);
  EXPECT_TRUE(shown);
}

TEST_F(DeckSkinWatchTest, WithoutTheOptionNothingIsWatched) {
  extraArgs.clear();
  WriteHost("moved.ini", Element(1, "GO-EXIT", "200,200", "100,60"));
  RunLauncher(std::string("wait 1000\n") + "file-changed " + kSkinFile + " moved.ini\n" + "wait 1000\n");
  EXPECT_EQ(Count("skin_reloaded"), 0);
  EXPECT_EQ(Count("file_watch"), 0);
  EXPECT_THAT(Log(), Contains(HasSubstr("\"file_changed\",\"path\":")));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("\"watched\":true"))));
}

}  // namespace
}  // namespace vexa::deck
