#include "toolbar/IconWindow.h"

#include <algorithm>
#include <optional>

#include "platform/ui/Graphics.h"
#include "platform/ui/ResourceIds.h"
#include "toolbar/IconButton.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa::toolbar {

namespace {

using platform::ui::Window;

constexpr int kOnTopTimer = 1;
constexpr int kOnTopMs = 10000;

class IconWindow : public platform::ui::WindowHandler {
 public:
  IconWindow(platform::Platform& platform, int iconSize, bool tappable)
      : platform_(platform), iconSize_(iconSize), tappable_(tappable) {
    if (platform.resources != nullptr) {
      icon_ = platform.resources->Icon(platform::ui::res::toolbar::kMinimizedIcon, {iconSize, iconSize});
    }
  }

  void OnInit(Window& window) override {
    window.SetIcon(platform::ui::res::kProgramIcon);
    window.SetTimer(kOnTopTimer, kOnTopMs);
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId == kOnTopTimer) window.SetZOrder(platform::ui::ZOrder::kTopMost);
  }

  void OnCommand(Window& window, int controlId, platform::ui::Notification notification) override {
    if (tappable_ && controlId == kIconButton && notification == platform::ui::Notification::kClicked) {
      window.EndModal(1);
    }
  }

  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, canvas.bounds(), gfx::Rgb(255, 255, 255));
    return true;
  }

  void OnDrawItem(Window&, int controlId, gfx::Bitmap& canvas,
                  const platform::ui::DrawItemState& state) override {
    if (controlId != kIconButton) return;
    DrawIconButton(canvas, state, iconSize_, icon_ ? &*icon_ : nullptr, false, u"", LabelFont(iconSize_),
                   platform_.text);
  }

  void OnDestroy(Window& window) override { window.KillTimer(kOnTopTimer); }

 private:
  platform::Platform& platform_;
  int iconSize_;
  bool tappable_;
  std::optional<gfx::Bitmap> icon_;
};

// The icon as the position window moves it: the whole window, frame included.
class IconTarget : public PositionTarget {
 public:
  IconTarget(platform::Platform& platform, platform::ui::UserInterface& ui, int iconSize,
             const platform::ui::WindowTemplate& tmpl, platform::ui::Window* owner)
      : handler_(platform, iconSize, false), window_(&ui.CreateModeless(tmpl, handler_, owner)), ui_(ui) {
    handle_ = window_->handle();
  }
  ~IconTarget() override {
    if (platform::ui::Window* window = ui_.Find(handle_)) window->Destroy();
  }

  gfx::Rect Bounds() const override {
    platform::ui::Window* window = ui_.Find(handle_);
    return window != nullptr ? window->GetRect().Inflate(1, 1) : gfx::Rect{};
  }
  void MoveTo(gfx::Point topLeft) override {
    platform::ui::Window* window = ui_.Find(handle_);
    if (window == nullptr) return;
    const gfx::Rect client = window->GetRect();
    window->Move(gfx::Rect::FromSize(topLeft.x + 1, topLeft.y + 1, client.width(), client.height()));
  }

 private:
  IconWindow handler_;
  platform::ui::Window* window_;
  platform::ui::UserInterface& ui_;
  platform::WindowHandle handle_ = platform::kNoWindow;
};

}  // namespace

gfx::Point IconWindowPlace(const ToolbarProfileStore& store, gfx::Size screen) {
  const int side = IconSizeOf(store) + 2;
  const int x = std::max(0, store.GetInt(u"Main", u"IconXPostion", 0));
  const int y = std::max(0, store.GetInt(u"Main", u"IconYPostion", 0));
  return {std::max(0, std::min(x, screen.width - side)), std::max(0, std::min(y, screen.height - side))};
}

platform::ui::WindowTemplate IconWindowTemplate(gfx::Point topLeft, int iconSize) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kToolbarTitle;
  tmpl.style = platform::ui::kThinBorder | platform::ui::kTopMost | platform::ui::kNoActivate;
  tmpl.rect = gfx::Rect::FromSize(topLeft.x + 1, topLeft.y + 1, iconSize, iconSize);
  tmpl.controls = {{kIconButton,
                    platform::ui::ControlKind::kOwnerDrawButton,
                    {0, 0, iconSize, iconSize},
                    u"",
                    platform::ui::kStyleNone}};
  return tmpl;
}

void RunIconWindow(platform::Platform& platform, platform::ui::UserInterface& ui,
                   const ToolbarProfileStore& store, platform::ui::Window* owner) {
  const int iconSize = IconSizeOf(store);
  IconWindow handler(platform, iconSize, true);
  ui.RunModal(IconWindowTemplate(IconWindowPlace(store, ui.ScreenSize()), iconSize), handler, owner);
}

std::unique_ptr<PositionTarget> ShowIconWindowForPositioning(platform::Platform& platform,
                                                             platform::ui::UserInterface& ui,
                                                             const ToolbarProfileStore& store,
                                                             platform::ui::Window* owner) {
  const int iconSize = IconSizeOf(store);
  return std::make_unique<IconTarget>(
      platform, ui, iconSize, IconWindowTemplate(IconWindowPlace(store, ui.ScreenSize()), iconSize), owner);
}

}  // namespace vexa::toolbar
