#include "tests/support/GpsdDaemon.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pty.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

namespace vexa::testing {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string FindGpsd() {
  for (const char* path : {"/usr/sbin/gpsd", "/usr/local/sbin/gpsd", "/sbin/gpsd"}) {
    if (::access(path, X_OK) == 0) return path;
  }
  return {};
}

bool Listening(int port) {
  platform::UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return ::connect(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

}  // namespace

int FreeTcpPort() {
  platform::UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
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

std::vector<std::string> GpsdDaemon::RecordedSentences(const std::string& recording) {
  std::ifstream in(std::string(VEXA_SOURCE_DIR) + "/tests/data/nmea/" + recording, std::ios::binary);
  std::vector<std::string> sentences;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.starts_with("$")) sentences.push_back(line + "\r\n");
  }
  return sentences;
}

std::string GpsdDaemon::Start(std::vector<std::string> sentences, int pauseMs) {
  sentences_ = std::move(sentences);
  if (sentences_.empty()) return "no sentences to feed";
  const std::string gpsd = FindGpsd();
  if (gpsd.empty()) return "gpsd is not installed (Debian package gpsd)";

  int master = -1;
  int slave = -1;
  char name[128];
  if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) return "no pseudo-terminal";
  termios raw{};
  ::tcgetattr(slave, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(slave, TCSANOW, &raw);
  master_ = platform::UniqueFd(master);
  slave_ = platform::UniqueFd(slave);

  port_ = FreeTcpPort();
  if (port_ == 0) return "no free TCP port";
  const std::string socketPath = (folder_.root() / "gpsd.sock").string();
  const std::string service = std::to_string(port_);
  daemon_ = ::fork();
  if (daemon_ < 0) return "fork failed";
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
      return gpsd + " could not start (exit status " + std::to_string(status) + ")";
    }
    if (Clock::now() - start > 5s) return gpsd + " does not listen on port " + service;
    std::this_thread::sleep_for(20ms);
  }
  feeder_ = std::thread([this, pauseMs] {
    for (std::size_t i = 0; !stop_; ++i) {
      const std::string& sentence = sentences_[i % sentences_.size()];
      if (::write(master_.get(), sentence.data(), sentence.size()) < 0) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
  });
  return {};
}

void GpsdDaemon::StopFeeding() {
  stop_ = true;
  if (feeder_.joinable()) feeder_.join();
}

void GpsdDaemon::Stop() {
  if (daemon_ > 0) {
    ::kill(daemon_, SIGTERM);
    int status = 0;
    ::waitpid(daemon_, &status, 0);
    daemon_ = -1;
  }
  StopFeeding();
}

GpsdDaemon::~GpsdDaemon() { Stop(); }

}  // namespace vexa::testing
