#include "deck/gps/GpsTimeDialog.h"

#include <optional>

#include "common/text/Text.h"
#include "deck/gps/SerialLink.h"

namespace vexa::gps {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

constexpr gfx::ColorRef kBackground = gfx::Rgb(225, 186, 139);
constexpr gfx::ColorRef kStaticText = gfx::Rgb(0, 0, 255);
constexpr gfx::ColorRef kStaticBack = gfx::Rgb(255, 255, 255);
constexpr int kFirstAttemptMs = 100;
constexpr int kRetryMs = 1000;
constexpr int kCloseMs = 100;
constexpr int kOkIconSide = 24;

// Laid out for the small font; screens of 640 × 480 and up get everything half as large again and
// the larger finger-sized font, as the other dialogs of the programs do.
constexpr int kWidth = 320;
constexpr int kHeight = 128;

bool UsesLargeFont(gfx::Size screen) {
  return screen.width >= 640 && screen.height >= 480;
}

gfx::Rect Centred(gfx::Size screen, int width, int height) {
  return gfx::Rect::FromSize((screen.width - width) / 2, (screen.height - height) / 2, width, height);
}

platform::ui::WindowTemplate GpsTimeTemplate(const GpsTimeDialogOptions& options, gfx::Size screen) {
  const bool toolbar = options.look == GpsTimeLook::kToolbar;
  platform::ui::WindowTemplate tmpl;
  tmpl.title = options.title;
  tmpl.style = platform::ui::kCaption | (options.topMost ? platform::ui::kTopMost : 0u);
  tmpl.rect = Centred(screen, kWidth, kHeight);
  if (toolbar) {
    tmpl.controls.push_back({kGpsTimeOk, ControlKind::kOwnerDrawButton, {8, 6, 312, 38}, u"확인", 0});
  } else {
    tmpl.controls.push_back({kGpsTimeReturn, ControlKind::kPushButton, {8, 6, 312, 38}, u"Return", 0});
  }
  tmpl.controls.push_back({kGpsTimePicture, ControlKind::kPicture, {8, 50, 56, 98}, u"", 0});
  tmpl.controls.push_back(
      {kGpsTimeStatusCaption, ControlKind::kStatic, {64, 44, 312, 64}, toolbar ? u"상태:" : u"Status:", 0});
  tmpl.controls.push_back(
      {kGpsTimeStatus, ControlKind::kStatusText, {64, 66, 312, 122}, toolbar ? u"접속중..." : u"...", 0});
  tmpl.controls.push_back(
      {kGpsTimeDate, ControlKind::kStatic, {64, 48, 312, 76}, u"0000.00.00", platform::ui::kHidden});
  tmpl.controls.push_back({kGpsTimeTime,
                           ControlKind::kStatic,
                           {64, 84, 312, 112},
                           toolbar ? u"오전 00:00:00" : u"HR 00:00:00",
                           platform::ui::kHidden});
  if (UsesLargeFont(screen)) {
    auto scale = [](int v) { return v * 3 / 2; };
    tmpl.rect = Centred(screen, scale(kWidth), scale(kHeight));
    for (auto& control : tmpl.controls) {
      control.rect = {scale(control.rect.left), scale(control.rect.top), scale(control.rect.right),
                      scale(control.rect.bottom)};
    }
  }
  return tmpl;
}

// "2026.12.08"
std::u16string DateLine(const platform::DateTime& t) {
  return text::ZeroPadded(t.year, 4) + u"." + text::ZeroPadded(t.month, 2) + u"." +
         text::ZeroPadded(t.day, 2);
}

// "HR 21:35:09" in the launcher; "오후 9:35:09" in the toolbar, as its calendar shows the time.
std::u16string TimeLine(const platform::DateTime& t, GpsTimeLook look) {
  if (look == GpsTimeLook::kToolbar) {
    const int hour = t.hour > 12 ? t.hour - 12 : t.hour;
    return std::u16string(t.hour < 12 ? u"오전 " : u"오후 ") + text::ZeroPadded(hour, 1) + u":" +
           text::ZeroPadded(t.minute, 2) + u":" + text::ZeroPadded(t.second, 2);
  }
  return u"HR " + text::ZeroPadded(t.hour, 2) + u":" + text::ZeroPadded(t.minute, 2) + u":" +
         text::ZeroPadded(t.second, 2);
}

class GpsTimeDialog : public platform::ui::WindowHandler {
 public:
  GpsTimeDialog(const GpsTimeDialogServices& services, const GpsTimeDialogOptions& options,
                const platform::ui::WindowTemplate& tmpl, bool large)
      : services_(services), options_(options), tmpl_(tmpl), large_(large), link_(services.ports) {}

  void OnInit(Window& window) override {
    window.SetText(kGpsTimeDate, u"");
    window.SetText(kGpsTimeTime, u"");
    window.SetText(kGpsTimeStatus, u"");
    for (const auto& control : tmpl_.controls) {
      if (control.kind == ControlKind::kStatic || control.kind == ControlKind::kStatusText) {
        window.SetControlColors(control.id, kStaticText, kStaticBack);
      }
      if (large_) window.SetControlFont(control.id, Font(20));
    }
    // The date and time lines are the dialog's answer: larger and bold.
    window.SetControlFont(kGpsTimeDate, Font(large_ ? 27 : 18));
    window.SetControlFont(kGpsTimeTime, Font(large_ ? 27 : 18));
    if (services_.resources != nullptr) {
      if (options_.picture != 0) {
        if (auto picture = services_.resources->Picture(options_.picture)) {
          window.SetControlPicture(kGpsTimePicture, *picture);
        }
      }
      if (options_.okIcon != 0)
        okIcon_ = services_.resources->Icon(options_.okIcon, {kOkIconSide, kOkIconSide});
    }
    window.SetTimer(kGpsTimeAttemptTimer, kFirstAttemptMs);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kGpsTimeReturn || id == kGpsTimeOk) window.EndModal(0);
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId == kGpsTimeCloseTimer) {
      window.KillTimer(kGpsTimeCloseTimer);
      window.EndModal(0);
      return;
    }
    if (timerId != kGpsTimeAttemptTimer) return;
    window.KillTimer(kGpsTimeAttemptTimer);
    GpsTimeAttempt attempt(link_, services_.clock, services_.clockSetter,
                           [&window](std::u16string_view text) {
                             // The attempt holds the thread while it reads, so each step is painted at once.
                             window.SetText(kGpsTimeStatus, text);
                             window.Update();
                           });
    if (!attempt.Run(options_.attempt)) {
      window.SetTimer(kGpsTimeAttemptTimer, kRetryMs);
      return;
    }
    // The clock now reads the receiver's time in the device's zone.
    const auto now = services_.clock.LocalTime();
    window.SetText(kGpsTimeDate, DateLine(now));
    window.SetText(kGpsTimeTime, TimeLine(now, options_.look));
    window.ShowControl(kGpsTimeStatusCaption, false);
    window.ShowControl(kGpsTimeStatus, false);
    window.ShowControl(kGpsTimeDate, true);
    window.ShowControl(kGpsTimeTime, true);
    window.SetTimer(kGpsTimeCloseTimer, kCloseMs);
  }

  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, canvas.bounds(), kBackground);
    return true;
  }

  void OnDrawItem(Window&, int controlId, gfx::Bitmap& canvas,
                  const platform::ui::DrawItemState& state) override {
    if (controlId != kGpsTimeOk) return;
    gfx::FillRect(canvas, canvas.bounds(), kStaticBack);
    if (state.pressed) {
      gfx::DrawSunkenFrame(canvas, canvas.bounds());
    } else {
      gfx::DrawRaisedFrame(canvas, canvas.bounds());
    }
    if (okIcon_) {
      const int shift = state.pressed ? 1 : 0;
      gfx::DrawIcon(canvas,
                    {(canvas.width() - okIcon_->width()) / 2 + shift,
                     (canvas.height() - okIcon_->height()) / 2 + shift},
                    *okIcon_);
    }
    if (state.focused) gfx::DrawFocusRect(canvas, {3, 3, canvas.width() - 3, canvas.height() - 3});
  }

  void OnDestroy(Window& window) override {
    window.KillTimer(kGpsTimeAttemptTimer);
    window.KillTimer(kGpsTimeCloseTimer);
    link_.Close();
  }

 private:
  static platform::FontSpec Font(int height) {
    platform::FontSpec font;
    font.face = u"System";
    font.height = height;
    font.weight = 700;
    return font;
  }

  const GpsTimeDialogServices& services_;
  const GpsTimeDialogOptions& options_;
  const platform::ui::WindowTemplate& tmpl_;
  bool large_;
  SerialLink link_;
  std::optional<gfx::Bitmap> okIcon_;
};

}  // namespace

int RunGpsTimeDialog(const GpsTimeDialogServices& services, const GpsTimeDialogOptions& options) {
  const auto screen = services.ui.ScreenSize();
  const auto tmpl = GpsTimeTemplate(options, screen);
  GpsTimeDialog dialog(services, options, tmpl, UsesLargeFont(screen));
  services.ui.RunModal(tmpl, dialog, options.owner);
  return 0;
}

}  // namespace vexa::gps
