#include "deck/SkinFile.h"

#include <initializer_list>

#include "common/SettingValues.h"
#include "common/text/Text.h"

namespace vexa::deck {

namespace {

std::u16string_view SharedFolder(SkinFileKind kind) {
  switch (kind) {
    case SkinFileKind::kBackground:
      return u"_Common\\background\\";
    case SkinFileKind::kButton:
      return u"_Common\\button\\";
    case SkinFileKind::kWave:
      return u"_Common\\wave\\";
  }
  return {};
}

std::u16string_view OwnFolder(SkinFileKind kind) {
  switch (kind) {
    case SkinFileKind::kBackground:
      return u"\\background\\";
    case SkinFileKind::kButton:
      return u"\\button\\";
    case SkinFileKind::kWave:
      return u"\\wave\\";
  }
  return {};
}

std::u16string SizeText(gfx::Size size) {
  return text::FromInt(size.width) + u"x" + text::FromInt(size.height);
}

std::u16string PairText(int a, int b) {
  return text::FromInt(a) + u"," + text::FromInt(b);
}

bool IsOneOfNoCase(std::u16string_view value, std::initializer_list<std::u16string_view> words) {
  for (auto word : words) {
    if (text::EqualsNoCase(value, word)) return true;
  }
  return false;
}

}  // namespace

std::u16string SkinFilePath(std::u16string_view skinFolder, std::u16string_view skinName, gfx::Size screen) {
  return std::u16string(skinFolder) + std::u16string(skinName) + u"\\skin" + SizeText(screen) + u".ini";
}

// UpImageFile=+navi_up.png
std::u16string ResolveSkinFile(std::u16string_view skinFolder, std::u16string_view skinName,
                               SkinFileKind kind, std::u16string_view value) {
  if (value.empty()) return {};
  if (value.front() == u'+') {
    return std::u16string(skinFolder) + std::u16string(SharedFolder(kind)) + std::u16string(value.substr(1));
  }
  return std::u16string(skinFolder) + std::u16string(skinName) + std::u16string(OwnFolder(kind)) +
         std::u16string(value);
}

std::u16string SkinFileValue(std::u16string_view path, SkinFileKind kind) {
  if (path.empty()) return {};
  std::u16string value(FileNameOf(path));
  if (text::FindNoCase(path, SharedFolder(kind)) != std::u16string_view::npos) value.insert(0, u"+");
  return value;
}

gfx::Size DesignSizeFromFileName(std::u16string_view fileName, gfx::Size screen) {
  // "skin800x480.ini" gives "800x480".
  std::u16string_view rest = fileName.size() > 4 ? fileName.substr(4) : std::u16string_view();
  if (const auto dot = rest.rfind(u'.'); dot != std::u16string_view::npos) rest = rest.substr(0, dot);
  if (text::EqualsNoCase(rest, SizeText(screen))) return {};
  const auto lower = text::ToLower(rest);
  const auto firstX = lower.find(u'x');
  const auto lastX = lower.rfind(u'x');
  if (firstX == std::u16string::npos) return {};
  const gfx::Size design{text::ParseInt(std::u16string_view(lower).substr(0, firstX)),
                         text::ParseInt(std::u16string_view(lower).substr(lastX + 1))};
  // Without two positive sizes nothing could be scaled by them: treat the file as made for this screen.
  if (design.width <= 0 || design.height <= 0) return {};
  return design;
}

bool IsElementSection(std::u16string_view section) {
  return text::StartsWithNoCase(section, u"Button");
}

// TextAlign=Botton
CaptionPosition CaptionPositionFromWord(std::u16string_view word) {
  if (text::EqualsNoCase(word, u"Right")) return CaptionPosition::kRight;
  if (text::EqualsNoCase(word, u"Botton")) return CaptionPosition::kBelow;
  if (text::EqualsNoCase(word, u"Left")) return CaptionPosition::kLeft;
  return CaptionPosition::kCentered;
}

std::u16string_view CaptionPositionWord(CaptionPosition position) {
  switch (position) {
    case CaptionPosition::kRight:
      return u"Right";
    case CaptionPosition::kBelow:
      return u"Botton";
    case CaptionPosition::kLeft:
      return u"Left";
    case CaptionPosition::kCentered:
      break;
  }
  return u"Center";
}

// TextHAlign=Left
CaptionAlignment CaptionAlignmentFromWord(std::u16string_view word) {
  if (text::EqualsNoCase(word, u"Left")) return CaptionAlignment::kLeft;
  if (text::EqualsNoCase(word, u"Right")) return CaptionAlignment::kRight;
  return CaptionAlignment::kCenter;
}

std::u16string_view CaptionAlignmentWord(CaptionAlignment alignment) {
  switch (alignment) {
    case CaptionAlignment::kLeft:
      return u"Left";
    case CaptionAlignment::kRight:
      return u"Right";
    case CaptionAlignment::kCenter:
      break;
  }
  return u"Center";
}

std::u16string ColorText(gfx::ColorRef color) {
  return text::FromInt(color & 0xFF) + u"," + text::FromInt((color >> 8) & 0xFF) + u"," +
         text::FromInt((color >> 16) & 0xFF);
}

void WriteSkin(ProfileStore& skin, std::span<const SlotSettings> slots) {
  for (const auto& slot : slots) {
    if (!IsElementSection(slot.name)) continue;
    const std::u16string_view section = slot.name;
    skin.SetString(section, u"Action", slot.action);
    skin.SetString(section, u"Motion", slot.motion);
    skin.SetString(section, u"UpImageFile", SkinFileValue(slot.normalPicture, SkinFileKind::kButton));
    skin.SetString(section, u"DownImageFile", SkinFileValue(slot.pressedPicture, SkinFileKind::kButton));
    skin.SetString(
        section, u"TransColor",
        slot.transparentColor == gfx::kAutoTransparent ? u"Auto" : ColorText(slot.transparentColor));
    skin.SetString(section, u"TextColor", ColorText(slot.colors[kColorPressedCaption]));
    skin.SetString(section, u"FontName", slot.face);
    skin.SetInt(section, u"TextSize", slot.captionHeight);
    // The live displays write their own captions; storing the text shown now would only freeze it.
    const bool liveCaption =
        IsOneOfNoCase(slot.motion, {u"DISPLAY-DATE", u"DISPLAY-TIME", u"DISPLAY-MESSAGE", u"DISPLAY-SPEED"});
    skin.SetString(section, u"Text", liveCaption ? std::u16string_view() : std::u16string_view(slot.caption));
    skin.SetString(section, u"TextAlign", CaptionPositionWord(slot.captionPosition));
    skin.SetString(section, u"TextHAlign", CaptionAlignmentWord(slot.captionAlignment));
    if (slot.bounds) {
      skin.SetString(section, u"Position", PairText(slot.bounds->left, slot.bounds->top));
      skin.SetString(section, u"Size", PairText(slot.bounds->width(), slot.bounds->height()));
    }
    skin.SetString(section, u"Visible", slot.visible ? u"Y" : u"N");
    skin.SetString(section, u"WaveFile", SkinFileValue(slot.sound, SkinFileKind::kWave));
  }
}

namespace {

struct SectionKeys {
  std::u16string_view section;
  std::initializer_list<std::u16string_view> keys;
};

// Element keys first; the other sections by name.
const SectionKeys kSkinKeys[] = {
    {u"Button",
     {u"Action", u"Motion", u"Text", u"TextAlign", u"TextHAlign", u"UpImageFile", u"DownImageFile",
      u"DisImageFile", u"TransColor", u"TextColor", u"FontName", u"TextSize", u"Position", u"Size", u"WaveFile",
      u"Visible"}},
    {u"Main", {u"FitImageSize", u"DefaultFontName", u"SkinName"}},
    {u"Background", {u"ImageFile", u"LastImageFile"}},
    {u"BackPattern", {u"Date", u"Time", u"Speed"}},
    {u"Format", {u"Date", u"Time", u"Speed", u"Course", u"Latitude", u"Longitude", u"Altitude", u"Hdop"}},
    {u"Picture", {u"LastImageFile"}},
};

const SectionKeys* KeysOf(std::u16string_view section) {
  if (IsElementSection(section)) return &kSkinKeys[0];
  for (const auto& entry : kSkinKeys) {
    if (text::EqualsNoCase(entry.section, section)) return &entry;
  }
  return nullptr;
}

}  // namespace

bool IsSkinSection(std::u16string_view section) { return KeysOf(section) != nullptr; }

bool IsSkinKey(std::u16string_view section, std::u16string_view key) {
  const auto* known = KeysOf(section);
  if (known == nullptr) return false;
  for (const auto name : known->keys) {
    if (text::EqualsNoCase(name, key)) return true;
  }
  return false;
}

}  // namespace vexa::deck
