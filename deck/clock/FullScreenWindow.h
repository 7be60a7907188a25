#pragma once

#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

#include "common/Environment.h"
#include "deck/ButtonSlot.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowTemplate.h"

namespace vexa::deck {

// What the clock and the calendar windows have in common: they cover the whole screen, lay out a
// 640 x 480 template scaled to it, and have a Return button of fixed size that ends them with 0.
// Their image buttons are slots; the window routes to them what it receives for their controls.
class FullScreenWindow : public platform::ui::WindowHandler {
 public:
  static constexpr int kReturnId = 2;
  // Slot n (from 0) of the window runs its hover timer as window timer 100 + n.
  static constexpr int kHoverTimerBase = 100;

  FullScreenWindow(Environment& env, gfx::Size screen);

  // The window's template: `controls` laid out for 640 x 480, the window itself over the whole screen.
  platform::ui::WindowTemplate Template(std::u16string_view title,
                                        std::span<const platform::ui::ControlTemplate> controls) const;

  void OnCommand(platform::ui::Window& window, int controlId,
                 platform::ui::Notification notification) override;
  void OnTimer(platform::ui::Window& window, int timerId) override;
  void OnDrawItem(platform::ui::Window& window, int controlId, gfx::Bitmap& canvas,
                  const platform::ui::DrawItemState& state) override;
  void OnControlPointerDown(platform::ui::Window& window, int controlId, gfx::Point p) override;
  void OnControlPointerMove(platform::ui::Window& window, int controlId, gfx::Point p,
                            bool buttonDown) override;
  void OnControlPointerUp(platform::ui::Window& window, int controlId, gfx::Point p) override;
  void OnPointerMove(platform::ui::Window& window, gfx::Point p, bool buttonDown) override;
  void OnDestroy(platform::ui::Window& window) override;

 protected:
  // Moves the window over the screen and binds the Return button and `slots` to their controls.
  void Cover(platform::ui::Window& window, std::initializer_list<std::pair<ButtonSlot*, int>> slots);
  // Places every control of the template on the screen, the Return button with its own size.
  void PlaceControls(platform::ui::Window& window, std::span<const platform::ui::ControlTemplate> controls);

  Environment& env() { return env_; }
  gfx::Size screen() const { return screen_; }
  ButtonSlot& returnButton() { return return_; }

 private:
  ButtonSlot* SlotOf(int controlId);

  Environment& env_;
  gfx::Size screen_;
  ButtonSlot return_;
  std::vector<ButtonSlot*> slots_;  // the Return button first
  gfx::Point lastPointer_{-1, -1};  // where the pointer was last seen, in window coordinates
};

}  // namespace vexa::deck
