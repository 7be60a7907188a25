#include "deck/pictures/PictureShow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/pictures/PictureLists.h"
#include "platform/ui/Graphics.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestDevice;

// Picture files of these tests hold "colour R G B": a 4 × 2 picture of that colour; anything else is
// not a picture.
class ColourDecoder : public platform::ui::PictureDecoder {
 public:
  explicit ColourDecoder(platform::FileSystem& files) : files_(files) {}
  std::optional<gfx::Bitmap> Decode(std::u16string_view path, std::optional<gfx::Size>) override {
    const auto bytes = files_.ReadFile(path);
    int r = 0, g = 0, b = 0;
    if (!bytes || std::sscanf(bytes->c_str(), "colour %d %d %d", &r, &g, &b) != 3) return std::nullopt;
    return gfx::Bitmap(4, 2, gfx::ToPixel(gfx::Rgb(r, g, b)));
  }

 private:
  platform::FileSystem& files_;
};

class TracingPictureHost : public PictureHost {
 public:
  std::vector<std::string> trace;
  platform::WindowHandle Owner() override { return platform::kNoWindow; }
  void StopAutoChange() override { trace.push_back("stop"); }
  void RestartAutoChange() override { trace.push_back("restart"); }
  void BackgroundChanged() override { trace.push_back("background"); }
  void ShowInPlace(int slot, std::shared_ptr<const gfx::Bitmap> picture) override {
    trace.push_back("place " + std::to_string(slot));
    shown.push_back(picture);
  }
  std::vector<std::shared_ptr<const gfx::Bitmap>> shown;
};

TEST(PictureListsTest, BackgroundsAreSortedWithTheCommonOnesMarked) {
  TestDevice device;
  device.tree.WriteHostFile("Skin/Default/background/b.jpg", "x");
  device.tree.WriteHostFile("Skin/Default/background/C.PNG", "x");
  device.tree.WriteHostFile("Skin/Default/background/d.jpeg", "x");  // not one of the four endings
  device.tree.WriteHostFile("Skin/Default/background/notes.txt", "x");
  device.tree.MakeDir("Skin/Default/background/old.bmp");  // a folder, whatever its name
  device.tree.WriteHostFile("Skin/_common/background/a.png", "x");
  device.tree.WriteHostFile("Pictures/z.gif", "x");
  device.tree.WriteHostFile("Pictures/Y.bmp", "x");
  PictureLists lists;
  lists.Scan(device.files, u"\\Skin\\Default", u"\\Skin\\", u"\\Pictures");
  EXPECT_THAT(lists.backgrounds, ElementsAre(u"+a.png", u"b.jpg", u"C.PNG"));
  EXPECT_THAT(lists.pictures, ElementsAre(u"Y.bmp", u"z.gif"));

  // A missing folder gives an empty list, not an error.
  lists.Scan(device.files, u"\\Nowhere\\Skin", u"\\Nowhere\\", u"\\Nowhere");
  EXPECT_THAT(lists.backgrounds, IsEmpty());
  EXPECT_THAT(lists.pictures, IsEmpty());
}

TEST(PictureListsTest, EqualNamesKeepTheirOrderAndTheListStopsAtItsLimit) {
  std::vector<std::u16string> list;
  for (const auto* name : {u"b", u"A", u"a", u"B", u"c"}) InsertSorted(list, name, 4);
  EXPECT_THAT(list, ElementsAre(u"A", u"a", u"b", u"B"));
}

TEST(PictureListsTest, StepsWrapAtTheEdgesAndStartOverWhenTheLastOneIsGone) {
  const std::vector<std::u16string> three = {u"a.png", u"b.png", u"c.png"};
  EXPECT_EQ(StepThrough(three, u"B.PNG", true), u"c.png");
  EXPECT_EQ(StepThrough(three, u"b.png", false), u"a.png");
  EXPECT_EQ(StepThrough(three, u"c.png", true), u"a.png");
  EXPECT_EQ(StepThrough(three, u"a.png", false), u"c.png");
  EXPECT_EQ(StepThrough(three, u"gone.png", true), u"a.png");
  EXPECT_EQ(StepThrough(three, u"gone.png", false), u"a.png");
  EXPECT_EQ(StepThrough(three, u"", false), u"a.png");

  const std::vector<std::u16string> one = {u"a.png"};
  EXPECT_EQ(StepThrough(one, u"a.png", true), u"a.png");
  EXPECT_EQ(StepThrough(one, u"a.png", false), std::nullopt);
  EXPECT_EQ(StepThrough({}, u"a.png", true), std::nullopt);
}

class PictureShowTest : public ::testing::Test {
 protected:
  PictureShowTest() {
    device.platform.pictures = &decoder;
    device.tree.WriteHostFile("Skin/Default/background/red.png", "colour 255 0 0");
    device.tree.WriteHostFile("Skin/Default/background/broken.png", "not a picture");
    device.tree.WriteHostFile("Skin/_common/background/blue.jpg", "colour 0 0 255");
    device.tree.WriteHostFile("Skin/Default/skin480x272.ini", "[Main]\r\n");
    device.tree.WriteHostFile("Pictures/one.png", "colour 1 1 1");
    device.tree.WriteHostFile("Pictures/two.png", "colour 2 2 2");
    device.tree.WriteHostFile("Pictures/three.png", "colour 3 3 3");
    env.mainSettings().SetString(u"Folder", u"Image", u"\\Pictures");
  }

  void UseSkin(std::array<std::optional<int>, 6> places) {
    show.SetSkin({u"\\Skin\\", u"Default", u"\\Skin\\Default\\skin480x272.ini", places, {8, 6}});
    show.Scan();
  }

  gfx::ColorRef BackgroundColour() const { return gfx::ToColorRef(*background.PixelAt(7, 5)); }

  TestDevice device;
  ColourDecoder decoder{device.files};
  Environment env{device.platform};
  TracingPictureHost host;
  gfx::Bitmap background;
  PictureShow show{env, host, background};
};

TEST_F(PictureShowTest, ABackgroundIsStretchedOverTheScreenAndRememberedInTheSkinFile) {
  UseSkin({});
  EXPECT_THAT(show.lists().backgrounds, ElementsAre(u"+blue.jpg", u"broken.png", u"red.png"));
  show.StepBackground(true);  // nothing shown yet: the first
  EXPECT_EQ(background.size(), (gfx::Size{8, 6}));
  EXPECT_EQ(BackgroundColour(), gfx::Rgb(0, 0, 255));
  EXPECT_THAT(host.trace, ElementsAre("stop", "background", "restart"));
  EXPECT_THAT(device.tree.ReadHostFile("Skin/Default/skin480x272.ini"),
              ::testing::HasSubstr("[Background]\r\nLastImageFile=+blue.jpg\r\n"));

  // A picture that cannot be decoded leaves the old one on the screen, and the step goes on past it.
  show.StepBackground(true);
  EXPECT_EQ(BackgroundColour(), gfx::Rgb(0, 0, 255));
  show.StepBackground(true);
  EXPECT_EQ(BackgroundColour(), gfx::Rgb(255, 0, 0));
  show.StepBackground(true);  // past the last: the first again
  EXPECT_EQ(env.skin().GetString(u"Background", u"LastImageFile", u""), u"+blue.jpg");
  show.StepBackground(false);  // before the first: the last
  EXPECT_EQ(env.skin().GetString(u"Background", u"LastImageFile", u""), u"red.png");
}

TEST_F(PictureShowTest, APreviewShowsTheBackgroundWithoutRememberingIt) {
  UseSkin({});
  EXPECT_TRUE(show.PreviewBackground(u"red.png"));
  EXPECT_EQ(BackgroundColour(), gfx::Rgb(255, 0, 0));
  EXPECT_THAT(host.trace, ElementsAre("background"));
  EXPECT_EQ(env.skin().GetString(u"Background", u"LastImageFile", u"none"), u"none");
  EXPECT_EQ(device.tree.ReadHostFile("Skin/Default/skin480x272.ini"), "[Main]\r\n");
}

TEST_F(PictureShowTest, PicturesGoToThePlacesOfTheSkinInTurn) {
  UseSkin({std::nullopt, 12, std::nullopt, std::nullopt, 30, std::nullopt});
  env.skin().SetString(u"Picture", u"LastImageFile", u"gone.png");
  show.StepPicture(true);
  show.StepPicture(true);
  show.StepPicture(true);
  EXPECT_THAT(host.trace, ElementsAre("stop", "place 12", "restart", "stop", "place 30", "restart", "stop",
                                      "place 12", "restart"));
  // Sorted: one, three, two; a last-shown name that is gone starts at the first.
  ASSERT_EQ(host.shown.size(), 3u);
  EXPECT_EQ(gfx::ToColorRef(*host.shown[0]->PixelAt(0, 0)), gfx::Rgb(1, 1, 1));
  EXPECT_EQ(gfx::ToColorRef(*host.shown[1]->PixelAt(0, 0)), gfx::Rgb(3, 3, 3));
  EXPECT_EQ(gfx::ToColorRef(*host.shown[2]->PixelAt(0, 0)), gfx::Rgb(2, 2, 2));
  EXPECT_EQ(env.skin().GetString(u"Picture", u"LastImageFile", u""), u"two.png");
}

TEST_F(PictureShowTest, ASkinWithoutPicturePlacesShowsNoPictureAndKeepsItsAutomaticChange) {
  UseSkin({});
  show.StepPicture(true);
  EXPECT_THAT(host.trace, IsEmpty());
  EXPECT_EQ(env.skin().GetString(u"Picture", u"LastImageFile", u"none"), u"none");
}

}  // namespace
}  // namespace vexa::deck
