#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "common/gfx/Bitmap.h"
#include "deck/ButtonSlot.h"
#include "deck/DeckSettings.h"
#include "deck/SkinLoader.h"
#include "deck/SkinWatch.h"
#include "deck/clock/ClockDisplays.h"
#include "deck/commands/CommandDispatcher.h"
#include "deck/gpsview/GpsControl.h"
#include "deck/gpsview/GpsDisplays.h"
#include "deck/pictures/PictureShow.h"
#include "deck/skinedit/SkinEditor.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// The launcher's one full-screen window: the skin's background and its 40 slots, the start-up
// sequence, the timers that drive the live displays and the exit path that restores the taskbar.
//
// The window owns the slots, the background and the timers; what a tap does is the command
// dispatcher's, and pictures and backgrounds are the picture show's. The window only routes.
class DeckWindow : public platform::ui::WindowHandler,
                   public CommandHost,
                   public PictureHost,
                   public GpsDisplayHost,
                   public SkinEditorHost {
 public:
  // Window timers.
  enum Timer : int {
    kStartupTimer = 1,     // 500 ms after start-up (and after a skin adoption): the start-up actions
    kAdoptSkinTimer = 2,   // 1 s after a skin was chosen: ask whether to keep it
    kClockTimer = 3,       // every second: the date and time slots
    kBackgroundTimer = 4,  // every BgndChangeTime seconds: the next picture or background
    kSpeedTimer = 5,       // 500 ms after an intermediate speed: the current speed
    kWatchTimer = 6,       // every 100 ms while the skin is followed: its files' changes
    kReloadTimer = 7,      // 300 ms after the last change of a burst: the skin loaded again
    kHoverTimerBase = 100, // + slot number: the slot's hover timer
  };
  static constexpr int kFirstSlotId = 1001;  // slot n (1 to 40) is control 1000 + n

  DeckWindow(Environment& env, platform::ui::UserInterface& ui);
  ~DeckWindow() override;
  // The slots hold the window's background and the picture cache by address: the window stays put.
  DeckWindow(const DeckWindow&) = delete;
  DeckWindow& operator=(const DeckWindow&) = delete;

  // Runs the window modally; returns when it closes.
  int Run();

  // Closes the window with result 0; the program then ends.
  void Close();
  void StopPeriodicTimers() override;
  void StartPeriodicTimers() override;

  const LiveSlots& live() const override { return skin_.live; }
  ButtonSlot& slot(int index) { return *slots_[static_cast<std::size_t>(index)]; }
  gfx::Size screen() const { return screen_; }
  const PictureShow& pictures() const { return pictureShow_; }

  void RunGpsTimeCommand();
  void PreparePictureLists();
  void ShowNextPicture();
  void ShowNextBackground();
  void OnSlotTapped(int slotNumber);
  // Loads the shown skin file again over the shown skin, keeping the window, the GPS reader and the
  // timers; a skin file that cannot be shown any more leaves the shown skin as it is (logged as
  // "skin_reload_failed"). Run by the watch when the skin's files change.
  void ReloadSkin();

  // What the commands act on.
  platform::ui::Window* window() override { return window_; }
  void CloseLauncher() override { Close(); }
  bool EditMode() const override { return editor_.editing(); }
  const SkinEditor& editor() const { return editor_; }
  void OpenImageViewer() override;
  void OpenMediaList(MediaMode mode, std::u16string_view folder) override;
  void OpenShortcutList(ShortcutKind kind) override;
  void OpenBackgroundChooser() override;
  void OpenClock() override;
  void OpenCalendar() override;
  void StepBackground(bool next) override { pictureShow_.StepBackground(next); }
  void StepPicture(bool next) override { pictureShow_.StepPicture(next); }
  bool ChooseAndLoadSkin(bool forceChooser) override;
  bool GpsRunning() const override { return gps_.running(); }
  const GpsDisplays& gpsDisplays() const { return gpsDisplays_; }

  // The GPS link and its displays.
  void StartGps() override { gps_.Start(); }
  void StopGps() override { gps_.Stop(); }
  void RequestGpsTime() override;
  void RunGpsTimeDialog() override;
  virtual void UpdateGpsDisplays() { gps_.UpdateDisplays(); }

  // What the GPS displays act on.
  ButtonSlot* LiveSlot(std::optional<int> index) override;
  bool SkinLoading() const override { return skinLoading_; }

  // The skin editor over the launcher, and its Layout window for one slot.
  void OpenSlotLayout(int slotNumber) override;
  bool EnterSkinEditor() override;

  // What the skin editor edits.
  platform::ui::Window* EditorOwner() override { return window_; }
  ButtonSlot& EditedSlot(int index) override { return slot(index); }
  const SkinLocation& EditedSkin() const override { return skin_.location; }
  void ShowEditedBackground(std::u16string_view path) override;
  void ReloadEditedSkin() override;
  void ResumeAfterEditing() override { StartPeriodicTimers(); }

  // Seams for the windows and services that later work brings; until then each records that it was
  // reached (and the settings sheet ends as cancelled).
  void OpenTaskList() override;
  SettingsOutcome OpenSettings() override;
  virtual void RefreshClockSlots();

  // What showing pictures needs of the window.
  platform::WindowHandle Owner() override;
  void StopAutoChange() override;
  void RestartAutoChange() override;
  void BackgroundChanged() override;
  void ShowInPlace(int slotIndex, std::shared_ptr<const gfx::Bitmap> picture) override;

  // Window handler.
  void OnInit(platform::ui::Window& window) override;
  void OnCommand(platform::ui::Window& window, int controlId, platform::ui::Notification notification) override;
  void OnTimer(platform::ui::Window& window, int timerId) override;
  bool OnPaint(platform::ui::Window& window, gfx::Bitmap& canvas) override;
  void OnDrawItem(platform::ui::Window& window, int controlId, gfx::Bitmap& canvas,
                  const platform::ui::DrawItemState& state) override;
  void OnControlPointerDown(platform::ui::Window& window, int controlId, gfx::Point p) override;
  void OnControlPointerMove(platform::ui::Window& window, int controlId, gfx::Point p, bool buttonDown) override;
  void OnControlPointerUp(platform::ui::Window& window, int controlId, gfx::Point p) override;
  void OnPointerMove(platform::ui::Window& window, gfx::Point p, bool buttonDown) override;
  void OnDestroy(platform::ui::Window& window) override;
  void OnPosted(platform::ui::Window& window, std::uint32_t message, std::intptr_t wParam,
                std::intptr_t lParam) override;

  // Posted by the GPS reader when it has parsed new data.
  static constexpr std::uint32_t kWmGpsFix = gps::GpsReceiver::kWmGpsFix;

 protected:
  Environment& env() { return env_; }

 private:
  bool Initialise();
  void ApplySkin(LoadedSkin skin);
  void RunStartupActions();
  void AdoptChosenSkin();
  std::optional<int> SlotIndexOf(int controlId) const;
  std::u16string SkinFolder() const;
  SkinLoadContext LoadContext();
  void Log(std::string_view event, std::initializer_list<platform::LogField> fields);
  void OnWatchTimer();

  Environment& env_;
  platform::ui::UserInterface& ui_;
  DeckSettings settings_;
  SkinLoader loader_;
  platform::ui::Window* window_ = nullptr;
  gfx::Size screen_;
  PictureCache pictures_;  // the current skin's pictures, shared by the slots
  std::array<std::unique_ptr<ButtonSlot>, kSlotCount> slots_;
  std::vector<gfx::Rect> slotBounds_;
  gfx::Bitmap background_;
  bool hasBackground_ = false;
  LoadedSkin skin_;
  std::vector<std::u16string> commonFonts_;
  std::vector<std::u16string> skinFonts_;
  bool skinLoading_ = false;
  std::vector<gfx::Rect> editStartBounds_;  // where the slots were when the skin editor opened

  // Present when the skin's files are followed (the platform has a file watcher).
  std::unique_ptr<SkinWatch> watch_;
  SkinChange pendingChange_ = SkinChange::kNone;
  gfx::Point lastPointer_{-1, -1};  // where the pointer was last seen, in window coordinates
  CommandDispatcher commands_{env_, *this};
  PictureShow pictureShow_{env_, *this, background_};
  GpsDisplays gpsDisplays_{env_, *this};
  GpsControl gps_{env_, settings_, *this, gpsDisplays_};
  ClockDisplays clockDisplays_{env_, *this};
  SkinEditor editor_{env_, ui_, *this};
};

}  // namespace vexa::deck
