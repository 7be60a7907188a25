#pragma once

#include <map>
#include <string>
#include <string_view>
#include <thread>

#include "platform/ui/Graphics.h"

class QFont;

namespace vexa::platform {

// Draws text into bitmaps with Qt, anti-aliased, over what the bitmap already holds.
//
// Fonts are taken as the device takes them: a positive height is the height of the character cell
// (ascent plus descent) in pixels, a negative one the height of the characters alone, 0 a default of
// 16; weights run from 100 to 900 with 400 normal and 700 bold. A face the host does not have, and
// the device's "System" face, become a sans-serif face with Korean glyphs (NanumGothic when it is
// installed), and every face falls back to that one for characters it lacks, so Korean text never
// shows as boxes. Text is drawn as given: '&' is an ordinary character.
class QtTextRenderer : public ui::TextRenderer {
 public:
  QtTextRenderer() = default;

  void DrawText(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text, const FontSpec& font,
                gfx::ColorRef color, ui::TextAlign align) override;
  void DrawTextBlock(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text, const FontSpec& font,
                     gfx::ColorRef color, ui::TextAlign align) override;
  gfx::Size Measure(std::u16string_view text, const FontSpec& font) override;

  // The Qt font standing for a device font (also for the window adapter's controls).
  QFont ToQFont(const FontSpec& font);

  // Tells every renderer that fonts were registered or removed: the faces they found are looked up
  // again. The font registry calls it; the font database changes no other way while a program runs.
  static void FontsChanged();

 private:
  void Draw(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text, const FontSpec& font,
            gfx::ColorRef color, int flags);
  std::u16string Family(const std::u16string& face);
  int PixelSize(const std::u16string& family, int cellHeight);

  std::map<std::pair<std::u16string, int>, int> pixelSizes_;  // (family, cell height) -> pixel size
  std::map<std::u16string, std::u16string> families_;          // face -> family drawn with
  unsigned familiesGeneration_ = 0;                            // the font generation families_ holds
};

// Fills Qt's font database and finds the fallback face on a thread of its own while the program
// prepares its first window, so the first text drawn need not wait for the host's font configuration
// to be read (the larger part of a first frame's text). Made right after the Qt application, removed
// before it: the destructor waits for the thread. Look-ups made meanwhile wait on the database's lock.
class QtFontWarmUp {
 public:
  QtFontWarmUp();
  ~QtFontWarmUp();
  QtFontWarmUp(const QtFontWarmUp&) = delete;
  QtFontWarmUp& operator=(const QtFontWarmUp&) = delete;

 private:
  std::thread thread_;
};

}  // namespace vexa::platform
