#include "deck/ButtonSlot.h"

#include <gtest/gtest.h>

#include "common/text/Text.h"
#include "tests/deck/support/DeckFakes.h"

namespace vexa::deck {
namespace {

using gfx::Bitmap;
using gfx::ColorRef;
using gfx::Rect;
using gfx::Rgb;
using gfx::ToPixel;
using platform::ui::DrawItemState;
using platform::ui::TextAlign;

constexpr int kId = 7;
constexpr int kTimer = 1007;
constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kBlue = Rgb(0, 0, 255);
constexpr ColorRef kMagenta = Rgb(255, 0, 255);
constexpr ColorRef kYellow = Rgb(255, 255, 0);
constexpr ColorRef kBack = Rgb(10, 20, 30);

Bitmap Solid(int w, int h, ColorRef c) {
  return Bitmap(w, h, ToPixel(c));
}

class ButtonSlotTest : public ::testing::Test {
 protected:
  ButtonSlotTest() : slot({&pictures, &text, &resources, &sound}) {
    window.AddControl(kId, Rect::FromSize(10, 20, 100, 40));
    slot.Attach(window, kId, kTimer);
    slot.SetColor(kColorNormalBack, kBack);
    // Solid test pictures would vanish whole under the automatic key (their own top-left colour).
    slot.SetTransparentColor(kMagenta);
    pictures.Add(u"\\up.png", Solid(32, 32, kRed));
    pictures.Add(u"\\down.png", Solid(32, 32, kBlue));
  }

  Bitmap Draw(DrawItemState state = {}) {
    Bitmap canvas(slot.rect().width(), slot.rect().height());
    slot.Draw(canvas, state);
    return canvas;
  }
  // The picture's top-left corner as drawn: the first red or blue pixel in reading order.
  static gfx::Point PictureAt(const Bitmap& b) {
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x)
        if (b.At(x, y) == ToPixel(kRed) || b.At(x, y) == ToPixel(kBlue)) return {x, y};
    return {-1, -1};
  }

  testing::FakePictureDecoder pictures;
  testing::FakeTextRenderer text;
  testing::FakeResources resources;
  testing::FakeSound sound;
  testing::FakeWindow window;
  ButtonSlot slot;
};

TEST(AutoBackPattern, LettersAndDigitsBecomeEightsOtherCharactersStay) {
  EXPECT_EQ(AutoBackPattern(u"12:34"), u"88:88");
  EXPECT_EQ(AutoBackPattern(u"Zz 9.5km/h é"), u"88 8.888/8 é");
}

TEST_F(ButtonSlotTest, AutoBackPatternIsDrawnInPatternColourBeforeTheCaption) {
  slot.SetCaption(u"12:34");
  slot.SetBackPattern(u"auto");
  slot.SetColor(kColorNormalCaption, kYellow);
  const Bitmap canvas = Draw();
  ASSERT_EQ(text.calls.size(), 2u);
  EXPECT_EQ(text.calls[0].text, u"88:88");
  EXPECT_EQ(text.calls[0].color, Rgb(0x28, 0x28, 0x28));
  EXPECT_EQ(text.calls[1].text, u"12:34");
  EXPECT_EQ(text.calls[1].color, kYellow);
  EXPECT_EQ(text.calls[1].rect, (Rect{0, 0, 100, 40}));
  EXPECT_EQ(text.calls[1].align, TextAlign::kCenter);
  EXPECT_EQ(text.calls[1].font.face, u"Arial");
  EXPECT_EQ(text.calls[1].font.height, 14);
  // The caption lies over the pattern.
  EXPECT_EQ(canvas.At(50, 20), ToPixel(kYellow));
}

TEST_F(ButtonSlotTest, CaptionColoursPatternsAndEmbossingFollowTheState) {
  slot.SetCaption(u"GO");
  slot.SetColor(kColorPressedCaption, kRed);
  slot.SetFace(u"");
  slot.SetDefaultFace(u"Nanum");
  Draw({.pressed = true});
  ASSERT_EQ(text.calls.size(), 1u);  // no pattern stored: the caption alone
  EXPECT_EQ(text.calls[0].color, kRed);
  EXPECT_EQ(text.calls[0].rect, (Rect{1, 1, 101, 41}));
  EXPECT_EQ(text.calls[0].font.face, u"Nanum");

  text.calls.clear();
  slot.SetBackPattern(u"----");
  Draw();
  ASSERT_EQ(text.calls.size(), 2u);
  EXPECT_EQ(text.calls[0].text, u"----");

  text.calls.clear();
  Draw({.disabled = true});
  ASSERT_EQ(text.calls.size(), 2u);  // embossed, without the pattern
  EXPECT_EQ(text.calls[0].color, gfx::SystemColors::kHighlight);
  EXPECT_EQ(text.calls[0].rect, (Rect{1, 1, 101, 41}));
  EXPECT_EQ(text.calls[1].color, gfx::SystemColors::kShadow);
  EXPECT_EQ(text.calls[1].rect, (Rect{0, 0, 100, 40}));
}

TEST_F(ButtonSlotTest, PressedShowsPressedPictureShiftedOrTheNormalOneWithout) {
  slot.SetPictures(u"\\down.png", u"\\up.png", u"");
  Bitmap canvas = Draw();
  EXPECT_EQ(PictureAt(canvas), (gfx::Point{34, 4}));
  EXPECT_EQ(canvas.At(34, 4), ToPixel(kRed));

  canvas = Draw({.pressed = true});
  EXPECT_EQ(PictureAt(canvas), (gfx::Point{35, 5}));
  EXPECT_EQ(canvas.At(35, 5), ToPixel(kBlue));
  EXPECT_EQ(canvas.At(34, 4), ToPixel(slot.color(kColorPressedBack)));

  slot.SetPictures(u"", u"\\up.png", u"");
  canvas = Draw({.pressed = true});
  EXPECT_EQ(PictureAt(canvas), (gfx::Point{35, 5}));
  EXPECT_EQ(canvas.At(35, 5), ToPixel(kRed));
}

TEST_F(ButtonSlotTest, DisabledFallsBackToPressedThenNormalPicture) {
  slot.SetPictures(u"\\down.png", u"\\up.png", u"\\missing.png");
  EXPECT_FALSE(slot.HasPicture(ButtonSlot::kDisabledPicture));
  EXPECT_EQ(Draw({.disabled = true}).At(40, 10), ToPixel(kBlue));
  slot.SetPictures(u"", u"\\up.png", u"");
  EXPECT_EQ(Draw({.disabled = true}).At(40, 10), ToPixel(kRed));
}

struct LayoutCase {
  int position;
  bool caption;
  gfx::Point picture;
  Rect captionRect;
};

TEST_F(ButtonSlotTest, PictureAndCaptionLayoutForEachCaptionPosition) {
  slot.SetPictures(u"", u"\\up.png", u"");
  const LayoutCase cases[] = {
      {0, true, {3, 4}, {35, 0, 100, 40}},  {0, false, {34, 4}, {}},
      {1, true, {34, 3}, {0, 32, 100, 40}}, {1, false, {34, 4}, {}},
      {2, true, {65, 4}, {3, 0, 65, 40}},   {2, false, {34, 0}, {}},  // no vertical centring here
      {3, true, {34, 4}, {0, 0, 100, 40}},  {3, false, {34, 4}, {}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "position " << c.position << (c.caption ? " with" : " without"));
    ASSERT_TRUE(slot.SetCaptionPosition(c.position));
    slot.SetCaption(c.caption ? u"Menu" : u"");
    text.calls.clear();
    EXPECT_EQ(PictureAt(Draw()), c.picture);
    if (c.caption) {
      ASSERT_EQ(text.calls.size(), 1u);
      EXPECT_EQ(text.calls[0].rect, c.captionRect);
    } else {
      EXPECT_TRUE(text.calls.empty());
    }
  }
}

TEST_F(ButtonSlotTest, AutomaticTransparentColourShowsTheBackdropThroughEveryKeyPixel) {
  Bitmap backdrop(200, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) backdrop.Set(x, y, ToPixel(Rgb(x, y, 77)));
  Bitmap picture = Solid(32, 32, kBlue);
  picture.Set(0, 0, ToPixel(kMagenta));
  picture.Set(10, 10, ToPixel(kMagenta));
  picture.Set(31, 31, ToPixel(kMagenta));
  pictures.Add(u"\\key.bmp", picture);
  slot.SetPictures(u"", u"\\key.bmp", u"");
  slot.SetBackground(&backdrop);
  slot.SetTransparentColor(gfx::kAutoTransparent);

  Bitmap canvas = Draw();  // picture at (34, 4), slot at (10, 20) in the window
  EXPECT_EQ(canvas.At(0, 0), backdrop.At(10, 20));
  EXPECT_EQ(canvas.At(34, 4), backdrop.At(44, 24));
  EXPECT_EQ(canvas.At(44, 14), backdrop.At(54, 34));
  EXPECT_EQ(canvas.At(65, 35), backdrop.At(75, 55));
  EXPECT_EQ(canvas.At(35, 4), ToPixel(kBlue));

  slot.SetTransparentColor(kBlue);
  canvas = Draw();
  EXPECT_EQ(canvas.At(34, 4), ToPixel(kMagenta));
  EXPECT_EQ(canvas.At(35, 4), backdrop.At(45, 24));
}

TEST_F(ButtonSlotTest, ASeeThroughPictureIsBlendedOverTheBackdropAndItsKeyColourIsNotLeftOut) {
  Bitmap backdrop(200, 100, ToPixel(Rgb(0, 0, 200)));
  // Left column clear, a half-covering magenta pixel, the rest opaque red.
  Bitmap picture = Solid(32, 32, kRed);
  for (int y = 0; y < 32; ++y) picture.Set(0, y, 0x00FF0000u);
  picture.Set(10, 10, 0x80FF00FFu);
  picture.SetTranslucent(true);
  pictures.Add(u"\\glass.png", picture);
  slot.SetPictures(u"", u"\\glass.png", u"");
  slot.SetBackground(&backdrop);
  slot.SetTransparentColor(kRed);  // a key would take the red away: a see-through picture has none

  Bitmap canvas = Draw();  // picture at (34, 4)
  EXPECT_EQ(canvas.At(34, 4), ToPixel(Rgb(0, 0, 200)));
  EXPECT_EQ(canvas.At(35, 4), ToPixel(kRed));
  EXPECT_EQ(canvas.At(44, 14), ToPixel(Rgb(128, 0, 228)));

  // Stretched as a fitted slot: the blend holds over the whole slot.
  slot.SetFitting(true);
  canvas = Draw();
  EXPECT_EQ(canvas.At(0, 20), ToPixel(Rgb(0, 0, 200)));
  EXPECT_EQ(canvas.At(99, 20), ToPixel(kRed));
}

TEST_F(ButtonSlotTest, BackdropSmallerThanTheSlotLeavesTheBackgroundColourOutside) {
  const Bitmap backdrop = Solid(50, 50, kYellow);
  slot.SetBackground(&backdrop);
  const Bitmap canvas = Draw();
  EXPECT_EQ(canvas.At(39, 29), ToPixel(kYellow));
  EXPECT_EQ(canvas.At(40, 29), ToPixel(kBack));
  EXPECT_EQ(canvas.At(39, 30), ToPixel(kBack));
}

TEST_F(ButtonSlotTest, MovableSlotFollowsAPressOnlyBeyondFivePixels) {
  slot.SetMovable(true);
  slot.OnPointerDown({50, 20});
  slot.OnPointerMove({55, 25}, true);
  slot.OnPointerMove({45, 15}, true);
  EXPECT_TRUE(window.control(kId).moves.empty());

  slot.OnPointerMove({56, 20}, false);  // no button held: no drag
  EXPECT_TRUE(window.control(kId).moves.empty());

  slot.OnPointerMove({56, 20}, true);
  EXPECT_EQ(slot.rect(), Rect::FromSize(16, 20, 100, 40));
  EXPECT_EQ(window.GetControlRect(kId), slot.rect());
  // The control followed the finger, which is at the press point again in its coordinates.
  slot.OnPointerMove({50, 20}, true);
  EXPECT_EQ(window.control(kId).moves.size(), 1u);
  slot.OnPointerMove({50, 14}, true);
  EXPECT_EQ(slot.rect(), Rect::FromSize(16, 14, 100, 40));
}

TEST_F(ButtonSlotTest, SlotThatIsNotMovableNeverMoves) {
  slot.OnPointerDown({50, 20});
  slot.OnPointerMove({90, 39}, true);
  EXPECT_TRUE(window.control(kId).moves.empty());
  EXPECT_FALSE(slot.Has(ButtonSlot::kDragging));
}

TEST_F(ButtonSlotTest, PressPlaysTheSoundAndReleaseEndsThePressedState) {
  EXPECT_FALSE(slot.SetSound(u""));
  slot.OnPointerDown({1, 1});
  EXPECT_TRUE(sound.played.empty());
  EXPECT_TRUE(slot.Has(ButtonSlot::kPressed));
  slot.OnPointerUp({1, 1});
  EXPECT_FALSE(slot.Has(ButtonSlot::kPressed));

  EXPECT_TRUE(slot.SetSound(u"\\Wave\\click.wav"));
  slot.OnPointerDown({1, 1});
  EXPECT_EQ(sound.played, std::vector<std::u16string>{u"\\Wave\\click.wav"});
  sound.canPlay = false;
  EXPECT_FALSE(slot.SetSound(u"\\Wave\\click.wav"));
}

TEST_F(ButtonSlotTest, HoverStartsItsTimerAndEndsWhenThePointerLeaves) {
  slot.SetColor(kColorPressedBack, kYellow);
  const int before = window.Invalidations(kId);
  slot.OnPointerMove({5, 5}, false);
  EXPECT_TRUE(slot.Has(ButtonSlot::kHover));
  EXPECT_EQ(window.timers.at(kTimer), 50);
  EXPECT_EQ(window.Invalidations(kId), before + 1);
  EXPECT_EQ(Draw().At(50, 20), ToPixel(kYellow));

  slot.OnHoverTimer({60, 40});  // still inside (window coordinates)
  EXPECT_TRUE(slot.Has(ButtonSlot::kHover));
  slot.OnHoverTimer({110, 40});
  EXPECT_FALSE(slot.Has(ButtonSlot::kHover));
  EXPECT_EQ(window.timers.count(kTimer), 0u);
  EXPECT_EQ(Draw().At(50, 20), ToPixel(kBack));
}

TEST_F(ButtonSlotTest, GaugeFramesReplaceTheNormalPictureStretchedOverTheSlot) {
  pictures.Add(u"\\needle.png", Solid(20, 10, kRed));
  Bitmap frame = Solid(40, 20, kYellow);
  gfx::FillRect(frame, {0, 0, 20, 10}, kBlue);
  pictures.Add(u"\\g\\speed005.png", frame);
  slot.SetPictures(u"", u"\\needle.png", u"");
  slot.SetFrames({{u"\\g\\speed000.png", u"000"}, {u"\\g\\speed005.png", u"005"}});

  Bitmap canvas = Draw();  // frame -1: the normal picture, stretched as a gauge's pictures are
  EXPECT_EQ(canvas.At(0, 0), ToPixel(kRed));
  EXPECT_EQ(canvas.At(99, 39), ToPixel(kRed));

  ASSERT_TRUE(slot.SetFrame(1));
  canvas = Draw();
  EXPECT_EQ(canvas.At(0, 0), ToPixel(kBlue));
  EXPECT_EQ(canvas.At(99, 39), ToPixel(kBlue));

  // The first frame cannot be read: the slot keeps showing the second.
  EXPECT_FALSE(slot.SetFrame(0));
  EXPECT_EQ(slot.currentFrame(), 1);
  EXPECT_FALSE(slot.SetFrame(2));
  ASSERT_TRUE(slot.SetFrame(-1));
  EXPECT_EQ(Draw().At(0, 0), ToPixel(kRed));
}

TEST_F(ButtonSlotTest, GaugeWithoutPicturesShowsNoFrames) {
  pictures.Add(u"\\g\\f.png", Solid(10, 10, kBlue));
  slot.SetFrames({{u"\\g\\f.png", u"000"}});
  ASSERT_TRUE(slot.SetFrame(0));
  const Bitmap canvas = Draw();
  EXPECT_EQ(canvas.At(0, 0), ToPixel(kBack));
  EXPECT_EQ(canvas.At(50, 20), ToPixel(kBack));
}

TEST_F(ButtonSlotTest, FramesAreDecodedOnFirstUseOnlyAndDroppedWithTheirList) {
  std::vector<GaugeFrame> frames;
  for (int i = 0; i < 250; ++i) {
    frames.push_back({u"\\g\\c" + text::FromInt(i) + u".png", text::FromInt(i)});
    pictures.Add(frames.back().path, Solid(4, 4, kBlue));
  }
  slot.SetDisplayKind(u"GAUGE-COURSE");
  slot.SetFrames(frames);
  EXPECT_EQ(slot.frames().size(), ButtonSlot::kMaxFrames);
  EXPECT_TRUE(pictures.decodes.empty());

  ASSERT_TRUE(slot.SetFrame(3));
  ASSERT_TRUE(slot.SetFrame(4));
  ASSERT_TRUE(slot.SetFrame(3));
  EXPECT_EQ(pictures.Decodes(u"\\g\\c3.png"), 1);
  EXPECT_EQ(pictures.decodes.size(), 2u);
  EXPECT_FALSE(slot.SetFrame(200));

  slot.SetDisplayKind(u"GAUGE-COURSE");  // the same kind keeps the list
  EXPECT_EQ(slot.currentFrame(), 3);
  slot.SetDisplayKind(u"GAUGE-SPEED");
  EXPECT_TRUE(slot.frames().empty());
  EXPECT_EQ(slot.currentFrame(), -1);
}

TEST_F(ButtonSlotTest, RefusedIndexesAndCodesChangeNothing) {
  const SlotColors colors = slot.colors();
  EXPECT_FALSE(slot.SetColor(7, kRed, true));
  EXPECT_FALSE(slot.SetColor(-1, kRed, true));
  EXPECT_EQ(slot.colors(), colors);
  ASSERT_TRUE(slot.SetCaptionPosition(1));
  EXPECT_FALSE(slot.SetCaptionPosition(4, true));
  EXPECT_EQ(slot.captionPosition(), 1);
  ASSERT_TRUE(slot.SetCaptionAlignment(0));
  EXPECT_FALSE(slot.SetCaptionAlignment(3, true));
  EXPECT_EQ(slot.captionAlignment(), 0);
  EXPECT_EQ(window.Invalidations(kId), 0);  // refused with a redraw asked: nothing drawn either
}

TEST_F(ButtonSlotTest, SettersRedrawOnlyWhenAsked) {
  slot.SetCaption(u"A");
  slot.SetFitting(true);
  EXPECT_EQ(window.Invalidations(kId), 0);
  slot.SetCaption(u"B", true);
  EXPECT_EQ(window.Invalidations(kId), 1);
}

TEST_F(ButtonSlotTest, StretchedDrawingForFittingAndPictureDisplays) {
  slot.SetPictures(u"", u"\\up.png", u"");
  slot.SetFitting(true);
  EXPECT_EQ(Draw().At(0, 0), ToPixel(kRed));
  slot.SetFitting(false);
  slot.SetDisplayKind(u"DISPLAY-PICTURE1");
  EXPECT_EQ(Draw().At(99, 39), ToPixel(kRed));
  slot.SetDisplayKind(u"DISPLAY-TIME");
  EXPECT_EQ(Draw().At(0, 0), ToPixel(kBack));
}

TEST_F(ButtonSlotTest, BordersAndEditFramesOfAFlatSlot) {
  EXPECT_EQ(Draw({.pressed = true}).At(0, 0), ToPixel(slot.color(kColorPressedBack)));  // flat: none
  slot.SetBordered(true);
  EXPECT_EQ(Draw({.pressed = true}).At(0, 0), ToPixel(gfx::SystemColors::kShadow));
  EXPECT_EQ(Draw().At(0, 0), ToPixel(kBack));  // flat, not hovering: no raised frame
  slot.SetBordered(false);

  slot.SetMovable(true);
  Bitmap canvas = Draw();
  EXPECT_EQ(canvas.At(0, 0), ToPixel(kBack) ^ 0x00FFFFFFu);
  EXPECT_EQ(canvas.At(1, 0), ToPixel(kBack));
  slot.SetMovable(false);
  slot.SetHighlighted(true);
  canvas = Draw();
  EXPECT_EQ(canvas.At(0, 0), ToPixel(kBack));
  EXPECT_EQ(canvas.At(3, 3), ToPixel(kBack) ^ 0x00FFFFFFu);
}

TEST_F(ButtonSlotTest, IconsAreLaidOutAndDrawnWhenThereAreNoPictures) {
  resources.icons[101] = Solid(16, 16, kRed);
  slot.SetIcons(0, {}, 101, {20, 20}, 0, {});
  EXPECT_EQ(PictureAt(Draw()), (gfx::Point{40, 10}));
  EXPECT_EQ(PictureAt(Draw({.disabled = true})), (gfx::Point{40, 10}));
  slot.SetPictures(u"", u"\\down.png", u"");  // pictures replace the icons
  EXPECT_FALSE(slot.HasIcon(ButtonSlot::kNormalPicture));
}

TEST_F(ButtonSlotTest, AnIconsSeeThroughPixelsShowWhatLiesBehindIt) {
  Bitmap icon = Solid(16, 16, kRed);
  icon.Set(0, 0, ToPixel(kMagenta));
  resources.icons[102] = icon;
  slot.SetIcons(0, {}, 102, {}, 0, {});
  const Bitmap canvas = Draw();
  EXPECT_EQ(canvas.At(42, 12), canvas.At(0, 0));  // the background, not the key colour
  EXPECT_EQ(canvas.At(43, 12), ToPixel(kRed));
}

TEST_F(ButtonSlotTest, SettingsApplyAndComeBackForTheWriter) {
  SlotSettings s;
  s.name = u"Button03";
  s.action = u"RUN-NAVIGATION";
  s.motion = u"DISPLAY-TIME";
  s.caption = u"12:00";
  s.backPattern = u"AUTO";
  s.normalPicture = u"\\up.png";
  s.sound = u"\\click.wav";
  s.colors[kColorNormalCaption] = kYellow;
  s.transparentColor = kMagenta;
  s.captionPosition = CaptionPosition::kBelow;
  s.captionAlignment = CaptionAlignment::kRight;
  s.face = u"";
  s.defaultFace = u"Nanum";
  s.captionHeight = 20;
  s.bounds = Rect::FromSize(5, 6, 70, 30);
  s.fitting = true;
  s.visible = true;
  slot.Apply(s);
  EXPECT_TRUE(slot.HasPicture(ButtonSlot::kNormalPicture));
  EXPECT_EQ(window.GetControlRect(kId), *s.bounds);
  EXPECT_EQ(slot.CaptionFont().face, u"Nanum");
  EXPECT_EQ(slot.Settings(), s);

  SlotSettings hidden;  // an unused slot: cleared and hidden
  hidden.bounds = slot.rect();
  slot.Apply(hidden);
  EXPECT_FALSE(window.control(kId).visible);
  EXPECT_FALSE(slot.HasPicture(ButtonSlot::kNormalPicture));
  EXPECT_EQ(slot.Settings(), hidden);
}

}  // namespace
}  // namespace vexa::deck

namespace vexa::deck {
namespace {

TEST(ButtonSlotStackingTest, GaugesGoUnderAndPicturePlacesOverTheOtherSlots) {
  testing::FakeWindow window;
  window.AddControl(1001, {0, 0, 100, 40});
  window.AddControl(1002, {0, 0, 100, 40});
  window.AddControl(1003, {0, 0, 100, 40});
  ButtonSlot gauge(SlotServices{}), picture(SlotServices{}), plain(SlotServices{});
  gauge.Attach(window, 1001, 101);
  picture.Attach(window, 1002, 102);
  plain.Attach(window, 1003, 103);
  SlotSettings settings;
  settings.stacking = SlotStacking::kBottom;
  gauge.Apply(settings);
  settings.stacking = SlotStacking::kTop;
  picture.Apply(settings);
  settings.stacking = SlotStacking::kUnchanged;
  plain.Apply(settings);
  EXPECT_EQ(window.controls[1001].zOrders, std::vector<platform::ui::ZOrder>{platform::ui::ZOrder::kBottom});
  EXPECT_EQ(window.controls[1002].zOrders, std::vector<platform::ui::ZOrder>{platform::ui::ZOrder::kTop});
  EXPECT_TRUE(window.controls[1003].zOrders.empty());
}

}  // namespace
}  // namespace vexa::deck

namespace vexa::deck {
namespace {

TEST(PictureCacheTest, EachFileIsDecodedOnceAtTheScreenSizeUntilCleared) {
  testing::FakePictureDecoder decoder;
  decoder.Add(u"\\Skin\\big.png", gfx::Bitmap(8, 8));
  PictureCache cache(&decoder);
  cache.SetLargest({800, 480});
  SlotServices services;
  services.pictures = &decoder;
  services.cache = &cache;
  std::vector<std::unique_ptr<ButtonSlot>> slots;
  for (int i = 0; i < 40; ++i) {
    slots.push_back(std::make_unique<ButtonSlot>(services));
    // The device's file names are one name in any letter case.
    slots.back()->SetPictures(u"\\Skin\\pressed.png", i % 2 ? u"\\SKIN\\BIG.PNG" : u"\\Skin\\big.png", u"",
                              false);
  }
  // Pictures are decoded when first needed, the pressed ones only when a slot is drawn pressed.
  EXPECT_EQ(decoder.Decodes(u"\\Skin\\big.png"), 0);
  for (auto& slot : slots) {
    Bitmap canvas(90, 90);
    slot->Draw(canvas, DrawItemState{});
  }
  EXPECT_EQ(decoder.Decodes(u"\\Skin\\pressed.png"), 0);
  EXPECT_EQ(decoder.Decodes(u"\\Skin\\big.png"), 1);
  EXPECT_EQ(decoder.Decodes(u"\\SKIN\\BIG.PNG"), 0);
  EXPECT_EQ(decoder.lastLargest, (gfx::Size{800, 480}));
  EXPECT_TRUE(slots.front()->HasPicture(ButtonSlot::kNormalPicture));
  // A missing file is asked for once as well.
  EXPECT_EQ(cache.Get(u"\\Skin\\missing.png"), nullptr);
  EXPECT_EQ(cache.Get(u"\\skin\\missing.png"), nullptr);
  EXPECT_EQ(decoder.Decodes(u"\\Skin\\missing.png"), 1);
  cache.Clear();
  EXPECT_NE(cache.Get(u"\\Skin\\big.png"), nullptr);
  EXPECT_EQ(decoder.Decodes(u"\\Skin\\big.png"), 2);
}

// Decoding ahead of the first paint decodes exactly what that paint would: the picture a slot at rest
// shows, for slots that are shown and lie on the screen, and nothing a press or a disabled slot needs.
TEST(PictureCacheTest, PreparingTheFirstDrawDecodesWhatItShowsAndNothingElse) {
  testing::FakePictureDecoder decoder;
  for (const auto* name : {u"\\n0", u"\\p0", u"\\n1", u"\\n2", u"\\p3", u"\\d3", u"\\n4"}) {
    decoder.Add(name, gfx::Bitmap(4, 4));
  }
  SlotServices services;
  services.pictures = &decoder;
  std::vector<std::unique_ptr<ButtonSlot>> slots;
  for (int i = 0; i < 5; ++i) slots.push_back(std::make_unique<ButtonSlot>(services));
  slots[0]->SetPictures(u"\\p0", u"\\n0", u"");
  slots[0]->Place(gfx::Rect{0, 0, 10, 10}, false);
  slots[1]->SetPictures(u"", u"\\n1", u"");  // hidden
  slots[1]->Place(gfx::Rect{0, 0, 10, 10}, false);
  slots[1]->Show(false);
  slots[2]->SetPictures(u"", u"\\n2", u"");  // beyond the screen's right edge
  slots[2]->Place(gfx::Rect{800, 0, 810, 10}, false);
  slots[3]->SetPictures(u"\\p3", u"", u"\\d3");  // no normal picture: the pressed one shows at rest
  slots[3]->Place(gfx::Rect{790, 470, 800, 480}, false);
  slots[4]->SetPictures(u"", u"\\n4", u"");  // no size
  for (const auto& slot : slots) slot->PrepareFirstDraw({800, 480});
  EXPECT_EQ(decoder.decodes, (std::map<std::u16string, int>{{u"\\n0", 1}, {u"\\p3", 1}}));
  // The paint that follows decodes nothing again.
  Bitmap canvas(10, 10);
  slots[0]->Draw(canvas, DrawItemState{});
  slots[3]->Draw(canvas, DrawItemState{});
  EXPECT_EQ(decoder.decodes, (std::map<std::u16string, int>{{u"\\n0", 1}, {u"\\p3", 1}}));
}

}  // namespace
}  // namespace vexa::deck
