#pragma once
// The host in this process: HostMain on a thread of its own, starting
// `entry` on its application thread. The entry the host runs and the viewer
// window the LCD module remembers are reset before and after, so that each
// run starts afresh.

#include <cstdint>
#include <thread>

#include "host/host_main.h"

namespace host_test {

// A safety time-out for waits on the host, far above any run time seen: a
// test that never lets its application idle fails instead of hanging.
inline constexpr int64_t kIdleTimeoutMs = 60000;

// Waits until every thread taking part in the clock is idle; false on the
// safety time-out.
bool WaitIdle();

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

}  // namespace host_test
