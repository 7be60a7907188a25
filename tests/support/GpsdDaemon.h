#pragma once

#include <sys/types.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/UniqueFd.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::testing {

// A real gpsd daemon reading a pseudo-terminal that is fed, sentence by sentence and over and over,
// with a recording, as a receiver on a serial line would feed it.
class GpsdDaemon {
 public:
  GpsdDaemon() = default;
  ~GpsdDaemon();
  GpsdDaemon(const GpsdDaemon&) = delete;
  GpsdDaemon& operator=(const GpsdDaemon&) = delete;

  // The "$" sentences of a recording of tests/data/nmea, each ending in CR LF.
  static std::vector<std::string> RecordedSentences(const std::string& recording);

  // Starts the daemon on a free TCP port and the feeding of `sentences` every `pauseMs`. An empty text
  // when it listens; else why it could not be started (gpsd missing, or it ended at once), for a skip.
  std::string Start(std::vector<std::string> sentences, int pauseMs = 10);
  // Ends the feeding; the daemon keeps running.
  void StopFeeding();
  // Ends the daemon (and the feeding).
  void Stop();

  int port() const { return port_; }
  const std::vector<std::string>& sentences() const { return sentences_; }

 private:
  TempDeviceTree folder_;
  std::vector<std::string> sentences_;
  platform::UniqueFd master_;
  platform::UniqueFd slave_;
  int port_ = 0;
  pid_t daemon_ = -1;
  std::atomic<bool> stop_ = false;
  std::thread feeder_;
};

// A TCP port on the loopback that nothing listens on now; 0 when none could be found.
int FreeTcpPort();

}  // namespace vexa::testing
