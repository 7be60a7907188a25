#include "deck/tasks/TaskListWindow.h"

#include <array>
#include <memory>
#include <utility>

#include "platform/ui/Graphics.h"
#include "platform/ui/ResourceIds.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowList.h"

namespace vexa::tasks {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

// The list view's frame: its client area is this much narrower on each side.
constexpr int kListFrame = 1;
// The column leaves this much of the client width free (room for a scroll bar).
constexpr int kColumnSlack = 20;

struct ButtonPlace {
  int id;
  TaskListButton bit;
  std::u16string TaskListTexts::*caption;
};

// Two rows of three, in the order the user reads them.
constexpr std::array<ButtonPlace, 6> kButtons = {{
    {kTaskEnd, kButtonEnd, &TaskListTexts::endTask},
    {kTaskSwitch, kButtonSwitch, &TaskListTexts::switchTo},
    {kTaskOnTop, kButtonOnTop, &TaskListTexts::onTop},
    {kTaskShow, kButtonShow, &TaskListTexts::show},
    {kTaskExit, kButtonExit, &TaskListTexts::exit},
    {kTaskReturn, kButtonReturn, &TaskListTexts::returnTo},
}};

}  // namespace

TaskListTexts LauncherTaskListTexts(bool korean) {
  TaskListTexts texts;
  if (!korean) return texts;
  texts.heading = u"실행 중인 프로그램";
  texts.noSelection = u"선택된 프로그램이 없습니다.";
  texts.noSelectionCaption = u"알림";
  texts.confirmAfter =
      u"] 프로그램을 최상위로 설정 하시겠습니까?\r\n전체 화면 윈도우를 최상위로 설정하면 툴바가 숨겨집니다.";
  texts.confirmCaption = u"확인";
  return texts;
}

// A small dialog: the heading over the list, then two rows of three buttons.
platform::ui::WindowTemplate TaskListTemplate(gfx::Size screen, const TaskListOptions& options) {
  constexpr int kWidth = 320;
  constexpr int kHeight = 214;
  constexpr int kMargin = 8;
  constexpr int kButtonWidth = (kWidth - 4 * kMargin) / 3;
  platform::ui::WindowTemplate tmpl;
  tmpl.title = options.texts.title;
  tmpl.style = platform::ui::kCaption;
  tmpl.rect =
      gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  if (options.position)
    tmpl.rect = gfx::Rect::FromSize(options.position->x, options.position->y, kWidth, kHeight);

  const bool icons = options.kind == TaskListKind::kIcons;
  const gfx::Rect list{kMargin, 26, kWidth - kMargin, 146};
  tmpl.controls.push_back({kTaskHeading,
                           ControlKind::kStatic,
                           {list.left + kListFrame + 2, 4, list.right - kListFrame - kColumnSlack, 24},
                           options.texts.heading,
                           icons ? platform::ui::kStyleNone : platform::ui::kHidden});
  tmpl.controls.push_back(
      {kTaskList, icons ? ControlKind::kListView : ControlKind::kListBox, list, u"", platform::ui::kBorder});
  // The shown buttons fill the rows in order; a hidden one takes the place of the next.
  int placed = 0;
  for (const ButtonPlace& button : kButtons) {
    const bool shown = (options.buttons & button.bit) != 0;
    const int x = kMargin + (placed % 3) * (kButtonWidth + kMargin);
    const int y = 152 + (placed / 3) * 30;
    tmpl.controls.push_back({button.id, ControlKind::kPushButton, gfx::Rect::FromSize(x, y, kButtonWidth, 26),
                             options.texts.*button.caption, shown ? platform::ui::kStyleNone : platform::ui::kHidden});
    if (shown) ++placed;
  }
  const int extras = static_cast<int>(options.extraButtons.size());
  if (extras > 0) {
    const int rows = (placed + 2) / 3;
    const int y = 152 + rows * 30;
    const int width = (kWidth - (extras + 1) * kMargin) / extras;
    for (int i = 0; i < extras; ++i) {
      tmpl.controls.push_back({kTaskExtraFirst + i, ControlKind::kPushButton,
                               gfx::Rect::FromSize(kMargin + i * (width + kMargin), y, width, 26),
                               options.extraButtons[static_cast<std::size_t>(i)].caption, platform::ui::kStyleNone});
    }
    tmpl.rect.bottom = tmpl.rect.top + y + 26 + kMargin;
  }
  return tmpl;
}

namespace {

class TaskListWindow : public platform::ui::WindowHandler {
 public:
  TaskListWindow(platform::Platform& platform, const TaskListOptions& options,
                 const platform::ui::WindowTemplate& tmpl,
                 std::function<void(Window&, const platform::ui::WindowTemplate&)> fonts)
      : platform_(platform), options_(options), tmpl_(tmpl), fonts_(std::move(fonts)) {}

  void OnInit(Window& window) override {
    if (fonts_) fonts_(window, tmpl_);
    // The heading spans the one column: the list's client width less the slack.
    const gfx::Rect list = window.GetControlRect(kTaskList);
    gfx::Rect heading = window.GetControlRect(kTaskHeading);
    heading.left = list.left + kListFrame + 2;
    heading.right = list.right - kListFrame - kColumnSlack;
    window.MoveControl(kTaskHeading, heading);

    if (platform_.windowList == nullptr) return;
    if (options_.kind == TaskListKind::kTitles) {
      titles_ = std::make_unique<TaskTitleList>(*platform_.windowList, options_.enumeration);
    } else {
      // Without the program's own icon for windows that bring none, the list stays empty.
      std::optional<gfx::Bitmap> fallback;
      if (platform_.resources != nullptr) {
        fallback = platform_.resources->Icon(platform::ui::res::deck::kDefaultAppIcon,
                                             {kSmallIconSide, kSmallIconSide});
      }
      if (!fallback || fallback->empty()) return;
      icons_ = std::make_unique<TaskListModel>(*platform_.windowList, options_.enumeration,
                                               SmallIcon(*fallback, true));
    }
    Refresh(window);
    window.SetTimer(kTaskRefreshTimer, kTaskRefreshMs);
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId == kTaskRefreshTimer) Refresh(window);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id == kTaskList) {
      if (notification == Notification::kSelectionChanged) TakeSelection(window);
      if (notification == Notification::kDoubleClicked) SwitchTo(window);
      return;
    }
    if (notification != Notification::kClicked) return;
    const int extra = id - kTaskExtraFirst;
    if (extra >= 0 && extra < static_cast<int>(options_.extraButtons.size())) {
      RunExtra(window, options_.extraButtons[static_cast<std::size_t>(extra)]);
      return;
    }
    switch (id) {
      case kTaskEnd:
        EndTask(window);
        break;
      case kTaskSwitch:
        SwitchTo(window);
        break;
      case kTaskOnTop:
        PutOnTop(window);
        break;
      case kTaskShow:
        Unpin(window);
        break;
      case kTaskExit:
        window.EndModal(0);
        break;
      case kTaskReturn:
        window.EndModal(1);
        break;
      default:
        break;
    }
  }

  void OnDestroy(Window& window) override { window.KillTimer(kTaskRefreshTimer); }

 private:
  void TakeSelection(Window& window) {
    const int row = window.Selection(kTaskList);
    const std::optional<std::size_t> chosen = row >= 0 ? std::optional<std::size_t>(row) : std::nullopt;
    if (icons_) icons_->Select(chosen);
    if (titles_) titles_->Select(chosen);
  }

  std::optional<platform::ui::ForeignWindow> Selected(Window& window) {
    TakeSelection(window);
    if (icons_) return icons_->selectedWindow();
    if (titles_) return titles_->selectedWindow();
    return std::nullopt;
  }

  void Refresh(Window& window) {
    TakeSelection(window);
    if (titles_) {
      titles_->Refresh();
      window.ClearItems(kTaskList);
      for (const TaskRow& row : titles_->rows()) {
        const int index = window.AddItem(kTaskList, row.title);
        window.SetItemData(kTaskList, index, static_cast<std::intptr_t>(row.window));
      }
      ShowSelection(window, titles_->selectedRow());
      return;
    }
    if (!icons_) return;
    const TaskListChanges changes = icons_->Refresh();
    const auto& rows = icons_->rows();
    // New rows first, as the model appended them, then the deletions by the indexes the model gave.
    for (std::size_t i = 0; i < changes.appended; ++i) {
      // The appended rows' positions after the deletions: the model deleted only rows it did not
      // collect, and new rows are always collected, so every appended row is still there, at the end.
      const TaskRow& row = rows[rows.size() - changes.appended + i];
      const int index = window.AddItem(kTaskList, row.title);
      window.SetItemData(kTaskList, index, static_cast<std::intptr_t>(row.window));
      window.SetItemIcon(kTaskList, index, icons_->IconOf(row));
      Log("task_row_added", index, row.title);
    }
    for (const auto& gone : changes.deleted) {
      window.DeleteItem(kTaskList, static_cast<int>(gone.index));
      Log("task_row_removed", static_cast<int>(gone.index), gone.title);
    }
    if (changes.iconsMoved) {
      for (std::size_t i = 0; i < rows.size(); ++i) {
        window.SetItemIcon(kTaskList, static_cast<int>(i), icons_->IconOf(rows[i]));
      }
    }
    ShowSelection(window, icons_->selectedRow());
  }

  void Log(std::string_view event, int row, const std::u16string& title) {
    if (platform_.log != nullptr)
      platform_.log->Record(event, {{"row", std::int64_t{row}}, {"title", title}});
  }

  void ShowSelection(Window& window, std::optional<std::size_t> row) {
    const int wanted = row ? static_cast<int>(*row) : -1;
    if (window.Selection(kTaskList) != wanted) window.Select(kTaskList, wanted);
  }

  void TellNoSelection(Window& window) {
    platform::MessageBoxRequest box;
    box.owner = window.handle();
    box.text = options_.texts.noSelection;
    box.caption = options_.texts.noSelectionCaption;
    box.icon = platform::MessageIcon::kExclamation;
    platform_.messageBoxes.Show(box);
  }

  // Asks the window to close; its row goes at the next refresh, once it has gone.
  void EndTask(Window& window) {
    const auto selected = Selected(window);
    if (!selected) {
      if (options_.tellNoSelection) TellNoSelection(window);
      return;
    }
    platform_.windowList->PostClose(*selected);
  }

  void RunExtra(Window& window, const TaskListExtraButton& button) {
    const auto selected = Selected(window);
    if (!selected) {
      if (options_.tellNoSelection) TellNoSelection(window);
      return;
    }
    std::u16string title;
    if (titles_ && titles_->selectedRow()) {
      title = titles_->rows()[*titles_->selectedRow()].title;
    } else {
      title = platform_.windowList->Title(*selected);
    }
    if (button.action) button.action(window, *selected, title);
  }

  void SwitchTo(Window& window) {
    const auto selected = Selected(window);
    if (!selected) {
      if (options_.tellNoSelection) TellNoSelection(window);
      return;
    }
    platform_.windowList->SetForeground(*selected);
    window.EndModal(1);
  }

  void PutOnTop(Window& window) {
    const auto selected = Selected(window);
    if (!selected) {
      TellNoSelection(window);
      return;
    }
    platform::MessageBoxRequest ask;
    ask.owner = window.handle();
    ask.text = options_.texts.confirmBefore + platform_.windowList->Title(*selected).substr(0, 260) +
               options_.texts.confirmAfter;
    ask.caption = options_.texts.confirmCaption;
    ask.buttons = platform::MessageButtons::kYesNo;
    ask.icon = platform::MessageIcon::kQuestion;
    if (platform_.messageBoxes.Show(ask) != platform::MessageAnswer::kYes) return;
    platform_.windowList->SetTopMost(*selected, true);
    if (options_.afterTopMost) options_.afterTopMost();
  }

  void Unpin(Window& window) {
    const auto selected = Selected(window);
    if (!selected) {
      TellNoSelection(window);
      return;
    }
    platform_.windowList->SetTopMost(*selected, false);
    if (options_.afterTopMost) options_.afterTopMost();
  }

  platform::Platform& platform_;
  const TaskListOptions& options_;
  const platform::ui::WindowTemplate& tmpl_;
  std::function<void(Window&, const platform::ui::WindowTemplate&)> fonts_;
  std::unique_ptr<TaskListModel> icons_;
  std::unique_ptr<TaskTitleList> titles_;
};

}  // namespace

void RunTaskList(platform::Platform& platform, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                 const TaskListOptions& options) {
  platform::ui::WindowTemplate tmpl = TaskListTemplate(ui.ScreenSize(), options);
  if (options.layout) options.layout(tmpl);
  TaskListWindow window(platform, options, tmpl, options.fonts);
  ui.RunModal(tmpl, window, owner);
}

}  // namespace vexa::tasks
