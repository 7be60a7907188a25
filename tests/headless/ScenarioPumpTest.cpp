#include "platform/headless/ScenarioPump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

#include "common/text/Text.h"
#include "platform/headless/ScenarioDialogs.h"
#include "tests/headless/LogCapture.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Records every call as a line of text; a call can be made to fail, or to run a reaction (a handler
// opening a nested loop, a dialog).
class FakeAutomation : public ui::Automation {
 public:
  std::vector<std::string> calls;
  std::map<std::string, std::string> failures;             // call text -> error
  std::map<std::string, std::function<void()>> reactions;  // call text -> what the program does

  std::string Press(gfx::Point p) override { return Call("press " + Point(p)); }
  std::string Move(gfx::Point p) override { return Call("move " + Point(p)); }
  std::string Release(gfx::Point p) override { return Call("release " + Point(p)); }
  std::string Click(std::u16string_view title, const ui::ControlRef& id) override {
    return Call("click " + Control(title, id));
  }
  std::string Choose(std::u16string_view title, const ui::ControlRef& id, std::u16string_view item) override {
    return Call("choose " + Control(title, id) + " " + text::ToUtf8(item));
  }
  std::string Type(std::u16string_view title, const ui::ControlRef& id, std::u16string_view value) override {
    return Call("type " + Control(title, id) + " " + text::ToUtf8(value));
  }
  std::string Check(std::u16string_view title, const ui::ControlRef& id, ui::CheckState state) override {
    return Call("check " + Control(title, id) + " " + std::to_string(static_cast<int>(state)));
  }
  std::string Screenshot(std::u16string_view title, std::string_view hostPath) override {
    return Call("screenshot " + text::ToUtf8(title) + " " + std::string(hostPath));
  }
  std::string ScreenScreenshot(std::string_view hostPath, std::vector<std::u16string>& windows) override {
    windows = screenWindows;
    return Call("screen " + std::string(hostPath));
  }
  std::vector<std::u16string> screenWindows;  // what ScreenScreenshot reports

 private:
  static std::string Point(gfx::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
  static std::string Control(std::u16string_view title, const ui::ControlRef& id) {
    const std::string control = id.caption ? "\"" + text::ToUtf8(*id.caption) + "\"" : std::to_string(id.id);
    return text::ToUtf8(title) + "#" + control;
  }
  std::string Call(const std::string& call) {
    calls.push_back(call);
    if (auto reaction = reactions.find(call); reaction != reactions.end()) reaction->second();
    auto failure = failures.find(call);
    return failure == failures.end() ? std::string() : failure->second;
  }
};

class ScenarioPumpTest : public ::testing::Test {
 protected:
  // Sets up the pump on a scenario text; the test fails when it does not parse.
  ScenarioPump& Load(std::string_view text) {
    auto parsed = Scenario::Parse(text);
    if (auto* error = std::get_if<ScenarioError>(&parsed)) ADD_FAILURE() << error->message;
    pump_.emplace(std::get<Scenario>(std::move(parsed)), capture_.clock, capture_.log, errors_);
    pump_->SetAutomation(&automation_);
    pump_->SetHostEvents([this] { ++hostEvents_; });
    dialogs_.emplace(*pump_, capture_.log);
    return *pump_;
  }
  // The log lines that are not "action" records.
  std::vector<std::string> Effects() const {
    std::vector<std::string> effects;
    for (const std::string& line : capture_.Lines()) {
      if (line.find("\"event\":\"action\"") == std::string::npos) effects.push_back(line);
    }
    return effects;
  }
  MessageAnswer Box(MessageButtons buttons, int defaultButton = 0) {
    MessageBoxRequest request;
    request.caption = u"Deck";
    request.text = u"Sure?";
    request.buttons = buttons;
    request.icon = MessageIcon::kQuestion;
    request.defaultButton = defaultButton;
    return dialogs_->Show(request);
  }

  testing::LogCapture capture_;
  std::ostringstream errors_;
  FakeAutomation automation_;
  int hostEvents_ = 0;
  std::optional<ScenarioPump> pump_;
  std::optional<ScenarioDialogs> dialogs_;
};

TEST_F(ScenarioPumpTest, PerformsTheActionsInOrderAndEndsTheRunWhenTheyRunOut) {
  ScenarioPump& pump = Load(
      "tap 10 20\n"
      "press 1 2\nmove 3 4\nrelease 5 6\n"
      "click \"Main\" 1005\n"
      "choose \"Main\" 1006 \"Ding\"\n"
      "type \"Main\" 1007 \"abc\"\n"
      "check \"Main\" 1008 grey\n"
      "screenshot \"Main\" shot.png\n");
  pump.RunUntil([] { return false; });
  EXPECT_THAT(automation_.calls,
              ElementsAre("press 10,20", "release 10,20", "press 1,2", "move 3,4", "release 5,6",
                          "click Main#1005", "choose Main#1006 Ding", "type Main#1007 abc",
                          "check Main#1008 2", "screenshot Main shot.png"));
  EXPECT_TRUE(pump.quitting());
  EXPECT_EQ(pump.exitCode(), 0);
  // The host gets its turn before every action, between press and release, and after the last one.
  EXPECT_EQ(hostEvents_, 11);
  const auto lines = capture_.Lines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], R"({"t":0,"event":"action","line":1,"text":"tap 10 20"})");
  EXPECT_EQ(lines[4], R"({"t":0,"event":"action","line":5,"text":"click \"Main\" 1005"})");
  EXPECT_THAT(errors_.str(), IsEmpty());
}

TEST_F(ScenarioPumpTest, AScreenshotOfTheScreenLogsWhatWasOnIt) {
  automation_.screenWindows = {u"Skin", u"Vexa Deck Ver 3.x"};
  automation_.failures["screen bad.png"] = "cannot write a screenshot to bad.png";
  ScenarioPump& pump = Load("screenshot screen shot.png\nscreenshot screen bad.png\n");
  pump.RunUntil([] { return false; });
  EXPECT_THAT(automation_.calls, ElementsAre("screen shot.png", "screen bad.png"));
  EXPECT_THAT(
      Effects(),
      ElementsAre(
          R"({"t":0,"event":"screenshot","path":"shot.png","windows":2,"top":"Skin"})",
          R"({"t":0,"event":"scenario_error","line":2,"message":"cannot write a screenshot to bad.png"})"));
  EXPECT_EQ(pump.exitCode(), ScenarioPump::kFailedExitCode);
}

TEST_F(ScenarioPumpTest, ALoopReturnsWhenDoneAndNestedLoopsShareTheScenario) {
  ScenarioPump& pump = Load(
      "click \"Main\" 1\n"   // opens a modal window: a nested loop
      "click \"Modal\" 2\n"  // ends it
      "click \"Main\" 3\n");
  bool modalEnded = false;
  std::vector<std::string> order;
  automation_.reactions["click Main#1"] = [&] {
    order.push_back("modal opens");
    pump.RunUntil([&] { return modalEnded; });
    order.push_back("modal closed");
  };
  automation_.reactions["click Modal#2"] = [&] { modalEnded = true; };
  automation_.reactions["click Main#3"] = [&] { order.push_back("back in main"); };

  int outerChecks = 0;
  pump.RunUntil([&] { return ++outerChecks > 2; });  // two actions of the outer loop, then done
  EXPECT_EQ(order, (std::vector<std::string>{"modal opens", "modal closed", "back in main"}));
  EXPECT_FALSE(pump.quitting());

  pump.RunUntil([] { return false; });  // nothing left: the run ends
  EXPECT_TRUE(pump.quitting());
  EXPECT_EQ(pump.exitCode(), 0);
  pump.RunUntil([] { return false; });  // and every later loop returns at once
}

TEST_F(ScenarioPumpTest, WaitAdvancesVirtualTimeAndTimersMayRunLoopsOfTheirOwn) {
  ScenarioPump& pump = Load(
      "wait 250\n"
      "click \"Timer box\" 1\n"  // reached by the loop the timer runs, and ends it
      "wait 200\n");
  std::vector<std::uint64_t> firedAt;
  bool boxShown = false;
  bool boxClosed = false;
  automation_.reactions["click Timer box#1"] = [&] { boxClosed = true; };
  capture_.clock.Start(200, [&] {
    firedAt.push_back(capture_.clock.TickCount());
    if (!boxShown) {
      boxShown = true;
      pump.RunUntil([&] { return boxClosed; });  // a modal box shown from the timer
    }
  });
  pump.RunUntil([] { return false; });
  EXPECT_EQ(firedAt, (std::vector<std::uint64_t>{200, 400}));
  EXPECT_EQ(capture_.clock.TickCount(), 450u);
  EXPECT_THAT(capture_.Lines(),
              ElementsAre(R"({"t":0,"event":"action","line":1,"text":"wait 250"})",
                          R"({"t":200,"event":"action","line":2,"text":"click \"Timer box\" 1"})",
                          R"({"t":250,"event":"action","line":3,"text":"wait 200"})"));
}

TEST_F(ScenarioPumpTest, TimersDueDuringASleepFireOnceBeforeTheNextAction) {
  ScenarioPump& pump = Load(
      "click \"Main\" 1\n"  // its handler sleeps two seconds
      "click \"Main\" 2\n"
      "wait 250\n");
  std::vector<std::string> order;
  capture_.clock.Start(100, [&] { order.push_back("timer " + std::to_string(capture_.clock.TickCount())); });
  automation_.reactions["click Main#1"] = [&] {
    capture_.clock.Sleep(2000);
    order.push_back("slept");
  };
  automation_.reactions["click Main#2"] = [&] { order.push_back("click 2"); };
  pump.RunUntil([] { return false; });
  EXPECT_EQ(order, (std::vector<std::string>{"slept", "timer 2000", "click 2", "timer 2100", "timer 2200"}));
  EXPECT_EQ(capture_.clock.TickCount(), 2250u);
}

TEST_F(ScenarioPumpTest, AWaitFiresNoMoreTimersOnceTheRunEnds) {
  ScenarioPump& pump = Load("wait 1000\nquit\n");
  int fired = 0;
  capture_.clock.Start(10, [&] {
    ++fired;
    pump.RunUntil([] { return false; });  // takes the quit
  });
  pump.RunUntil([] { return false; });
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(capture_.clock.TickCount(), 10u);
}

TEST_F(ScenarioPumpTest, QuitStopsBeforeTheRestOfTheScenario) {
  ScenarioPump& pump = Load("click \"Main\" 1\nquit\nclick \"Main\" 2\n");
  pump.RunUntil([] { return false; });
  EXPECT_THAT(automation_.calls, ElementsAre("click Main#1"));
  EXPECT_EQ(pump.exitCode(), 0);
}

TEST_F(ScenarioPumpTest, AFailedActionStopsTheRunWithAnErrorAndANonZeroCode) {
  ScenarioPump& pump = Load("click \"Main\" 1\n\nclick \"Main\" 1005\nclick \"Main\" 2\n");
  automation_.failures["click Main#1005"] = "window \"Main\" has no control 1005";
  pump.RunUntil([] { return false; });
  EXPECT_THAT(automation_.calls, ElementsAre("click Main#1", "click Main#1005"));
  EXPECT_EQ(pump.exitCode(), ScenarioPump::kFailedExitCode);
  EXPECT_TRUE(pump.quitting());
  EXPECT_EQ(errors_.str(), "scenario line 3: window \"Main\" has no control 1005\n");
  EXPECT_THAT(Effects(), ElementsAre(R"({"t":0,"event":"scenario_error","line":3,)"
                                     R"("message":"window \"Main\" has no control 1005"})"));
}

TEST_F(ScenarioPumpTest, ATapWhosePressFailsIsNotReleased) {
  ScenarioPump& pump = Load("tap 900 900\n");
  automation_.failures["press 900,900"] = "no window of ours at 900,900";
  pump.RunUntil([] { return false; });
  EXPECT_THAT(automation_.calls, ElementsAre("press 900,900"));
  EXPECT_EQ(pump.exitCode(), ScenarioPump::kFailedExitCode);
}

TEST_F(ScenarioPumpTest, ActionsNeedingWindowsFailWithoutAUserInterface) {
  ScenarioPump& pump = Load("wait 5\nclick \"Main\" 1\n");
  pump.SetAutomation(nullptr);
  pump.RunUntil([] { return false; });
  EXPECT_EQ(capture_.clock.TickCount(), 5u);
  EXPECT_EQ(pump.exitCode(), ScenarioPump::kFailedExitCode);
  EXPECT_THAT(errors_.str(), HasSubstr("line 2: there is no user interface to drive"));
}

TEST_F(ScenarioPumpTest, MessageBoxesTakeTheAnswerThatFollowsTheirActionOrTheirDefault) {
  ScenarioPump& pump = Load(
      "click \"Main\" 1\n"
      "answer no\n"
      "click \"Main\" 2\n"
      "click \"Main\" 3\n");
  std::vector<MessageAnswer> answers;
  automation_.reactions["click Main#1"] = [&] { answers.push_back(Box(MessageButtons::kYesNo)); };
  automation_.reactions["click Main#2"] = [&] { answers.push_back(Box(MessageButtons::kYesNo, 1)); };
  automation_.reactions["click Main#3"] = [&] { answers.push_back(Box(MessageButtons::kOkCancel)); };
  pump.RunUntil([] { return false; });
  EXPECT_EQ(answers, (std::vector{MessageAnswer::kNo, MessageAnswer::kNo, MessageAnswer::kOk}));
  EXPECT_EQ(pump.exitCode(), 0);
  const auto lines = capture_.Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1], R"({"t":0,"event":"action","line":2,"text":"answer no"})");
  EXPECT_EQ(lines[2], R"({"t":0,"event":"message_box","caption":"Deck","text":"Sure?","buttons":"yes_no",)"
                      R"("icon":"question","answer":"no"})");
  EXPECT_EQ(lines[6], R"({"t":0,"event":"message_box","caption":"Deck","text":"Sure?","buttons":"ok_cancel",)"
                      R"("icon":"question","answer":"ok"})");
}

TEST_F(ScenarioPumpTest, AnAnswerReachedBeforeItsBoxWaitsForTheNextBox) {
  ScenarioPump& pump = Load("answer cancel\nwait 10\nclick \"Main\" 1\n");
  MessageAnswer answer = MessageAnswer::kOk;
  automation_.reactions["click Main#1"] = [&] {
    EXPECT_FALSE(dialogs_->OpenFile(kNoWindow, u"(*.exe)|*.exe|", u"\\"));  // not its kind
    answer = Box(MessageButtons::kOkCancel);
  };
  pump.RunUntil([] { return false; });
  EXPECT_EQ(answer, MessageAnswer::kCancel);
}

TEST_F(ScenarioPumpTest, AnAnswerThatIsNotAButtonOfTheBoxFailsTheRun) {
  ScenarioPump& pump = Load("click \"Main\" 1\nanswer yes\nclick \"Main\" 2\n");
  MessageAnswer answer = MessageAnswer::kNo;
  automation_.reactions["click Main#1"] = [&] { answer = Box(MessageButtons::kOk); };
  pump.RunUntil([] { return false; });
  EXPECT_EQ(answer, MessageAnswer::kOk);
  EXPECT_THAT(automation_.calls, ElementsAre("click Main#1"));
  EXPECT_EQ(pump.exitCode(), ScenarioPump::kFailedExitCode);
  EXPECT_EQ(errors_.str(), "scenario line 2: answer yes is not a button of the message box \"Deck\" (ok)\n");
}

TEST_F(ScenarioPumpTest, FileFolderAndColourDialogsTakeTheirAnswersOrCancel) {
  ScenarioPump& pump = Load(
      "click \"Main\" 1\n"
      "file \"\\Storage Card\\Navi\\navi.exe\"\n"
      "folder \"\\My Documents\"\n"
      "color 1,2,3\n"
      "click \"Main\" 2\n"
      "file \"\"\n");
  std::vector<std::string> got;
  automation_.reactions["click Main#1"] = [&] {
    got.push_back(text::ToUtf8(dialogs_->OpenFile(kNoWindow, u"(*.exe)|*.exe|", u"\\").value_or(u"-")));
    got.push_back(text::ToUtf8(dialogs_->Browse(kNoWindow, u"Pick")));
    got.push_back(std::to_string(dialogs_->ChooseColor(kNoWindow, gfx::Rgb(9, 9, 9)).value_or(0xFFFFFFFF)));
  };
  automation_.reactions["click Main#2"] = [&] {
    got.push_back(std::to_string(dialogs_->ChooseColor(kNoWindow, gfx::Rgb(9, 9, 9)).value_or(0xFFFFFFFF)));
    got.push_back(text::ToUtf8(dialogs_->Browse(kNoWindow, u"Pick")));
    got.push_back(
        text::ToUtf8(dialogs_->OpenFile(kNoWindow, u"Registry file(*.reg)|*.reg", u"\\").value_or(u"-")));
  };
  pump.RunUntil([] { return false; });
  EXPECT_EQ(got, (std::vector<std::string>{"\\Storage Card\\Navi\\navi.exe", "\\My Documents",
                                           std::to_string(gfx::Rgb(1, 2, 3)), std::to_string(0xFFFFFFFFu), "",
                                           "-"}));
  EXPECT_THAT(
      Effects(),
      ElementsAre(R"({"t":0,"event":"file_dialog","filter":"(*.exe)|*.exe|","folder":"\\",)"
                  R"("answer":"\\Storage Card\\Navi\\navi.exe"})",
                  R"({"t":0,"event":"folder_dialog","title":"Pick","answer":"\\My Documents"})",
                  R"({"t":0,"event":"color_dialog","initial":"9,9,9","answer":"1,2,3"})",
                  R"({"t":0,"event":"color_dialog","initial":"9,9,9","answer":""})",
                  R"({"t":0,"event":"folder_dialog","title":"Pick","answer":""})",
                  R"({"t":0,"event":"file_dialog","filter":"Registry file(*.reg)|*.reg","folder":"\\",)"
                  R"("answer":""})"));
}

TEST_F(ScenarioPumpTest, DialogsTakeNothingOnceTheRunIsQuitting) {
  Load("answer no\n");
  pump_->Quit();
  EXPECT_EQ(Box(MessageButtons::kYesNo), MessageAnswer::kYes);
}

TEST_F(ScenarioPumpTest, ControlsNamedByCaptionReachTheUserInterfaceAsCaptions) {
  ScenarioPump& pump = Load(
      "click \"Setup\" \"Save\"\n"
      "type \"Setup\" \"Width:\" \"640\"\n"
      "choose \"Setup\" 7 \"Compact\"\n"
      "check \"Setup\" \"Auto start\" off\n"
      "click \"Setup\" \"Load\"\n");
  automation_.failures["click Setup#\"Load\""] = "window \"Setup\" has no control captioned \"Load\"";
  pump.RunUntil([] { return false; });
  EXPECT_THAT(automation_.calls, ElementsAre("click Setup#\"Save\"", "type Setup#\"Width:\" 640",
                                             "choose Setup#7 Compact", "check Setup#\"Auto start\" 0",
                                             "click Setup#\"Load\""));
  EXPECT_EQ(pump.exitCode(), ScenarioPump::kFailedExitCode);
  EXPECT_EQ(errors_.str(), "scenario line 5: window \"Setup\" has no control captioned \"Load\"\n");
}

}  // namespace
}  // namespace vexa::platform

namespace vexa::platform {
namespace {

TEST_F(ScenarioPumpTest, SerialActionsFeedTheScenariosPortsAndARecordingFlowsInLaterWaits) {
  testing::TempDeviceTree folder;
  folder.WriteHostFile("drives/short.nmea", std::string(96, 'r'));
  ScriptedSerialPorts ports(capture_.clock, capture_.log);
  ports.AddPort(2);
  auto port = ports.Open(u"COM2:");
  ScenarioPump& pump = Load("serial COM2: \"ab\\r\\n\"\nserial-file COM2: drives/short.nmea\nwait 50\n");
  pump.SetSerialPorts(&ports, folder.root().string());
  pump.RunUntil([] { return false; });
  EXPECT_EQ(errors_.str(), "");
  // 9.6 bytes every 10 ms at the default 9600 baud: 48 of the 96 after 50 ms.
  EXPECT_EQ(port->QueuedBytes(), 4u + 48u);
  EXPECT_EQ(ports.PendingBytes(2), 48u);
}

TEST_F(ScenarioPumpTest, SerialActionsFailWithoutPortsOrARecording) {
  ScenarioPump& pump = Load("serial COM2: \"x\"\n");
  pump.RunUntil([] { return false; });
  EXPECT_EQ(errors_.str(), "scenario line 1: there are no serial ports to feed\n");

  ScriptedSerialPorts ports(capture_.clock, capture_.log);
  ports.AddPort(2);
  errors_.str("");
  ScenarioPump& second = Load("serial-file COM2: /nonexistent/drive.nmea\n");
  second.SetSerialPorts(&ports, "");
  second.RunUntil([] { return false; });
  EXPECT_EQ(errors_.str(), "scenario line 1: cannot read the recording \"/nonexistent/drive.nmea\"\n");
  EXPECT_EQ(second.exitCode(), ScenarioPump::kFailedExitCode);
}

}  // namespace
}  // namespace vexa::platform

namespace vexa::platform {
namespace {

// A user interface without windows of its own: the window list then holds only other programs'.
class NoWindows : public ui::UserInterface {
 public:
  int RunModal(const ui::WindowTemplate&, ui::WindowHandler&, ui::Window*) override { return 0; }
  ui::Window& CreateModeless(const ui::WindowTemplate&, ui::WindowHandler&, ui::Window*) override {
    std::abort();
  }
  ui::Window& CreateChild(ui::Window&, const ui::WindowTemplate&, ui::WindowHandler&) override {
    std::abort();
  }
  ui::Window* Find(WindowHandle) override { return nullptr; }
  std::vector<ui::Window*> TopLevelWindows() override { return {}; }
  gfx::Size ScreenSize() const override { return {800, 480}; }
  void SetWaitCursor(bool) override {}
  void Quit(int) override {}
};

// Knows one picture: "\icons\navi.png", 24 x 24 of blue.
class OnePicture : public ui::PictureDecoder {
 public:
  std::optional<gfx::Bitmap> Decode(std::u16string_view path, std::optional<gfx::Size>) override {
    if (path != u"\\icons\\navi.png") return std::nullopt;
    return gfx::Bitmap(24, 24, 0xFF0000FFu);
  }
};

TEST_F(ScenarioPumpTest, WindowActionsPutOtherProgramsWindowsIntoTheListAndTakeThemAway) {
  NoWindows ui;
  InProcessWindowList windows(ui, capture_.log);
  OnePicture pictures;
  ScenarioPump& pump = Load(
      "window \"Navigation\" class \"NaviMain\" icon \"\\icons\\navi.png\"\n"
      "window \"Music\" icon 0,255,0 hidden\n"
      "window \"Pinned\" topmost\n"
      "window \"Notes\"\n"
      "window-gone \"music\"\n");
  pump.SetForeignWindows(&windows, &pictures);
  pump.RunUntil([] { return false; });
  ASSERT_EQ(pump.exitCode(), 0) << errors_.str();

  std::vector<std::u16string> titles;
  for (const ui::ForeignWindow window : windows.Enumerate()) titles.push_back(windows.Title(window));
  EXPECT_THAT(titles, ElementsAre(u"Pinned", u"Notes", u"Navigation"));  // top-most first, then newest first
  const auto navigation = windows.Find(u"Navigation", u"NaviMain");
  ASSERT_TRUE(navigation.has_value());
  ASSERT_TRUE(windows.Icon(*navigation).has_value());
  EXPECT_EQ(windows.Icon(*navigation)->At(3, 3), 0xFF0000FFu);
  EXPECT_TRUE(windows.IsTopMost(*windows.Find(u"Pinned", std::nullopt)));
  // The program set up its own window: nothing was done to it through the list.
  EXPECT_THAT(Effects(), IsEmpty());
}

TEST_F(ScenarioPumpTest, WindowActionsFailForAMissingIconOrAWindowThatIsNotThere) {
  NoWindows ui;
  InProcessWindowList windows(ui, capture_.log);
  OnePicture pictures;
  ScenarioPump& pump = Load("window \"Navigation\" icon \"\\icons\\gone.png\"\n");
  pump.SetForeignWindows(&windows, &pictures);
  pump.RunUntil([] { return false; });
  EXPECT_EQ(errors_.str(), "scenario line 1: cannot read the icon picture \"\\icons\\gone.png\"\n");
  EXPECT_TRUE(windows.Enumerate().empty());

  errors_.str("");
  ScenarioPump& second = Load("window-gone \"Navigation\"\n");
  second.RunUntil([] { return false; });
  EXPECT_EQ(errors_.str(), "scenario line 1: there is no window list for other programs' windows\n");
  errors_.str("");
  ScenarioPump& third = Load("window-gone \"Navigation\"\n");
  third.SetForeignWindows(&windows, &pictures);
  third.RunUntil([] { return false; });
  EXPECT_EQ(errors_.str(), "scenario line 1: no window of another program is titled \"Navigation\"\n");
  EXPECT_EQ(third.exitCode(), ScenarioPump::kFailedExitCode);
}

}  // namespace
}  // namespace vexa::platform
