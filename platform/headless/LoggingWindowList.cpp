#include "platform/headless/LoggingWindowList.h"

namespace vexa::platform {

bool LoggingWindowList::SetForeground(ui::ForeignWindow window) {
  std::u16string title = inner_.Title(window);
  const bool ok = inner_.SetForeground(window);
  if (ok) log_.Record("window_foreground", {{"title", std::move(title)}});
  return ok;
}

bool LoggingWindowList::PostClose(ui::ForeignWindow window) {
  std::u16string title = inner_.Title(window);
  const bool ok = inner_.PostClose(window);
  if (ok) log_.Record("window_close_posted", {{"title", std::move(title)}});
  return ok;
}

bool LoggingWindowList::SetTopMost(ui::ForeignWindow window, bool topMost) {
  std::u16string title = inner_.Title(window);
  const bool ok = inner_.SetTopMost(window, topMost);
  if (ok) log_.Record("window_topmost", {{"title", std::move(title)}, {"on", topMost}});
  return ok;
}

bool LoggingWindowList::Show(ui::ForeignWindow window, bool visible) {
  std::u16string title = inner_.Title(window);
  const bool ok = inner_.Show(window, visible);
  if (ok) log_.Record("window_shown", {{"title", std::move(title)}, {"visible", visible}});
  return ok;
}

bool LoggingWindowList::PressRightButton(ui::ForeignWindow window) {
  std::u16string title = inner_.Title(window);
  const bool ok = inner_.PressRightButton(window);
  if (ok) log_.Record("window_right_button", {{"title", std::move(title)}});
  return ok;
}

bool LoggingWindowList::SendKey(int virtualKey) {
  const bool ok = inner_.SendKey(virtualKey);
  if (ok) log_.Record("key_sent", {{"key", std::int64_t{virtualKey}}});
  return ok;
}

}  // namespace vexa::platform
