#include "deck/tasks/TaskListWindow.h"
#include "toolbar/ListPlacement.h"
#include "toolbar/windows/HotkeySetup.h"
#include "toolbar/windows/TaskManager.h"
#include "toolbar/windows/ToolbarDialogs.h"
#include "toolbar/windows/ToolbarWindows.h"

namespace vexa::toolbar {

tasks::TaskListOptions TaskManagerOptions() {
  tasks::TaskListOptions options;
  options.kind = tasks::TaskListKind::kTitles;
  options.buttons = tasks::kAllTaskButtons & ~tasks::kButtonExit;
  // Neither the toolbar nor the task manager itself is a program to switch to.
  options.enumeration.leaveOut = {std::u16string(kToolbarTitle), std::u16string(kTaskManagerTitle)};
  options.enumeration.titleLength = 260;
  options.tellNoSelection = true;
  tasks::TaskListTexts& texts = options.texts;
  texts.title = kTaskManagerTitle;
  texts.onTop = u"Top";
  texts.show = u"Normal";
  texts.noSelection = u"선택된 프로그램이 없습니다.";
  texts.noSelectionCaption = u"알림";
  texts.confirmAfter =
      u"] 프로그램을 최상위로 설정 하시겠습니까?\r\n전체 화면 윈도우를 최상위로 설정하면 툴바가 숨겨집니다.";
  texts.confirmCaption = u"확인";
  return options;
}

bool RunTaskManager(ToolbarHost& host) {
  const gfx::Size screen = host.Ui().ScreenSize();
  bool saved = false;
  tasks::TaskListOptions options = TaskManagerOptions();
  options.afterTopMost = [&host] { host.PutOnTop(); };
  for (int number = 1; number <= 5; ++number) {
    options.extraButtons.push_back(
        {u"M" + std::u16string(1, static_cast<char16_t>(u'0' + number)),
         [&host, &saved, number](platform::ui::Window& list, platform::ui::ForeignWindow, const std::u16string& title) {
           if (RunHotkeySetupOver(host, number, title, &list)) saved = true;
         }});
  }
  // Beside the Task button, by the rule of the group lists, once the window's size is known.
  options.layout = [&host, screen](platform::ui::WindowTemplate& tmpl) {
    ScaleForLargeFont(tmpl, screen, false);
    const gfx::Size size{tmpl.rect.width(), tmpl.rect.height()};
    const gfx::Point place =
        PlaceBesideButton(host.ButtonBounds(kTaskButtonId), host.Toolbar().Bounds(), size, screen, host.Vertical());
    tmpl.rect = gfx::Rect::FromSize(place.x, place.y, size.width, size.height);
    tmpl.style |= platform::ui::kTopMost;
  };
  options.fonts = [&host, screen](platform::ui::Window& window, const platform::ui::WindowTemplate& tmpl) {
    ApplyLargeFont(host.Platform(), window, tmpl, screen);
  };
  tasks::RunTaskList(host.Platform(), host.Ui(), &host.Window(), options);
  // A program button changed: the toolbar shows it as the file now says.
  if (saved) host.Relayout();
  return saved;
}

}  // namespace vexa::toolbar
