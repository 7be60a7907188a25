#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QFontDatabase>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtFontRegistry.h"
#include "platform/qt/QtPictureDecoder.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/QtTextRenderer.h"
#include "platform/ui/ResourceIds.h"
#include "tests/support/TempDeviceTree.h"

// Under the leak checker: the host's font configuration library keeps a few hundred bytes of its
// set-up unreachable for the life of the process, once, whenever Qt first looks at fonts. That is
// not ours to free; every other leak is still reported. (One definition for the whole test program.)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace vexa::platform {
namespace {

using gfx::Bitmap;
using gfx::Pixel;
using gfx::Rect;

// One application for the whole test program, on the offscreen platform; other suites in this
// program may have made it already.
void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "vexa_qt_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives until the program ends
}

constexpr Pixel kWhite = 0xFFFFFFFFu;

std::string Bytes(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes.toStdString();
}

// A GIF of 4 colours (red, green, blue, white) with one frame per entry of `frames`, each a list of
// colour indexes. The LZW stream sends a clear code before every pixel, so codes stay 3 bits wide.
std::string Gif(int width, int height, const std::vector<std::vector<int>>& frames) {
  auto le16 = [](int v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
  std::string gif = "GIF89a" + le16(width) + le16(height) + std::string("\x81\0\0", 3);
  gif += std::string("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 12);
  for (const auto& pixels : frames) {
    gif += "," + le16(0) + le16(0) + le16(width) + le16(height) + std::string(1, '\0');
    gif += '\x02';
    std::string data;
    unsigned bits = 0;
    int count = 0;
    auto put = [&](unsigned code) {
      bits |= code << count;
      count += 3;
      while (count >= 8) {
        data += static_cast<char>(bits & 0xFF);
        bits >>= 8;
        count -= 8;
      }
    };
    for (int index : pixels) {
      put(4);
      put(static_cast<unsigned>(index));
    }
    put(5);
    if (count > 0) data += static_cast<char>(bits & 0xFF);
    for (std::size_t at = 0; at < data.size(); at += 255) {
      const std::string block = data.substr(at, 255);
      gif += static_cast<char>(block.size());
      gif += block;
    }
    gif += '\0';
  }
  return gif + ";";
}

int Channel(Pixel p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

bool Near(Pixel a, Pixel b, int tolerance) {
  return std::abs(Channel(a, 16) - Channel(b, 16)) <= tolerance &&
         std::abs(Channel(a, 8) - Channel(b, 8)) <= tolerance && std::abs(Channel(a, 0) - Channel(b, 0)) <= tolerance;
}

class QtPictureDecoderTest : public ::testing::Test {
 protected:
  QtPictureDecoderTest() : files_(tree_.root().string()), decoder_(files_) {
    EnsureApplication();
    // 16 × 12: the left half red, the right half blue.
    picture_ = QImage(16, 12, QImage::Format_RGB32);
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 16; ++x) picture_.setPixel(x, y, x < 8 ? 0xFFFF0000u : 0xFF0000FFu);
    }
  }

  testing::TempDeviceTree tree_;
  PosixFileSystem files_;
  QtPictureDecoder decoder_;
  QImage picture_;
};

TEST_F(QtPictureDecoderTest, DecodesEachFormatAtItsOwnSize) {
  for (const char* format : {"bmp", "png", "jpg"}) {
    tree_.WriteHostFile(std::string("Skin/picture.") + format, Bytes(picture_, format));
    const auto bitmap = decoder_.Decode(u"\\Skin\\PICTURE." + std::u16string(format, format + 3));
    ASSERT_TRUE(bitmap) << format;
    EXPECT_EQ(bitmap->size(), (gfx::Size{16, 12})) << format;
    // JPEG is lossy; the others exact.
    const int tolerance = std::string(format) == "jpg" ? 24 : 0;
    EXPECT_TRUE(Near(bitmap->At(2, 6), 0xFFFF0000u, tolerance)) << format << std::hex << bitmap->At(2, 6);
    EXPECT_TRUE(Near(bitmap->At(13, 6), 0xFF0000FFu, tolerance)) << format << std::hex << bitmap->At(13, 6);
    EXPECT_EQ(bitmap->At(13, 6) >> 24, 0xFFu);
  }
}

TEST_F(QtPictureDecoderTest, APictureLargerThanTheScreenIsReducedKeepingItsAspectButABitmapFileIsNot) {
  const QImage large = picture_.scaled(1600, 1200);
  for (const char* format : {"png", "jpg", "bmp"}) {
    tree_.WriteHostFile(std::string("Skin/large.") + format, Bytes(large, format));
    const auto bitmap = decoder_.Decode(u"\\Skin\\large." + std::u16string(format, format + 3), gfx::Size{800, 480});
    ASSERT_TRUE(bitmap) << format;
    if (std::string(format) == "bmp") {
      EXPECT_EQ(bitmap->size(), (gfx::Size{1600, 1200}));
    } else {
      EXPECT_EQ(bitmap->size(), (gfx::Size{640, 480})) << format;
      EXPECT_TRUE(Near(bitmap->At(100, 240), 0xFFFF0000u, 24)) << format;
      EXPECT_TRUE(Near(bitmap->At(540, 240), 0xFF0000FFu, 24)) << format;
    }
  }
  // A picture that fits is left at its size.
  tree_.WriteHostFile("Skin/small.png", Bytes(picture_, "png"));
  EXPECT_EQ(decoder_.Decode(u"\\Skin\\small.png", gfx::Size{800, 480})->size(), (gfx::Size{16, 12}));
}

TEST_F(QtPictureDecoderTest, AGifGivesItsFirstFrame) {
  // Frame one: red, green / blue, white. Frame two: all white.
  tree_.WriteHostFile("Skin/anim.gif", Gif(2, 2, {{0, 1, 2, 3}, {3, 3, 3, 3}}));
  const auto bitmap = decoder_.Decode(u"\\Skin\\anim.gif");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->size(), (gfx::Size{2, 2}));
  EXPECT_EQ(bitmap->At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(bitmap->At(1, 0), 0xFF00FF00u);
  EXPECT_EQ(bitmap->At(0, 1), 0xFF0000FFu);
  EXPECT_EQ(bitmap->At(1, 1), 0xFFFFFFFFu);
}

TEST_F(QtPictureDecoderTest, TheContentDecidesTheFormatNotTheName) {
  tree_.WriteHostFile("Skin/really-a-bmp.jpg", Bytes(picture_, "bmp"));
  const auto bitmap = decoder_.Decode(u"\\Skin\\really-a-bmp.jpg");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->At(0, 0), 0xFFFF0000u);
}

TEST_F(QtPictureDecoderTest, SeeThroughPixelsBecomeOpaqueKeepingTheirColour) {
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, 0x800AC81Eu);  // half see-through
  image.setPixel(1, 0, 0xFF123456u);
  tree_.WriteHostFile("Skin/alpha.png", Bytes(image, "png"));
  const auto bitmap = decoder_.Decode(u"\\Skin\\alpha.png");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->At(0, 0), 0xFF0AC81Eu);
  EXPECT_EQ(bitmap->At(1, 0), 0xFF123456u);
}

TEST_F(QtPictureDecoderTest, WithAlphaOnlyAPngWithSeeThroughPixelsKeepsItsAlpha) {
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, 0x800AC81Eu);
  image.setPixel(1, 0, 0xFF123456u);
  tree_.WriteHostFile("Skin/alpha.png", Bytes(image, "png"));
  auto bitmap = decoder_.DecodeWithAlpha(u"\\Skin\\ALPHA.PNG");
  ASSERT_TRUE(bitmap);
  EXPECT_TRUE(bitmap->translucent());
  EXPECT_EQ(bitmap->At(0, 0), 0x800AC81Eu);
  EXPECT_EQ(bitmap->At(1, 0), 0xFF123456u);
  // Reduced to the largest size, it keeps its alpha too.
  tree_.WriteHostFile("Skin/big.png", Bytes(image.scaled(40, 20), "png"));
  bitmap = decoder_.DecodeWithAlpha(u"\\Skin\\big.png", gfx::Size{20, 10});
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->size(), (gfx::Size{20, 10}));
  EXPECT_TRUE(bitmap->translucent());

  // An alpha channel that covers every pixel and a bitmap file stay opaque and keyed, as skins made
  // for the device expect.
  QImage opaque(2, 1, QImage::Format_ARGB32);
  opaque.fill(0xFFFF00FFu);
  tree_.WriteHostFile("Skin/opaque.png", Bytes(opaque, "png"));
  tree_.WriteHostFile("Skin/alpha.bmp", Bytes(picture_, "bmp"));
  for (const char16_t* path : {u"\\Skin\\opaque.png", u"\\Skin\\alpha.bmp"}) {
    bitmap = decoder_.DecodeWithAlpha(path);
    ASSERT_TRUE(bitmap);
    EXPECT_FALSE(bitmap->translucent());
    EXPECT_EQ(bitmap->At(0, 0) >> 24, 0xFFu);
  }
  EXPECT_FALSE(decoder_.Decode(u"\\Skin\\alpha.png")->translucent());
}

TEST_F(QtPictureDecoderTest, MissingUnreadableOrCutOffFilesGiveNothing) {
  tree_.WriteHostFile("Skin/text.png", "this is not a picture");
  tree_.WriteHostFile("Skin/empty.bmp", "");
  tree_.WriteHostFile("Skin/cut.png", Bytes(picture_, "png").substr(0, 30));
  tree_.MakeDir("Skin/folder.png");
  EXPECT_FALSE(decoder_.Decode(u"\\Skin\\missing.png"));
  EXPECT_FALSE(decoder_.Decode(u"\\Skin\\text.png"));
  EXPECT_FALSE(decoder_.Decode(u"\\Skin\\empty.bmp"));
  EXPECT_FALSE(decoder_.Decode(u"\\Skin\\cut.png"));
  EXPECT_FALSE(decoder_.Decode(u"\\Skin\\folder.png"));
  EXPECT_FALSE(decoder_.Decode(u"\\..\\etc\\passwd"));
}

// --- fonts

const char kNanumGothic[] = "/usr/share/fonts/truetype/nanum/NanumGothic.ttf";

std::string HostFileBytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class QtFontRegistryTest : public ::testing::Test {
 protected:
  QtFontRegistryTest() : files_(tree_.root().string()), fonts_(files_) { EnsureApplication(); }

  testing::TempDeviceTree tree_;
  PosixFileSystem files_;
  QtFontRegistry fonts_;
};

TEST_F(QtFontRegistryTest, AFontFileIsAddedAndRemovedAsOftenAsItWasAdded) {
  if (!std::filesystem::exists(kNanumGothic)) GTEST_SKIP() << "no TrueType font to register";
  tree_.WriteHostFile("Skin/_common/Font/Gothic.ttf", HostFileBytes(kNanumGothic));
  EXPECT_TRUE(fonts_.Add(u"\\Skin\\_common\\Font\\Gothic.ttf"));
  EXPECT_TRUE(fonts_.Add(u"\\SKIN\\_Common\\font\\gothic.TTF"));  // the same file, spelled otherwise
  EXPECT_TRUE(fonts_.Remove(u"\\skin\\_common\\font\\gothic.ttf"));
  EXPECT_TRUE(fonts_.Remove(u"\\Skin\\_common\\Font\\Gothic.ttf"));
  EXPECT_FALSE(fonts_.Remove(u"\\Skin\\_common\\Font\\Gothic.ttf"));
}

TEST_F(QtFontRegistryTest, AFontIsHandedToTheDatabaseOnlyWhenAFaceItMayHoldIsAskedFor) {
  if (!std::filesystem::exists(kNanumGothic)) GTEST_SKIP() << "no TrueType font to register";
  tree_.WriteHostFile("Skin/_common/Font/Gothic.ttf", HostFileBytes(kNanumGothic));
  ASSERT_TRUE(fonts_.Add(u"\\Skin\\_common\\Font\\Gothic.ttf"));
  EXPECT_EQ(fonts_.pending(), 1u);
  QtTextRenderer text;
  Bitmap bitmap(100, 30);
  FontSpec installed;
  installed.face = u"System";
  text.DrawText(bitmap, bitmap.bounds(), u"Hi", installed, gfx::Rgb(255, 255, 255), ui::TextAlign::kLeft);
  EXPECT_EQ(fonts_.pending(), 1u);  // the database had the face: no scan
  FontSpec unknown;
  unknown.face = u"A face nobody has";
  text.DrawText(bitmap, bitmap.bounds(), u"Hi", unknown, gfx::Rgb(255, 255, 255), ui::TextAlign::kLeft);
  EXPECT_EQ(fonts_.pending(), 0u);
  EXPECT_TRUE(fonts_.Remove(u"\\Skin\\_common\\Font\\Gothic.ttf"));
  // Listing the families hands pending fonts over as well.
  ASSERT_TRUE(fonts_.Add(u"\\Skin\\_common\\Font\\Gothic.ttf"));
  fonts_.Families();
  EXPECT_EQ(fonts_.pending(), 0u);
}

TEST_F(QtFontRegistryTest, FilesThatAreNotFontsAreRefused) {
  tree_.WriteHostFile("Skin/_common/Font/readme.ttf", "not a font");
  EXPECT_FALSE(fonts_.Add(u"\\Skin\\_common\\Font\\readme.ttf"));
  EXPECT_FALSE(fonts_.Add(u"\\Skin\\_common\\Font\\missing.ttf"));
  EXPECT_FALSE(fonts_.Remove(u"\\Skin\\_common\\Font\\readme.ttf"));
  EXPECT_FALSE(fonts_.Remove(u"\\Skin\\never-added.ttf"));
}

TEST_F(QtFontRegistryTest, FamiliesAreSortedAndIncludeTheKoreanFace) {
  const std::vector<std::u16string> families = fonts_.Families();
  ASSERT_FALSE(families.empty());
  EXPECT_TRUE(std::is_sorted(families.begin(), families.end(), [](const auto& a, const auto& b) {
    return QString::fromStdU16String(a).compare(QString::fromStdU16String(b), Qt::CaseInsensitive) < 0;
  }));
  if (std::filesystem::exists(kNanumGothic)) {
    EXPECT_NE(std::find(families.begin(), families.end(), u"NanumGothic"), families.end());
  }
}

// --- text

// The smallest rectangle holding every pixel that differs from `background`; empty when none does.
Rect Ink(const Bitmap& bitmap, Pixel background = kWhite) {
  Rect ink{bitmap.width(), bitmap.height(), 0, 0};
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x) {
      if (bitmap.At(x, y) == background) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
    }
  }
  return ink.empty() ? Rect{} : ink;
}

class QtTextRendererTest : public ::testing::Test {
 protected:
  QtTextRendererTest() { EnsureApplication(); }

  FontSpec Font(std::u16string face, int height, int weight = 400) {
    FontSpec f;
    f.face = std::move(face);
    f.height = height;
    f.weight = weight;
    return f;
  }

  QtTextRenderer text_;
};

TEST_F(QtTextRendererTest, ALineIsAlignedAndVerticallyCentredInItsRectangle) {
  const Rect rect{10, 10, 190, 50};
  for (auto align : {ui::TextAlign::kLeft, ui::TextAlign::kCenter, ui::TextAlign::kRight}) {
    Bitmap bitmap(200, 60, kWhite);
    text_.DrawText(bitmap, rect, u"Hello", Font(u"System", 16), gfx::Rgb(0, 0, 0), align);
    const Rect ink = Ink(bitmap);
    ASSERT_FALSE(ink.empty());
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30.0, 3.0);
    if (align == ui::TextAlign::kLeft) {
      EXPECT_LE(ink.left, 13);
    } else if (align == ui::TextAlign::kRight) {
      EXPECT_GE(ink.right, 187);
    } else {
      EXPECT_NEAR((ink.left + ink.right) / 2.0, 100.0, 3.0);
    }
  }
}

TEST_F(QtTextRendererTest, TextStaysInsideItsRectangleAndTheBackgroundIsKept) {
  Bitmap bitmap(120, 40, 0xFF336699u);
  const Rect rect{20, 10, 70, 30};
  text_.DrawText(bitmap, rect, u"WWWWWWWWWWWWWWWWWWWW", Font(u"Arial", 30), gfx::Rgb(255, 255, 255),
                 ui::TextAlign::kLeft);
  const Rect ink = Ink(bitmap, 0xFF336699u);
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.left, rect.left);
  EXPECT_GE(ink.top, rect.top);
  EXPECT_LE(ink.right, rect.right);
  EXPECT_LE(ink.bottom, rect.bottom);
  // Between the letters the background shows through.
  int untouched = 0;
  for (int x = rect.left; x < rect.right; ++x) untouched += bitmap.At(x, rect.top) == 0xFF336699u;
  EXPECT_GT(untouched, 0);
}

TEST_F(QtTextRendererTest, TextOnAPartlyStoredCanvasLandsWhereItWouldOnTheWholeOne) {
  Bitmap whole(200, 60, kWhite);
  Bitmap part({200, 60}, {50, 0, 150, 60}, kWhite);
  for (Bitmap* bitmap : {&whole, &part}) {
    text_.DrawText(*bitmap, {0, 0, 200, 60}, u"Hello there", Font(u"System", 30), gfx::Rgb(0, 0, 0),
                   ui::TextAlign::kCenter);
  }
  int inked = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 50; x < 150; ++x) {
      EXPECT_EQ(part.At(x, y), whole.At(x, y)) << x << "," << y;
      inked += whole.At(x, y) != kWhite;
    }
  }
  EXPECT_GT(inked, 0);
}

TEST_F(QtTextRendererTest, TextIsDrawnInItsColour) {
  Bitmap bitmap(80, 60, kWhite);
  text_.DrawText(bitmap, bitmap.bounds(), u"I", Font(u"", 50, 700), gfx::Rgb(200, 10, 20), ui::TextAlign::kCenter);
  const auto& pixels = bitmap.pixels();
  EXPECT_NE(std::find(pixels.begin(), pixels.end(), gfx::ToPixel(gfx::Rgb(200, 10, 20))), pixels.end());
}

TEST_F(QtTextRendererTest, KoreanTextDrawsWithAKoreanFaceWhateverFaceIsAsked) {
  Bitmap system(120, 40, kWhite);
  text_.DrawText(system, system.bounds(), u"한글", Font(u"System", 24), 0, ui::TextAlign::kLeft);
  ASSERT_FALSE(Ink(system).empty());
  if (!QFontDatabase::hasFamily(QStringLiteral("NanumGothic"))) GTEST_SKIP() << "NanumGothic is not installed";
  Bitmap nanum(120, 40, kWhite);
  text_.DrawText(nanum, nanum.bounds(), u"한글", Font(u"NanumGothic", 24), 0, ui::TextAlign::kLeft);
  Bitmap unknown(120, 40, kWhite);
  text_.DrawText(unknown, unknown.bounds(), u"한글", Font(u"No Such Face", 24), 0, ui::TextAlign::kLeft);
  EXPECT_EQ(system.pixels(), nanum.pixels());
  EXPECT_EQ(unknown.pixels(), nanum.pixels());
}

TEST_F(QtTextRendererTest, HeightIsTheCellHeightAndWeightWidens) {
  EXPECT_NEAR(text_.Measure(u"Hg", Font(u"System", 20)).height, 20, 1);
  EXPECT_NEAR(text_.Measure(u"Hg", Font(u"System", 40)).height, 40, 1);
  // A negative height sizes the characters, so the cell comes out taller.
  EXPECT_GT(text_.Measure(u"Hg", Font(u"System", -20)).height, 20);
  const int normal = text_.Measure(u"WWWW", Font(u"System", 20)).width;
  EXPECT_GT(normal, 0);
  EXPECT_GT(text_.Measure(u"WWWWWWWW", Font(u"System", 20)).width, normal);
  // Bold letters are heavier.
  auto ink = [this](int weight) {
    Bitmap bitmap(100, 30, kWhite);
    text_.DrawText(bitmap, bitmap.bounds(), u"WWWW", Font(u"System", 20, weight), 0, ui::TextAlign::kLeft);
    long long sum = 0;
    for (Pixel p : bitmap.pixels()) sum += 255 - Channel(p, 8);
    return sum;
  };
  EXPECT_GT(ink(700), ink(400) * 11 / 10);
  EXPECT_EQ(text_.Measure(u"", Font(u"System", 20)).width, 0);
}

TEST_F(QtTextRendererTest, ABlockBreaksAtWordsFromTheTop) {
  const FontSpec font = Font(u"System", 16);
  const Rect rect{0, 0, 90, 200};
  Bitmap line(90, 200, kWhite);
  text_.DrawTextBlock(line, rect, u"Hello", font, 0, ui::TextAlign::kLeft);
  Bitmap block(90, 200, kWhite);
  text_.DrawTextBlock(block, rect, u"Hello two three four five six seven", font, 0, ui::TextAlign::kLeft);
  const Rect one = Ink(line);
  const Rect many = Ink(block);
  ASSERT_FALSE(one.empty());
  EXPECT_LT(one.top, 8);
  EXPECT_EQ(many.top, one.top);
  EXPECT_GT(many.bottom, one.bottom + 2 * 16);
  // "\r\n" breaks a line as well.
  Bitmap twoLines(90, 200, kWhite);
  text_.DrawTextBlock(twoLines, rect, u"Hello\r\ntwo", font, 0, ui::TextAlign::kLeft);
  EXPECT_GT(Ink(twoLines).bottom, one.bottom + 10);
}

TEST_F(QtTextRendererTest, NothingIsDrawnForEmptyTextOrAnEmptyRectangle) {
  Bitmap bitmap(40, 20, kWhite);
  text_.DrawText(bitmap, bitmap.bounds(), u"", Font(u"System", 12), 0, ui::TextAlign::kLeft);
  text_.DrawText(bitmap, Rect{10, 10, 10, 20}, u"x", Font(u"System", 12), 0, ui::TextAlign::kLeft);
  text_.DrawText(bitmap, Rect{100, 100, 140, 120}, u"x", Font(u"System", 12), 0, ui::TextAlign::kLeft);
  EXPECT_TRUE(Ink(bitmap).empty());
  Bitmap empty;
  text_.DrawText(empty, Rect{0, 0, 10, 10}, u"x", Font(u"System", 12), 0, ui::TextAlign::kLeft);
}

// --- resources

TEST(QtResourcesTest, EveryToolbarButtonHasItsIconAtEachSizeWithAClearCorner) {
  EnsureApplication();
  QtResources resources(ui::res::toolbar::kSet);
  namespace t = ui::res::toolbar;
  for (int id : {ui::res::kProgramIcon, t::kSys, t::kGame, t::kPgm, t::kHome, t::kClose, t::kTask, t::kM5, t::kM1,
                 t::kM2, t::kM3, t::kM4, t::kClock, t::kGpsOk, t::kKill, t::kMinimizedIcon, t::kKeyboard,
                 t::kMinimize}) {
    for (int edge : {16, 24, 32, 48}) {
      const auto icon = resources.Icon(id, {edge, edge});
      ASSERT_TRUE(icon) << id;
      EXPECT_EQ(icon->size(), (gfx::Size{edge, edge})) << id;
      EXPECT_EQ(icon->At(0, 0), gfx::ToPixel(ui::res::kIconTransparent)) << id;
      const auto& pixels = icon->pixels();
      const auto clear = std::count(pixels.begin(), pixels.end(), gfx::ToPixel(ui::res::kIconTransparent));
      EXPECT_LT(clear, edge * edge * 3 / 4) << id << " at " << edge;
    }
  }
}

TEST(QtResourcesTest, IconsComeAtTheirOwnSizeOrScaled) {
  EnsureApplication();
  QtResources deck(ui::res::deck::kSet);
  EXPECT_EQ(deck.Icon(ui::res::deck::kReturnLarge, {0, 0})->size(), (gfx::Size{32, 32}));
  EXPECT_EQ(deck.Icon(ui::res::deck::kReturnSmall, {24, 24})->size(), (gfx::Size{24, 24}));
  const auto odd = deck.Icon(ui::res::kProgramIcon, {20, 12});
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->size(), (gfx::Size{20, 12}));
  // Scaling keeps the one-bit mask: every pixel is the clear colour or opaque.
  for (Pixel p : odd->pixels()) EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_FALSE(deck.Icon(4242, {32, 32}));
  EXPECT_FALSE(QtResources("no-such-program").Icon(ui::res::kProgramIcon, {32, 32}));
}

TEST(QtResourcesTest, TheClockHasADayAndANightPicture) {
  EnsureApplication();
  QtResources deck(ui::res::deck::kSet);
  const auto day = deck.Picture(ui::res::deck::kClockDay);
  const auto night = deck.Picture(ui::res::deck::kClockNight);
  ASSERT_TRUE(day);
  ASSERT_TRUE(night);
  EXPECT_EQ(day->size(), (gfx::Size{800, 480}));
  EXPECT_EQ(night->size(), day->size());
  auto brightness = [](const Bitmap& b) {
    long long sum = 0;
    for (Pixel p : b.pixels()) sum += Channel(p, 16) + Channel(p, 8) + Channel(p, 0);
    return sum / static_cast<long long>(b.pixels().size());
  };
  // Black text by day and white text by night must both stand out.
  EXPECT_GT(brightness(*day), 300);
  EXPECT_LT(brightness(*night), 150);
  EXPECT_FALSE(deck.Picture(4242));
}

TEST(QtResourcesTest, EachProgramHasItsWindowIconAndPictures) {
  EnsureApplication();
  for (const char* set : {ui::res::deck::kSet, ui::res::toolbar::kSet, ui::res::xrun::kSet, ui::res::gpstime::kSet,
                          ui::res::intro::kSet, ui::res::lnkchk::kSet, ui::res::demo::kSet}) {
    QtResources resources(set);
    EXPECT_TRUE(resources.Icon(ui::res::kProgramIcon, {16, 16})) << set;
    EXPECT_TRUE(resources.Icon(ui::res::kProgramIcon, {32, 32})) << set;
  }
  EXPECT_TRUE(QtResources(ui::res::xrun::kSet).Picture(ui::res::xrun::kWindowPicture));
  EXPECT_TRUE(QtResources(ui::res::intro::kSet).Picture(ui::res::intro::kLogo));
  QtResources gps(ui::res::gpstime::kSet);
  EXPECT_TRUE(gps.Picture(ui::res::gpstime::kDecoration));
  EXPECT_TRUE(gps.Icon(ui::res::gpstime::kReturn, {32, 32}));
  EXPECT_TRUE(gps.Icon(ui::res::gpstime::kConfig, {32, 32}));
  // A picture number serves as an icon: the decoration shown on an image button.
  EXPECT_EQ(gps.Icon(ui::res::gpstime::kDecoration, {16, 16})->size(), (gfx::Size{16, 16}));
  EXPECT_TRUE(QtResources(ui::res::deck::kSet).Picture(ui::res::deck::kGpsDecoration));
}

}  // namespace
}  // namespace vexa::platform
