#include "platform/headless/ScriptedSerialPorts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/LoggingSerialPorts.h"
#include "tests/headless/LogCapture.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::LogCapture;

std::string ReadAll(SerialPort& port) {
  std::string out;
  std::uint8_t buffer[512];
  for (;;) {
    const std::size_t n = port.Read(buffer).value_or(0);
    if (n == 0) return out;
    out.append(buffer, buffer + n);
  }
}

class ScriptedSerialPortsTest : public ::testing::Test {
 protected:
  ScriptedSerialPortsTest() { ports_.AddPort(2); }
  std::vector<std::string> Logged() const { return capture_.Lines(); }

  LogCapture capture_;
  VirtualClock& clock_ = capture_.clock;
  ScriptedSerialPorts ports_{clock_, capture_.log};
};

TEST_F(ScriptedSerialPortsTest, OnlyScriptedPortsOpenAndEachByOneHolderAtATime) {
  EXPECT_FALSE(ports_.Open(u"COM3:"));
  EXPECT_FALSE(ports_.Open(u"COM2"));
  auto port = ports_.Open(u"com2:");
  ASSERT_TRUE(port);
  EXPECT_TRUE(ports_.IsOpen(2));
  EXPECT_FALSE(ports_.Open(u"COM2:"));
  port.reset();
  EXPECT_FALSE(ports_.IsOpen(2));
  ports_.AddPort(12);
  EXPECT_TRUE(ports_.Open(u"\\\\?\\COM12:"));
  EXPECT_TRUE(ports_.Open(u"COM2:"));
}

TEST_F(ScriptedSerialPortsTest, BytesFedWhileClosedOrBeyondTheQueueAreLostAndLogged) {
  ports_.Feed(2, "lost");
  auto port = ports_.Open(u"COM2:");
  ASSERT_TRUE(port);
  EXPECT_EQ(port->QueuedBytes(), 0u);

  ports_.Feed(2, std::string(4000, 'a'));
  ports_.Feed(2, std::string(200, 'b'));  // the driver's 4096 bytes are full after 96 of them
  EXPECT_EQ(port->QueuedBytes(), 4096u);
  const std::string first = ReadAll(*port);
  EXPECT_EQ(first, std::string(4000, 'a') + std::string(96, 'b'));

  port->SetQueueSizes(10, 10);
  ports_.Feed(2, "0123456789AB");
  EXPECT_EQ(ReadAll(*port), "0123456789");
  ports_.Feed(2, "xyz");
  port->Purge();
  EXPECT_EQ(port->QueuedBytes(), 0u);
  // Closing empties the queue; a new holder starts with the default size.
  ports_.Feed(2, "left");
  port.reset();
  port = ports_.Open(u"COM2:");
  ASSERT_TRUE(port);
  EXPECT_EQ(port->QueuedBytes(), 0u);
  ports_.Feed(2, std::string(4096, 'c'));
  EXPECT_EQ(port->QueuedBytes(), 4096u);
  EXPECT_THAT(Logged(), ElementsAre(HasSubstr(R"("event":"serial_dropped","port":"COM2:","count":4,"reason":"closed")"),
                                    HasSubstr(R"("count":104,"reason":"full")"),
                                    HasSubstr(R"("count":2,"reason":"full")")));
}

TEST_F(ScriptedSerialPortsTest, ARecordingArrivesAtTheLinesRate) {
  struct Case {
    std::uint32_t baud;
    StopBits stop;
    bool configure;
    std::size_t afterOneSecond;
  };
  // 9600 baud at 10 bits a byte: 960 bytes a second; 8N2 at 4800: 11 bits, 436 bytes; 8E1 at 9600:
  // 11 bits, 872; never configured: 10 bits at the default 9600.
  for (const Case c : {Case{9600, StopBits::kOne, true, 960}, Case{4800, StopBits::kTwo, true, 436},
                       Case{9600, StopBits::kTwo, true, 872}, Case{9600, StopBits::kOne, false, 960}}) {
    LogCapture capture;
    ScriptedSerialPorts ports(capture.clock, capture.log);
    ports.AddPort(2);
    auto port = ports.Open(u"COM2:");
    ASSERT_TRUE(port);
    if (c.configure) {
      SerialSettings settings;
      settings.baud = c.baud;
      settings.stopBits = c.stop;
      ASSERT_TRUE(port->SetSettings(settings));
    }
    port->SetQueueSizes(100000, 100);
    ports.FeedPaced(2, std::string(5000, 'n'));
    EXPECT_EQ(port->QueuedBytes(), 0u);
    capture.clock.Advance(9);
    EXPECT_EQ(port->QueuedBytes(), 0u) << "nothing before the first 10 ms";
    capture.clock.Advance(991);
    EXPECT_EQ(port->QueuedBytes(), c.afterOneSecond) << c.baud;
    capture.clock.Advance(20000);
    EXPECT_EQ(port->QueuedBytes(), 5000u);
    EXPECT_EQ(ports.PendingBytes(2), 0u);
    EXPECT_EQ(capture.clock.pendingDeviceEvents(), 0u);
  }
}

TEST_F(ScriptedSerialPortsTest, AWindowThreadReadWaitsForTheRecordingWithoutFiringTimers) {
  auto port = ports_.Open(u"COM2:");
  ASSERT_TRUE(port);
  int timers = 0;
  clock_.Start(5, [&] { ++timers; });
  port->SetReadTimeout(1000);
  ports_.FeedPaced(2, "$GPRMC");
  std::uint8_t byte = 0;
  ASSERT_EQ(port->Read({&byte, 1}), 1u);  // the first chunk, after 10 ms
  EXPECT_EQ(byte, '$');
  EXPECT_EQ(clock_.TickCount(), 10u);
  EXPECT_EQ(timers, 0);
  std::uint8_t rest[16];
  ASSERT_EQ(port->Read(rest), 5u);  // waiting bytes come back without a wait
  EXPECT_EQ(std::string(rest, rest + 5), "GPRMC");
  EXPECT_EQ(clock_.TickCount(), 10u);
  // A silent line: the whole time-out passes, and 0 bytes come back.
  EXPECT_EQ(port->Read({&byte, 1}), 0u);
  EXPECT_EQ(clock_.TickCount(), 1010u);
  EXPECT_EQ(timers, 0);
  // No time-out: the read answers at once.
  port->SetReadTimeout(0);
  EXPECT_EQ(port->Read({&byte, 1}), 0u);
  EXPECT_EQ(clock_.TickCount(), 1010u);
}

TEST_F(ScriptedSerialPortsTest, ARecordingFlowingIntoAClosedPortIsLoggedOncePerRun) {
  ports_.FeedPaced(2, std::string(960, 'x'));
  clock_.Advance(500);
  auto port = ports_.Open(u"COM2:");
  clock_.Advance(1000);
  EXPECT_EQ(port->QueuedBytes(), 480u);
  EXPECT_THAT(Logged(), ElementsAre(HasSubstr(R"("serial_dropped","port":"COM2:","count":480,"reason":"closed")")));
}

TEST_F(ScriptedSerialPortsTest, TheLoggingPortsTellOpenSettingsWritesAndClose) {
  LoggingSerialPorts logging(ports_, capture_.log);
  EXPECT_FALSE(logging.Open(u"COM7:"));
  auto port = logging.Open(u"COM2:");
  ASSERT_TRUE(port);
  SerialSettings settings;
  settings.baud = 4800;
  settings.stopBits = StopBits::kTwo;
  EXPECT_TRUE(port->SetSettings(settings));
  settings.byteSize = 9;
  EXPECT_FALSE(port->SetSettings(settings));
  const std::uint8_t sirf[] = {0xA0, 0xA2, 0x00, 0x18, 0x81, 0x02};
  EXPECT_EQ(port->Write(sirf), 6u);
  port.reset();
  EXPECT_EQ(ports_.Written(2), std::string("\xA0\xA2\x00\x18\x81\x02", 6));
  EXPECT_THAT(Logged(),
              ElementsAre(HasSubstr(R"("event":"serial_open","port":"COM7:","ok":false})"),
                          HasSubstr(R"("event":"serial_open","port":"COM2:","ok":true})"),
                          HasSubstr(R"("event":"serial_settings","port":"COM2:","baud":4800,"byteSize":8,)"
                                    R"("parity":"none","stopBits":"2","ok":true})"),
                          HasSubstr(R"("byteSize":9,"parity":"none","stopBits":"2","ok":false})"),
                          HasSubstr(R"("event":"serial_write","port":"COM2:","bytes":"A0A200188102","ok":true})"),
                          HasSubstr(R"("event":"serial_close","port":"COM2:"})")));
}

TEST(ScriptedPortsFromArgumentsTest, TakesTheScriptedMappingsOfOptionsAndEnvironment) {
  const char* argv[] = {"VexaDeck", "--port", "COM2:=script", "--port=com3=script", "--port",
                        "COM4:=/dev/ttyUSB0", "--port=COMX:=script", "--", "--port", "COM5:=script"};
  EXPECT_THAT(ScriptedSerialPorts::ScriptedPortsFromArguments(10, argv, "COM9:=script;COM8:=gpsd;COM2:=script"),
              ElementsAre(9, 2, 3));
  EXPECT_THAT(ScriptedSerialPorts::ScriptedPortsFromArguments(1, argv, nullptr), IsEmpty());
}

}  // namespace
}  // namespace vexa::platform
