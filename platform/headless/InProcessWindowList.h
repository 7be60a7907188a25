#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EffectLog.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/WindowList.h"

namespace vexa::platform {

// The window list of the headless mode: this program's own windows, as the user interface lists
// them (a ForeignWindow is then the WindowHandle), plus windows of other programs that a scenario or
// a test sets up with AddForeign (ids from kFirstForeign up), so that the launcher can see a
// taskbar and a second instance can find the first within one process.
//
// Operations on our windows act through the Window interface; on other programs' windows they change
// the recorded state: a close request makes the window go away, as a program that honours it would.
// Other programs' windows lie below ours in the z-order unless they are top-most; among themselves the
// one brought forward last comes first. Titles and class names compare without regard to case; our
// windows have no class name here. Every effect is logged: "window_foreground" {title},
// "window_close_posted" {title}, "window_topmost" {title, on}, "window_shown" {title, visible} and
// "key_sent" {key, and the title of the window last brought forward when there is one}.
class InProcessWindowList : public ui::WindowList {
 public:
  static constexpr ui::ForeignWindow kFirstForeign = 0x10000000;

  InProcessWindowList(ui::UserInterface& ui, EffectLog& log) : ui_(ui), log_(log) {}

  // A window of another program, on top of the other programs' windows.
  ui::ForeignWindow AddForeign(std::u16string_view title, std::u16string_view className, bool visible = true);
  // The other program has ended; false when there is no such window.
  bool RemoveForeign(ui::ForeignWindow window);
  void SetForeignIcon(ui::ForeignWindow window, gfx::Bitmap icon);
  // The other program made its window top-most itself (nothing is logged: we did not ask for it).
  void SetForeignTopMost(ui::ForeignWindow window, bool topMost);
  // Whether a window of another program is top-most (false for ours and unknown ones).
  bool IsTopMost(ui::ForeignWindow window) const;

  // The window last brought forward through this list, if any.
  std::optional<ui::ForeignWindow> foreground() const { return foreground_; }
  // Virtual-key codes sent, in order.
  const std::vector<int>& keysSent() const { return keysSent_; }

  std::optional<ui::ForeignWindow> Find(std::optional<std::u16string_view> title,
                                        std::optional<std::u16string_view> className) override;
  std::vector<ui::ForeignWindow> Enumerate() override;
  bool IsVisible(ui::ForeignWindow window) override;
  std::u16string Title(ui::ForeignWindow window) override;
  std::u16string ClassName(ui::ForeignWindow window) override;
  std::optional<gfx::Bitmap> Icon(ui::ForeignWindow window) override;
  bool SetForeground(ui::ForeignWindow window) override;
  bool PostClose(ui::ForeignWindow window) override;
  bool SetTopMost(ui::ForeignWindow window, bool topMost) override;
  bool Show(ui::ForeignWindow window, bool visible) override;
  // Any code from 1 to 254 is taken; others are refused.
  bool PressRightButton(ui::ForeignWindow window) override;
  bool SendKey(int virtualKey) override;

 private:
  struct Foreign {
    ui::ForeignWindow id = 0;
    std::u16string title;
    std::u16string className;
    bool visible = true;
    bool topMost = false;
    std::optional<gfx::Bitmap> icon;
  };

  Foreign* FindForeign(ui::ForeignWindow window);
  const Foreign* FindForeign(ui::ForeignWindow window) const;
  ui::Window* FindOurs(ui::ForeignWindow window);
  void BringForward(ui::ForeignWindow window);

  ui::UserInterface& ui_;
  EffectLog& log_;
  std::vector<Foreign> foreign_;  // top of the z-order first
  ui::ForeignWindow nextForeign_ = kFirstForeign;
  std::optional<ui::ForeignWindow> foreground_;
  std::vector<int> keysSent_;
};

}  // namespace vexa::platform
