#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/Environment.h"
#include "deck/ButtonSlot.h"
#include "deck/SkinLoader.h"
#include "deck/gps/GpsFix.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// What the GPS displays need of the launcher window.
class GpsDisplayHost {
 public:
  virtual ~GpsDisplayHost() = default;
  virtual platform::ui::Window* window() = 0;
  // The slot at `index` (0 to 39); null for none.
  virtual ButtonSlot* LiveSlot(std::optional<int> index) = 0;
  virtual const LiveSlots& live() const = 0;
  // A skin is being loaded (the chooser may run a nested loop while fixes arrive).
  virtual bool SkinLoading() const = 0;
};

// Sets a live display's text, logging the change as "display_text" (slot number, the element's kind,
// the new text) so that runs can be checked without reading pixels. Nothing happens when the text
// is already shown.
void SetDisplayText(Environment& env, ButtonSlot& slot, int slotIndex, std::u16string_view text);

// The degrees, minutes, seconds and hundredths of a second of a position sent as ddmm.mmmm; the
// fraction of the minutes becomes the seconds. Values too large for the displays are clamped.
struct PositionParts {
  int degrees = 0, minutes = 0, seconds = 0, hundredths = 0;
  bool operator==(const PositionParts&) const = default;
};
PositionParts SplitPosition(double ddmm);

// Which gauge frame shows `value`: the frame whose key equals it (letter case ignored), else the
// nearest by the numbers (ties keep the earlier frame), where a value near 360 also counts as near a
// frame keyed 0. -1 for an empty list.
int NearestGaugeFrame(const std::vector<GaugeFrame>& frames, std::u16string_view value);

// The skin's GPS displays and gauges, fed from the receiver's fix: speed with a half-way step for
// middling jumps, position, course, altitude, HDOP, and the two gauges, whose frames are decoded on
// first use. Also the one-shot request to set the clock from the next fix.
class GpsDisplays {
 public:
  static constexpr int kSpeedTimer = 5;  // the window timer that shows the pending speed

  GpsDisplays(Environment& env, GpsDisplayHost& host) : env_(env), host_(host) {}

  // Shows the fix on every display the skin has.
  void Update(const gps::GpsFix& fix, bool gpsRunning);
  // Timer 5: the speed held back by the half-way step.
  void OnSpeedTimer(bool gpsRunning);
  // After a skin load while the link runs: every display is drawn again from the fix.
  void Forget() {
    lastSpeed_ = -1;
    lastCourse_ = -1;
  }

  // Shows the gauge frame nearest to `value`; an empty value shows no frame. False only when the
  // frame's picture cannot be decoded (the next value tries again).
  bool SetGaugeValue(ButtonSlot& gauge, std::u16string_view value);

  // Sets the display's text when the skin has it.
  void SetText(std::optional<int> slotIndex, std::u16string_view text);

  // The next fix dated after 2007 sets the device clock.
  void RequestTime() { timeRequested_ = true; }
  bool timeRequested() const { return timeRequested_; }
  int lastSpeed() const { return lastSpeed_; }

 private:
  std::u16string FormatOf(std::u16string_view key, std::u16string_view fallback);
  void SetClockFrom(const gps::GpsFix& fix);

  Environment& env_;
  GpsDisplayHost& host_;
  int lastSpeed_ = 0;
  int lastCourse_ = 0;
  bool timeRequested_ = false;
};

}  // namespace vexa::deck
