#pragma once

// Small stand-ins for the user-interface ports, for the launcher's tests: they record what is asked of
// them and answer from what the test registered. Header-only, so any test file of the folder can use
// them without a build change.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Window.h"

namespace vexa::testing {

// Records every line of text drawn and paints it as a solid box in the text's colour: one
// (height / 2)-wide cell per character, the text height tall, placed by the alignment and centred
// vertically in the rectangle, clipped to it.
class FakeTextRenderer : public platform::ui::TextRenderer {
 public:
  struct Call {
    gfx::Rect rect;
    std::u16string text;
    platform::FontSpec font;
    gfx::ColorRef color = 0;
    platform::ui::TextAlign align = platform::ui::TextAlign::kLeft;
  };

  void DrawText(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text,
                const platform::FontSpec& font, gfx::ColorRef color, platform::ui::TextAlign align) override {
    calls.push_back({rect, std::u16string(text), font, color, align});
    if (!paint) return;
    const gfx::Rect box = BoxFor(rect, text, font, align);
    const gfx::Rect clipped{std::max(box.left, rect.left), std::max(box.top, rect.top),
                            std::min(box.right, rect.right), std::min(box.bottom, rect.bottom)};
    gfx::FillRect(target, clipped, color);
  }
  void DrawTextBlock(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text,
                     const platform::FontSpec& font, gfx::ColorRef color,
                     platform::ui::TextAlign align) override {
    DrawText(target, rect, text, font, color, align);
  }
  gfx::Size Measure(std::u16string_view text, const platform::FontSpec& font) override {
    return {static_cast<int>(text.size()) * (font.height / 2), font.height};
  }

  // Where DrawText paints its box.
  gfx::Rect BoxFor(const gfx::Rect& rect, std::u16string_view text, const platform::FontSpec& font,
                   platform::ui::TextAlign align) {
    const gfx::Size size = Measure(text, font);
    int left = rect.left;
    if (align == platform::ui::TextAlign::kRight) left = rect.right - size.width;
    if (align == platform::ui::TextAlign::kCenter) left = rect.left + (rect.width() - size.width) / 2;
    const int top = rect.top + (rect.height() - size.height) / 2;
    return gfx::Rect::FromSize(left, top, size.width, size.height);
  }

  std::vector<Call> calls;
  bool paint = true;
};

// Answers the pictures registered by path and counts the decodes asked for.
class FakePictureDecoder : public platform::ui::PictureDecoder {
 public:
  std::optional<gfx::Bitmap> Decode(std::u16string_view devicePath, std::optional<gfx::Size> largest) override {
    const std::u16string path(devicePath);
    ++decodes[path];
    lastLargest = largest;
    auto it = pictures.find(path);
    if (it == pictures.end()) return std::nullopt;
    return it->second;
  }
  void Add(std::u16string path, gfx::Bitmap picture) { pictures[std::move(path)] = std::move(picture); }
  int Decodes(const std::u16string& path) const {
    auto it = decodes.find(path);
    return it == decodes.end() ? 0 : it->second;
  }

  std::map<std::u16string, gfx::Bitmap> pictures;
  std::map<std::u16string, int> decodes;
  std::optional<gfx::Size> lastLargest;
};

// Icons and pictures by number, registered by the test. An icon asked for at a size is that size.
class FakeResources : public platform::ui::Resources {
 public:
  std::optional<gfx::Bitmap> Icon(int id, gfx::Size size) override {
    auto it = icons.find(id);
    if (it == icons.end()) return std::nullopt;
    if (size.width <= 0 || size.height <= 0) return it->second;
    return gfx::Bitmap(size.width, size.height, it->second.At(0, 0));
  }
  std::optional<gfx::Bitmap> Picture(int id) override {
    auto it = pictures.find(id);
    if (it == pictures.end()) return std::nullopt;
    return it->second;
  }

  std::map<int, gfx::Bitmap> icons;
  std::map<int, gfx::Bitmap> pictures;
};

// Records the sounds played.
class FakeSound : public platform::ui::Sound {
 public:
  bool Play(std::u16string_view devicePath) override {
    played.emplace_back(devicePath);
    return canPlay;
  }
  bool CanPlay() override { return canPlay; }

  std::vector<std::u16string> played;
  bool canPlay = true;
};

// A window that only keeps what is done to its controls: rectangles, visibility, enabled state,
// texts, timers, redraw requests and moves. Everything else answers empty values.
class FakeWindow : public platform::ui::Window {
 public:
  struct Control {
    gfx::Rect rect;
    bool visible = true;
    bool enabled = true;
    std::u16string text;
    int invalidations = 0;
    std::vector<gfx::Rect> moves;
    std::vector<platform::ui::ZOrder> zOrders;
  };

  // Adds a control (or replaces it) at a rectangle of the client area.
  void AddControl(int id, const gfx::Rect& rect) {
    Control c;
    c.rect = rect;
    controls[id] = c;
  }
  Control& control(int id) { return controls[id]; }
  int Invalidations(int id) const {
    auto it = controls.find(id);
    return it == controls.end() ? 0 : it->second.invalidations;
  }

  platform::WindowHandle handle() const override { return 1; }
  void Show(bool v) override { visible = v; }
  bool IsVisible() const override { return visible; }
  void Move(const gfx::Rect& r) override { rect = r; }
  gfx::Rect GetRect() const override { return rect; }
  void Enable(bool) override {}
  void SetTitle(std::u16string_view t) override { title = t; }
  std::u16string GetTitle() const override { return title; }
  void SetIcon(int) override {}
  void SetZOrder(platform::ui::ZOrder) override {}
  void Invalidate() override { ++windowInvalidations; }
  void Update() override {}
  void EndModal(int) override {}
  void Close() override {}
  void Destroy() override {}

  void SetTimer(int timerId, int milliseconds) override { timers[timerId] = milliseconds; }
  void KillTimer(int timerId) override {
    timers.erase(timerId);
    killedTimers.push_back(timerId);
  }
  void Post(std::uint32_t, std::intptr_t, std::intptr_t) override {}

  void SetText(int id, std::u16string_view text) override {
    if (Has(id)) controls[id].text = text;
  }
  std::u16string GetText(int id) const override { return Has(id) ? controls.at(id).text : std::u16string(); }
  void SetCheck(int, platform::ui::CheckState) override {}
  platform::ui::CheckState GetCheck(int) const override { return platform::ui::CheckState::kUnchecked; }
  void EnableControl(int id, bool enabled) override {
    if (Has(id)) controls[id].enabled = enabled;
  }
  bool IsControlEnabled(int id) const override { return Has(id) && controls.at(id).enabled; }
  void ShowControl(int id, bool v) override {
    if (Has(id)) controls[id].visible = v;
  }
  void MoveControl(int id, const gfx::Rect& r) override {
    if (!Has(id)) return;
    controls[id].rect = r;
    controls[id].moves.push_back(r);
  }
  void SetControlZOrder(int id, platform::ui::ZOrder order) override {
    if (Has(id)) controls[id].zOrders.push_back(order);
  }
  gfx::Rect GetControlRect(int id) const override { return Has(id) ? controls.at(id).rect : gfx::Rect{}; }
  void SetControlFont(int, const platform::FontSpec&) override {}
  void SetControlColors(int, std::optional<gfx::ColorRef>, std::optional<gfx::ColorRef>) override {}
  void InvalidateControl(int id) override {
    if (Has(id)) ++controls[id].invalidations;
  }
  void SetFocus(int) override {}
  void SetControlPicture(int, const gfx::Bitmap&) override {}

  int AddItem(int, std::u16string_view) override { return -1; }
  int InsertItem(int, int, std::u16string_view) override { return -1; }
  void DeleteItem(int, int) override {}
  void ClearItems(int) override {}
  int ItemCount(int) const override { return 0; }
  std::u16string ItemText(int, int) const override { return {}; }
  void SetItemText(int, int, std::u16string_view) override {}
  void SetItemData(int, int, std::intptr_t) override {}
  std::intptr_t ItemData(int, int) const override { return 0; }
  void SetItemIcon(int, int, const gfx::Bitmap&) override {}
  void Select(int, int) override {}
  int Selection(int) const override { return -1; }

  void SetDate(int, const platform::ui::Date&) override {}
  platform::ui::Date GetDate(int) const override { return {}; }
  void SetRange(int, int, int) override {}
  void SetValue(int, int) override {}
  int GetValue(int) const override { return 0; }
  gfx::Rect TabPageArea(int) const override { return {}; }

  bool Has(int id) const { return controls.count(id) != 0; }

  std::map<int, Control> controls;
  std::map<int, int> timers;  // running timers: id -> interval
  std::vector<int> killedTimers;
  gfx::Rect rect;
  std::u16string title;
  bool visible = false;
  int windowInvalidations = 0;
};

}  // namespace vexa::testing
