#include "platform/headless/VirtualThreads.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/headless/ScriptedSerialPorts.h"
#include "tests/headless/LogCapture.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using testing::LogCapture;

// A reader-like worker beside a window timer, with posted messages handled by the host hook. Every
// line of the timeline is "TIME who what".
std::vector<std::string> RunTimeline() {
  VirtualClock clock;
  VirtualThreads threads(clock);
  std::vector<std::string> timeline;
  std::vector<int> posted;  // the "message queue" of the window thread
  const auto note = [&](const std::string& what) { timeline.push_back(std::to_string(clock.TickCount()) + " " + what); };
  clock.SetHostEvents([&] {
    for (const int message : posted) note("window handles " + std::to_string(message));
    posted.clear();
  });
  std::atomic<bool> running = true;
  int count = 0;
  clock.Start(250, [&] { note("timer"); });
  std::unique_ptr<Thread> worker = threads.Start([&] {
    while (running) {
      posted.push_back(++count);
      note("worker posts " + std::to_string(count));
      clock.Sleep(0);  // only yields
      clock.Sleep(100);
    }
    note("worker ends");
  });
  note("started");
  clock.Advance(500);
  running = false;
  worker->Join();
  note("joined");
  return timeline;
}

TEST(VirtualThreadsTest, AWorkerRunsInStepWithTimersAndItsPostsAreHandledAtOnce) {
  const std::vector<std::string> timeline = RunTimeline();
  // Start returns once the body blocked; a worker due with a timer runs first; what it posted is
  // handled before anything later; the post of the start is handled at the loop's first turn.
  EXPECT_THAT(timeline, ElementsAre("0 worker posts 1", "0 started", "100 worker posts 2", "100 window handles 1",
                                    "100 window handles 2", "200 worker posts 3", "200 window handles 3",
                                    "250 timer", "300 worker posts 4", "300 window handles 4",
                                    "400 worker posts 5", "400 window handles 5", "500 worker posts 6",
                                    "500 window handles 6", "500 timer", "600 worker ends", "600 joined"));
  // The same run again gives the same timeline, threads or not.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(RunTimeline(), timeline);
}

TEST(VirtualThreadsTest, TheWindowThreadsSleepLetsWorkersRunButFiresNoTimerAndHandlesNothing) {
  VirtualClock clock;
  VirtualThreads threads(clock);
  int hostTurns = 0;
  int timerFired = 0;
  clock.SetHostEvents([&] { ++hostTurns; });
  clock.Start(50, [&] { ++timerFired; });
  std::vector<std::uint64_t> wakes;
  std::atomic<bool> running = true;
  auto worker = threads.Start([&] {
    while (running) {
      clock.Sleep(30);
      wakes.push_back(clock.TickCount());
    }
  });
  clock.Sleep(100);
  EXPECT_THAT(wakes, ElementsAre(30u, 60u, 90u));
  EXPECT_EQ(timerFired, 0);
  EXPECT_EQ(hostTurns, 0);
  EXPECT_EQ(clock.TickCount(), 100u);
  // The overdue timer fires once at the loop's next turn.
  EXPECT_TRUE(clock.FireDue());
  EXPECT_EQ(timerFired, 1);
  running = false;
  worker->Join();
  // Join went over the pending sleep (due at 120) without firing the timer (due at 150).
  EXPECT_EQ(clock.TickCount(), 120u);
  EXPECT_EQ(timerFired, 1);
}

TEST(VirtualThreadsTest, JoinReleasesAReaderWaitingOnASilentPortAtOnce) {
  LogCapture capture;
  VirtualClock& clock = capture.clock;
  VirtualThreads threads(clock);
  ScriptedSerialPorts ports(clock, capture.log);
  ports.AddPort(2);
  std::unique_ptr<SerialPort> port = ports.Open(u"COM2:");
  ASSERT_TRUE(port);
  std::vector<std::string> seen;
  std::atomic<bool> running = true;
  auto reader = threads.Start([&] {
    while (running) {
      if (!port->WaitForBytes()) continue;
      std::uint8_t buffer[64];
      const std::size_t n = port->Read(buffer).value_or(0);
      seen.push_back(std::to_string(clock.TickCount()) + ":" + std::string(buffer, buffer + n));
      clock.Sleep(10);
    }
  });
  clock.Advance(1000);
  EXPECT_TRUE(seen.empty());
  ports.Feed(2, "$GP");
  clock.Advance(5);
  ports.Feed(2, "RMC");
  clock.Advance(1000);
  EXPECT_THAT(seen, ElementsAre("1000:$GP", "1010:RMC"));

  running = false;
  port->ReleaseWait();
  reader->Join();
  EXPECT_EQ(clock.TickCount(), 2005u);
  // Every later wait answers false at once.
  EXPECT_FALSE(port->WaitForBytes());
}

TEST(VirtualThreadsTest, AThreadHandleLeftUnjoinedJoinsWhenDestroyed) {
  VirtualClock clock;
  VirtualThreads threads(clock);
  std::atomic<bool> running = true;
  bool ended = false;
  {
    auto worker = threads.Start([&] {
      while (running) clock.Sleep(1000);
      ended = true;
    });
    clock.Advance(1500);
    running = false;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(clock.TickCount(), 2000u);
  // A body that returns before it ever blocks is joined just as well.
  auto quick = threads.Start([] {});
  quick->Join();
  quick->Join();
}

}  // namespace
}  // namespace vexa::platform
