#include "platform/headless/InProcessWindowList.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "common/text/Text.h"

namespace vexa::platform {

using ui::ForeignWindow;

ForeignWindow InProcessWindowList::AddForeign(std::u16string_view title, std::u16string_view className,
                                              bool visible) {
  Foreign window;
  window.id = nextForeign_++;
  window.title = std::u16string(title);
  window.className = std::u16string(className);
  window.visible = visible;
  foreign_.insert(foreign_.begin(), std::move(window));
  return foreign_.front().id;
}

bool InProcessWindowList::RemoveForeign(ForeignWindow window) {
  const auto found =
      std::find_if(foreign_.begin(), foreign_.end(), [&](const Foreign& f) { return f.id == window; });
  if (found == foreign_.end()) return false;
  foreign_.erase(found);
  if (foreground_ == window) foreground_.reset();
  return true;
}

void InProcessWindowList::SetForeignIcon(ForeignWindow window, gfx::Bitmap icon) {
  if (Foreign* foreign = FindForeign(window)) foreign->icon = std::move(icon);
}

void InProcessWindowList::SetForeignTopMost(ForeignWindow window, bool topMost) {
  if (Foreign* foreign = FindForeign(window)) foreign->topMost = topMost;
}

bool InProcessWindowList::IsTopMost(ForeignWindow window) const {
  const Foreign* foreign = FindForeign(window);
  return foreign != nullptr && foreign->topMost;
}

InProcessWindowList::Foreign* InProcessWindowList::FindForeign(ForeignWindow window) {
  const auto found =
      std::find_if(foreign_.begin(), foreign_.end(), [&](const Foreign& f) { return f.id == window; });
  return found == foreign_.end() ? nullptr : &*found;
}

const InProcessWindowList::Foreign* InProcessWindowList::FindForeign(ForeignWindow window) const {
  const auto found =
      std::find_if(foreign_.begin(), foreign_.end(), [&](const Foreign& f) { return f.id == window; });
  return found == foreign_.end() ? nullptr : &*found;
}

// Other programs' ids are looked up first, so that one of ours can never shadow them.
ui::Window* InProcessWindowList::FindOurs(ForeignWindow window) {
  if (window == kNoWindow || window > std::numeric_limits<WindowHandle>::max()) return nullptr;
  if (FindForeign(window) != nullptr) return nullptr;
  return ui_.Find(static_cast<WindowHandle>(window));
}

void InProcessWindowList::BringForward(ForeignWindow window) {
  const auto found =
      std::find_if(foreign_.begin(), foreign_.end(), [&](const Foreign& f) { return f.id == window; });
  if (found != foreign_.end()) std::rotate(foreign_.begin(), found, found + 1);
}

std::vector<ForeignWindow> InProcessWindowList::Enumerate() {
  std::vector<ForeignWindow> result;
  for (const Foreign& foreign : foreign_) {
    if (foreign.topMost) result.push_back(foreign.id);
  }
  for (ui::Window* window : ui_.TopLevelWindows()) {
    if (window != nullptr) result.push_back(window->handle());
  }
  for (const Foreign& foreign : foreign_) {
    if (!foreign.topMost) result.push_back(foreign.id);
  }
  return result;
}

std::optional<ForeignWindow> InProcessWindowList::Find(std::optional<std::u16string_view> title,
                                                       std::optional<std::u16string_view> className) {
  for (ForeignWindow window : Enumerate()) {
    if (title && !text::EqualsNoCase(Title(window), *title)) continue;
    if (className) {
      const std::u16string name = ClassName(window);
      if (name.empty() || !text::EqualsNoCase(name, *className)) continue;
    }
    return window;
  }
  return std::nullopt;
}

bool InProcessWindowList::IsVisible(ForeignWindow window) {
  if (const Foreign* foreign = FindForeign(window)) return foreign->visible;
  const ui::Window* ours = FindOurs(window);
  return ours != nullptr && ours->IsVisible();
}

std::u16string InProcessWindowList::Title(ForeignWindow window) {
  if (const Foreign* foreign = FindForeign(window)) return foreign->title;
  const ui::Window* ours = FindOurs(window);
  return ours != nullptr ? ours->GetTitle() : std::u16string();
}

std::u16string InProcessWindowList::ClassName(ForeignWindow window) {
  const Foreign* foreign = FindForeign(window);
  return foreign != nullptr ? foreign->className : std::u16string();
}

std::optional<gfx::Bitmap> InProcessWindowList::Icon(ForeignWindow window) {
  const Foreign* foreign = FindForeign(window);
  return foreign != nullptr ? foreign->icon : std::nullopt;
}

bool InProcessWindowList::SetForeground(ForeignWindow window) {
  std::u16string title;
  if (FindForeign(window) != nullptr) {
    BringForward(window);
    title = FindForeign(window)->title;
  } else if (ui::Window* ours = FindOurs(window)) {
    ours->SetZOrder(ui::ZOrder::kTop);
    title = ours->GetTitle();
  } else {
    return false;
  }
  foreground_ = window;
  log_.Record("window_foreground", {{"title", title}});
  return true;
}

bool InProcessWindowList::PostClose(ForeignWindow window) {
  if (const Foreign* foreign = FindForeign(window)) {
    log_.Record("window_close_posted", {{"title", foreign->title}});
    RemoveForeign(window);
    return true;
  }
  ui::Window* ours = FindOurs(window);
  if (ours == nullptr) return false;
  // Logged first: the window may be gone once it has handled the request.
  log_.Record("window_close_posted", {{"title", ours->GetTitle()}});
  ours->Close();
  return true;
}

bool InProcessWindowList::SetTopMost(ForeignWindow window, bool topMost) {
  std::u16string title;
  if (Foreign* foreign = FindForeign(window)) {
    foreign->topMost = topMost;
    if (topMost) BringForward(window);
    title = FindForeign(window)->title;
  } else if (ui::Window* ours = FindOurs(window)) {
    ours->SetZOrder(topMost ? ui::ZOrder::kTopMost : ui::ZOrder::kNotTopMost);
    title = ours->GetTitle();
  } else {
    return false;
  }
  log_.Record("window_topmost", {{"title", title}, {"on", topMost}});
  return true;
}

bool InProcessWindowList::Show(ForeignWindow window, bool visible) {
  std::u16string title;
  if (Foreign* foreign = FindForeign(window)) {
    foreign->visible = visible;
    title = foreign->title;
  } else if (ui::Window* ours = FindOurs(window)) {
    ours->Show(visible);
    title = ours->GetTitle();
  } else {
    return false;
  }
  log_.Record("window_shown", {{"title", title}, {"visible", visible}});
  return true;
}

bool InProcessWindowList::PressRightButton(ForeignWindow window) {
  std::u16string title;
  if (Foreign* foreign = FindForeign(window)) {
    title = foreign->title;
  } else if (ui::Window* ours = FindOurs(window)) {
    title = ours->GetTitle();
  } else {
    return false;
  }
  log_.Record("window_right_button", {{"title", title}});
  return true;
}

bool InProcessWindowList::SendKey(int virtualKey) {
  if (virtualKey < 1 || virtualKey > 0xFE) return false;
  keysSent_.push_back(virtualKey);
  const bool known =
      foreground_ && (FindForeign(*foreground_) != nullptr || FindOurs(*foreground_) != nullptr);
  if (known) {
    log_.Record("key_sent", {{"key", std::int64_t{virtualKey}}, {"title", Title(*foreground_)}});
  } else {
    log_.Record("key_sent", {{"key", std::int64_t{virtualKey}}});
  }
  return true;
}

}  // namespace vexa::platform
