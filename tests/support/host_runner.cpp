#include "tests/support/host_runner.h"

#include <gtest/gtest.h>

#include <atomic>

#include "host/msg.h"
#include "platform/sys/clock.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "tests/support/child_process.h"

namespace testsupport {

namespace {

std::atomic<int> pendingAfterReturn{-1};

}  // namespace

bool WaitIdle() { return plat::WaitUntilIdleFor(kSafetyTimeoutMs); }

void KeepPendingAfterWait() {
  DelayMs(5000);
  pendingAfterReturn = MsgPendingCount();
}

int PendingAfterReturn() { return pendingAfterReturn; }

HostThread::HostThread(HostEntry entry) {
  SetHostEntry(entry);
  thread_ = plat::StartThread([this] { result_ = HostMain(nullptr); });
}

HostThread::~HostThread() {
  if (!Running()) return;
  EXPECT_TRUE(WaitIdle());
  plat::PostMessageA(FindHostWindow(), plat::WM_CLOSE, 0, 0);
  Join();
}

int HostThread::Join() {
  thread_.join();
  // The application thread may still be on its way out.
  EXPECT_TRUE(WaitIdle());
  return result_;
}

HostRun::HostRun(HostEntry entry) {
  time_t start;
  EXPECT_TRUE(plat::ParseClockStart("2026-12-06T09:00:00", &start));
  plat::UseVirtualClock(start);
  plat::HoldClock();
  pendingAfterReturn = -1;
  viewer = StandinCompanion::Viewer();
  player = StandinCompanion::SoundPlayer();
  host_.emplace(entry);
  EXPECT_TRUE(WaitIdle());
}

HostRun::~HostRun() {
  if (host_->Running()) {
    PostMsg(MsgKeyDown, kKeyEscape, 0);
    // An entry may let time pass after its application returned (ThenWait).
    // A later run of the same test may have taken the clock over already;
    // then there is no time of this run left to pass.
    EXPECT_TRUE(WaitIdle());
    plat::AdvanceClock(5000, kSafetyTimeoutMs);
    host_->Join();
  }
  host_.reset();
}

void HostRun::Post(uint32_t type, uint32_t wParam, uint32_t lParam) {
  PostAll({{type, wParam, lParam}});
}

void HostRun::PostAll(const std::vector<Message>& messages) {
  for (const Message& m : messages) PostMsg(m.type, m.wParam, m.lParam);
  EXPECT_TRUE(WaitIdle());
}

void HostRun::Advance(int64_t milliseconds) {
  EXPECT_TRUE(plat::AdvanceClock(milliseconds, kSafetyTimeoutMs));
}

void HostRun::Join() { host_->Join(); }

std::vector<std::pair<int, int>> HostRun::ScreenModes() const {
  std::vector<std::pair<int, int>> modes;
  for (const ScreenModeRecord& record : viewer->Records<ScreenModeRecord>(kScreenModeCopyData)) {
    modes.emplace_back(record.width, record.height);
  }
  return modes;
}

}  // namespace testsupport
