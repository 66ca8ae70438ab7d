// The host's start-up, window and shutdown, run in this process: HostMain
// on a thread of its own with stand-in companion windows, and a test entry
// on the application thread.

#include "host/host_main.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/msg.h"
#include "platform/sys/clock.h"
#include "platform/sys/sync.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"
#include "tests/support/host_runner.h"

namespace {

using testsupport::ClosedInOrder;
using testsupport::HostThread;
using testsupport::MessageBoxTexts;
using testsupport::StandinCompanion;

// What a test entry saw; reset for every test.
struct Probe {
  bool ran = false;
  std::vector<Message> messages;
  std::vector<int64_t> times;
  std::vector<int> values;
};
Probe probe;

Message Take() {
  Message m{};
  GetMsg(&m);
  probe.messages.push_back(m);
  return m;
}

void PostToHost(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  plat::PostMessageA(FindHostWindow(), message, wParam, lParam);
}

using Triples = std::vector<std::vector<uint32_t>>;

// The Messages the entry took, as {type, wParam, lParam}.
Triples Taken() {
  Triples taken;
  for (const Message& m : probe.messages) taken.push_back({m.type, m.wParam, m.lParam});
  return taken;
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

  testsupport::HostEnv env;
  std::unique_ptr<StandinCompanion> viewer = StandinCompanion::Viewer();
  std::unique_ptr<StandinCompanion> player = StandinCompanion::SoundPlayer();
};

TEST_F(HostMainTest, ARunClosesTheViewerThenTheSoundPlayer) {
  EXPECT_EQ(RunHost([] { probe.ran = true; }), 0);
  EXPECT_TRUE(probe.ran);
  EXPECT_TRUE(MessageBoxTexts().empty());
  EXPECT_EQ(Closes(), (std::vector<std::string>{kLcdTitle, kSndTitle}));
  EXPECT_EQ(FindHostWindow(), nullptr);
}

// Keys, left-button messages and the forwarded character (1128, as a
// character Message) are queued; nothing else is, not even the WM_CHAR a
// key-down of a character key makes.
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
    PostMsg(999, 0, 0);
    Take();
  });
  EXPECT_EQ(Taken(), (Triples{{MsgChar, 65, 0x00120034},
                              {256, 37, 0x014B0001},
                              {257, 37, 0xC14B0001},
                              {513, 1, 0xFFFF0005},
                              {514, 0, 7},
                              {515, 1, 8},
                              {256, 'A', 0},
                              {999, 0, 0}}));
}

TEST_F(HostMainTest, TimerTicksArriveEvery500MillisecondsUntilStopped) {
  RunHost([] {
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
  });
  EXPECT_EQ(probe.values, std::vector<int>{1});
  const std::vector<uint32_t> tick{MsgTimer, 1, 0};
  EXPECT_EQ(Taken(), (Triples{tick, tick, tick, tick, {999, 0, 0}}));
  EXPECT_EQ(probe.times, (std::vector<int64_t>{500, 1000, 1500, 2000}));
}

TEST_F(HostMainTest, KeyStateFollowsTheKeysTheHostWindowTook) {
  RunHost([] {
    PostToHost(plat::WM_KEYDOWN, 40, 0);
    Take();
    probe.values.push_back(IsKeyDown(40));
    PostToHost(plat::WM_KEYUP, 40, 0);
    Take();
    probe.values.push_back(IsKeyDown(40));
  });
  EXPECT_EQ(probe.values, (std::vector<int>{1, 0}));
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
  EXPECT_EQ(Taken(), (Triples{{1, 2, 3}, {5, 6, 7}}));
  EXPECT_EQ(Closes(), (std::vector<std::string>{kLcdTitle, kSndTitle}));
}

}  // namespace
