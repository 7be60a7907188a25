#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "platform/posix/HostClockSetter.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/runtime/SystemClock.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using namespace std::chrono_literals;

long long Seconds(const DateTime& t) {
  return UtcSeconds(DateTime{t.year, t.month, 0, t.day, t.hour, t.minute, t.second, 0}).value_or(0);
}

class DeviceClockTest : public ::testing::Test {
 protected:
  void SetUp() override { tree_.MakeDir("Windows"); }

  testing::TempDeviceTree tree_;
  PosixFileSystem files_{tree_.root().string()};
};

TEST_F(DeviceClockTest, TheTimeSetInOneProgramIsSeenByAnotherAndTheHostClockStays) {
  SystemClock setter;
  setter.FollowDeviceClock(files_);
  SystemClock other;
  other.FollowDeviceClock(files_);
  const DateTime hostBefore = other.SystemTime();  // no file yet: the host's time

  const DateTime fix{2008, 1, 6, 5, 10, 0, 0, 0};  // 2008-01-05 10:00:00 UTC
  ASSERT_TRUE(setter.SetSystemTime(fix));
  EXPECT_NEAR(Seconds(setter.SystemTime()), Seconds(fix), 1);
  EXPECT_EQ(setter.SystemTime().dayOfWeek, 6);  // a Saturday
  // The file is the device's clock: written whole, in the device's text form.
  const std::string content = tree_.ReadHostFile("Windows/Clock.ini");
  EXPECT_THAT(content, ::testing::HasSubstr("[Clock]\r\nOffsetMilliseconds=-"));
  // The other program looks again within about a second.
  std::this_thread::sleep_for(1100ms);
  EXPECT_NEAR(Seconds(other.SystemTime()), Seconds(fix) + 1, 1);
  // Local time is the same moment in the host's zone, and the tick count does not jump.
  SystemClock fresh;
  fresh.FollowDeviceClock(files_);
  EXPECT_NEAR(Seconds(fresh.SystemTime()), Seconds(fix) + 1, 1);
  EXPECT_LT(fresh.TickCount(), 1000u);
  // The host's clock did not move.
  SystemClock host;
  EXPECT_NEAR(Seconds(host.SystemTime()), Seconds(hostBefore) + 1, 2);
}

TEST_F(DeviceClockTest, ImpossibleTimesAndDamagedFilesLeaveTheHostsTime) {
  SystemClock clock;
  EXPECT_FALSE(clock.SetSystemTime({2008, 1, 0, 5, 10, 0, 0, 0}));  // no device tree to keep it in
  clock.FollowDeviceClock(files_);
  EXPECT_FALSE(clock.SetSystemTime({2008, 2, 0, 30, 10, 0, 0, 0}));
  EXPECT_FALSE(clock.SetSystemTime({2008, 13, 0, 1, 10, 0, 0, 0}));
  EXPECT_FALSE(clock.SetSystemTime({2008, 1, 0, 1, 25, 0, 0, 0}));
  EXPECT_FALSE(tree_.HostExists("Windows/Clock.ini"));

  SystemClock host;
  for (const char* damaged : {"[Clock]\r\nOffsetMilliseconds=12abc\r\n", "OffsetMilliseconds=99999999999999999999",
                              "\x01\xff garbage", "[Clock]\r\nOffsetMilliseconds=999999999999999\r\n"}) {
    tree_.WriteHostFile("Windows/Clock.ini", damaged);
    SystemClock reader;
    reader.FollowDeviceClock(files_);
    EXPECT_NEAR(Seconds(reader.SystemTime()), Seconds(host.SystemTime()), 1) << damaged;
  }
  EXPECT_EQ(SystemClock::ParseOffset(SystemClock::FormatOffset(-1234)), -1234);
  EXPECT_EQ(SystemClock::ParseOffset("[Clock]\nOffsetMilliseconds=5\n"), 5);
}

TEST(HostClockSetterTest, ImpossibleDatesAreRefusedBeforeTheHostIsAsked) {
  EXPECT_EQ(UtcSeconds({1970, 1, 0, 1, 0, 0, 0, 0}), 0);
  EXPECT_EQ(UtcSeconds({2008, 1, 0, 5, 10, 0, 0, 0}), 1199527200);
  EXPECT_EQ(UtcSeconds({2008, 2, 0, 29, 0, 0, 0, 0}).has_value(), true);
  EXPECT_EQ(UtcSeconds({2007, 2, 0, 29, 0, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(UtcSeconds({1969, 12, 0, 31, 0, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(UtcSeconds({2008, 1, 0, 1, 0, 60, 0, 0}), std::nullopt);
  std::ostringstream messages;
  HostClockSetter setter("VexaDeck", messages);
  EXPECT_FALSE(setter.SetSystemTime({2008, 4, 0, 31, 0, 0, 0, 0}));
  EXPECT_EQ(messages.str(), "");
}

}  // namespace
}  // namespace vexa::platform
