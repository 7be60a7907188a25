#include "deck/clock/FullScreenWindow.h"

#include "deck/clock/ClockLayout.h"

namespace vexa::deck {

using platform::ui::Window;

FullScreenWindow::FullScreenWindow(Environment& env, gfx::Size screen)
    : env_(env), screen_(screen), return_(SlotServices::From(env.platform())) {}

platform::ui::WindowTemplate FullScreenWindow::Template(
    std::u16string_view title, std::span<const platform::ui::ControlTemplate> controls) const {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = std::u16string(title);
  tmpl.style = platform::ui::kPopup;
  tmpl.rect = {0, 0, screen_.width, screen_.height};
  tmpl.controls.assign(controls.begin(), controls.end());
  return tmpl;
}

void FullScreenWindow::Cover(Window& window, std::initializer_list<std::pair<ButtonSlot*, int>> slots) {
  window.Move({0, 0, screen_.width, screen_.height});
  slots_.clear();
  slots_.push_back(&return_);
  return_.Attach(window, kReturnId, kHoverTimerBase);
  for (const auto& [slot, id] : slots) {
    slot->Attach(window, id, kHoverTimerBase + static_cast<int>(slots_.size()));
    slots_.push_back(slot);
  }
  // The Return button shows its icon at its own size: 32 x 32 on large screens, 24 x 24 on others.
  const auto look = ReturnLook(screen_);
  return_.SetIcons(look.icon, look.size, look.icon, look.size, 0, {});
}

void FullScreenWindow::PlaceControls(Window& window,
                                     std::span<const platform::ui::ControlTemplate> controls) {
  for (const auto& control : controls) {
    const auto scaled = ScaleFromLayout(control.rect, screen_);
    if (control.id == kReturnId) {
      return_.Place(PlaceFixedSize(scaled, ReturnLook(screen_).size));
    } else if (ButtonSlot* slot = SlotOf(control.id)) {
      slot->Place(scaled);
    } else {
      window.MoveControl(control.id, scaled);
    }
  }
}

ButtonSlot* FullScreenWindow::SlotOf(int controlId) {
  for (ButtonSlot* slot : slots_) {
    if (slot->controlId() == controlId) return slot;
  }
  return nullptr;
}

void FullScreenWindow::OnCommand(Window& window, int controlId, platform::ui::Notification notification) {
  if (controlId == kReturnId && notification == platform::ui::Notification::kClicked) window.EndModal(0);
}

void FullScreenWindow::OnTimer(Window&, int timerId) {
  const auto index = static_cast<std::size_t>(timerId - kHoverTimerBase);
  // A slot ends its hover when the pointer has left it.
  if (timerId >= kHoverTimerBase && index < slots_.size()) slots_[index]->OnHoverTimer(lastPointer_);
}

void FullScreenWindow::OnDrawItem(Window&, int controlId, gfx::Bitmap& canvas,
                                  const platform::ui::DrawItemState& state) {
  if (ButtonSlot* slot = SlotOf(controlId)) slot->Draw(canvas, state);
}

void FullScreenWindow::OnControlPointerDown(Window&, int controlId, gfx::Point p) {
  if (ButtonSlot* slot = SlotOf(controlId)) slot->OnPointerDown(p);
}

void FullScreenWindow::OnControlPointerMove(Window& window, int controlId, gfx::Point p, bool buttonDown) {
  const auto rect = window.GetControlRect(controlId);
  lastPointer_ = {rect.left + p.x, rect.top + p.y};
  if (ButtonSlot* slot = SlotOf(controlId)) slot->OnPointerMove(p, buttonDown);
}

void FullScreenWindow::OnControlPointerUp(Window&, int controlId, gfx::Point p) {
  if (ButtonSlot* slot = SlotOf(controlId)) slot->OnPointerUp(p);
}

void FullScreenWindow::OnPointerMove(Window&, gfx::Point p, bool) {
  lastPointer_ = p;
}

void FullScreenWindow::OnDestroy(Window&) {
  for (ButtonSlot* slot : slots_) slot->Detach();
  slots_.clear();
}

}  // namespace vexa::deck
