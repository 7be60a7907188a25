#include "deck/ButtonSlot.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "common/text/Text.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::deck {

namespace ui = platform::ui;
using gfx::Bitmap;
using gfx::Point;
using gfx::Rect;

std::u16string AutoBackPattern(std::u16string_view caption) {
  std::u16string pattern(caption);
  for (char16_t& c : pattern) {
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) c = u'8';
  }
  return pattern;
}

ButtonSlot::ButtonSlot(SlotServices services) : services_(services) {}

void ButtonSlot::Attach(ui::Window& window, int controlId, int hoverTimerId) {
  window_ = &window;
  controlId_ = controlId;
  hoverTimerId_ = hoverTimerId;
  rect_ = window.GetControlRect(controlId);
}

void ButtonSlot::Detach() {
  if (window_ != nullptr && hoverTimerRunning_) window_->KillTimer(hoverTimerId_);
  hoverTimerRunning_ = false;
  flags_ &= ~kHover;
  window_ = nullptr;
}

void ButtonSlot::Redraw() {
  if (window_ != nullptr) window_->InvalidateControl(controlId_);
}

void ButtonSlot::SetFlag(Flag flag, bool on, bool redraw) {
  flags_ = on ? (flags_ | flag) : (flags_ & ~flag);
  MaybeRedraw(redraw);
}

// --- Settings ---------------------------------------------------------------------------------------

void ButtonSlot::Apply(const SlotSettings& s) {
  SetName(s.name);
  SetCommand(s.action);
  SetDisplayKind(s.motion);
  SetCaption(s.caption);
  SetBackPattern(s.backPattern);
  for (int i = 0; i < kSlotColorCount; ++i) SetColor(i, s.colors[static_cast<std::size_t>(i)]);
  SetTransparentColor(s.transparentColor);
  SetCaptionPosition(static_cast<int>(s.captionPosition));
  SetCaptionAlignment(static_cast<int>(s.captionAlignment));
  SetDefaultFace(s.defaultFace);
  SetFace(s.face);
  SetCaptionHeight(s.captionHeight);
  SetPictures(s.pressedPicture, s.normalPicture, s.disabledPicture);
  SetSound(s.sound);
  SetFitting(s.fitting);
  SetFrames(s.frames);
  if (s.bounds) Place(*s.bounds, false);
  // Gauges lie under every other slot, picture places over them.
  if (window_ != nullptr && s.stacking != SlotStacking::kUnchanged) {
    window_->SetControlZOrder(controlId_, s.stacking == SlotStacking::kBottom ? platform::ui::ZOrder::kBottom
                                                                              : platform::ui::ZOrder::kTop);
  }
  Enable(s.enabled);
  Show(s.visible);
  Redraw();
}

SlotSettings ButtonSlot::Settings() const {
  SlotSettings s;
  s.name = name_;
  s.action = command_;
  s.motion = kind_;
  s.caption = caption_;
  s.backPattern = backPattern_;
  s.pressedPicture = paths_[kPressedPicture];
  s.normalPicture = paths_[kNormalPicture];
  s.disabledPicture = paths_[kDisabledPicture];
  s.sound = sound_;
  s.colors = colors_;
  s.transparentColor = transparentColor_;
  s.captionPosition = static_cast<CaptionPosition>(captionPosition_);
  s.captionAlignment = static_cast<CaptionAlignment>(captionAlignment_);
  s.defaultFace = defaultFace_;
  s.face = face_;
  s.captionHeight = captionHeight_;
  s.bounds = rect_;
  s.fitting = Has(kFitting);
  s.frames = frames_;
  s.visible = visible_;
  s.enabled = !Has(kDisabled);
  return s;
}

void ButtonSlot::SetName(std::u16string_view name, bool redraw) {
  name_ = name;
  MaybeRedraw(redraw);
}

void ButtonSlot::SetCommand(std::u16string_view command, bool redraw) {
  command_ = command;
  MaybeRedraw(redraw);
}

void ButtonSlot::SetDisplayKind(std::u16string_view kind, bool redraw) {
  if (kind != kind_) {
    kind_ = kind;
    ClearFrames();
  }
  MaybeRedraw(redraw);
}

void ButtonSlot::SetCaption(std::u16string_view caption, bool redraw) {
  caption_ = caption;
  MaybeRedraw(redraw);
}

void ButtonSlot::SetBackPattern(std::u16string_view pattern, bool redraw) {
  backPattern_ = pattern;
  MaybeRedraw(redraw);
}

void ButtonSlot::SetDefaultFace(std::u16string_view face, bool redraw) {
  defaultFace_ = face;
  MaybeRedraw(redraw);
}

void ButtonSlot::SetFace(std::u16string_view face, bool redraw) {
  face_ = face;
  MaybeRedraw(redraw);
}

void ButtonSlot::SetCaptionHeight(int height, bool redraw) {
  captionHeight_ = height;
  MaybeRedraw(redraw);
}

platform::FontSpec ButtonSlot::CaptionFont() const {
  platform::FontSpec font;
  font.face = face_.empty() ? defaultFace_ : face_;
  font.height = captionHeight_;
  font.weight = 400;
  return font;
}

bool ButtonSlot::SetColor(int index, gfx::ColorRef color, bool redraw) {
  if (index < 0 || index >= kSlotColorCount) return false;
  colors_[static_cast<std::size_t>(index)] = color;
  MaybeRedraw(redraw);
  return true;
}

gfx::ColorRef ButtonSlot::color(int index) const {
  if (index < 0 || index >= kSlotColorCount) return 0;
  return colors_[static_cast<std::size_t>(index)];
}

void ButtonSlot::SetTransparentColor(gfx::ColorRef color, bool redraw) {
  transparentColor_ = color;
  MaybeRedraw(redraw);
}

bool ButtonSlot::SetCaptionPosition(int code, bool redraw) {
  if (code < 0 || code > 3) return false;
  captionPosition_ = static_cast<std::uint8_t>(code);
  MaybeRedraw(redraw);
  return true;
}

bool ButtonSlot::SetCaptionAlignment(int code, bool redraw) {
  if (code < 0 || code > 2) return false;
  captionAlignment_ = static_cast<std::uint8_t>(code);
  MaybeRedraw(redraw);
  return true;
}

std::shared_ptr<const Bitmap> ButtonSlot::Decode(std::u16string_view path) const {
  if (path.empty()) return nullptr;
  if (services_.cache != nullptr) return services_.cache->Get(path);
  if (services_.pictures == nullptr) return nullptr;
  std::optional<Bitmap> picture = services_.pictures->DecodeWithAlpha(path);
  if (!picture || picture->empty()) return nullptr;
  return std::make_shared<const Bitmap>(std::move(*picture));
}

void ButtonSlot::SetPictures(std::u16string_view pressed, std::u16string_view normal,
                             std::u16string_view disabled, bool redraw) {
  const std::array<std::u16string_view, 3> paths = {pressed, normal, disabled};
  for (std::size_t i = 0; i < paths.size(); ++i) {
    paths_[i] = paths[i];
    entries_[i] = Entry{nullptr, std::nullopt, !paths_[i].empty()};
  }
  MaybeRedraw(redraw);
}

void ButtonSlot::ShowPicture(std::shared_ptr<const Bitmap> picture, bool redraw) {
  if (picture == nullptr || picture->empty()) return;
  entries_[kNormalPicture] = Entry{std::move(picture), std::nullopt, false};
  MaybeRedraw(redraw);
}

const Bitmap* ButtonSlot::Picture(int which) const {
  const Entry& entry = entries_[static_cast<std::size_t>(which)];
  if (entry.pending) {
    entry.pending = false;
    entry.picture = Decode(paths_[static_cast<std::size_t>(which)]);
  }
  return entry.picture.get();
}

void ButtonSlot::PrepareFirstDraw(gfx::Size screen) const {
  if (!visible_ || rect_.empty() || rect_.right <= 0 || rect_.bottom <= 0 || rect_.left >= screen.width ||
      rect_.top >= screen.height) {
    return;
  }
  (void)AnyPicture();
}

bool ButtonSlot::AnyPicture() const {
  // The normal picture is asked first: it is the one a slot at rest shows, so the others stay undecoded.
  return Picture(kNormalPicture) != nullptr || Picture(kPressedPicture) != nullptr ||
         Picture(kDisabledPicture) != nullptr;
}

std::optional<gfx::Size> ButtonSlot::PictureSize(PictureIndex which) const {
  const Bitmap* picture = Picture(which);
  if (picture == nullptr) return std::nullopt;
  return gfx::Size{picture->width(), picture->height()};
}

void ButtonSlot::SetIcons(int pressedId, gfx::Size pressedSize, int normalId, gfx::Size normalSize,
                          int disabledId, gfx::Size disabledSize, bool redraw) {
  const std::array<std::pair<int, gfx::Size>, 3> icons = {
      {{pressedId, pressedSize}, {normalId, normalSize}, {disabledId, disabledSize}}};
  for (std::size_t i = 0; i < icons.size(); ++i) {
    std::optional<Bitmap> icon;
    if (icons[i].first != 0 && services_.resources != nullptr) {
      icon = services_.resources->Icon(icons[i].first, icons[i].second);
      if (icon && icon->empty()) icon.reset();
    }
    entries_[i] = Entry{nullptr, std::move(icon)};
  }
  MaybeRedraw(redraw);
}

bool ButtonSlot::SetSound(std::u16string_view path) {
  sound_ = path;
  return !sound_.empty() && services_.sound != nullptr && services_.sound->CanPlay();
}

void ButtonSlot::SetBackground(const Bitmap* background, bool redraw) {
  background_ = background;
  MaybeRedraw(redraw);
}

void ButtonSlot::Place(const Rect& rect, bool redraw) {
  rect_ = rect;
  if (window_ != nullptr) window_->MoveControl(controlId_, rect_);
  MaybeRedraw(redraw);
}

void ButtonSlot::Show(bool visible) {
  visible_ = visible;
  if (window_ != nullptr) window_->ShowControl(controlId_, visible);
}

void ButtonSlot::Enable(bool enabled) {
  flags_ = enabled ? (flags_ & ~kDisabled) : (flags_ | kDisabled);
  if (window_ != nullptr) window_->EnableControl(controlId_, enabled);
}

// --- Gauge frames -----------------------------------------------------------------------------------

void ButtonSlot::ClearFrames() {
  frames_.clear();
  frameBitmaps_.clear();
  frame_ = -1;
}

void ButtonSlot::SetFrames(std::vector<GaugeFrame> frames, bool redraw) {
  ClearFrames();
  if (frames.size() > kMaxFrames) frames.resize(kMaxFrames);
  frames_ = std::move(frames);
  frameBitmaps_.resize(frames_.size());
  MaybeRedraw(redraw);
}

bool ButtonSlot::SetFrame(int index, bool redraw) {
  if (index == -1) {
    frame_ = -1;
    MaybeRedraw(redraw);
    return true;
  }
  if (index < 0 || static_cast<std::size_t>(index) >= frames_.size()) return false;
  auto& bitmap = frameBitmaps_[static_cast<std::size_t>(index)];
  if (!bitmap) {
    bitmap = Decode(frames_[static_cast<std::size_t>(index)].path);
    if (!bitmap) return false;  // tried again on the next request
  }
  frame_ = index;
  MaybeRedraw(redraw);
  return true;
}

bool ButtonSlot::IsFrameDecoded(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < frameBitmaps_.size() &&
         frameBitmaps_[static_cast<std::size_t>(index)] != nullptr;
}

// --- Pointer ----------------------------------------------------------------------------------------

void ButtonSlot::OnPointerDown(Point p) {
  flags_ |= kPressed;
  Redraw();
  // No sound assigned means silence, not the device's default sound.
  if (!sound_.empty() && services_.sound != nullptr) services_.sound->Play(sound_);
  if (Has(kMovable)) {
    dragOrigin_ = p;
    pressPoint_ = p;
    flags_ |= kDragging;
  }
}

void ButtonSlot::OnPointerMove(Point p, bool buttonDown) {
  if (Has(kMovable) && Has(kDragging) && buttonDown) {
    // The origin stays where the press was: in the control's own coordinates the finger is back at
    // the origin once the control has followed it.
    const int dx = p.x - dragOrigin_.x;
    const int dy = p.y - dragOrigin_.y;
    if (std::abs(dx) > kDragThreshold || std::abs(dy) > kDragThreshold) Place(rect_.Offset(dx, dy), true);
    return;
  }
  if (!Has(kFlat) || Has(kHover)) return;
  if (!Rect{0, 0, rect_.width(), rect_.height()}.Contains(p)) return;
  flags_ |= kHover;
  Redraw();
  if (window_ != nullptr) {
    window_->SetTimer(hoverTimerId_, kHoverIntervalMs);
    hoverTimerRunning_ = true;
  }
}

void ButtonSlot::OnPointerUp(Point) {
  // The dragging flag stays: only a press sets it again.
  flags_ &= ~kPressed;
  Redraw();
}

void ButtonSlot::OnHoverTimer(Point pointerInWindow) {
  if (!rect_.Contains(pointerInWindow)) EndHover();
}

void ButtonSlot::EndHover() {
  if (!Has(kHover) && !hoverTimerRunning_) return;
  if (window_ != nullptr && hoverTimerRunning_) window_->KillTimer(hoverTimerId_);
  hoverTimerRunning_ = false;
  flags_ &= ~kHover;
  Redraw();
}

// --- Drawing ----------------------------------------------------------------------------------------

ui::DrawItemState ButtonSlot::State() const {
  return {Has(kPressed), Has(kFocused), Has(kDisabled)};
}

namespace {

// Centres a length inside another when there is room; a larger picture stays at the start.
int CentreOffset(int outer, int inner) {
  return outer > inner ? (outer - inner) / 2 : 0;
}

}  // namespace

void ButtonSlot::Draw(Bitmap& canvas, const ui::DrawItemState& state) {
  flags_ = state.pressed ? (flags_ | kPressed) : (flags_ & ~kPressed);
  flags_ = state.focused ? (flags_ | kFocused) : (flags_ & ~kFocused);
  flags_ = state.disabled ? (flags_ | kDisabled) : (flags_ & ~kDisabled);
  const bool pressed = state.pressed;
  const bool focused = state.focused;
  const bool disabled = state.disabled;
  const bool hovering = Has(kHover);
  const bool flat = Has(kFlat);
  const bool highlighted = Has(kHighlighted);
  const Rect slot = canvas.bounds();

  DrawBackground(canvas, pressed, focused, hovering);

  if (Has(kBordered) || !flat) {
    if (pressed) {
      gfx::DrawSunkenFrame(canvas, slot);
    } else if (!flat || hovering) {
      gfx::DrawRaisedFrame(canvas, slot);
    }
  }

  const std::u16string_view caption = std::u16string_view(caption_).substr(0, kMaxCaption);
  Rect captionRect = slot;
  DrawPicture(canvas, captionRect, !caption.empty(), pressed, disabled, hovering, highlighted);
  if (!caption.empty()) DrawCaption(canvas, captionRect, caption, pressed, disabled, hovering, highlighted);

  const Rect inside = slot.Inflate(-3, -3);
  if (focused && !flat) gfx::DrawFocusRect(canvas, inside);
  if (Has(kMovable)) gfx::DrawFocusRect(canvas, slot);
  if (highlighted) gfx::DrawFocusRect(canvas, inside);
}

void ButtonSlot::DrawBackground(Bitmap& canvas, bool pressed, bool focused, bool hovering) const {
  const gfx::ColorRef fill = (pressed || hovering) ? colors_[kColorPressedBack]
                             : focused             ? colors_[kColorFocusedBack]
                                                   : colors_[kColorNormalBack];
  if (background_ == nullptr || background_->empty()) {
    gfx::FillRect(canvas, canvas.bounds(), fill);
    return;
  }
  // The piece of the window's background under the slot. Where the slot reaches beyond the
  // background the colour shows, rather than whatever the canvas held.
  const Rect from = Rect::FromSize(rect_.left, rect_.top, canvas.width(), canvas.height());
  const Rect back = background_->bounds();
  if (from.left < back.left || from.top < back.top || from.right > back.right || from.bottom > back.bottom) {
    gfx::FillRect(canvas, canvas.bounds(), fill);
  }
  gfx::Copy(canvas, {0, 0}, *background_, from);
}

void ButtonSlot::DrawPicture(Bitmap& canvas, Rect& captionRect, bool hasCaption, bool pressed, bool disabled,
                             bool hovering, bool highlighted) const {
  const bool anyPicture = AnyPicture();
  const bool anyIcon = std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.icon; });
  if (!anyPicture && !anyIcon) return;

  // The entry for the state, falling back to another that has something to show.
  auto has = [&](int i) {
    const Entry& e = entries_[static_cast<std::size_t>(i)];
    return anyPicture ? Picture(i) != nullptr : e.icon.has_value();
  };
  int pick;
  if (disabled) {
    pick = has(kDisabledPicture) ? kDisabledPicture : has(kPressedPicture) ? kPressedPicture : kNormalPicture;
  } else if (pressed || hovering) {
    pick = has(kPressedPicture) ? kPressedPicture : kNormalPicture;
  } else {
    pick = has(kNormalPicture) ? kNormalPicture : kPressedPicture;
  }
  // An entry without a picture (only a disabled picture, shown while enabled) lays out as 0 × 0 and
  // draws nothing.
  const Entry& entry = entries_[static_cast<std::size_t>(pick)];
  const Bitmap* own = anyPicture ? Picture(pick) : (entry.icon ? &*entry.icon : nullptr);
  const int w = own != nullptr ? own->width() : 0;
  const int h = own != nullptr ? own->height() : 0;

  const Rect slot = canvas.bounds();
  Rect p = slot;
  switch (captionPosition_) {
    case 0:  // caption right of the picture
      if (hasCaption) {
        p.left += 3;
        captionRect.left += w + 3;
      } else {
        p.left += CentreOffset(slot.width(), w);
      }
      p.top += CentreOffset(slot.height(), h);
      break;
    case 1:  // caption below
      p.left += CentreOffset(slot.width(), w);
      if (hasCaption) {
        p.top = 3;
        captionRect.top += h;
      } else {
        p.top += CentreOffset(slot.height(), h);
      }
      break;
    case 2:  // caption left of the picture
      if (hasCaption) {
        captionRect.right = captionRect.width() - w - 3;
        captionRect.left = 3;
        p.left = slot.right - w - 3;
        p.top += CentreOffset(slot.height(), h);
      } else {
        p.left += CentreOffset(slot.width(), w);
      }
      break;
    default:  // picture and caption centred over each other
      p.left += CentreOffset(slot.width(), w);
      p.top += CentreOffset(slot.height(), h);
      break;
  }
  p.right = p.left + w;
  p.bottom = p.top + h;
  if (pressed) p = p.Offset(1, 1);

  if (own == nullptr) {
    // Nothing to draw.
  } else if (!anyPicture) {
    // Icons come with their see-through parts in the icon key colour, as the device's masks.
    gfx::KeyedCopy(canvas, p, *own, own->bounds(), platform::ui::res::kIconTransparent);
  } else {
    DrawSource(canvas, *own, p);
  }
  if (highlighted) gfx::DrawFocusRect(canvas, p);
}

void ButtonSlot::DrawSource(Bitmap& canvas, const Bitmap& own, const Rect& p) const {
  // A gauge draws its current frame in place of the picture, cut to the picture's size.
  const Bitmap* source = &own;
  if (frame_ >= 0 && static_cast<std::size_t>(frame_) < frameBitmaps_.size() &&
      frameBitmaps_[static_cast<std::size_t>(frame_)]) {
    source = &*frameBitmaps_[static_cast<std::size_t>(frame_)];
  }
  const Rect area{0, 0, own.width(), own.height()};
  const bool natural =
      !Has(kFitting) && frames_.empty() && !text::StartsWithNoCase(kind_, u"DISPLAY-PICTURE");
  // A picture with see-through parts brings its own transparency; the others are keyed as ever.
  if (source->translucent()) {
    gfx::BlendStretch(canvas, natural ? p : canvas.bounds(), *source, area);
  } else {
    gfx::KeyedCopy(canvas, natural ? p : canvas.bounds(), *source, area, transparentColor_);
  }
}

void ButtonSlot::DrawCaption(Bitmap& canvas, Rect captionRect, std::u16string_view caption, bool pressed,
                             bool disabled, bool hovering, bool highlighted) const {
  if (pressed) captionRect = captionRect.Offset(1, 1);
  if (services_.text != nullptr) {
    const platform::FontSpec font = CaptionFont();
    const ui::TextAlign align = captionAlignment_ == 0   ? ui::TextAlign::kLeft
                                : captionAlignment_ == 1 ? ui::TextAlign::kRight
                                                         : ui::TextAlign::kCenter;
    ui::TextRenderer& text = *services_.text;
    if (!disabled) {
      const std::u16string pattern =
          text::EqualsNoCase(backPattern_, u"AUTO") ? AutoBackPattern(caption) : backPattern_;
      if (!pattern.empty())
        text.DrawText(canvas, captionRect, pattern, font, colors_[kColorBackPattern], align);
      const gfx::ColorRef color =
          (pressed || hovering) ? colors_[kColorPressedCaption] : colors_[kColorNormalCaption];
      text.DrawText(canvas, captionRect, caption, font, color, align);
    } else {
      // Embossed: a light copy one pixel down and right under the shadow-coloured text.
      text.DrawText(canvas, captionRect.Offset(1, 1), caption, font, gfx::SystemColors::kHighlight, align);
      text.DrawText(canvas, captionRect, caption, font, gfx::SystemColors::kShadow, align);
    }
  }
  if (highlighted) {
    gfx::DrawFocusRect(canvas, captionRect);
    gfx::DrawFocusRect(canvas, canvas.bounds());
  }
}

}  // namespace vexa::deck
