#include "deck/skinedit/FontDialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DialogLayout.h"
#include "platform/ui/Graphics.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

enum : int {
  kFontLabel = 1001,
  kFamilyList = 1002,
  kSizeLabel = 1003,
  kSizeList = 1004,
  kStyleLabel = 1005,
  kBold = 1006,
  kItalic = 1007,
  kUnderline = 1008,
  kPreviewLabel = 1009,
  kPreview = 1010,
};

struct Captions {
  const char16_t* font;
  const char16_t* size;
  const char16_t* style;
  const char16_t* bold;
  const char16_t* italic;
  const char16_t* underline;
  const char16_t* preview;
  const char16_t* ok;
  const char16_t* cancel;
};
constexpr Captions kEnglish{u"Font:", u"Size:",    u"Style:", u"Bold", u"Italic",
                            u"Underline", u"Preview:", u"OK",   u"Cancel"};
constexpr Captions kKorean{u"글꼴:", u"크기:", u"모양:", u"굵게", u"기울임", u"밑줄", u"미리보기:", u"확인", u"취소"};

platform::ui::WindowTemplate FontTemplate(gfx::Size screen, const Captions& c) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"Font";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, 310, 232);
  tmpl.controls = {
      {kFontLabel, ControlKind::kStatic, {4, 4, 150, 24}, c.font, platform::ui::kStyleNone},
      {kFamilyList, ControlKind::kListBox, {4, 26, 150, 152}, u"", platform::ui::kBorder},
      {kSizeLabel, ControlKind::kStatic, {156, 4, 210, 24}, c.size, platform::ui::kStyleNone},
      {kSizeList, ControlKind::kListBox, {156, 26, 210, 152}, u"", platform::ui::kBorder},
      {kStyleLabel, ControlKind::kStatic, {216, 4, 306, 24}, c.style, platform::ui::kStyleNone},
      {kBold, ControlKind::kCheckBox, {216, 26, 306, 50}, c.bold, platform::ui::kStyleNone},
      {kItalic, ControlKind::kCheckBox, {216, 54, 306, 78}, c.italic, platform::ui::kStyleNone},
      {kUnderline, ControlKind::kCheckBox, {216, 82, 306, 106}, c.underline, platform::ui::kStyleNone},
      {kPreviewLabel, ControlKind::kStatic, {4, 156, 150, 176}, c.preview, platform::ui::kStyleNone},
      {kPreview, ControlKind::kOwnerDrawButton, {4, 178, 210, 228}, u"", platform::ui::kStyleNone},
      {kIdOk, ControlKind::kDefaultPushButton, {216, 160, 306, 190}, c.ok, platform::ui::kStyleNone},
      {kIdCancel, ControlKind::kPushButton, {216, 198, 306, 228}, c.cancel, platform::ui::kStyleNone},
  };
  ScaleForLargeFont(tmpl, screen);
  return tmpl;
}

class FontDialog : public platform::ui::WindowHandler {
 public:
  FontDialog(Environment& env, const platform::ui::WindowTemplate& tmpl, gfx::Size screen, FontChoice choice,
             std::u16string_view previewText)
      : env_(env), tmpl_(tmpl), screen_(screen), choice_(std::move(choice)), previewText_(previewText) {}

  const FontChoice& choice() const { return choice_; }

  void OnInit(Window& window) override {
    ApplyLargeFont(env_, window, tmpl_, screen_);
    // The families in the order the device lists them.
    if (auto* fonts = env_.platform().fonts) families_ = fonts->Families();
    int selected = -1;
    for (std::size_t i = 0; i < families_.size(); ++i) {
      window.AddItem(kFamilyList, families_[i]);
      if (selected < 0 && text::EqualsNoCase(families_[i], choice_.face)) selected = static_cast<int>(i);
    }
    window.Select(kFamilyList, selected);

    selected = -1;
    for (std::size_t i = 0; i < kFontDialogSizes.size(); ++i) {
      window.AddItem(kSizeList, text::Format(u"%d", {std::int64_t{kFontDialogSizes[i]}}));
      if (kFontDialogSizes[i] == choice_.height) selected = static_cast<int>(i);
    }
    window.Select(kSizeList, selected);

    window.SetCheck(kBold, choice_.bold ? CheckState::kChecked : CheckState::kUnchecked);
    window.SetCheck(kItalic, choice_.italic ? CheckState::kChecked : CheckState::kUnchecked);
    window.SetCheck(kUnderline, choice_.underline ? CheckState::kChecked : CheckState::kUnchecked);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id == kFamilyList && notification == Notification::kSelectionChanged) {
      const int index = window.Selection(kFamilyList);
      if (index >= 0 && static_cast<std::size_t>(index) < families_.size()) {
        choice_.face = families_[static_cast<std::size_t>(index)];
      }
    } else if (id == kSizeList && notification == Notification::kSelectionChanged) {
      const int index = window.Selection(kSizeList);
      if (index >= 0 && static_cast<std::size_t>(index) < kFontDialogSizes.size()) {
        choice_.height = kFontDialogSizes[static_cast<std::size_t>(index)];
      }
    } else if (notification != Notification::kClicked) {
      return;
    } else if (id == kBold || id == kItalic || id == kUnderline) {
      const bool on = window.GetCheck(id) == CheckState::kChecked;
      (id == kBold ? choice_.bold : id == kItalic ? choice_.italic : choice_.underline) = on;
    } else if (id == kIdOk) {
      window.EndModal(1);
      return;
    } else if (id == kIdCancel) {
      window.EndModal(0);
      return;
    } else {
      return;
    }
    window.InvalidateControl(kPreview);
  }

  // The preview: the text in the chosen face, size and styles, centred on white and cut at the edges.
  void OnDrawItem(Window&, int id, gfx::Bitmap& canvas, const platform::ui::DrawItemState&) override {
    if (id != kPreview) return;
    gfx::FillRect(canvas, canvas.bounds(), gfx::SystemColors::kWindow);
    gfx::FrameRect(canvas, canvas.bounds(), gfx::SystemColors::kShadow);
    auto* renderer = env_.platform().text;
    if (renderer == nullptr) return;
    platform::FontSpec font;
    font.face = choice_.face;
    font.height = choice_.height;
    font.weight = choice_.bold ? 700 : 400;
    font.italic = choice_.italic;
    font.underline = choice_.underline;
    renderer->DrawText(canvas, canvas.bounds().Inflate(-2, -2), previewText_, font, gfx::SystemColors::kWindowText,
                       platform::ui::TextAlign::kCenter);
  }

 private:
  Environment& env_;
  const platform::ui::WindowTemplate& tmpl_;
  gfx::Size screen_;
  FontChoice choice_;
  std::u16string previewText_;
  std::vector<std::u16string> families_;
};

}  // namespace

std::optional<FontChoice> RunFontDialog(Environment& env, platform::ui::UserInterface& ui,
                                        platform::ui::Window* owner, const FontChoice& initial,
                                        std::u16string_view previewText) {
  const auto screen = ui.ScreenSize();
  const auto tmpl = FontTemplate(screen, env.KoreanUi() ? kKorean : kEnglish);
  FontDialog dialog(env, tmpl, screen, initial, previewText);
  if (ui.RunModal(tmpl, dialog, owner) != 1) return std::nullopt;
  return dialog.choice();
}

}  // namespace vexa::deck
