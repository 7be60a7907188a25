#pragma once

#include "deck/tasks/TaskListWindow.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa::toolbar {

// The task manager never lists the toolbar (kToolbarTitle).
inline constexpr char16_t kTaskManagerTitle[] = u"Task Manager";
// The toolbar's Task button, beside which the task manager opens.
inline constexpr int kTaskButtonId = 1002;

// The task list as the toolbar varies it: titles only, the toolbar left out, Korean messages, no
// Exit button; RunTaskManager adds the M1 to M5 buttons, the placement and the fonts.
tasks::TaskListOptions TaskManagerOptions();

}  // namespace vexa::toolbar
