#include "tests/host/host_thread.h"

#include <gtest/gtest.h>

#include "host/companion.h"
#include "platform/sys/clock.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"

namespace host_test {

bool WaitIdle() { return plat::WaitUntilIdleFor(kIdleTimeoutMs); }

HostThread::HostThread(HostEntry entry) {
  SetHostEntry(entry);
  LcdForgetWindow();
  thread_ = plat::StartThread([this] { result_ = HostMain(nullptr); });
}

HostThread::~HostThread() {
  if (Running()) {
    EXPECT_TRUE(WaitIdle());
    plat::PostMessageA(FindHostWindow(), plat::WM_CLOSE, 0, 0);
    Join();
  }
  SetHostEntry(nullptr);
  LcdForgetWindow();
}

int HostThread::Join() {
  thread_.join();
  // The application thread may still be on its way out.
  EXPECT_TRUE(WaitIdle());
  return result_;
}

}  // namespace host_test
