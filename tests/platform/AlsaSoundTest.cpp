#include "platform/posix/AlsaSound.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/WaveFile.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
          static_cast<char>((v >> 24) & 0xFF)};
}
std::string Le16(std::uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }

std::string Chunk(std::string_view id, std::string_view body) {
  std::string c = std::string(id) + Le32(static_cast<std::uint32_t>(body.size())) + std::string(body);
  if (body.size() % 2 != 0) c += '\0';
  return c;
}

std::string Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  const auto align = static_cast<std::uint16_t>(channels * bits / 8);
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

std::string Riff(std::string_view chunks) {
  return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + std::string(chunks);
}

// One second of 11025 Hz mono 8-bit silence, the plainest wave a device plays.
std::string SilentClick() { return Riff(Chunk("fmt ", Fmt(1, 1, 11025, 8)) + Chunk("data", std::string(11025, '\x80'))); }

TEST(WaveFile, ReadsThePlainFormatAndWhereTheSamplesAre) {
  const std::string wave = SilentClick();
  const auto format = ParseWave(wave);
  ASSERT_TRUE(format);
  EXPECT_EQ(format->channels, 1);
  EXPECT_EQ(format->sampleRate, 11025);
  EXPECT_EQ(format->bitsPerSample, 8);
  EXPECT_EQ(format->dataOffset, 44u);
  EXPECT_EQ(format->frames(), 11025u);
}

TEST(WaveFile, SkipsUnknownChunksWithTheirPaddingAndFindsAFmtAfterTheData) {
  // An odd-sized "LIST" chunk is padded to an even length; the data chunk may come before "fmt ".
  const std::string samples = Le16(1) + Le16(2) + Le16(3) + Le16(4);  // two stereo 16-bit frames
  const std::string wave = Riff(Chunk("LIST", "abc") + Chunk("data", samples) + Chunk("fmt ", Fmt(1, 2, 44100, 16)));
  const auto format = ParseWave(wave);
  ASSERT_TRUE(format);
  EXPECT_EQ(format->channels, 2);
  EXPECT_EQ(format->bitsPerSample, 16);
  EXPECT_EQ(format->dataOffset, 12u + 12u + 8u);
  EXPECT_EQ(format->frames(), 2u);
}

TEST(WaveFile, ACutOffDataChunkPlaysTheWholeFramesThatArePresent) {
  std::string wave = Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)) + "data" + Le32(4000) + std::string(7, '\0'));
  const auto format = ParseWave(wave);
  ASSERT_TRUE(format);
  EXPECT_EQ(format->dataSize, 4u);  // 7 bytes present, one whole 4-byte frame
}

TEST(WaveFile, ExtensibleHeaderNamingPcmIsAccepted) {
  std::string ext = Fmt(0xFFFE, 1, 8000, 16) + Le16(22) + Le16(16) + Le32(4) + Le16(1) + std::string(14, '\0');
  EXPECT_TRUE(ParseWave(Riff(Chunk("fmt ", ext) + Chunk("data", "ab"))));
}

TEST(WaveFile, RefusesWhatItCannotPlay) {
  EXPECT_FALSE(ParseWave(""));
  EXPECT_FALSE(ParseWave("RIFF"));
  EXPECT_FALSE(ParseWave("not a wave file at all, just text"));
  // AVI is RIFF too.
  EXPECT_FALSE(ParseWave("RIFF" + Le32(20) + "AVI " + Chunk("fmt ", Fmt(1, 1, 11025, 8))));
  // No data chunk; no fmt chunk.
  EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", Fmt(1, 1, 11025, 8)))));
  EXPECT_FALSE(ParseWave(Riff(Chunk("data", "abcd"))));
  // Compressed (ADPCM), odd sample sizes, no channels, absurd rate.
  EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", Fmt(2, 1, 11025, 4)) + Chunk("data", "ab"))));
  EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", Fmt(1, 1, 11025, 12)) + Chunk("data", "ab"))));
  EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", Fmt(1, 0, 11025, 8)) + Chunk("data", "ab"))));
  EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", Fmt(1, 1, 12, 8)) + Chunk("data", "ab"))));
  // Block alignment that disagrees with channels and sample size.
  std::string badAlign = Fmt(1, 2, 11025, 16);
  badAlign[12] = 3;
  EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", badAlign) + Chunk("data", "abcd"))));
  // A fmt chunk claiming more bytes than the file has.
  EXPECT_FALSE(ParseWave(Riff("fmt " + Le32(0xFFFFFFF0u) + Fmt(1, 1, 11025, 8))));
}

class AlsaSoundTest : public ::testing::Test {
 protected:
  AlsaSoundTest() : files_(tree_.root().string()), sound_(files_) {
    tree_.WriteHostFile("Storage Card/Sound/click.wav", SilentClick());
    tree_.WriteHostFile("Storage Card/Sound/broken.wav", Riff("junk" + Le32(100) + "junk"));
    tree_.WriteHostFile("Storage Card/Sound/empty.wav", "");
  }

  testing::TempDeviceTree tree_;
  PosixFileSystem files_;
  AlsaSound sound_;
};

TEST_F(AlsaSoundTest, MissingOrInvalidFilesAreNotPlayed) {
  EXPECT_FALSE(sound_.Play(u"\\Storage Card\\Sound\\missing.wav"));
  EXPECT_FALSE(sound_.Play(u"\\Storage Card\\Sound\\broken.wav"));
  EXPECT_FALSE(sound_.Play(u"\\Storage Card\\Sound\\empty.wav"));
  EXPECT_FALSE(sound_.Play(u"\\Storage Card\\Sound"));
  EXPECT_FALSE(sound_.Play(u""));
}

TEST_F(AlsaSoundTest, AGoodFilePlaysExactlyWhenTheDeviceCanPlay) {
  // Without a sound card both answers are false; with one, both true, and a second sound cuts in.
  const bool canPlay = sound_.CanPlay();
  EXPECT_EQ(sound_.Play(u"\\storage card\\SOUND\\Click.wav"), canPlay);
  EXPECT_EQ(sound_.Play(u"\\Storage Card\\Sound\\click.wav"), canPlay);
  sound_.Stop();
  EXPECT_EQ(sound_.CanPlay(), canPlay);
}

}  // namespace
}  // namespace vexa::platform
