#include "platform/posix/GpsdSerialPort.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <pty.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/PosixThreads.h"
#include "platform/posix/UniqueFd.h"
#include "tests/support/GpsdDaemon.h"

namespace vexa::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A real gpsd daemon reading a pseudo-terminal that the test feeds with a recording of a SiRF-IV
// receiver sending $GP sentences.
class GpsdSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string problem = daemon_.Start(testing::GpsdDaemon::RecordedSentences("bu353s4.log"));
    if (!problem.empty()) GTEST_SKIP() << problem << ": the gpsd port is not tested";
    port_ = daemon_.port();
    sentences_ = daemon_.sentences();
  }
  void StopDaemon() { daemon_.Stop(); }

  testing::GpsdDaemon daemon_;
  std::vector<std::string> sentences_;
  int port_ = 0;
};

TEST_F(GpsdSerialPortTest, TheDaemonsReceiverSentencesArriveAsTheReceiverSentThem) {
  auto port = GpsdSerialPort::Open("127.0.0.1", port_);
  ASSERT_NE(port, nullptr);
  // Lines as they come: only the receiver's sentences, each ended with CR LF, none of the daemon's
  // own reports.
  std::string received;
  int rmcs = 0;
  const auto start = Clock::now();
  while (rmcs < 3 && Clock::now() - start < 5s && port->WaitForBytes()) {
    std::uint8_t buffer[2048];
    const std::size_t count = port->Read(buffer).value_or(0);
    received.append(reinterpret_cast<const char*>(buffer), count);
    rmcs = 0;
    for (std::size_t at = received.find("$GPRMC"); at != std::string::npos; at = received.find("$GPRMC", at + 1))
      ++rmcs;
  }
  ASSERT_GE(rmcs, 3) << received;
  const std::set<std::string> recorded(sentences_.begin(), sentences_.end());
  std::istringstream lines(received);
  int whole = 0;
  for (std::string line; std::getline(lines, line);) {
    if (lines.eof()) break;  // a last line still on its way
    EXPECT_TRUE(recorded.contains(line + "\n")) << line;
    ++whole;
  }
  EXPECT_GE(whole, 3);
  // The daemon owns the receiver: nothing is written through it.
  const std::uint8_t sirf[] = {0xA0, 0xA2};
  EXPECT_EQ(port->Write(sirf), std::nullopt);

  // A wait is released at once from another thread, and every later one answers false.
  daemon_.StopFeeding();
  std::this_thread::sleep_for(100ms);
  std::uint8_t buffer[4096];
  while (port->QueuedBytes() > 0) port->Read(buffer);
  PosixThreads threads;
  std::atomic<bool> result = true;
  auto waiter = threads.Start([&] { result = port->WaitForBytes(); });
  std::this_thread::sleep_for(100ms);
  const auto asked = Clock::now();
  port->ReleaseWait();
  waiter->Join();
  EXPECT_FALSE(result);
  EXPECT_LT(Clock::now() - asked, 100ms);
  EXPECT_FALSE(port->WaitForBytes());
}

TEST_F(GpsdSerialPortTest, ADaemonThatGoesAwayEndsTheWaits) {
  auto port = GpsdSerialPort::Open("127.0.0.1", port_);
  ASSERT_NE(port, nullptr);
  StopDaemon();
  const auto start = Clock::now();
  std::uint8_t buffer[4096];
  while (port->WaitForBytes() && Clock::now() - start < 3s) port->Read(buffer);
  EXPECT_LT(Clock::now() - start, 3s);
  EXPECT_FALSE(port->WaitForBytes());
  port->SetReadTimeout(100);
  EXPECT_EQ(port->Read(buffer), 0u);
}

TEST(GpsdSerialPortOpenTest, NoDaemonMeansNoPort) {
  const int port = testing::FreeTcpPort();
  ASSERT_NE(port, 0);
  EXPECT_EQ(GpsdSerialPort::Open("127.0.0.1", port), nullptr);
  EXPECT_EQ(GpsdSerialPort::Open("no-such-host.invalid", 2947), nullptr);
  // A host that does not answer at all (an address reserved for documentation) is given up on
  // within seconds, so the window thread that opens the port is not held for minutes.
  const auto start = Clock::now();
  EXPECT_EQ(GpsdSerialPort::Open("192.0.2.1", 2947), nullptr);
  EXPECT_LT(Clock::now() - start, 3s);
}

}  // namespace
}  // namespace vexa::platform
