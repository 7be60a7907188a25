// The toolbar's button set and layout as the settings file gives them, the places of the windows it
// opens beside it, and the small rules its buttons follow (group entries, icon files, the keyboard's
// codes, the desktop check).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ToolbarProfileStore.h"
#include "tests/support/TestDevice.h"
#include "toolbar/GroupList.h"
#include "toolbar/IconWindow.h"
#include "toolbar/KeyboardWindow.h"
#include "toolbar/ListPlacement.h"
#include "toolbar/ProgramIcon.h"
#include "toolbar/StartupDuties.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa::toolbar {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class ToolbarLayoutTest : public ::testing::Test {
 protected:
  ToolbarLayoutTest() : device(u"\\Storage Card\\VexaDeck\\VexaToolbar.exe"), store(device.platform) {}

  ButtonLayout Lay(const std::string& ini) {
    device.tree.WriteHostFile("Storage Card/VexaDeck/VexaToolbar.ini", ini);
    EXPECT_TRUE(store.Read(u"\\Storage Card\\VexaDeck\\VexaToolbar.ini"));
    return LayOutButtons(store);
  }

  static std::vector<int> Shown(const ButtonLayout& layout) {
    std::vector<int> ids;
    for (const PlacedButton& button : layout.buttons) {
      if (button.shown) ids.push_back(button.id);
    }
    return ids;
  }

  testing::TestDevice device;
  ToolbarProfileStore store;
};

TEST_F(ToolbarLayoutTest, AnEmptyFileShowsHomeAndKeyboardSideBySide) {
  const ButtonLayout layout = Lay("");
  EXPECT_THAT(Shown(layout), ElementsAre(kHomeButton, kKeyboardButton));
  EXPECT_EQ(layout.Find(kHomeButton)->rect, (gfx::Rect{0, 0, 34, 46}));
  EXPECT_EQ(layout.Find(kKeyboardButton)->rect, (gfx::Rect{34, 0, 68, 46}));
  // The window adds its two border pixels to this: 70 × 48.
  EXPECT_EQ(layout.client, (gfx::Size{68, 46}));
  EXPECT_EQ(layout.Find(kHomeButton)->label, u"Home");
  EXPECT_FALSE(layout.clockLabel.has_value());
  EXPECT_EQ(layout.Find(kM1Button)->rect, gfx::Rect{});
}

TEST_F(ToolbarLayoutTest, EveryButtonInTableOrderAndVerticalInAnyLetterCase) {
  std::string ini = "[Main]\r\nRotation=vertical\r\nButtonWidth=40\r\nButtonHeight=50\r\n[Toolbar]\r\n";
  for (const char* key : {"Task", "Clock", "Kill", "Minimize", "Close"}) ini += std::string(key) + "=Y\r\n";
  for (int i = 1; i <= 5; ++i) ini += "[Hotkey" + std::to_string(i) + "]\r\nShowToolbar=Y\r\n";
  for (int i = 1; i <= 3; ++i) ini += "[Program" + std::to_string(i) + "]\r\nShowToolbar=Y\r\n";
  const ButtonLayout layout = Lay(ini);
  EXPECT_TRUE(layout.vertical);
  EXPECT_THAT(Shown(layout), ElementsAre(1005, 1007, 1008, 1009, 1010, 1011, 1002, 1012, 1013, 1014, 1015,
                                         1079, 1080, 1081, 1001));
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    EXPECT_EQ(layout.buttons[i].rect, gfx::Rect::FromSize(0, static_cast<int>(i) * 50, 40, 50));
  }
  EXPECT_EQ(layout.client, (gfx::Size{40, 750}));
  EXPECT_EQ(layout.Find(kM1Button + 2)->label, u"M3");
  EXPECT_EQ(layout.Find(kGameButton)->label, u"P2");
  EXPECT_EQ(layout.Find(kGameButton)->icon, 143);
}

TEST_F(ToolbarLayoutTest, FlagsAreAnUpperCaseYAndSectionsMatchInAnyCase) {
  const ButtonLayout layout =
      Lay("[Main]\r\nShowIconName=y\r\n[HOTKEY1]\r\nShowToolbar=Y\r\nShortName=Nav\r\n"
          "[hotkey2]\r\nShowToolbar=Y\r\n[Toolbar]\r\nTask=y\r\nKill=Yes\r\n");
  EXPECT_THAT(Shown(layout), ElementsAre(kHomeButton, kM1Button, kM1Button + 1, kKeyboardButton));
  for (const PlacedButton& button : layout.buttons) EXPECT_EQ(button.label, u"") << button.id;

  const ButtonLayout labelled =
      Lay("[Main]\r\nShowIconName=Y\r\n[HOTKEY1]\r\nShowToolbar=Y\r\nShortName=Nav\r\n");
  EXPECT_EQ(labelled.Find(kM1Button)->label, u"Nav");
}

TEST_F(ToolbarLayoutTest, TheClockLabelLiesOverTheClockButtonsIcon) {
  const ButtonLayout labelled = Lay("[Toolbar]\r\nClock=Y\r\n");
  ASSERT_TRUE(labelled.clockLabel.has_value());
  // Home, then Clock at x 34: one pixel inside each side, the icon's rows 3 to 35.
  EXPECT_EQ(*labelled.clockLabel, (gfx::Rect{35, 3, 67, 35}));

  const ButtonLayout bare =
      Lay("[Main]\r\nShowIconName=N\r\nIconSize=16\r\nButtonHeight=30\r\n[Toolbar]\r\nClock=Y\r\n");
  EXPECT_EQ(*bare.clockLabel, (gfx::Rect{35, 7, 67, 23}));

  // Clock off: neither the button nor its label.
  const ButtonLayout off = Lay("[Toolbar]\r\nClock=N\r\nClockShow=Y\r\n");
  EXPECT_FALSE(off.Find(kClockButton)->shown);
  EXPECT_FALSE(off.clockLabel.has_value());
}

TEST_F(ToolbarLayoutTest, LabelFontsFollowTheIconSizeAndHostileSizesStayBounded) {
  EXPECT_EQ(LabelFontHeight(16), 11);
  EXPECT_EQ(LabelFontHeight(24), 11);
  EXPECT_EQ(LabelFontHeight(32), 14);
  EXPECT_EQ(LabelFontHeight(48), 20);
  EXPECT_EQ(LabelFontHeight(40), 14);
  EXPECT_EQ(LabelFont(48).face, u"System");

  const ButtonLayout huge = Lay("[Main]\r\nButtonWidth=2147483647\r\nButtonHeight=-5\r\nIconSize=99999\r\n");
  EXPECT_EQ(huge.client, (gfx::Size{2 * kLargestButton, 1}));
  EXPECT_EQ(huge.iconSize, kLargestIcon);
}

TEST(ListPlacementTest, AListOpensBelowOrAboveTheButtonAndStaysOnTheScreen) {
  const gfx::Size screen{480, 272};
  const gfx::Size list{222, 198};
  // A horizontal toolbar at the top: below the button, at the toolbar's left edge.
  EXPECT_EQ(PlaceBesideButton({100, 1, 134, 47}, {99, 0, 201, 48}, list, screen, false),
            (gfx::Point{99, 47}));
  // At the bottom: above the button; near the right edge: pulled left.
  EXPECT_EQ(PlaceBesideButton({400, 225, 434, 271}, {399, 224, 480, 272}, list, screen, false),
            (gfx::Point{258, 27}));
  // A vertical toolbar on the right: left of the button, pulled up from the bottom.
  EXPECT_EQ(PlaceBesideButton({440, 200, 474, 246}, {439, 150, 476, 272}, list, screen, true),
            (gfx::Point{218, 74}));
}

TEST_F(ToolbarLayoutTest, TheIconIsPulledBackOntoTheScreen) {
  device.tree.WriteHostFile("Storage Card/VexaDeck/VexaToolbar.ini",
                            "[Main]\r\nIconXPostion=900\r\nIconYPostion=-40\r\n");
  ASSERT_TRUE(store.Read(u"\\Storage Card\\VexaDeck\\VexaToolbar.ini"));
  // 32 pixels of icon and its frame: 34 wide.
  EXPECT_EQ(IconWindowPlace(store, {800, 480}), (gfx::Point{766, 0}));
  store.SetInt(u"Main", u"IconXPostion", 10);
  store.SetInt(u"Main", u"IconYPostion", 470);
  store.SetInt(u"Main", u"IconSize", 48);
  EXPECT_EQ(IconWindowPlace(store, {800, 480}), (gfx::Point{10, 430}));
  // The spelling with the "i" is another key.
  store.SetInt(u"Main", u"IconXPosition", 300);
  EXPECT_EQ(IconWindowPlace(store, {800, 480}).x, 10);
}

TEST_F(ToolbarLayoutTest, AGroupListsItsShortcutsByNameWithoutTheirExtension) {
  device.tree.WriteHostFile("Storage Card/Group/nav.lnk", "x");
  device.tree.WriteHostFile("Storage Card/Group/mp3.lnk", "x");
  device.tree.WriteHostFile("Storage Card/Group/readme.txt", "x");
  device.tree.MakeDir("Storage Card/Group/folder.lnk");
  EXPECT_THAT(GroupEntries(device.files, u"\\Storage Card\\Group"), UnorderedElementsAre(u"nav", u"mp3"));
  EXPECT_THAT(GroupEntries(device.files, u"\\Storage Card\\Missing"), IsEmpty());
  EXPECT_THAT(GroupEntries(device.files, u""), IsEmpty());
}

TEST(ProgramIconTest, AProgramsIconFileLiesBesideItWithItsName) {
  EXPECT_EQ(ProgramIconPath(u"\\Storage Card\\Navi\\navi.exe"), u"\\Storage Card\\Navi\\navi.png");
  EXPECT_EQ(ProgramIconPath(u"\\Storage Card\\v1.2\\tool"), u"\\Storage Card\\v1.2\\tool.png");
}

TEST(KeyboardTest, DigitsAreTheNumericPadKeysAndEveryOtherKeyItsDeviceCode) {
  auto code = [](std::u16string_view caption) {
    for (const KeyboardKey& key : KeyboardKeys()) {
      if (key.caption == caption) return key.virtualKey;
    }
    return -1;
  };
  EXPECT_EQ(code(u"1"), 0x61);
  EXPECT_EQ(code(u"9"), 0x69);
  EXPECT_EQ(code(u"0"), 0x60);
  EXPECT_EQ(code(u"q"), 0x51);
  EXPECT_EQ(code(u"m"), 0x4D);
  EXPECT_EQ(code(u"Shift"), 0xA0);
  EXPECT_EQ(code(u"◁"), 0x08);
  EXPECT_EQ(code(u"'"), 0xDE);
  EXPECT_EQ(code(u"\\"), 0xDC);
  EXPECT_EQ(code(u"Han"), 0);
  EXPECT_EQ(code(u"Paste"), 0);
  // All 26 letters, ten digits, and no id twice.
  std::vector<int> ids;
  int letters = 0;
  for (const KeyboardKey& key : KeyboardKeys()) {
    ids.push_back(key.id);
    if (key.virtualKey >= 0x41 && key.virtualKey <= 0x5A) ++letters;
  }
  EXPECT_EQ(letters, 26);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

TEST(DesktopCheckTest, TheIntroScreenEndsAndTheExplorerStartsOnlyWhenNoneRuns) {
  testing::TestDevice device;
  device.processes.SetRunning({{7, u"VexaToolbar.exe"}, {8, u"GN_Intro.exe"}, {9, u"gn_intro.exe"}});
  EnsureDesktop(device.processes);
  EXPECT_THAT(device.processes.terminated(), ElementsAre(8u, 9u));
  ASSERT_EQ(device.processes.started().size(), 1u);
  EXPECT_EQ(device.processes.started()[0].application, u"\\Windows\\explorer.exe");

  device.processes.SetRunning({{7, u"VexaToolbar.exe"}, {10, u"Explorer.EXE"}});
  EnsureDesktop(device.processes);
  EXPECT_EQ(device.processes.started().size(), 1u);
}

}  // namespace
}  // namespace vexa::toolbar
