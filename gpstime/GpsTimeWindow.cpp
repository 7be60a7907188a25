#include "gpstime/GpsTimeWindow.h"

#include <optional>

#include "common/text/Text.h"
#include "deck/gps/GpsTimeAttempt.h"
#include "deck/gps/SerialLink.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::gpstime {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;
namespace res = platform::ui::res;

constexpr gfx::ColorRef kBackground = gfx::Rgb(225, 186, 139);
constexpr gfx::ColorRef kStaticText = gfx::Rgb(0, 0, 255);
constexpr gfx::ColorRef kWhite = gfx::Rgb(255, 255, 255);
constexpr int kFirstAttemptMs = 500;
constexpr int kRetryMs = 1000;
constexpr int kAttemptLimitMs = 10000;
constexpr int kExitMs = 3100;
constexpr int kFastClockMs = 300;
constexpr int kClockMs = 1000;
constexpr int kButtonIconSide = 32;

constexpr int kWidth = 240;
constexpr int kHeight = 128;
constexpr int kSettingsWidth = 216;
constexpr int kSettingsHeight = 140;

gfx::Rect Centred(gfx::Size screen, int width, int height) {
  return gfx::Rect::FromSize((screen.width - width) / 2, (screen.height - height) / 2, width, height);
}

platform::ui::WindowTemplate MainTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kMainTitle;
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, kWidth, kHeight);
  tmpl.controls = {
      {kConfig, ControlKind::kOwnerDrawButton, {8, 6, 116, 44}, u"Config", 0},
      {kReturn, ControlKind::kOwnerDrawButton, {124, 6, 232, 44}, u"Return", 0},
      {kDecoration, ControlKind::kPicture, {8, 60, 56, 108}, u"", 0},
      {kStatusCaption, ControlKind::kStatic, {64, 52, 232, 72}, u"상태:", 0},
      {kStatus, ControlKind::kStatusText, {64, 74, 232, 122}, u"접속중...", 0},
      {kDateLine, ControlKind::kStatic, {64, 54, 232, 82}, u"0000.00.00", platform::ui::kHidden},
      {kTimeLine, ControlKind::kStatic, {64, 88, 232, 116}, u"오전 00:00:00", platform::ui::kHidden},
  };
  return tmpl;
}

platform::ui::WindowTemplate SettingsTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kSettingsTitle;
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, kSettingsWidth, kSettingsHeight);
  tmpl.controls = {
      {kPortCaption, ControlKind::kStatic, {8, 12, 104, 32}, u"GPS 포트:", platform::ui::kAlignRight},
      {kPortList, ControlKind::kComboList, {110, 8, 208, 34}, u"", 0},
      {kSpeedCaption, ControlKind::kStatic, {8, 44, 104, 64}, u"GPS 통신속도:", platform::ui::kAlignRight},
      {kSpeedList, ControlKind::kComboList, {110, 40, 208, 66}, u"", 0},
      {kExitCaption, ControlKind::kStatic, {8, 76, 104, 96}, u"수신 완료시:", platform::ui::kAlignRight},
      {kExitCheck, ControlKind::kCheckBox, {110, 74, 208, 98}, u"닫기", 0},
      {kSettingsOk, ControlKind::kDefaultPushButton, {16, 106, 100, 134}, u"확인", 0},
      {kSettingsCancel, ControlKind::kPushButton, {116, 106, 200, 134}, u"취소", 0},
  };
  return tmpl;
}

int IndexOf(std::u16string_view text, const std::u16string_view* list, int count) {
  for (int i = 0; i < count; ++i) {
    if (list[i] == text) return i;
  }
  return -1;
}

class SettingsDialog : public platform::ui::WindowHandler {
 public:
  SettingsDialog(Environment& env, SettingsTable& table) : env_(env), table_(table) {}

  void OnInit(Window& window) override {
    window.SetIcon(res::kProgramIcon);
    for (auto port : kPortNames) window.AddItem(kPortList, port);
    for (auto speed : kSpeedTexts) window.AddItem(kSpeedList, speed);
    window.Select(kPortList, IndexOf(GpsTimeSettings::PortOf(table_), kPortNames, std::size(kPortNames)));
    window.Select(kSpeedList,
                  IndexOf(GpsTimeSettings::SpeedTextOf(table_), kSpeedTexts, std::size(kSpeedTexts)));
    window.SetCheck(kExitCheck, GpsTimeSettings::SuccessToExitOf(table_)
                                    ? platform::ui::CheckState::kChecked
                                    : platform::ui::CheckState::kUnchecked);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kSettingsCancel) {
      window.EndModal(0);
      return;
    }
    if (id != kSettingsOk) return;
    const int port = window.Selection(kPortList);
    const int speed = window.Selection(kSpeedList);
    table_.Set(GpsTimeSettings::kSection, u"GpsPort", port >= 0 ? window.ItemText(kPortList, port) : u"");
    table_.Set(GpsTimeSettings::kSection, u"GpsSpeed", speed >= 0 ? window.ItemText(kSpeedList, speed) : u"");
    table_.Set(GpsTimeSettings::kSection, u"SuccessToExit",
               window.GetCheck(kExitCheck) == platform::ui::CheckState::kChecked ? u"Y" : u"N");
    // The whole table in one piece: a failed or interrupted write leaves the old file whole.
    if (!env_.platform().files.WriteWholeFile(SettingsPath(env_), table_.Serialize())) {
      platform::MessageBoxRequest box;
      box.owner = window.handle();
      box.text = u"[VexaGpsTime.ini] 를 열수 없습니다.";
      box.caption = u"에러";
      box.icon = platform::MessageIcon::kStop;
      env_.platform().messageBoxes.Show(box);
      return;
    }
    window.EndModal(1);
  }

 private:
  Environment& env_;
  SettingsTable& table_;
};

class MainWindow : public platform::ui::WindowHandler {
 public:
  MainWindow(Environment& env, platform::ui::UserInterface& ui)
      : env_(env), ui_(ui), link_(env.platform().serialPorts) {}

  void OnInit(Window& window) override {
    window.SetIcon(res::kProgramIcon);
    platform::Platform& platform = env_.platform();
    if (platform.resources != nullptr) {
      if (auto picture = platform.resources->Picture(res::gpstime::kDecoration)) {
        window.SetControlPicture(kDecoration, *picture);
      }
      configIcon_ = platform.resources->Icon(res::gpstime::kConfig, {kButtonIconSide, kButtonIconSide});
      returnIcon_ = platform.resources->Icon(res::gpstime::kReturn, {kButtonIconSide, kButtonIconSide});
    }
    for (int id : {kStatusCaption, kStatus, kDateLine, kTimeLine})
      window.SetControlColors(id, kStaticText, kWhite);
    platform::FontSpec font;
    font.face = u"System";
    font.height = 18;
    font.weight = 700;
    window.SetControlFont(kDateLine, font);
    window.SetControlFont(kTimeLine, font);
    LoadSettings(env_, table_);
    window.SetTimer(kAttemptTimer, kFirstAttemptMs);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kReturn) {
      window.KillTimer(kAttemptTimer);
      window.KillTimer(kExitTimer);
      window.KillTimer(kClockTimer);
      window.EndModal(0);
    } else if (id == kConfig) {
      RunSettingsDialog(env_, ui_, &window, table_);
      // Either button: start over with what the table now says.
      window.KillTimer(kAttemptTimer);
      window.KillTimer(kExitTimer);
      window.ShowControl(kDateLine, false);
      window.ShowControl(kTimeLine, false);
      window.ShowControl(kStatusCaption, true);
      window.ShowControl(kStatus, true);
      window.SetText(kStatus, u"재시도...");
      window.SetTimer(kAttemptTimer, kFirstAttemptMs);
    }
  }

  void OnTimer(Window& window, int timerId) override {
    switch (timerId) {
      case kAttemptTimer:
        window.KillTimer(kAttemptTimer);
        Attempt(window);
        break;
      case kExitTimer:
        window.KillTimer(kExitTimer);
        window.EndModal(0);
        break;
      case kClockTimer:
        ShowClock(window);
        break;
      default:
        break;
    }
  }

  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, canvas.bounds(), kBackground);
    return true;
  }

  void OnDrawItem(Window&, int controlId, gfx::Bitmap& canvas,
                  const platform::ui::DrawItemState& state) override {
    gfx::FillRect(canvas, canvas.bounds(), kWhite);
    if (state.pressed) {
      gfx::DrawSunkenFrame(canvas, canvas.bounds());
    } else {
      gfx::DrawRaisedFrame(canvas, canvas.bounds());
    }
    const auto& icon = controlId == kConfig ? configIcon_ : returnIcon_;
    if (icon) {
      const int shift = state.pressed ? 1 : 0;
      // The icon's see-through colour lets the button's face show around it.
      const gfx::Rect at =
          gfx::Rect::FromSize((canvas.width() - icon->width()) / 2 + shift,
                              (canvas.height() - icon->height()) / 2 + shift, icon->width(), icon->height());
      gfx::KeyedCopy(canvas, at, *icon, icon->bounds(), res::kIconTransparent);
    }
    if (state.focused) gfx::DrawFocusRect(canvas, {3, 3, canvas.width() - 3, canvas.height() - 3});
  }

  void OnDestroy(Window& window) override {
    window.KillTimer(kAttemptTimer);
    window.KillTimer(kExitTimer);
    window.KillTimer(kClockTimer);
    link_.Close();
  }

 private:
  void Attempt(Window& window) {
    platform::Platform& platform = env_.platform();
    if (platform.clock == nullptr) return;
    gps::GpsTimeOptions options;
    options.emulation = false;  // this program always asks the receiver
    options.port = GpsTimeSettings::PortOf(table_);
    options.baud = GpsTimeSettings::BaudOf(table_);
    options.sirfToNmea = true;  // a receiver left in SiRF binary output speaks NMEA again
    // Lines until one sets the clock or a read fails; a line and its search for '$' are held to the
    // attempt's own limits, so a port full of binary output or a line that never ends cannot keep
    // the window for good.
    options.lines = 0;
    options.dollarReads = gps::GpsTimeOptions::kMaxReads;
    options.lineLength = gps::GpsTimeOptions::kMaxReads;
    // A receiver that sends everything but RMC would otherwise hold the window for good: after this
    // long the attempt gives up, and the next one comes a second later, with Return usable between.
    options.timeLimit = kAttemptLimitMs;
    options.texts = gps::KoreanGpsTimeTexts();
    gps::GpsTimeAttempt attempt(link_, *platform.clock, platform.clockSetter,
                                [&window](std::u16string_view text) {
                                  window.SetText(kStatus, text);
                                  window.Update();
                                });
    if (!attempt.Run(options)) {
      window.SetTimer(kAttemptTimer, kRetryMs);
      return;
    }
    window.ShowControl(kStatusCaption, false);
    window.ShowControl(kStatus, false);
    ShowClock(window);
    window.ShowControl(kDateLine, true);
    window.ShowControl(kTimeLine, true);
    if (GpsTimeSettings::SuccessToExitOf(table_)) {
      window.SetTimer(kExitTimer, kExitMs);
      window.SetTimer(kClockTimer, kFastClockMs);
    } else {
      window.SetTimer(kClockTimer, kClockMs);
    }
  }

  void ShowClock(Window& window) {
    if (env_.platform().clock == nullptr) return;
    const auto now = env_.platform().clock->LocalTime();
    window.SetText(kDateLine, DateLine(now));
    window.SetText(kTimeLine, TimeLine(now));
  }

  Environment& env_;
  platform::ui::UserInterface& ui_;
  SettingsTable table_;
  gps::SerialLink link_;
  std::optional<gfx::Bitmap> configIcon_;
  std::optional<gfx::Bitmap> returnIcon_;
};

}  // namespace

std::u16string SettingsPath(Environment& env) {
  return env.GetPath(PATH_PROGRAM_DIR) + u"\\VexaGPSTime.ini";
}

void LoadSettings(Environment& env, SettingsTable& table) {
  const auto bytes = env.platform().files.ReadWholeFile(SettingsPath(env), SettingsTable::kMaxFileBytes);
  table.Parse(bytes ? *bytes : std::string());
}

std::u16string DateLine(const platform::DateTime& t) {
  return text::ZeroPadded(t.year, 4) + u"." + text::ZeroPadded(t.month, 2) + u"." +
         text::ZeroPadded(t.day, 2);
}

std::u16string TimeLine(const platform::DateTime& t) {
  const int hour = t.hour > 12 ? t.hour - 12 : t.hour;
  return std::u16string(t.hour < 12 ? u"오전 " : u"오후 ") + text::ZeroPadded(hour, 1) + u":" +
         text::ZeroPadded(t.minute, 2) + u":" + text::ZeroPadded(t.second, 2);
}

bool RunSettingsDialog(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                       SettingsTable& table) {
  const auto tmpl = SettingsTemplate(ui.ScreenSize());
  SettingsDialog dialog(env, table);
  return ui.RunModal(tmpl, dialog, owner) == 1;
}

void RunGpsTimeWindow(Environment& env, platform::ui::UserInterface& ui) {
  const auto tmpl = MainTemplate(ui.ScreenSize());
  MainWindow window(env, ui);
  ui.RunModal(tmpl, window, nullptr);
}

}  // namespace vexa::gpstime
