// The runner's slots: the strings in its program file, the reader, the writer on file images, and
// saving the patched program.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/text/Text.h"
#include "tests/support/TestDevice.h"
#include "xrun/RunnerSlots.h"
#include "xrun/SlotWriter.h"

namespace vexa::xrun {
namespace {

using ::testing::ElementsAre;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::size_t CountOf(const std::string& haystack, const std::string& needle, std::size_t from = 0) {
  std::size_t count = 0;
  for (auto at = haystack.find(needle, from); at != std::string::npos; at = haystack.find(needle, at + 1))
    ++count;
  return count;
}

const std::u16string kAnchor = u"$RESOURCE$Does not delete the Tag at next six items.$RESOURCE$";

// The seven strings as a fresh program file holds them.
std::u16string FreshTable() {
  std::u16string table;
  table += static_cast<char16_t>(kAnchor.size());
  table += kAnchor;
  for (int id = kFirstSlot; id <= kLastSlot; ++id) {
    const std::u16string marker = SlotMarker(id);
    table += static_cast<char16_t>(kSlotLength);
    table += marker + std::u16string(kSlotLength - 2 * marker.size(), u' ') + marker;
  }
  return table;
}

// A program image: code and the reader's markers before the anchor, the table, more code after it.
std::string FreshImage() {
  return std::string(
             "\x7f"
             "ELF code",
             9) +
         Utf16Le(SlotMarker(kRun1) + SlotMarker(kReg1)) + Utf16Le(FreshTable()) + std::string(64, '\0');
}

// Slot `id` of an image as the reader sees it.
std::u16string SlotString(const std::string& image, int id) {
  const std::string marker = Utf16Le(SlotMarker(id));
  const auto start = image.find(marker, image.find(Utf16Le(kAnchor)));
  std::u16string string;
  for (std::size_t at = start; at + 1 < start + 2 * kSlotLength && at + 1 < image.size(); at += 2) {
    string += static_cast<char16_t>(static_cast<unsigned char>(image[at]) |
                                    (static_cast<unsigned char>(image[at + 1]) << 8));
  }
  return string;
}

std::string ReadHost(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(RunnerSlots, AFreshProgramReadsSixEmptySlots) {
  for (int id = kFirstSlot; id <= kLastSlot; ++id) {
    const SlotText slot = ReadSlot(id);
    EXPECT_TRUE(slot.found) << id;
    EXPECT_EQ(slot.text, u"") << id;
  }
  EXPECT_EQ(OwnString(kAnchorString), kAnchor);
  EXPECT_FALSE(ReadSlot(kAnchorString).found);
  EXPECT_FALSE(SlotTextOf(kReg1, u"no marker here").found);
  // A payload of nothing holds no text: the closing marker is not read as the slot's text.
  EXPECT_EQ(SlotTextOf(kReg1, u"$REGISTRY1$$REGISTRY1$").text, u"");
}

// The writer finds the anchor first and the slots after it, and takes the last closing marker: a
// second copy of the table's texts elsewhere in the program file would be patched wrongly.
TEST(RunnerSlots, TheBuiltRunnerHoldsTheAnchorOnceAndEachMarkerOnlyInItsSlot) {
  const std::string image = ReadHost(VEXA_XRUN_EXE);
  ASSERT_FALSE(image.empty());
  EXPECT_EQ(CountOf(image, Utf16Le(kAnchor)), 1u);
  const auto anchor = image.find(Utf16Le(kAnchor));
  ASSERT_NE(anchor, std::string::npos);
  for (int id = kFirstSlot; id <= kLastSlot; ++id) {
    EXPECT_EQ(CountOf(image, Utf16Le(SlotMarker(id)), anchor), 2u) << id;
  }
  EXPECT_EQ(image.find(Utf16Le(FreshTable())), anchor - 2);
}

TEST(RunnerSlots, AWrittenTextReadsBackWithBlanksUpToTheClosingMarker) {
  std::string image = FreshImage();
  const std::string before = image;
  ASSERT_EQ(PatchSlot(image, kReg1, u"abc.reg"), SlotWriteResult::kWritten);
  const std::u16string slot = SlotString(image, kReg1);
  EXPECT_EQ(slot, u"$REGISTRY1$abc.reg" + std::u16string(271, u' ') + u"$REGISTRY1$");
  EXPECT_EQ(SlotTextOf(kReg1, slot).text, u"abc.reg");
  EXPECT_EQ(image.size(), before.size());
  // Nothing but the payload changed: the reader's markers before the anchor are left alone.
  EXPECT_EQ(image.substr(0, image.find(Utf16Le(kAnchor))), before.substr(0, before.find(Utf16Le(kAnchor))));
  EXPECT_EQ(SlotString(image, kReg2), SlotString(before, kReg2));

  ASSERT_EQ(PatchSlot(image, kRun1, u"nav.exe   "), SlotWriteResult::kWritten);
  EXPECT_EQ(SlotTextOf(kRun1, SlotString(image, kRun1)).text, u"nav.exe");
  ASSERT_EQ(PatchSlot(image, kReg1, u""), SlotWriteResult::kWritten);
  EXPECT_EQ(SlotString(image, kReg1), SlotString(before, kReg1));
}

TEST(RunnerSlots, ATextMustLeaveOneBlankOfThePayload) {
  std::string image = FreshImage();
  EXPECT_EQ(PatchSlot(image, kReg2, std::u16string(277, u'r')), SlotWriteResult::kWritten);
  const std::string fitted = image;
  EXPECT_EQ(PatchSlot(image, kReg2, std::u16string(278, u'R')), SlotWriteResult::kNoSpace);
  EXPECT_EQ(image, fitted);
  EXPECT_EQ(SlotTextOf(kReg2, SlotString(image, kReg2)).text, std::u16string(277, u'r'));

  EXPECT_EQ(PatchSlot(image, kRun3, std::u16string(279, u'x')), SlotWriteResult::kWritten);
  EXPECT_EQ(PatchSlot(image, kRun3, std::u16string(280, u'x')), SlotWriteResult::kNoSpace);
  EXPECT_EQ(SlotTextOf(kRun3, SlotString(image, kRun3)).text, std::u16string(279, u'x'));
}

TEST(RunnerSlots, AnImageWithoutItsPlacesFailsEverySlot) {
  std::string tiny = Utf16Le(u"$RESOURCE$$RE");  // 26 bytes
  tiny.resize(30, ' ');
  std::string noAnchor = FreshImage();
  noAnchor.replace(noAnchor.find(Utf16Le(u"RESOURCE")), 16, Utf16Le(u"resource"));
  noAnchor.replace(noAnchor.find(Utf16Le(u"RESOURCE")), 16, Utf16Le(u"resource"));
  for (int id = kFirstSlot; id <= kLastSlot; ++id) {
    EXPECT_EQ(PatchSlot(tiny, id, u"a"), SlotWriteResult::kNoAnchor) << id;
    EXPECT_EQ(PatchSlot(noAnchor, id, u"a"), SlotWriteResult::kNoAnchor) << id;
  }
  EXPECT_EQ(SlotWriteText(SlotWriteResult::kNoAnchor), u"설정을 저장할 곳을 찾지 못했습니다.");

  // The markers before the anchor do not count; one marker alone has no end.
  std::string noEnd = Utf16Le(SlotMarker(kRun1)) + Utf16Le(u"$RESOURCE$ ") + Utf16Le(SlotMarker(kRun1)) +
                      std::string(40, ' ');
  EXPECT_EQ(PatchSlot(noEnd, kRun1, u"a"), SlotWriteResult::kNoEnd);
  EXPECT_EQ(PatchSlot(noEnd, kRun2, u"a"), SlotWriteResult::kNoStart);
}

class SaveTargetTest : public ::testing::Test {
 protected:
  SaveTargetTest() { device.tree.WriteHostFile("Windows/VexaXRun.exe", FreshImage()); }

  std::string HostPath() const { return (device.tree.root() / "Windows/VexaXRun.exe").string(); }

  testing::TestDevice device{u"\\Windows\\VexaXRun_tmp.exe"};
};

TEST_F(SaveTargetTest, ASavedProgramStaysExecutable) {
  std::filesystem::permissions(HostPath(), std::filesystem::perms(0755));
  auto image = LoadTarget(device.platform, platform::kNoWindow, u"\\Windows\\VexaXRun.exe");
  ASSERT_TRUE(image);
  ASSERT_TRUE(
      WriteSlot(device.platform, platform::kNoWindow, *image, kRun1, u"\\Storage Card\\Navi\\navi.exe"));
  ASSERT_TRUE(SaveTarget(device.platform, platform::kNoWindow, u"\\Windows\\VexaXRun.exe", *image));
  EXPECT_EQ(ReadHost(HostPath()), *image);
  EXPECT_EQ(std::filesystem::status(HostPath()).permissions(), std::filesystem::perms(0755));
  EXPECT_THAT(device.Boxes(), ::testing::IsEmpty());
}

TEST_F(SaveTargetTest, ASaveThatFailsPartWayLeavesTheOldProgramWhole) {
  std::filesystem::permissions(HostPath(), std::filesystem::perms(0755));
  const std::string old = ReadHost(HostPath());
  std::string image = old;
  ASSERT_EQ(PatchSlot(image, kRun1, u"nav.exe"), SlotWriteResult::kWritten);
  // A card that fills up after the first kilobyte of the new file.
  struct rlimit before {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = before;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = SaveTarget(device.platform, platform::kNoWindow, u"\\Windows\\VexaXRun.exe", image);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadHost(HostPath()), old);
  EXPECT_EQ(std::filesystem::status(HostPath()).permissions(), std::filesystem::perms(0755));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"에러|[\\Windows] 파일을 생성할수 없습니다."));
  // Nothing of the attempt is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(device.tree.root() / "Windows"),
                          std::filesystem::directory_iterator()),
            3);  // Desktop, Programs and the program
}

TEST_F(SaveTargetTest, AMissingTargetIsReportedByItsFolder) {
  EXPECT_FALSE(LoadTarget(device.platform, platform::kNoWindow, u"\\Storage Card\\Tools\\VexaXRun.exe"));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"에러|[\\Storage Card\\Tools] 파일을 열수 없습니다."));
}

}  // namespace
}  // namespace vexa::xrun
