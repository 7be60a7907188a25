// The receive pipeline without a port: bytes pushed into the ring, cut into lines, checked and taken
// apart into the fix.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "deck/gps/GpsReceiver.h"
#include "deck/gps/NmeaChecksum.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "tests/gps/ReceiverTestSupport.h"

namespace vexa::gps {
namespace {

// "$" + body + "*" + its checksum + CR LF.
std::string Sentence(std::string_view body) {
  std::string text = "$" + std::string(body) + "*00";
  FillChecksum(text);
  return text + "\r\n";
}

std::string Rmc(std::string_view time, std::string_view speed, std::string_view course,
                std::string_view date) {
  return Sentence("GPRMC," + std::string(time) + ",A,3733.2344,N,12701.1232,E," + std::string(speed) + "," +
                  std::string(course) + "," + std::string(date) + ",,");
}

class GpsParseTest : public ::testing::Test {
 protected:
  // Pushes the bytes and runs one pass, as the reader does after a receive.
  bool Feed(std::string_view bytes) {
    receiver_.Push(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return receiver_.ProcessLines();
  }
  GpsFix Fix() const { return receiver_.Fix(); }

  testing::receiver::InstantClock clock_;
  platform::ScriptedMessageBoxes boxes_;
  GpsReceiver receiver_{GpsServices{.clock = clock_, .messageBoxes = boxes_}};
};

TEST_F(GpsParseTest, AnRmcSentenceSetsTimePositionAndSpeedAndAStandingOneKeepsTheCourse) {
  ASSERT_TRUE(Feed(Rmc("112314.000", "5.0", "42.5", "311207")));
  ASSERT_TRUE(Feed("$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,0.00,0.000,311207,,*33\r\n"));
  const GpsFix fix = Fix();
  ASSERT_TRUE(fix.time.has_value());
  EXPECT_EQ(*fix.time, (platform::DateTime{2007, 12, 1, 31, 11, 23, 15, 0}));  // a Monday
  EXPECT_EQ(fix.status, u"A");
  EXPECT_DOUBLE_EQ(fix.latitude, 3733.2344);
  EXPECT_DOUBLE_EQ(fix.longitude, 12701.1232);
  EXPECT_DOUBLE_EQ(fix.speed, 0.0);
  EXPECT_DOUBLE_EQ(fix.course, 42.5);
}

TEST_F(GpsParseTest, LinesWithoutACorrectUpperCaseChecksumAreRejectedAndEndThePass) {
  EXPECT_FALSE(Feed("$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,8.00,0.000,311207,,*3b\r\n"));
  EXPECT_FALSE(Feed("$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,1.00,0.000,311207,,\r\n"));
  EXPECT_FALSE(Feed("$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,8.00,0.000,311207,,*11\r\n"));
  EXPECT_EQ(Fix(), GpsFix{});

  // The bad line is consumed; the good one after it waits for the next pass.
  EXPECT_FALSE(Feed("$GPRMC,bad*ZZ\r\n" + Rmc("101010", "1.0", "1.0", "010108")));
  EXPECT_TRUE(receiver_.ProcessLines());
  EXPECT_DOUBLE_EQ(Fix().speed, 1.0);
}

TEST_F(GpsParseTest, AnUnusableOrOutOfRangeDateKeepsThePreviousFixTime) {
  ASSERT_TRUE(Feed(Rmc("112315.540", "0", "0", "311207")));
  const platform::DateTime kept = *Fix().time;
  for (const char* date : {"", "000000", "311200", "011307", "300207", "290207", "32127"}) {
    SCOPED_TRACE(date);
    EXPECT_TRUE(Feed(Rmc("120000", "0", "0", date)));
    EXPECT_EQ(*Fix().time, kept);
  }
  for (const char* time : {"250000", "126000", "120060"}) {
    SCOPED_TRACE(time);
    EXPECT_TRUE(Feed(Rmc(time, "0", "0", "010108")));
    EXPECT_EQ(*Fix().time, kept);
  }
  // 29 February of a leap year is a date; a missing time reads as midnight.
  EXPECT_TRUE(Feed(Rmc("", "0", "0", "290208")));
  EXPECT_EQ(*Fix().time, (platform::DateTime{2008, 2, 5, 29, 0, 0, 0, 0}));
}

TEST_F(GpsParseTest, AZeroCourseWhileMovingIsTakenFromItsThirdReadingInARow) {
  std::vector<double> courses;
  for (const char* course : {"10", "0", "0", "0", "0", "20", "0", "0"}) {
    ASSERT_TRUE(Feed(Rmc("120000", "5.0", course, "010108")));
    courses.push_back(Fix().course);
  }
  EXPECT_EQ(courses, (std::vector<double>{10, 10, 10, 0, 0, 20, 20, 20}));

  // Standing still neither takes a course nor counts towards the three zeros.
  ASSERT_TRUE(Feed(Rmc("120000", "5.0", "0", "010108")));
  ASSERT_TRUE(Feed(Rmc("120000", "0.0", "90", "010108")));
  ASSERT_TRUE(Feed(Rmc("120000", "5.0", "0", "010108")));
  EXPECT_DOUBLE_EQ(Fix().course, 0.0);
}

TEST_F(GpsParseTest, AGgaSentenceAloneSetsHdopAndAltitudeButCallsForNoUpdate) {
  EXPECT_FALSE(Feed("$GPGGA,215235.670,3735.0064,N,12701.6746,E,1,03,1.2,35.9,M,19.6,M,0.0,0000*46\r\n"));
  EXPECT_DOUBLE_EQ(Fix().hdop, 1.2);
  EXPECT_DOUBLE_EQ(Fix().altitude, 35.9);
  EXPECT_DOUBLE_EQ(Fix().latitude, 0.0);
}

TEST_F(GpsParseTest, AnyMixOfLineEndsAndBlankLinesSeparatesSentences) {
  const auto bare = [](std::string_view body) { return Sentence(body).substr(0, body.size() + 4); };
  const std::string text = "\r\n\n" + bare("GPGGA,1,2,N,3,E,1,03,2.5,10.0,M") + "\n\r" +
                           bare("GPRMC,010101,A,1,N,2,E,1.0,1.0,010108,,") + "\r" +
                           bare("GPGGA,1,2,N,3,E,1,03,3.5,20.0,M") + "\n" +
                           bare("GPRMC,020202,V,3,N,4,E,2.0,2.0,010108,,") + "\r";
  EXPECT_TRUE(Feed(text));
  const GpsFix fix = Fix();
  EXPECT_EQ(fix.status, u"V");
  EXPECT_DOUBLE_EQ(fix.speed, 2.0);
  EXPECT_DOUBLE_EQ(fix.hdop, 3.5);
  EXPECT_EQ(fix.time->second, 2);
  EXPECT_EQ(receiver_.Count(), 0u);
}

TEST_F(GpsParseTest, ARunWithoutALineEndIsCutAfter256Bytes) {
  // 300 bytes: a 256-byte line that fails its checksum, then 44 bytes that start the next line.
  EXPECT_FALSE(Feed(std::string(300, 'x') + "\r\n"));
  EXPECT_EQ(receiver_.Count(), 46u);

  // A sentence right after 256 bytes of noise is read whole as the next line.
  GpsReceiver fresh{GpsServices{.clock = clock_, .messageBoxes = boxes_}};
  const std::string bytes = std::string(256, 'y') + Rmc("101010", "3.0", "3.0", "010108");
  fresh.Push(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  EXPECT_FALSE(fresh.ProcessLines());
  EXPECT_TRUE(fresh.ProcessLines());
  EXPECT_DOUBLE_EQ(fresh.Fix().speed, 3.0);
}

TEST_F(GpsParseTest, AFullRingDropsWhatDoesNotFitAndLinesReadAcrossItsEnd) {
  const std::string filler(4000, 'z');
  receiver_.Push(std::span(reinterpret_cast<const std::uint8_t*>(filler.data()), filler.size()));
  for (int i = 0; i < 94; ++i) receiver_.Push(std::uint8_t{'z'});
  EXPECT_EQ(receiver_.Count(), 4094u);
  receiver_.Push(std::uint8_t{'\n'});
  EXPECT_EQ(receiver_.Count(), GpsReceiver::kRingSize - 1);
  receiver_.Push(std::uint8_t{'z'});
  const std::string more(100, 'z');
  receiver_.Push(std::span(reinterpret_cast<const std::uint8_t*>(more.data()), more.size()));
  EXPECT_EQ(receiver_.Count(), GpsReceiver::kRingSize - 1);

  // Noise lines of 256 bytes each leave the ring empty with its indices near the end, so that the
  // next sentence wraps around.
  while (receiver_.HasCompleteLine()) EXPECT_FALSE(receiver_.ProcessLines());
  EXPECT_EQ(receiver_.Count(), 0u);
  EXPECT_TRUE(Feed(Rmc("101010", "4.0", "4.0", "010108")));
  EXPECT_DOUBLE_EQ(Fix().speed, 4.0);
}

TEST_F(GpsParseTest, RmcAndGgaAreTakenFromEveryConstellationsTalker) {
  for (const char* talker : {"GN", "GL", "GA", "GB", "BD", "GP"}) {
    SCOPED_TRACE(talker);
    // NMEA 4.1 adds the navigation status after the mode; it is ignored.
    EXPECT_TRUE(Feed(
        Sentence(std::string(talker) + "RMC,081836,A,3751.65,S,14507.36,E,7.5,360.0,130998,011.3,E,A,V")));
    EXPECT_FALSE(
        Feed(Sentence(std::string(talker) + "GGA,081836,3751.65,S,14507.36,E,1,08,0.9,545.4,M,46.9,M,,")));
    const GpsFix fix = Fix();
    EXPECT_DOUBLE_EQ(fix.speed, 7.5);
    EXPECT_DOUBLE_EQ(fix.course, 360.0);
    EXPECT_DOUBLE_EQ(fix.altitude, 545.4);
    EXPECT_EQ(*fix.time, (platform::DateTime{2098, 9, 6, 13, 8, 18, 36, 0}));
  }
  // Other talkers and sentence names are consumed and ignored.
  EXPECT_FALSE(Feed(Sentence("XXRMC,010101,A,1,N,2,E,9.0,9.0,010108,,") +
                    Sentence("GPRMCX,010101,A,1,N,2,E,9.0") + Sentence("GPVTG,9.0,T,,M,9.0,N,9.0,K")));
  EXPECT_DOUBLE_EQ(Fix().speed, 7.5);
}

TEST_F(GpsParseTest, FieldsThatAreNoNumbersReadAsZeroAndAStatusStaysShort) {
  EXPECT_TRUE(Feed(Sentence("GPRMC,010101,AVAVAVAVAVAV,nan,N,+12.5knots,E,inf,1e999,010108")));
  const GpsFix fix = Fix();
  EXPECT_EQ(fix.status, u"AVAV");
  EXPECT_DOUBLE_EQ(fix.latitude, 0.0);
  EXPECT_DOUBLE_EQ(fix.longitude, 12.5);
  EXPECT_DOUBLE_EQ(fix.speed, 0.0);
  // A sentence cut short leaves the later fields empty.
  EXPECT_TRUE(Feed(Sentence("GNRMC,010101,A,1.5")));
  EXPECT_DOUBLE_EQ(Fix().latitude, 1.5);
  EXPECT_DOUBLE_EQ(Fix().longitude, 0.0);
}

TEST_F(GpsParseTest, AnyParseModeButOneParsesNothing) {
  receiver_.SetParseMode(0);
  EXPECT_FALSE(Feed(Rmc("101010", "4.0", "4.0", "010108")));
  EXPECT_EQ(Fix(), GpsFix{});
  receiver_.SetParseMode(1);
  EXPECT_TRUE(receiver_.ProcessLines());
}

TEST_F(GpsParseTest, TheEmulationTakesOneSentenceAPass) {
  receiver_.SetEmulation(true);
  receiver_.PushEmulationSentences();
  std::vector<bool> passes;
  while (receiver_.HasCompleteLine()) passes.push_back(receiver_.ProcessLines());
  EXPECT_EQ(passes, (std::vector<bool>{false, true, true, true, true, false, true, true, true, true}));
  EXPECT_DOUBLE_EQ(Fix().speed, 70.0);
  EXPECT_DOUBLE_EQ(Fix().course, 355.0);
  EXPECT_DOUBLE_EQ(Fix().hdop, 1.7);
}

}  // namespace
}  // namespace vexa::gps
