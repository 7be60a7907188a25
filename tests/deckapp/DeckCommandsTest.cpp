// The launcher driven headless the way a user drives it: taps on the slots of a skin run their
// commands, and the timers change pictures and backgrounds.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/DeckProgram.h"
#include "tests/deckapp/DeckRunFixture.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QColor>
#include <QImage>

namespace vexa::deck {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

int RunDeckProgram(platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); }

class DeckCommandsTest : public DeckRunTest {
 protected:
  void WritePicture(const std::string& relative, QColor colour) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(255, 255, 255));  // slots key out the colour of the top-left pixel
    tree.MakeDir(std::filesystem::path(relative).parent_path().string());
    ASSERT_TRUE(image.save(QString::fromStdString((tree.root() / relative).string())));
  }
  void WriteSettings(const std::string& content) { tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", content); }

  // The times of the log's events of one kind whose line holds `text`.
  std::vector<long> TimesOf(const std::string& event, const std::string& text) const {
    std::vector<long> times;
    for (const auto& line : Log()) {
      if (line.find("\"event\":\"" + event + "\"") == std::string::npos || line.find(text) == std::string::npos) continue;
      times.push_back(std::stol(line.substr(line.find("\"t\":") + 4)));
    }
    return times;
  }
};

TEST_F(DeckCommandsTest, ATapStartsTheProgramOfItsSlotAndGoExitEndsTheLauncher) {
  tree.WriteHostFile("Storage Card/Navi/navi.exe", "");
  WriteSettings("[Program]\r\nNavigation=\\%STORAGE%\\Navi\\navi.exe\r\n");
  WriteSkin("skin800x480.ini", Element(1, "GO-EXIT", "10,10", "100,60") +
                                   Element(2, "run-navigation", "200,10", "100,60") +
                                   Element(3, "\\Storage Card\\Navi\\navi.exe", "400,10", "100,60") +
                                   Element(4, "NO-SUCH-THING", "600,10", "100,60"));
  const int code = Run("wait 1000\ntap 250 40\ntap 450 40\ntap 650 40\nanswer ok\ntap 50 40\n", RunDeckProgram);
  EXPECT_EQ(code, 0);
  const auto log = Log();
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(TimesOf("process_started", R"(\\Storage Card\\Navi\\navi.exe)").size(), 2u);
  EXPECT_THAT(log, Contains(HasSubstr("[NO-SUCH-THING] is unknown command.")));
  EXPECT_THAT(log, Contains(HasSubstr(R"("event":"window_closed","title":"Vexa Deck Ver 3.x")")));
}

TEST_F(DeckCommandsTest, WithAChangeTimeOfOneSecondTheBackgroundChangesEveryTwoSeconds) {
  WritePicture("Storage Card/VexaDeck/Skin/Default/background/a.png", Qt::red);
  WritePicture("Storage Card/VexaDeck/Skin/_common/background/b.png", Qt::blue);
  WriteSettings("[Skin]\r\nBgndAutoChange=y\r\nBgndChangeTime=1\r\n");
  WriteSkin("skin800x480.ini", Element(1, "NONE", "10,10", "100,60"));
  const auto shot = (tree.root() / "shot.png").string();
  EXPECT_EQ(Run("wait 4600\nscreenshot \"Vexa Deck Ver 3.x\" " + shot + "\nquit\n", RunDeckProgram), 0);
  // The periodic timers start half a second after the window; each change saves the skin file.
  EXPECT_THAT(TimesOf("file_written", "skin800x480.ini"), ElementsAre(2500, 4500));
  EXPECT_THAT(tree.ReadHostFile("Storage Card/VexaDeck/Skin/Default/skin800x480.ini"),
              HasSubstr("[Background]\r\nLastImageFile=a.png\r\n"));
  const QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.pixel(400, 300), qRgb(255, 0, 0));  // "+b.png" first, then "a.png", stretched over the screen
}

TEST_F(DeckCommandsTest, PicturePlacesGetAPictureAtStartAndStepOnATap) {
  WritePicture("Storage Card/그림파일/one.png", Qt::green);
  WritePicture("Storage Card/그림파일/two.jpg", Qt::yellow);
  tree.WriteHostFile("Storage Card/그림파일/three.jpeg", "not listed");
  WriteSkin("skin800x480.ini", Element(1, "PIC-NEXT", "10,10", "100,60") +
                                   Element(2, "PIC-PREV", "200,10", "100,60") +
                                   Element(3, "NONE", "300,200", "200,150") + "Motion=DISPLAY-PICTURE1\r\n");
  const auto shot = (tree.root() / "shot.png").string();
  const auto skinFile = "Storage Card/VexaDeck/Skin/Default/skin800x480.ini";
  std::string afterStart;
  EXPECT_EQ(Run("wait 1000\nscreenshot \"Vexa Deck Ver 3.x\" " + shot + "\ntap 50 40\ntap 50 40\ntap 250 40\nquit\n",
                [&](platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); }),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  const QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.pixel(310, 210), qRgb(0, 255, 0));  // one.png, fitted into the place
  // Start: one; next: two; next: one (wrapped); previous: two.
  EXPECT_EQ(TimesOf("file_written", "skin800x480.ini").size(), 4u);
  EXPECT_THAT(tree.ReadHostFile(skinFile), HasSubstr("[Picture]\r\nLastImageFile=two.jpg\r\n"));
}

TEST_F(DeckCommandsTest, SelMp3TicksThreeSongsSavesThePlaylistAndStartsThePlayerOnIt) {
  tree.WriteHostFile("Storage Card/Players/mp3.exe", "");
  for (const char* song : {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "notes.txt"}) {
    tree.WriteHostFile(std::string("Storage Card/음악파일/") + song, "ID3");
  }
  tree.MakeDir("Storage Card/음악파일/Jazz");
  WriteSettings("[Program]\r\nMP3Player=\\%STORAGE%\\Players\\mp3.exe\r\n");
  WriteSkin("skin800x480.ini", Element(1, "SEL-MP3", "10,10", "100,60"));
  const int code = Run(
      "wait 1000\ntap 50 40\nclick \"MP3\" \"Del\"\ncheck \"MP3\" \"a.mp3\" on\ncheck \"MP3\" \"c.mp3\" on\n"
      "check \"MP3\" \"d.mp3\" on\nclick \"MP3\" \"Save\"\nwait 3500\nquit\n",
      RunDeckProgram);
  EXPECT_EQ(code, 0);
  const auto log = Log();
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(tree.ReadHostFile("Storage Card/음악파일/playlist.pls"),
            "[PlayList]\r\nFile1=a.mp3\r\nFile2=c.mp3\r\nFile3=d.mp3\r\nNumberOfEntries=3\r\nVersion=2\r\n");
  EXPECT_THAT(log, Contains(HasSubstr(R"("event":"process_started","application":"\\Storage Card\\Players\\mp3.exe",)"
                                      R"("command_line":"\"\\Storage Card\\음악파일\\playlist.pls\"","ok":true)")));
  // The list closes three seconds after the player started.
  EXPECT_THAT(log, Contains(HasSubstr(R"("event":"window_closed","title":"MP3")")));
}

}  // namespace
}  // namespace vexa::deck
