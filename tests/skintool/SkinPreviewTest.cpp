#include "tools/skin/SkinPreview.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "tests/skintool/SkinToolTestSupport.h"
#include "tools/skin/NewSkin.h"
#include "tools/skin/SkinCheck.h"

#include <QColor>
#include <QImage>
#include <QString>

namespace vexa::skintool {
namespace {

namespace fs = std::filesystem;
using skintool::testing::SkinFolder;

TEST(SkinPreviewTest, SizesAndTheFileAScaledSizeComesFrom) {
  EXPECT_EQ(ParseSizes("320x240,1024x600"), (std::vector<ScreenSize>{{320, 240}, {1024, 600}}));
  EXPECT_FALSE(ParseSizes(""));
  EXPECT_FALSE(ParseSizes("320x240,"));
  EXPECT_FALSE(ParseSizes("320*240"));
  EXPECT_FALSE(ParseSizes("8x8"));
  EXPECT_FALSE(ParseSizes("99999999999x240"));

  const std::vector<ScreenSize> own = {{480, 272}, {800, 480}, {640, 480}};
  // The nearest in aspect: 1024 x 600 (1.71) is nearer 800 x 480 (1.67) than 480 x 272 (1.76).
  EXPECT_EQ(ScaleSource(own, {1024, 600}), (ScreenSize{800, 480}));
  EXPECT_EQ(ScaleSource(own, {800, 600}), (ScreenSize{640, 480}));
  EXPECT_EQ(ScaleSource(own, {320, 240}), (ScreenSize{640, 480}));
  EXPECT_FALSE(ScaleSource({}, {320, 240}));
}

// True when the picture shows more than one colour: the launcher drew something.
bool HasContent(const QImage& image) {
  const auto first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); y += 7) {
    for (int x = 0; x < image.width(); x += 7) {
      if (image.pixel(x, y) != first) return true;
    }
  }
  return false;
}

TEST(SkinPreviewTest, DrawsTheDemoSkinNativeAndScaledWithAContactSheet) {
  SkinFolder out("out");
  PreviewOptions options;
  options.deckProgram = VEXA_DECK_PROGRAM;
  options.out = out.path();
  options.sizes = {{400, 240}, {480, 272}};
  std::ostringstream errors;
  const auto folder = fs::path(VEXA_SOURCE_DIR) / "demo/device/Storage Card/VexaDeck/Skin/Default";
  const auto shots = Preview(folder, options, errors);
  EXPECT_EQ(errors.str(), "");
  // The skin's own seven files and 400 x 240 scaled (from the file of its aspect), smallest first.
  ASSERT_EQ(shots.size(), 8u);
  EXPECT_EQ(shots[0].size, (ScreenSize{320, 240}));
  EXPECT_EQ(shots[0].scaledFrom, "");
  EXPECT_EQ(shots[1].size, (ScreenSize{400, 240}));
  EXPECT_EQ(shots[1].scaledFrom, "skin800x480.ini");
  EXPECT_EQ(shots[2].size, (ScreenSize{480, 272}));
  EXPECT_EQ(shots[2].scaledFrom, "");
  for (const auto& shot : shots) {
    const QImage image(QString::fromStdString(shot.picture.string()));
    ASSERT_FALSE(image.isNull()) << shot.picture;
    EXPECT_EQ(image.size(), QSize(shot.size.width, shot.size.height));
    EXPECT_TRUE(HasContent(image)) << shot.picture;
  }
  const QImage sheet(QString::fromStdString((out.path() / "contact-sheet.png").string()));
  ASSERT_FALSE(sheet.isNull());
  EXPECT_GT(sheet.width(), 3 * 240);
  // The skin was copied for the run: the demo files stay as they are.
  EXPECT_FALSE(fs::exists(folder / "skin400x240.ini"));
}

TEST(SkinPreviewTest, ContactSheetOfNoPicturesIsNotWritten) {
  SkinFolder out("out");
  EXPECT_FALSE(WriteContactSheet({}, "none", out.path() / "sheet.png"));
  EXPECT_FALSE(WriteContactSheet({PreviewShot{{320, 240}, out.path() / "missing.png", ""}}, "none",
                                 out.path() / "sheet.png"));
  EXPECT_FALSE(fs::exists(out.path() / "sheet.png"));
}

TEST(NewSkinTest, TheTemplateIsCleanAndNamesAreGuarded) {
  SkinFolder root("skins");
  std::string error;
  ASSERT_TRUE(MakeNewSkin(root.path(), "Mine", error)) << error;
  EXPECT_TRUE(fs::exists(root.path() / "Mine" / "skin800x480.ini"));
  const auto findings = CheckSkin(root.path() / "Mine");
  std::string lines;
  for (const auto& f : findings) lines += FindingLine(f) + "\n";
  EXPECT_TRUE(findings.empty()) << lines;

  EXPECT_FALSE(MakeNewSkin(root.path(), "Mine", error));
  EXPECT_NE(error.find("exists"), std::string::npos);
  for (const char* bad : {"", "..", "a/b", "a\\b", "_Common"}) {
    EXPECT_FALSE(MakeNewSkin(root.path(), bad, error)) << bad;
  }
  EXPECT_FALSE(fs::exists(root.path() / "a"));
}

// The program itself: exit status and JSON lines.
TEST(SkinToolProgramTest, CheckExitsByTheWorstFinding) {
  SkinFolder skin("Tiny");
  skin.Ini("skin480x272.ini", "[Button01]\nText=A\nPosition=0,0\nSize=10,10\n");
  auto run = [](const std::string& arguments, std::string& output) {
    FILE* pipe = popen((std::string("\"") + VEXA_SKIN_PROGRAM + "\" " + arguments + " 2>&1").c_str(), "r");
    output.clear();
    char buffer[4096];
    while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  std::string output;
  EXPECT_EQ(run("check \"" + skin.path().string() + "\"", output), 0) << output;
  skin.Ini("skin480x272.ini", "[Button01]\nText=A\nPosition=0,0\nSize=10,10\nShade=Y\n");
  EXPECT_EQ(run("check --json \"" + skin.path().string() + "\"", output), 1) << output;
  EXPECT_EQ(output, "{\"file\":\"skin480x272.ini\",\"section\":\"Button01\",\"key\":\"Shade\",\"severity\":\"warning\","
                    "\"message\":\"unknown key\"}\n");
  skin.Ini("skin480x272.ini", "[Button01]\nUpImageFile=gone.png\nPosition=0,0\nSize=10,10\n");
  EXPECT_EQ(run("check \"" + skin.path().string() + "\"", output), 2) << output;
  EXPECT_EQ(run("--help", output), 0);
  EXPECT_NE(output.find("VexaSkin preview SKINFOLDER --out DIR"), std::string::npos);
  EXPECT_EQ(run("check", output), 2);
  EXPECT_EQ(run("frobnicate", output), 2);
}

}  // namespace
}  // namespace vexa::skintool
