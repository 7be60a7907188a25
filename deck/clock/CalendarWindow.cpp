#include "deck/clock/CalendarWindow.h"

#include "deck/clock/FullScreenWindow.h"

namespace vexa::deck {

namespace {

using platform::ui::ControlKind;
using platform::ui::Window;

constexpr int kCalendarId = 1001;
constexpr gfx::ColorRef kWhite = gfx::Rgb(255, 255, 255);

// The window's controls at 640 x 480, scaled to the screen when the window opens: the Return button
// in the top right corner, as in the clock window, and the month calendar filling the rest.
const platform::ui::ControlTemplate kControls[] = {
    {FullScreenWindow::kReturnId,
     ControlKind::kOwnerDrawButton,
     {600, 8, 632, 40},
     u"",
     platform::ui::kStyleNone},
    {kCalendarId, ControlKind::kMonthCalendar, {24, 48, 616, 464}, u"", platform::ui::kStyleNone},
};

class CalendarWindow : public FullScreenWindow {
 public:
  using FullScreenWindow::FullScreenWindow;

  void OnInit(Window& window) override {
    Cover(window, {});
    // The Return button is white whether pressed, normal or focused, and has no border.
    for (int color : {0, 3, 5}) returnButton().SetColor(color, kWhite);
    returnButton().SetBordered(false);
    PlaceControls(window, kControls);
    if (auto* clock = env().platform().clock) {
      const auto today = clock->LocalTime();
      window.SetDate(kCalendarId, {today.year, today.month, today.day});
    }
  }

  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, canvas.bounds(), kWhite);
    return true;
  }
};

}  // namespace

void RunCalendarWindow(Environment& env, platform::ui::UserInterface& ui, Window* owner, gfx::Size screen) {
  CalendarWindow window(env, screen);
  ui.RunModal(window.Template(kCalendarTitle, kControls), window, owner);
}

}  // namespace vexa::deck
