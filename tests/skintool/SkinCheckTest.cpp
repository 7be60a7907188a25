#include "tools/skin/SkinCheck.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "tests/skintool/SkinToolTestSupport.h"

namespace vexa::skintool {
namespace {

using skintool::testing::SkinFolder;

// file, section, key, severity: what a finding is about, without its wording.
using Place = std::tuple<std::string, std::string, std::string, Severity>;

std::multiset<Place> Places(const std::vector<Finding>& findings) {
  std::multiset<Place> places;
  for (const auto& f : findings) places.insert({f.file, f.section, f.key, f.severity});
  return places;
}

std::string Lines(const std::vector<Finding>& findings) {
  std::string all;
  for (const auto& f : findings) all += FindingLine(f) + "\n";
  return all;
}

constexpr auto kError = Severity::kError;
constexpr auto kWarning = Severity::kWarning;

// One skin with every fault the checker knows, each once, beside an element that is fine.
TEST(SkinCheckTest, FindsEachFaultOfABrokenSkinOnceAndNothingElse) {
  SkinFolder skin("Broken");
  skin.Picture("button/ok.png", 40, 40);
  skin.Picture("button/gauge.png", 60, 60);
  skin.Write("button/broken.png", "not a picture at all");
  skin.Write("wave/noise.wav", "RIFF????WAVEjunk");
  skin.Write("Font/bad.ttf", "no font in here");
  skin.Picture("gauge/course000.png", 60, 60);
  skin.Picture("gauge/courseX1.png", 60, 60);
  skin.Picture("gauge/needle.png", 60, 60);
  skin.Ini("skin480x272.ini",
           "[Main]\n"
           "DefaultFontName=\n"
           "[Backgrnd]\n"
           "ImageFile=a.png\n"
           "[Background]\n"
           "ImageFile=missing.jpg\n"
           "[Format]\n"
           "Course=%d/%d\n"
           "Time=hh:mm www\n"
           "Speed=%d km/h\n"
           "[Button01]\n"
           "Text=Fine\n"
           "UpImageFile=ok.png\n"
           "Position=0,0\n"
           "Size=100,40\n"
           "[Button02]\n"
           "UpImageFile=nothere.png\n"
           "Position=100,0\n"
           "[Button03]\n"
           "UpImageFile=broken.png\n"
           "Position=200,0\n"
           "[Button04]\n"
           "WaveFile=noise.wav\n"
           "Position=300,0\n"
           "[Button05]\n"
           "Motion=DISPLAY-WEATHER\n"
           "Position=0,50\n"
           "[Button06]\n"
           "Position=548;70\n"
           "[Button07]\n"
           "TextColor=white\n"
           "Position=100,50\n"
           "[Button08]\n"
           "Position=460,50\n"
           "Size=40,40\n"
           "[Button09]\n"
           "Position=500,300\n"
           "[Button10]\n"
           "Position=10,110\n"
           "Size=20,20\n"
           "[Button11]\n"
           "Position=0,100\n"
           "Size=100,60\n"
           "[Button12]\n"
           "Colour=1\n"
           "Position=120,100\n"
           "[Button13]\n"
           "Motion=GAUGE-SPEED\n"
           "UpImageFile=gauge.png\n"
           "Position=240,100\n"
           "Size=60,60\n"
           "[Button14]\n"
           "FontName=NoSuchFace Pro 77\n"
           "Position=0,200\n"
           "Size=100,40\n"
           "[Button15]\n"
           "TextSize=big\n"
           "Position=120,200\n"
           "[Button16]\n"
           "TextAlign=Bottom\n"
           "Position=240,200\n"
           "[Button17]\n"
           "Motion=DISPLAY-MESSAGE\n"
           "Position=360,200\n"
           "[Button18]\n"
           "Position=0,250\n"
           "Size=0,20\n");

  const auto findings = CheckSkin(skin.path());
  const std::multiset<Place> expected = {
      {"Font\\bad.ttf", "", "", kError},
      {"skin480x272.ini", "Backgrnd", "", kWarning},
      {"skin480x272.ini", "Background", "ImageFile", kError},
      {"skin480x272.ini", "Format", "Course", kWarning},
      {"skin480x272.ini", "Format", "Time", kWarning},
      {"skin480x272.ini", "Button02", "UpImageFile", kError},
      {"skin480x272.ini", "Button03", "UpImageFile", kError},
      {"skin480x272.ini", "Button04", "WaveFile", kError},
      {"skin480x272.ini", "Button05", "Motion", kError},
      {"skin480x272.ini", "Button06", "Position", kError},
      {"skin480x272.ini", "Button07", "TextColor", kWarning},
      {"skin480x272.ini", "Button08", "Position", kWarning},
      {"skin480x272.ini", "Button09", "Position", kError},
      {"skin480x272.ini", "Button10", "Position", kWarning},
      {"skin480x272.ini", "Button12", "Colour", kWarning},
      {"skin480x272.ini", "Button13", "Motion", kError},
      {"skin480x272.ini", "Button14", "FontName", kWarning},
      {"skin480x272.ini", "Button15", "TextSize", kWarning},
      {"skin480x272.ini", "Button16", "TextAlign", kWarning},
      {"skin480x272.ini", "Button17", "Motion", kWarning},
      {"skin480x272.ini", "Button18", "Size", kError},
      {"gauge\\courseX1.png", "", "", kWarning},
      {"gauge\\needle.png", "", "", kWarning},
  };
  EXPECT_EQ(Places(findings), expected) << Lines(findings);
  EXPECT_EQ(ExitStatus(findings), 2);
  // The skin is only read: nothing was added to it.
  EXPECT_FALSE(std::filesystem::exists(skin.path() / "gauge" / "speed000.png"));
}

TEST(SkinCheckTest, ElementsPastTheFortiethAreErrorsEachNamed) {
  SkinFolder skin("Many");
  std::string ini;
  for (int i = 1; i <= 42; ++i) {
    ini += "[Button" + std::to_string(i) + "]\nText=" + std::to_string(i) + "\nPosition=" + std::to_string((i - 1) % 10 * 48) +
           "," + std::to_string((i - 1) / 10 * 60) + "\nSize=48,60\n";
  }
  skin.Ini("skin480x272.ini", ini);
  const auto findings = CheckSkin(skin.path());
  const std::multiset<Place> expected = {{"skin480x272.ini", "Button41", "", kError},
                                         {"skin480x272.ini", "Button42", "", kError}};
  EXPECT_EQ(Places(findings), expected) << Lines(findings);
}

TEST(SkinCheckTest, FileAndTextFaults) {
  {
    // Unix line ends make the file one long line: the skin is empty.
    SkinFolder skin("Unix");
    skin.Write("skin480x272.ini", "[Button01]\nText=A\nPosition=0,0\nSize=10,10\n");
    const auto findings = CheckSkin(skin.path());
    ASSERT_EQ(findings.size(), 1u) << Lines(findings);
    EXPECT_EQ(findings[0].file, "skin480x272.ini");
    EXPECT_EQ(findings[0].severity, kError);
  }
  {
    // 0xFF starts no character in code page 949.
    SkinFolder skin("Bytes");
    skin.Ini("skin480x272.ini", "[Button01]\nText=A\xFF\nPosition=0,0\nSize=10,10\n");
    CheckOptions korean;
    korean.langId = platform::kLangKorean;
    const auto findings = CheckSkin(skin.path(), korean);
    const std::multiset<Place> expected = {{"skin480x272.ini", "Button01", "Text", kError}};
    EXPECT_EQ(Places(findings), expected) << Lines(findings);
  }
  {
    // The launcher refuses a file past 16 MB as unreadable.
    SkinFolder skin("Huge");
    skin.Ini("skin480x272.ini", "[Button01]\nText=A\nPosition=0,0\nSize=10,10\n" + std::string(17 << 20, ' ') + "\n");
    const auto findings = CheckSkin(skin.path());
    const std::multiset<Place> expected = {{"skin480x272.ini", "", "", kError}};
    EXPECT_EQ(Places(findings), expected) << Lines(findings);
  }
  {
    // An element without a place of its own after one whose place did not parse has none either;
    // a file name without a size is never picked.
    SkinFolder skin("Carry");
    skin.Ini("skin480x272.ini", "[Button01]\nSize=80, 40\nPosition=0,0\n[Button02]\nPosition=100,0\n");
    skin.Ini("skinwide.ini", "[Main]\nFitImageSize=Y\n");
    const auto findings = CheckSkin(skin.path());
    const std::multiset<Place> expected = {{"skin480x272.ini", "Button01", "Size", kError},
                                           {"skin480x272.ini", "Button02", "Size", kError},
                                           {"skinwide.ini", "", "", kWarning}};
    EXPECT_EQ(Places(findings), expected) << Lines(findings);
  }
}

TEST(SkinCheckTest, TheDemoSkinsAreClean) {
  for (const char* name : {"Default", "Compact"}) {
    const auto folder = std::filesystem::path(VEXA_SOURCE_DIR) / "demo/device/Storage Card/VexaDeck/Skin" / name;
    auto findings = CheckSkin(folder);
    // The shared Korean face is copied onto the device by the build only when the host has it.
    std::erase_if(findings, [](const Finding& f) {
      return f.severity == kWarning && (f.key == "FontName" || f.key == "DefaultFontName");
    });
    EXPECT_TRUE(findings.empty()) << name << ":\n" << Lines(findings);
  }
}

TEST(SkinCheckTest, LinesAndJsonNameFileSectionAndKey) {
  const Finding finding{kError, "skin480x272.ini", "Button03", "UpImageFile", "picture \"a\\b\" is missing"};
  EXPECT_EQ(FindingLine(finding), "skin480x272.ini [Button03] UpImageFile: error: picture \"a\\b\" is missing");
  EXPECT_EQ(FindingJson(finding),
            "{\"file\":\"skin480x272.ini\",\"section\":\"Button03\",\"key\":\"UpImageFile\",\"severity\":\"error\","
            "\"message\":\"picture \\\"a\\\\b\\\" is missing\"}");
  EXPECT_EQ(ExitStatus({}), 0);
  EXPECT_EQ(ExitStatus({Finding{kWarning, "f", "", "", "w"}}), 1);
}

}  // namespace
}  // namespace vexa::skintool
