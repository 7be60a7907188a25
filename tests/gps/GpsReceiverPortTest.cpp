// The receiver with its reader thread: opening and configuring the port, the posted updates, Close,
// the failure boxes, the SiRF switch and the emulation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "deck/gps/GpsReceiver.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "tests/gps/ReceiverTestSupport.h"

namespace vexa::gps {
namespace {

using ::testing::ElementsAre;

class GpsPortTest : public ::testing::Test {
 protected:
  GpsReceiver& MakeReceiver(bool korean = false) {
    receiver_ = std::make_unique<GpsReceiver>(GpsServices{.ports = &ports_,
                                                          .threads = &threads_,
                                                          .clock = clock_,
                                                          .messageBoxes = boxes_,
                                                          .korean = korean,
                                                          .owner = 77});
    receiver_->SetOwner(&window_);
    return *receiver_;
  }
  std::vector<std::u16string> Captions() const {
    std::vector<std::u16string> captions;
    for (const auto& shown : boxes_.shown()) captions.push_back(shown.request.caption);
    return captions;
  }

  testing::receiver::FakeSerialPorts ports_;
  testing::receiver::StdThreads threads_;
  testing::receiver::InstantClock clock_;
  platform::ScriptedMessageBoxes boxes_;
  testing::receiver::PostRecordingWindow window_;
  std::unique_ptr<GpsReceiver> receiver_;
};

TEST_F(GpsPortTest, OpenConfiguresThePortAndTheReaderPostsAfterEachRmc) {
  auto port = ports_.Add(u"COM3:");
  GpsReceiver& receiver = MakeReceiver();
  ASSERT_TRUE(receiver.Open(u"COM3", 19600));
  EXPECT_TRUE(receiver.running());
  EXPECT_EQ(receiver.portNumber(), 3);
  EXPECT_EQ(receiver.portName(), u"COM3:");
  EXPECT_THAT(port->Calls(), ElementsAre("queues 4096 4096", "purge", "timeout 10000", "get", "set"));
  const platform::SerialSettings expected{.baud = 19600,
                                          .byteSize = 8,
                                          .parity = platform::Parity::kNone,
                                          .stopBits = platform::StopBits::kTwo,
                                          .parityCheck = true,
                                          .stripNull = false,
                                          .flowControl = false};
  EXPECT_EQ(port->settingsSet, expected);

  std::atomic<std::uint32_t> message = 0;
  window_.onPost = [&](std::uint32_t m, std::intptr_t, std::intptr_t) { message = m; };
  port->Feed("$GPGGA,215235.670,3735.0064,N,12701.6746,E,1,03,1.2,35.9,M,19.6,M,0.0,0000*46\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(window_.posts(), 0);  // a GGA alone brings no update
  EXPECT_DOUBLE_EQ(receiver.Fix().altitude, 35.9);

  port->Feed("$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,");
  port->Feed("12.00,0.000,311207,,*00\r\n");
  ASSERT_TRUE(window_.WaitForPosts(1));
  EXPECT_EQ(message.load(), GpsReceiver::kWmGpsFix);
  EXPECT_DOUBLE_EQ(receiver.Fix().speed, 12.0);
}

TEST_F(GpsPortTest, CloseReleasesASilentReaderAtOnceAndKeepsAllButSpeedAndHdop) {
  auto port = ports_.Add(u"\\\\?\\COM12:");
  GpsReceiver& receiver = MakeReceiver();
  ASSERT_TRUE(receiver.Open(12, 4800));
  EXPECT_EQ(receiver.portName(), u"\\\\?\\COM12:");
  port->Feed(
      "$GPGGA,215235.670,3735.0064,N,12701.6746,E,1,03,1.2,35.9,M,19.6,M,0.0,0000*46\r\n"
      "$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,12.00,0.000,311207,,*00\r\n");
  ASSERT_TRUE(window_.WaitForPosts(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the receiver falls silent

  const auto start = std::chrono::steady_clock::now();
  receiver.Close();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_FALSE(receiver.running());
  EXPECT_EQ(receiver.portNumber(), 0);
  EXPECT_TRUE(port->closed);
  EXPECT_EQ(port->Calls().back(), "purge");
  const GpsFix fix = receiver.Fix();
  EXPECT_DOUBLE_EQ(fix.speed, 0.0);
  EXPECT_DOUBLE_EQ(fix.hdop, 0.0);
  EXPECT_DOUBLE_EQ(fix.altitude, 35.9);
  EXPECT_DOUBLE_EQ(fix.latitude, 3733.2344);
  EXPECT_TRUE(fix.time.has_value());
}

TEST_F(GpsPortTest, AFailedReadIsNotReportedAndTheReaderWaitsAgain) {
  auto port = ports_.Add(u"COM2:");
  GpsReceiver& receiver = MakeReceiver();
  ASSERT_TRUE(receiver.Open(2, 9600));
  port->readsFail = true;
  port->Feed("$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,12.00,0.000,311207,,*00\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(window_.posts(), 0);
  {
    std::lock_guard guard(port->lock);
    port->readsFail = false;
  }
  ASSERT_TRUE(window_.WaitForPosts(1));
  receiver.Close();
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(GpsPortTest, EveryFailureOfOpenShowsItsBoxAndAnswersFalse) {
  // No such port: the one wording the device had.
  GpsReceiver& receiver = MakeReceiver();
  EXPECT_FALSE(receiver.Open(u"COM5:", 9600));
  EXPECT_THAT(ports_.opened, ElementsAre(u"COM5:"));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].request.text, u"GPS not found      .");
  EXPECT_EQ(boxes_.shown()[0].request.caption, u"GPS#4 Error");
  EXPECT_EQ(boxes_.shown()[0].request.owner, 77);
  EXPECT_EQ(boxes_.shown()[0].request.buttons, platform::MessageButtons::kOk);
  EXPECT_FALSE(receiver.running());

  // The port's settings cannot be read: the port stays open for the next Close.
  auto port = ports_.Add(u"COM6:");
  port->settingsFail = true;
  EXPECT_FALSE(receiver.Open(6, 9600));
  EXPECT_FALSE(port->closed);
  receiver.Close();
  EXPECT_TRUE(port->closed);

  // No thread can be made, for the port and for the emulation.
  threads_.fail = true;
  port->settingsFail = false;
  EXPECT_FALSE(receiver.Open(6, 9600));
  EXPECT_FALSE(receiver.running());
  receiver.Close();
  GpsReceiver& emulated = MakeReceiver(/*korean=*/true);
  emulated.SetEmulation(true);
  EXPECT_FALSE(emulated.Open(u"COM1", 9600));
  EXPECT_THAT(Captions(), ElementsAre(u"GPS#4 Error", u"GPS#6 Error", u"GPS#5 Error", u"GPS#1 오류"));
  for (const auto& shown : boxes_.shown()) EXPECT_FALSE(shown.request.text.empty());
}

TEST_F(GpsPortTest, TheSirfSwitchIsWrittenInThreePartsAndNothingIsWrittenInEmulation) {
  auto port = ports_.Add(u"COM1:");
  GpsReceiver& receiver = MakeReceiver();
  ASSERT_TRUE(receiver.Open(1, 4800));
  receiver.SendSirfToNmea();
  receiver.Close();
  ASSERT_EQ(port->writes.size(), 3u);
  EXPECT_EQ(port->writes[0], std::string("\xA0\xA2\x00\x18", 4));
  EXPECT_EQ(port->writes[2], std::string("\x01\x3D\xB0\xB3", 4));
  const std::string& payload = port->writes[1];
  ASSERT_EQ(payload.size(), 24u);
  int sum = 0;
  for (const char c : payload) sum += static_cast<unsigned char>(c);
  EXPECT_EQ(sum % 32768, 0x013D);  // the frame's checksum matches its payload
  EXPECT_EQ(payload.substr(0, 2), "\x81\x02");
  EXPECT_EQ(payload.substr(22), "\x25\x80");  // 9600 bit/s

  GpsReceiver& emulated = MakeReceiver();
  emulated.SetEmulation(true);
  ASSERT_TRUE(emulated.Open(1, 4800));
  emulated.SendSirfToNmea();
  emulated.Close();
  EXPECT_EQ(port->writes.size(), 3u);
}

TEST_F(GpsPortTest, TheEmulationOpensNoPortAndCountsTheSpeedUpOneRmcASecond) {
  std::mutex lock;
  std::vector<int> kmh;
  std::vector<double> courses;
  std::vector<int> sleepsAfterPost;
  bool posted = false;
  GpsReceiver& receiver = MakeReceiver();
  window_.onPost = [&](std::uint32_t, std::intptr_t, std::intptr_t) {
    const GpsFix fix = receiver.Fix();
    std::lock_guard guard(lock);
    kmh.push_back(static_cast<int>(fix.speed * 1.852));
    courses.push_back(fix.course);
    posted = true;
  };
  clock_.onSleep = [&](int ms) {
    std::lock_guard guard(lock);
    if (posted) sleepsAfterPost.push_back(ms);
    posted = false;
  };
  receiver.SetEmulation(true);
  ASSERT_TRUE(receiver.Open(u"COM2", 9600));
  ASSERT_TRUE(window_.WaitForPosts(10));
  receiver.Close();
  EXPECT_TRUE(ports_.opened.empty());

  std::lock_guard guard(lock);
  ASSERT_GE(kmh.size(), 10u);
  EXPECT_EQ(std::vector<int>(kmh.begin(), kmh.begin() + 10),
            (std::vector<int>{0, 18, 37, 55, 74, 92, 111, 129, 0, 18}));
  // The 0.000 of the 60-knot sentence is not taken while moving.
  EXPECT_EQ(std::vector<double>(courses.begin(), courses.begin() + 8),
            (std::vector<double>{0, 5, 10, 15, 10, 5, 5, 355}));
  for (const int ms : sleepsAfterPost) EXPECT_EQ(ms, 1000);
}

}  // namespace
}  // namespace vexa::gps
