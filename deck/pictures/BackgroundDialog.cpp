#include "deck/pictures/BackgroundDialog.h"

#include <algorithm>

#include "common/text/Text.h"
#include "deck/DialogLayout.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

enum : int { kNameList = 1001, kBlackLogo = 1002, kWhiteLogo = 1003, kLogoLabel = 1004 };

// The launcher's background list holds at most this many names; a longer one is cut there.
constexpr std::size_t kMaxNames = 1000;

struct Captions {
  const char16_t* logo;
  const char16_t* black;
  const char16_t* white;
  const char16_t* ok;
};
constexpr Captions kEnglish{u"Logo:", u"Black", u"White", u"OK"};
constexpr Captions kKorean{u"로고:", u"검정", u"흰색", u"확인"};

platform::ui::WindowTemplate BackgroundTemplate(gfx::Size screen, const Captions& captions) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"Background";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, 300, 220);
  tmpl.controls = {
      {kNameList, ControlKind::kListBox, {10, 10, 180, 210}, u"", platform::ui::kBorder},
      {kLogoLabel, ControlKind::kStatic, {190, 10, 290, 34}, captions.logo, platform::ui::kStyleNone},
      {kBlackLogo, ControlKind::kRadioButton, {190, 40, 290, 66}, captions.black, platform::ui::kGroupStart},
      {kWhiteLogo, ControlKind::kRadioButton, {190, 72, 290, 98}, captions.white, platform::ui::kStyleNone},
      {kIdOk, ControlKind::kDefaultPushButton, {190, 160, 290, 210}, captions.ok, platform::ui::kStyleNone},
  };
  ScaleForLargeFont(tmpl, screen);
  return tmpl;
}

class BackgroundDialog : public platform::ui::WindowHandler {
 public:
  BackgroundDialog(Environment& env, const platform::ui::WindowTemplate& tmpl, gfx::Size screen,
                   const BackgroundDialogInput& input)
      : env_(env), tmpl_(tmpl), screen_(screen), input_(input) {}

  void OnInit(Window& window) override {
    ApplyLargeFont(env_, window, tmpl_, screen_);
    const std::size_t count = std::min(input_.backgrounds.size(), kMaxNames);
    int selected = -1;
    for (std::size_t i = 0; i < count; ++i) {
      window.AddItem(kNameList, input_.backgrounds[i]);
      if (selected < 0 && text::EqualsNoCase(input_.backgrounds[i], input_.selected)) selected = static_cast<int>(i);
    }
    window.Select(kNameList, selected);

    // [ButtonLogo]
    // UpImageFile=logowhitebig.png
    const auto& logo = input_.buttonLogo;
    if (text::EqualsNoCase(logo, u"logowhitebig.png") || text::EqualsNoCase(logo, u"logowhitesml.png")) {
      checked_ = kWhiteLogo;
    } else if (text::EqualsNoCase(logo, u"logoblackbig.png") || text::EqualsNoCase(logo, u"logoblacksml.png")) {
      checked_ = kBlackLogo;
    }
    if (checked_ != 0) window.SetCheck(checked_, CheckState::kChecked);
    // A logo whose file the skin lacks cannot be chosen: its radio is greyed.
    for (int id : {kBlackLogo, kWhiteLogo}) window.EnableControl(id, LogoExists(id));
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id == kNameList && notification == Notification::kSelectionChanged) {
      const int index = window.Selection(kNameList);
      if (index >= 0 && static_cast<std::size_t>(index) < std::min(input_.backgrounds.size(), kMaxNames) &&
          input_.preview) {
        input_.preview(input_.backgrounds[static_cast<std::size_t>(index)]);
      }
      return;
    }
    if (notification != Notification::kClicked) return;
    if (id == kBlackLogo || id == kWhiteLogo) ChooseLogo(window, id);
    if (id == kIdOk) window.EndModal(1);
  }

 private:
  // "\Storage Card\VexaDeck\Skin\logowhitebig.png" on large screens, "...logowhitesml.png" on small.
  std::u16string LogoFile(int id) const {
    return input_.skinRoot + u"logo" + (id == kWhiteLogo ? u"white" : u"black") +
           (UsesLargeFont(screen_) ? u"big.png" : u"sml.png");
  }
  bool LogoExists(int id) const { return env_.FileExists(LogoFile(id)); }

  // A logo whose file went away since the dialog opened is greyed and the earlier choice comes back.
  void ChooseLogo(Window& window, int id) {
    if (window.GetCheck(id) != CheckState::kChecked) return;
    if (LogoExists(id)) {
      checked_ = id;
      return;
    }
    window.SetCheck(id, CheckState::kUnchecked);
    window.EnableControl(id, false);
    if (checked_ != 0) window.SetCheck(checked_, CheckState::kChecked);
  }

  Environment& env_;
  const platform::ui::WindowTemplate& tmpl_;
  gfx::Size screen_;
  const BackgroundDialogInput& input_;
  int checked_ = 0;  // the logo radio checked last, 0 for none
};

}  // namespace

void RunBackgroundDialog(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                         const BackgroundDialogInput& input) {
  const auto screen = ui.ScreenSize();
  const auto tmpl = BackgroundTemplate(screen, env.KoreanUi() ? kKorean : kEnglish);
  BackgroundDialog dialog(env, tmpl, screen, input);
  ui.RunModal(tmpl, dialog, owner);
}

}  // namespace vexa::deck
