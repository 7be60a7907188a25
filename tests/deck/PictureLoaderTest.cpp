#include "deck/pictures/PictureLoader.h"

#include <gtest/gtest.h>

#include "tests/deck/support/DeckFakes.h"

namespace vexa::deck {
namespace {

constexpr gfx::ColorRef kRed = gfx::Rgb(255, 0, 0);
constexpr gfx::ColorRef kBlue = gfx::Rgb(0, 0, 255);

TEST(PictureLoaderTest, OnlyTheFourEndingsAreAcceptedInAnyLetterCase) {
  for (auto name : {u"a.bmp", u"B.JPG", u"c.Gif", u"d.PnG", u".png"}) EXPECT_TRUE(IsAcceptedPicture(name));
  // The last four characters decide: ".jpeg" ends in "jpeg", a bare "png" is too short.
  for (auto name : {u"a.jpeg", u"png", u"a.png.txt", u"a.tif", u"apng", u""}) EXPECT_FALSE(IsAcceptedPicture(name));
}

TEST(PictureLoaderTest, AFailedLoadKeepsThePictureShownBefore) {
  testing::FakePictureDecoder decoder;
  decoder.Add(u"\\a.png", gfx::Bitmap(4, 3, gfx::ToPixel(kRed)));
  gfx::Bitmap picture;
  ASSERT_TRUE(LoadPicture(&decoder, u"\\a.png", {800, 480}, picture));
  EXPECT_EQ(picture.size(), (gfx::Size{4, 3}));
  EXPECT_EQ(decoder.lastLargest, (gfx::Size{800, 480}));  // decoded no larger than the screen

  EXPECT_FALSE(LoadPicture(&decoder, u"\\missing.png", {800, 480}, picture));
  EXPECT_FALSE(LoadPicture(nullptr, u"\\a.png", {800, 480}, picture));
  decoder.Add(u"\\empty.png", gfx::Bitmap());
  EXPECT_FALSE(LoadPicture(&decoder, u"\\empty.png", {800, 480}, picture));
  EXPECT_EQ(picture.size(), (gfx::Size{4, 3}));
  EXPECT_EQ(gfx::ToColorRef(picture.At(0, 0)), kRed);
}

TEST(PictureLoaderTest, StretchingFillsExactlyTheSizeWithoutKeepingTheAspect) {
  // Left half red, right half blue, 2 × 1: stretched to 10 × 6 each half covers its side, all rows.
  gfx::Bitmap picture(2, 1, gfx::ToPixel(kRed));
  picture.Set(1, 0, gfx::ToPixel(kBlue));
  StretchToSize(picture, {10, 6});
  ASSERT_EQ(picture.size(), (gfx::Size{10, 6}));
  EXPECT_EQ(gfx::ToColorRef(picture.At(4, 5)), kRed);
  EXPECT_EQ(gfx::ToColorRef(picture.At(5, 0)), kBlue);

  // A picture of that size already is the same picture; none at all becomes a black one.
  picture.Set(0, 0, gfx::ToPixel(kBlue));
  StretchToSize(picture, {10, 6});
  EXPECT_EQ(gfx::ToColorRef(picture.At(0, 0)), kBlue);
  gfx::Bitmap none;
  StretchToSize(none, {3, 2});
  ASSERT_EQ(none.size(), (gfx::Size{3, 2}));
  EXPECT_EQ(gfx::ToColorRef(none.At(2, 1)), gfx::Rgb(0, 0, 0));
}

}  // namespace
}  // namespace vexa::deck
