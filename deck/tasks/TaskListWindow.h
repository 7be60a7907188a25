#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/gfx/Geometry.h"
#include "deck/tasks/TaskListModel.h"
#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowTemplate.h"

// The task list window: the programs showing a window, with buttons to end one, switch to it, or
// keep it on top. The launcher opens it as it is; the toolbar passes its own options.
namespace vexa::tasks {

// The window's controls.
enum TaskListControl : int {
  kTaskReturn = 1,  // closes the list (OK)
  kTaskExit = 2,    // closes the list (cancel)
  kTaskList = 1001,
  kTaskHeading = 1002,
  kTaskEnd = 1003,
  kTaskSwitch = 1004,
  kTaskOnTop = 1005,
  kTaskShow = 1006,
  kTaskExtraFirst = 1101,  // the extra buttons of TaskListOptions, in their order
};

inline constexpr int kTaskRefreshTimer = 1;
inline constexpr int kTaskRefreshMs = 3000;

struct TaskListTexts {
  std::u16string title = u"Task List";
  std::u16string heading = u"Running programs";
  std::u16string endTask = u"End Task";
  std::u16string switchTo = u"Switch";
  std::u16string onTop = u"On Top";
  std::u16string show = u"Show";
  std::u16string exit = u"Exit";
  std::u16string returnTo = u"Return";
  std::u16string noSelection = u"No selected application";
  std::u16string noSelectionCaption = u"Information";
  // The question before a window is put on top: before + title + after.
  std::u16string confirmBefore = u"[";
  std::u16string confirmAfter = u"] Set it on top?When on top no more toolbar!";
  std::u16string confirmCaption = u"Confirm";
};

// The launcher's texts: its captions, and the messages in the user-interface language.
TaskListTexts LauncherTaskListTexts(bool korean);

enum class TaskListKind {
  kIcons,   // a list view of titles with their icons, rows kept between refreshes
  kTitles,  // a plain list box of titles, filled again at every refresh
};

// The buttons a task list has besides its list.
enum TaskListButton : unsigned {
  kButtonEnd = 1u << 0,
  kButtonSwitch = 1u << 1,
  kButtonOnTop = 1u << 2,
  kButtonShow = 1u << 3,
  kButtonExit = 1u << 4,
  kButtonReturn = 1u << 5,
  kAllTaskButtons = 0x3Fu,
};

// A button a program adds below the standard ones; it acts on the selected row.
struct TaskListExtraButton {
  std::u16string caption;
  // Runs with the task list window (the owner of what it opens), the selected row's window and its
  // title as the row shows it.
  std::function<void(platform::ui::Window&, ForeignWindow, const std::u16string&)> action;
};

struct TaskListOptions {
  TaskListKind kind = TaskListKind::kIcons;
  TaskListTexts texts;
  unsigned buttons = kAllTaskButtons;
  TaskEnumeration enumeration;
  // End Task and Switch without a selected row: tell the user (else they do nothing). The extra
  // buttons without a selected row tell the user too when this is set.
  bool tellNoSelection = false;
  // One more row of buttons (the toolbar's M1 to M5), when not empty.
  std::vector<TaskListExtraButton> extraButtons;
  // Runs after On Top or Show has changed a window's order (the toolbar puts itself on top again).
  std::function<void()> afterTopMost;
  // Where the window's top-left corner goes on the screen; centred when absent.
  std::optional<gfx::Point> position;
  // The program's own dialog look: a change of the laid-out template (larger on large screens), and
  // the fonts given to the controls once the window exists.
  std::function<void(platform::ui::WindowTemplate&)> layout;
  std::function<void(platform::ui::Window&, const platform::ui::WindowTemplate&)> fonts;
};

// The window, made for a screen of the given size (laid out for the finger-sized font on large
// screens); the list view's column heading spans its column, the list's width less 20 pixels.
platform::ui::WindowTemplate TaskListTemplate(gfx::Size screen, const TaskListOptions& options);

// Opens the task list modally over `owner`; returns when it closes.
void RunTaskList(platform::Platform& platform, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                 const TaskListOptions& options);

}  // namespace vexa::tasks
