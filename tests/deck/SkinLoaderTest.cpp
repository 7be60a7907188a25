#include "deck/SkinLoader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "common/text/Text.h"
#include "deck/SkinFile.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestDevice;

constexpr gfx::Size kSmallScreen{480, 272};
constexpr std::u16string_view kSkins = u"\\Storage Card\\VexaDeck\\Skin\\";

// Answers the chooser from the test, remembering what it was asked.
class FakeChooser : public SkinChooser {
 public:
  std::optional<SkinChoice> Choose(std::u16string_view skinFolder, std::u16string_view currentSkin,
                                   gfx::Size screen) override {
    asked.push_back(std::u16string(skinFolder) + u"|" + std::u16string(currentSkin) + u"|" +
                    text::FromInt(screen.width) + u"x" + text::FromInt(screen.height));
    return answer;
  }
  std::optional<SkinChoice> answer;
  std::vector<std::u16string> asked;
};

class SkinLoaderTest : public ::testing::Test {
 protected:
  SkinLoaderTest() { settings.FillDefaults(); }

  // Writes a skin file under the skin folder: "Default/skin480x272.ini".
  void WriteSkin(std::string_view relative, std::string_view bytes) {
    device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/" + std::string(relative), bytes);
  }
  SkinLoadContext Context(gfx::Size screen = kSmallScreen) {
    SkinLoadContext context;
    context.screen = screen;
    return context;
  }
  // Loads "Default/skin<screen>.ini" through the normal start-up path.
  LoadedSkin LoadForScreen(gfx::Size screen = kSmallScreen) {
    auto result = loader.ChooseAndLoad(false, chooser, Context(screen));
    EXPECT_EQ(result.outcome, SkinOutcome::kLoaded);
    EXPECT_THAT(chooser.asked, IsEmpty());
    return result.skin.value_or(LoadedSkin{});
  }
  std::vector<std::u16string> BoxTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& shown : device.messageBoxes.shown()) texts.push_back(shown.request.text);
    return texts;
  }

  TestDevice device;
  Environment environment{device.platform};
  DeckSettings settings{environment};
  SkinLoader loader{environment, settings};
  FakeChooser chooser;
};

// --- Choosing the skin file -----------------------------------------------------------------------

TEST_F(SkinLoaderTest, TheSkinFileForTheScreenIsLoadedWithoutTheChooser) {
  WriteSkin("Default/skin800x480.ini", "[Button01]\r\nText=big\r\n");
  WriteSkin("Default/skin480x272.ini", "[Button01]\r\nText=small\r\n");
  const auto skin = LoadForScreen();
  EXPECT_EQ(skin.location.file, std::u16string(kSkins) + u"Default\\skin480x272.ini");
  EXPECT_EQ(skin.location.designSize, (gfx::Size{0, 0}));
  EXPECT_EQ(skin.slots[0].caption, u"small");
  EXPECT_FALSE(skin.fitting);
}

TEST_F(SkinLoaderTest, WithoutAFileForTheScreenTheChosenFileIsLoadedAndScaledAndTheNameSaved) {
  WriteSkin("Wide/skin800x480.ini", "[Button01]\r\nText=wide\r\n");
  chooser.answer = SkinChoice{u"Wide", u"skin800x480.ini"};
  const auto result = loader.ChooseAndLoad(false, chooser, Context());

  EXPECT_THAT(chooser.asked, ElementsAre(std::u16string(kSkins) + u"|Default|480x272"));
  ASSERT_EQ(result.outcome, SkinOutcome::kLoaded);
  EXPECT_TRUE(result.chosenInChooser);
  const auto& skin = *result.skin;
  EXPECT_EQ(skin.slots[0].caption, u"wide");
  EXPECT_EQ(skin.location.designSize, (gfx::Size{800, 480}));
  // A later save goes to the file for this screen, stretched to it.
  EXPECT_EQ(skin.location.file, std::u16string(kSkins) + u"Wide\\skin480x272.ini");
  EXPECT_TRUE(skin.fitting);
  EXPECT_EQ(environment.skin().GetString(u"Main", u"FitImageSize", u""), u"Y");
  EXPECT_EQ(settings.SkinName(), u"Wide");
  EXPECT_NE(device.tree.ReadHostFile("Storage Card/VexaDeck/VexaDeck.ini").find("SkinName=Wide"),
            std::string::npos);
}

TEST_F(SkinLoaderTest, CancellingTheChooserEndsTheStartButChangesNothingWhenAskedFor) {
  EXPECT_EQ(loader.ChooseAndLoad(false, chooser, Context()).outcome, SkinOutcome::kCancelled);

  WriteSkin("Default/skin480x272.ini", "[Button01]\r\n");
  const auto forced = loader.ChooseAndLoad(true, chooser, Context());
  EXPECT_EQ(forced.outcome, SkinOutcome::kUnchanged);
  EXPECT_FALSE(forced.skin);
  EXPECT_EQ(chooser.asked.size(), 2u);
}

TEST_F(SkinLoaderTest, AChosenFileThatIsMissingLoadsNothingAndKeepsTheSkinName) {
  chooser.answer = SkinChoice{u"Gone", u"skin640x480.ini"};
  const auto result = loader.ChooseAndLoad(false, chooser, Context());
  EXPECT_EQ(result.outcome, SkinOutcome::kUnchanged);
  EXPECT_FALSE(result.skin);
  EXPECT_EQ(settings.SkinName(), u"Default");
  EXPECT_FALSE(device.tree.HostExists("Storage Card/VexaDeck/VexaDeck.ini"));
}

TEST(SkinFileNameTest, TheDesignSizeComesFromTheChosenFileName) {
  EXPECT_EQ(DesignSizeFromFileName(u"skin800x480.ini", kSmallScreen), (gfx::Size{800, 480}));
  EXPECT_EQ(DesignSizeFromFileName(u"SKIN640X480.INI", kSmallScreen), (gfx::Size{640, 480}));
  EXPECT_EQ(DesignSizeFromFileName(u"Skin480X272.ini", kSmallScreen), (gfx::Size{0, 0}));
  // Names that give no usable size are taken as made for this screen, never as a zero divisor.
  EXPECT_EQ(DesignSizeFromFileName(u"skinwide.ini", kSmallScreen), (gfx::Size{0, 0}));
  EXPECT_EQ(DesignSizeFromFileName(u"skin0x480.ini", kSmallScreen), (gfx::Size{0, 0}));
  EXPECT_EQ(DesignSizeFromFileName(u"skin.ini", kSmallScreen), (gfx::Size{0, 0}));
}

// --- Scaling --------------------------------------------------------------------------------------

TEST_F(SkinLoaderTest, ASkinForALargerScreenIsScaledDownWithTruncationAndAMinimumTextSize) {
  WriteSkin("Default/skin800x480.ini",
            "[Button01]\r\nPosition=400,240\r\nSize=80,40\r\nTextSize=20\r\n"
            "[Button02]\r\nTextSize=40\r\n");
  chooser.answer = SkinChoice{u"Default", u"skin800x480.ini"};
  const auto skin = *loader.ChooseAndLoad(false, chooser, Context()).skin;
  ASSERT_TRUE(skin.slots[0].bounds);
  EXPECT_EQ(*skin.slots[0].bounds, (gfx::Rect{240, 136, 288, 158}));
  EXPECT_EQ(skin.slots[0].bounds->width(), 48);
  EXPECT_EQ(skin.slots[0].bounds->height(), 22);
  EXPECT_EQ(skin.slots[0].captionHeight, 13);  // 20 * 480 / 800 = 12, raised to 13
  EXPECT_EQ(skin.slots[1].captionHeight, 24);
  EXPECT_EQ(skin.slots[1].bounds, skin.slots[0].bounds);  // carried over from the element before
  EXPECT_TRUE(skin.slots[0].fitting);
}

TEST(SkinScalingTest, HugeCoordinatesDoNotOverflow) {
  const auto scaled = ScaleToScreen({2147483000, 0, 2147483600, 10}, {1600, 960}, {800, 480});
  EXPECT_EQ(scaled.left, 2147483647);
  EXPECT_EQ(scaled.bottom, 20);
}

TEST(SkinScalingTest, AScaledRectangleKeepsAWidthAndHeightAnIntCanHold) {
  const auto scaled = ScaleToScreen({-2000000000, 0, 0, 100}, {1600, 960}, {800, 480});
  EXPECT_EQ(scaled.left, std::numeric_limits<int>::min());
  EXPECT_EQ(scaled.right, -1);  // held one short of 0 so that right - left fits
  EXPECT_EQ(scaled.width(), std::numeric_limits<int>::max());
  EXPECT_EQ(scaled.bottom, 200);
}

TEST_F(SkinLoaderTest, PositionPlusSizeBeyondTheIntRangeIsHeldAtItsEnd) {
  // 2000000000 + 2000000000 overflowed the slot's right and bottom edges.
  WriteSkin("Default/skin480x272.ini",
            "[Button01]\r\nPosition=2000000000,-2000000000\r\nSize=2000000000,2147483647\r\n");
  const auto skin = LoadForScreen();
  ASSERT_TRUE(skin.slots[0].bounds);
  EXPECT_EQ(*skin.slots[0].bounds, (gfx::Rect{2000000000, -2000000000, std::numeric_limits<int>::max(), 147483647}));
  // Kept, the slot is written with a size that reads back.
  ::vexa::deck::WriteSkin(environment.skin(), skin.slots);
  EXPECT_EQ(environment.skin().GetString(u"Button01", u"Size", u""), u"147483647,2147483647");
}

TEST_F(SkinLoaderTest, TheDefaultTextSizeDependsOnTheScreen) {
  WriteSkin("Default/skin480x272.ini", "[Button01]\r\n");
  WriteSkin("Default/skin640x480.ini", "[Button01]\r\nTextSize=9\r\n[Button02]\r\nText=x\r\n");
  EXPECT_EQ(LoadForScreen(kSmallScreen).slots[0].captionHeight, 14);
  const auto large = LoadForScreen({640, 480});
  EXPECT_EQ(large.slots[0].captionHeight, 9);  // no scaling, so no minimum either
  EXPECT_EQ(large.slots[1].captionHeight, 20);
}

// --- Elements -------------------------------------------------------------------------------------

TEST_F(SkinLoaderTest, EverySectionBeginningWithButtonIsAnElementInFileOrder) {
  WriteSkin("Default/skin480x272.ini",
            "[Main]\r\nDefaultFontName=Nanum\r\n[Button01]\r\nText=a\r\n[Buton03]\r\nText=x\r\n"
            "[button02]\r\nText=b\r\n[ButtonX]\r\nText=c\r\n");
  const auto skin = LoadForScreen();
  EXPECT_EQ(skin.usedSlots, 3);
  ASSERT_EQ(skin.slots.size(), 40u);
  EXPECT_EQ(skin.slots[0].name, u"Button01");
  EXPECT_EQ(skin.slots[1].name, u"button02");
  EXPECT_EQ(skin.slots[2].name, u"ButtonX");
  EXPECT_EQ(skin.slots[2].caption, u"c");
  EXPECT_EQ(skin.slots[2].defaultFace, u"Nanum");
  EXPECT_TRUE(skin.slots[2].visible);
  // Slots the skin leaves unused carry nothing and stay hidden.
  EXPECT_EQ(skin.slots[3], SlotSettings{});
  EXPECT_FALSE(skin.slots[39].visible);
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(SkinLoaderTest, FortyTwoElementsFillFortySlotsAndReportTwoLeftOut) {
  std::string file;
  for (int i = 1; i <= 42; ++i)
    file += "[Button" + std::to_string(i) + "]\r\nText=" + std::to_string(i) + "\r\n";
  WriteSkin("Default/skin480x272.ini", file);
  const auto skin = LoadForScreen();
  EXPECT_EQ(skin.usedSlots, 40);
  EXPECT_EQ(skin.overflow, 2);
  EXPECT_EQ(skin.slots[39].caption, u"40");
  EXPECT_THAT(BoxTexts(), ElementsAre(u"지원가능한 버튼의 갯수를 2개 초과하였습니다."));
}

TEST_F(SkinLoaderTest, FileReferencesPointIntoTheSkinOrTheSharedFolders) {
  WriteSkin(
      "Default/skin480x272.ini",
      "[Background]\r\nImageFile=+sky.jpg\r\n"
      "[Button01]\r\nUpImageFile=+a.png\r\nDownImageFile=b.png\r\nDisImageFile=c.png\r\n"
      "WaveFile=+click.wav\r\n"
      "[Button02]\r\nUpImageFile=a.png\r\nDownImageFile=a.png\r\nDisImageFile=A.png\r\nWaveFile=own.wav\r\n");
  const auto skin = LoadForScreen();
  const std::u16string root(kSkins);
  EXPECT_EQ(skin.background, root + u"_Common\\background\\sky.jpg");
  EXPECT_EQ(skin.slots[0].normalPicture, root + u"_Common\\button\\a.png");
  EXPECT_EQ(skin.slots[0].pressedPicture, root + u"Default\\button\\b.png");
  EXPECT_EQ(skin.slots[0].disabledPicture, root + u"Default\\button\\c.png");
  EXPECT_EQ(skin.slots[0].sound, root + u"_Common\\wave\\click.wav");
  // A pressed picture equal to the normal one is dropped; a disabled one differing in case is kept.
  EXPECT_EQ(skin.slots[1].pressedPicture, u"");
  EXPECT_EQ(skin.slots[1].disabledPicture, root + u"Default\\button\\A.png");
  EXPECT_EQ(skin.slots[1].sound, root + u"Default\\wave\\own.wav");
}

TEST_F(SkinLoaderTest, ColoursAlignmentsAndVisibilityAreRead) {
  WriteSkin(
      "Default/skin480x272.ini",
      "[Button01]\r\nTransColor=255,0,255\r\nTextColor=1,2,3\r\nTextAlign=Botton\r\nTextHAlign=right\r\n"
      "FontName=Nanum\r\nVisible=n\r\n"
      "[Button02]\r\nTransColor=\r\nTextColor=red\r\nTextAlign=Center\r\n");
  const auto skin = LoadForScreen();
  const auto& first = skin.slots[0];
  EXPECT_EQ(first.transparentColor, 0x00FF00FFu);
  EXPECT_EQ(first.colors[kColorPressedCaption], 0x030201u);
  EXPECT_EQ(first.colors[kColorNormalCaption], 0x030201u);
  EXPECT_EQ(first.colors[kColorFocusedCaption], 0x030201u);
  EXPECT_EQ(first.colors[kColorBackPattern], 0x282828u);
  EXPECT_EQ(first.colors[kColorNormalBack], gfx::SystemColors::kButtonFace);
  EXPECT_EQ(first.captionPosition, CaptionPosition::kBelow);
  EXPECT_EQ(first.captionAlignment, CaptionAlignment::kRight);
  EXPECT_EQ(first.face, u"Nanum");
  EXPECT_FALSE(first.visible);
  const auto& second = skin.slots[1];
  EXPECT_EQ(second.transparentColor, gfx::kAutoTransparent);
  EXPECT_EQ(second.colors[kColorNormalCaption], 0xE6E6E6u);
  EXPECT_EQ(second.captionPosition, CaptionPosition::kCentered);
  EXPECT_EQ(second.captionAlignment, CaptionAlignment::kCenter);
  EXPECT_EQ(second.face, u"");
}

TEST_F(SkinLoaderTest, PositionAndSizeCarryOverAndAFirstElementWithoutThemIsNotMoved) {
  WriteSkin("Default/skin480x272.ini",
            "[Button01]\r\nSize=10,10\r\n"
            "[Button02]\r\nPosition=-5,20\r\n"
            "[Button03]\r\nPosition=1,2\r\nSize=3,-4\r\n"
            "[Button04]\r\nSize=3,4\r\n");
  const auto skin = LoadForScreen();
  EXPECT_FALSE(skin.slots[0].bounds);
  ASSERT_TRUE(skin.slots[1].bounds);
  EXPECT_EQ(*skin.slots[1].bounds, (gfx::Rect{-5, 20, 5, 30}));  // a slot may reach past the edge
  EXPECT_FALSE(skin.slots[2].bounds);                            // an unreadable size is no size
  EXPECT_EQ(skin.slots[3].bounds, (gfx::Rect{1, 2, 4, 6}));
}

// --- Display kinds --------------------------------------------------------------------------------

TEST_F(SkinLoaderTest, LiveKindsSetTheirReferencesCaptionsAndBackPatterns) {
  WriteSkin("Default/skin480x272.ini",
            "[BackPattern]\r\nTime=88:88\r\nSpeed=888\r\n"
            "[Button01]\r\nMotion=DISPLAY-TIME\r\nText=ignored\r\n"
            "[Button02]\r\nMotion=display-speed\r\n"
            "[Button03]\r\nMotion=DISPLAY-HDOP\r\n"
            "[Button04]\r\nMotion=DISPLAY-PICTURE3\r\nText=kept\r\n"
            "[Button05]\r\nMotion=NONE\r\nText=plain\r\n");
  auto context = Context();
  context.gpsRunning = true;
  const auto skin = *loader.ChooseAndLoad(false, chooser, context).skin;
  EXPECT_EQ(skin.live.time, 0);
  EXPECT_EQ(skin.slots[0].caption, u"");
  EXPECT_EQ(skin.slots[0].backPattern, u"88:88");
  EXPECT_EQ(skin.live.speed, 1);
  EXPECT_EQ(skin.slots[1].caption, u"ON");
  EXPECT_EQ(skin.slots[1].backPattern, u"888");
  EXPECT_EQ(skin.live.hdop, 2);
  EXPECT_EQ(skin.slots[2].caption, u"...");
  EXPECT_EQ(skin.live.pictures[2], 3);
  EXPECT_EQ(skin.slots[3].caption, u"kept");
  EXPECT_EQ(skin.slots[3].stacking, SlotStacking::kTop);
  EXPECT_EQ(skin.slots[4].caption, u"plain");
  EXPECT_TRUE(skin.live.HasGps());
  EXPECT_TRUE(skin.live.HasPicture());
  EXPECT_FALSE(skin.live.date);
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(SkinLoaderTest, AnUnknownKindIsReportedOncePerElementAndLeavesAPlainButton) {
  WriteSkin("Default/skin480x272.ini",
            "[Button01]\r\nMotion=DISPLAY-WEATHER\r\nText=sun\r\n[Button02]\r\nMotion=DISPLAY-PICTURE7\r\n");
  const auto skin = LoadForScreen();
  EXPECT_THAT(BoxTexts(), ElementsAre(u"[Motion=DISPLAY-WEATHER]는 알수 없는 코드입니다.",
                                      u"[Motion=DISPLAY-PICTURE7]는 알수 없는 코드입니다."));
  EXPECT_EQ(skin.slots[0].caption, u"sun");
  EXPECT_EQ(skin.slots[0].motion, u"DISPLAY-WEATHER");
  EXPECT_FALSE(skin.live.HasPicture());
}

TEST_F(SkinLoaderTest, GaugeFramesAreSortedAndTheOldGaugeFolderIsRenamed) {
  for (const char* name :
       {"speed010.png", "speed000.bmp", "Speed005.JPG", "speed.txt", "course000.png", "speedo.gif"}) {
    device.tree.WriteHostFile(std::string("Storage Card/VexaDeck/Skin/Default/guage/") + name, "x");
  }
  WriteSkin("Default/skin480x272.ini", "[Button01]\r\nMotion=GUAGE-SPEED\r\nText=no\r\n");
  const auto skin = LoadForScreen();
  EXPECT_TRUE(device.tree.HostExists("Storage Card/VexaDeck/Skin/Default/gauge/speed000.bmp"));
  EXPECT_FALSE(device.tree.HostExists("Storage Card/VexaDeck/Skin/Default/guage"));
  const auto& gauge = skin.slots[0];
  EXPECT_EQ(gauge.motion, u"GAUGE-SPEED");
  EXPECT_EQ(gauge.caption, u"");
  EXPECT_EQ(gauge.stacking, SlotStacking::kBottom);
  EXPECT_EQ(skin.live.speedGauge, 0);
  const std::u16string folder = std::u16string(kSkins) + u"Default\\gauge\\";
  EXPECT_THAT(
      gauge.frames,
      ElementsAre(GaugeFrame{folder + u"speed000.bmp", u"000"}, GaugeFrame{folder + u"Speed005.JPG", u"005"},
                  GaugeFrame{folder + u"speed010.png", u"010"}, GaugeFrame{folder + u"speedo.gif", u"o"}));
}

TEST_F(SkinLoaderTest, AGaugeKeepsAtMostTwoHundredFrames) {
  for (int i = 0; i < 205; ++i) {
    device.tree.WriteHostFile(
        "Storage Card/VexaDeck/Skin/Default/gauge/course" + std::to_string(1000 + i) + ".png", "x");
  }
  const auto frames = LoadGaugeFrames(device.files, std::u16string(kSkins) + u"Default\\gauge", u"course");
  ASSERT_EQ(frames.size(), 200u);
  EXPECT_EQ(frames.back().sortKey, u"1199");
}

TEST_F(SkinLoaderTest, TheSpeedTextIsHiddenOnlyWhenItLiesInsideTheGauge) {
  const std::string gauge = "[Button01]\r\nMotion=GAUGE-SPEED\r\nPosition=100,100\r\nSize=100,100\r\n";
  WriteSkin("Default/skin480x272.ini",
            gauge + "[Button02]\r\nMotion=DISPLAY-SPEED\r\nPosition=120,150\r\nSize=80,50\r\nVisible=N\r\n");
  auto skin = LoadForScreen();
  EXPECT_FALSE(skin.slots[1].visible);
  EXPECT_EQ(skin.slots[1].caption, u"OFF");

  WriteSkin("Default/skin480x272.ini",
            gauge + "[Button02]\r\nMotion=DISPLAY-SPEED\r\nPosition=120,150\r\nSize=81,50\r\nVisible=N\r\n");
  skin = LoadForScreen();
  EXPECT_TRUE(skin.slots[1].visible);
}

TEST_F(SkinLoaderTest, TheSkinsOwnFontsAreListed) {
  device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/Font/Nanum.ttf", "x");
  device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/Font/readme.txt", "x");
  WriteSkin("Default/skin480x272.ini", "[Button01]\r\n");
  EXPECT_THAT(LoadForScreen().fonts, ElementsAre(std::u16string(kSkins) + u"Default\\Font\\Nanum.ttf"));
}

// --- Writing --------------------------------------------------------------------------------------

TEST_F(SkinLoaderTest, WritingALoadedSkinAndLoadingItAgainGivesTheSameSlots) {
  WriteSkin("Default/skin480x272.ini",
            "[Button01]\r\nAction=RUN-NAVIGATION\r\nText=  Navi \r\nTextAlign=Right\r\nTextHAlign=Left\r\n"
            "UpImageFile=+up.png\r\nDownImageFile=down.png\r\nDisImageFile=dis.png\r\nTransColor=1,2,3\r\n"
            "TextColor=10,20,30\r\nFontName=Nanum\r\nTextSize=17\r\nPosition=5,6\r\nSize=70,80\r\n"
            "WaveFile=+tap.wav\r\n"
            "[Button02]\r\nMotion=DISPLAY-TIME\r\nTextAlign=Left\r\nVisible=N\r\nPosition=300,5\r\n"
            "WaveFile=own.wav\r\n"
            "[Button03]\r\nMotion=DISPLAY-SPEED\r\nTextAlign=Botton\r\n");
  const auto first = LoadForScreen();
  vexa::deck::WriteSkin(environment.skin(), first.slots);
  ASSERT_TRUE(environment.skin().Save(platform::kNoWindow, first.location.file));
  const auto written = device.tree.ReadHostFile("Storage Card/VexaDeck/Skin/Default/skin480x272.ini");
  EXPECT_NE(written.find("TextAlign=Right\r\n"), std::string::npos);
  EXPECT_NE(written.find("UpImageFile=+up.png\r\n"), std::string::npos);
  EXPECT_NE(written.find("Visible=N\r\n"), std::string::npos);

  const auto second = LoadForScreen();
  EXPECT_EQ(second.slots, first.slots);
  EXPECT_EQ(second.usedSlots, 3);
}

TEST_F(SkinLoaderTest, AScaledSkinIsStoredInScreenPixelsForTheCurrentScreen) {
  WriteSkin("Default/skin800x480.ini", "[Button01]\r\nPosition=400,240\r\nSize=80,40\r\nTextSize=30\r\n");
  chooser.answer = SkinChoice{u"Default", u"skin800x480.ini"};
  const auto scaled = *loader.ChooseAndLoad(false, chooser, Context()).skin;
  vexa::deck::WriteSkin(environment.skin(), scaled.slots);
  ASSERT_TRUE(environment.skin().Save(platform::kNoWindow, scaled.location.file));

  chooser.asked.clear();
  const auto reloaded = LoadForScreen();
  EXPECT_EQ(reloaded.slots[0].bounds, (gfx::Rect{240, 136, 288, 158}));
  EXPECT_EQ(reloaded.slots[0].captionHeight, 18);
  EXPECT_TRUE(reloaded.fitting);
}

TEST_F(SkinLoaderTest, TheWriterSkipsSlotsWithoutAnElementName) {
  ProfileStore store(device.platform);
  std::vector<SlotSettings> slots(2);
  slots[0].name = u"Stale";
  slots[1].name = u"BUTTON09";
  slots[1].bounds = gfx::Rect{1, 2, 11, 22};
  slots[1].motion = u"DISPLAY-DATE";
  slots[1].caption = u"2026-12-01";
  vexa::deck::WriteSkin(store, slots);
  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  EXPECT_THAT(sections, ElementsAre(u"BUTTON09"));
  EXPECT_EQ(store.GetString(u"BUTTON09", u"Text", u"x"), u"");
  EXPECT_EQ(store.GetString(u"BUTTON09", u"Size", u""), u"10,20");
  EXPECT_EQ(store.GetString(u"BUTTON09", u"TextAlign", u""), u"Center");
  EXPECT_EQ(store.GetString(u"BUTTON09", u"TransColor", u""), u"Auto");
}

TEST_F(SkinLoaderTest, UseThisSkinWritesTheFileOnlyOnYes) {
  WriteSkin("Default/skin800x480.ini", "[Button01]\r\nPosition=400,240\r\nSize=80,40\r\n");
  chooser.answer = SkinChoice{u"Default", u"skin800x480.ini"};
  const auto skin = *loader.ChooseAndLoad(false, chooser, Context()).skin;

  EXPECT_FALSE(AskToKeepSkin(device.messageBoxes, platform::kNoWindow, environment.skin(), skin.slots,
                             skin.location.file));  // the default answer is No
  const auto& question = device.messageBoxes.shown().back().request;
  EXPECT_EQ(question.text, u"Use this skin?");
  EXPECT_EQ(question.buttons, platform::MessageButtons::kYesNo);
  EXPECT_FALSE(device.tree.HostExists("Storage Card/VexaDeck/Skin/Default/skin480x272.ini"));

  device.messageBoxes.QueueAnswer(platform::MessageAnswer::kYes);
  EXPECT_TRUE(AskToKeepSkin(device.messageBoxes, platform::kNoWindow, environment.skin(), skin.slots,
                            skin.location.file));
  const auto written = device.tree.ReadHostFile("Storage Card/VexaDeck/Skin/Default/skin480x272.ini");
  EXPECT_NE(written.find("Position=240,136\r\nSize=48,22\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vexa::deck
