#include "deck/gpsview/GpsDisplays.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/text/Format.h"
#include "common/text/Text.h"

namespace vexa::deck {

namespace {

// Truncates toward zero as the device's conversion does, but a value out of range (a hostile
// receiver may send "1e300") or not a number gives the nearest integer that exists instead of
// undefined behaviour.
int Truncate(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kHigh = std::numeric_limits<int>::max();
  constexpr double kLow = std::numeric_limits<int>::min();
  if (value >= kHigh) return std::numeric_limits<int>::max();
  if (value <= kLow) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

// A difference of two displayed integers without overflow.
std::int64_t Distance(int a, int b) {
  const std::int64_t d = static_cast<std::int64_t>(a) - b;
  return d < 0 ? -d : d;
}

std::u16string GaugeValue(int value) { return text::Format(u"%.3d", {std::int64_t{value}}); }

}  // namespace

void SetDisplayText(Environment& env, ButtonSlot& slot, int slotIndex, std::u16string_view text) {
  if (slot.caption() == text) return;
  slot.SetCaption(text, true);
  if (auto* log = env.platform().log) {
    log->Record("display_text", {{"slot", std::int64_t{slotIndex + 1}},
                                 {"kind", slot.displayKind()},
                                 {"text", std::u16string(text)}});
  }
}

PositionParts SplitPosition(double ddmm) {
  PositionParts parts;
  if (!std::isfinite(ddmm)) return parts;
  const double whole = std::trunc(ddmm);
  parts.degrees = Truncate(ddmm * 0.01);
  parts.minutes = Truncate(ddmm - static_cast<double>(parts.degrees) * 100.0);
  const double s = (ddmm - whole) * 60.0;
  parts.seconds = Truncate(s);
  parts.hundredths = Truncate((s - parts.seconds) * 100.0);
  return parts;
}

int NearestGaugeFrame(const std::vector<GaugeFrame>& frames, std::u16string_view value) {
  const std::int64_t n = text::ParseInt(value);
  const std::int64_t wrap = n > 360 ? n - 360 : 360 - n;
  int best = -1;
  std::int64_t bestDistance = 999;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    if (text::EqualsNoCase(frames[i].sortKey, value)) return static_cast<int>(i);
    const std::int64_t k = text::ParseInt(frames[i].sortKey);
    const std::int64_t a = k > n ? k - n : n - k;
    const std::int64_t distance = a < wrap ? a : wrap;
    if (distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

std::u16string GpsDisplays::FormatOf(std::u16string_view key, std::u16string_view fallback) {
  auto pattern = env_.skin().GetString(u"Format", key, fallback);
  if (pattern.empty()) pattern = fallback;
  return pattern;
}

void GpsDisplays::SetText(std::optional<int> slotIndex, std::u16string_view text) {
  if (ButtonSlot* slot = host_.LiveSlot(slotIndex)) SetDisplayText(env_, *slot, *slotIndex, text);
}

void GpsDisplays::SetClockFrom(const gps::GpsFix& fix) {
  if (!timeRequested_ || !fix.time || fix.time->year <= 2007) return;
  if (auto* setter = env_.platform().clockSetter) setter->SetSystemTime(*fix.time);
  timeRequested_ = false;
}

void GpsDisplays::Update(const gps::GpsFix& fix, bool gpsRunning) {
  if (host_.SkinLoading() && !gpsRunning) return;
  const LiveSlots& live = host_.live();
  const int speed = Truncate(fix.speed * 1.852);
  const int course = Truncate(fix.course);

  SetClockFrom(fix);

  if (live.speed) {
    const auto pattern = FormatOf(u"Speed", u"%d");
    const std::int64_t d = Distance(lastSpeed_, speed);
    if (d < 2 || d > 10) {
      SetText(live.speed, text::Format(pattern, {std::int64_t{speed}, std::int64_t{lastSpeed_}}));
    } else {
      // A middling jump is shown in two steps: half-way now, the rest half a second later.
      const int halfWay = lastSpeed_ + (speed - lastSpeed_) / 2;
      SetText(live.speed, text::Format(pattern, {std::int64_t{halfWay}, std::int64_t{lastSpeed_}}));
      lastSpeed_ = speed;
      if (auto* window = host_.window()) window->SetTimer(kSpeedTimer, 500);
    }
  }
  const auto position = [&](std::optional<int> slot, std::u16string_view key, double value) {
    if (!slot) return;
    const PositionParts p = SplitPosition(value);
    SetText(slot, text::Format(FormatOf(key, u"%3d:%02d:%02d.%02d"),
                               {std::int64_t{p.degrees}, std::int64_t{p.minutes}, std::int64_t{p.seconds},
                                std::int64_t{p.hundredths}}));
  };
  position(live.latitude, u"Latitude", fix.latitude);
  position(live.longitude, u"Longitude", fix.longitude);
  if (live.course) SetText(live.course, text::Format(FormatOf(u"Course", u"%d\u02DA/360\u02DA"), {std::int64_t{course}}));
  if (live.altitude) SetText(live.altitude, text::Format(FormatOf(u"Altitude", u"%.1f M"), {fix.altitude}));
  if (live.hdop) SetText(live.hdop, text::Format(FormatOf(u"Hdop", u"%.1f M"), {fix.hdop}));

  if (ButtonSlot* gauge = host_.LiveSlot(live.speedGauge); gauge != nullptr && speed != lastSpeed_) {
    SetGaugeValue(*gauge, GaugeValue(speed));
    lastSpeed_ = speed;
  }
  if (ButtonSlot* gauge = host_.LiveSlot(live.courseGauge); gauge != nullptr && course != lastCourse_) {
    SetGaugeValue(*gauge, GaugeValue(course));
    lastCourse_ = course;
  }
}

void GpsDisplays::OnSpeedTimer(bool gpsRunning) {
  if (auto* window = host_.window()) window->KillTimer(kSpeedTimer);
  if (!gpsRunning) return;
  SetText(host_.live().speed,
          text::Format(FormatOf(u"Speed", u"%d"), {std::int64_t{lastSpeed_}, std::int64_t{lastSpeed_}}));
}

bool GpsDisplays::SetGaugeValue(ButtonSlot& gauge, std::u16string_view value) {
  if (value.empty()) {
    gauge.SetFrame(-1, true);
    return true;
  }
  const int chosen = NearestGaugeFrame(gauge.frames(), value);
  if (chosen < 0) {
    gauge.Redraw();
    return true;
  }
  if (chosen == gauge.currentFrame()) {
    gauge.Redraw();
    return true;
  }
  // A frame that cannot be decoded leaves the gauge as it was; the next value tries again.
  return gauge.SetFrame(chosen, true);
}

}  // namespace vexa::deck
