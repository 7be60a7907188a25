// The demo device's settings, skins and shortcuts, loaded the way the launcher loads them: from a copy
// of demo/device in a temporary device tree, so the committed files are never touched.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DeckSettings.h"
#include "deck/SkinFile.h"
#include "deck/SkinLoader.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using ::testing::IsEmpty;
using testing::TestDevice;

constexpr gfx::Size kWide{800, 480};
constexpr gfx::Size kSmall{480, 272};
constexpr gfx::Size kCompact{640, 480};
// The common car screens the Default skin has a file of its own for.
constexpr gfx::Size kDefaultScreens[] = {{320, 240}, {480, 272}, {640, 480}, {800, 480},
                                         {800, 600}, {1024, 600}, {1280, 720}};

// Every command word a skin element can carry.
constexpr std::array<std::u16string_view, 28> kCommandWords = {
    u"GO-IMAGEVIEW", u"GO-TASKMAN",     u"GO-TASKBAR",  u"GO-CALENDAR", u"GO-CLOCK",        u"GO-CONFIG",
    u"GO-EXIT",      u"RUN-NAVIGATION", u"RUN-TOOLBAR", u"RUN-MOVIE",   u"RUN-MP3",         u"RUN-FLASH",
    u"RUN-DMB",      u"SEL-MOVIE",      u"SEL-MP3",     u"SEL-FLASH",   u"SEL-APPLICATION", u"SEL-GAME",
    u"SEL-SYSTEM",   u"BGND-CHANGE",    u"BGND-PREV",   u"BGND-NEXT",   u"PIC-PREV",        u"PIC-NEXT",
    u"GPS-TIME",     u"GPS-SPEED",      u"SKIN-EDIT",   u"SKIN-CHANGE"};

class ChooseCompact : public SkinChooser {
 public:
  std::optional<SkinChoice> Choose(std::u16string_view, std::u16string_view, gfx::Size) override {
    return SkinChoice{u"Compact", u"skin640x480.ini"};
  }
};

bool Inside(const gfx::Rect& inner, const gfx::Rect& outer) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

bool Overlap(const gfx::Rect& a, const gfx::Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class DemoSkinTest : public ::testing::Test {
 protected:
  DemoSkinTest() {
    const std::filesystem::path demo = std::filesystem::path(VEXA_SOURCE_DIR) / "demo" / "device";
    std::filesystem::copy(
        demo, device.tree.root(),
        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    settings.Read(platform::kNoWindow);
    settings.FillDefaults();
  }

  SkinLoadContext Context(gfx::Size screen) {
    SkinLoadContext context;
    context.screen = screen;
    return context;
  }
  // The Default skin's own file for the screen, as the start-up loads it.
  LoadedSkin LoadDefault(gfx::Size screen) {
    auto result = loader.ChooseAndLoad(false, noChooser, Context(screen));
    EXPECT_EQ(result.outcome, SkinOutcome::kLoaded);
    return result.skin.value_or(LoadedSkin{});
  }
  // The Compact skin through the chooser, as on a screen it has no file for.
  LoadedSkin LoadCompact(gfx::Size screen) {
    ChooseCompact chooser;
    auto result = loader.ChooseAndLoad(screen != kCompact, chooser, Context(screen));
    EXPECT_EQ(result.outcome, SkinOutcome::kLoaded);
    return result.skin.value_or(LoadedSkin{});
  }
  std::vector<LoadedSkin> EverySkin() {
    std::vector<LoadedSkin> skins;
    for (gfx::Size screen : kDefaultScreens) skins.push_back(LoadDefault(screen));
    for (gfx::Size screen : {kCompact, kWide, kSmall}) skins.push_back(LoadCompact(screen));
    return skins;
  }
  bool Exists(const std::u16string& path) { return device.files.Exists(path); }

  class NoChooser : public SkinChooser {
   public:
    std::optional<SkinChoice> Choose(std::u16string_view, std::u16string_view, gfx::Size) override {
      ADD_FAILURE() << "the chooser was opened";
      return std::nullopt;
    }
  } noChooser;
  TestDevice device;
  Environment environment{device.platform};
  DeckSettings settings{environment};
  SkinLoader loader{environment, settings};
};

TEST_F(DemoSkinTest, TheSettingsPointTheProgramsAtTheDemoPlayersAndChooseTheDefaultSkin) {
  EXPECT_EQ(settings.SkinName(), u"Default");
  // The skin folder is left to its default beside the program.
  EXPECT_EQ(settings.SkinFolder(), u"\\Storage Card\\VexaDeck\\Skin");
  EXPECT_EQ(settings.AutoRun(), AutoRunMode::kNothing);
  EXPECT_EQ(environment.ExpandStorage(settings.Program(ProgramKey::kNavigation)),
            u"\\Storage Card\\Navi\\navi.exe");
  EXPECT_EQ(environment.ExpandStorage(settings.Program(ProgramKey::kToolbar)),
            u"\\Storage Card\\VexaDeck\\VexaToolbar.exe");
  for (ProgramKey key :
       {ProgramKey::kMoviePlayer, ProgramKey::kMp3Player, ProgramKey::kFlashPlayer, ProgramKey::kDmbPlayer}) {
    EXPECT_TRUE(text::StartsWithNoCase(settings.Program(key), u"\\%STORAGE%\\Players\\"));
  }
  // The media folders the defaults name are there, with something in them.
  for (FolderKey key : {FolderKey::kMp3, FolderKey::kMovie, FolderKey::kImage, FolderKey::kFlash,
                        FolderKey::kApplication, FolderKey::kGame, FolderKey::kSystem}) {
    EXPECT_THAT(device.files.Find(settings.Folder(key) + u"\\*.*"), ::testing::Not(IsEmpty()))
        << text::ToUtf8(settings.Folder(key));
  }
  EXPECT_THAT(device.Boxes(), IsEmpty());
}

TEST_F(DemoSkinTest, EverySkinLoadsWithinTheSlotLimitAndWithoutMessages) {
  for (const LoadedSkin& skin : EverySkin()) {
    SCOPED_TRACE(text::ToUtf8(skin.location.file));
    EXPECT_GT(skin.usedSlots, 0);
    EXPECT_LE(skin.usedSlots, kSlotCount);
    EXPECT_EQ(skin.overflow, 0);
  }
  EXPECT_THAT(device.Boxes(), IsEmpty());
}

TEST_F(DemoSkinTest, TheDefaultSkinHasASlotForEveryCommandAndEveryDisplay) {
  for (gfx::Size screen : kDefaultScreens) {
    const LoadedSkin skin = LoadDefault(screen);
    SCOPED_TRACE(text::ToUtf8(skin.location.file));
    for (std::u16string_view word : kCommandWords) {
      bool found = false;
      for (const SlotSettings& slot : skin.slots) found = found || slot.action == word;
      EXPECT_TRUE(found) << text::ToUtf8(word);
    }
    const LiveSlots& live = skin.live;
    for (const auto& slot :
         {live.date, live.time, live.message, live.speed, live.speedGauge, live.courseGauge, live.latitude,
          live.longitude, live.course, live.altitude, live.hdop, live.pictures[0]}) {
      EXPECT_TRUE(slot.has_value());
    }
    ASSERT_TRUE(live.time && live.speed && live.speedGauge);
    EXPECT_EQ(skin.slots[*live.time].backPattern, u"AUTO");
    // The speed text sits in the dial's window, so it is hidden while the GPS is off.
    EXPECT_FALSE(skin.slots[*live.speed].visible);
  }
}

TEST_F(DemoSkinTest, EveryFileASkinNamesExists) {
  for (const LoadedSkin& skin : EverySkin()) {
    SCOPED_TRACE(text::ToUtf8(skin.location.file));
    EXPECT_TRUE(Exists(skin.background)) << text::ToUtf8(skin.background);
    for (int i = 0; i < skin.usedSlots; ++i) {
      const SlotSettings& slot = skin.slots[static_cast<std::size_t>(i)];
      SCOPED_TRACE(text::ToUtf8(slot.name));
      // A slot that shows a picture has it; buttons have a pressed look and a sound too.
      const bool display = text::StartsWithNoCase(slot.motion, u"DISPLAY-") &&
                           !text::StartsWithNoCase(slot.motion, u"DISPLAY-PICTURE");
      if (!display) {
        EXPECT_TRUE(Exists(slot.normalPicture)) << text::ToUtf8(slot.normalPicture);
      }
      if (slot.motion.empty()) {
        EXPECT_TRUE(Exists(slot.pressedPicture)) << text::ToUtf8(slot.pressedPicture);
        EXPECT_TRUE(Exists(slot.sound)) << text::ToUtf8(slot.sound);
      }
      for (const auto& path : {slot.normalPicture, slot.pressedPicture, slot.disabledPicture, slot.sound}) {
        if (!path.empty()) {
          EXPECT_TRUE(Exists(path)) << text::ToUtf8(path);
        }
      }
    }
  }
}

TEST_F(DemoSkinTest, SlotsStayOnTheScreenAndOnlyTheSpeedTextSitsOnAnother) {
  for (const LoadedSkin& skin : EverySkin()) {
    SCOPED_TRACE(text::ToUtf8(skin.location.file));
    // The screen the skin was loaded for.
    const std::u16string& file = skin.location.file;
    const gfx::Size size = DesignSizeFromFileName(file.substr(file.rfind(u'\\') + 1), gfx::Size{});
    const gfx::Rect bounds{0, 0, size.width, size.height};
    for (int i = 0; i < skin.usedSlots; ++i) {
      const SlotSettings& a = skin.slots[static_cast<std::size_t>(i)];
      ASSERT_TRUE(a.bounds.has_value()) << text::ToUtf8(a.name);
      EXPECT_TRUE(Inside(*a.bounds, bounds)) << text::ToUtf8(a.name);
      for (int j = i + 1; j < skin.usedSlots; ++j) {
        const SlotSettings& b = skin.slots[static_cast<std::size_t>(j)];
        const bool speedInGauge =
            (a.motion == u"GAUGE-SPEED" && b.motion == u"DISPLAY-SPEED" && Inside(*b.bounds, *a.bounds)) ||
            (b.motion == u"GAUGE-SPEED" && a.motion == u"DISPLAY-SPEED" && Inside(*a.bounds, *b.bounds));
        if (!speedInGauge) {
          EXPECT_FALSE(Overlap(*a.bounds, *b.bounds)) << text::ToUtf8(a.name + u"/" + b.name);
        }
      }
    }
  }
}

TEST_F(DemoSkinTest, TheDefaultSkinIsLaidOutForEachCommonScreenWithCaptionsThatReadInACar) {
  for (gfx::Size screen : kDefaultScreens) {
    const LoadedSkin skin = LoadDefault(screen);
    SCOPED_TRACE(text::ToUtf8(skin.location.file));
    // Its own file: nothing scaled, pictures at their own size.
    EXPECT_EQ(skin.sourceFile, skin.location.file);
    EXPECT_FALSE(skin.fitting);
    if (screen.width < 800 || screen.height < 480) continue;
    for (int i = 0; i < skin.usedSlots; ++i) {
      const SlotSettings& slot = skin.slots[static_cast<std::size_t>(i)];
      const bool liveText = text::StartsWithNoCase(slot.motion, u"DISPLAY-") &&
                            !text::StartsWithNoCase(slot.motion, u"DISPLAY-PICTURE");
      if (!slot.caption.empty() || liveText) {
        EXPECT_GE(slot.captionHeight, 16) << text::ToUtf8(slot.name);
      }
    }
  }
}

TEST_F(DemoSkinTest, TheGaugesHaveAFrameEveryFiveUnits) {
  const LoadedSkin skin = LoadDefault(kWide);
  ASSERT_TRUE(skin.live.speedGauge && skin.live.courseGauge);
  const auto& speed = skin.slots[*skin.live.speedGauge].frames;
  const auto& course = skin.slots[*skin.live.courseGauge].frames;
  ASSERT_EQ(speed.size(), 41u);
  ASSERT_EQ(course.size(), 72u);
  for (std::size_t i = 0; i < speed.size(); ++i) {
    EXPECT_EQ(speed[i].sortKey, text::Format(u"%.3d", {static_cast<std::int64_t>(5 * i)}));
    EXPECT_TRUE(Exists(speed[i].path));
  }
  for (std::size_t i = 0; i < course.size(); ++i) {
    EXPECT_EQ(course[i].sortKey, text::Format(u"%.3d", {static_cast<std::int64_t>(5 * i)}));
  }
}

TEST_F(DemoSkinTest, SoundsAreEightBitMonoAt11025Hertz) {
  std::vector<std::u16string> waves = {u"\\Storage Card\\VexaDeck\\intro.wav"};
  for (const char16_t* folder : {u"\\Storage Card\\VexaDeck\\Skin\\_Common\\wave\\",
                                 u"\\Storage Card\\VexaDeck\\Skin\\Default\\wave\\"}) {
    for (const auto& entry : device.files.Find(std::u16string(folder) + u"*.wav"))
      waves.push_back(folder + entry.name);
  }
  ASSERT_GE(waves.size(), 5u);
  for (const auto& path : waves) {
    SCOPED_TRACE(text::ToUtf8(path));
    const auto bytes = device.files.ReadFile(path);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_GT(bytes->size(), 44u);
    auto u16 = [&](std::size_t at) {
      return static_cast<unsigned>(static_cast<unsigned char>((*bytes)[at])) |
             static_cast<unsigned>(static_cast<unsigned char>((*bytes)[at + 1])) << 8;
    };
    EXPECT_EQ(bytes->substr(0, 4), "RIFF");
    EXPECT_EQ(bytes->substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(u16(20), 1u);                        // PCM
    EXPECT_EQ(u16(22), 1u);                        // mono
    EXPECT_EQ(u16(24) | (u16(26) << 16), 11025u);  // samples a second
    EXPECT_EQ(u16(34), 8u);                        // bits a sample
    EXPECT_EQ(bytes->substr(36, 4), "data");
    // The data chunk runs to the end of the file, with a pad byte after an odd length.
    const std::size_t data = u16(40) | (u16(42) << 16);
    EXPECT_EQ(data + data % 2, bytes->size() - 44);
  }
}

// 29#"\Storage Card\Navi\navi.exe"
TEST_F(DemoSkinTest, ShortcutsGiveTheLengthOfTheirCommandLine) {
  int count = 0;
  for (FolderKey key : {FolderKey::kApplication, FolderKey::kGame, FolderKey::kSystem}) {
    const auto folder = settings.Folder(key);
    for (const auto& entry : device.files.Find(folder + u"\\*.lnk")) {
      const auto bytes = device.files.ReadFile(folder + u"\\" + entry.name).value_or("");
      const auto hash = bytes.find('#');
      ASSERT_NE(hash, std::string::npos) << bytes;
      EXPECT_EQ(std::to_string(bytes.size() - hash - 1), bytes.substr(0, hash));
      // Chess and Golf were made on cards of other names, for the shortcut checker to repair.
      if (entry.name != u"Chess.lnk" && entry.name != u"Golf.lnk") {
        EXPECT_EQ(bytes.substr(hash + 1, 15), "\"\\Storage Card\\");
      }
      ++count;
    }
  }
  EXPECT_GE(count, 6);
}

}  // namespace
}  // namespace vexa::deck
