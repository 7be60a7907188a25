#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/EffectLog.h"
#include "platform/FileSystem.h"
#include "platform/headless/InProcessWindowList.h"
#include "platform/headless/ScriptedFileWatcher.h"
#include "platform/headless/Scenario.h"
#include "platform/headless/ScriptedSerialPorts.h"
#include "platform/headless/VirtualClock.h"
#include "platform/ui/Automation.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Graphics.h"

namespace vexa::platform {

// The event loop of the headless mode: every loop the program runs, the outermost and each nested
// modal one, takes its input from the scenario.
//
// RunUntil repeats: let the host handle its pending events (the runtime hands in a function for
// that, so this stays free of any toolkit); return when `done` answers true or the run is quitting;
// else fire the timers that fell due while the program slept (once each, see VirtualClock), or, when
// there are none, take the next action and perform it, through the automation for pointer and control
// actions and through the virtual clock for `wait`. Timers fired by a wait, and handlers reached by an
// action, may run nested loops, which go on taking actions from the same scenario.
//
// Answers for dialogs (answer, file, folder, color) are taken by the dialogs themselves when they
// come directly after the action that opened the dialog (see ScenarioDialogs); one the loop comes to
// first is kept for the next dialog of its kind.
//
// When the scenario runs out while a loop waits for input, the run quits with exit code 0, and so
// does `quit`; a `wait` then fires no more timers. A failed action (a window or control that is not there)
// logs "scenario_error" {line, message}, prints "scenario line N: message" to the error stream and quits with
// kFailedExitCode. Every action performed is logged as "action" {line, text} before it is performed;
// a screenshot of the whole screen is logged once written as "screenshot" {path, windows (how many are
// on it), top (the title of the top one)}. serial and serial-file hand their bytes to the scripted
// ports and return at once; a recording then flows in the virtual time that later actions pass.
// window puts a window of another program into the window list, on top of the other programs'
// windows, with its icon decoded from the device's picture file or drawn as a square of the colour;
// window-gone takes the first such window with that title (letter case aside) away again.
// file-changed reports a changed device file to the file watcher; with a host file (relative to the
// scenario file's folder) its bytes are first written over the device file, through the device's files.
class ScenarioPump : public ui::EventPump {
 public:
  static constexpr int kFailedExitCode = 3;

  ScenarioPump(Scenario scenario, VirtualClock& clock, EffectLog& log, std::ostream& errors);

  // The window adapter's automation; actions that need it fail while there is none.
  void SetAutomation(ui::Automation* automation) { automation_ = automation; }
  // The ports that serial and serial-file feed, and the folder a relative serial-file path starts
  // from (the scenario file's). Those actions fail while there are none.
  void SetSerialPorts(ScriptedSerialPorts* ports, std::string scenarioFolder) {
    serialPorts_ = ports;
    scenarioFolder_ = std::move(scenarioFolder);
  }
  // The window list that window and window-gone change, and the decoder of their icon pictures.
  // Those actions fail while there is no list; an icon picture fails without a decoder.
  void SetForeignWindows(InProcessWindowList* windows, ui::PictureDecoder* pictures) {
    windows_ = windows;
    pictures_ = pictures;
  }
  // The watcher file-changed reports to and the device files it writes; file-changed fails without them.
  void SetFileWatcher(ScriptedFileWatcher* watcher, FileSystem* files) {
    fileWatcher_ = watcher;
    files_ = files;
  }
  // Handles the host's pending events (QCoreApplication::processEvents at run time).
  void SetHostEvents(std::function<void()> processHostEvents) { hostEvents_ = std::move(processHostEvents); }

  void RunUntil(const std::function<bool()>& done) override;
  void Quit() override { quitting_ = true; }
  bool quitting() const override { return quitting_; }

  // 0, or kFailedExitCode once an action failed.
  int exitCode() const { return exitCode_; }

  // For the dialogs that take their answers from the scenario.
  Scenario& scenario() { return scenario_; }
  void LogAction(const ScenarioAction& action);
  // Stops the run: logs and prints the problem and quits with kFailedExitCode.
  void Fail(int line, std::string_view message);

 private:
  void Perform(const ScenarioAction& action);
  // serial and serial-file; an error text when the action cannot be done.
  std::string FeedSerial(const ScenarioAction& action);
  // window and window-gone; an error text when the action cannot be done.
  std::string ChangeWindows(const ScenarioAction& action);
  // file-changed; an error text when the action cannot be done.
  std::string ChangeFile(const ScenarioAction& action);
  void HostEvents();

  Scenario scenario_;
  VirtualClock& clock_;
  EffectLog& log_;
  std::ostream& errors_;
  ui::Automation* automation_ = nullptr;
  std::function<void()> hostEvents_;
  ScriptedSerialPorts* serialPorts_ = nullptr;
  std::string scenarioFolder_;
  InProcessWindowList* windows_ = nullptr;
  ui::PictureDecoder* pictures_ = nullptr;
  ScriptedFileWatcher* fileWatcher_ = nullptr;
  FileSystem* files_ = nullptr;
  bool quitting_ = false;
  int exitCode_ = 0;
};

}  // namespace vexa::platform
