#pragma once

#include "deck/tasks/TaskListWindow.h"

namespace vexa::toolbar {

// The toolbar's window title: the task manager never lists it.
inline constexpr char16_t kToolbarTitle[] = u"Vexa Toolbar 1.2";
inline constexpr char16_t kTaskManagerTitle[] = u"Task Manager";
// The toolbar's Task button, beside which the task manager opens.
inline constexpr int kTaskButtonId = 1002;

// The task list as the toolbar varies it: titles only, the toolbar left out, Korean messages, no
// Exit button; RunTaskManager adds the M1 to M5 buttons, the placement and the fonts.
tasks::TaskListOptions TaskManagerOptions();

}  // namespace vexa::toolbar
