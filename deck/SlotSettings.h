#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "common/gfx/Geometry.h"

namespace vexa::deck {

// Indexes into SlotSettings::colors.
enum SlotColor : int {
  kColorPressedBack = 0,     // background while pressed or hovered
  kColorPressedCaption = 1,  // caption while pressed or hovered
  kColorBackPattern = 2,     // the back pattern drawn behind the caption
  kColorNormalBack = 3,
  kColorNormalCaption = 4,
  kColorFocusedBack = 5,
  kColorFocusedCaption = 6,
  kSlotColorCount = 7,
};

using SlotColors = std::array<gfx::ColorRef, kSlotColorCount>;

// The colours a slot starts with: button face behind, button text for captions, dark grey pattern.
constexpr SlotColors DefaultSlotColors() {
  return {gfx::SystemColors::kButtonFace, gfx::SystemColors::kButtonText, gfx::Rgb(0x28, 0x28, 0x28),
          gfx::SystemColors::kButtonFace, gfx::SystemColors::kButtonText, gfx::SystemColors::kButtonFace,
          gfx::SystemColors::kButtonText};
}

// Caption position relative to the picture ("TextAlign" of a skin element).
enum class CaptionPosition : std::uint8_t { kRight = 0, kBelow = 1, kLeft = 2, kCentered = 3 };
// Horizontal caption alignment ("TextHAlign").
enum class CaptionAlignment : std::uint8_t { kLeft = 0, kRight = 1, kCenter = 2 };

// Where a slot goes among its siblings when it is set up: gauges under everything, picture places
// over everything.
enum class SlotStacking : std::uint8_t { kUnchanged, kBottom, kTop };

// One picture of a gauge's frame list: the file and the text its order is decided by.
struct GaugeFrame {
  std::u16string path;     // "\Storage Card\VexaDeck\Skin\Default\gauge\speed005.png"
  std::u16string sortKey;  // "005"
  bool operator==(const GaugeFrame&) const = default;
};

// Everything one skin element sets on a launcher slot, and everything the skin writer stores back
// from one. A plain value: the loader fills it from a skin file, the window applies it to a slot, and
// the window takes it from a slot again for the writer.
struct SlotSettings {
  std::u16string name;    // the skin section: "Button07"; empty for a slot the skin does not use
  std::u16string action;  // command word or program path
  std::u16string motion;  // display kind: "DISPLAY-TIME", "GAUGE-SPEED", "" ...
  std::u16string caption;
  std::u16string backPattern;

  // Full device paths; empty for none.
  std::u16string pressedPicture;
  std::u16string normalPicture;
  std::u16string disabledPicture;
  std::u16string sound;

  SlotColors colors = DefaultSlotColors();
  gfx::ColorRef transparentColor = gfx::kAutoTransparent;

  CaptionPosition captionPosition = CaptionPosition::kCentered;
  CaptionAlignment captionAlignment = CaptionAlignment::kCenter;
  std::u16string defaultFace;  // used when `face` is empty
  std::u16string face = u"Arial";
  int captionHeight = 14;

  // The slot's place on the launcher window in screen pixels; absent when the slot is not moved.
  std::optional<gfx::Rect> bounds;
  bool fitting = false;  // pictures stretched to the whole slot
  std::vector<GaugeFrame> frames;
  SlotStacking stacking = SlotStacking::kUnchanged;
  bool visible = false;
  bool enabled = true;

  bool operator==(const SlotSettings&) const = default;
};

}  // namespace vexa::deck
