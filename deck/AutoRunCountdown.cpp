#include "deck/AutoRunCountdown.h"

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DialogLayout.h"

namespace vexa::deck {

namespace {

using platform::ui::ControlKind;
using platform::ui::Window;

enum : int { kCaptionLine = 1001, kCountLine = 1002 };
constexpr int kTickTimer = 1;

platform::ui::WindowTemplate CountdownTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"AutoRun";
  tmpl.style = platform::ui::kCaption | platform::ui::kTopMost;
  tmpl.rect = Centred(screen, 320, 150);
  tmpl.controls = {
      {kCaptionLine, ControlKind::kStatic, {10, 10, 310, 40}, u"", platform::ui::kStyleNone},
      {kCountLine, ControlKind::kStatic, {10, 45, 310, 75}, u"", platform::ui::kStyleNone},
      {kIdOk, ControlKind::kDefaultPushButton, {20, 90, 150, 140}, u"Run", platform::ui::kStyleNone},
      {kIdCancel, ControlKind::kPushButton, {170, 90, 300, 140}, u"Return", platform::ui::kStyleNone},
  };
  ScaleForLargeFont(tmpl, screen);
  return tmpl;
}

class Countdown : public platform::ui::WindowHandler {
 public:
  Countdown(Environment& env, const platform::ui::WindowTemplate& tmpl, gfx::Size screen)
      : env_(env), tmpl_(tmpl), screen_(screen) {}

  AutoRunResult result() const { return result_; }

  void OnInit(Window& window) override {
    ApplyLargeFont(env_, window, tmpl_, screen_);
    const auto autoRun = env_.mainSettings().GetString(u"Main", u"AutoRun", u"");
    if (text::EqualsNoCase(autoRun, u"NAVI")) {
      mode_ = AutoRunResult::kNavigation;
      window.SetText(kCaptionLine, u"Navigation:");
    } else if (text::EqualsNoCase(autoRun, u"IMAGE")) {
      mode_ = AutoRunResult::kImageViewer;
      window.SetText(kCaptionLine, u"Slideshow :");
    } else {
      result_ = AutoRunResult::kCancel;
      window.EndModal(0);
      return;
    }
    remaining_ = env_.mainSettings().GetInt(u"Main", u"AutoRunDelay", 30);
    ShowRemaining(window);
    window.SetTimer(kTickTimer, 1000);
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId != kTickTimer) return;
    --remaining_;
    ShowRemaining(window);
    if (remaining_ <= 0) Run(window);
  }

  void OnCommand(Window& window, int id, platform::ui::Notification notification) override {
    if (notification != platform::ui::Notification::kClicked) return;
    if (id == kIdOk) Run(window);
    if (id == kIdCancel) {
      window.KillTimer(kTickTimer);
      result_ = AutoRunResult::kCancel;
      window.EndModal(0);
    }
  }

  bool OnClose(Window& window) override {
    window.KillTimer(kTickTimer);
    result_ = AutoRunResult::kCancel;
    return true;
  }

 private:
  void ShowRemaining(Window& window) {
    const bool navigation = mode_ == AutoRunResult::kNavigation;
    std::u16string_view pattern;
    if (env_.KoreanUi()) {
      pattern = navigation ? u"%d초후 네비게이션이 자동 실행됩니다." : u"%d초후 슬라이드쇼가 자동 실행됩니다.";
    } else {
      pattern = navigation ? u"Navigation starts in %d seconds." : u"The slide show starts in %d seconds.";
    }
    window.SetText(kCountLine, text::Format(pattern, {std::int64_t{remaining_ > 0 ? remaining_ : 0}}));
  }

  void Run(Window& window) {
    window.KillTimer(kTickTimer);
    if (mode_ == AutoRunResult::kNavigation) {
      const auto navigation = env_.mainSettings().GetString(u"Program", u"Navigation", u"");
      if (navigation.empty() || !env_.FileExists(env_.ExpandStorage(navigation))) {
        platform::MessageBoxRequest box;
        box.owner = window.handle();
        box.caption = u"Information";
        box.text = env_.KoreanUi() ? u"환경설정에서 네비게이션 경로를 지정하세요."
                                   : u"Choose the navigation path from the config window.";
        env_.platform().messageBoxes.Show(box);
      } else {
        env_.Launch(window.handle(), navigation);
      }
    }
    result_ = mode_;
    window.EndModal(1);
  }

  Environment& env_;
  const platform::ui::WindowTemplate& tmpl_;
  gfx::Size screen_;
  AutoRunResult mode_ = AutoRunResult::kCancel;
  AutoRunResult result_ = AutoRunResult::kCancel;
  int remaining_ = 0;
};

}  // namespace

AutoRunResult RunAutoRunCountdown(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner) {
  const auto screen = ui.ScreenSize();
  const auto tmpl = CountdownTemplate(screen);
  Countdown countdown(env, tmpl, screen);
  ui.RunModal(tmpl, countdown, owner);
  return countdown.result();
}

}  // namespace vexa::deck
