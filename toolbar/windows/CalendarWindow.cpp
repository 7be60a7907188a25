#include "toolbar/windows/CalendarWindow.h"

#include "common/text/Text.h"
#include "deck/gps/GpsTimeDialog.h"
#include "platform/ui/ResourceIds.h"
#include "platform/ui/UserInterface.h"
#include "toolbar/windows/ToolbarDialogs.h"
#include "toolbar/windows/ToolbarWindows.h"

namespace vexa::toolbar {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

// The month on the left, the date and time lines and the two buttons on the right.
const platform::ui::ControlTemplate kControls[] = {
    {kCalendarMonth, ControlKind::kMonthCalendar, {6, 6, 250, 170}, u"", 0},
    {kCalendarDate, ControlKind::kStatic, {256, 10, 394, 34}, u"0000.00.00", platform::ui::kAlignCenter},
    {kCalendarTime, ControlKind::kStatic, {256, 40, 394, 64}, u"", platform::ui::kAlignCenter},
    {kCalendarGpsTime, ControlKind::kPushButton, {256, 104, 394, 132}, u"GPS Time", 0},
    {kCalendarReturn, ControlKind::kPushButton, {256, 140, 394, 168}, u"Return", 0},
};
constexpr int kWidth = 400;
constexpr int kHeight = 176;

class ToolbarCalendar : public platform::ui::WindowHandler {
 public:
  ToolbarCalendar(ToolbarHost& host, const platform::ui::WindowTemplate& tmpl) : host_(host), tmpl_(tmpl) {}

  void OnInit(Window& window) override {
    const gfx::Size screen = host_.Ui().ScreenSize();
    ApplyLargeFont(host_.Platform(), window, tmpl_, screen);
    // The date and time lines are the window's answer: larger and bold.
    if (auto* fonts = host_.Platform().controlFonts) {
      const int height = UsesLargeFont(screen) ? 27 : 18;
      fonts->SetFont({window.handle(), kCalendarDate}, SystemFont(height, 700));
      fonts->SetFont({window.handle(), kCalendarTime}, SystemFont(height, 700));
      // The month's day names need the room of a normal weight.
      if (UsesLargeFont(screen)) fonts->SetFont({window.handle(), kCalendarMonth}, SystemFont(18, 400));
    }
    window.SetText(kCalendarDate, u"");
    window.SetText(kCalendarTime, u"");
    if (auto* clock = host_.Platform().clock) {
      const auto today = clock->LocalTime();
      window.SetDate(kCalendarMonth, {today.year, today.month, today.day});
    }
    window.SetTimer(kCalendarTimer, kCalendarTickMs);
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId != kCalendarTimer || host_.Platform().clock == nullptr) return;
    const auto now = host_.Platform().clock->LocalTime();
    const std::u16string date = CalendarDateLine(now, host_.Platform().localeNames);
    const std::u16string time = CalendarTimeLine(now);
    // Each line only when it changed, so the date does not flicker every second.
    if (window.GetText(kCalendarDate) != date) window.SetText(kCalendarDate, date);
    if (window.GetText(kCalendarTime) != time) window.SetText(kCalendarTime, time);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kCalendarGpsTime) RunToolbarGpsTimeOver(host_, &window);
    if (id == kCalendarReturn) window.EndModal(1);
  }

  void OnDestroy(Window& window) override { window.KillTimer(kCalendarTimer); }

 private:
  ToolbarHost& host_;
  const platform::ui::WindowTemplate& tmpl_;
};

}  // namespace

std::u16string ClockLabelText(int hour, int minute, int second, int iconSize) {
  const int shown = hour > 12 ? hour - 12 : hour;
  std::u16string label = text::FromInt(shown) + u":" + text::ZeroPadded(minute, 2);
  if (iconSize == 16) return label;
  return label + u"\n[" + text::ZeroPadded(second, 2) + u"]";
}

std::u16string CalendarDateLine(const platform::DateTime& time, platform::LocaleNames* names) {
  std::u16string weekday;
  if (names != nullptr) {
    // The locale counts Monday as day 1 and Sunday as day 7.
    weekday = names->DayName(time.dayOfWeek == 0 ? 7 : time.dayOfWeek, false).substr(0, 1);
  }
  return text::ZeroPadded(time.year, 4) + u"." + text::ZeroPadded(time.month, 2) + u"." +
         text::ZeroPadded(time.day, 2) + u"(" + weekday + u")";
}

std::u16string CalendarTimeLine(const platform::DateTime& time) {
  const int hour = time.hour > 12 ? time.hour - 12 : time.hour;
  return std::u16string(time.hour < 12 ? u"오전 " : u"오후 ") + text::FromInt(hour) + u":" +
         text::ZeroPadded(time.minute, 2) + u":" + text::ZeroPadded(time.second, 2);
}

void RunCalendar(ToolbarHost& host) {
  const gfx::Size screen = host.Ui().ScreenSize();
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kToolbarCalendarTitle;
  tmpl.style = platform::ui::kCaption | platform::ui::kTopMost;
  tmpl.rect =
      gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  tmpl.controls.assign(std::begin(kControls), std::end(kControls));
  ScaleForLargeFont(tmpl, screen, true);
  ToolbarCalendar window(host, tmpl);
  host.Ui().RunModal(tmpl, window, &host.Window());
}

void RunToolbarGpsTime(ToolbarHost& host) {
  RunToolbarGpsTimeOver(host, &host.Window());
}

void RunToolbarGpsTimeOver(ToolbarHost& host, platform::ui::Window* owner) {
  platform::Platform& platform = host.Platform();
  if (platform.clock == nullptr) return;
  gps::GpsTimeDialogOptions options;
  options.look = gps::GpsTimeLook::kToolbar;
  options.okIcon = platform::ui::res::toolbar::kGpsOk;
  options.owner = owner;
  options.topMost = true;
  gps::GpsTimeOptions& attempt = options.attempt;
  attempt.port = ToolbarGpsPort(host.Store());
  attempt.baud = ToolbarGpsSpeed(host.Store());
  attempt.dollarReads = 200;
  attempt.lineLength = 199;  // 200 bytes with the '$'
  attempt.lines = 100;
  attempt.texts = gps::KoreanGpsTimeTexts();
  gps::RunGpsTimeDialog(
      {host.Ui(), *platform.clock, platform.clockSetter, platform.serialPorts, platform.resources}, options);
}

}  // namespace vexa::toolbar
