#include "common/gfx/Bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::gfx {
namespace {

using Rows = std::vector<std::string>;

constexpr Pixel kMagenta = 0xFFFF00FFu;

Pixel Inverted(Pixel p) {
  return p ^ 0x00FFFFFFu;
}

// Test pictures are written as rows of characters, one a pixel. Most characters stand for a colour of
// their own (blue = the character's code); a few stand for the colours the drawing uses.
Pixel Px(char c) {
  switch (c) {
    case 'M':
      return kMagenta;
    case 'H':
      return ToPixel(SystemColors::kHighlight);
    case 'S':
      return ToPixel(SystemColors::kShadow);
    case '*':
      return Inverted(0xFF000000u | '.');
    default:
      return 0xFF000000u | static_cast<unsigned char>(c);
  }
}

char CharOf(Pixel p) {
  for (char c : std::string_view("MHS*")) {
    if (p == Px(c)) return c;
  }
  return (p & 0xFFFFFF00u) == 0xFF000000u ? static_cast<char>(p & 0xFF) : '?';
}

Bitmap Picture(std::initializer_list<std::string_view> rows) {
  Bitmap b(static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()));
  int y = 0;
  for (auto row : rows) {
    for (int x = 0; x < b.width(); ++x) b.Set(x, y, Px(row[x]));
    ++y;
  }
  return b;
}

Bitmap Blank(int width, int height) {
  return Bitmap(width, height, Px('.'));
}

Rows RowsOf(const Bitmap& b) {
  Rows rows;
  for (int y = 0; y < b.height(); ++y) {
    std::string row;
    for (int x = 0; x < b.width(); ++x) row += CharOf(b.At(x, y));
    rows.push_back(row);
  }
  return rows;
}

// A bitmap in which every pixel differs, to see exactly which pixels an operation touched.
Bitmap Varied(int width, int height) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) b.Set(x, y, 0xFF000000u | static_cast<Pixel>(y * 4099 + x * 37));
  }
  return b;
}

TEST(ColorTest, ColourWordsAndPixelsConvertBothWays) {
  EXPECT_EQ(ToPixel(Rgb(0x12, 0x34, 0x56)), 0xFF123456u);
  EXPECT_EQ(ToColorRef(0xFF123456u), Rgb(0x12, 0x34, 0x56));
  EXPECT_EQ(ToColorRef(0x00123456u), Rgb(0x12, 0x34, 0x56)) << "the alpha byte is no part of the colour";
  for (ColorRef c : {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 0, 255), Rgb(1, 2, 3), ColorRef{0x282828}}) {
    EXPECT_EQ(ToColorRef(ToPixel(c)), c);
  }
}

TEST(BitmapTest, PixelsOutsideReadAsZeroAndIgnoreWrites) {
  Bitmap b(2, 2, Px('a'));
  b.Set(2, 0, Px('b'));
  b.Set(-1, 1, Px('b'));
  EXPECT_EQ(RowsOf(b), (Rows{"aa", "aa"}));
  EXPECT_EQ(b.At(0, 2), 0u);
  EXPECT_TRUE(Bitmap(-3, 4).empty());
}

const Bitmap kNine = Picture({"abc", "def", "ghi"});

TEST(CopyTest, CopiesTheSourceRectangleToThePoint) {
  Bitmap dst = Blank(5, 4);
  Copy(dst, {2, 1}, kNine, {1, 0, 3, 2});
  EXPECT_EQ(RowsOf(dst), (Rows{".....", "..bc.", "..ef.", "....."}));
}

TEST(CopyTest, ClipsAtEveryEdgeOfBothBitmapsKeepingPixelsInPlace) {
  Bitmap dst = Blank(4, 4);
  Copy(dst, {-1, -1}, kNine, kNine.bounds());
  EXPECT_EQ(RowsOf(dst), (Rows{"ef..", "hi..", "....", "...."})) << "destination left and top";

  dst = Blank(4, 4);
  Copy(dst, {2, 2}, kNine, kNine.bounds());
  EXPECT_EQ(RowsOf(dst), (Rows{"....", "....", "..ab", "..de"})) << "destination right and bottom";

  dst = Blank(4, 4);
  Copy(dst, {0, 0}, kNine, {-1, -1, 2, 2});
  EXPECT_EQ(RowsOf(dst), (Rows{"....", ".ab.", ".de.", "...."})) << "source left and top";

  dst = Blank(4, 4);
  Copy(dst, {0, 0}, kNine, {1, 1, 5, 5});
  EXPECT_EQ(RowsOf(dst), (Rows{"ef..", "hi..", "....", "...."})) << "source right and bottom";
}

TEST(CopyTest, EmptyMirroredOrFarAwayRectanglesDrawNothing) {
  Bitmap dst = Blank(3, 3);
  Copy(dst, {0, 0}, kNine, {2, 0, 0, 2});
  Copy(dst, {0, 0}, kNine, {0, 2, 2, 0});
  Copy(dst, {0, 0}, kNine, {1, 1, 1, 3});
  Copy(dst, {INT_MAX, INT_MIN}, kNine, kNine.bounds());
  Copy(dst, {0, 0}, kNine, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  Copy(dst, {0, 0}, Bitmap(), {0, 0, 3, 3});
  EXPECT_EQ(RowsOf(dst), (Rows{"...", "...", "..."}));

  // The source's (0, 0) lands on the destination's (0, 0) however far apart the corners are.
  Copy(dst, {INT_MIN, INT_MIN}, kNine, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(RowsOf(dst), (Rows{"abc", "def", "ghi"}));
}

TEST(CopyTest, OverlappingCopyWithinOneBitmapMovesTheOriginalPixels) {
  Bitmap b = Picture({"abcd", "efgh", "ijkl"});
  Copy(b, {1, 1}, b, {0, 0, 3, 2});
  EXPECT_EQ(RowsOf(b), (Rows{"abcd", "eabc", "iefg"}));

  b = Picture({"abcd", "efgh", "ijkl"});
  Copy(b, {0, 0}, b, {1, 1, 4, 3});
  EXPECT_EQ(RowsOf(b), (Rows{"fghd", "jklh", "ijkl"}));
}

TEST(StretchCopyTest, EnlargesAndShrinksToTheNearestPixelWithoutKeepingTheAspectRatio) {
  Bitmap dst = Blank(5, 1);
  StretchCopy(dst, {0, 0, 5, 1}, Picture({"ab"}), {0, 0, 2, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{"aabbb"})) << "pixel centres 0.5, 1.5, 2.5... of 5 over 2";

  dst = Blank(3, 1);
  StretchCopy(dst, {0, 0, 3, 1}, Picture({"ab"}), {0, 0, 2, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{"abb"}));

  dst = Blank(2, 1);
  StretchCopy(dst, {0, 0, 2, 1}, Picture({"abcd"}), {0, 0, 4, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{"bd"}));
  StretchCopy(dst, {0, 0, 2, 1}, Picture({"abc"}), {0, 0, 3, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{"ac"}));

  dst = Blank(4, 3);
  StretchCopy(dst, {0, 0, 4, 3}, Picture({"ab", "cd"}), {0, 0, 2, 2});
  EXPECT_EQ(RowsOf(dst), (Rows{"aabb", "ccdd", "ccdd"}));

  dst = Blank(2, 2);
  StretchCopy(dst, {0, 0, 2, 2}, Picture({"abcd", "efgh", "ijkl", "mnop"}), {0, 0, 4, 4});
  EXPECT_EQ(RowsOf(dst), (Rows{"fh", "np"}));
}

TEST(StretchCopyTest, EqualSizesCopyAndPartOfTheSourceCanBeTaken) {
  Bitmap dst = Blank(4, 2);
  StretchCopy(dst, {1, 0, 3, 2}, kNine, {1, 1, 3, 3});
  EXPECT_EQ(RowsOf(dst), (Rows{".ef.", ".hi."}));
  StretchCopy(dst, {0, 0, 4, 1}, kNine, {2, 0, 3, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{"cccc", ".hi."}));
}

TEST(StretchCopyTest, ClippingTheDestinationLeavesEveryOtherPixelWhereItWouldBe) {
  const Bitmap src = Picture({"abc", "def"});
  const int kOffset = 20;
  for (const Rect to : {Rect{-2, -1, 5, 4}, Rect{3, 2, 9, 8}, Rect{-4, -4, 10, 10}, Rect{-1, 3, 1, 6}}) {
    for (const Rect from : {src.bounds(), Rect{1, 0, 3, 2}}) {
      Bitmap whole = Blank(50, 50);
      StretchCopy(whole, to.Offset(kOffset, kOffset), src, from);
      Bitmap clipped = Blank(6, 5);
      StretchCopy(clipped, to, src, from);
      Bitmap expected = Blank(6, 5);
      Copy(expected, {0, 0}, whole, {kOffset, kOffset, kOffset + 6, kOffset + 5});
      EXPECT_EQ(RowsOf(clipped), RowsOf(expected))
          << to.left << "," << to.top << "," << to.right << "," << to.bottom << " from " << from.left;
    }
  }
}

TEST(StretchCopyTest, DestinationPixelsWhoseSourceIsOutsideTheBitmapAreLeftAlone) {
  const Bitmap src = Picture({"abc"});
  Bitmap dst = Blank(8, 1);
  StretchCopy(dst, {0, 0, 8, 1}, src, {-1, 0, 3, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{"..aabbcc"}));
  dst = Blank(8, 1);
  StretchCopy(dst, {0, 0, 8, 1}, src, {1, 0, 5, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{"bbcc...."}));
  dst = Blank(4, 1);
  StretchCopy(dst, {0, 0, 4, 1}, src, {-1, 0, 3, 1});
  EXPECT_EQ(RowsOf(dst), (Rows{".abc"}));
}

TEST(StretchCopyTest, EmptyMirroredOrHugeRectanglesDrawNothing) {
  Bitmap dst = Blank(3, 2);
  StretchCopy(dst, {3, 0, 0, 2}, kNine, kNine.bounds());
  StretchCopy(dst, {0, 0, 3, 2}, kNine, {3, 0, 0, 3});
  StretchCopy(dst, {0, 0, 0, 2}, kNine, kNine.bounds());
  StretchCopy(dst, {0, 0, 3, 2}, kNine, {0, 0, 3, 0});
  StretchCopy(dst, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kNine, kNine.bounds());
  StretchCopy(dst, {0, 0, 3, 2}, kNine, {INT_MIN, 0, INT_MAX, 3});
  EXPECT_EQ(RowsOf(dst), (Rows{"...", "..."}));
}

TEST(KeyedCopyTest, SkipsSourcePixelsOfAnExplicitKeyComparingColourOnly) {
  Bitmap src = Picture({"Mkb", "kcM"});
  src.Set(2, 0, Px('k') & 0x00FFFFFFu);  // the key's colour with another alpha byte
  Bitmap dst = Blank(3, 2);
  KeyedCopy(dst, dst.bounds(), src, src.bounds(), ToColorRef(Px('k')));
  EXPECT_EQ(RowsOf(dst), (Rows{"M..", ".cM"}));
}

TEST(KeyedCopyTest, AutomaticKeyIsTheTopLeftPixelOfTheWholeSource) {
  const Bitmap src = Picture({"Mab", "cMd", "MMe"});
  Bitmap dst = Blank(3, 3);
  KeyedCopy(dst, dst.bounds(), src, src.bounds(), kAutoTransparent);
  EXPECT_EQ(RowsOf(dst), (Rows{".ab", "c.d", "..e"})) << "every magenta pixel shows the background";

  dst = Blank(2, 2);
  KeyedCopy(dst, dst.bounds(), src, {1, 1, 3, 3}, kAutoTransparent);
  EXPECT_EQ(RowsOf(dst), (Rows{".d", ".e"})) << "a part without (0, 0) still takes its colour";

  dst = Blank(3, 1);
  KeyedCopy(dst, dst.bounds(), Picture({"aMa"}), {0, 0, 3, 1}, kAutoTransparent);
  EXPECT_EQ(RowsOf(dst), (Rows{".M."})) << "magenta is no key of its own";
}

TEST(KeyedCopyTest, StretchesLikeStretchCopyAndClips) {
  Bitmap dst = Blank(5, 3);
  KeyedCopy(dst, {-1, 0, 5, 2}, Picture({"Mab"}), {0, 0, 3, 1}, kAutoTransparent);
  EXPECT_EQ(RowsOf(dst), (Rows{".aabb", ".aabb", "....."}));
  dst = Blank(2, 1);
  KeyedCopy(dst, dst.bounds(), Picture({"MaMb"}), {0, 0, 4, 1}, kAutoTransparent);
  EXPECT_EQ(RowsOf(dst), (Rows{"ab"}));
  KeyedCopy(dst, {2, 0, 0, 1}, Picture({"cd"}), {0, 0, 2, 1}, kAutoTransparent);
  KeyedCopy(dst, dst.bounds(), Bitmap(), {0, 0, 2, 1}, kAutoTransparent);
  EXPECT_EQ(RowsOf(dst), (Rows{"ab"}));
}

TEST(BlendCopyTest, BlendsEachPixelByItsAlphaIntoAnOpaqueResult) {
  Bitmap icon(3, 1);
  icon.Set(0, 0, 0x00FFFFFFu);
  icon.Set(1, 0, 0x80FFFFFFu);
  icon.Set(2, 0, 0xFF102030u);
  Bitmap dst(4, 1, 0xFF000000u);
  DrawIcon(dst, {1, 0}, icon);
  EXPECT_EQ(dst.At(0, 0), 0xFF000000u);
  EXPECT_EQ(dst.At(1, 0), 0xFF000000u);
  EXPECT_EQ(dst.At(2, 0), 0xFF808080u);
  EXPECT_EQ(dst.At(3, 0), 0xFF102030u);
}

TEST(BlendStretchTest, EnlargesByNearestPixelBlendingEachOverTheDestinationAndClips) {
  Bitmap picture(2, 1);
  picture.Set(0, 0, 0x00FFFFFFu);
  picture.Set(1, 0, 0x80FFFFFFu);
  Bitmap dst(5, 2, 0xFF000000u);
  // Twice as wide and reaching one pixel past the right edge.
  BlendStretch(dst, {2, 0, 6, 2}, picture, picture.bounds());
  EXPECT_EQ(dst.At(2, 0), 0xFF000000u);
  EXPECT_EQ(dst.At(3, 1), 0xFF000000u);
  EXPECT_EQ(dst.At(4, 0), 0xFF808080u);
  EXPECT_EQ(dst.At(4, 1), 0xFF808080u);
  EXPECT_EQ(dst.At(1, 0), 0xFF000000u);
  // Onto itself: drawn from a copy of what was there.
  BlendStretch(dst, dst.bounds(), dst, dst.bounds());
  EXPECT_EQ(dst.At(4, 0), 0xFF808080u);
}

TEST(FillRectTest, FillsTheClippedRectangleOnly) {
  Bitmap dst = Blank(4, 4);
  FillRect(dst, {-1, -1, 2, 2}, ToColorRef(Px('a')));
  FillRect(dst, {3, 2, 10, 10}, ToColorRef(Px('b')));
  FillRect(dst, {3, 0, 1, 2}, ToColorRef(Px('c')));
  EXPECT_EQ(RowsOf(dst), (Rows{"aa..", "aa..", "...b", "...b"}));
}

TEST(FrameTest, FrameRectDrawsTheOnePixelEdge) {
  Bitmap dst = Blank(5, 4);
  FrameRect(dst, {0, 0, 4, 3}, ToColorRef(Px('a')));
  EXPECT_EQ(RowsOf(dst), (Rows{"aaaa.", "a..a.", "aaaa.", "....."}));
}

TEST(FrameTest, RaisedAndSunkenFramesColourTheirSides) {
  Bitmap dst = Blank(6, 5);
  DrawRaisedFrame(dst, {1, 1, 5, 4});
  EXPECT_EQ(RowsOf(dst), (Rows{"......", ".HHHS.", ".H..S.", ".SSSS.", "......"}));

  dst = Blank(6, 5);
  DrawSunkenFrame(dst, {1, 1, 5, 4});
  EXPECT_EQ(RowsOf(dst), (Rows{"......", ".SSSH.", ".S..H.", ".HHHH.", "......"}));

  dst = Blank(3, 3);
  DrawRaisedFrame(dst, {-1, -1, 2, 2});
  DrawRaisedFrame(dst, {2, 0, 1, 3});
  EXPECT_EQ(RowsOf(dst), (Rows{".S.", "SS.", "..."})) << "clipped, and a mirrored one draws nothing";
}

TEST(FocusRectTest, InvertsEveryOtherEdgePixelStartingAtTheTopLeft) {
  Bitmap dst = Blank(8, 6);
  DrawFocusRect(dst, {1, 1, 6, 5});
  EXPECT_EQ(RowsOf(dst), (Rows{"........",  //
                               ".*.*.*..",  //
                               "........",  //
                               ".*...*..",  //
                               "..*.*...",  //
                               "........"}));

  dst = Blank(6, 3);
  DrawFocusRect(dst, {1, 1, 6, 2});
  DrawFocusRect(dst, {0, 0, 1, 3});
  EXPECT_EQ(RowsOf(dst), (Rows{"*.....", ".*.*.*", "*....."})) << "one pixel high and one wide";

  dst = Blank(4, 4);
  DrawFocusRect(dst, {-1, -1, 3, 3});
  EXPECT_EQ(RowsOf(dst), (Rows{"..*.", "....", "*.*.", "...."})) << "clipping leaves the dots in place";
}

TEST(FocusRectTest, DrawingTheSameFrameTwiceRestoresTheBitmap) {
  const Bitmap original = Varied(9, 7);
  for (const Rect r :
       {Rect{1, 1, 6, 5}, Rect{-2, -3, 4, 2}, Rect{2, 2, 3, 3}, Rect{0, 2, 9, 3}, Rect{3, 0, 4, 7},
        Rect{1, 1, 3, 3}, Rect{5, 4, 14, 12}, Rect{0, 0, 9, 7}, Rect{2, 1, 5, 3}}) {
    Bitmap b = original;
    DrawFocusRect(b, r);
    EXPECT_NE(b.pixels(), original.pixels());
    DrawFocusRect(b, r);
    EXPECT_EQ(b.pixels(), original.pixels()) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

}  // namespace
}  // namespace vexa::gfx

namespace vexa::gfx {
namespace {

// Every drawing operation on a canvas that holds only part of its picture gives, inside that part,
// exactly the pixels the whole canvas would hold.
TEST(PartialBitmapTest, DrawingOnAPartialCanvasMatchesTheWholeCanvasInsideItsStoredPart) {
  Bitmap picture(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) picture.Set(x, y, 0xFF000000u | static_cast<Pixel>(y * 16 + x));
  const Rect stored{3, 2, 11, 9};
  auto drawAll = [&](Bitmap& canvas) {
    FillRect(canvas, {1, 1, 9, 4}, Rgb(10, 20, 30));
    StretchCopy(canvas, {-4, 0, 13, 12}, picture, picture.bounds());
    KeyedCopy(canvas, {2, 3, 12, 8}, picture, {1, 1, 6, 4}, kAutoTransparent);
    Copy(canvas, {5, 6}, picture, picture.bounds());
    BlendCopy(canvas, {0, 7}, picture, picture.bounds());
    DrawFocusRect(canvas, {2, 1, 12, 10});
    DrawRaisedFrame(canvas, {4, 3, 9, 8});
  };
  Bitmap whole(12, 10, 0xFF123456u);
  Bitmap part({12, 10}, stored, 0xFF123456u);
  drawAll(whole);
  drawAll(part);
  EXPECT_EQ(part.bounds(), whole.bounds());
  EXPECT_EQ(part.stored(), stored);
  EXPECT_EQ(part.pixels().size(), 8u * 7u);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      const Pixel expected = stored.Contains({x, y}) ? whole.At(x, y) : 0;
      EXPECT_EQ(part.At(x, y), expected) << x << "," << y;
    }
  }
  // A partial canvas can itself be the source of a copy.
  Bitmap copy(12, 10, 0xFF000000u);
  Copy(copy, {0, 0}, part, part.bounds());
  EXPECT_EQ(copy.At(3, 2), whole.At(3, 2));
  EXPECT_EQ(copy.At(0, 0), 0xFF000000u);
}

TEST(PartialBitmapTest, AHugePictureCostsOnlyItsStoredPart) {
  Bitmap canvas({100000, 100000}, {100, 100, 900, 580});
  EXPECT_EQ(canvas.pixels().size(), 800u * 480u);
  Bitmap source(4, 4, 0xFF00FF00u);
  StretchCopy(canvas, canvas.bounds(), source, source.bounds());
  EXPECT_EQ(canvas.At(500, 300), 0xFF00FF00u);
  // A stored part outside the picture keeps nothing.
  Bitmap outside({10, 10}, {20, 20, 30, 30});
  EXPECT_TRUE(outside.pixels().empty());
  FillRect(outside, outside.bounds(), Rgb(1, 2, 3));
  EXPECT_EQ(outside.At(5, 5), 0u);
}

TEST(GeometryTest, SumsAndDifferencesSaturateAtTheIntRange) {
  EXPECT_EQ(Rect::FromSize(2000000000, 0, 2000000000, 10), (Rect{2000000000, 0, INT_MAX, 10}));
  EXPECT_EQ(Rect::FromSize(-2000000000, 0, -2000000000, 10).right, INT_MIN);
  EXPECT_EQ((Rect{INT_MIN, 0, INT_MAX, 1}).width(), INT_MAX);
  EXPECT_EQ((Rect{INT_MAX, 0, INT_MIN, 1}).width(), INT_MIN);
  EXPECT_EQ((Rect{0, 0, 10, 10}).Offset(INT_MAX, INT_MIN), (Rect{INT_MAX, INT_MIN, INT_MAX, INT_MIN + 10}));
  EXPECT_EQ((Rect{INT_MIN, 0, INT_MAX, 1}).Inflate(5, 0), (Rect{INT_MIN, 0, INT_MAX, 1}));
}

}  // namespace
}  // namespace vexa::gfx
