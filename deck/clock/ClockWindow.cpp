#include "deck/clock/ClockWindow.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/PathTokens.h"
#include "deck/clock/ClockDisplays.h"
#include "deck/clock/ClockLayout.h"
#include "deck/clock/ClockScene.h"
#include "deck/clock/FullScreenWindow.h"
#include "deck/pictures/PictureLoader.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::deck {

namespace {

using platform::ui::ControlKind;
using platform::ui::Window;

enum : int { kDateId = 1001, kAmPmId = 1002, kTimeId = 1003, kMessageId = 1004 };
constexpr int kTickTimer = 1;

// The window's controls at 640 x 480, scaled to the screen when the window opens: the Return button
// in the top right corner, then down the middle the date line, the AM/PM mark, the large time (as
// wide as the screen, the widest text of all) and the day's message.
const platform::ui::ControlTemplate kControls[] = {
    {FullScreenWindow::kReturnId,
     ControlKind::kOwnerDrawButton,
     {600, 8, 632, 40},
     u"",
     platform::ui::kStyleNone},
    {kDateId, ControlKind::kOwnerDrawButton, {20, 40, 620, 100}, u"", platform::ui::kStyleNone},
    {kAmPmId, ControlKind::kOwnerDrawButton, {20, 110, 620, 176}, u"", platform::ui::kStyleNone},
    {kTimeId, ControlKind::kOwnerDrawButton, {0, 176, 640, 366}, u"", platform::ui::kStyleNone},
    {kMessageId, ControlKind::kOwnerDrawButton, {20, 390, 620, 450}, u"", platform::ui::kStyleNone},
};

// Caption heights of the four lines (date, AM/PM, time, message) on large and on other screens.
constexpr int kLargeCaptions[kClockLineCount] = {48, 60, 170, 48};
constexpr int kSmallCaptions[kClockLineCount] = {28, 30, 80, 28};

class ClockWindow : public FullScreenWindow {
 public:
  ClockWindow(Environment& env, gfx::Size screen)
      : FullScreenWindow(env, screen),
        lines_{ButtonSlot(SlotServices::From(env.platform())), ButtonSlot(SlotServices::From(env.platform())),
               ButtonSlot(SlotServices::From(env.platform())),
               ButtonSlot(SlotServices::From(env.platform()))} {}

  void OnInit(Window& window) override {
    window_ = &window;
    Cover(window, {{&Line(kDateLine), kDateId},
                   {&Line(kAmPmLine), kAmPmId},
                   {&Line(kTimeLine), kTimeId},
                   {&Line(kMessageLine), kMessageId}});
    for (auto& line : lines_) line.SetCaption(u"");
    ReadClockFile(window);
    const auto now = Now();
    ChooseScene(now);
    const int* captions = IsLargeScreen(screen()) ? kLargeCaptions : kSmallCaptions;
    for (int line = 0; line < kClockLineCount; ++line) Line(line).SetCaptionHeight(captions[line]);
    PlaceControls(window, kControls);
    // The time shows at once rather than a second after the window opens.
    Tick(now);
    window.SetTimer(kTickTimer, 1000);
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId == kTickTimer) {
      Tick(Now());
    } else {
      FullScreenWindow::OnTimer(window, timerId);
    }
  }

  // The background picture covers the whole window.
  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    if (background_.empty()) {
      gfx::FillRect(canvas, canvas.bounds(), gfx::Rgb(0, 0, 0));
    } else {
      gfx::StretchCopy(canvas, canvas.bounds(), background_, background_.bounds());
    }
    return true;
  }

  void OnDestroy(Window& window) override {
    window.KillTimer(kTickTimer);
    FullScreenWindow::OnDestroy(window);
    background_ = gfx::Bitmap();
    window_ = nullptr;
  }

 private:
  ButtonSlot& Line(int line) { return lines_[static_cast<std::size_t>(line)]; }

  platform::DateTime Now() {
    auto* clock = env().platform().clock;
    return clock != nullptr ? clock->LocalTime() : platform::DateTime{};
  }

  std::u16string ClockFolder() { return env().GetPath(PATH_PROGRAM_DIR) + u"\\Clock\\"; }

  // The clock file is read each time the window opens; without one every key has its default.
  void ReadClockFile(Window& window) {
    const auto path = env().GetPath(PATH_PROGRAM_DIR) + std::u16string(kClockFile);
    clockFile_ = nullptr;
    if (env().FileExists(path) && env().clock().Read(window.handle(), path)) clockFile_ = &env().clock();
  }

  // A line gets a new text only when it differs from the one it shows.
  static void SetText(ButtonSlot& line, std::u16string_view text) {
    if (line.caption() != text) line.SetCaption(text, true);
  }

  void Tick(const platform::DateTime& now) {
    const auto texts = FormatClockTexts(now, env().KoreanUi(), env().platform().localeNames);
    SetText(Line(kDateLine), texts.date);
    SetText(Line(kTimeLine), texts.time);
    SetText(Line(kAmPmLine), texts.mark);
    if (now.hour != hour_) ChooseScene(now);
  }

  // Chooses the scene for `now` and shows it; a scene that did not change is left as it is.
  void ChooseScene(const platform::DateTime& now) {
    hour_ = now.hour;
    auto scene = ChooseClockScene(clockFile_, now, ClockFolder(),
                                  [this](std::u16string_view path) { return env().FileExists(path); });
    SetText(Line(kMessageLine), scene.message);
    if (shown_ && *shown_ == scene) return;
    LoadBackground(scene);
    for (int line = 0; line < kClockLineCount; ++line) {
      const auto color = scene.colors[static_cast<std::size_t>(line)];
      Line(line).SetColor(1, color);  // caption while pressed or hovered
      Line(line).SetColor(4, color);  // caption normal
      Line(line).SetBackground(&background_, true);
    }
    // The Return button sits on the picture too, rather than on a grey square.
    returnButton().SetBackground(&background_, true);
    if (window_ != nullptr) window_->Invalidate();
    shown_ = scene;
    if (auto* log = env().platform().log) {
      log->Record("clock_scene", {{"day", scene.day},
                                  {"picture", scene.picture},
                                  {"resource", std::int64_t{scene.builtIn}},
                                  {"message", scene.message}});
    }
  }

  // Loads the scene's picture when it is not the one shown, fitted to the screen. A picture file that
  // cannot be decoded gives way to the built-in picture of the period (the scene says so after).
  void LoadBackground(ClockScene& scene) {
    const bool samePicture = shown_ && shown_->picture == scene.picture && shown_->builtIn == scene.builtIn;
    if (samePicture) return;
    if (!scene.picture.empty()) {
      gfx::Bitmap picture;
      if (LoadPicture(env().platform().pictures, scene.picture, screen(), picture)) {
        StretchToSize(picture, screen());
        background_ = std::move(picture);
        return;
      }
      namespace res = platform::ui::res::deck;
      scene.picture.clear();
      scene.builtIn = scene.day ? res::kClockDay : res::kClockNight;
      if (shown_ && shown_->picture.empty() && shown_->builtIn == scene.builtIn) return;
    }
    std::optional<gfx::Bitmap> picture;
    if (auto* resources = env().platform().resources) picture = resources->Picture(scene.builtIn);
    background_ = picture ? std::move(*picture) : gfx::Bitmap();
    StretchToSize(background_, screen());
  }

  Window* window_ = nullptr;
  std::array<ButtonSlot, kClockLineCount> lines_;
  const ProfileStore* clockFile_ = nullptr;  // null when there is none
  int hour_ = -1;                            // the hour of the last scene choice
  std::optional<ClockScene> shown_;
  gfx::Bitmap background_;
};

}  // namespace

void RunClockWindow(Environment& env, platform::ui::UserInterface& ui, Window* owner, gfx::Size screen) {
  ClockWindow window(env, screen);
  ui.RunModal(window.Template(kClockTitle, kControls), window, owner);
}

}  // namespace vexa::deck
