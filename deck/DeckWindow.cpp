#include "deck/DeckWindow.h"

#include <algorithm>
#include <utility>

#include "common/SettingValues.h"
#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/AutoRunCountdown.h"
#include "deck/DeckStartup.h"
#include "deck/DialogLayout.h"
#include "deck/SkinSelector.h"
#include "deck/clock/CalendarWindow.h"
#include "deck/clock/ClockWindow.h"
#include "deck/gps/GpsTimeDialog.h"
#include "deck/pictures/BackgroundDialog.h"
#include "deck/pictures/PictureLoader.h"
#include "deck/pictures/SlideShow.h"
#include "deck/settings/SettingsSheet.h"
#include "deck/tasks/TaskListWindow.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::deck {

namespace {

using platform::ui::ControlKind;
using platform::ui::Window;

// The chooser the loader asks when the skin file for the screen is missing or a change is wanted.
class DialogSkinChooser : public SkinChooser {
 public:
  DialogSkinChooser(Environment& env, platform::ui::UserInterface& ui, Window* owner)
      : env_(env), ui_(ui), owner_(owner) {}
  std::optional<SkinChoice> Choose(std::u16string_view skinFolder, std::u16string_view currentSkin,
                                   gfx::Size screen) override {
    auto chosen = RunSkinSelector(env_, ui_, owner_, skinFolder, currentSkin, screen);
    if (!chosen) return std::nullopt;
    return SkinChoice{chosen->skinName, chosen->fileName};
  }

 private:
  Environment& env_;
  platform::ui::UserInterface& ui_;
  Window* owner_;
};

// The window: 40 owner-drawn slots captioned "Button01" to "Button40", placed by the skin.
platform::ui::WindowTemplate DeckTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = std::u16string(kDeckTitle);
  tmpl.style = platform::ui::kPopup;
  tmpl.rect = {0, 0, screen.width, screen.height};
  for (int n = 1; n <= kSlotCount; ++n) {
    tmpl.controls.push_back({DeckWindow::kFirstSlotId + n - 1, ControlKind::kOwnerDrawButton, {0, 0, 0, 0},
                             text::Format(u"Button%02d", {std::int64_t{n}}), platform::ui::kHidden});
  }
  return tmpl;
}

}  // namespace

DeckWindow::DeckWindow(Environment& env, platform::ui::UserInterface& ui)
    : env_(env),
      ui_(ui),
      settings_(env),
      loader_(env, settings_),
      screen_(ui.ScreenSize()),
      pictures_(env.platform().pictures) {
  if (env.platform().fileWatcher != nullptr) {
    watch_ = std::make_unique<SkinWatch>(env.platform().files, *env.platform().fileWatcher);
  }
  for (auto& slot : slots_) slot = std::make_unique<ButtonSlot>(SlotServices::From(env.platform(), &pictures_));
}

DeckWindow::~DeckWindow() = default;

int DeckWindow::Run() {
  // The window is made at the system screen's size and moved to the chosen size during start-up.
  return ui_.RunModal(DeckTemplate(ui_.ScreenSize()), *this, nullptr);
}

void DeckWindow::Close() {
  if (window_ != nullptr) window_->EndModal(0);
}

void DeckWindow::Log(std::string_view event, std::initializer_list<platform::LogField> fields) {
  if (env_.platform().log != nullptr) env_.platform().log->Record(event, fields);
}

void DeckWindow::OnInit(Window& window) {
  window_ = &window;
  if (!Initialise()) Close();
}

bool DeckWindow::Initialise() {
  Window& window = *window_;
  window.SetIcon(platform::ui::res::kProgramIcon);
  window.SetTitle(kDeckTitle);
  hasBackground_ = false;
  skin_ = LoadedSkin{};

  PlaceShortcuts(env_);
  settings_.Read(window.handle());
  const auto screen = ResolveScreenSize(env_, ui_, &window);
  if (!screen) return false;
  screen_ = *screen;
  window.Move({0, 0, screen_.width, screen_.height});
  settings_.FillDefaults();

  slotBounds_.assign(kSlotCount, gfx::Rect{});
  for (int i = 0; i < kSlotCount; ++i) {
    auto& slot = *slots_[static_cast<std::size_t>(i)];
    slot.Attach(window, kFirstSlotId + i, kHoverTimerBase + i + 1);
    slot.SetBordered(false);
  }
  commonFonts_ = RegisterFonts(env_, SkinFolder() + u"_common\\Font");
  if (!ChooseAndLoadSkin(false)) return false;
  window.SetTimer(kStartupTimer, 500);
  if (watch_) window.SetTimer(kWatchTimer, 100);
  return true;
}

std::u16string DeckWindow::SkinFolder() const {
  auto folder = settings_.SkinFolder();
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return folder;
}

SkinLoadContext DeckWindow::LoadContext() {
  for (int i = 0; i < kSlotCount; ++i) {
    slotBounds_[static_cast<std::size_t>(i)] = window_->GetControlRect(kFirstSlotId + i);
  }
  SkinLoadContext context;
  context.screen = screen_;
  context.owner = window_->handle();
  context.gpsRunning = gps_.running();
  context.currentBounds = slotBounds_;
  return context;
}

bool DeckWindow::ChooseAndLoadSkin(bool forceChooser) {
  DialogSkinChooser chooser(env_, ui_, window_);
  ui_.SetWaitCursor(true);
  skinLoading_ = true;
  auto result = loader_.ChooseAndLoad(forceChooser, chooser, LoadContext());
  skinLoading_ = false;
  if (result.outcome == SkinOutcome::kCancelled) {
    ui_.SetWaitCursor(false);
    return false;
  }
  if (result.skin) ApplySkin(std::move(*result.skin));
  ui_.SetWaitCursor(false);
  if (result.chosenInChooser && result.skin) {
    // Ask a moment later, over the new skin, whether to keep it.
    window_->SetZOrder(platform::ui::ZOrder::kTop);
    window_->Enable(false);
    window_->SetTimer(kAdoptSkinTimer, 1000);
  }
  return true;
}

void DeckWindow::ApplySkin(LoadedSkin skin) {
  // The previous skin's fonts go; the new skin's come.
  RemoveFonts(env_, skinFonts_);
  if (auto* fonts = env_.platform().fonts) {
    for (const auto& path : skin.fonts) {
      if (fonts->Add(path)) skinFonts_.push_back(path);
    }
  }

  // Each picture file is decoded once for the whole skin, at no more than the screen's size.
  pictures_.Clear();
  pictures_.SetLargest(screen_);

  // The background is stretched over exactly the screen; without one it is blank.
  background_ = gfx::Bitmap();
  hasBackground_ =
      !skin.background.empty() && LoadPicture(env_.platform().pictures, skin.background, screen_, background_);
  StretchToSize(background_, screen_);

  for (int i = 0; i < kSlotCount; ++i) {
    auto& slot = *slots_[static_cast<std::size_t>(i)];
    slot.SetBackground(&background_);
    slot.Apply(skin.slots[static_cast<std::size_t>(i)]);
  }
  // The pictures the first paint shows are decoded before it: at start-up the first caption waits for
  // the font thread, and this work fills that wait.
  for (const auto& slot : slots_) slot->PrepareFirstDraw(screen_);
  skin_ = std::move(skin);
  pictureShow_.SetSkin({skin_.location.folder, skin_.location.name, skin_.location.file, skin_.live.pictures, screen_});
  // A reader already running for the displays fills the new skin's displays at once.
  if (gps_.running()) {
    // The speed text inside the dial is hidden while the GPS is off; the reader runs, so it shows.
    if (ButtonSlot* speed = LiveSlot(skin_.live.speed)) speed->Show(true);
    gpsDisplays_.Forget();
    UpdateGpsDisplays();
  }
  window_->Invalidate();
  window_->Update();
  // The watch follows the skin now shown, with the folders it has now.
  if (watch_) {
    watch_->Follow(skin_.location.folder, skin_.location.name, skin_.sourceFile);
    pendingChange_ = SkinChange::kNone;
  }
}

void DeckWindow::OnWatchTimer() {
  const SkinChange change = watch_ ? watch_->Take() : SkinChange::kNone;
  if (change == SkinChange::kNone) return;
  pendingChange_ = std::max(pendingChange_, change);
  // Every change of a burst puts the load off again, so a burst loads once.
  window_->SetTimer(kReloadTimer, 300);
}

void DeckWindow::ReloadSkin() {
  if (window_ == nullptr) return;
  window_->KillTimer(kReloadTimer);
  const SkinChange change = std::exchange(pendingChange_, SkinChange::kNone);
  const std::u16string file = skin_.sourceFile;
  if (file.empty()) return;
  if (skinLoading_ || editor_.editing()) {
    // The chooser or the skin editor has the skin: try again once it is done.
    pendingChange_ = std::max(pendingChange_, change);
    window_->SetTimer(kReloadTimer, 300);
    return;
  }
  ProfileStore fresh(env_.platform());
  if (const std::string problem = ReadSkinForReload(env_.platform(), file, fresh); !problem.empty()) {
    Log("skin_reload_failed", {{"file", file}, {"reason", problem}});
    // The folders may have gone and come back: follow what is there now.
    if (watch_) watch_->Follow(skin_.location.folder, skin_.location.name, file);
    return;
  }
  // The launcher's own save of the skin (the last picture shown, a kept layout) changes nothing.
  if (change == SkinChange::kSkinFile && fresh.SameContent(env_.skin())) return;

  SkinLocation location = skin_.location;
  location.file = file;
  skinLoading_ = true;
  LoadedSkin loaded = loader_.LoadFile(location, LoadContext());
  skinLoading_ = false;
  const int elements = loaded.usedSlots;
  ApplySkin(std::move(loaded));
  // The live displays show their values at once, not at their next change.
  RefreshClockSlots();
  PreparePictureLists();
  for (const auto& place : skin_.live.pictures) {
    if (place) ShowNextPicture();
  }
  Log("skin_reloaded", {{"file", file}, {"elements", std::int64_t{elements}}});
}

void DeckWindow::OnTimer(Window& window, int timerId) {
  if (timerId > kHoverTimerBase && timerId <= kHoverTimerBase + kSlotCount) {
    const auto index = static_cast<std::size_t>(timerId - kHoverTimerBase - 1);
    // The slot ends its hover when the pointer has left it.
    slots_[index]->OnHoverTimer(lastPointer_);
    return;
  }
  switch (timerId) {
    case kStartupTimer:
      window.KillTimer(kStartupTimer);
      RunStartupActions();
      break;
    case kAdoptSkinTimer:
      AdoptChosenSkin();
      break;
    case kClockTimer:
      RefreshClockSlots();
      break;
    case kBackgroundTimer:
      if (skin_.live.HasPicture()) {
        ShowNextPicture();
      } else {
        ShowNextBackground();
      }
      break;
    case kSpeedTimer:
      gpsDisplays_.OnSpeedTimer(gps_.running());
      break;
    case kWatchTimer:
      OnWatchTimer();
      break;
    case kReloadTimer:
      ReloadSkin();
      break;
    default:
      break;
  }
}

void DeckWindow::AdoptChosenSkin() {
  window_->KillTimer(kAdoptSkinTimer);
  window_->KillTimer(kStartupTimer);
  std::vector<SlotSettings> slots;
  slots.reserve(kSlotCount);
  for (const auto& slot : slots_) slots.push_back(slot->Settings());
  window_->SetZOrder(platform::ui::ZOrder::kBottom);
  if (AskToKeepSkin(env_.platform().messageBoxes, window_->handle(), env_.skin(), slots, skin_.location.file) &&
      watch_ && skin_.sourceFile != skin_.location.file) {
    // The scaled skin is now the screen's own file: that is the one to follow and load again.
    skin_.sourceFile = skin_.location.file;
    skin_.location.designSize = {};
    watch_->Follow(skin_.location.folder, skin_.location.name, skin_.sourceFile);
  }
  window_->SetTimer(kStartupTimer, 500);
  window_->Enable(true);
}

void DeckWindow::RunStartupActions() {
  auto& store = settings_.store();
  const auto handle = window_->handle();
  if (IsYesIgnoringCase(store.GetString(u"Main", u"AutoWindow", u""))) EnterWindowMode(env_, handle);
  if (TaskbarExists(env_)) ApplyTaskbarSetting(env_, store.GetString(u"Main", u"StartShowTaskBar", u""));
  // The switch named for the toolbar starts the toolbar program.
  if (IsYesIgnoringCase(store.GetString(u"Main", u"AutoToolbar", u""))) {
    LaunchRunCommand(env_, handle, u"RUN-TOOLBAR", [this] { StopGps(); });
  }
  const auto autoRun = store.GetString(u"Main", u"AutoRun", u"");
  const bool autoGpsTime = IsYesIgnoringCase(store.GetString(u"Gps", u"AutoGpsTime", u""));
  const bool speedGauge = settings_.AutoSpeedGauge();
  const bool gpsDisplays = skin_.live.HasGps() && speedGauge;

  // The reader is only started here, never stopped: the start-up actions run again after a skin
  // adoption, and a cancelled count-down must not stop a reader that already runs.
  if (gpsDisplays && !text::EqualsNoCase(autoRun, u"NAVI")) {
    if (!gps_.running()) StartGps();
  } else if (autoGpsTime) {
    RunGpsTimeCommand();
  }
  if (!autoRun.empty()) {
    const auto result = RunAutoRunCountdown(env_, ui_, window_);
    if (result == AutoRunResult::kImageViewer) OpenImageViewer();
    if (result == AutoRunResult::kCancel && gpsDisplays && !gps_.running()) StartGps();
  }
  PreparePictureLists();
  for (const auto& place : skin_.live.pictures) {
    if (place) ShowNextPicture();
  }
  StartPeriodicTimers();
}

void DeckWindow::StopPeriodicTimers() {
  if (window_ == nullptr) return;
  window_->KillTimer(kClockTimer);
  window_->KillTimer(kBackgroundTimer);
}

void DeckWindow::StartPeriodicTimers() {
  if (window_ == nullptr) return;
  StopPeriodicTimers();
  window_->SetTimer(kClockTimer, 1000);
  RestartAutoChange();
}

void DeckWindow::StopAutoChange() {
  if (window_ != nullptr) window_->KillTimer(kBackgroundTimer);
}

void DeckWindow::RestartAutoChange() {
  if (window_ == nullptr) return;
  window_->KillTimer(kBackgroundTimer);
  if (IsYesIgnoringCase(settings_.store().GetString(u"Skin", u"BgndAutoChange", u""))) {
    window_->SetTimer(kBackgroundTimer,
                      BackgroundChangePeriod(settings_.store().GetInt(u"Skin", u"BgndChangeTime", 60)));
  }
}

platform::WindowHandle DeckWindow::Owner() { return window_ != nullptr ? window_->handle() : platform::kNoWindow; }

void DeckWindow::BackgroundChanged() {
  hasBackground_ = !background_.empty();
  for (auto& slot : slots_) slot->Redraw();
  if (window_ != nullptr) {
    window_->Invalidate();
    window_->Update();
  }
}

void DeckWindow::ShowInPlace(int slotIndex, std::shared_ptr<const gfx::Bitmap> picture) {
  if (slotIndex >= 0 && slotIndex < kSlotCount) slot(slotIndex).ShowPicture(std::move(picture), true);
}

// The window paints its background picture, or the blank one when the skin has none, so the slots'
// pieces of it and the window between them agree.
bool DeckWindow::OnPaint(Window&, gfx::Bitmap& canvas) {
  if (background_.empty()) return false;
  gfx::Copy(canvas, {0, 0}, background_, background_.bounds());
  return true;
}

std::optional<int> DeckWindow::SlotIndexOf(int controlId) const {
  const int index = controlId - kFirstSlotId;
  if (index < 0 || index >= kSlotCount) return std::nullopt;
  return index;
}

void DeckWindow::OnDrawItem(Window&, int controlId, gfx::Bitmap& canvas, const platform::ui::DrawItemState& state) {
  if (auto index = SlotIndexOf(controlId)) slot(*index).Draw(canvas, state);
}

void DeckWindow::OnControlPointerDown(Window&, int controlId, gfx::Point p) {
  if (auto index = SlotIndexOf(controlId)) slot(*index).OnPointerDown(p);
}

void DeckWindow::OnControlPointerMove(Window& window, int controlId, gfx::Point p, bool buttonDown) {
  const auto rect = window.GetControlRect(controlId);
  lastPointer_ = {rect.left + p.x, rect.top + p.y};
  if (auto index = SlotIndexOf(controlId)) slot(*index).OnPointerMove(p, buttonDown);
}

void DeckWindow::OnPointerMove(Window&, gfx::Point p, bool) { lastPointer_ = p; }

void DeckWindow::OnControlPointerUp(Window&, int controlId, gfx::Point p) {
  if (auto index = SlotIndexOf(controlId)) slot(*index).OnPointerUp(p);
}

void DeckWindow::OnCommand(Window&, int controlId, platform::ui::Notification notification) {
  if (notification != platform::ui::Notification::kClicked) return;
  if (auto index = SlotIndexOf(controlId)) OnSlotTapped(*index + 1);
}

void DeckWindow::OnDestroy(Window& window) {
  editor_.Abandon();
  hasBackground_ = false;
  background_ = gfx::Bitmap();
  StopPeriodicTimers();
  window.KillTimer(kWatchTimer);
  window.KillTimer(kReloadTimer);
  StopGps();
  if (TaskbarExists(env_)) {
    ApplyTaskbarSetting(env_, settings_.store().GetString(u"Main", u"ExitShowTaskBar", u""));
  } else {
    RemoveFonts(env_, commonFonts_);
    RemoveFonts(env_, skinFonts_);
  }
  for (auto& slot : slots_) slot->Detach();
  window_ = nullptr;
}

void DeckWindow::OnPosted(Window&, std::uint32_t message, std::intptr_t, std::intptr_t) {
  if (message == kWmGpsFix) UpdateGpsDisplays();
}

void DeckWindow::OnSlotTapped(int slotNumber) {
  const std::u16string command = slot(slotNumber - 1).command();
  Log("slot_tapped", {{"slot", std::int64_t{slotNumber}}, {"command", command}});
  commands_.Dispatch(slotNumber, command);
}

void DeckWindow::RunGpsTimeCommand() {
  if (const auto* command = FindCommand(u"GPS-TIME")) commands_.Run(*command);
}

void DeckWindow::PreparePictureLists() { pictureShow_.Scan(); }
void DeckWindow::ShowNextPicture() { pictureShow_.StepPicture(true); }
void DeckWindow::ShowNextBackground() { pictureShow_.StepBackground(true); }

void DeckWindow::OpenImageViewer() { RunSlideShow(env_, ui_, window_); }

void DeckWindow::OpenMediaList(MediaMode mode, std::u16string_view folder) {
  RunMediaList(env_, ui_, window_, mode, folder);
}

void DeckWindow::OpenShortcutList(ShortcutKind kind) { RunShortcutList(env_, ui_, window_, kind); }

void DeckWindow::OpenClock() { RunClockWindow(env_, ui_, window_, screen_); }
void DeckWindow::OpenCalendar() { RunCalendarWindow(env_, ui_, window_, screen_); }

void DeckWindow::OpenBackgroundChooser() {
  BackgroundDialogInput input;
  input.backgrounds = pictureShow_.lists().backgrounds;
  input.selected = env_.skin().GetString(u"Background", u"ImageFile", u"");
  input.skinRoot = skin_.location.folder;
  input.buttonLogo = env_.skin().GetString(u"ButtonLogo", u"UpImageFile", u"");
  input.preview = [this](std::u16string_view name) { pictureShow_.PreviewBackground(name); };
  RunBackgroundDialog(env_, ui_, window_, input);
}

void DeckWindow::OpenSlotLayout(int slotNumber) { editor_.OpenLayout(slotNumber); }

bool DeckWindow::EnterSkinEditor() {
  if (window_ == nullptr) return false;
  StopPeriodicTimers();
  editStartBounds_.assign(kSlotCount, gfx::Rect{});
  for (int i = 0; i < kSlotCount; ++i) {
    editStartBounds_[static_cast<std::size_t>(i)] = window_->GetControlRect(kFirstSlotId + i);
  }
  return editor_.Enter();
}

// A background chosen in the editor is fitted to the screen as the skin's own is.
void DeckWindow::ShowEditedBackground(std::u16string_view path) {
  background_ = gfx::Bitmap();
  if (!path.empty()) LoadPicture(env_.platform().pictures, path, screen_, background_);
  StretchToSize(background_, screen_);
  BackgroundChanged();
}

// The file as it is stored: the screen's own skin file once there is one, else the file the skin
// was read from. Slots the file does not place go back to where they were before editing.
void DeckWindow::ReloadEditedSkin() {
  if (window_ == nullptr) return;
  SkinLocation location = skin_.location;
  if (env_.FileExists(location.file)) {
    location.designSize = {};
  } else if (!skin_.sourceFile.empty()) {
    location.file = skin_.sourceFile;
  }
  SkinLoadContext context = LoadContext();
  if (editStartBounds_.size() == static_cast<std::size_t>(kSlotCount)) context.currentBounds = editStartBounds_;
  skinLoading_ = true;
  LoadedSkin skin = loader_.LoadFile(location, context);
  skinLoading_ = false;
  ApplySkin(std::move(skin));
}
void DeckWindow::OpenTaskList() {
  tasks::TaskListOptions options;
  options.texts = tasks::LauncherTaskListTexts(env_.KoreanUi());
  options.layout = [this](platform::ui::WindowTemplate& tmpl) { ScaleForLargeFont(tmpl, screen_); };
  options.fonts = [this](platform::ui::Window& window, const platform::ui::WindowTemplate& tmpl) {
    ApplyLargeFont(env_, window, tmpl, screen_);
  };
  tasks::RunTaskList(env_.platform(), ui_, window_, options);
}
SettingsOutcome DeckWindow::OpenSettings() { return RunSettingsSheet(env_, ui_, window_); }
void DeckWindow::RefreshClockSlots() {
  if (auto* clock = env_.platform().clock) clockDisplays_.Tick(clock->LocalTime());
}

ButtonSlot* DeckWindow::LiveSlot(std::optional<int> index) {
  if (!index || *index < 0 || *index >= kSlotCount) return nullptr;
  return &slot(*index);
}

// With the receiver running, its next fix dated after 2007 sets the clock; the date and time
// displays stay empty until the clock tick fills them again.
void DeckWindow::RequestGpsTime() {
  gpsDisplays_.RequestTime();
  gpsDisplays_.SetText(skin_.live.date, u"");
  gpsDisplays_.SetText(skin_.live.time, u"");
}

// Without a running receiver the GPS time dialog takes the port itself, with the launcher's
// settings after their fall-backs.
void DeckWindow::RunGpsTimeDialog() {
  platform::Platform& platform = env_.platform();
  if (platform.clock == nullptr) return;
  gps::GpsTimeDialogOptions options;
  options.look = gps::GpsTimeLook::kLauncher;
  options.picture = platform::ui::res::deck::kGpsDecoration;
  options.owner = window_;
  options.attempt.emulation = IsYesIgnoringCase(settings_.store().GetString(u"Gps", u"Emulation", u""));
  options.attempt.port = settings_.GpsPort();
  options.attempt.baud = settings_.GpsSpeed();
  options.attempt.sirfToNmea = settings_.store().GetString(u"Gps", u"SirfToNmea", u"N") == u"Y";
  options.attempt.texts = gps::EnglishGpsTimeTexts();
  gps::RunGpsTimeDialog({ui_, *platform.clock, platform.clockSetter, platform.serialPorts, platform.resources},
                        options);
}

}  // namespace vexa::deck
