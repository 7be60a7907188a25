// The toolbar's own windows, headless over a stand-in toolbar: the task manager and the hot-key
// setup, the calendar and the GPS time window, the settings window and the Position window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/toolbarwin/ToolbarWindowsFixture.h"
#include "toolbar/windows/CalendarWindow.h"
#include "toolbar/windows/PositionWindow.h"
#include "toolbar/windows/ToolbarDialogs.h"
#include "toolbar/windows/ToolbarWindows.h"

namespace vexa::toolbar {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The task manager and the hot-key setup.

TEST_F(ToolbarWindowsTest, TheTaskManagerNeverListsTheToolbar) {
  // The windows appear once the list is open; its next refresh lists them.
  const std::string opening = "window \"Navigation\" class \"NaviMain\"\nwindow \"Music\"\nwait 3000\n";
  EXPECT_EQ(Run(opening + "choose \"Task Manager\" 1001 \"Music\"\nclick \"Task Manager\" \"Return\"\n",
                [](FakeHost& host) { RunTaskManager(host); }),
            0);
  EXPECT_EQ(Run(opening + "choose \"Task Manager\" 1001 \"Vexa Toolbar 1.2\"\n",
                [](FakeHost& host) { RunTaskManager(host); }),
            3);
  EXPECT_THAT(Events("scenario_error"), Contains(HasSubstr("has no item")));
}

TEST_F(ToolbarWindowsTest, AHotKeyButtonOfTheTaskManagerFillsTheSetupFromTheSelectedWindow) {
  WriteSettings("[HOTKEY2]\r\nShortName=Old\r\nExeFilePath=\\old.exe\r\nExecute=Y\r\nExecuteMessage=Y\r\n");
  int layouts = -1;
  int on_top = 0;
  bool saved = false;
  ASSERT_EQ(Run("window \"Navigation\" class \"NaviMain\"\nwindow \"Music Player\"\nwait 3000\n"
                "choose \"Task Manager\" 1001 \"Navigation\"\n"
                "click \"Task Manager\" \"M2\"\n"
                "click \"SetUp Hotkey\" \"Save\"\n"
                "answer yes\n"
                "click \"Task Manager\" \"Top\"\n"
                "click \"Task Manager\" \"Return\"\n",
                [&](FakeHost& host) {
                  saved = RunTaskManager(host);
                  layouts = static_cast<int>(host.layouts.size());
                  on_top = host.putOnTop;
                }),
            0);
  EXPECT_TRUE(saved);
  EXPECT_EQ(layouts, 1);
  // A window made top-most, the toolbar goes on top again.
  EXPECT_EQ(on_top, 1);
  // The title and a short name from it, shown on the toolbar; everything else empty or off.
  const std::string ini = Settings();
  for (const char* line : {"Title=Navigation", "ShortName=Nav", "ShowToolbar=Y", "ExeFilePath=\r\n", "Execute=N",
                           "ExecuteMessage=N", "ToolbarMinimize=N"}) {
    EXPECT_THAT(ini, HasSubstr(line));
  }
  EXPECT_THAT(ini, Not(HasSubstr("Old")));
}

TEST_F(ToolbarWindowsTest, WithoutASelectedRowTheHotKeyButtonsTellTheUser) {
  EXPECT_EQ(Run("click \"Task Manager\" \"M1\"\nclick \"Task Manager\" \"Return\"\n",
                [](FakeHost& host) { EXPECT_FALSE(RunTaskManager(host)); }),
            0);
  EXPECT_THAT(Events("message_box"),
              ElementsAre(AllOf(HasSubstr("선택된 프로그램이 없습니다."), HasSubstr("\"caption\":\"알림\""))));
  EXPECT_THAT(Events("window_opened"), Not(Contains(HasSubstr("SetUp Hotkey"))));
}

TEST_F(ToolbarWindowsTest, TheHotKeySetupShowsTheSectionAndTheFilePickerTicksExecute) {
  WriteSettings("[Hotkey3]\r\nShortName=Map\r\nTitle=Navigation\r\nShowToolbar=Y\r\n");
  ASSERT_EQ(Run("file \"\\Storage Card\\Navi\\navi.exe\"\n"
                "click \"SetUp Hotkey\" \"...\"\n"
                "check \"SetUp Hotkey\" \"Minimize\" on\n"
                "click \"SetUp Hotkey\" \"Save\"\n",
                [](FakeHost& host) { EXPECT_TRUE(RunHotkeySetup(host, 3, std::nullopt)); }),
            0);
  EXPECT_THAT(Events("file_dialog"), ElementsAre(HasSubstr("프로그램(*.exe)|*.exe")));
  const std::string ini = Settings();
  for (const char* line : {"ShortName=Map", "Title=Navigation", "ShowToolbar=Y",
                           "ExeFilePath=\\Storage Card\\Navi\\navi.exe", "Execute=Y", "ExecuteMessage=N",
                           "ToolbarMinimize=Y"}) {
    EXPECT_THAT(ini, HasSubstr(line));
  }
}

TEST_F(ToolbarWindowsTest, TheHotPageShowsTheSavedTitleAndLaysTheToolbarOutAgain) {
  WriteSettings("[Hotkey2]\r\nTitle=Music\r\n");
  std::size_t layouts = 0;
  ASSERT_EQ(Run("choose \"SetUp Toolbar\" 1001 \"HOT\"\n"
                "click \"HOT\" \"Music\"\n"
                "type \"SetUp Hotkey\" 1006 \"Navigation\"\n"
                "click \"SetUp Hotkey\" \"Save\"\n"
                "click \"HOT\" \"Navigation\"\n"  // the wide button shows the new title
                "click \"SetUp Hotkey\" \"Return\"\n"
                "click \"SetUp Toolbar\" \"Return\"\n",
                [&](FakeHost& host) {
                  RunToolbarSetup(host);
                  layouts = host.layouts.size();
                }),
            0);
  EXPECT_EQ(layouts, 2u);  // after the Save, and after the settings window's Return
  EXPECT_THAT(Settings(), HasSubstr("[Hotkey2]\r\nTitle=Navigation\r\n"));
}

// The clock label, the calendar and the GPS time window.

TEST(ToolbarClockTest, TheLabelShowsTwelveHoursAndTheSecondsBelowUnlessTheIconsAreSmall) {
  EXPECT_EQ(ClockLabelText(13, 5, 9, 32), u"1:05\n[09]");
  EXPECT_EQ(ClockLabelText(13, 5, 9, 16), u"1:05");
  EXPECT_EQ(ClockLabelText(0, 30, 0, 48), u"0:30\n[00]");
  EXPECT_EQ(ClockLabelText(0, 30, 0, 16), u"0:30");
  EXPECT_EQ(ClockLabelText(12, 0, 0, 16), u"12:00");
}

class FixedNames : public platform::LocaleNames {
 public:
  std::u16string DayName(int day, bool) override {
    static const char16_t* const kNames[] = {u"월요일", u"화요일", u"수요일", u"목요일", u"금요일", u"토요일", u"일요일"};
    return day >= 1 && day <= 7 ? kNames[day - 1] : u"";
  }
  std::u16string MonthName(int, bool) override { return {}; }
  std::u16string DayHalf(bool) override { return {}; }
};

TEST(ToolbarClockTest, TheCalendarLinesNameTheHalfOfTheDayAndTheWeekday) {
  FixedNames names;
  EXPECT_EQ(CalendarTimeLine({2026, 1, 4, 1, 0, 30, 0, 0}), u"오전 0:30:00");
  EXPECT_EQ(CalendarTimeLine({2026, 1, 4, 1, 12, 0, 5, 0}), u"오후 12:00:05");
  EXPECT_EQ(CalendarTimeLine({2026, 1, 4, 1, 13, 5, 9, 0}), u"오후 1:05:09");
  EXPECT_EQ(CalendarDateLine({2026, 1, 0, 4, 9, 0, 0, 0}, &names), u"2026.01.04(일)");  // a Sunday
  EXPECT_EQ(CalendarDateLine({2026, 12, 3, 9, 9, 0, 0, 0}, &names), u"2026.12.09(수)");
  EXPECT_EQ(CalendarDateLine({2026, 12, 3, 9, 9, 0, 0, 0}, nullptr), u"2026.12.09()");
}

TEST_F(ToolbarWindowsTest, TheCalendarsGpsTimeButtonOpensThePortAtTheToolbarsSpeed) {
  WriteSettings("[GpsTime]\r\nGpsPort=com3:\r\nGpsSpeed=19200\r\n");
  std::string recording;
  for (int i = 0; i < 40; ++i) {
    recording += "$GPGGA,100000.000,3733.2344,N,12701.1232,E,1,05,1.2,35.0,M,,,,*00\r\n"
                 "$GPRMC,100000.000,A,3733.2344,N,12701.1232,E,10.00,90.0,050108,,*34\r\n";
  }
  tree.WriteHostFile("gps.nmea", recording);
  ASSERT_EQ(Run("click \"Calendar\" \"GPS Time\"\n"
                "serial-file \"COM3:\" \"" + (tree.root() / "gps.nmea").string() + "\"\n"
                "wait 3000\n"
                "click \"Calendar\" \"Return\"\n",
                [](FakeHost& host) { RunCalendar(host); }),
            0);
  EXPECT_THAT(Events("serial_open"), Contains(AllOf(HasSubstr("\"port\":\"COM3:\""), HasSubstr("\"ok\":true"))));
  EXPECT_THAT(Events("serial_settings"), Contains(HasSubstr("\"baud\":19200")));
  EXPECT_THAT(Events("clock_set"), ElementsAre(HasSubstr("2008-01-05")));
}

TEST_F(ToolbarWindowsTest, APortOutsideTheEightAndAnUnknownSpeedFallBack) {
  WriteSettings("[GpsTime]\r\nGpsPort=COM9:\r\nGpsSpeed=19600\r\n");
  ASSERT_EQ(Run("serial \"COM2:\" \"$GPRMC,100000.000,A,,,,,,,050108,,*34\\r\\n\"\n"
                "wait 300\n",
                [](FakeHost& host) { RunToolbarGpsTime(host); }),
            0);
  EXPECT_THAT(Events("serial_open"), Contains(HasSubstr("\"port\":\"COM2:\"")));
  EXPECT_THAT(Events("serial_settings"), Contains(HasSubstr("\"baud\":9600")));
}

// The settings window.

TEST(ToolbarSizesTest, TheIconSizeGivesTheButtonSize) {
  EXPECT_EQ(DerivedButtonSize(16, true), (gfx::Size{26, 30}));
  EXPECT_EQ(DerivedButtonSize(16, false), (gfx::Size{26, 18}));
  EXPECT_EQ(DerivedButtonSize(48, true), (gfx::Size{50, 72}));
  EXPECT_EQ(DerivedButtonSize(48, false), (gfx::Size{50, 50}));
  EXPECT_EQ(DerivedButtonSize(20, true), (gfx::Size{30, 34}));
  EXPECT_EQ(DerivedButtonSize(20, false), (gfx::Size{22, 22}));
}

TEST_F(ToolbarWindowsTest, TheSteppersStopAtTheirLimits) {
  WriteSettings("[Main]\r\nIconSize=32\r\nButtonWidth=34\r\nButtonHeight=100\r\n");
  std::vector<gfx::Size> layouts;
  ASSERT_EQ(Run("click \"GEN\" 1112\nclick \"GEN\" 1112\n"   // width down twice: 32, then refused
                "click \"GEN\" 1115\n"                       // height at 100: refused
                "click \"GEN\" 1116\n"                       // height down: 98
                "click \"SetUp Toolbar\" \"Save\"\n",
                [&](FakeHost& host) {
                  EXPECT_TRUE(RunToolbarSetup(host));
                  layouts = host.layouts;
                  EXPECT_EQ(host.clockApplied, 1);
                }),
            0);
  EXPECT_THAT(layouts, ElementsAre(gfx::Size{32, 100}, gfx::Size{32, 98}));
  EXPECT_THAT(Settings(), AllOf(HasSubstr("ButtonWidth=32"), HasSubstr("ButtonHeight=98")));
}

TEST_F(ToolbarWindowsTest, IconSize48GivesItsButtonsAtOnceAndReturnRestoresTheFile) {
  WriteSettings("[Main]\r\nIconSize=32\r\nButtonWidth=34\r\nButtonHeight=50\r\nShowIconName=Y\r\n");
  std::vector<gfx::Size> layouts;
  ASSERT_EQ(Run("click \"GEN\" \"48\"\nclick \"SetUp Toolbar\" \"Return\"\n",
                [&](FakeHost& host) {
                  EXPECT_FALSE(RunToolbarSetup(host));
                  layouts = host.layouts;
                  EXPECT_EQ(host.Store().GetInt(u"Main", u"IconSize", 0), 32);
                }),
            0);
  EXPECT_THAT(layouts, ElementsAre(gfx::Size{50, 72}, gfx::Size{34, 50}));
}

TEST_F(ToolbarWindowsTest, UntickingIconNameReappliesTheIconSize) {
  WriteSettings("[Main]\r\nIconSize=24\r\n");
  std::vector<gfx::Size> layouts;
  ASSERT_EQ(Run("check \"GEN\" \"Icon Name:\" off\nclick \"SetUp Toolbar\" \"Save\"\n",
                [&](FakeHost& host) {
                  RunToolbarSetup(host);
                  layouts = host.layouts;
                }),
            0);
  EXPECT_THAT(layouts, ElementsAre(gfx::Size{28, 26}));
  EXPECT_THAT(Settings(), HasSubstr("ShowIconName=N"));
}

TEST_F(ToolbarWindowsTest, ReturnAfterMovingTheToolbarPutsItWhereTheFileSays) {
  WriteSettings("[Main]\r\nXPosition=10\r\nYPosition=20\r\n");
  gfx::Rect after;
  ASSERT_EQ(Run("click \"GEN\" 1119\n"
                "click \"Position\" 1018\n"  // bottom right
                "click \"Position\" \"Save\"\n"
                "click \"SetUp Toolbar\" \"Return\"\n",
                [&](FakeHost& host) {
                  RunToolbarSetup(host);
                  after = host.Toolbar().Bounds();
                }),
            0);
  EXPECT_EQ(after.left, 10);
  EXPECT_EQ(after.top, 20);
  EXPECT_THAT(Settings(), HasSubstr("XPosition=10"));
}

TEST_F(ToolbarWindowsTest, ThePositionWindowsReturnPutsTheToolbarBack) {
  WriteSettings("[Main]\r\nXPosition=10\r\nYPosition=20\r\n");
  gfx::Rect after;
  ASSERT_EQ(Run("click \"Position\" 1014\n"  // centre
                "click \"Position\" \">>\"\n"
                "click \"Position\" \"Return\"\n",
                [&](FakeHost& host) {
                  EXPECT_FALSE(RunPositionWindow(host, host.Toolbar(), &host.Window()));
                  after = host.Toolbar().Bounds();
                  EXPECT_EQ(host.Store().GetInt(u"Main", u"XPosition", -1), 10);
                }),
            0);
  EXPECT_EQ(after.left, 10);
  EXPECT_EQ(after.top, 20);
}

TEST(PositionTest, PresetsAndArrowsKeepTheWindowOnTheScreen) {
  const gfx::Size screen{800, 480};
  EXPECT_EQ(PresetPosition(0, screen, {100, 50}), (gfx::Point{0, 0}));
  EXPECT_EQ(PresetPosition(4, screen, {100, 50}), (gfx::Point{350, 215}));
  EXPECT_EQ(PresetPosition(8, screen, {100, 50}), (gfx::Point{700, 430}));
  EXPECT_EQ(PresetPosition(5, screen, {100, 50}), (gfx::Point{700, 215}));
  const auto at = [](int x, int y) { return gfx::Rect::FromSize(x, y, 100, 50); };
  EXPECT_EQ(NudgePosition(at(0, 0), Nudge::kLeft, 1, screen), (gfx::Point{0, 0}));
  EXPECT_EQ(NudgePosition(at(4, 7), Nudge::kLeft, 10, screen), (gfx::Point{0, 7}));
  EXPECT_EQ(NudgePosition(at(4, 7), Nudge::kUp, 10, screen), (gfx::Point{4, 0}));
  EXPECT_EQ(NudgePosition(at(700, 0), Nudge::kRight, 1, screen), (gfx::Point{700, 0}));
  EXPECT_EQ(NudgePosition(at(689, 0), Nudge::kRight, 10, screen), (gfx::Point{699, 0}));
  EXPECT_EQ(NudgePosition(at(690, 0), Nudge::kRight, 10, screen), (gfx::Point{700, 0}));
  EXPECT_EQ(NudgePosition(at(0, 425), Nudge::kDown, 10, screen), (gfx::Point{0, 430}));
  EXPECT_EQ(NudgePosition(at(0, 429), Nudge::kDown, 1, screen), (gfx::Point{0, 430}));
}

TEST_F(ToolbarWindowsTest, TheIconsPositionIsWrittenOnlyOnSave) {
  int shown = 0;
  ASSERT_EQ(Run("click \"GEN\" 1123\nwait 100\n"
                "click \"Position\" 1018\nclick \"Position\" \"Save\"\n"
                "click \"SetUp Toolbar\" \"Save\"\n",
                [&](FakeHost& host) {
                  RunToolbarSetup(host);
                  shown = host.iconsShown;
                }),
            0);
  EXPECT_EQ(shown, 1);
  EXPECT_THAT(Settings(), AllOf(HasSubstr("IconXPostion=760"), HasSubstr("IconYPostion=440")));
}

TEST_F(ToolbarWindowsTest, TheClockTickHidesItsButtonAtOnceAndTheTimeTickOnlyWrites) {
  WriteSettings("[Toolbar]\r\nClock=Y\r\nClockShow=Y\r\n");
  std::size_t layouts = 0;
  ASSERT_EQ(Run("choose \"SetUp Toolbar\" 1001 \"SHOW\"\n"
                "check \"SHOW\" \"Time\" off\n"
                "check \"SHOW\" \"Clock:\" off\n"
                "click \"SetUp Toolbar\" \"Save\"\n",
                [&](FakeHost& host) {
                  RunToolbarSetup(host);
                  layouts = host.layouts.size();
                  EXPECT_EQ(host.clockApplied, 1);
                }),
            0);
  EXPECT_EQ(layouts, 1u);
  EXPECT_THAT(Settings(), AllOf(HasSubstr("Clock=N"), HasSubstr("ClockShow=N")));
}

TEST_F(ToolbarWindowsTest, TheGroupAndStartUpPickersWriteTheirKeys) {
  ASSERT_EQ(Run("choose \"SetUp Toolbar\" 1001 \"PROG\"\n"
                "folder \"\\Storage Card\\Games\"\n"
                "click \"PROG\" 1422\n"
                "choose \"SetUp Toolbar\" 1001 \"AUTO\"\n"
                "file \"\\Storage Card\\Navi\\navi.exe\"\n"
                "click \"AUTO\" 1532\n"
                "choose \"SetUp Toolbar\" 1001 \"GPS\"\n"
                "choose \"GPS\" \"GPS Speed:\" \"19200\"\n"
                "choose \"GPS\" \"GPS Port:\" \"COM5:\"\n"
                "click \"SetUp Toolbar\" \"Save\"\n",
                [](FakeHost& host) { RunToolbarSetup(host); }),
            0);
  EXPECT_THAT(Events("folder_dialog"), ElementsAre(HasSubstr("\"title\":\"게임 폴더\"")));
  const std::string ini = Settings();
  EXPECT_THAT(ini, HasSubstr("[Program2]\r\nProgramPath=\\Storage Card\\Games\r\nShowToolbar=Y\r\n"));
  EXPECT_THAT(ini, HasSubstr("[Run3]\r\nExeFilePath=\\Storage Card\\Navi\\navi.exe\r\nExecute=Y\r\n"));
  EXPECT_THAT(ini, AllOf(HasSubstr("GpsSpeed=19200"), HasSubstr("GpsPort=COM5:")));
}

}  // namespace
}  // namespace vexa::toolbar
