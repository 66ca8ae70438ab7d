// Window timers, on the virtual clock unless a test says otherwise.

#include <gtest/gtest.h>

#include <vector>

#include "platform/sys/clock.h"
#include "platform/sys/sync.h"
#include "platform/win/win.h"
#include "tests/support/test_instance.h"
#include "tests/support/window_thread.h"

namespace plat {
namespace {

using testsupport::TestInstance;
using testsupport::WindowHandler;
using testsupport::WindowThread;

constexpr UINT kPing = WM_USER + 7;

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override { UseVirtualClock(0); }
  void TearDown() override { UseRealClock(); }

  TestInstance instance_;
};

// Records the virtual time of every tick of timer 1; `onTick` may act on it.
struct TickLog {
  std::vector<int64_t> times;
  std::function<void(HWND, size_t)> onTick;

  WindowHandler handler() {
    return [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
      if (message != WM_TIMER || wParam != 1) return std::nullopt;
      times.push_back(GetTickCount64());
      if (onTick) onTick(hwnd, times.size());
      return 0;
    };
  }
};

TEST_F(TimerTest, ThousandTicksOfA500msTimerComeAtExactVirtualTimes) {
  Event* done = CreateEventA(nullptr, false, false, nullptr);
  TickLog log;
  log.onTick = [&](HWND hwnd, size_t count) {
    if (count < 1000) return;
    KillTimer(hwnd, 1);
    SetEvent(done);
  };
  WindowThread loop(log.handler());
  ASSERT_EQ(SetTimer(loop.hwnd(), 1, 500), 1u);
  ASSERT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
  ASSERT_EQ(log.times.size(), 1000u);
  for (size_t i = 0; i < log.times.size(); ++i) ASSERT_EQ(log.times[i], 500 * int64_t(i + 1));
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(GetTickCount64(), 500000);
  CloseHandle(done);
}

TEST_F(TimerTest, ShortIntervalsBecomeTenMillisecondsAndLateTicksMerge) {
  HoldClock();
  TickLog log;
  log.onTick = [](HWND hwnd, size_t count) {
    if (count != 3) return;
    // Busy past five more due times: only one tick may be waiting after it.
    Sleep(55);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&message, hwnd, WM_TIMER, WM_TIMER, PM_NOREMOVE));
  };
  WindowThread loop(log.handler());
  SetTimer(loop.hwnd(), 1, 1);
  ASSERT_TRUE(AdvanceClock(100));
  // 10, 20, 30; then 85 (the one merged tick, taken inside the handler); the
  // period keeps its phase: 90, 100.
  EXPECT_EQ(log.times, (std::vector<int64_t>{10, 20, 30, 90, 100}));
}

TEST_F(TimerTest, SettingARunningTimerChangesItsInterval) {
  HoldClock();
  TickLog log;
  log.onTick = [](HWND hwnd, size_t count) {
    if (count == 2) SetTimer(hwnd, 1, 300);
  };
  WindowThread loop(log.handler());
  SetTimer(loop.hwnd(), 1, 100);
  ASSERT_TRUE(AdvanceClock(850));
  EXPECT_EQ(log.times, (std::vector<int64_t>{100, 200, 500, 800}));
}

TEST_F(TimerTest, IdleActionRunsBeforeTimeMovesOn) {
  HoldClock();
  int64_t idleAt = -1;
  TickLog log;
  log.onTick = [&](HWND, size_t count) {
    if (count == 3) RunWhenIdle([&] { idleAt = GetTickCount64(); });
  };
  WindowThread loop(log.handler());
  SetTimer(loop.hwnd(), 1, 100);
  ASSERT_TRUE(AdvanceClock(1000));
  EXPECT_EQ(idleAt, 300);
  EXPECT_EQ(log.times.size(), 10u);
}

TEST_F(TimerTest, KilledTimerStopsAndTimersOfOtherWindowsGoOn) {
  HoldClock();
  TickLog first, second;
  WindowThread a(first.handler());
  WindowThread b(second.handler());
  SetTimer(a.hwnd(), 1, 100);
  SetTimer(b.hwnd(), 1, 150);
  ASSERT_TRUE(AdvanceClock(300));
  EXPECT_TRUE(KillTimer(a.hwnd(), 1));
  EXPECT_FALSE(KillTimer(a.hwnd(), 1));
  EXPECT_FALSE(KillTimer(a.hwnd(), 2));
  ASSERT_TRUE(AdvanceClock(300));
  EXPECT_EQ(first.times, (std::vector<int64_t>{100, 200, 300}));
  EXPECT_EQ(second.times, (std::vector<int64_t>{150, 300, 450, 600}));
  EXPECT_EQ(SetTimer(nullptr, 1, 100), 0u);
}

TEST_F(TimerTest, ScheduledInputArrivesAtItsVirtualTime) {
  HoldClock();
  std::vector<std::pair<int64_t, WPARAM>> seen;
  WindowThread loop([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != kPing) return std::nullopt;
    seen.emplace_back(GetTickCount64(), wParam);
    return 0;
  });
  ASSERT_TRUE(PostMessageAt(1234, loop.hwnd(), kPing, 1, 0));
  ASSERT_TRUE(PostMessageAt(700, loop.hwnd(), kPing, 2, 0));
  ASSERT_TRUE(AdvanceClock(2000));
  EXPECT_EQ(seen, (std::vector<std::pair<int64_t, WPARAM>>{{700, 2}, {1234, 1}}));
  EXPECT_EQ(GetTickCount64(), 2000);

  // Running freely, the clock jumps to a scheduled input as soon as all wait.
  ReleaseClock();
  ASSERT_TRUE(PostMessageAt(5000, loop.hwnd(), kPing, 3, 0));
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(seen.back(), (std::pair<int64_t, WPARAM>{5000, 3}));
}

TEST(RealTimerTest, OneMillisecondTimerTicksNoFasterThanEveryTenMilliseconds) {
  TestInstance instance;
  Event* done = CreateEventA(nullptr, false, false, nullptr);
  TickLog log;
  log.onTick = [&](HWND hwnd, size_t count) {
    if (count < 5) return;
    KillTimer(hwnd, 1);
    SetEvent(done);
  };
  WindowThread loop(log.handler());
  int64_t start = GetTickCount64();
  SetTimer(loop.hwnd(), 1, 1);
  ASSERT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
  ASSERT_EQ(log.times.size(), 5u);
  EXPECT_GE(log.times.back() - start, 50);
  CloseHandle(done);
}

}  // namespace
}  // namespace plat
