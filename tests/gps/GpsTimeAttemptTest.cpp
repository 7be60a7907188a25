#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/gps/GpsTimeAttempt.h"
#include "deck/gps/NmeaChecksum.h"
#include "deck/gps/SerialLink.h"
#include "deck/gps/SirfSwitch.h"
#include "platform/headless/VirtualClock.h"
#include "tests/gps/GpsTimeFakePort.h"

namespace vexa::gps {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Each;
using ::testing::IsEmpty;
using testing::FakeLine;
using testing::FakeSerialPorts;
using testing::RecordingClockSetter;

// A sentence with its checksum filled in and CR LF after it.
std::string Sentence(const std::string& body) {
  std::string text = body + "*00";
  FillChecksum(text);
  return text + "\r\n";
}

const std::string kRmc2008 = Sentence("$GPRMC,100000.000,A,3733.2344,N,12701.1232,E,0.00,0.000,050108,,");
const std::string kGga = Sentence("$GPGGA,215235.670,3735.0064,N,12701.6746,E,1,03,1.2,35.9,M,19.6,M,0.0,0000");

platform::DateTime Utc(int year, int month, int day, int hour, int minute, int second, int dayOfWeek) {
  return {year, month, dayOfWeek, day, hour, minute, second, 0};
}

// The link against a scripted port.

TEST(SerialLinkTest, OpensWithABoundedByteReadAndConfiguresTheLineAsAsked) {
  FakeLine line;
  line.settings.flowControl = true;
  line.settings.stripNull = true;
  FakeSerialPorts ports(line);
  SerialLink link(&ports);
  EXPECT_FALSE(link.Open(u"COM5:"));
  ASSERT_TRUE(link.Open(u"COM2:"));
  EXPECT_EQ(line.readTimeout, SerialLink::kByteTimeout);
  ASSERT_TRUE(link.Configure(19600, 8, false, platform::Parity::kNone, platform::StopBits::kTwo));
  EXPECT_EQ(line.settings.baud, 19600u);
  EXPECT_EQ(line.settings.byteSize, 8);
  EXPECT_EQ(line.settings.stopBits, platform::StopBits::kTwo);
  EXPECT_FALSE(line.settings.parityCheck);
  EXPECT_FALSE(line.settings.stripNull);  // NUL bytes are kept
  EXPECT_TRUE(line.settings.flowControl);  // what it does not set stays as the driver had it
  link.Close();
  EXPECT_EQ(line.openNow, 0);

  line.getSettingsFails = true;
  ASSERT_TRUE(link.Open(u"COM2:"));
  EXPECT_FALSE(link.Configure(9600, 8, false, platform::Parity::kNone, platform::StopBits::kTwo));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(line.openNow, 0);
}

TEST(SerialLinkTest, ReadsAndWritesOneByteAndSendsTheSirfSwitchByteByByte) {
  FakeLine line;
  line.incoming = "$";
  FakeSerialPorts ports(line);
  SerialLink link(&ports);
  std::uint8_t byte = 0;
  EXPECT_FALSE(link.ReadByte(byte));  // not open
  ASSERT_TRUE(link.Open(u"COM2:"));
  EXPECT_TRUE(link.ReadByte(byte));
  EXPECT_EQ(byte, '$');
  EXPECT_FALSE(link.ReadByte(byte));  // nothing more within the time-out
  line.readsFail = true;
  EXPECT_FALSE(link.ReadByte(byte));

  EXPECT_TRUE(link.SendSirfToNmea());
  EXPECT_THAT(line.written, ElementsAreArray(kSirfToNmea));
  EXPECT_THAT(line.writeSizes, Each(1u));
  EXPECT_EQ(line.writeSizes.size(), 32u);

  line.written.clear();
  line.writesBeforeFailure = 5;
  EXPECT_FALSE(link.SendSirfToNmea());
  EXPECT_EQ(line.written.size(), 5u);  // stops at the first failed write
  EXPECT_FALSE(link.WriteByte(0x41));
}

// The sentence test.

TEST(RmcDateTimeTest, TakesTheDateAndTimeOfAnyTalkersRmcWhateverItsStatus) {
  EXPECT_EQ(RmcDateTime("$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,0.00,0.000,311207,,*10"),
            Utc(2007, 12, 31, 11, 23, 15, 1));
  EXPECT_EQ(RmcDateTime("$GNRMC,235959.00,V,,,,,,,290208,,,N,V*1F"), Utc(2008, 2, 29, 23, 59, 59, 5));
  for (const char* talker : {"GL", "GA", "GB", "BD"}) {
    EXPECT_TRUE(RmcDateTime(std::string("$") + talker + "RMC,000000,A,,,,,,,010126,,")) << talker;
  }
  // The date as the last field before '*', and no checksum at all: neither is looked at.
  EXPECT_EQ(RmcDateTime("$GPRMC,100000,A,,,,,,,050108*7F"), Utc(2008, 1, 5, 10, 0, 0, 6));
  EXPECT_EQ(RmcDateTime("$GPRMC,100000,A,,,,,,,050108"), Utc(2008, 1, 5, 10, 0, 0, 6));
}

TEST(RmcDateTimeTest, RefusesOtherSentencesAndDatesOrTimesNoCalendarHas) {
  for (const char* line : {"$GPGGA,100000,3733.2344,N,12701.1232,E,1,03,1.2,35.9,M,,,,*00",
                           "$XXRMC,100000,A,,,,,,,050108,,", "$GPRMCX,100000,A,,,,,,,050108,,",
                           "GPRMC,100000,A,,,,,,,050108,,", "$GPRMC,100000,A,,,,,,,,,", "$GPRMC,100000,A,,,,,,,000000,,",
                           "$GPRMC,100000,A,,,,,,,010100,,", "$GPRMC,100000,A,,,,,,,011308,,",
                           "$GPRMC,100000,A,,,,,,,310408,,", "$GPRMC,100000,A,,,,,,,290207,,",
                           "$GPRMC,240000,A,,,,,,,050108,,", "$GPRMC,106000,A,,,,,,,050108,,",
                           "$GPRMC,100060,A,,,,,,,050108,,", "$GPRMC,1000,A,,,,,,,050108,,",
                           "$GPRMC,100000,A,,,,,,,05o108,,", "$GPRMC,100000,A,,,,,,", ""}) {
    EXPECT_EQ(RmcDateTime(line), std::nullopt) << line;
  }
}

// One attempt against a scripted receiver.

class GpsTimeAttemptTest : public ::testing::Test {
 protected:
  GpsTimeAttemptTest() { line.clock = &clock; }

  bool Run() {
    SerialLink link(&ports);
    GpsTimeAttempt attempt(link, clock, &setter, [this](std::u16string_view text) { statuses.emplace_back(text); });
    const bool result = attempt.Run(options);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(line.openNow, 0);
    return result;
  }

  platform::VirtualClock clock;
  FakeLine line;
  FakeSerialPorts ports{line};
  RecordingClockSetter setter;
  GpsTimeOptions options{.port = u"COM2:", .baud = 4800};
  std::vector<std::u16string> statuses;
};

TEST_F(GpsTimeAttemptTest, SetsTheClockFromTheFirstRmcWithADateAndSaysEachStep) {
  line.incoming = "junk\r\n" + kGga + Sentence("$GPRMC,,V,,,,,,,,,") + kRmc2008 + kGga;
  EXPECT_TRUE(Run());
  EXPECT_THAT(setter.times, ElementsAre(Utc(2008, 1, 5, 10, 0, 0, 6)));
  EXPECT_EQ(line.settings.baud, 4800u);
  EXPECT_EQ(line.settings.stopBits, platform::StopBits::kTwo);
  EXPECT_THAT(line.written, IsEmpty());  // no SiRF switch unless asked
  EXPECT_EQ(statuses.front(), u"GPS connecting...");
  EXPECT_EQ(statuses[1], u"GPS connected...");
  EXPECT_EQ(statuses[2], u"GPS data receiving...");
  EXPECT_EQ(statuses[3], u"GPS data analysis...");
  EXPECT_EQ(statuses.back(), u"GPS time receptions succeeded.");
  EXPECT_EQ(statuses.size(), 2u + 2 * 3 + 1);  // the junk skipped, three lines read, the last one taken
}

TEST_F(GpsTimeAttemptTest, SaysWhyThePortCouldNotBeUsed) {
  options.port = u"COM3:";
  EXPECT_FALSE(Run());
  EXPECT_EQ(statuses.back(), u"GPS connection Failed.\r\n[COM3:]");

  options.port = u"COM2:";
  options.texts = KoreanGpsTimeTexts();
  line.getSettingsFails = true;
  EXPECT_FALSE(Run());
  EXPECT_EQ(statuses.back(), u"GPS 환경설정 실패");
  EXPECT_THAT(setter.times, IsEmpty());
}

TEST_F(GpsTimeAttemptTest, SendsTheSirfSwitchByteByByteAndWaitsASecondBeforeReading) {
  options.sirfToNmea = true;
  line.incoming = kRmc2008;
  EXPECT_TRUE(Run());
  EXPECT_THAT(line.written, ElementsAreArray(kSirfToNmea));
  EXPECT_EQ(line.writeSizes.size(), kSirfToNmea.size());
  EXPECT_GE(clock.TickCount(), 1000u);
}

TEST_F(GpsTimeAttemptTest, LooksForTheDollarInAtMostTheGivenReadsPerLine) {
  options.lines = 1;
  line.incoming = std::string(100, 'x') + kRmc2008;
  EXPECT_FALSE(Run());
  line.incoming = std::string(99, 'x') + kRmc2008;
  line.next = 0;
  EXPECT_TRUE(Run());
}

TEST_F(GpsTimeAttemptTest, KeepsNinetyNineCharactersOfALine) {
  // The date's last character as the 99th of the line, then as the 100th.
  auto rmcOfLength = [](std::size_t length) {
    std::string head = "$GPRMC,100000.000,A,";
    const std::string tail = ",N,12701.1232,E,0.00,0.000,050108";
    head += std::string(length - head.size() - tail.size(), '0');
    return head + tail + ",,*00\r\n";
  };
  line.incoming = rmcOfLength(99);
  EXPECT_TRUE(Run());
  line.incoming = rmcOfLength(100) + rmcOfLength(100);
  line.next = 0;
  EXPECT_FALSE(Run());
}

TEST_F(GpsTimeAttemptTest, ReadsAtMostThirtyLinesUnlessToldThereIsNoLimit) {
  std::string ggas;
  for (int i = 0; i < 29; ++i) ggas += kGga;
  line.incoming = ggas + kRmc2008;
  EXPECT_TRUE(Run());
  line.incoming = ggas + kGga + kRmc2008;
  line.next = 0;
  EXPECT_FALSE(Run());

  // The GPS time program's way: no limit on lines, and limits beyond 4096 held to it.
  options.lines = 0;
  for (int i = 0; i < 5; ++i) ggas += ggas;
  line.incoming = ggas + kRmc2008;
  line.next = 0;
  EXPECT_TRUE(Run());

  options.lines = 1;
  options.dollarReads = 100000;
  options.lineLength = 100000;
  line.incoming = std::string(4095, 'x') + kRmc2008;
  line.next = 0;
  EXPECT_TRUE(Run());
  line.incoming = std::string(4096, 'x') + kRmc2008;
  line.next = 0;
  EXPECT_FALSE(Run());
  line.incoming = "$GPRMC,100000.000,A," + std::string(4096, '0') + ",050108,,\r\n";
  line.next = 0;
  EXPECT_FALSE(Run());  // cut before its date
}

TEST_F(GpsTimeAttemptTest, EndsAtTheFirstFailedReadAndAfterTheTimeLimit) {
  line.incoming = kGga;  // then silence: the next read waits its second and the attempt ends
  EXPECT_FALSE(Run());
  EXPECT_EQ(clock.TickCount(), 1000u);
  EXPECT_EQ(statuses.back(), u"GPS data analysis...");

  line.readsFail = true;
  line.next = 0;
  EXPECT_FALSE(Run());

  line.readsFail = false;
  line.msPerByte = 1;
  line.next = 0;
  line.incoming.clear();
  for (int i = 0; i < 1000; ++i) line.incoming += kGga;
  line.incoming += kRmc2008;
  options.lines = 0;
  options.timeLimit = 2000;
  const auto started = clock.TickCount();
  EXPECT_FALSE(Run());
  EXPECT_LT(clock.TickCount() - started, 2100u);
  EXPECT_THAT(setter.times, IsEmpty());
}

TEST_F(GpsTimeAttemptTest, EmulationSucceedsAtOnceAndAClockThatRefusesIsAFailure) {
  options.emulation = true;
  EXPECT_TRUE(Run());
  EXPECT_THAT(line.openedNames, IsEmpty());
  EXPECT_THAT(setter.times, IsEmpty());

  options.emulation = false;
  line.incoming = kRmc2008;
  setter.refuse = true;
  EXPECT_FALSE(Run());
  EXPECT_EQ(statuses.back(), u"GPS time could not be set.");
}

}  // namespace
}  // namespace vexa::gps
