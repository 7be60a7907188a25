#include "toolbar/FrontWindow.h"

#include "deck/tasks/TaskListModel.h"

namespace vexa::toolbar {

std::optional<platform::ui::ForeignWindow> FindFrontWindow(platform::ui::WindowList& windows,
                                                           const std::vector<std::u16string>& ours) {
  tasks::TaskEnumeration rules;
  rules.limit = 256;
  rules.titleLength = 260;
  rules.leaveOut = ours;
  const auto candidates = tasks::CollectTaskWindows(windows, rules);
  if (candidates.empty()) return std::nullopt;
  return candidates.front();
}

}  // namespace vexa::toolbar
