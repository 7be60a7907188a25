#include "platform/posix/TermiosSerialPort.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "platform/posix/HostSerialPorts.h"
#include "platform/posix/PosixThreads.h"
#include "platform/posix/UniqueFd.h"

namespace vexa::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string ReadAll(SerialPort& port) {
  std::string text;
  std::uint8_t buffer[256];
  while (const auto count = port.Read(buffer)) {
    if (*count == 0) break;
    text.append(reinterpret_cast<const char*>(buffer), *count);
  }
  return text;
}

// Reads what arrives on `fd` within `wait`.
std::string Drain(int fd, std::chrono::milliseconds wait) {
  std::string text;
  pollfd in{fd, POLLIN, 0};
  while (::poll(&in, 1, static_cast<int>(wait.count())) > 0) {
    char buffer[256];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count <= 0) break;
    text.append(buffer, static_cast<std::size_t>(count));
  }
  return text;
}

// A pseudo-terminal pair standing for a serial line: the port opens the slave by its path, the
// test plays the receiver on the master.
class TermiosSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int master = -1;
    int slave = -1;
    char name[128];
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    master_ = UniqueFd(master);
    ::close(slave);  // the port opens its own
    path_ = name;
    port_ = TermiosSerialPort::Open(path_);
    ASSERT_NE(port_, nullptr);
  }

  void Send(std::string_view text) { ASSERT_EQ(::write(master_.get(), text.data(), text.size()), static_cast<ssize_t>(text.size())); }

  UniqueFd master_;
  std::string path_;
  std::unique_ptr<SerialPort> port_;
};

TEST_F(TermiosSerialPortTest, EveryRateAndFrameIsSetAndReadBack) {
  for (const std::uint32_t baud : {4800u, 9600u, 14400u, 19600u, 19200u, 115200u}) {
    SerialSettings settings;
    settings.baud = baud;
    settings.byteSize = 8;
    settings.stopBits = StopBits::kTwo;
    ASSERT_TRUE(port_->SetSettings(settings)) << baud;
    EXPECT_EQ(port_->GetSettings(), settings) << baud;
  }
  // A pseudo-terminal always carries 8 bits without parity (the kernel keeps them), so here the
  // rest of the frame is checked as far as such a line takes it.
  SerialSettings checked{.baud = 19600, .byteSize = 8, .stopBits = StopBits::kOne, .parityCheck = true};
  ASSERT_TRUE(port_->SetSettings(checked));
  EXPECT_EQ(port_->GetSettings(), checked);
  EXPECT_TRUE(port_->SetSettings({.baud = 4800, .byteSize = 7, .parity = Parity::kMark}));
  EXPECT_TRUE(port_->SetSettings({.baud = 4800, .byteSize = 5, .stopBits = StopBits::kOneAndHalf}));
  const SerialSettings last{.baud = 14400, .byteSize = 8, .stopBits = StopBits::kTwo};
  ASSERT_TRUE(port_->SetSettings(last));

  // What a line cannot carry is refused and leaves the settings as they were.
  EXPECT_FALSE(port_->SetSettings({.baud = 9600, .byteSize = 9}));
  EXPECT_FALSE(port_->SetSettings({.baud = 9600, .byteSize = 4}));
  EXPECT_FALSE(port_->SetSettings({.baud = 0}));
  EXPECT_FALSE(port_->SetSettings({.baud = 9600, .byteSize = 8, .stopBits = StopBits::kOneAndHalf}));
  EXPECT_FALSE(port_->SetSettings({.baud = 9600, .byteSize = 5, .stopBits = StopBits::kTwo}));
  EXPECT_EQ(port_->GetSettings(), last);
}

TEST_F(TermiosSerialPortTest, BytesGoBothWaysUntranslated) {
  // Raw mode: CR, LF, ^C, ^D and NUL arrive as they were sent.
  const std::string received("$GPRMC,1*00\r\n\x03\x04\x00\x7f\xff", 17);
  Send(received);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(port_->QueuedBytes(), received.size());
  EXPECT_TRUE(port_->WaitForBytes());
  EXPECT_EQ(ReadAll(*port_), received);
  EXPECT_EQ(port_->QueuedBytes(), 0u);

  const std::string sirf("\xA0\xA2\x00\x18\x81\x02\r\n\xB0\xB3", 10);
  EXPECT_EQ(port_->Write(Bytes(sirf)), sirf.size());
  EXPECT_EQ(Drain(master_.get(), 100ms), sirf);

  // NUL bytes are dropped only when the settings ask for it.
  SerialSettings strip{.baud = 9600, .stripNull = true};
  ASSERT_TRUE(port_->SetSettings(strip));
  EXPECT_TRUE(port_->GetSettings()->stripNull);
  Send(std::string("a\0b\0\0c", 6));
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(ReadAll(*port_), "abc");

  // Purge drops what waits.
  Send("stale");
  std::this_thread::sleep_for(20ms);
  port_->Purge();
  EXPECT_EQ(port_->QueuedBytes(), 0u);
}

TEST_F(TermiosSerialPortTest, ReadWaitsUpToItsTimeOutForTheFirstByte) {
  std::uint8_t buffer[16];
  auto start = Clock::now();
  EXPECT_EQ(port_->Read(buffer), 0u);  // no time-out: at once
  EXPECT_LT(Clock::now() - start, 50ms);

  port_->SetReadTimeout(150);
  start = Clock::now();
  EXPECT_EQ(port_->Read(buffer), 0u);
  EXPECT_GE(Clock::now() - start, 140ms);

  std::thread late([&] {
    std::this_thread::sleep_for(50ms);
    Send("$");
  });
  start = Clock::now();
  EXPECT_EQ(port_->Read(std::span(buffer, 1)), 1u);
  EXPECT_LT(Clock::now() - start, 140ms);
  EXPECT_EQ(buffer[0], '$');
  late.join();
}

TEST_F(TermiosSerialPortTest, AWaitOnASilentLineIsReleasedFromAnotherThreadAtOnce) {
  PosixThreads threads;
  Clock::time_point released;
  std::atomic<bool> result = true;
  auto reader = threads.Start([&] {
    result = port_->WaitForBytes();
    released = Clock::now();
  });
  ASSERT_NE(reader, nullptr);
  std::this_thread::sleep_for(100ms);
  const auto asked = Clock::now();
  port_->ReleaseWait();
  reader->Join();
  EXPECT_FALSE(result);
  EXPECT_LT(released - asked, 100ms);
  // Every later wait ends at once too, even with bytes waiting.
  Send("x");
  EXPECT_FALSE(port_->WaitForBytes());
}

TEST_F(TermiosSerialPortTest, AHungUpLineEndsWaitsInsteadOfWakingTheReaderForEver) {
  master_.Reset();  // the receiver is pulled out
  std::uint8_t buffer[16];
  const auto start = Clock::now();
  EXPECT_FALSE(port_->WaitForBytes());
  EXPECT_FALSE(port_->WaitForBytes());
  EXPECT_LT(Clock::now() - start, 50ms);
  EXPECT_EQ(port_->Read(buffer), std::nullopt);
}

TEST_F(TermiosSerialPortTest, ThePortIsNotShared) {
  EXPECT_EQ(TermiosSerialPort::Open(path_), nullptr);
  port_.reset();
  auto again = TermiosSerialPort::Open(path_);
  EXPECT_NE(again, nullptr);
  EXPECT_EQ(TermiosSerialPort::Open("/nonexistent/ttyUSB9"), nullptr);
  EXPECT_EQ(TermiosSerialPort::Open("/dev/null"), nullptr);  // no terminal
}

TEST(HostSerialPortsTest, APseudoTerminalIsNamedAtTheStartAndFeedsItsPort) {
  std::ostringstream messages;
  HostSerialPorts ports({{2, {.kind = SerialSource::Kind::kPty}}}, "VexaDeck", messages);
  const std::string path = ports.PseudoTerminalPath(2);
  ASSERT_THAT(path, ::testing::StartsWith("/dev/pts/"));
  EXPECT_EQ(messages.str(), "VexaDeck: COM2: is " + path + "\n");

  auto port = ports.Open(u"COM2:");
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(ports.Open(u"com2:"), nullptr);  // not shared
  EXPECT_EQ(ports.Open(u"COM3:"), nullptr);  // not mapped
  EXPECT_EQ(ports.Open(u"COM2"), nullptr);   // no port name

  // Writers come and go; the line stays up, and the port does not hear its own writes back.
  for (const std::string_view sentence : {"$GPGGA,1*00\r\n", "$GPRMC,2*00\r\n"}) {
    UniqueFd writer(::open(path.c_str(), O_WRONLY | O_NOCTTY));
    ASSERT_TRUE(writer.valid());
    ASSERT_EQ(::write(writer.get(), sentence.data(), sentence.size()), static_cast<ssize_t>(sentence.size()));
  }
  ASSERT_TRUE(port->WaitForBytes());
  port->SetReadTimeout(50);
  EXPECT_EQ(ReadAll(*port), "$GPGGA,1*00\r\n$GPRMC,2*00\r\n");
  EXPECT_EQ(port->Write(Bytes("\xA0\xA2")), 2u);
  std::uint8_t buffer[8];
  port->SetReadTimeout(0);
  EXPECT_EQ(port->Read(buffer), 0u);

  // A writer hanging up does not hang up the port.
  port->SetReadTimeout(0);
  PosixThreads threads;
  auto waiter = threads.Start([&] { EXPECT_FALSE(port->WaitForBytes()); });
  std::this_thread::sleep_for(50ms);
  port->ReleaseWait();
  waiter->Join();

  port.reset();
  EXPECT_NE(ports.Open(u"COM2:"), nullptr);  // free again once closed
}

TEST(HostSerialPortsTest, MissingSourcesFailToOpenAsAMissingPortDoes) {
  std::ostringstream messages;
  HostSerialPorts ports({{1, {.kind = SerialSource::Kind::kDevice, .path = "/nonexistent/ttyUSB0"}},
                         {3, {.kind = SerialSource::Kind::kFile, .path = "/nonexistent/drive.nmea"}},
                         {12, {.kind = SerialSource::Kind::kGpsd, .host = "127.0.0.1", .port = 1}}},
                        "VexaDeck", messages);
  EXPECT_EQ(ports.Open(u"COM1:"), nullptr);
  EXPECT_EQ(ports.Open(u"COM3:"), nullptr);
  EXPECT_EQ(ports.Open(u"\\\\?\\COM12:"), nullptr);
  EXPECT_EQ(ports.Open(u"COM4:"), nullptr);
  EXPECT_EQ(messages.str(), "");
}

TEST(PosixThreadsTest, AThreadRunsItsBodyAndIsJoinedWhenItsHandleGoes) {
  PosixThreads threads;
  std::atomic<int> runs = 0;
  {
    auto thread = threads.Start([&] {
      std::this_thread::sleep_for(20ms);
      ++runs;
    });
    ASSERT_NE(thread, nullptr);
  }
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(threads.Start(nullptr), nullptr);
}

}  // namespace
}  // namespace vexa::platform
