// What the skin editor shows for a slot: its list entries, the transparent colour and the file
// names it offers.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "deck/skinedit/SkinEditor.h"
#include "platform/headless/MemoryFileSystem.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;

TEST(SkinEditorTexts, TheTransparentColourReadsAutoOrItsThreeParts) {
  EXPECT_EQ(TransparentColorText(gfx::kAutoTransparent), u"Auto");
  EXPECT_EQ(TransparentColorText(gfx::Rgb(10, 20, 30)), u"10,20,30");
  EXPECT_EQ(TransparentColorText(gfx::Rgb(255, 0, 0)), u"255,0,0");
}

TEST(SkinEditorTexts, ASlotEntryShowsItsNumberWithItsCaptionOrItsButtonName) {
  EXPECT_EQ(SlotEntryText(7, u""), u"07:Button07");
  EXPECT_EQ(SlotEntryText(40, u"Navi"), u"40:Navi");
}

TEST(SkinEditorTexts, TheSkinsOwnFilesComeFirstThenTheSharedOnesMarked) {
  platform::MemoryFileSystem files;
  for (const char16_t* path : {u"\\Skin\\Night\\button\\a.png", u"\\Skin\\Night\\button\\notes.txt",
                               u"\\Skin\\Night\\button\\B.BMP", u"\\Skin\\_Common\\button\\wood.png",
                               u"\\Skin\\Night\\wave\\tick.wav", u"\\Skin\\Night\\wave\\tick.mp3",
                               u"\\Skin\\_Common\\wave\\click.wav"}) {
    ASSERT_TRUE(files.AddFile(path, "x"));
  }
  const SkinLocation skin{u"\\Skin\\", u"Night", u"\\Skin\\Night\\skin800x480.ini", {}};
  auto pictures = SkinFileChoices(files, skin, SkinFileKind::kButton);
  std::sort(pictures.begin(), pictures.begin() + 2);
  EXPECT_THAT(pictures, ElementsAre(u"B.BMP", u"a.png", u"+wood.png"));
  EXPECT_THAT(SkinFileChoices(files, skin, SkinFileKind::kWave), ElementsAre(u"tick.wav", u"+click.wav"));
  EXPECT_THAT(SkinFileChoices(files, skin, SkinFileKind::kBackground), ElementsAre());
  // A path is shown by its name, marked when it lies in the shared folder.
  EXPECT_EQ(ShownFileName(u"\\Skin\\_common\\Button\\wood.png", SkinFileKind::kButton), u"+wood.png");
  EXPECT_EQ(ShownFileName(u"\\Skin\\Night\\button\\wood.png", SkinFileKind::kButton), u"wood.png");
}

}  // namespace
}  // namespace vexa::deck
