#include "deck/SkinLoader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "common/SettingValues.h"
#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/SkinFile.h"

namespace vexa::deck {

namespace {

constexpr std::u16string_view kKoreanCaption = u"스킨";

bool IsPicture(std::u16string_view fileName) {
  if (fileName.size() < 4) return false;
  const auto extension = text::ToLower(fileName.substr(fileName.size() - 4));
  return extension == u".bmp" || extension == u".jpg" || extension == u".gif" || extension == u".png";
}

// x * numerator / denominator in 64 bits, truncated toward zero and kept inside the 32-bit range, so a
// huge coordinate in a skin cannot overflow.
int ScaleValue(int value, int numerator, int denominator) {
  const std::int64_t scaled = static_cast<std::int64_t>(value) * numerator / denominator;
  return static_cast<int>(
      std::clamp<std::int64_t>(scaled, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// One axis of a rectangle scaled: both ends scaled, the far end held so that the extent (far - near)
// still fits in an int and a slot's width and height never overflow.
std::pair<int, int> ScaleSpan(int near, int far, int numerator, int denominator) {
  const int scaledNear = ScaleValue(near, numerator, denominator);
  const int scaledFar = ScaleValue(far, numerator, denominator);
  const std::int64_t longest = std::int64_t{scaledNear} + std::numeric_limits<int>::max();
  return {scaledNear, static_cast<int>(std::min<std::int64_t>(scaledFar, longest))};
}

bool IsDesigned(gfx::Size design) {
  return design.width > 0 && design.height > 0;
}

// Position=-12,300 (a slot may reach past the left or top edge, and the writer stores it so).
std::optional<Point> ParseSignedPair(std::u16string_view text) {
  auto parsePart = [](std::u16string_view part) -> std::optional<int> {
    const auto digits = !part.empty() && part.front() == u'-' ? part.substr(1) : part;
    if (digits.empty() || !IsAllDigits(digits)) return std::nullopt;
    return text::ParseInt(part);
  };
  const auto comma = text.find(u',');
  if (comma == std::u16string_view::npos) return std::nullopt;
  const auto x = parsePart(text.substr(0, comma));
  const auto y = parsePart(text.substr(comma + 1));
  if (!x || !y) return std::nullopt;
  return Point{*x, *y};
}

// The skin folder as the settings give it, with the one backslash the paths below it need.
std::u16string WithBackslash(std::u16string folder) {
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return folder;
}

}  // namespace

bool LiveSlots::HasGps() const {
  return speedGauge || speed || latitude || longitude || course || courseGauge || altitude || hdop;
}

bool LiveSlots::HasPicture() const {
  return std::any_of(pictures.begin(), pictures.end(), [](const auto& slot) { return slot.has_value(); });
}

gfx::Rect ScaleToScreen(const gfx::Rect& rect, gfx::Size screen, gfx::Size design) {
  if (!IsDesigned(design)) return rect;
  const auto [left, right] = ScaleSpan(rect.left, rect.right, screen.width, design.width);
  const auto [top, bottom] = ScaleSpan(rect.top, rect.bottom, screen.height, design.height);
  return {left, top, right, bottom};
}

int ScaleTextSize(int size, gfx::Size screen, gfx::Size design) {
  if (!IsDesigned(design)) return size;
  return std::max(13, ScaleValue(size, screen.width, design.width));
}

std::vector<GaugeFrame> LoadGaugeFrames(platform::FileSystem& files, std::u16string_view gaugeFolder,
                                        std::u16string_view kind) {
  std::vector<GaugeFrame> frames;
  const auto folder = std::u16string(gaugeFolder) + u"\\";
  for (const auto& entry : files.Find(folder + std::u16string(kind) + u"*.*")) {
    if (frames.size() == kMaxGaugeFrames) break;
    if (entry.directory || !IsPicture(entry.name) || entry.name.size() < kind.size() + 4) continue;
    // "speed085.png" sorts by "085".
    auto key = entry.name.substr(kind.size(), entry.name.size() - kind.size() - 4);
    frames.push_back({folder + entry.name, std::move(key)});
  }
  // Equal keys keep the order in which they were found.
  std::stable_sort(frames.begin(), frames.end(), [](const GaugeFrame& a, const GaugeFrame& b) {
    return text::CompareNoCase(a.sortKey, b.sortKey) < 0;
  });
  return frames;
}

SkinLoader::SkinLoader(Environment& environment, DeckSettings& settings)
    : environment_(environment), settings_(settings) {}

SkinLocation SkinLoader::CurrentLocation(gfx::Size screen) const {
  SkinLocation location;
  location.folder = WithBackslash(settings_.SkinFolder());
  location.name = settings_.SkinName();
  location.file = SkinFilePath(location.folder, location.name, screen);
  return location;
}

SkinChoiceResult SkinLoader::ChooseAndLoad(bool forceChooser, SkinChooser& chooser,
                                           const SkinLoadContext& context) {
  SkinChoiceResult result;
  auto location = CurrentLocation(context.screen);
  const auto oldName = location.name;
  bool chosen = false;
  if (forceChooser || !environment_.FileExists(location.file)) {
    const auto choice = chooser.Choose(location.folder, location.name, context.screen);
    if (!choice) {
      result.outcome = forceChooser ? SkinOutcome::kUnchanged : SkinOutcome::kCancelled;
      return result;
    }
    location.name = choice->skinName;
    location.file = location.folder + location.name + u"\\" + choice->fileName;
    location.designSize = DesignSizeFromFileName(choice->fileName, context.screen);
    chosen = true;
  }
  // A chosen file that is not there loads nothing: the skin shown so far stays, and so does its name.
  if (!environment_.FileExists(location.file)) return result;
  result.skin = LoadFile(location, context);
  result.outcome = SkinOutcome::kLoaded;
  result.chosenInChooser = chosen;
  if (location.name != oldName) {
    settings_.SetSkinName(location.name);
    settings_.Save(context.owner);
  }
  return result;
}

LoadedSkin SkinLoader::LoadFile(SkinLocation location, const SkinLoadContext& context) {
  auto& store = environment_.skin();
  store.Read(context.owner, location.file);

  LoadedSkin skin;
  skin.sourceFile = location.file;
  skin.fitting = IsYesIgnoringCase(store.GetString(u"Main", u"FitImageSize", u""));
  if (IsDesigned(location.designSize)) {
    // A skin made for another screen is stretched; saving it for this screen keeps that.
    store.SetString(u"Main", u"FitImageSize", u"Y");
    skin.fitting = true;
  }
  location.file = SkinFilePath(location.folder, location.name, context.screen);
  skin.location = location;

  const auto own = location.folder + location.name;
  for (const auto& entry : environment_.platform().files.Find(own + u"\\Font\\*.ttf")) {
    if (!entry.directory) skin.fonts.push_back(own + u"\\Font\\" + entry.name);
  }
  skin.background = ResolveSkinFile(location.folder, location.name, SkinFileKind::kBackground,
                                    store.GetString(u"Background", u"ImageFile", u""));

  std::vector<std::u16string> sections;
  store.GetSectionNames(sections);
  position_.reset();
  size_.reset();
  for (const auto& section : sections) {
    if (!IsElementSection(section)) continue;
    if (skin.usedSlots == kSlotCount) {
      ++skin.overflow;
      continue;
    }
    skin.slots.push_back(LoadElement(section, skin.usedSlots, skin, context));
    ++skin.usedSlots;
  }
  // Slots the skin does not use lose what an earlier skin gave them, so they are never written back.
  skin.slots.resize(kSlotCount);

  // A speed text drawn inside the speed gauge is hidden; anywhere else it is shown.
  if (skin.live.speed && skin.live.speedGauge) {
    auto rectOf = [&](int index) -> std::optional<gfx::Rect> {
      if (skin.slots[index].bounds) return skin.slots[index].bounds;
      if (static_cast<std::size_t>(index) < context.currentBounds.size()) return context.currentBounds[index];
      return std::nullopt;
    };
    const auto gauge = rectOf(*skin.live.speedGauge);
    const auto speed = rectOf(*skin.live.speed);
    if (gauge && speed) {
      const bool inside = gauge->left <= speed->left && gauge->top <= speed->top &&
                          gauge->right >= speed->right && gauge->bottom >= speed->bottom;
      skin.slots[*skin.live.speed].visible = !inside;
    }
  }

  if (skin.overflow > 0) {
    ShowKoreanMessage(context.owner, text::Format(u"지원가능한 버튼의 갯수를 %d개 초과하였습니다.",
                                                  {static_cast<std::int64_t>(skin.overflow)}));
  }
  return skin;
}

// [Button07]
// Action=RUN-NAVIGATION
// Motion=NONE
// Text=Navi
// UpImageFile=navi.png
// Position=10,20
// Size=120,90
SlotSettings SkinLoader::LoadElement(std::u16string_view section, int slotIndex, LoadedSkin& skin,
                                     const SkinLoadContext& context) {
  auto& store = environment_.skin();
  const auto& location = skin.location;
  auto get = [&](std::u16string_view key, std::u16string_view defaultValue = {}) {
    return store.GetString(section, key, defaultValue);
  };

  SlotSettings slot;
  slot.name = std::u16string(section);
  slot.action = get(u"Action");
  slot.motion = get(u"Motion");
  if (text::EqualsNoCase(slot.motion, u"GUAGE-SPEED")) slot.motion = u"GAUGE-SPEED";
  if (text::EqualsNoCase(slot.motion, u"GUAGE-COURSE")) slot.motion = u"GAUGE-COURSE";
  slot.caption = get(u"Text");

  const auto& kind = slot.motion;
  auto is = [&](std::u16string_view word) { return text::EqualsNoCase(kind, word); };
  auto& live = skin.live;
  auto gauge = [&](std::optional<int>& reference, std::u16string_view frameKind) {
    reference = slotIndex;
    slot.caption.clear();
    const auto own = location.folder + location.name;
    // Older skins spell the folder "guage".
    if (environment_.FileExists(own + u"\\guage")) {
      environment_.platform().files.RenameFile(own + u"\\guage", own + u"\\gauge");
    }
    slot.frames = LoadGaugeFrames(environment_.platform().files, own + u"\\gauge", frameKind);
    slot.stacking = SlotStacking::kBottom;
  };
  if (is(u"DISPLAY-DATE")) {
    live.date = slotIndex;
    slot.caption.clear();
    slot.backPattern = store.GetString(u"BackPattern", u"Date", u"");
  } else if (is(u"DISPLAY-TIME")) {
    live.time = slotIndex;
    slot.caption.clear();
    slot.backPattern = store.GetString(u"BackPattern", u"Time", u"");
  } else if (is(u"DISPLAY-SPEED")) {
    live.speed = slotIndex;
    slot.caption = context.gpsRunning ? u"ON" : u"OFF";
    slot.backPattern = store.GetString(u"BackPattern", u"Speed", u"");
  } else if (is(u"DISPLAY-LATITUDE")) {
    live.latitude = slotIndex;
    slot.caption = u"...";
  } else if (is(u"DISPLAY-LONGITUDE")) {
    live.longitude = slotIndex;
    slot.caption = u"...";
  } else if (is(u"DISPLAY-COURSE")) {
    live.course = slotIndex;
    slot.caption = u"...";
  } else if (is(u"DISPLAY-ALTITUDE")) {
    live.altitude = slotIndex;
    slot.caption = u"...";
  } else if (is(u"DISPLAY-HDOP")) {
    live.hdop = slotIndex;
    slot.caption = u"...";
  } else if (is(u"DISPLAY-MESSAGE")) {
    live.message = slotIndex;
    slot.caption.clear();
  } else if (is(u"GAUGE-SPEED")) {
    gauge(live.speedGauge, u"speed");
  } else if (is(u"GAUGE-COURSE")) {
    gauge(live.courseGauge, u"course");
  } else if (text::StartsWithNoCase(kind, u"DISPLAY-PICTURE") && kind.size() == 16 && kind[15] >= u'1' &&
             kind[15] <= u'6') {
    live.pictures[kind[15] - u'1'] = slotIndex;
    slot.stacking = SlotStacking::kTop;
  } else if (!kind.empty() && !is(u"NONE")) {
    ShowKoreanMessage(context.owner, u"[Motion=" + kind + u"]는 알수 없는 코드입니다.");
  }

  slot.captionPosition = CaptionPositionFromWord(get(u"TextAlign"));
  slot.captionAlignment = CaptionAlignmentFromWord(get(u"TextHAlign"));

  const auto up = get(u"UpImageFile");
  auto down = get(u"DownImageFile");
  auto disabled = get(u"DisImageFile");
  if (down == up) down.clear();
  if (disabled == up) disabled.clear();
  slot.normalPicture = ResolveSkinFile(location.folder, location.name, SkinFileKind::kButton, up);
  slot.pressedPicture = ResolveSkinFile(location.folder, location.name, SkinFileKind::kButton, down);
  slot.disabledPicture = ResolveSkinFile(location.folder, location.name, SkinFileKind::kButton, disabled);

  slot.transparentColor = ParseColor(get(u"TransColor", u"Auto"), gfx::kAutoTransparent);
  const auto textColor = ParseColor(get(u"TextColor"), 0xE6E6E6);
  slot.colors = DefaultSlotColors();
  slot.colors[kColorPressedCaption] = textColor;
  slot.colors[kColorNormalCaption] = textColor;
  slot.colors[kColorFocusedCaption] = textColor;

  slot.defaultFace = store.GetString(u"Main", u"DefaultFontName", u"");
  slot.face = get(u"FontName");

  const bool large = context.screen.width >= 640 && context.screen.height >= 480;
  slot.captionHeight = store.GetInt(section, u"TextSize", large ? 20 : 14);
  if (skin.fitting)
    slot.captionHeight = ScaleTextSize(slot.captionHeight, context.screen, location.designSize);

  if (const auto position = get(u"Position"); !position.empty()) position_ = ParseSignedPair(position);
  if (const auto size = get(u"Size"); !size.empty()) {
    const auto parsed = ParsePoint(size, -1, -1);
    size_ = parsed == Point{-1, -1} ? std::nullopt : std::optional<Point>(parsed);
  }
  if (position_ && size_) {
    // Position + Size saturates at the end of the int range (FromSize adds without overflow).
    const auto designRect = gfx::Rect::FromSize(position_->x, position_->y, size_->x, size_->y);
    slot.bounds = ScaleToScreen(designRect, context.screen, location.designSize);
  }

  slot.sound = ResolveSkinFile(location.folder, location.name, SkinFileKind::kWave, get(u"WaveFile"));
  slot.fitting = skin.fitting;
  slot.visible = !text::EqualsNoCase(get(u"Visible"), u"N");
  return slot;
}

void SkinLoader::ShowKoreanMessage(platform::WindowHandle owner, std::u16string text) {
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.text = std::move(text);
  box.caption = std::u16string(kKoreanCaption);
  box.icon = platform::MessageIcon::kExclamation;
  environment_.platform().messageBoxes.Show(box);
}

bool AskToKeepSkin(platform::MessageBoxes& boxes, platform::WindowHandle owner, ProfileStore& skin,
                   std::span<const SlotSettings> slots, std::u16string_view skinFile) {
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.text = u"Use this skin?";
  box.caption = u"Skin";
  box.buttons = platform::MessageButtons::kYesNo;
  box.icon = platform::MessageIcon::kQuestion;
  box.defaultButton = 1;
  if (boxes.Show(box) != platform::MessageAnswer::kYes) return false;
  WriteSkin(skin, slots);
  return skin.Save(owner, skinFile);
}

}  // namespace vexa::deck
