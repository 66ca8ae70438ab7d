// The host's start-up, window and shutdown, run in this process: HostMain
// on a thread of its own with stand-in companion windows, and a test entry
// on the application thread; and the table of application entries.

#include "host/host_main.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/app_registry.h"
#include "host/msg.h"
#include "platform/sys/clock.h"
#include "platform/sys/sync.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"
#include "tests/support/host_runner.h"

namespace {

using namespace testsupport;
using Triples = std::vector<std::vector<uint32_t>>;

// What a test entry saw, the Messages it took as {type, wParam, lParam}.
struct Probe {
  Triples messages;
  std::vector<int64_t> times;
  std::vector<int> values;
};
Probe probe;

Message Take() {
  Message m{};
  GetMsg(&m);
  probe.messages.push_back({m.type, m.wParam, m.lParam});
  return m;
}

void PostToHost(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  plat::PostMessageA(FindHostWindow(), message, wParam, lParam);
}

class HostMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    time_t start;
    ASSERT_TRUE(plat::ParseClockStart("2026-12-05T10:00:00", &start));
    plat::UseVirtualClock(start);
    probe = Probe{};
  }
  std::vector<std::string> Closes() const { return ClosedInOrder({viewer.get(), player.get()}); }

  static int RunHost(HostEntry entry) { return HostThread(entry).Join(); }

  HostEnv env;
  std::unique_ptr<StandinCompanion> viewer = StandinCompanion::Viewer();
  std::unique_ptr<StandinCompanion> player = StandinCompanion::SoundPlayer();
};

// Keys, left-button messages and the forwarded character (1128, as a
// character Message) are queued; nothing else is, not even the WM_CHAR a
// key-down of a character key makes. The key state follows the keys taken.
TEST_F(HostMainTest, OnlyKeysCharactersAndLeftButtonMessagesAreQueued) {
  RunHost([] {
    PostToHost(kHostCharMessage, 65, 0x00120034);
    PostToHost(plat::WM_CHAR, 66, 1);
    PostToHost(0x0204, 0, 0);  // right button down
    PostToHost(0x0200, 0, 0);  // mouse move
    PostToHost(plat::WM_KEYDOWN, 37, 0x014B0001);
    PostToHost(plat::WM_KEYUP, 37, 0xC14B0001);
    PostToHost(plat::WM_LBUTTONDOWN, 1, 0xFFFF0005);  // x 5, y -1
    PostToHost(plat::WM_LBUTTONUP, 0, 7);
    PostToHost(plat::WM_LBUTTONDBLCLK, 1, 8);
    PostToHost(plat::WM_KEYDOWN, 'A', 0);
    for (int i = 0; i < 7; ++i) Take();
    probe.values = {IsKeyDown(37), IsKeyDown('A')};
    PostMsg(999, 0, 0);
    Take();
  });
  EXPECT_EQ(probe.values, (std::vector<int>{0, 1}));
  EXPECT_EQ(probe.messages, (Triples{{MsgChar, 65, 0x00120034}, {256, 37, 0x014B0001},
                                    {257, 37, 0xC14B0001}, {513, 1, 0xFFFF0005}, {514, 0, 7},
                                    {515, 1, 8}, {256, 'A', 0}, {999, 0, 0}}));
}

// An entry that returns ends the run: the viewer is closed, then the player.
TEST_F(HostMainTest, TimerTicksArriveEvery500MillisecondsUntilStoppedAndTheRunEnds) {
  EXPECT_EQ(StartTimer(1, 500), 0);  // no host window yet
  EXPECT_EQ(RunHost([] {
    int64_t start = plat::GetTickCount64();
    probe.values.push_back(StartTimer(1, 500));
    for (int i = 0; i < 4; ++i) {
      Take();
      probe.times.push_back(plat::GetTickCount64() - start);
    }
    StopTimer(1);
    DelayMs(3000);
    PostMsg(999, 0, 0);
    Take();
  }), 0);
  EXPECT_TRUE(MessageBoxTexts().empty());
  EXPECT_EQ(Closes(), (std::vector<std::string>{kLcdTitle, kSndTitle}));
  EXPECT_EQ(FindHostWindow(), nullptr);
  EXPECT_EQ(probe.values, std::vector<int>{1});
  const std::vector<uint32_t> tick{MsgTimer, 1, 0};
  EXPECT_EQ(probe.messages, (Triples{tick, tick, tick, tick, {999, 0, 0}}));
  EXPECT_EQ(probe.times, (std::vector<int64_t>{500, 1000, 1500, 2000}));
}

// A close from outside ends the host while the application still waits in
// GetMsg; the ring stays usable for it afterwards.
TEST_F(HostMainTest, ACloseFromOutsideLeavesTheRingUsableForTheApplication) {
  static plat::Event* finished = plat::CreateEventA(nullptr, false, false, nullptr);
  HostThread host([] {
    Take();
    PostMsg(5, 6, 7);
    Take();
    plat::SetEvent(finished);
  });
  ASSERT_TRUE(plat::WaitUntilIdle());
  PostToHost(plat::WM_CLOSE, 0, 0);
  EXPECT_EQ(host.Join(), 0);
  QueueMessage(1, 2, 3);
  ASSERT_EQ(plat::WaitForSingleObject(finished, plat::INFINITE), plat::WAIT_OBJECT_0);
  ASSERT_TRUE(plat::WaitUntilIdle());
  EXPECT_EQ(probe.messages, (Triples{{1, 2, 3}, {5, 6, 7}}));
  EXPECT_EQ(Closes(), (std::vector<std::string>{kLcdTitle, kSndTitle}));
}

void First() {}
void Second() {}

TEST(AppRegistryTest, EntriesAreFoundByNameListedInNameOrderAndNeverReplaced) {
  std::size_t before = AppCount();
  ASSERT_TRUE(RegisterApp("zz-test-second", "Second", Second));
  ASSERT_TRUE(RegisterApp("aa-test-first", nullptr, First));
  EXPECT_EQ(AppCount(), before + 2);

  const AppEntry* first = FindApp("aa-test-first");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->entry, &First);
  EXPECT_STREQ(first->title, "");
  EXPECT_EQ(FindApp("zz-test-second")->entry, &Second);
  EXPECT_EQ(FindApp("missing"), nullptr);
  EXPECT_EQ(FindApp(nullptr), nullptr);

  for (std::size_t i = 1; i < AppCount(); ++i) {
    EXPECT_LT(std::string(AppAt(i - 1)->name), std::string(AppAt(i)->name));
  }
  EXPECT_EQ(AppAt(AppCount()), nullptr);

  // Duplicates and incomplete entries are refused.
  EXPECT_FALSE(RegisterApp("aa-test-first", "Two", Second));
  EXPECT_EQ(FindApp("aa-test-first")->entry, &First);
  EXPECT_FALSE(RegisterApp(nullptr, "x", First));
  EXPECT_FALSE(RegisterApp("", "x", First));
  EXPECT_FALSE(RegisterApp("no-entry", "x", nullptr));
  EXPECT_EQ(FindApp("no-entry"), nullptr);
  EXPECT_EQ(AppCount(), before + 2);
}

TEST(AppRegistryTest, AFullTableRefusesMore) {
  static char names[kMaxApps][32];
  for (unsigned i = 0; AppCount() < kMaxApps && i < kMaxApps; ++i) {
    std::snprintf(names[i], sizeof names[i], "fill-%02u", i);
    ASSERT_TRUE(RegisterApp(names[i], "", First));
  }
  EXPECT_FALSE(RegisterApp("one-more", "", First));
  EXPECT_EQ(FindApp("one-more"), nullptr);
  EXPECT_EQ(AppCount(), kMaxApps);
}

}  // namespace
