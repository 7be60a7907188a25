#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "common/gfx/Geometry.h"
#include "deck/PictureCache.h"
#include "deck/SlotSettings.h"
#include "platform/ControlFonts.h"
#include "platform/Platform.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// The services a slot loads pictures, draws text and plays sounds with. Any of them may be absent: a
// slot without a decoder has no pictures, one without a renderer draws no caption, one without sound
// is silent.
struct SlotServices {
  platform::ui::PictureDecoder* pictures = nullptr;
  platform::ui::TextRenderer* text = nullptr;
  platform::ui::Resources* resources = nullptr;
  platform::ui::Sound* sound = nullptr;
  // Shared decoded pictures; without it each slot decodes its own.
  PictureCache* cache = nullptr;

  static SlotServices From(const platform::Platform& platform, PictureCache* cache = nullptr) {
    return {platform.pictures, platform.text, platform.resources, platform.sound, cache};
  }
};

// One owner-drawn button of a window that draws itself from pictures, a caption and a back pattern
// over the piece of the window's background it covers: the launcher's skin elements and the image
// buttons of dialogs.
//
// The slot is the model and behaviour of the control; the window's handler routes to it what the
// window receives for the control:
//   OnDrawItem(id)              -> Draw(canvas, state)
//   OnControlPointerDown(id, p) -> OnPointerDown(p)
//   OnControlPointerMove(id, p) -> OnPointerMove(p, buttonDown)
//   OnControlPointerUp(id, p)   -> OnPointerUp(p)
//   OnTimer(hoverTimerId())     -> OnHoverTimer(pointer position in the window)
//   focus lost, window deactivated, pointer left -> EndHover()
//   OnDestroy                   -> Detach()
// A tap reaches the window as the control's own kClicked notification (sent on a release inside).
//
// Setters with a `redraw` argument draw the control again when it is true and otherwise only store.
class ButtonSlot {
 public:
  // State flags.
  enum Flag : std::uint32_t {
    kFlat = 1u << 0,         // no border unless bordered; set for every slot
    kPressed = 1u << 1,      // drawn pressed
    kFocused = 1u << 2,      // has the input focus
    kDisabled = 1u << 3,     // disabled
    kHover = 1u << 4,        // the pointer is over the control (flat controls only)
    kBordered = 1u << 5,     // a 3-D border although flat
    kMovable = 1u << 6,      // edit appearance: can be dragged, dotted frame along the edge
    kHighlighted = 1u << 7,  // the slot being edited: dotted frames around caption, picture and slot
    kFitting = 1u << 8,      // pictures stretched to the whole slot
    kDragging = 1u << 9,     // a press started while movable
  };

  // Which picture of the three.
  enum PictureIndex : int { kPressedPicture = 0, kNormalPicture = 1, kDisabledPicture = 2 };

  // A gauge shows at most this many frames.
  static constexpr std::size_t kMaxFrames = 200;
  // A press must travel more than this many pixels before a movable slot follows it.
  static constexpr int kDragThreshold = 5;
  static constexpr int kHoverIntervalMs = 50;
  // The caption is drawn up to this many characters.
  static constexpr std::size_t kMaxCaption = 256;

  explicit ButtonSlot(SlotServices services);
  ButtonSlot(const ButtonSlot&) = delete;
  ButtonSlot& operator=(const ButtonSlot&) = delete;

  // Binds the slot to its control: redraws, moves, shows and timers go to `window`. The control's
  // rectangle is taken from the window. `hoverTimerId` is the window timer the slot runs while the
  // pointer is over it; the window must give its ticks to OnHoverTimer.
  void Attach(platform::ui::Window& window, int controlId, int hoverTimerId);
  // Ends the binding (the window goes away): stops the hover timer; later redraws only store.
  void Detach();
  int controlId() const { return controlId_; }
  int hoverTimerId() const { return hoverTimerId_; }

  // Applies everything a skin element decides for this slot, then draws it once.
  void Apply(const SlotSettings& settings);
  // What the slot holds now, for the skin writer.
  SlotSettings Settings() const;

  // Texts.
  void SetName(std::u16string_view name, bool redraw = false);
  const std::u16string& name() const { return name_; }
  void SetCommand(std::u16string_view command, bool redraw = false);
  const std::u16string& command() const { return command_; }
  // A kind other than the current one empties the frame list and shows the pictures again.
  void SetDisplayKind(std::u16string_view kind, bool redraw = false);
  const std::u16string& displayKind() const { return kind_; }
  void SetCaption(std::u16string_view caption, bool redraw = false);
  const std::u16string& caption() const { return caption_; }
  // Drawn behind the caption in the back-pattern colour; "AUTO" stands for the caption with every
  // letter and digit as '8'.
  void SetBackPattern(std::u16string_view pattern, bool redraw = false);
  const std::u16string& backPattern() const { return backPattern_; }

  // Caption font: the face (the default face when it is empty) at a height in pixels.
  void SetDefaultFace(std::u16string_view face, bool redraw = false);
  const std::u16string& defaultFace() const { return defaultFace_; }
  void SetFace(std::u16string_view face, bool redraw = false);
  const std::u16string& face() const { return face_; }
  void SetCaptionHeight(int height, bool redraw = false);
  int captionHeight() const { return captionHeight_; }
  platform::FontSpec CaptionFont() const;

  // Colours. An index of 7 or more is refused (false) and changes nothing.
  bool SetColor(int index, gfx::ColorRef color, bool redraw = false);
  gfx::ColorRef color(int index) const;
  const SlotColors& colors() const { return colors_; }
  // gfx::kAutoTransparent takes each picture's top-left pixel as its transparent colour.
  void SetTransparentColor(gfx::ColorRef color, bool redraw = false);
  gfx::ColorRef transparentColor() const { return transparentColor_; }

  // Caption position 0-3 (right of, below, left of, over the picture) and alignment 0-2 (left, right,
  // centred); a larger code is refused (false) and changes nothing.
  bool SetCaptionPosition(int code, bool redraw = false);
  int captionPosition() const { return captionPosition_; }
  bool SetCaptionAlignment(int code, bool redraw = false);
  int captionAlignment() const { return captionAlignment_; }

  // Pictures by device path; empty for none. Each path is decoded now: a missing or unreadable file
  // leaves that picture empty. Replaces the three pictures (and icons) the slot had.
  void SetPictures(std::u16string_view pressed, std::u16string_view normal, std::u16string_view disabled,
                   bool redraw = false);
  const std::u16string& picturePath(PictureIndex which) const { return paths_[which]; }
  // Icons of the program's resources instead of pictures (dialog buttons): a resource number and the
  // size to load it at for each of pressed, normal and disabled; number 0 for none.
  void SetIcons(int pressedId, gfx::Size pressedSize, int normalId, gfx::Size normalSize, int disabledId,
                gfx::Size disabledSize, bool redraw = false);
  bool HasPicture(PictureIndex which) const { return Picture(which) != nullptr; }
  // Decodes now the picture the slot's first drawing at rest shows, when it lies on a screen of that
  // size and is shown: the same decoding that drawing would do, done earlier. At start-up the launcher
  // decodes while the font thread still reads the host's fonts, which the first caption waits for.
  void PrepareFirstDraw(gfx::Size screen) const;
  // The picture's own size; nothing when the slot has no such picture.
  std::optional<gfx::Size> PictureSize(PictureIndex which) const;
  // A picture place shows this picture as its normal one; the skin's paths stay as they are, so the
  // skin writer keeps the element as the skin file has it. Null leaves the picture as it was.
  void ShowPicture(std::shared_ptr<const gfx::Bitmap> picture, bool redraw = false);
  bool HasIcon(PictureIndex which) const { return entries_[which].icon.has_value(); }

  // The sound played on every press; true when the device can play sound and the path is not empty.
  bool SetSound(std::u16string_view path);
  const std::u16string& sound() const { return sound_; }

  // The window's background picture, of which the slot shows the part it covers. Not owned; null for
  // a plain colour background.
  void SetBackground(const gfx::Bitmap* background, bool redraw = false);

  // Flags.
  void SetFitting(bool on, bool redraw = false) { SetFlag(kFitting, on, redraw); }
  void SetMovable(bool on, bool redraw = false) { SetFlag(kMovable, on, redraw); }
  void SetHighlighted(bool on, bool redraw = false) { SetFlag(kHighlighted, on, redraw); }
  void SetBordered(bool on, bool redraw = false) { SetFlag(kBordered, on, redraw); }
  // Dialog image buttons may be drawn as plain buttons; slots stay flat.
  void SetFlat(bool on, bool redraw = false) { SetFlag(kFlat, on, redraw); }
  std::uint32_t flags() const { return flags_; }
  bool Has(Flag flag) const { return (flags_ & flag) != 0; }

  // The control's place in its window, in the window's client coordinates.
  const gfx::Rect& rect() const { return rect_; }
  // Moves the control there.
  void Place(const gfx::Rect& rect, bool redraw = true);
  void Show(bool visible);
  bool IsVisible() const { return visible_; }
  void Enable(bool enabled);

  // Gauge frames, in display order; at most kMaxFrames are kept. Replacing the list frees the frames
  // decoded so far and shows the pictures again.
  void SetFrames(std::vector<GaugeFrame> frames, bool redraw = false);
  const std::vector<GaugeFrame>& frames() const { return frames_; }
  // Shows frame `index` (-1: the pictures), decoding it on first use. An index outside the list or a
  // frame that cannot be decoded is refused (false) and the slot keeps what it showed.
  bool SetFrame(int index, bool redraw = true);
  int currentFrame() const { return frame_; }
  bool IsFrameDecoded(int index) const;

  // Pointer events in the control's client coordinates.
  void OnPointerDown(gfx::Point p);
  void OnPointerMove(gfx::Point p, bool buttonDown);
  void OnPointerUp(gfx::Point p);
  // A tick of the hover timer, with the pointer's position in the window's client coordinates; the
  // hover ends when the pointer has left the control.
  void OnHoverTimer(gfx::Point pointerInWindow);
  // The pointer left, the focus went elsewhere or the window was deactivated.
  void EndHover();

  // Draws the whole control into `canvas`, a bitmap of the control's size, in the state the window
  // asks for.
  void Draw(gfx::Bitmap& canvas, const platform::ui::DrawItemState& state);
  // The state the slot itself last set (press, release, enable).
  platform::ui::DrawItemState State() const;

  // Draws the control again (the window asks for a fresh Draw).
  void Redraw();

 private:
  // A picture is decoded when it is first needed: the pressed and disabled pictures of most slots
  // are never drawn during start-up, and many never at all.
  struct Entry {
    mutable std::shared_ptr<const gfx::Bitmap> picture;
    std::optional<gfx::Bitmap> icon;
    mutable bool pending = false;  // `picture` is still to be decoded from the slot's path
  };
  const gfx::Bitmap* Picture(int which) const;
  // Whether the slot has any picture, decoding only as many as it takes to tell.
  bool AnyPicture() const;

  void SetFlag(Flag flag, bool on, bool redraw);
  void MaybeRedraw(bool redraw) {
    if (redraw) Redraw();
  }
  std::shared_ptr<const gfx::Bitmap> Decode(std::u16string_view path) const;
  void ClearFrames();

  void DrawBackground(gfx::Bitmap& canvas, bool pressed, bool focused, bool hovering) const;
  void DrawPicture(gfx::Bitmap& canvas, gfx::Rect& captionRect, bool hasCaption, bool pressed, bool disabled,
                   bool hovering, bool highlighted) const;
  void DrawSource(gfx::Bitmap& canvas, const gfx::Bitmap& own, const gfx::Rect& p) const;
  void DrawCaption(gfx::Bitmap& canvas, gfx::Rect captionRect, std::u16string_view caption, bool pressed,
                   bool disabled, bool hovering, bool highlighted) const;

  SlotServices services_;
  platform::ui::Window* window_ = nullptr;
  int controlId_ = 0;
  int hoverTimerId_ = 0;
  bool hoverTimerRunning_ = false;

  std::uint32_t flags_ = kFlat;
  std::uint8_t captionPosition_ = 3;
  std::uint8_t captionAlignment_ = 2;
  SlotColors colors_ = DefaultSlotColors();
  gfx::ColorRef transparentColor_ = gfx::kAutoTransparent;
  int frame_ = -1;

  std::u16string name_;
  std::u16string command_;
  std::u16string kind_;
  std::array<std::u16string, 3> paths_;
  std::u16string defaultFace_;
  std::u16string face_ = u"Arial";
  int captionHeight_ = 14;
  std::u16string sound_;
  gfx::Point dragOrigin_;
  gfx::Point pressPoint_;
  std::u16string backPattern_;
  std::u16string caption_;

  std::array<Entry, 3> entries_;
  std::vector<GaugeFrame> frames_;
  std::vector<std::shared_ptr<const gfx::Bitmap>> frameBitmaps_;  // parallel to frames_, decoded on first use

  const gfx::Bitmap* background_ = nullptr;
  gfx::Rect rect_;
  bool visible_ = true;
};

// The back pattern "AUTO" makes of a caption: every ASCII letter and digit becomes '8', so "12:34"
// gives "88:88", the unlit segments of a seven-segment display.
std::u16string AutoBackPattern(std::u16string_view caption);

}  // namespace vexa::deck
