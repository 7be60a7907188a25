#include "deck/tasks/TaskListModel.h"

#include <algorithm>
#include <utility>

#include "common/text/Text.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::tasks {

std::vector<ForeignWindow> CollectTaskWindows(platform::ui::WindowList& windows,
                                              const TaskEnumeration& rules) {
  std::vector<ForeignWindow> collected;
  for (const ForeignWindow window : windows.Enumerate()) {
    if (collected.size() >= rules.limit) break;
    if (!windows.IsVisible(window)) continue;
    const std::u16string title = windows.Title(window);
    if (title.empty()) continue;
    // Class names compare as the device's window look-up compares them, without regard to case.
    if (text::EqualsNoCase(windows.ClassName(window), kDesktopClass)) continue;
    if (std::find(rules.leaveOut.begin(), rules.leaveOut.end(), title) != rules.leaveOut.end()) continue;
    collected.push_back(window);
  }
  return collected;
}

gfx::Bitmap SmallIcon(const gfx::Bitmap& icon, bool keyed) {
  constexpr int kSide = kSmallIconSide;
  const gfx::Pixel background = gfx::ToPixel(gfx::SystemColors::kWindow);
  gfx::Bitmap small(kSide, kSide, background);
  if (icon.empty()) return small;
  const gfx::Pixel key = gfx::ToPixel(platform::ui::res::kIconTransparent) & 0xFFFFFFu;
  // Each small pixel averages the source pixels its square covers (nearest pixel when growing), every
  // source pixel first laid over the background by its alpha, or replaced by it when it is the key.
  for (int y = 0; y < kSide; ++y) {
    const int top = y * icon.height() / kSide;
    const int bottom = std::max(top + 1, (y + 1) * icon.height() / kSide);
    for (int x = 0; x < kSide; ++x) {
      const int left = x * icon.width() / kSide;
      const int right = std::max(left + 1, (x + 1) * icon.width() / kSide);
      unsigned sum[3] = {0, 0, 0};
      unsigned count = 0;
      for (int sy = top; sy < bottom; ++sy) {
        for (int sx = left; sx < right; ++sx) {
          const gfx::Pixel p = icon.At(sx, sy);
          const unsigned alpha = keyed && (p & 0xFFFFFFu) == key ? 0u : (p >> 24) & 0xFFu;
          for (int c = 0; c < 3; ++c) {
            const unsigned fg = (p >> (8 * c)) & 0xFFu;
            const unsigned bg = (background >> (8 * c)) & 0xFFu;
            sum[c] += (fg * alpha + bg * (255u - alpha) + 127u) / 255u;
          }
          ++count;
        }
      }
      gfx::Pixel out = 0xFF000000u;
      for (int c = 0; c < 3; ++c) out |= ((sum[c] + count / 2) / count) << (8 * c);
      small.Set(x, y, out);
    }
  }
  return small;
}

TaskListModel::TaskListModel(platform::ui::WindowList& windows, TaskEnumeration rules,
                             gfx::Bitmap defaultIcon)
    : windows_(windows), rules_(std::move(rules)) {
  icons_.push_back(std::move(defaultIcon));
}

std::optional<std::size_t> TaskListModel::RowOf(ForeignWindow window) const {
  const auto found =
      std::find_if(rows_.begin(), rows_.end(), [&](const TaskRow& row) { return row.window == window; });
  if (found == rows_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - rows_.begin());
}

int TaskListModel::AddIcon(ForeignWindow window) {
  const std::optional<gfx::Bitmap> icon = windows_.Icon(window);
  if (!icon || icon->empty()) return 0;
  icons_.push_back(SmallIcon(*icon, false));
  return static_cast<int>(icons_.size() - 1);
}

void TaskListModel::DeleteRow(std::size_t row) {
  const int icon = rows_[row].icon;
  if (rows_[row].window == selected_) selected_.reset();
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  if (icon == 0) return;
  icons_.erase(icons_.begin() + icon);
  for (TaskRow& other : rows_) {
    if (other.icon >= icon) --other.icon;
  }
}

TaskListChanges TaskListModel::Refresh() {
  TaskListChanges changes;
  const std::vector<ForeignWindow> collected = CollectTaskWindows(windows_, rules_);

  for (const ForeignWindow window : collected) {
    if (RowOf(window)) continue;
    TaskRow row;
    row.title = windows_.Title(window).substr(0, rules_.titleLength);
    row.icon = AddIcon(window);
    row.window = window;
    rows_.push_back(std::move(row));
    ++changes.appended;
  }

  // The walk starts again from the first row after every deletion.
  for (std::size_t row = 0; row < rows_.size();) {
    if (std::find(collected.begin(), collected.end(), rows_[row].window) != collected.end()) {
      ++row;
      continue;
    }
    changes.iconsMoved = changes.iconsMoved || rows_[row].icon != 0;
    changes.deleted.push_back({row, rows_[row].title});
    DeleteRow(row);
    row = 0;
  }

  if (!selected_ && !rows_.empty()) selected_ = rows_.front().window;
  return changes;
}

void TaskListModel::Select(std::optional<std::size_t> row) {
  selected_.reset();
  if (row && *row < rows_.size()) selected_ = rows_[*row].window;
}

std::optional<std::size_t> TaskListModel::selectedRow() const {
  return selected_ ? RowOf(*selected_) : std::nullopt;
}

void TaskTitleList::Refresh() {
  const std::optional<std::u16string> previous =
      selected_ ? std::optional<std::u16string>(rows_[*selected_].title) : std::nullopt;
  rows_.clear();
  selected_.reset();
  for (const ForeignWindow window : CollectTaskWindows(windows_, rules_)) {
    rows_.push_back({windows_.Title(window).substr(0, rules_.titleLength), 0, window});
  }
  if (rows_.empty()) return;
  selected_ = 0;
  if (!previous) return;
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (text::StartsWithNoCase(rows_[row].title, *previous)) {
      selected_ = row;
      break;
    }
  }
}

}  // namespace vexa::tasks
