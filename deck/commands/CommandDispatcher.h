#pragma once

#include <string_view>

#include "common/Environment.h"
#include "deck/commands/CommandTable.h"
#include "deck/media/MediaList.h"
#include "deck/media/ShortcutList.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// How the settings sheet closed.
struct SettingsOutcome {
  bool saved = false;     // Save, not Cancel
  bool editSkin = false;  // the Skin page's "Edit:" box asked for the skin editor
};

// What the commands act on: the launcher window and the windows and services it owns. Each
// window-opening operation runs its window modally and returns when it has closed.
class CommandHost {
 public:
  virtual ~CommandHost() = default;

  // The launcher window, owner of every box and window a command opens.
  virtual platform::ui::Window* window() = 0;
  virtual void StopPeriodicTimers() = 0;
  virtual void StartPeriodicTimers() = 0;
  // Ends the launcher (GO-EXIT).
  virtual void CloseLauncher() = 0;

  // The skin editor. While it is open a tap opens the Layout window of the tapped slot instead.
  virtual bool EditMode() const = 0;
  virtual void OpenSlotLayout(int slotNumber) = 0;
  // Opens the editor over the launcher; false when it could not be made. The editor starts the
  // periodic timers again when it closes.
  virtual bool EnterSkinEditor() = 0;

  virtual void OpenImageViewer() = 0;
  virtual void OpenTaskList() = 0;
  virtual void OpenCalendar() = 0;
  virtual void OpenClock() = 0;
  virtual SettingsOutcome OpenSettings() = 0;
  virtual void OpenMediaList(MediaMode mode, std::u16string_view folder) = 0;
  virtual void OpenShortcutList(ShortcutKind kind) = 0;
  virtual void OpenBackgroundChooser() = 0;

  // One step through the backgrounds or the pictures (true: next, false: previous).
  virtual void StepBackground(bool next) = 0;
  virtual void StepPicture(bool next) = 0;

  // Runs the skin chooser when forced (or when the skin file for the screen is missing) and loads
  // the skin; false when the user cancelled.
  virtual bool ChooseAndLoadSkin(bool forceChooser) = 0;

  // The GPS reader that feeds the displays.
  virtual bool GpsRunning() const = 0;
  virtual void StartGps() = 0;  // stops the reader instead when it runs
  virtual void StopGps() = 0;
  // Asks the running reader to set the clock from the next valid time.
  virtual void RequestGpsTime() = 0;
  // The GPS time dialog, modal.
  virtual void RunGpsTimeDialog() = 0;
};

// Runs the command of a tapped slot: a command word, a program path, "NONE" or nothing.
class CommandDispatcher {
 public:
  CommandDispatcher(Environment& env, CommandHost& host) : env_(env), host_(host) {}

  // Slot `slotNumber` (1 to 40) with its Action was tapped.
  void Dispatch(int slotNumber, std::u16string_view action);
  // Runs one command of the table, with the periodic timers stopped around it where it says so.
  void Run(const CommandEntry& command);

 private:
  void RunAction(CommandId id, std::u16string_view word);
  void ToggleTaskbar();
  void Configure();
  void GpsTime();
  void EditSkin();
  void ShowUnknown(std::u16string_view action);
  platform::WindowHandle owner();

  Environment& env_;
  CommandHost& host_;
};

}  // namespace vexa::deck
