#include "platform/posix/ReplaySerialPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/PosixThreads.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Arrival {
  std::chrono::milliseconds at;
  std::string text;
};

class ReplaySerialPortTest : public ::testing::Test {
 protected:
  std::unique_ptr<SerialPort> Replay(std::string_view content) {
    folder_.WriteHostFile("drive.nmea", content);
    return ReplaySerialPort::Open((folder_.root() / "drive.nmea").string());
  }

  // What the port hands out, by when it arrived, until `total` bytes have come.
  static std::vector<Arrival> Arrivals(SerialPort& port, std::size_t total) {
    std::vector<Arrival> arrivals;
    const auto start = Clock::now();
    std::size_t received = 0;
    while (received < total && Clock::now() - start < 5s && port.WaitForBytes()) {
      std::uint8_t buffer[2048];
      const std::size_t count = port.Read(buffer).value_or(0);
      const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
      std::string text(reinterpret_cast<const char*>(buffer), count);
      // Bytes within a few milliseconds of each other belong to one delivery.
      if (!arrivals.empty() && at - arrivals.back().at < 30ms) {
        arrivals.back().text += text;
      } else {
        arrivals.push_back({at, text});
      }
      received += count;
    }
    return arrivals;
  }

  testing::TempDeviceTree folder_;
};

MATCHER_P(Near, milliseconds, "") {
  return arg.count() >= milliseconds - 40 && arg.count() <= milliseconds + 120;
}

TEST_F(ReplaySerialPortTest, LinesComeInGroupsPacedByTheirRmcTimesAndTheDriveStartsAgain) {
  const std::string first =
      "# recorded 2014\r\n"
      "$GPRMC,120000.00,A,3747.0873,S,17518.8938,E,0.69,181.39,311214,,,A*7D\r\n"
      "$GPGGA,120000.00,3747.0873,S,17518.8938,E,1,08,1.1,59.9,M,23.7,M,,0000*7D\r\n";
  const std::string second =
      "$GNRMC,120000.20,A,3747.0875,S,17518.8938,E,1.15,181.39,311214,,,A*7B\n"
      "$GPGSV,3,1,12,17,72,207,32*7B\n";
  const std::string third = "$GPRMC,120000.50,A,3747.0876,S,17518.8934,E,0.89,181.39,311214,,,A*71\r\n";
  auto port = Replay(first + second + third);
  ASSERT_NE(port, nullptr);

  const std::vector<Arrival> arrivals = Arrivals(*port, first.size() * 2 + second.size() + third.size());
  ASSERT_EQ(arrivals.size(), 4u);
  EXPECT_EQ(arrivals[0].text, first);
  EXPECT_THAT(arrivals[0].at, Near(0));
  EXPECT_EQ(arrivals[1].text, second);
  EXPECT_THAT(arrivals[1].at, Near(200));
  EXPECT_EQ(arrivals[2].text, third);
  EXPECT_THAT(arrivals[2].at, Near(500));
  // The end of the file: a pause, then the drive again from its start.
  EXPECT_EQ(arrivals[3].text, first);
  EXPECT_THAT(arrivals[3].at, Near(500 + ReplaySerialPort::kRestartPause));

  // Writes (a SiRF switch) are taken and dropped.
  const std::uint8_t sirf[] = {0xA0, 0xA2, 0x00, 0x18};
  EXPECT_EQ(port->Write(sirf), 4u);
}

TEST_F(ReplaySerialPortTest, StepsOverMidnightAndBackwardsKeepTheirPausesShort) {
  const std::string late = "$GPRMC,235959.90,A,1,N,2,E,0,0,311214,,*00\r\n";
  const std::string early = "$GPRMC,000000.10,A,1,N,2,E,0,0,010115,,*00\r\n";
  const std::string back = "$GPRMC,000000.00,A,1,N,2,E,0,0,010115,,*00\r\n";
  auto port = Replay(late + early + back);
  const std::vector<Arrival> arrivals = Arrivals(*port, late.size() + early.size() + back.size());
  ASSERT_EQ(arrivals.size(), 2u);
  EXPECT_EQ(arrivals[0].text, late);
  EXPECT_EQ(arrivals[1].text, early + back);  // a step back waits for nothing
  EXPECT_THAT(arrivals[1].at, Near(200));
}

TEST_F(ReplaySerialPortTest, BinaryJunkAndEndlessLinesPassWhole) {
  std::mt19937 random(7);
  std::string junk(100000, '\0');
  for (char& c : junk) c = static_cast<char>(random() % 256);
  const std::string endless(30000, 'x');
  const std::string content = junk + "\n" + endless + "\r\n$GPRMC,120000.00,A,1,N,2,E,0,0,311214,,*00\r\n";
  auto port = Replay(content);
  std::string received;
  const auto start = Clock::now();
  while (received.size() < content.size() && port->WaitForBytes()) {
    std::uint8_t buffer[2048];
    const std::size_t count = port->Read(buffer).value_or(0);
    received.append(reinterpret_cast<const char*>(buffer), count);
    // The port never holds more than its bound.
    EXPECT_LE(port->QueuedBytes(), ReplaySerialPort::kQueueLimit);
  }
  EXPECT_LT(Clock::now() - start, 1s);
  EXPECT_TRUE(received == content) << received.size() << " bytes of " << content.size();
}

TEST_F(ReplaySerialPortTest, AFileWithoutRmcLinesComesOnceASecond) {
  const std::string content = "$GPGSV,1,1,00*79\r\n$PSRF,junk\n";
  auto port = Replay(content);
  const std::vector<Arrival> arrivals = Arrivals(*port, content.size() * 2);
  ASSERT_EQ(arrivals.size(), 2u);
  EXPECT_EQ(arrivals[0].text, content);
  EXPECT_EQ(arrivals[1].text, content);
  EXPECT_THAT(arrivals[1].at, Near(ReplaySerialPort::kRestartPause));
}

TEST_F(ReplaySerialPortTest, AnEmptyFileSendsNothingAndItsWaitIsReleased) {
  auto port = Replay("");
  ASSERT_NE(port, nullptr);
  std::uint8_t buffer[16];
  port->SetReadTimeout(50);
  EXPECT_EQ(port->Read(buffer), 0u);
  PosixThreads threads;
  std::atomic<bool> result = true;
  auto waiter = threads.Start([&] { result = port->WaitForBytes(); });
  std::this_thread::sleep_for(50ms);
  const auto asked = Clock::now();
  port->ReleaseWait();
  waiter->Join();
  EXPECT_FALSE(result);
  EXPECT_LT(Clock::now() - asked, 100ms);
  EXPECT_EQ(ReplaySerialPort::Open((folder_.root() / "missing.nmea").string()), nullptr);
}

TEST(ReplayRmcTimeTest, TheTimeFieldOfAnyTalkersRmc) {
  const auto time = [](std::string_view line) {
    return ReplaySerialPort::RmcTime({reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
  };
  EXPECT_EQ(time("$GNRMC,123519.50,A,4807.038,N"), 45319500);
  EXPECT_EQ(time("$GPRMC,000001,A,"), 1000);
  EXPECT_EQ(time("$BDRMC,235959.999,V"), 86399999);
  EXPECT_EQ(time("$GPGGA,123519.50,4807.038,N"), std::nullopt);
  EXPECT_EQ(time("$GPRMC,,V,,,,,,,,,,N*53"), std::nullopt);
  EXPECT_EQ(time("$GPRMC,256000.00,A"), std::nullopt);
  EXPECT_EQ(time("$gpRMC,120000.00,A"), std::nullopt);
  EXPECT_EQ(time("$GPRMC,12"), std::nullopt);
}

}  // namespace
}  // namespace vexa::platform
