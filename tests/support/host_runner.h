#pragma once
// The host in this process. HostThread runs HostMain on a thread of its own
// with one application entry; HostRun adds what a whole run needs: its
// HostEnv, stand-in viewer and sound player windows, and the virtual clock
// held still, with input going straight into the message ring and every
// step waiting until the application is idle.

#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "host/host_main.h"
#include "host/types.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace testsupport {

// Waits until every thread taking part in the clock is idle; false after the
// safety time-out (a test whose application never idles fails, not hangs).
bool WaitIdle();

// After `entry` returns, lets 5 s of virtual time pass (the test moves the
// clock) and keeps the number of Messages queued by then: a timer the
// application left running shows there. HostRun can run ThenWait<Main>.
void KeepPendingAfterWait();
template <auto entry>
void ThenWait() {
  entry();
  KeepPendingAfterWait();
}
// That number; -1 until an entry of this run got there.
int PendingAfterReturn();

class HostThread {
 public:
  explicit HostThread(HostEntry entry);
  // A host still running is closed from outside, as by a user, once idle;
  // its application may then still wait for its next message.
  ~HostThread();
  HostThread(const HostThread&) = delete;
  HostThread& operator=(const HostThread&) = delete;

  // Waits for HostMain to return, then for idleness. HostMain's result.
  int Join();
  bool Running() const { return thread_.joinable(); }

 private:
  int result_ = -1;
  std::thread thread_;
};

class HostRun {
 public:
  // Starts the host with `entry` on its application thread, the clock at
  // 2026-12-06 09:00 and held, and waits until the entry is idle.
  explicit HostRun(HostEntry entry);
  // Ends a host still running with Escape (every application here ends on
  // it; one left running would wait on the next test's ring), then lets 5 s
  // pass for an entry that waits after its application (ThenWait).
  ~HostRun();
  HostRun(const HostRun&) = delete;
  HostRun& operator=(const HostRun&) = delete;

  void KeyDown(uint32_t key) { Post(MsgKeyDown, key, 0); }
  void KeyUp(uint32_t key) { Post(MsgKeyUp, key, 0); }
  void Click(int x, int y) { Post(MsgMouseDown, 0, Point(x, y)); }
  void DoubleClick(int x, int y) { Post(MsgMouseDouble, 0, Point(x, y)); }
  // Appends Messages at once, then waits until the application is idle.
  void Post(uint32_t type, uint32_t wParam, uint32_t lParam);
  void PostAll(const std::vector<Message>& messages);
  // Lets virtual time run on by `milliseconds`.
  void Advance(int64_t milliseconds);
  // Waits until the host has shut down (after the application returned).
  void Join();

  static uint32_t Point(int x, int y) { return uint32_t(uint16_t(x)) | uint32_t(y) << 16; }
  // The screen sizes the viewer was sent, in order.
  std::vector<std::pair<int, int>> ScreenModes() const;

  HostEnv env;
  std::unique_ptr<StandinCompanion> viewer;
  std::unique_ptr<StandinCompanion> player;

 private:
  std::optional<HostThread> host_;
};

}  // namespace testsupport
