#include "deck/DeckStartup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <map>

#include "platform/ui/Graphics.h"
#include "platform/ui/WindowList.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestDevice;
using Start = platform::RecordingProcesses::StartRecord;

// A user interface that only knows the screen; the start-up steps tested here open no windows.
class ScreenOnly : public platform::ui::UserInterface {
 public:
  explicit ScreenOnly(gfx::Size screen) : screen_(screen) {}
  int RunModal(const platform::ui::WindowTemplate&, platform::ui::WindowHandler&, platform::ui::Window*) override {
    ADD_FAILURE() << "no window was expected";
    return 0;
  }
  platform::ui::Window& CreateModeless(const platform::ui::WindowTemplate&, platform::ui::WindowHandler&,
                                       platform::ui::Window*) override {
    std::abort();
  }
  platform::ui::Window& CreateChild(platform::ui::Window&, const platform::ui::WindowTemplate&,
                                    platform::ui::WindowHandler&) override {
    std::abort();
  }
  platform::ui::Window* Find(platform::WindowHandle) override { return nullptr; }
  std::vector<platform::ui::Window*> TopLevelWindows() override { return {}; }
  gfx::Size ScreenSize() const override { return screen_; }
  void SetWaitCursor(bool) override {}
  void Quit(int) override {}

 private:
  gfx::Size screen_;
};

// One taskbar that can be shown and hidden; appears when `appearAfter` Find calls have been made.
class OneTaskbar : public platform::ui::WindowList {
 public:
  bool exists = true;
  bool visible = true;
  int appearAfter = 0;
  int finds = 0;

  std::optional<platform::ui::ForeignWindow> Find(std::optional<std::u16string_view> title,
                                                  std::optional<std::u16string_view> className) override {
    ++finds;
    if (!exists && finds > appearAfter && appearAfter > 0) exists = true;
    if (!exists || title || className != std::optional<std::u16string_view>(u"HHTaskBar")) return std::nullopt;
    return 7;
  }
  std::vector<platform::ui::ForeignWindow> Enumerate() override { return {7}; }
  bool IsVisible(platform::ui::ForeignWindow) override { return visible; }
  std::u16string Title(platform::ui::ForeignWindow) override { return u""; }
  std::u16string ClassName(platform::ui::ForeignWindow) override { return u"HHTaskBar"; }
  std::optional<gfx::Bitmap> Icon(platform::ui::ForeignWindow) override { return std::nullopt; }
  bool SetForeground(platform::ui::ForeignWindow) override { return true; }
  bool PostClose(platform::ui::ForeignWindow) override { return true; }
  bool SetTopMost(platform::ui::ForeignWindow, bool) override { return true; }
  bool Show(platform::ui::ForeignWindow, bool show) override {
    visible = show;
    return true;
  }
  bool PressRightButton(platform::ui::ForeignWindow) override {
    ++rightButtons;
    return true;
  }
  bool SendKey(int) override { return true; }
  int rightButtons = 0;
};

class CountingClock : public platform::Clock {
 public:
  std::uint64_t now = 0;
  std::uint64_t TickCount() override { return now; }
  platform::DateTime LocalTime() override { return {}; }
  platform::DateTime SystemTime() override { return {}; }
  void Sleep(int ms) override { now += static_cast<std::uint64_t>(ms); }
};

class DeckStartupTest : public ::testing::Test {
 protected:
  DeckStartupTest() {
    device.platform.windowList = &taskbar;
    device.platform.clock = &clock;
  }

  TestDevice device;
  OneTaskbar taskbar;
  CountingClock clock;
  Environment env{device.platform};
};

TEST_F(DeckStartupTest, ACustomScreenSizeMustBeAtLeast300By200AndFitTheScreen) {
  ScreenOnly ui({800, 480});
  auto sizeFor = [&](std::u16string_view mode, std::u16string_view size) {
    env.mainSettings().SetString(u"Main", u"ScreenSizeMode", mode);
    env.mainSettings().SetString(u"Main", u"ScreenSize", size);
    return ResolveScreenSize(env, ui, nullptr);
  };
  EXPECT_EQ(sizeFor(u"CUSTOM", u"300,200"), (gfx::Size{300, 200}));
  EXPECT_EQ(sizeFor(u"CUSTOM", u"299,200"), (gfx::Size{800, 480}));
  EXPECT_EQ(sizeFor(u"CUSTOM", u"300,199"), (gfx::Size{800, 480}));
  EXPECT_EQ(sizeFor(u"CUSTOM", u"800,480"), (gfx::Size{800, 480}));
  EXPECT_EQ(sizeFor(u"CUSTOM", u"801,480"), (gfx::Size{800, 480}));
  EXPECT_EQ(sizeFor(u"CUSTOM", u"480,272"), (gfx::Size{480, 272}));
  EXPECT_EQ(sizeFor(u"CUSTOM", u"junk"), (gfx::Size{800, 480}));
  EXPECT_EQ(sizeFor(u"FITSIZE", u"480,272"), (gfx::Size{800, 480}));
  EXPECT_EQ(sizeFor(u"", u""), (gfx::Size{800, 480}));
  // The mode word is read as the settings code reads it: without regard to case.
  EXPECT_EQ(sizeFor(u"custom", u"480,272"), (gfx::Size{480, 272}));
  EXPECT_EQ(sizeFor(u"Custom", u"2000000000,2000000000"), (gfx::Size{800, 480}));
}

TEST(BackgroundChangeTest, ThePeriodIsAtLeastTwoSecondsAndNeverWrapsAround) {
  EXPECT_EQ(BackgroundChangePeriod(0), 2000);
  EXPECT_EQ(BackgroundChangePeriod(-5), 2000);
  EXPECT_EQ(BackgroundChangePeriod(60), 60000);
  EXPECT_EQ(BackgroundChangePeriod(2147483), 2147483000);
  EXPECT_EQ(BackgroundChangePeriod(2147484), 2147483000);
  EXPECT_EQ(BackgroundChangePeriod(std::numeric_limits<int>::max()), 2147483000);
}

TEST_F(DeckStartupTest, ShortcutsArePlacedOnlyWhenTheDesktopHasNone) {
  PlaceShortcuts(env);
  EXPECT_EQ(device.tree.ReadHostFile("Windows/Desktop/VexaDeck.lnk"), "37#\"\\Storage Card\\VexaDeck\\VexaDeck.exe\"");
  EXPECT_EQ(device.tree.ReadHostFile("Windows/Programs/VexaDeck.lnk"), "37#\"\\Storage Card\\VexaDeck\\VexaDeck.exe\"");

  std::filesystem::remove(device.tree.root() / "Windows/Programs/VexaDeck.lnk");
  PlaceShortcuts(env);
  EXPECT_FALSE(device.tree.HostExists("Windows/Programs/VexaDeck.lnk"));
}

TEST_F(DeckStartupTest, WindowModeEndsTheIntroAndStartsTheExplorerWhenItIsNotRunning) {
  device.tree.WriteHostFile("Windows/explorer.exe", "program");
  device.processes.SetRunning({{11, u"GN_Intro.exe"}, {12, u"navi.exe"}, {13, u"gn_intro.exe"}});
  taskbar.exists = false;
  taskbar.appearAfter = 5;
  EnterWindowMode(env, 1);
  EXPECT_THAT(device.processes.terminated(), ElementsAre(11u, 13u));
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Windows\\explorer.exe", u"", true}));
  EXPECT_EQ(clock.now, 500u);  // waited in 100 ms steps until the taskbar came

  device.processes.SetRunning({{20, u"Explorer.EXE"}});
  EnterWindowMode(env, 1);
  EXPECT_EQ(device.processes.started().size(), 1u);  // a running explorer is not started again
}

TEST_F(DeckStartupTest, WindowModeGivesUpWaitingForTheTaskbarAfterTwoSeconds) {
  device.tree.WriteHostFile("Windows/explorer.exe", "program");
  taskbar.exists = false;
  EnterWindowMode(env, 1);
  EXPECT_EQ(clock.now, 2000u);
}

TEST_F(DeckStartupTest, TheTaskbarSettingShowsHidesOrLeavesIt) {
  ApplyTaskbarSetting(env, u"n");
  EXPECT_FALSE(taskbar.visible);
  ApplyTaskbarSetting(env, u"");
  EXPECT_FALSE(taskbar.visible);
  ApplyTaskbarSetting(env, u"Y");
  EXPECT_TRUE(taskbar.visible);
  ApplyTaskbarSetting(env, u"yes");
  EXPECT_TRUE(taskbar.visible);
  taskbar.exists = false;
  ApplyTaskbarSetting(env, u"N");
  EXPECT_TRUE(taskbar.visible);
}

TEST_F(DeckStartupTest, RunCommandsStartTheirProgramOrAskForItsPath) {
  device.tree.WriteHostFile("Storage Card/Navi/navi.exe", "program");
  env.mainSettings().SetString(u"Program", u"Navigation", u"\\%STORAGE%\\Navi\\navi.exe");
  env.mainSettings().SetString(u"Program", u"MP3Player", u"\\Storage Card\\Players\\gone.exe");
  int gpsStops = 0;
  auto stopGps = [&] { ++gpsStops; };
  EXPECT_TRUE(LaunchRunCommand(env, 1, u"run-navigation", stopGps));
  EXPECT_FALSE(LaunchRunCommand(env, 1, u"RUN-MP3", stopGps));
  EXPECT_FALSE(LaunchRunCommand(env, 1, u"RUN-DMB", stopGps));
  EXPECT_EQ(gpsStops, 1);
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Storage Card\\Navi\\navi.exe", u"", true}));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Information|Choose the [MP3] path from the config window.",
                                          u"Information|Choose the [DMB] path from the config window."));
  EXPECT_EQ(device.messageBoxes.shown()[0].request.icon, platform::MessageIcon::kExclamation);
  EXPECT_EQ(RunCommandProgram(u"RUN-TOOLBAR"), ProgramKey::kToolbar);
  EXPECT_EQ(RunCommandProgram(u"RUN-TOOLBAR "), std::nullopt);  // no trimming
}

TEST_F(DeckStartupTest, RunCommandMessagesSpeakKorean) {
  TestDevice korean(u"\\Storage Card\\VexaDeck\\VexaDeck.exe", platform::kLangKorean);
  Environment koreanEnv(korean.platform);
  LaunchRunCommand(koreanEnv, 1, u"RUN-NAVIGATION", nullptr);
  EXPECT_THAT(korean.Boxes(), ElementsAre(u"Information|환경설정에서 [NAVIGATION]를(을) 지정하세요."));
}

}  // namespace
}  // namespace vexa::deck

namespace vexa::deck {
namespace {

class RecordingFonts : public platform::ui::FontRegistry {
 public:
  std::vector<std::u16string> added, removed;
  bool Add(std::u16string_view path) override {
    if (path.find(u"broken") != std::u16string_view::npos) return false;
    added.emplace_back(path);
    return true;
  }
  bool Remove(std::u16string_view path) override {
    removed.emplace_back(path);
    return true;
  }
  std::vector<std::u16string> Families() override { return {}; }
};

TEST(DeckFontsTest, RegisteredFontsAreRememberedAndRemovedTogether) {
  TestDevice device;
  RecordingFonts fonts;
  device.platform.fonts = &fonts;
  device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/_Common/Font/Clock.TTF", "font");
  device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/_Common/Font/broken.ttf", "font");
  device.tree.WriteHostFile("Storage Card/VexaDeck/Skin/_Common/Font/readme.txt", "text");
  Environment env(device.platform);
  auto registered = RegisterFonts(env, u"\\Storage Card\\VexaDeck\\Skin\\_common\\Font");
  EXPECT_THAT(registered, ElementsAre(u"\\Storage Card\\VexaDeck\\Skin\\_common\\Font\\Clock.TTF"));
  RemoveFonts(env, registered);
  EXPECT_THAT(registered, IsEmpty());
  EXPECT_THAT(fonts.removed, ElementsAre(u"\\Storage Card\\VexaDeck\\Skin\\_common\\Font\\Clock.TTF"));
}

}  // namespace
}  // namespace vexa::deck
