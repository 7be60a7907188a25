#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "common/ToolbarProfileStore.h"
#include "common/gfx/Bitmap.h"
#include "platform/Platform.h"
#include "platform/ui/UserInterface.h"
#include "toolbar/ToolbarButtons.h"
#include "toolbar/ToolbarHost.h"

namespace vexa::toolbar {

// The toolbar's window: its buttons laid out from "\VexaToolbar.ini" in the program's folder, always
// on top, shrinking to its icon when idle, and the host of every window its buttons open.
//
// Timers: 1 the idle countdown (5 s, restarted after every button but the keyboard), 2 the start-up
// actions (once, 500 ms after the start), 3 the end of a Hide (N s), 4 the clock label (1 s, while
// Toolbar / ClockShow is "Y"), 5 back on top (10 s).
class ToolbarWindow : public ToolbarHost, public PositionTarget, private platform::ui::WindowHandler {
 public:
  ToolbarWindow(platform::Platform& platform, platform::ui::UserInterface& ui);
  ~ToolbarWindow() override;

  // Shows the toolbar and runs it until its close menu's "Close".
  void Run();

  // ToolbarHost.
  platform::Platform& Platform() override { return platform_; }
  platform::ui::UserInterface& Ui() override { return ui_; }
  ToolbarProfileStore& Store() override { return store_; }
  std::u16string SettingsPath() const override;
  platform::ui::Window& Window() override { return *window_; }
  PositionTarget& Toolbar() override { return *this; }
  gfx::Rect ButtonBounds(int controlId) const override;
  bool Vertical() const override { return layout_.vertical; }
  void Relayout() override;
  void ReloadSettings() override;
  void PutOnTop() override;
  void ApplyClockSetting() override;
  std::unique_ptr<PositionTarget> ShowIconForPositioning() override;

  // PositionTarget: the toolbar's frame on the screen.
  gfx::Rect Bounds() const override;
  void MoveTo(gfx::Point topLeft) override;

  const ButtonLayout& layout() const { return layout_; }

 private:
  // WindowHandler.
  void OnInit(platform::ui::Window& window) override;
  void OnCommand(platform::ui::Window& window, int controlId,
                 platform::ui::Notification notification) override;
  void OnTimer(platform::ui::Window& window, int timerId) override;
  void OnPointerUp(platform::ui::Window& window, gfx::Point p) override;
  bool OnPaint(platform::ui::Window& window, gfx::Bitmap& canvas) override;
  void OnDrawItem(platform::ui::Window& window, int controlId, gfx::Bitmap& canvas,
                  const platform::ui::DrawItemState& state) override;
  bool OnClose(platform::ui::Window& window) override;
  void OnDestroy(platform::ui::Window& window) override;

  void LayOut();
  void LoadIcons();
  void PlaceSelfShortcuts();
  void StartupActions();
  void MinimizeToIcon();
  void Press(int controlId);
  void ProgramButton(int number);
  void Kill();
  void CloseMenu();
  void UpdateClockLabel();
  void RestartIdle();

  platform::Platform& platform_;
  platform::ui::UserInterface& ui_;
  ToolbarProfileStore store_;
  platform::ui::Window* window_ = nullptr;
  ButtonLayout layout_;
  gfx::Point position_;  // the frame's top-left corner
  bool forcedMinimize_ = false;
  bool closing_ = false;
  bool clockLabelShown_ = false;
  std::u16string clockText_;
  // The icons shown, by button; `keyed` for a program's icon file.
  struct ButtonIcon {
    gfx::Bitmap bitmap;
    bool keyed = false;
  };
  std::map<int, ButtonIcon> icons_;
};

}  // namespace vexa::toolbar
