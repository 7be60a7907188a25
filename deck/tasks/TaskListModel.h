#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "platform/ui/WindowList.h"

// The programs that show a window, as the task lists of the launcher and the toolbar list them.
namespace vexa::tasks {

using platform::ui::ForeignWindow;

// Which top-level windows a task list collects. A window is taken when it is visible, its title is
// not empty and its class is not the desktop's; the toolbar's list also leaves itself out by title.
struct TaskEnumeration {
  std::size_t limit = 256;               // windows beyond this many are ignored
  std::vector<std::u16string> leaveOut;  // titles (exact) of windows never listed
  std::size_t titleLength = 256;         // characters of a title kept for its row
};

inline constexpr char16_t kDesktopClass[] = u"DesktopExplorerWindow";

// The windows that qualify, in the window list's order (top of the z-order first), at most `limit`.
std::vector<ForeignWindow> CollectTaskWindows(platform::ui::WindowList& windows,
                                              const TaskEnumeration& rules);

// The side of the icons a task list shows (the device's small-icon size).
inline constexpr int kSmallIconSide = 16;

// An icon as the task list's image list holds it: shrunk (or grown) to the small-icon size and drawn
// over the list's white background, its see-through parts (alpha, or the resource key colour of
// the program's own icons) showing that background.
gfx::Bitmap SmallIcon(const gfx::Bitmap& icon, bool keyed);

struct TaskRow {
  std::u16string title;
  int icon = 0;  // index into icons(); 0 is the program's default icon
  ForeignWindow window = 0;
};

// What one refresh changed, in the order it changed it, so that a list control can follow: rows
// appended at the end first, then rows deleted (each index as the list stood at that deletion), and
// whether the icon indexes of the remaining rows moved.
struct TaskListChanges {
  struct Deleted {
    std::size_t index;
    std::u16string title;
  };
  std::size_t appended = 0;
  std::vector<Deleted> deleted;
  bool iconsMoved = false;
  bool any() const { return appended > 0 || !deleted.empty(); }
};

// The rows of the launcher's task list: one per window (the window is the row's identity), kept in
// the order each was first seen, each with its icon in the image list.
//
// A refresh appends the newly collected windows, then walks the rows from the first and deletes a row
// whose window is no longer collected, with its icon: the icons after it move down by one, and the
// rows pointing at them follow. Without a selected row afterwards, row 0 is selected.
class TaskListModel {
 public:
  // `defaultIcon` becomes image 0, the icon of windows that bring none of their own.
  TaskListModel(platform::ui::WindowList& windows, TaskEnumeration rules, gfx::Bitmap defaultIcon);

  TaskListChanges Refresh();

  const std::vector<TaskRow>& rows() const { return rows_; }
  const std::vector<gfx::Bitmap>& icons() const { return icons_; }
  const gfx::Bitmap& IconOf(const TaskRow& row) const { return icons_[static_cast<std::size_t>(row.icon)]; }

  // The selected row's window: the one a list control reports selected, if it is still listed.
  void Select(std::optional<std::size_t> row);
  std::optional<std::size_t> selectedRow() const;
  std::optional<ForeignWindow> selectedWindow() const { return selected_; }

 private:
  std::optional<std::size_t> RowOf(ForeignWindow window) const;
  int AddIcon(ForeignWindow window);
  void DeleteRow(std::size_t row);

  platform::ui::WindowList& windows_;
  TaskEnumeration rules_;
  std::vector<gfx::Bitmap> icons_;
  std::vector<TaskRow> rows_;
  std::optional<ForeignWindow> selected_;
};

// The toolbar's plain list of titles: emptied and filled again at every refresh, the previously
// selected title chosen again (the first row beginning with it), else the first row.
class TaskTitleList {
 public:
  TaskTitleList(platform::ui::WindowList& windows, TaskEnumeration rules)
      : windows_(windows), rules_(std::move(rules)) {}

  void Refresh();
  const std::vector<TaskRow>& rows() const { return rows_; }
  void Select(std::optional<std::size_t> row) { selected_ = row && *row < rows_.size() ? row : std::nullopt; }
  std::optional<std::size_t> selectedRow() const { return selected_; }
  std::optional<ForeignWindow> selectedWindow() const {
    return selected_ ? std::optional<ForeignWindow>(rows_[*selected_].window) : std::nullopt;
  }

 private:
  platform::ui::WindowList& windows_;
  TaskEnumeration rules_;
  std::vector<TaskRow> rows_;
  std::optional<std::size_t> selected_;
};

}  // namespace vexa::tasks
