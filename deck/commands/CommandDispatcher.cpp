#include "deck/commands/CommandDispatcher.h"

#include "common/text/Text.h"
#include "deck/DeckStartup.h"
#include "platform/ui/WindowList.h"

namespace vexa::deck {

platform::WindowHandle CommandDispatcher::owner() {
  auto* window = host_.window();
  return window != nullptr ? window->handle() : platform::kNoWindow;
}

void CommandDispatcher::Dispatch(int slotNumber, std::u16string_view action) {
  if (host_.EditMode()) {
    host_.OpenSlotLayout(slotNumber);
    return;
  }
  if (const CommandEntry* command = FindCommand(action)) {
    Run(*command);
  } else if (!action.empty() && action.front() == u'\\') {
    env_.Launch(owner(), action);
  } else if (!action.empty() && !text::EqualsNoCase(action, u"NONE")) {
    ShowUnknown(action);
  }
}

void CommandDispatcher::Run(const CommandEntry& command) {
  const bool pause = command.pause == TimerPause::kAround;
  if (pause) host_.StopPeriodicTimers();
  RunAction(command.id, command.word);
  if (pause) host_.StartPeriodicTimers();
}

void CommandDispatcher::RunAction(CommandId id, std::u16string_view word) {
  auto& settings = env_.mainSettings();
  switch (id) {
    case CommandId::kImageView:
      host_.OpenImageViewer();
      break;
    case CommandId::kTaskManager:
      host_.OpenTaskList();
      break;
    case CommandId::kTaskbar:
      ToggleTaskbar();
      break;
    case CommandId::kCalendar:
      host_.OpenCalendar();
      break;
    case CommandId::kClock:
      host_.OpenClock();
      break;
    case CommandId::kConfig:
      Configure();
      break;
    case CommandId::kExit:
      host_.CloseLauncher();
      break;
    case CommandId::kRunNavigation:
    case CommandId::kRunToolbar:
    case CommandId::kRunMovie:
    case CommandId::kRunMp3:
    case CommandId::kRunFlash:
    case CommandId::kRunDmb:
      LaunchRunCommand(env_, owner(), word, [this] { host_.StopGps(); });
      break;
    case CommandId::kSelectMovie:
      host_.OpenMediaList(MediaMode::kMovie, settings.GetString(u"Folder", u"Movie", u""));
      break;
    case CommandId::kSelectMp3:
      host_.OpenMediaList(MediaMode::kMusic, settings.GetString(u"Folder", u"Mp3", u""));
      break;
    case CommandId::kSelectFlash:
      host_.OpenShortcutList(ShortcutKind::kFlash);
      break;
    case CommandId::kSelectApplication:
      host_.OpenShortcutList(ShortcutKind::kApplication);
      break;
    case CommandId::kSelectGame:
      host_.OpenShortcutList(ShortcutKind::kGame);
      break;
    case CommandId::kSelectSystem:
      host_.OpenShortcutList(ShortcutKind::kSystem);
      break;
    case CommandId::kBackgroundChange:
      host_.OpenBackgroundChooser();
      break;
    case CommandId::kBackgroundPrevious:
      host_.StepBackground(false);
      break;
    case CommandId::kBackgroundNext:
      host_.StepBackground(true);
      break;
    case CommandId::kPicturePrevious:
      host_.StepPicture(false);
      break;
    case CommandId::kPictureNext:
      host_.StepPicture(true);
      break;
    case CommandId::kGpsTime:
      GpsTime();
      break;
    case CommandId::kGpsSpeed:
      host_.StartGps();
      break;
    case CommandId::kSkinEdit:
      EditSkin();
      break;
    case CommandId::kSkinChange:
      host_.ChooseAndLoadSkin(true);
      break;
  }
}

// Without a taskbar the user is offered window mode, which starts the device's desktop; a hidden
// taskbar is shown with its menu opened, a shown one hidden.
void CommandDispatcher::ToggleTaskbar() {
  auto* windows = env_.platform().windowList;
  const auto taskbar = windows != nullptr ? windows->Find(std::nullopt, kTaskbarClass) : std::nullopt;
  if (!taskbar) {
    platform::MessageBoxRequest box;
    box.owner = owner();
    box.text = u"윈도우 모드를 활성화 하시겠습니까?";
    box.caption = u"알림";
    box.buttons = platform::MessageButtons::kYesNo;
    box.icon = platform::MessageIcon::kQuestion;
    box.defaultButton = 1;
    if (env_.platform().messageBoxes.Show(box) == platform::MessageAnswer::kYes) EnterWindowMode(env_, owner());
    return;
  }
  if (!windows->IsVisible(*taskbar)) {
    // The device's launcher sends WM_RBUTTONDOWN with both parameters 0, which opens its menu.
    windows->Show(*taskbar, true);
    windows->PressRightButton(*taskbar);
  } else {
    windows->Show(*taskbar, false);
  }
}

void CommandDispatcher::Configure() {
  host_.StopPeriodicTimers();
  const auto skinBefore = env_.mainSettings().GetString(u"Skin", u"SkinName", u"");
  const SettingsOutcome outcome = host_.OpenSettings();
  if (!outcome.saved) {
    host_.StartPeriodicTimers();
    return;
  }
  const auto skinAfter = env_.mainSettings().GetString(u"Skin", u"SkinName", u"");
  if (!text::EqualsNoCase(skinBefore, skinAfter) && !host_.ChooseAndLoadSkin(false)) {
    // The skin chooser was cancelled: the launcher goes on with the skin it shows, its clock and
    // picture timers running again.
    host_.StartPeriodicTimers();
    return;
  }
  if (outcome.editSkin) {
    EditSkin();
    return;
  }
  host_.StartPeriodicTimers();
}

// A reader already running for the displays sets the clock from its next valid time; otherwise the
// GPS time dialog takes the port for itself.
void CommandDispatcher::GpsTime() {
  if (host_.GpsRunning()) {
    host_.RequestGpsTime();
    return;
  }
  host_.StopPeriodicTimers();
  host_.StopGps();
  host_.RunGpsTimeDialog();
  host_.StartPeriodicTimers();
}

void CommandDispatcher::EditSkin() {
  host_.StopPeriodicTimers();
  if (!host_.EnterSkinEditor()) host_.StartPeriodicTimers();
}

void CommandDispatcher::ShowUnknown(std::u16string_view action) {
  platform::MessageBoxRequest box;
  box.owner = owner();
  const std::u16string command(action);
  if (env_.KoreanUi()) {
    box.text = u"[" + command + u"]는 알수없는 명령입니다.";
    box.caption = u"알림";
  } else {
    box.text = u"[" + command + u"] is unknown command.";
    box.caption = u"Information";
  }
  env_.platform().messageBoxes.Show(box);
}

}  // namespace vexa::deck
