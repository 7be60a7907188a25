#include "platform/headless/VirtualClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexa::platform {
namespace {

struct Firing {
  std::string name;
  std::uint64_t at;
  bool operator==(const Firing&) const = default;
};

TEST(VirtualClockTest, StartsAtTheDocumentedMorningAndOnlyMovesWhenAdvanced) {
  VirtualClock clock;
  EXPECT_EQ(clock.TickCount(), 0u);
  EXPECT_EQ(clock.LocalTime(), (DateTime{2026, 1, 4, 1, 9, 0, 0, 0}));
  EXPECT_EQ(clock.SystemTime(), clock.LocalTime());
  EXPECT_EQ(clock.TickCount(), 0u);
  clock.Advance(61'001);
  EXPECT_EQ(clock.TickCount(), 61'001u);
  EXPECT_EQ(clock.LocalTime(), (DateTime{2026, 1, 4, 1, 9, 1, 1, 1}));
}

TEST(VirtualClockTest, CalendarRollsOverMidnightIntoALeapDay) {
  VirtualClock clock(*VirtualClock::ParseDateTime("2028-02-28 23:59:59"));
  clock.Sleep(1'500);
  // 2028-02-29 is a Tuesday.
  EXPECT_EQ(clock.LocalTime(), (DateTime{2028, 2, 2, 29, 0, 0, 0, 500}));
  clock.Advance(24LL * 3600 * 1000);
  EXPECT_EQ(clock.LocalTime(), (DateTime{2028, 3, 3, 1, 0, 0, 0, 500}));
}

TEST(VirtualClockTest, ParsesStartTimesAndRefusesImpossibleOnes) {
  EXPECT_EQ(VirtualClock::ParseDateTime("2026-12-24 18:30:05"), (DateTime{2026, 12, 4, 24, 18, 30, 5, 0}));
  EXPECT_EQ(VirtualClock::ParseDateTime("2026-12-24T18:30:05"), (DateTime{2026, 12, 4, 24, 18, 30, 5, 0}));
  for (const char* bad :
       {"2026-02-29 00:00:00", "2026-13-01 00:00:00", "2026-01-01 24:00:00", "2026-01-01 10:60:00",
        "2026-01-01", "2026-1-01 00:00:00", "2026-01-0100:00:00", "2026-01-01 00:00:00 ", "", "today"}) {
    EXPECT_FALSE(VirtualClock::ParseDateTime(bad)) << bad;
  }
}

TEST(VirtualClockTest, TimersFireInTheOrderTheyFallDueAndRepeatUntilStopped) {
  VirtualClock clock;
  std::vector<Firing> fired;
  auto record = [&](const char* name) { return [&, name] { fired.push_back({name, clock.TickCount()}); }; };
  const int a = clock.Start(300, record("a"));
  const int b = clock.Start(200, record("b"));
  clock.Start(300, record("c"));
  EXPECT_NE(a, 0);
  EXPECT_NE(a, b);

  clock.Advance(150);
  EXPECT_TRUE(fired.empty());
  clock.Advance(450);  // to 600: simultaneous timers fire in the order they were started
  EXPECT_EQ(fired, (std::vector<Firing>{
                       {"b", 200}, {"a", 300}, {"c", 300}, {"b", 400}, {"a", 600}, {"b", 600}, {"c", 600}}));
  EXPECT_EQ(clock.TickCount(), 600u);

  fired.clear();
  clock.Stop(b);
  clock.Stop(12345);  // unknown numbers are ignored
  clock.Advance(300);
  EXPECT_EQ(fired, (std::vector<Firing>{{"a", 900}, {"c", 900}}));
}

TEST(VirtualClockTest, ATimerCanStopItselfAndZeroPeriodsDoNotHang) {
  VirtualClock clock;
  int count = 0;
  int self = 0;
  self = clock.Start(0, [&] {
    if (++count == 3) clock.Stop(self);
  });
  clock.Advance(1000);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(clock.activeTimers(), 0u);
}

TEST(VirtualClockTest, ANestedAdvanceFiresInsideItsSpanAndTimeNeverGoesBack) {
  VirtualClock clock;
  std::vector<Firing> fired;
  bool nested = false;
  clock.Start(100, [&] {
    fired.push_back({"t1", clock.TickCount()});
    if (!nested) {
      nested = true;
      clock.Advance(250);  // as a modal loop waiting inside the timer would
      fired.push_back({"t1 back", clock.TickCount()});
    }
  });
  clock.Start(150, [&] { fired.push_back({"t2", clock.TickCount()}); });

  clock.Advance(150);  // the nested advance goes past the outer end
  EXPECT_EQ(fired, (std::vector<Firing>{
                       {"t1", 100}, {"t2", 150}, {"t1", 200}, {"t1", 300}, {"t2", 300}, {"t1 back", 350}}));
  EXPECT_EQ(clock.TickCount(), 350u);

  fired.clear();
  clock.Advance(100);
  EXPECT_EQ(fired, (std::vector<Firing>{{"t1", 400}, {"t2", 450}}));
}

TEST(VirtualClockTest, ATimerStartedFromACallbackCountsFromThatMoment) {
  VirtualClock clock;
  std::vector<Firing> fired;
  int first = 0;
  first = clock.Start(100, [&] {
    clock.Stop(first);
    clock.Start(50, [&] { fired.push_back({"late", clock.TickCount()}); });
  });
  clock.Advance(260);
  EXPECT_EQ(fired, (std::vector<Firing>{{"late", 150}, {"late", 200}, {"late", 250}}));
}

TEST(VirtualClockTest, SleepFiresNothingAndTimersDueMeanwhileFireOnceWhenTheLoopTurns) {
  VirtualClock clock;
  std::vector<Firing> fired;
  clock.Start(100, [&] { fired.push_back({"t", clock.TickCount()}); });
  clock.Start(700, [&] { fired.push_back({"slow", clock.TickCount()}); });
  clock.Sleep(2000);
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(clock.TickCount(), 2000u);

  EXPECT_TRUE(clock.FireDue());  // coalesced: one message each, in the order they fell due
  EXPECT_EQ(fired, (std::vector<Firing>{{"t", 2000}, {"slow", 2000}}));
  EXPECT_FALSE(clock.FireDue());
  fired.clear();
  clock.Advance(250);  // then each keeps its period from that moment
  EXPECT_EQ(fired, (std::vector<Firing>{{"t", 2100}, {"t", 2200}}));

  fired.clear();
  clock.Sleep(1000);   // to 3250
  clock.Advance(100);  // a wait is a turn of the loop too: the overdue ones first, once
  EXPECT_EQ(fired, (std::vector<Firing>{{"t", 3250}, {"slow", 3250}, {"t", 3350}}));
  EXPECT_EQ(clock.TickCount(), 3350u);
}

TEST(VirtualClockTest, ASleepInsideACallbackDoesNotReenterOtherTimers) {
  VirtualClock clock;
  std::vector<Firing> fired;
  int startup = 0;
  startup = clock.Start(500, [&] {
    clock.Stop(startup);
    fired.push_back({"startup", clock.TickCount()});
    clock.Sleep(2000);  // as a two-second wait for another program's window
    fired.push_back({"startup done", clock.TickCount()});
  });
  clock.Start(1000, [&] { fired.push_back({"clock", clock.TickCount()}); });
  clock.Advance(600);
  EXPECT_EQ(fired, (std::vector<Firing>{{"startup", 500}, {"startup done", 2500}, {"clock", 2500}}));
  EXPECT_EQ(clock.TickCount(), 2500u);  // the span was passed: the wait ends where time stands
}

}  // namespace
}  // namespace vexa::platform

namespace vexa::platform {
namespace {

TEST(VirtualClockSetterTest, SettingTheClockMovesTheWallTimeAndLeavesTheTicks) {
  VirtualClock clock;
  clock.Advance(1234);
  EXPECT_TRUE(clock.SetSystemTime(DateTime{2008, 1, 0, 5, 10, 0, 0, 999}));
  EXPECT_EQ(clock.TickCount(), 1234u);
  // The day of the week is worked out, the milliseconds given are not taken.
  EXPECT_EQ(clock.SystemTime(), (DateTime{2008, 1, 6, 5, 10, 0, 0, 0}));
  clock.Advance(1500);
  EXPECT_EQ(clock.LocalTime(), (DateTime{2008, 1, 6, 5, 10, 0, 1, 500}));
  for (const DateTime bad : {DateTime{2008, 13, 0, 5, 10, 0, 0, 0}, DateTime{2007, 2, 0, 29, 0, 0, 0, 0},
                             DateTime{2008, 1, 0, 5, 25, 0, 0, 0}, DateTime{1600, 1, 0, 1, 0, 0, 0, 0}}) {
    EXPECT_FALSE(clock.SetSystemTime(bad));
  }
  EXPECT_EQ(clock.LocalTime(), (DateTime{2008, 1, 6, 5, 10, 0, 1, 500}));
  // Back before 1970 the calendar still counts right.
  EXPECT_TRUE(clock.SetSystemTime(DateTime{1969, 12, 0, 31, 23, 59, 59, 0}));
  clock.Advance(1000);
  EXPECT_EQ(clock.LocalTime(), (DateTime{1970, 1, 4, 1, 0, 0, 0, 0}));
}

TEST(VirtualClockSetterTest, DeviceEventsHappenInEveryAdvanceBeforeTimersOfTheSameMoment) {
  VirtualClock clock;
  std::vector<std::string> order;
  clock.Start(10, [&] { order.push_back("timer@" + std::to_string(clock.TickCount())); });
  clock.ScheduleDeviceEvent(10, [&] { order.push_back("device@" + std::to_string(clock.TickCount())); });
  clock.ScheduleDeviceEvent(25, [&] { order.push_back("device@" + std::to_string(clock.TickCount())); });
  clock.Advance(10);
  clock.Sleep(20);  // no timers here, but the line still delivers
  EXPECT_EQ(order, (std::vector<std::string>{"device@10", "timer@10", "device@25"}));
  EXPECT_EQ(clock.pendingDeviceEvents(), 0u);
}

}  // namespace
}  // namespace vexa::platform
