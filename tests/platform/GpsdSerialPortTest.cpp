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
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The sentences of a recorded receiver (a SiRF-IV one sending $GP sentences).
std::vector<std::string> RecordedSentences() {
  std::ifstream in(std::string(VEXA_SOURCE_DIR) + "/tests/data/nmea/bu353s4.log", std::ios::binary);
  std::vector<std::string> sentences;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.starts_with("$")) sentences.push_back(line + "\r\n");
  }
  return sentences;
}

std::string FindGpsd() {
  for (const char* path : {"/usr/sbin/gpsd", "/usr/local/sbin/gpsd", "/sbin/gpsd"}) {
    if (::access(path, X_OK) == 0) return path;
  }
  return {};
}

// A TCP port that nothing listens on now.
int FreePort() {
  UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return 0;
  }
  return ntohs(address.sin_port);
}

bool Listening(int port) {
  UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return ::connect(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

// A real gpsd daemon reading a pseudo-terminal that the test feeds with a recording, as a receiver
// on a serial line would.
class GpsdSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sentences_ = RecordedSentences();
    ASSERT_FALSE(sentences_.empty());
    const std::string gpsd = FindGpsd();
    if (gpsd.empty()) GTEST_SKIP() << "gpsd is not installed (Debian package gpsd): the gpsd port is not tested";

    int master = -1;
    int slave = -1;
    char name[128];
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    master_ = UniqueFd(master);
    slave_ = UniqueFd(slave);

    port_ = FreePort();
    ASSERT_NE(port_, 0);
    const std::string socketPath = (folder_.root() / "gpsd.sock").string();
    const std::string service = std::to_string(port_);
    daemon_ = ::fork();
    ASSERT_GE(daemon_, 0);
    if (daemon_ == 0) {
      // The daemon's complaints (no system bus here) stay out of the test's output.
      const int quiet = ::open("/dev/null", O_WRONLY);
      if (quiet >= 0) ::dup2(quiet, STDERR_FILENO);
      ::execl(gpsd.c_str(), gpsd.c_str(), "-N", "-n", "-b", "-S", service.c_str(), "-F", socketPath.c_str(), name,
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    const auto start = Clock::now();
    while (!Listening(port_)) {
      int status = 0;
      if (::waitpid(daemon_, &status, WNOHANG) == daemon_) {
        daemon_ = -1;
        GTEST_SKIP() << gpsd << " could not start (exit status " << status << "): the gpsd port is not tested";
      }
      if (Clock::now() - start > 5s) GTEST_SKIP() << gpsd << " does not listen on port " << port_;
      std::this_thread::sleep_for(20ms);
    }
    feeder_ = std::thread([this] {
      for (std::size_t i = 0; !stop_; ++i) {
        const std::string& sentence = sentences_[i % sentences_.size()];
        if (::write(master_.get(), sentence.data(), sentence.size()) < 0) break;
        std::this_thread::sleep_for(10ms);
      }
    });
  }

  void TearDown() override {
    StopDaemon();
    stop_ = true;
    if (feeder_.joinable()) feeder_.join();
  }

  void StopDaemon() {
    if (daemon_ <= 0) return;
    ::kill(daemon_, SIGTERM);
    int status = 0;
    ::waitpid(daemon_, &status, 0);
    daemon_ = -1;
  }

  testing::TempDeviceTree folder_;
  std::vector<std::string> sentences_;
  UniqueFd master_;
  UniqueFd slave_;
  int port_ = 0;
  pid_t daemon_ = -1;
  std::atomic<bool> stop_ = false;
  std::thread feeder_;
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
  stop_ = true;
  feeder_.join();
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
  const int port = FreePort();
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
