#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "common/text/Text.h"
#include "platform/runtime/ProgramRuntime.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

enum : int { kAsk = 1001, kTicks = 1003 };

// A small program: a button that asks before saving a note, a timer that counts and starts another
// program at its second tick, and a green background.
class Probe : public ui::WindowHandler {
 public:
  explicit Probe(Platform& platform) : platform_(platform) {}

  void OnInit(ui::Window& window) override { window.SetTimer(7, 500); }
  void OnCommand(ui::Window&, int id, ui::Notification notification) override {
    if (id != kAsk || notification != ui::Notification::kClicked) return;
    MessageBoxRequest request;
    request.caption = u"Probe";
    request.text = u"Save the \"note\"?";
    request.buttons = MessageButtons::kYesNo;
    request.icon = MessageIcon::kQuestion;
    if (platform_.messageBoxes.Show(request) == MessageAnswer::kYes) {
      platform_.files.WriteWholeFile(u"\\note.txt", "saved");
    }
  }
  void OnTimer(ui::Window& window, int) override {
    ++ticks_;
    window.SetText(kTicks, text::FromInt(ticks_));
    if (ticks_ == 2) platform_.processes.Start(u"\\Windows\\explorer.exe", u"-x");
  }
  bool OnPaint(ui::Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, gfx::Rect{0, 0, canvas.width(), canvas.height()}, gfx::Rgb(0, 128, 0));
    return true;
  }

 private:
  Platform& platform_;
  int ticks_ = 0;
};

int ProbeMain(Platform& platform, ui::UserInterface& ui) {
  ui::WindowTemplate tmpl;
  tmpl.title = u"Probe";
  tmpl.rect = gfx::Rect::FromSize(100, 50, 300, 200);
  tmpl.controls = {
      {kAsk, ui::ControlKind::kPushButton, {10, 10, 110, 40}, u"Ask", 0},
      {kTicks, ui::ControlKind::kStatic, {10, 60, 110, 80}, u"0", 0},
  };
  Probe probe(platform);
  ui.RunModal(tmpl, probe, nullptr);
  return 0;
}

// A window filled with one colour.
class Plain : public ui::WindowHandler {
 public:
  explicit Plain(gfx::ColorRef color) : color_(color) {}
  bool OnPaint(ui::Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, gfx::Rect{0, 0, canvas.width(), canvas.height()}, color_);
    return true;
  }

 private:
  gfx::ColorRef color_;
};

// A green main window that, a moment after it is shown, opens a blue window over part of it and a red
// one that it hides again.
class Stack : public ui::WindowHandler {
 public:
  explicit Stack(ui::UserInterface& ui) : ui_(ui) {}
  void OnInit(ui::Window& window) override { window.SetTimer(1, 100); }
  void OnTimer(ui::Window& window, int) override {
    window.KillTimer(1);
    ui::WindowTemplate over;
    over.title = u"Over";
    over.rect = gfx::Rect::FromSize(300, 150, 150, 100);
    ui_.CreateModeless(over, blue_, &window);
    ui::WindowTemplate hidden;
    hidden.title = u"Hidden";
    hidden.rect = gfx::Rect::FromSize(0, 0, 50, 50);
    ui_.CreateModeless(hidden, red_, &window).Show(false);
  }
  bool OnPaint(ui::Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, gfx::Rect{0, 0, canvas.width(), canvas.height()}, gfx::Rgb(0, 128, 0));
    return true;
  }

 private:
  ui::UserInterface& ui_;
  Plain blue_{gfx::Rgb(0, 0, 255)};
  Plain red_{gfx::Rgb(255, 0, 0)};
};

int StackMain(Platform&, ui::UserInterface& ui) {
  ui::WindowTemplate tmpl;
  tmpl.title = u"Probe";
  tmpl.rect = gfx::Rect::FromSize(100, 50, 300, 200);
  Stack stack(ui);
  ui.RunModal(tmpl, stack, nullptr);
  return 0;
}

class HeadlessRunTest : public ::testing::Test {
 protected:
  HeadlessRunTest() {
    tree_.WriteHostFile("Windows/explorer.exe", "");
    tree_.MakeDir("Storage Card/Probe");
  }

  // Runs the probe headless with a scenario and the given extra arguments; returns the exit code.
  int Run(const std::string& scenario, std::vector<std::string> extra = {},
          const ProgramMain& main = ProbeMain) {
    tree_.WriteHostFile("scenario.txt", scenario);
    std::vector<std::string> args = {"probe",         "--headless",
                                     "--device-root", tree_.root().string(),
                                     "--module-path", "\\Storage Card\\Probe\\probe.exe",
                                     "--scenario",    (tree_.root() / "scenario.txt").string(),
                                     "--log",         LogPath()};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    ProgramInfo info;
    info.name = u"Probe";
    ::testing::internal::CaptureStderr();
    const int code = RunProgram(static_cast<int>(argv.size()), argv.data(), info, main);
    errors_ = ::testing::internal::GetCapturedStderr();
    return code;
  }
  std::string LogPath() const { return (tree_.root() / "effects.jsonl").string(); }
  std::vector<std::string> LogLines() const {
    std::ifstream in(LogPath());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  testing::TempDeviceTree tree_;
  std::string errors_;
};

TEST_F(HeadlessRunTest, AScenarioClicksAnswersWaitsAndTakesAPicture) {
  const std::string shot = (tree_.root() / "probe.png").string();
  const int code =
      Run("click \"Probe\" 1001\n"
          "answer yes\n"
          "wait 1200\n"
          "screenshot \"Probe\" " +
          shot +
          "\n"
          "quit\n");
  EXPECT_EQ(code, 0) << errors_;
  EXPECT_EQ(tree_.ReadHostFile("note.txt"), "saved");
  EXPECT_THAT(
      LogLines(),
      ElementsAre(R"({"t":0,"event":"window_opened","title":"Probe"})",
                  R"({"t":0,"event":"action","line":1,"text":"click \"Probe\" 1001"})",
                  R"({"t":0,"event":"action","line":2,"text":"answer yes"})",
                  R"({"t":0,"event":"message_box","caption":"Probe","text":"Save the \"note\"?",)"
                  R"("buttons":"yes_no","icon":"question","answer":"yes"})",
                  R"({"t":0,"event":"file_written","path":"\\note.txt"})",
                  R"({"t":0,"event":"action","line":3,"text":"wait 1200"})",
                  R"({"t":1000,"event":"process_started","application":"\\Windows\\explorer.exe",)"
                  R"("command_line":"-x","ok":true})",
                  R"({"t":1200,"event":"action","line":4,"text":"screenshot \"Probe\" )" + shot + "\"}",
                  R"({"t":1200,"event":"action","line":5,"text":"quit"})",
                  R"({"t":1200,"event":"window_closed","title":"Probe"})"));

  QImage picture(QString::fromStdString(shot));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(300, 200));
  EXPECT_EQ(picture.pixelColor(250, 150), QColor(0, 128, 0));
}

TEST_F(HeadlessRunTest, AScreenshotOfTheScreenShowsTheVisibleWindowsAsStacked) {
  const std::string shot = (tree_.root() / "screen.png").string();
  const int code = Run("wait 200\nscreenshot screen \"" + shot + "\"\n", {"--screen", "480x272"}, StackMain);
  EXPECT_EQ(code, 0) << errors_;
  QImage picture(QString::fromStdString(shot));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(480, 272));
  EXPECT_EQ(picture.pixelColor(5, 5), QColor(0, 0, 0));        // no window there; the hidden one is left out
  EXPECT_EQ(picture.pixelColor(150, 100), QColor(0, 128, 0));  // the main window
  EXPECT_EQ(picture.pixelColor(350, 200), QColor(0, 0, 255));  // the window over it
  EXPECT_EQ(picture.pixelColor(420, 200), QColor(0, 0, 255));  // beyond the main window
  EXPECT_EQ(picture.pixelColor(420, 100), QColor(0, 0, 0));
  EXPECT_THAT(LogLines(), ::testing::Contains(R"({"t":200,"event":"screenshot","path":")" + shot +
                                              R"(","windows":2,"top":"Over"})"));
}

TEST_F(HeadlessRunTest, TheProgramGetsItsDevicePathCommandLineAndVirtualClock) {
  std::u16string modulePath;
  std::u16string commandLine;
  DateTime started;
  const int code = Run("", {"--start-time", "2026-07-04 12:00:00", "-a", "b c"},
                       [&](Platform& platform, ui::UserInterface& ui) {
                         modulePath = platform.modulePath;
                         commandLine = platform.commandLine;
                         started = platform.clock->LocalTime();
                         EXPECT_EQ(ui.ScreenSize(), (gfx::Size{800, 480}));
                         EXPECT_NE(platform.windowList, nullptr);
                         EXPECT_NE(platform.dialogs, nullptr);
                         // With nothing left to do, the first loop that waits ends the run.
                         return ProbeMain(platform, ui) + 4;
                       });
  EXPECT_EQ(code, 4);
  EXPECT_EQ(modulePath, u"\\Storage Card\\Probe\\probe.exe");
  EXPECT_EQ(commandLine, u"-a \"b c\"");
  EXPECT_EQ(started, (DateTime{2026, 7, 6, 4, 12, 0, 0, 0}));
}

TEST_F(HeadlessRunTest, AFailingActionStopsTheRunWithCode3) {
  const int code = Run("click \"Probe\" 1005\nclick \"Probe\" 1001\n");
  EXPECT_EQ(code, 3);
  EXPECT_THAT(errors_, HasSubstr("scenario line 1: "));
  EXPECT_FALSE(tree_.HostExists("note.txt"));
  const auto lines = LogLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_THAT(lines[2], HasSubstr(R"("event":"scenario_error","line":1,"message":)"));
}

TEST_F(HeadlessRunTest, AWrongScenarioLineStopsTheStartBeforeTheProgramRuns) {
  bool ran = false;
  const int code = Run("wait 10\ntap 1\n", {}, [&](Platform&, ui::UserInterface&) {
    ran = true;
    return 0;
  });
  EXPECT_EQ(code, 2);
  EXPECT_FALSE(ran);
  EXPECT_THAT(errors_, HasSubstr("scenario.txt line 2: tap takes 2 values, not 1"));
  EXPECT_THAT(
      LogLines(),
      ElementsAre(R"({"t":0,"event":"scenario_error","line":2,"message":"tap takes 2 values, not 1"})"));
}

TEST_F(HeadlessRunTest, AMissingDeviceRootOrWrongOptionStopsTheStart) {
  bool ran = false;
  const ProgramMain main = [&](Platform&, ui::UserInterface&) {
    ran = true;
    return 0;
  };
  EXPECT_EQ(Run("", {"--device-root", (tree_.root() / "nowhere").string()}, main), 2);
  EXPECT_THAT(errors_, HasSubstr("Probe: the device root \"" + (tree_.root() / "nowhere").string() +
                                 "\" is not a folder"));
  EXPECT_EQ(Run("", {"--screen", "wide"}, main), 2);
  EXPECT_THAT(errors_, HasSubstr("the screen size must be"));
  EXPECT_EQ(Run("", {"--sreen", "480x272"}, main), 2);
  EXPECT_THAT(errors_, HasSubstr("Probe: unknown option --sreen (did you mean --screen?)"));
  EXPECT_FALSE(ran);
}

TEST_F(HeadlessRunTest, HelpPrintsTheOptionsAndRunsNothing) {
  bool ran = false;
  ::testing::internal::CaptureStdout();
  // Even next to a wrong option and without a device tree.
  const int code =
      Run("", {"--screen", "wide", "--help", "--device-root", (tree_.root() / "nowhere").string()},
          [&](Platform&, ui::UserInterface&) {
            ran = true;
            return 0;
          });
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(ran);
  EXPECT_THAT(out, ::testing::StartsWith("Usage: Probe [OPTION]..."));
  EXPECT_THAT(out, HasSubstr("--screen WxH"));
  EXPECT_THAT(out, HasSubstr("The program's own command line:\n  the arguments that are not options"));
  EXPECT_THAT(errors_, IsEmpty());
}

}  // namespace
}  // namespace vexa::platform

namespace vexa::platform {
namespace {

// A window whose reader thread waits on COM2:, takes what arrives and posts it; the window notes the
// moment of each post it handles and sets the clock at the first.
class SerialReader : public ui::WindowHandler {
 public:
  explicit SerialReader(Platform& platform) : platform_(platform) {}

  void OnInit(ui::Window& window) override {
    missing_ = platform_.serialPorts->Open(u"COM3:") == nullptr;
    port_ = platform_.serialPorts->Open(u"COM2:");
    if (!port_) return;
    SerialSettings settings;
    settings.baud = 4800;
    settings.stopBits = StopBits::kTwo;
    port_->SetSettings(settings);
    reader_ = platform_.threads->Start([this, &window] {
      while (running_) {
        if (!port_->WaitForBytes()) continue;
        std::uint8_t buffer[64];
        const std::size_t n = port_->Read(buffer).value_or(0);
        {
          std::lock_guard lock(mutex_);
          received_.append(buffer, buffer + n);
        }
        window.Post(ui::kWmUser + 200, 0, 0);
        platform_.clock->Sleep(10);
      }
    });
  }
  void OnPosted(ui::Window&, std::uint32_t, std::intptr_t, std::intptr_t) override {
    handled_.push_back(platform_.clock->TickCount());
    if (handled_.size() == 1) platform_.clockSetter->SetSystemTime(DateTime{2008, 1, 6, 5, 10, 0, 0, 0});
  }
  // After the run: the reader is released from its wait and joined, and the port closed.
  void Stop() {
    running_ = false;
    if (port_) port_->ReleaseWait();
    if (reader_) reader_->Join();
    port_.reset();
  }

  Platform& platform_;
  std::unique_ptr<SerialPort> port_;
  std::unique_ptr<Thread> reader_;
  std::atomic<bool> running_ = true;
  std::mutex mutex_;
  std::string received_;
  std::vector<std::uint64_t> handled_;
  bool missing_ = false;
};

TEST_F(HeadlessRunTest, AReaderThreadFollowsTheScenariosSerialBytesInVirtualTime) {
  tree_.WriteHostFile("drive.nmea", "ABCDEFGHIJ");
  std::string received;
  std::vector<std::uint64_t> handled;
  bool missing = false;
  DateTime clockAfter;
  const int code = Run("serial \"COM2:\" \"$\\x41\\r\\n\"\nwait 100\nserial-file COM2: drive.nmea\nwait 1000\n", {},
                       [&](Platform& platform, ui::UserInterface& ui) {
                         ui::WindowTemplate tmpl;
                         tmpl.title = u"Reader";
                         tmpl.rect = gfx::Rect::FromSize(0, 0, 100, 100);
                         SerialReader reader(platform);
                         ui.RunModal(tmpl, reader, nullptr);
                         reader.Stop();
                         received = reader.received_;
                         handled = reader.handled_;
                         missing = reader.missing_;
                         clockAfter = platform.clock->SystemTime();
                         return 0;
                       });
  EXPECT_EQ(code, 0) << errors_;
  EXPECT_TRUE(missing);
  EXPECT_EQ(received, "$A\r\nABCDEFGHIJ");
  // 4800 baud at 11 bits a byte: 4, 4 and the last 2 bytes of the recording in the chunks at 110, 120
  // and 130 ms; each post is handled at the moment the reader made it.
  EXPECT_THAT(handled, ElementsAre(0u, 110u, 120u, 130u));
  EXPECT_EQ(clockAfter, (DateTime{2008, 1, 6, 5, 10, 0, 1, 100}));
  const std::vector<std::string> lines = LogLines();
  const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
  EXPECT_TRUE(has(R"({"t":0,"event":"serial_open","port":"COM3:","ok":false})"));
  EXPECT_TRUE(has(R"({"t":0,"event":"serial_open","port":"COM2:","ok":true})"));
  EXPECT_TRUE(has(R"({"t":0,"event":"serial_settings","port":"COM2:","baud":4800,"byteSize":8,"parity":"none",)"
                  R"("stopBits":"2","ok":true})"));
  EXPECT_TRUE(has(R"({"t":0,"event":"clock_set","utc":"2008-01-05 10:00:00","ok":true})"));
  EXPECT_TRUE(has(R"({"t":1100,"event":"serial_close","port":"COM2:"})"));
}

TEST_F(HeadlessRunTest, AMissingRecordingStopsTheRunWithCode3) {
  const int code = Run("serial-file COM2: missing.nmea\n");
  EXPECT_EQ(code, 3);
  EXPECT_THAT(errors_, HasSubstr("scenario line 1: cannot read the recording"));
}

}  // namespace
}  // namespace vexa::platform
