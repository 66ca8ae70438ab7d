// The clock: real and virtual time, idleness, scheduled actions.

#include <gtest/gtest.h>

#include <mutex>
#include <tuple>
#include <vector>

#include "platform/sys/clock.h"
#include "platform/sys/sync.h"
#include "platform/sys/thread.h"

namespace plat {
namespace {

class VirtualClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ParseClockStart("2026-12-05T10:00:00", &start_));
    UseVirtualClock(start_);
  }
  void TearDown() override { UseRealClock(); }

  time_t start_ = 0;
};

TEST(ClockStartTest, ParsesLocalTimeAndRejectsMalformedText) {
  time_t t = 0;
  ASSERT_TRUE(ParseClockStart("2026-12-05T10:00:00", &t));
  tm fields{};
  localtime_r(&t, &fields);
  EXPECT_EQ(std::tuple(fields.tm_year, fields.tm_mon, fields.tm_mday, fields.tm_hour),
            std::tuple(126, 11, 5, 10));
  for (const char* bad : {"", "2026-12-05", "2026-13-05T10:00:00", "2026-12-05T24:00:00",
                          "2026-12-05T10:00:00Z", "tomorrow"}) {
    EXPECT_FALSE(ParseClockStart(bad, &t)) << bad;
  }
}

TEST(RealClockTest, SleepLastsAtLeastItsTimeAndTicksNeverGoBack) {
  ASSERT_FALSE(ClockIsVirtual());
  int64_t before = GetTickCount64();
  Sleep(20);
  int64_t after = GetTickCount64();
  EXPECT_GE(after - before, 20);
  EXPECT_GE(CalendarTime(), time_t{1700000000});
  EXPECT_FALSE(ScheduleAt(0, [] {})) << "scheduled actions need the virtual clock";
}

TEST_F(VirtualClockTest, CalendarTimeIsStartPlusVirtualElapsed) {
  EXPECT_EQ(GetTickCount64(), 0);
  EXPECT_EQ(CalendarTime(), start_);
  // With no participating thread running, a sleep jumps straight to its end.
  Sleep(90500);
  EXPECT_EQ(GetTickCount64(), 90500);
  EXPECT_EQ(CalendarTime(), start_ + 90);
  tm fields{};
  time_t now = CalendarTime();
  localtime_r(&now, &fields);
  EXPECT_EQ(std::pair(fields.tm_min, fields.tm_sec), std::pair(1, 30));
}

TEST_F(VirtualClockTest, TimeStandsStillWhileAParticipantRuns) {
  std::mutex gate;  // not a clock-aware wait: the thread blocked on it runs
  gate.lock();
  std::thread runner = StartThread([&] { std::lock_guard hold(gate); });
  int64_t wokeAt = -1;
  std::thread sleeper = StartThread([&] {
    Sleep(100);
    wokeAt = GetTickCount64();
  });
  EXPECT_FALSE(WaitUntilIdleFor(50));
  EXPECT_EQ(GetTickCount64(), 0);
  gate.unlock();
  runner.join();
  sleeper.join();
  EXPECT_EQ(wokeAt, 100);
}

TEST_F(VirtualClockTest, WaitTimeoutsAndScheduledActionsKeepTheirOrder) {
  HoldClock();
  std::vector<std::pair<int64_t, int>> log;
  std::mutex logLock;
  auto note = [&](int what) {
    std::lock_guard hold(logLock);
    log.emplace_back(GetTickCount64(), what);
  };
  Event* never = CreateEventA(nullptr, false, false, nullptr);
  std::thread waiter = StartThread([&] {
    EXPECT_EQ(WaitForSingleObject(never, 250), WAIT_TIMEOUT);
    note(1);
  });
  EXPECT_TRUE(ScheduleAt(100, [&] { note(2); }));
  EXPECT_TRUE(ScheduleAt(400, [&] { note(3); }));
  EXPECT_TRUE(AdvanceClock(1000));
  waiter.join();
  EXPECT_EQ(log, (std::vector<std::pair<int64_t, int>>{{100, 2}, {250, 1}, {400, 3}}));
  CloseHandle(never);
}

TEST_F(VirtualClockTest, IdleWaitFromAParticipantRefuses) {
  bool idle = true;
  StartThread([&] { idle = WaitUntilIdleFor(1000); }).join();
  EXPECT_FALSE(idle);
  EXPECT_TRUE(WaitUntilIdle()) << "no thread is running";
}

}  // namespace
}  // namespace plat
