#include "deck/pictures/SlideShow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/ForwardingFileSystem.h"
#include "tests/deckapp/DeckRunFixture.h"
#include "tests/support/TempDeviceTree.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QColor>
#include <QImage>

namespace vexa::deck {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

// The device's file system with every folder listed backwards, so a list kept in the listing's
// order is told apart from one sorted by name.
class BackwardsListing : public testing::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::vector<platform::FindEntry> Find(std::u16string_view pattern) override {
    auto entries = inner_.Find(pattern);
    std::reverse(entries.begin(), entries.end());
    return entries;
  }
};

// The same platform with another file system.
platform::Platform WithFiles(const platform::Platform& p, platform::FileSystem& files) {
  platform::Platform copy{files, p.processes, p.messageBoxes, p.locale, p.shell, p.modulePath, p.commandLine};
  copy.folderPicker = p.folderPicker;
  copy.controlFonts = p.controlFonts;
  copy.ui = p.ui;
  copy.dialogs = p.dialogs;
  copy.pictures = p.pictures;
  copy.fonts = p.fonts;
  copy.text = p.text;
  copy.resources = p.resources;
  copy.sound = p.sound;
  copy.windowList = p.windowList;
  copy.clock = p.clock;
  copy.log = p.log;
  return copy;
}

// Runs the slide show headless over a small device tree and reads back the screenshots it took.
class SlideShowTest : public ::testing::Test {
 protected:
  SlideShowTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.MakeDir("Windows");
  }

  // A solid picture of one colour, 8 × 6, as a PNG file.
  void WritePicture(const std::string& relative, QColor color) {
    tree.WriteHostFile(relative, "");
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(QString::fromStdString((tree.root() / relative).string()), "PNG"));
  }

  void WriteSettings(const std::string& content) { tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", content); }

  // The scenario may say "shot NAME" for a screenshot of the slide show into NAME.png.
  void Run(const std::string& scenario, const char* screen = "480x272", bool backwards = false) {
    std::string script;
    std::istringstream in(scenario);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("shot ", 0) == 0) {
        line = "screenshot \"Slide Show\" " + (tree.root() / (line.substr(5) + ".png")).string();
      }
      script += line + "\n";
    }
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << script;
    logPath = (tree.root() / "log.jsonl").string();
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", tree.root().string(), "--module-path",
                                     "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", screen, "--lang",
                                     korean ? "ko" : "en", "--scenario", scenarioPath, "--log", logPath};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    exitCode = platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                                    [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                      BackwardsListing listing(platform.files);
                                      auto reordered = WithFiles(platform, listing);
                                      Environment env(backwards ? reordered : platform);
                                      env.mainSettings().Read(platform::kNoWindow,
                                                              u"\\Storage Card\\VexaDeck\\VexaDeck.ini");
                                      RunSlideShow(env, ui, nullptr);
                                      return 0;
                                    });
  }

  // The colour of a screenshot at a point; black for a shot that was not taken.
  QRgb ShotAt(const std::string& name, int x, int y) const {
    const QImage image(QString::fromStdString((tree.root() / (name + ".png")).string()));
    if (image.isNull()) return qRgb(1, 2, 3);
    return image.pixel(x, y);
  }

  std::vector<std::string> Log() const { return LogLines(logPath); }

  testing::TempDeviceTree tree;
  std::string logPath;
  int exitCode = -1;
  bool korean = false;
};

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);

TEST_F(SlideShowTest, TheLogoComesFirstThenThePicturesInListingOrderAndABadOneKeepsTheLastShown) {
  WritePicture("Storage Card/logo.png", Qt::white);
  WritePicture("Storage Card/Pictures/a.png", Qt::red);
  tree.WriteHostFile("Storage Card/Pictures/b.png", "not a picture");
  WritePicture("Storage Card/Pictures/c.PNG", Qt::blue);
  WritePicture("Storage Card/Pictures/d.jpeg", Qt::green);  // not a listed ending
  tree.MakeDir("Storage Card/Pictures/e.png");             // a folder
  // RefreshTime=0 counts as 5 seconds; the logo stays the 7 seconds given when absent.
  WriteSettings("[Folder]\r\nImage=\\%STORAGE%\\Pictures\\\r\n[ImageViewer]\r\nLogoFile=\\%STORAGE%\\logo.png\r\n"
                "RefreshTime=0\r\n");
  // Listed backwards: c.PNG, b.png, a.png.
  Run("wait 100\nshot logo\nwait 6850\nshot logoLate\nwait 100\nshot first\nwait 4900\nshot firstLate\n"
      "wait 100\nshot bad\nwait 5000\nshot third\nwait 5000\nshot again\ntap 10 10\nwait 100\n",
      "480x272", /*backwards=*/true);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(ShotAt("logo", 240, 136), kWhite);
  EXPECT_EQ(ShotAt("logoLate", 0, 0), kWhite);
  EXPECT_EQ(ShotAt("first", 0, 0), kBlue);
  EXPECT_EQ(ShotAt("first", 479, 271), kBlue);  // stretched over the whole screen
  EXPECT_EQ(ShotAt("firstLate", 240, 136), kBlue);
  EXPECT_EQ(ShotAt("bad", 240, 136), kBlue);
  EXPECT_EQ(ShotAt("third", 240, 136), kRed);
  EXPECT_EQ(ShotAt("again", 240, 136), kBlue);  // round again from the first
  const auto log = Log();
  EXPECT_THAT(log, Contains(HasSubstr("\"window_closed\",\"title\":\"Slide Show\"")));
  EXPECT_THAT(log, Not(Contains(HasSubstr("scenario_error"))));
}

TEST_F(SlideShowTest, ATapAnywhereEndsTheShow) {
  WritePicture("Storage Card/Pictures/a.png", Qt::red);
  WritePicture("Storage Card/Pictures/b.png", Qt::blue);
  WriteSettings("[Folder]\r\nImage=\\Storage Card\\Pictures\r\n");
  Run("wait 500\ntap 700 400\nwait 100\n", "800x480");
  EXPECT_EQ(exitCode, 0);
  // The window closes on the tap and the show returns: the wait after it is never taken.
  const auto log = Log();
  std::size_t tapped = 0, closed = 0;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i].find("\"text\":\"tap 700 400\"") != std::string::npos) tapped = i;
    if (log[i].find("\"window_closed\",\"title\":\"Slide Show\"") != std::string::npos) closed = i;
  }
  EXPECT_GT(tapped, 0u);
  EXPECT_GT(closed, tapped);
  EXPECT_THAT(log, Not(Contains(HasSubstr("\"text\":\"wait 100\""))));
}

TEST_F(SlideShowTest, OnePictureFollowsTheLogoTimeAndStays) {
  // No logo file: the screen stays black for the logo time, then the one picture shows for good.
  WritePicture("Storage Card/Pictures/only.png", Qt::red);
  WriteSettings("[Folder]\r\nImage=\\Storage Card\\Pictures\r\n[ImageViewer]\r\nLogoFile=\\Storage Card\\gone.png\r\n"
                "LogoDispTime=2\r\nRefreshTime=1\r\n");
  Run("wait 1900\nshot before\nwait 200\nshot after\nwait 30000\nshot later\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(ShotAt("before", 100, 100), kBlack);
  EXPECT_EQ(ShotAt("after", 100, 100), kRed);
  EXPECT_EQ(ShotAt("later", 100, 100), kRed);
}

TEST_F(SlideShowTest, TimesTooLargeForATimerAreHeldAtTheLargest) {
  WritePicture("Storage Card/logo.png", Qt::white);
  WritePicture("Storage Card/Pictures/a.png", Qt::red);
  WritePicture("Storage Card/Pictures/b.png", Qt::blue);
  WriteSettings("[Folder]\r\nImage=\\Storage Card\\Pictures\r\n[ImageViewer]\r\nLogoFile=\\Storage Card\\logo.png\r\n"
                "LogoDispTime=2147483647\r\n");
  // Multiplied in an int the time would wrap negative and fall back to 7 seconds.
  Run("wait 60000\nshot late\n");
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(ShotAt("late", 10, 10), kWhite);
}

TEST_F(SlideShowTest, AFolderWithoutPicturesIsReportedAndNoWindowOpens) {
  tree.WriteHostFile("Storage Card/Pictures/notes.txt", "");
  tree.WriteHostFile("Storage Card/Pictures/photo.jpeg", "");
  tree.MakeDir("Storage Card/Pictures/folder.jpg");
  WriteSettings("[Folder]\r\nImage=\\Storage Card\\Pictures\r\n");
  Run("");
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("message_box"), HasSubstr("\"text\":\"Folder unknown \""))));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("\"window_opened\",\"title\":\"Slide Show\""))));

  // A folder that is not there, or none set, says the same; in Korean on a Korean device.
  WriteSettings("[Folder]\r\nImage=\\Storage Card\\Nowhere\r\n");
  Run("");
  EXPECT_THAT(Log(), Contains(HasSubstr("\"text\":\"Folder unknown \"")));
  WriteSettings("");
  korean = true;
  Run("");
  EXPECT_THAT(Log(), Contains(AllOf(HasSubstr("message_box"), HasSubstr("\xEA\xB7\xB8\xEB\xA6\xBC"))));  // 그림
}

}  // namespace
}  // namespace vexa::deck
