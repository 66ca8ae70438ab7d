#pragma once
// A first-come-first-served list of parked threads, guarded by the mutex of
// the object they wait on. A waker hands the object over by granting the
// front node, so a release is never taken by a thread that arrives later.

#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/sys/scheduler.h"

namespace plat {

struct WaitNode {
  std::shared_ptr<Parker> parker = CurrentParker();
  std::thread::id thread = std::this_thread::get_id();
  bool granted = false;
};

class WaitQueue {
 public:
  bool Empty() const { return nodes_.empty(); }
  std::thread::id FrontThread() const { return nodes_.front()->thread; }

  // Grants and releases the first waiter; false when there is none.
  bool GrantFront();
  void GrantAll();

  // Parks until `node` is granted or `deadline` passes; `lock` holds the
  // owner's mutex on entry and on return. True when granted.
  bool Wait(std::unique_lock<std::mutex>& lock, WaitNode& node, ClockMs deadline);

 private:
  std::deque<WaitNode*> nodes_;
};

}  // namespace plat
