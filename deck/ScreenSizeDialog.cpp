#include "deck/ScreenSizeDialog.h"

#include <array>

#include "common/text/Text.h"
#include "deck/DialogLayout.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Window;

// The smallest and largest side of a screen, as for the program's screen option.
constexpr int kMinSide = 16;
constexpr int kMaxSide = 8192;

enum : int { kFit = 1001, kFirstPreset = 1002, kCustom = 1010, kWidthEdit = 1011, kHeightEdit = 1012 };

constexpr std::array<gfx::Size, 8> kPresets = {{
    {320, 240}, {430, 234}, {480, 234}, {480, 272}, {640, 480}, {800, 480}, {1024, 768}, {1280, 1024}}};

platform::ui::WindowTemplate ScreenSizeTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"ScreenSize Setup";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, 300, 250);
  const char16_t* labels[] = {u"320 x 240", u"430 x 234", u"480 x 234", u"480 x 272",
                              u"640 x 480", u"800 x 480", u"1024 x 768", u"1280 x 1024"};
  tmpl.controls.push_back({kFit, ControlKind::kRadioButton, {10, 8, 140, 30}, u"Fit", platform::ui::kGroupStart});
  for (int i = 0; i < 8; ++i) {
    const int column = (i + 1) / 5;
    const int row = (i + 1) % 5;
    tmpl.controls.push_back({kFirstPreset + i, ControlKind::kRadioButton,
                             gfx::Rect::FromSize(10 + column * 145, 8 + row * 26, 135, 22), labels[i],
                             platform::ui::kStyleNone});
  }
  tmpl.controls.push_back({kCustom, ControlKind::kRadioButton, {155, 112, 290, 134}, u"Custom", 0});
  tmpl.controls.push_back({1013, ControlKind::kStatic, {10, 142, 70, 166}, u"Width:", 0});
  tmpl.controls.push_back({kWidthEdit, ControlKind::kEdit, {75, 142, 140, 166}, u"", platform::ui::kNumber});
  tmpl.controls.push_back({1014, ControlKind::kStatic, {155, 142, 215, 166}, u"Height:", 0});
  tmpl.controls.push_back({kHeightEdit, ControlKind::kEdit, {220, 142, 290, 166}, u"", platform::ui::kNumber});
  tmpl.controls.push_back({kIdOk, ControlKind::kDefaultPushButton, {20, 190, 140, 240}, u"Save", 0});
  tmpl.controls.push_back({kIdCancel, ControlKind::kPushButton, {160, 190, 280, 240}, u"Cancel", 0});
  ScaleForLargeFont(tmpl, screen);
  return tmpl;
}

class ScreenSizeDialog : public platform::ui::WindowHandler {
 public:
  ScreenSizeDialog(Environment& env, const platform::ui::WindowTemplate& tmpl, gfx::Size screen, gfx::Size given)
      : env_(env), tmpl_(tmpl), screen_(screen), given_(given) {}

  std::optional<gfx::Size> result() const { return result_; }

  void OnInit(Window& window) override {
    ApplyLargeFont(env_, window, tmpl_, screen_);
    int checked = kCustom;
    if (given_ == screen_) checked = kFit;
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
      const int id = kFirstPreset + static_cast<int>(i);
      const bool fits = kPresets[i].width <= screen_.width && kPresets[i].height <= screen_.height;
      window.EnableControl(id, fits);
      if (checked == kCustom && kPresets[i] == given_) checked = id;
    }
    window.SetCheck(checked, CheckState::kChecked);
    if (checked == kCustom) {
      window.SetText(kWidthEdit, text::FromInt(given_.width));
      window.SetText(kHeightEdit, text::FromInt(given_.height));
    }
  }

  void OnCommand(Window& window, int id, platform::ui::Notification notification) override {
    if (notification != platform::ui::Notification::kClicked) return;
    if (id == kIdCancel) window.EndModal(0);
    if (id != kIdOk) return;
    if (window.GetCheck(kFit) == CheckState::kChecked) {
      result_ = screen_;
    } else if (window.GetCheck(kCustom) == CheckState::kChecked) {
      const gfx::Size typed{text::ParseInt(window.GetText(kWidthEdit)), text::ParseInt(window.GetText(kHeightEdit))};
      // The same bounds as the program's screen option: a size outside them is refused and the dialog
      // stays open for another, rather than making a screen-sized picture of any size.
      if (typed.width < kMinSide || typed.height < kMinSide || typed.width > kMaxSide || typed.height > kMaxSide) {
        Refuse(window, typed.width < kMinSide || typed.height < kMinSide);
        return;
      }
      result_ = typed;
    } else {
      for (std::size_t i = 0; i < kPresets.size(); ++i) {
        if (window.GetCheck(kFirstPreset + static_cast<int>(i)) == CheckState::kChecked) result_ = kPresets[i];
      }
    }
    window.EndModal(result_ ? 1 : 0);
  }

 private:
  void Refuse(Window& window, bool tooSmall) {
    platform::MessageBoxRequest box;
    box.owner = window.handle();
    box.caption = u"ScreenSize Setup";
    box.icon = platform::MessageIcon::kExclamation;
    if (env_.KoreanUi()) {
      box.text = tooSmall ? u"화면 크기가 너무 작습니다. 가로와 세로는 16 이상이어야 합니다."
                          : u"화면 크기가 너무 큽니다. 가로와 세로는 8192 이하여야 합니다.";
    } else {
      box.text = tooSmall ? u"The screen size is too small: width and height must be at least 16."
                          : u"The screen size is too large: width and height must be at most 8192.";
    }
    env_.platform().messageBoxes.Show(box);
  }

  Environment& env_;
  const platform::ui::WindowTemplate& tmpl_;
  gfx::Size screen_;
  gfx::Size given_;
  std::optional<gfx::Size> result_;
};

}  // namespace

std::optional<gfx::Size> RunScreenSizeDialog(Environment& env, platform::ui::UserInterface& ui,
                                             platform::ui::Window* owner, gfx::Size given) {
  const auto screen = ui.ScreenSize();
  const auto tmpl = ScreenSizeTemplate(screen);
  ScreenSizeDialog dialog(env, tmpl, screen, given);
  ui.RunModal(tmpl, dialog, owner);
  return dialog.result();
}

}  // namespace vexa::deck
