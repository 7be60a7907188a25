#include "toolbar/windows/PositionWindow.h"

#include <algorithm>

#include "common/text/Text.h"
#include "platform/ui/UserInterface.h"
#include "toolbar/windows/ToolbarDialogs.h"

namespace vexa::toolbar {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

// The nine presets as a 3 x 3 grid on the left, the arrows as a cross on the right: the outer arrows
// move by 10 pixels, the inner ones by 1.
const platform::ui::ControlTemplate kControls[] = {
    {kPositionPresetGroup, ControlKind::kGroupBox, {6, 4, 126, 130}, u"<Preset>", 0},
    {kPositionPresetFirst + 0, ControlKind::kPushButton, {14, 24, 46, 56}, u"┌", 0},
    {kPositionPresetFirst + 1, ControlKind::kPushButton, {50, 24, 82, 56}, u"┬", 0},
    {kPositionPresetFirst + 2, ControlKind::kPushButton, {86, 24, 118, 56}, u"┐", 0},
    {kPositionPresetFirst + 3, ControlKind::kPushButton, {14, 60, 46, 92}, u"├", 0},
    {kPositionPresetFirst + 4, ControlKind::kPushButton, {50, 60, 82, 92}, u"O", 0},
    {kPositionPresetFirst + 5, ControlKind::kPushButton, {86, 60, 118, 92}, u"┤", 0},
    {kPositionPresetFirst + 6, ControlKind::kPushButton, {14, 96, 46, 128}, u"└", 0},
    {kPositionPresetFirst + 7, ControlKind::kPushButton, {50, 96, 82, 128}, u"┴", 0},
    {kPositionPresetFirst + 8, ControlKind::kPushButton, {86, 96, 118, 128}, u"┘", 0},
    {kPositionAdjustGroup, ControlKind::kGroupBox, {132, 4, 306, 130}, u"<Adjust>", 0},
    {kPositionUp10, ControlKind::kPushButton, {202, 20, 236, 40}, u"^^", 0},
    {kPositionUp1, ControlKind::kPushButton, {202, 42, 236, 62}, u"^", 0},
    {kPositionLeft10, ControlKind::kPushButton, {136, 64, 170, 84}, u"<<", 0},
    {kPositionLeft1, ControlKind::kPushButton, {172, 64, 202, 84}, u"<", 0},
    {kPositionRight1, ControlKind::kPushButton, {236, 64, 266, 84}, u">", 0},
    {kPositionRight10, ControlKind::kPushButton, {268, 64, 302, 84}, u">>", 0},
    {kPositionDown1, ControlKind::kPushButton, {202, 86, 236, 106}, u"v", 0},
    {kPositionDown10, ControlKind::kPushButton, {202, 108, 236, 128}, u"vv", 0},
    {kPositionWhere, ControlKind::kStatic, {6, 134, 306, 152}, u"", platform::ui::kAlignCenter},
    {kPositionSave, ControlKind::kDefaultPushButton, {6, 156, 152, 182}, u"Save", 0},
    {kPositionReturn, ControlKind::kPushButton, {160, 156, 306, 182}, u"Return", 0},
};
constexpr int kWidth = 312;
constexpr int kHeight = 188;

struct Arrow {
  int id;
  Nudge direction;
  int pixels;
};
constexpr Arrow kArrows[] = {
    {kPositionLeft1, Nudge::kLeft, 1},   {kPositionLeft10, Nudge::kLeft, 10}, {kPositionRight1, Nudge::kRight, 1},
    {kPositionRight10, Nudge::kRight, 10}, {kPositionUp1, Nudge::kUp, 1},     {kPositionUp10, Nudge::kUp, 10},
    {kPositionDown1, Nudge::kDown, 1},   {kPositionDown10, Nudge::kDown, 10},
};

// One axis of an arrow: towards 0 (`back`) or towards the screen's far edge.
int NudgeAxis(int at, int length, int screen, bool back, int pixels) {
  if (back) {
    if (at <= 0) return at;
    return pixels == 1 ? at - 1 : std::max(0, at - pixels);
  }
  const long far = static_cast<long>(at) + length;
  if (far >= screen) return at;
  if (pixels == 1) return at + 1;
  return screen - far <= pixels ? screen - length : at + pixels;
}

class PositionWindow : public platform::ui::WindowHandler {
 public:
  PositionWindow(ToolbarHost& host, PositionTarget& target, const platform::ui::WindowTemplate& tmpl)
      : host_(host), target_(target), tmpl_(tmpl), start_{target.Bounds().left, target.Bounds().top} {}

  bool saved() const { return saved_; }

  void OnInit(Window& window) override {
    ApplyLargeFont(host_.Platform(), window, tmpl_, host_.Ui().ScreenSize());
    ShowWhere(window);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    const gfx::Rect now = target_.Bounds();
    const gfx::Size screen = host_.Ui().ScreenSize();
    if (id >= kPositionPresetFirst && id < kPositionPresetFirst + 9) {
      MoveTo(window, PresetPosition(id - kPositionPresetFirst, screen, {now.width(), now.height()}));
      return;
    }
    for (const Arrow& arrow : kArrows) {
      if (arrow.id == id) {
        MoveTo(window, NudgePosition(now, arrow.direction, arrow.pixels, screen));
        return;
      }
    }
    if (id == kPositionSave) {
      saved_ = true;
      window.EndModal(1);
    }
    if (id == kPositionReturn) window.EndModal(0);
  }

  void OnDestroy(Window&) override {
    if (!saved_) target_.MoveTo(start_);
  }

 private:
  void MoveTo(Window& window, gfx::Point place) {
    const gfx::Rect now = target_.Bounds();
    if (place.x == now.left && place.y == now.top) return;
    target_.MoveTo(place);
    ShowWhere(window);
  }

  void ShowWhere(Window& window) {
    const gfx::Rect now = target_.Bounds();
    window.SetText(kPositionWhere, text::FromInt(now.left) + u", " + text::FromInt(now.top));
  }

  ToolbarHost& host_;
  PositionTarget& target_;
  const platform::ui::WindowTemplate& tmpl_;
  gfx::Point start_;
  bool saved_ = false;
};

}  // namespace

gfx::Point PresetPosition(int preset, gfx::Size screen, gfx::Size window) {
  const int column = std::clamp(preset, 0, 8) % 3;
  const int row = std::clamp(preset, 0, 8) / 3;
  auto along = [](int step, int screenSide, int side) {
    if (step == 0) return 0;
    return step == 1 ? (screenSide - side) / 2 : screenSide - side;
  };
  return {along(column, screen.width, window.width), along(row, screen.height, window.height)};
}

gfx::Point NudgePosition(gfx::Rect window, Nudge direction, int pixels, gfx::Size screen) {
  gfx::Point place{window.left, window.top};
  switch (direction) {
    case Nudge::kLeft:
      place.x = NudgeAxis(window.left, window.width(), screen.width, true, pixels);
      break;
    case Nudge::kRight:
      place.x = NudgeAxis(window.left, window.width(), screen.width, false, pixels);
      break;
    case Nudge::kUp:
      place.y = NudgeAxis(window.top, window.height(), screen.height, true, pixels);
      break;
    case Nudge::kDown:
      place.y = NudgeAxis(window.top, window.height(), screen.height, false, pixels);
      break;
  }
  return place;
}

bool RunPositionWindow(ToolbarHost& host, PositionTarget& target, platform::ui::Window* owner) {
  const gfx::Size screen = host.Ui().ScreenSize();
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kPositionTitle;
  tmpl.style = platform::ui::kCaption | platform::ui::kTopMost;
  tmpl.rect = gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  tmpl.controls.assign(std::begin(kControls), std::end(kControls));
  ScaleForLargeFont(tmpl, screen, true);
  PositionWindow window(host, target, tmpl);
  host.Ui().RunModal(tmpl, window, owner);
  return window.saved();
}

}  // namespace vexa::toolbar
