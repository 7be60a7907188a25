#include "toolbar/windows/ToolbarDialogs.h"

#include <array>

#include "common/SettingValues.h"
#include "common/text/Text.h"

namespace vexa::toolbar {

void ScaleForLargeFont(platform::ui::WindowTemplate& tmpl, gfx::Size screen, bool centre) {
  if (!UsesLargeFont(screen)) return;
  auto scale = [](int v) { return v * 3 / 2; };
  const int width = scale(tmpl.rect.width());
  const int height = scale(tmpl.rect.height());
  tmpl.rect = centre ? gfx::Rect::FromSize((screen.width - width) / 2, (screen.height - height) / 2, width, height)
                     : gfx::Rect::FromSize(tmpl.rect.left, tmpl.rect.top, width, height);
  for (auto& control : tmpl.controls) {
    control.rect = {scale(control.rect.left), scale(control.rect.top), scale(control.rect.right),
                    scale(control.rect.bottom)};
  }
}

platform::FontSpec SystemFont(int height, int weight) {
  platform::FontSpec font;
  font.face = u"System";
  font.height = height;
  font.weight = weight;
  return font;
}

void ApplyLargeFont(platform::Platform& platform, platform::ui::Window& window,
                    const platform::ui::WindowTemplate& tmpl, gfx::Size screen) {
  if (!UsesLargeFont(screen) || platform.controlFonts == nullptr) return;
  for (const auto& control : tmpl.controls) {
    platform.controlFonts->SetFont({window.handle(), control.id}, SystemFont(20, 700));
  }
}

bool IsOn(const ToolbarProfileStore& store, std::u16string_view section, std::u16string_view key,
          std::u16string_view defaultValue) {
  return IsYesExactly(store.GetString(section, key, defaultValue));
}

gfx::Size DerivedButtonSize(int iconSize, bool labels) {
  struct Row {
    int icon;
    gfx::Size labelled;
    gfx::Size bare;
  };
  static constexpr std::array<Row, 4> kSizes = {{
      {16, {26, 30}, {26, 18}},
      {24, {28, 40}, {28, 26}},
      {32, {34, 50}, {34, 34}},
      {48, {50, 72}, {50, 50}},
  }};
  for (const Row& row : kSizes) {
    if (row.icon == iconSize) return labels ? row.labelled : row.bare;
  }
  // A size outside the four comes only from a hand-written file; keep it off the int's edge.
  const int n = iconSize < 0 ? 0 : (iconSize > 4096 ? 4096 : iconSize);
  return labels ? gfx::Size{n + 10, n + 14} : gfx::Size{n + 2, n + 2};
}

std::optional<int> StepUp(int value) {
  if (value >= 100) return std::nullopt;
  return value + 2;
}

std::optional<int> StepDown(int value, int iconSize) {
  if (iconSize >= value) return std::nullopt;
  return value - 2;
}

std::u16string ToolbarGpsPort(const ToolbarProfileStore& store) {
  const std::u16string port = text::ToUpper(store.GetString(kGpsTime, u"GpsPort", u""));
  for (char16_t digit = u'1'; digit <= u'8'; ++digit) {
    if (port == std::u16string(u"COM") + digit + u":") return port;
  }
  return u"COM2:";
}

int ToolbarGpsSpeed(const ToolbarProfileStore& store) {
  const int speed = store.GetInt(kGpsTime, u"GpsSpeed", 9600);
  for (int accepted : {4800, 9600, 14400, 19200}) {
    if (speed == accepted) return speed;
  }
  return 9600;
}

std::u16string FolderOf(std::u16string_view path) {
  const auto slash = path.find_last_of(u'\\');
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(path.substr(0, slash));
}

}  // namespace vexa::toolbar
