// The skin editor driven headless the way a user drives it: SKIN-EDIT, taps on slots, the Layout
// window's pages, and Save or Cancel in the General Layout window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "deck/DeckProgram.h"
#include "tests/deckapp/DeckRunFixture.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QColor>
#include <QImage>

namespace vexa::deck {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

int RunDeckProgram(platform::Platform& platform, platform::ui::UserInterface& ui) { return RunDeck(platform, ui); }

constexpr const char* kSkinFile = "Storage Card/VexaDeck/Skin/Default/skin800x480.ini";

// Slot 1 starts a program and slot 2 does nothing; slot 3 at (600, 10) opens the editor.
std::string EditableSkin() {
  return Element(1, "\\Storage Card\\Navi\\navi.exe", "10,10", "100,60") + Element(2, "NONE", "200,10", "100,60") +
         Element(3, "SKIN-EDIT", "600,10", "100,60");
}

// The lines of one section of an .ini text, up to the next section.
std::string Section(const std::string& ini, const std::string& name) {
  const auto at = ini.find("[" + name + "]\r\n");
  if (at == std::string::npos) return {};
  const auto end = ini.find("\r\n[", at + 1);
  return ini.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

class SkinEditorTest : public DeckRunTest {
 protected:
  SkinEditorTest() { WriteSkin("skin800x480.ini", EditableSkin()); }

  std::size_t Count(const std::string& text) const {
    const auto log = Log();
    return static_cast<std::size_t>(
        std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; }));
  }
  std::size_t SkinWrites() const { return Count(R"("event":"file_written","path":"\\Storage Card\\VexaDeck\\Skin\\Default\\skin800x480.ini")"); }

  void WritePicture(const std::string& relative, QColor colour) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    tree.MakeDir(std::filesystem::path(relative).parent_path().string());
    ASSERT_TRUE(image.save(QString::fromStdString((tree.root() / relative).string())));
  }
};

TEST_F(SkinEditorTest, AMovedSlotWithANewCaptionAndFontSizeIsSavedIntoTheSkinFile) {
  const int code = Run(
      "wait 1000\n"
      "tap 650 40\n"                      // SKIN-EDIT
      "tap 60 40\n"                       // slot 1: its Layout window, never its program
      "choose \"Layout\" 1005 \"Pos\"\n"
      "check \"Layout Pos\" \"30\" on\n"
      "click \"Layout Pos\" 1209\n"       // Move: R
      "click \"Layout Pos\" 1212\n"       // Resize: U
      "choose \"Layout\" 1005 \"Txt\"\n"
      "type \"Layout Txt\" \"Text:\" \"Maps\"\n"
      "click \"Layout Txt\" 1405\n"       // Font: ...
      "choose \"Font\" \"Size:\" \"24\"\n"
      "check \"Font\" \"Bold\" on\n"
      "click \"Font\" \"OK\"\n"
      "click \"Layout\" \"Save\"\n"
      "click \"General Layout\" 1001\n"   // unfold
      "click \"General Layout\" \"Save\"\n"
      "answer yes\n"
      "wait 1500\n"
      "quit\n",
      RunDeckProgram);
  EXPECT_EQ(code, 0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("process_started"))));
  EXPECT_THAT(Log(), Contains(HasSubstr(R"("event":"window_closed","title":"General Layout")")));
  EXPECT_EQ(SkinWrites(), 1u);
  const std::string button = Section(tree.ReadHostFile(kSkinFile), "Button01");
  EXPECT_THAT(button, HasSubstr("Position=40,10\r\n"));
  EXPECT_THAT(button, HasSubstr("Size=100,30\r\n"));
  EXPECT_THAT(button, HasSubstr("Text=Maps\r\n"));
  // Only the face and the height come from the font dialog.
  EXPECT_THAT(button, HasSubstr("TextSize=24\r\n"));
}

TEST_F(SkinEditorTest, PreviousWrapsFromTheFirstSlotToTheLastAndNextBackToTheFirst) {
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "tap 60 40\n"
                "click \"Layout\" \"P\"\n"
                "choose \"Layout\" 1005 \"Txt\"\n"
                "type \"Layout Txt\" \"Text:\" \"Forty\"\n"
                "click \"Layout\" \"N\"\n"
                "type \"Layout Txt\" \"Text:\" \"First\"\n"
                "click \"Layout\" \"Save\"\n"
                "click \"General Layout\" 1001\n"
                "click \"General Layout\" \"Save\"\n"
                "answer yes\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  const std::string ini = tree.ReadHostFile(kSkinFile);
  EXPECT_THAT(Section(ini, "Button01"), HasSubstr("Text=First\r\n"));
  // Slot 40 was not part of the skin: once edited it gets a section of its own, hidden as it was.
  EXPECT_THAT(Section(ini, "Button40"), HasSubstr("Text=Forty\r\n"));
  EXPECT_THAT(Section(ini, "Button40"), HasSubstr("Visible=N\r\n"));
}

TEST_F(SkinEditorTest, TheMarkedBackgroundComesFromTheCommonFolderAndTheBareOneFromTheSkin) {
  WritePicture("Storage Card/VexaDeck/Skin/Default/background/wood.png", Qt::red);
  WritePicture("Storage Card/VexaDeck/Skin/_Common/background/wood.png", Qt::blue);
  const auto shared = (tree.root() / "shared.png").string();
  const auto own = (tree.root() / "own.png").string();
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "click \"General Layout\" 1001\n"
                "choose \"General Layout\" \"Background:\" \"+wood.png\"\n"
                "screenshot screen " + shared + "\n"
                "choose \"General Layout\" \"Background:\" \"wood.png\"\n"
                "screenshot screen " + own + "\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(QImage(QString::fromStdString(shared)).pixel(600, 400), qRgb(0, 0, 255));
  EXPECT_EQ(QImage(QString::fromStdString(own)).pixel(600, 400), qRgb(255, 0, 0));
  // Nothing reaches the file before Save.
  EXPECT_EQ(SkinWrites(), 0u);
}

TEST_F(SkinEditorTest, CancelAnsweredYesRestoresTheSkinAsTheFileHoldsIt) {
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "tap 60 40\n"
                "choose \"Layout\" 1005 \"Pos\"\n"
                "check \"Layout Pos\" \"10\" on\n"
                "click \"Layout Pos\" 1209\n"
                "click \"Layout Pos\" 1215\n"  // Resize: D
                "choose \"Layout\" \"Btn:\" \"02:Slot 2\"\n"
                "choose \"Layout\" 1005 \"Act\"\n"
                "check \"Layout Act\" \"Active\" off\n"
                "choose \"Layout Act\" \"Action:\" \"GO-EXIT\"\n"
                "click \"Layout\" \"Save\"\n"
                "click \"General Layout\" 1001\n"
                "click \"General Layout\" \"Cancel\"\n"
                "answer yes\n"
                // Editing again and saving at once stores what the launcher shows.
                "tap 650 40\n"
                "click \"General Layout\" 1001\n"
                "click \"General Layout\" \"Save\"\n"
                "answer yes\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(Count("Exit without saving?"), 1u);
  EXPECT_EQ(SkinWrites(), 1u);
  const std::string ini = tree.ReadHostFile(kSkinFile);
  EXPECT_THAT(Section(ini, "Button01"), HasSubstr("Position=10,10\r\nSize=100,60\r\n"));
  EXPECT_THAT(Section(ini, "Button02"), HasSubstr("Action=NONE\r\n"));
  EXPECT_THAT(Section(ini, "Button02"), HasSubstr("Visible=Y\r\n"));
}

TEST_F(SkinEditorTest, CancelAnsweredNoKeepsEditing) {
  const auto folded = (tree.root() / "folded.png").string();
  const auto unfolded = (tree.root() / "unfolded.png").string();
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "screenshot \"General Layout\" " + folded + "\n"
                "click \"General Layout\" 1001\n"
                "screenshot \"General Layout\" " + unfolded + "\n"
                "click \"General Layout\" \"Cancel\"\n"
                "answer no\n"
                "click \"General Layout\" 1001\n"  // fold it away from the slot
                "tap 60 40\n"
                "click \"Layout\" \"Save\"\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_THAT(Log(), Contains(HasSubstr(R"("event":"window_opened","title":"Layout")")));
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("process_started"))));
  // The window opens folded to its toggle (60 x 39 at the large font) and unfolds to its whole size.
  EXPECT_EQ(QImage(QString::fromStdString(folded)).size(), QSize(60, 39));
  EXPECT_EQ(QImage(QString::fromStdString(unfolded)).size(), QSize(405, 258));
}

TEST_F(SkinEditorTest, SaveOrCancelWhileTheLayoutWindowIsOpenOnlyAsksToCloseIt) {
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "tap 60 40\n"
                "click \"General Layout\" 1001\n"
                "click \"General Layout\" \"Save\"\n"
                "answer ok\n"
                "click \"General Layout\" \"Cancel\"\n"
                "answer ok\n"
                "click \"Layout\" \"Save\"\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(Count(R"("caption":"Information","text":"Close edition window?")"), 2u);
  EXPECT_EQ(Count("Use this skin?"), 0u);
  EXPECT_EQ(Count("Exit without saving?"), 0u);
  EXPECT_EQ(SkinWrites(), 0u);
}

TEST_F(SkinEditorTest, SaveAnsweredNoWritesNothingAndStaysInEditMode) {
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "tap 60 40\n"
                "choose \"Layout\" 1005 \"Pos\"\n"
                "click \"Layout Pos\" 1209\n"
                "click \"Layout\" \"Save\"\n"
                "click \"General Layout\" 1001\n"
                "type \"General Layout\" \"Name:\" \"Renamed\"\n"
                "click \"General Layout\" \"Save\"\n"
                "answer no\n"
                "click \"General Layout\" 1001\n"
                "tap 60 40\n"
                // The Layout window opens again on the page it showed last.
                "click \"Layout Pos\" 1209\n"
                "click \"Layout\" \"Save\"\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(Count("Use this skin?"), 1u);
  EXPECT_EQ(SkinWrites(), 0u);
  EXPECT_EQ(Count(R"("event":"window_opened","title":"Layout")"), 2u);
  // The General Layout window only goes with the launcher.
  const auto log = Log();
  const auto closed = std::find_if(log.begin(), log.end(), [](const std::string& line) {
    return line.find(R"("event":"window_closed","title":"General Layout")") != std::string::npos;
  });
  ASSERT_NE(closed, log.end());
  EXPECT_THAT(*(closed - 1), HasSubstr(R"("text":"quit")"));
  EXPECT_THAT(tree.ReadHostFile(kSkinFile), Not(HasSubstr("Renamed")));
}

TEST_F(SkinEditorTest, TransparentColourPicturesAndSoundAreStoredAsTheirNames) {
  WritePicture("Storage Card/VexaDeck/Skin/Default/button/own.png", Qt::green);
  WritePicture("Storage Card/VexaDeck/Skin/_Common/button/shared.png", Qt::yellow);
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/_Common/wave/click.wav", "RIFF");
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "tap 60 40\n"
                "choose \"Layout\" 1005 \"Btn\"\n"
                "choose \"Layout Btn\" \"UP:\" \"+shared.png\"\n"
                "choose \"Layout Btn\" \"DN:\" \"own.png\"\n"
                "click \"Layout Btn\" 1309\n"
                "color 10,20,30\n"
                "choose \"Layout\" 1005 \"Wav\"\n"
                "choose \"Layout Wav\" \"WAV:\" \"+click.wav\"\n"
                "click \"Layout Wav\" \"Play\"\n"
                "choose \"Layout\" 1005 \"Pos\"\n"
                "click \"Layout Pos\" \"Auto\"\n"
                "click \"Layout\" \"Save\"\n"
                "click \"General Layout\" 1001\n"
                "click \"General Layout\" \"Save\"\n"
                "answer yes\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_THAT(Log(), Contains(HasSubstr(R"("event":"sound_played","path":"\\Storage Card\\VexaDeck\\Skin\\_Common\\wave\\click.wav")")));
  const std::string button = Section(tree.ReadHostFile(kSkinFile), "Button01");
  EXPECT_THAT(button, HasSubstr("UpImageFile=+shared.png\r\n"));
  EXPECT_THAT(button, HasSubstr("DownImageFile=own.png\r\n"));
  EXPECT_THAT(button, HasSubstr("TransColor=10,20,30\r\n"));
  EXPECT_THAT(button, HasSubstr("WaveFile=+click.wav\r\n"));
  // Auto: the normal picture's own size.
  EXPECT_THAT(button, HasSubstr("Size=40,30\r\n"));
}

}  // namespace
}  // namespace vexa::deck

namespace vexa::deck {
namespace {

TEST_F(SkinEditorTest, AKoreanDeviceAsksInKorean) {
  extraArgs = {"--lang", "ko"};
  EXPECT_EQ(Run("wait 1000\n"
                "tap 650 40\n"
                "tap 60 40\n"
                "click \"General Layout\" 1001\n"
                "click \"General Layout\" 1001\n"
                "click \"General Layout\" \"Save\"\n"
                "answer ok\n"
                "click \"Layout\" \"Save\"\n"
                "click \"General Layout\" \"Cancel\"\n"
                "answer yes\n"
                "quit\n",
                RunDeckProgram),
            0);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("scenario_error"))));
  EXPECT_EQ(Count(R"("caption":"알림","text":"편집 창을 먼저 닫으세요.")"), 1u);
  EXPECT_EQ(Count(R"("caption":"알림","text":"저장하지 않고 끝내시겠습니까?")"), 1u);
  EXPECT_EQ(SkinWrites(), 0u);
}

}  // namespace
}  // namespace vexa::deck
