#include "deck/commands/CommandDispatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/DeckStartup.h"
#include "platform/ui/WindowList.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestDevice;
using Start = platform::RecordingProcesses::StartRecord;

// A launcher that writes down what the commands asked of it, in order.
class TracingHost : public CommandHost {
 public:
  std::vector<std::string> trace;
  bool editMode = false;
  bool gpsRunning = false;
  bool skinLoads = true;
  bool editorOpens = true;
  SettingsOutcome settings;

  platform::ui::Window* window() override { return nullptr; }
  void StopPeriodicTimers() override { trace.push_back("stop timers"); }
  void StartPeriodicTimers() override { trace.push_back("start timers"); }
  void CloseLauncher() override { trace.push_back("close"); }
  bool EditMode() const override { return editMode; }
  void OpenSlotLayout(int slot) override { trace.push_back("layout " + std::to_string(slot)); }
  bool EnterSkinEditor() override {
    trace.push_back("skin editor");
    return editorOpens;
  }
  void OpenImageViewer() override { trace.push_back("image viewer"); }
  void OpenTaskList() override { trace.push_back("task list"); }
  void OpenCalendar() override { trace.push_back("calendar"); }
  void OpenClock() override { trace.push_back("clock"); }
  SettingsOutcome OpenSettings() override {
    trace.push_back("settings");
    return settings;
  }
  void OpenMediaList(MediaMode mode, std::u16string_view folder) override {
    trace.push_back(std::string(mode == MediaMode::kMusic ? "music " : "movies ") +
                    std::string(folder.begin(), folder.end()));
  }
  void OpenShortcutList(ShortcutKind kind) override { trace.push_back("shortcuts " + std::to_string(int(kind))); }
  void OpenBackgroundChooser() override { trace.push_back("background chooser"); }
  void StepBackground(bool next) override { trace.push_back(next ? "background next" : "background previous"); }
  void StepPicture(bool next) override { trace.push_back(next ? "picture next" : "picture previous"); }
  bool ChooseAndLoadSkin(bool force) override {
    trace.push_back(force ? "skin chooser" : "skin load");
    return skinLoads;
  }
  bool GpsRunning() const override { return gpsRunning; }
  void StartGps() override { trace.push_back("gps toggle"); }
  void StopGps() override { trace.push_back("gps stop"); }
  void RequestGpsTime() override { trace.push_back("gps time request"); }
  void RunGpsTimeDialog() override { trace.push_back("gps time dialog"); }
};

// A taskbar that can be missing, shown or hidden.
class Taskbar : public platform::ui::WindowList {
 public:
  bool exists = true;
  bool visible = false;
  int rightButtons = 0;
  std::optional<platform::ui::ForeignWindow> Find(std::optional<std::u16string_view>,
                                                  std::optional<std::u16string_view> className) override {
    if (!exists || className != std::optional<std::u16string_view>(u"HHTaskBar")) return std::nullopt;
    return 7;
  }
  std::vector<platform::ui::ForeignWindow> Enumerate() override { return {}; }
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
};

class CommandDispatcherTest : public ::testing::Test {
 protected:
  CommandDispatcherTest() { device.platform.windowList = &taskbar; }

  void Tap(std::u16string_view action) { dispatcher.Dispatch(3, action); }

  TestDevice device;
  Taskbar taskbar;
  Environment env{device.platform};
  TracingHost host;
  CommandDispatcher dispatcher{env, host};
};

TEST_F(CommandDispatcherTest, WordsMatchWholeWithoutRegardToCaseAndAreNeverTrimmed) {
  Tap(u"pic-next");
  Tap(u"Bgnd-Prev");
  Tap(u"GO-EXIT");
  EXPECT_THAT(host.trace, ElementsAre("picture next", "background previous", "close"));
  host.trace.clear();

  Tap(u" GO-EXIT");
  Tap(u"GO-EXIT ");
  Tap(u"GO-EXITS");
  EXPECT_THAT(host.trace, IsEmpty());
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Information|[ GO-EXIT] is unknown command.",
                                          u"Information|[GO-EXIT ] is unknown command.",
                                          u"Information|[GO-EXITS] is unknown command."));
  EXPECT_EQ(device.messageBoxes.shown()[0].request.icon, platform::MessageIcon::kNone);
}

TEST_F(CommandDispatcherTest, NoneAndEmptyDoNothingAndAPathIsStartedWithNoSettingRead) {
  Tap(u"NONE");
  Tap(u"");
  EXPECT_THAT(host.trace, IsEmpty());
  EXPECT_THAT(device.Boxes(), IsEmpty());

  device.tree.WriteHostFile("Storage Card/Game/a.exe", "program");
  Tap(u"\\Storage Card\\Game\\a.exe");
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Storage Card\\Game\\a.exe", u"", true}));
  // A path that is gone gets the launching service's message, not the unknown-command one.
  Tap(u"\\Storage Card\\Game\\gone.exe");
  ASSERT_EQ(device.Boxes().size(), 1u);
  EXPECT_EQ(device.Boxes()[0].find(u"unknown command"), std::u16string::npos);
}

TEST_F(CommandDispatcherTest, TheUnknownCommandMessageSpeaksKorean) {
  TestDevice korean(u"\\Storage Card\\VexaDeck\\VexaDeck.exe", platform::kLangKorean);
  Environment koreanEnv(korean.platform);
  CommandDispatcher koreanDispatcher(koreanEnv, host);
  koreanDispatcher.Dispatch(1, u"FLY");
  EXPECT_THAT(korean.Boxes(), ElementsAre(u"알림|[FLY]는 알수없는 명령입니다."));
}

TEST_F(CommandDispatcherTest, WindowsOfTheTableOpenWithThePeriodicTimersStoppedAroundThem) {
  for (const auto& command : Commands()) {
    host.trace.clear();
    dispatcher.Run(command);
    const std::string word(command.word.begin(), command.word.end());
    if (command.pause == TimerPause::kAround) {
      ASSERT_GE(host.trace.size(), 3u) << word;
      EXPECT_EQ(host.trace.front(), "stop timers") << word;
      EXPECT_EQ(host.trace.back(), "start timers") << word;
    } else if (command.pause == TimerPause::kNone) {
      for (const auto& step : host.trace) {
        EXPECT_NE(step, "stop timers") << word;
        EXPECT_NE(step, "start timers") << word;
      }
    }
  }
  // The lists of programs pause the timers; the media lists do not.
  EXPECT_EQ(FindCommand(u"SEL-GAME")->pause, TimerPause::kAround);
  EXPECT_EQ(FindCommand(u"SEL-MP3")->pause, TimerPause::kNone);
}

TEST_F(CommandDispatcherTest, EveryCommandOfTheTableReachesItsOwnAction) {
  env.mainSettings().SetString(u"Folder", u"Mp3", u"\\Music");
  env.mainSettings().SetString(u"Folder", u"Movie", u"\\Movies");
  for (const auto* word : {u"GO-IMAGEVIEW", u"GO-TASKMAN", u"GO-CALENDAR", u"GO-CLOCK", u"SEL-MOVIE", u"SEL-MP3",
                           u"SEL-FLASH", u"SEL-APPLICATION", u"SEL-GAME", u"SEL-SYSTEM", u"BGND-CHANGE",
                           u"BGND-NEXT", u"PIC-PREV", u"GPS-SPEED", u"SKIN-CHANGE"}) {
    Tap(word);
  }
  EXPECT_THAT(host.trace,
              ElementsAre("stop timers", "image viewer", "start timers", "stop timers", "task list", "start timers",
                          "stop timers", "calendar", "start timers", "stop timers", "clock", "start timers",
                          "movies \\Movies", "music \\Music", "stop timers", "shortcuts 3", "start timers",
                          "stop timers", "shortcuts 2", "start timers", "stop timers", "shortcuts 1", "start timers",
                          "stop timers", "shortcuts 0", "start timers", "stop timers", "background chooser",
                          "start timers", "background next", "picture previous", "gps toggle", "skin chooser"));
}

TEST_F(CommandDispatcherTest, EveryRunCommandNamesItsProgramWhenItsPathIsNotSet) {
  for (const auto* word : {u"RUN-NAVIGATION", u"RUN-TOOLBAR", u"RUN-MOVIE", u"RUN-MP3", u"RUN-FLASH", u"RUN-DMB"}) {
    Tap(word);
  }
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Information|Choose the [NAVIGATION] path from the config window.",
                                          u"Information|Choose the [TOOLBAR] path from the config window.",
                                          u"Information|Choose the [MOVIE] path from the config window.",
                                          u"Information|Choose the [MP3] path from the config window.",
                                          u"Information|Choose the [FLASH] path from the config window.",
                                          u"Information|Choose the [DMB] path from the config window."));
  EXPECT_THAT(device.processes.started(), IsEmpty());

  // The navigation program gets the receiver's port: the reader stops before it starts.
  device.tree.WriteHostFile("Storage Card/Navi/navi.exe", "program");
  env.mainSettings().SetString(u"Program", u"Navigation", u"\\%STORAGE%\\Navi\\navi.exe");
  host.trace.clear();
  Tap(u"run-navigation");
  EXPECT_THAT(host.trace, ElementsAre("gps stop"));
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Storage Card\\Navi\\navi.exe", u"", true}));
}

TEST_F(CommandDispatcherTest, InEditModeATapOpensTheSlotsLayoutAndNeverRunsTheCommand) {
  host.editMode = true;
  Tap(u"GO-EXIT");
  Tap(u"\\Storage Card\\a.exe");
  Tap(u"WHATEVER");
  EXPECT_THAT(host.trace, ElementsAre("layout 3", "layout 3", "layout 3"));
  EXPECT_THAT(device.Boxes(), IsEmpty());
  EXPECT_THAT(device.processes.started(), IsEmpty());
}

TEST_F(CommandDispatcherTest, TheTaskbarCommandShowsHidesOrOffersWindowMode) {
  Tap(u"GO-TASKBAR");
  EXPECT_TRUE(taskbar.visible);
  EXPECT_EQ(taskbar.rightButtons, 1);  // its menu opens as it is shown
  Tap(u"GO-TASKBAR");
  EXPECT_FALSE(taskbar.visible);
  EXPECT_EQ(taskbar.rightButtons, 1);

  taskbar.exists = false;
  device.messageBoxes.QueueAnswer(platform::MessageAnswer::kNo);
  Tap(u"GO-TASKBAR");
  ASSERT_EQ(device.messageBoxes.shown().size(), 1u);
  const auto& question = device.messageBoxes.shown()[0].request;
  EXPECT_EQ(question.text, u"윈도우 모드를 활성화 하시겠습니까?");
  EXPECT_EQ(question.buttons, platform::MessageButtons::kYesNo);
  EXPECT_EQ(question.icon, platform::MessageIcon::kQuestion);
  EXPECT_EQ(question.defaultButton, 1);  // No
  EXPECT_THAT(device.processes.started(), IsEmpty());

  device.tree.WriteHostFile("Windows/explorer.exe", "program");
  device.messageBoxes.QueueAnswer(platform::MessageAnswer::kYes);
  Tap(u"GO-TASKBAR");
  EXPECT_THAT(device.processes.started(), ElementsAre(Start{u"\\Windows\\explorer.exe", u"", true}));
}

TEST_F(CommandDispatcherTest, TheSettingsReloadAChangedSkinAndMayOpenTheEditor) {
  env.mainSettings().SetString(u"Skin", u"SkinName", u"Default");
  Tap(u"GO-CONFIG");  // cancelled
  EXPECT_THAT(host.trace, ElementsAre("stop timers", "settings", "start timers"));

  host.trace.clear();
  host.settings.saved = true;
  Tap(u"GO-CONFIG");  // saved, same skin
  EXPECT_THAT(host.trace, ElementsAre("stop timers", "settings", "start timers"));

  // The sheet renames the skin while it is open: a new name loads it (letter case alone is no
  // change), and a cancelled load keeps the skin shown with its timers running.
  struct RenamingHost : TracingHost {
    Environment* env = nullptr;
    std::u16string newName;
    SettingsOutcome OpenSettings() override {
      env->mainSettings().SetString(u"Skin", u"SkinName", newName);
      return TracingHost::OpenSettings();
    }
  } renamer;
  renamer.env = &env;
  renamer.settings.saved = true;
  renamer.newName = u"DEFAULT";
  CommandDispatcher(env, renamer).Dispatch(1, u"GO-CONFIG");
  EXPECT_THAT(renamer.trace, ElementsAre("stop timers", "settings", "start timers"));
  renamer.trace.clear();
  renamer.newName = u"Night";
  renamer.skinLoads = false;
  CommandDispatcher(env, renamer).Dispatch(1, u"GO-CONFIG");
  EXPECT_THAT(renamer.trace, ElementsAre("stop timers", "settings", "skin load", "start timers"));

  host.trace.clear();
  host.settings = {true, true};
  Tap(u"GO-CONFIG");  // the editor restarts the timers itself when it closes
  EXPECT_THAT(host.trace, ElementsAre("stop timers", "settings", "stop timers", "skin editor"));
  host.trace.clear();
  host.editorOpens = false;
  Tap(u"SKIN-EDIT");
  EXPECT_THAT(host.trace, ElementsAre("stop timers", "skin editor", "start timers"));
}

TEST_F(CommandDispatcherTest, GpsTimeAsksARunningReaderOrOpensTheDialogWithTheReaderStopped) {
  Tap(u"GPS-TIME");
  EXPECT_THAT(host.trace, ElementsAre("stop timers", "gps stop", "gps time dialog", "start timers"));
  host.trace.clear();
  host.gpsRunning = true;
  Tap(u"GPS-TIME");
  EXPECT_THAT(host.trace, ElementsAre("gps time request"));
}

}  // namespace
}  // namespace vexa::deck
