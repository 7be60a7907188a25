#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "platform/ControlFonts.h"

namespace vexa::platform::ui {

// Decodes picture files (.bmp, .jpg, .gif, .png) of the device into bitmaps of the picture's own size.
class PictureDecoder {
 public:
  virtual ~PictureDecoder() = default;
  // Nullopt when the file is missing or cannot be read as a picture. A picture other than a ".bmp"
  // file that is larger than `largest` in either direction is reduced to fit inside it, its aspect
  // ratio kept, as the device's decoder does with the screen's size; bitmap files come at their size.
  virtual std::optional<gfx::Bitmap> Decode(std::u16string_view devicePath,
                                            std::optional<gfx::Size> largest = std::nullopt) = 0;
  // As Decode, except that a ".png" picture with see-through pixels keeps its alpha bytes and comes
  // marked translucent, for the slots to blend it over their backdrop. Every other picture, and a PNG
  // whose pixels are all opaque, comes exactly as Decode gives it (and is colour-keyed as before).
  virtual std::optional<gfx::Bitmap> DecodeWithAlpha(std::u16string_view devicePath,
                                                     std::optional<gfx::Size> largest = std::nullopt) {
    return Decode(devicePath, largest);
  }
};

// TrueType font files registered for this process, and the installed families.
class FontRegistry {
 public:
  virtual ~FontRegistry() = default;
  virtual bool Add(std::u16string_view devicePath) = 0;
  virtual bool Remove(std::u16string_view devicePath) = 0;
  virtual std::vector<std::u16string> Families() = 0;
};

enum class TextAlign { kLeft, kRight, kCenter };

// Draws one line of text, vertically centred in a rectangle and clipped to it, with a transparent
// background.
class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  virtual void DrawText(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text, const FontSpec& font,
                        gfx::ColorRef color, TextAlign align) = 0;
  // Several lines, broken at words, from the top of the rectangle (status texts, message lines).
  virtual void DrawTextBlock(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text,
                             const FontSpec& font, gfx::ColorRef color, TextAlign align) = 0;
  virtual gfx::Size Measure(std::u16string_view text, const FontSpec& font) = 0;
};

// Pictures compiled into the programs, by number: program icons, button icons, built-in pictures.
class Resources {
 public:
  virtual ~Resources() = default;
  // An icon at the given size (0 × 0 for its own size); nullopt for an unknown number.
  virtual std::optional<gfx::Bitmap> Icon(int id, gfx::Size size) = 0;
  virtual std::optional<gfx::Bitmap> Picture(int id) = 0;
};

// Wave sound.
class Sound {
 public:
  virtual ~Sound() = default;
  // Starts playing a .wav file of the device and returns at once; false when it cannot be played.
  virtual bool Play(std::u16string_view devicePath) = 0;
  // Whether the device can play sound at all (11.025 kHz mono 8-bit at least).
  virtual bool CanPlay() = 0;
};

}  // namespace vexa::platform::ui
