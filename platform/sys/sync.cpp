#include "platform/sys/sync.h"

#include <algorithm>

namespace plat {

class Event {
 public:
  Event(bool manualReset, bool signalled) : manualReset_(manualReset), signalled_(signalled) {}

  void Set() {
    std::lock_guard lock(mu_);
    if (manualReset_) {
      signalled_ = true;
      waiters_.GrantAll();
    } else if (!waiters_.GrantFront()) {
      signalled_ = true;
    }
  }

  void Reset() {
    std::lock_guard lock(mu_);
    signalled_ = false;
  }

  bool Wait(uint32_t milliseconds) {
    ClockMs deadline = milliseconds == INFINITE ? kNoDeadline : SchedulerNow() + milliseconds;
    std::unique_lock lock(mu_);
    if (signalled_) {
      if (!manualReset_) signalled_ = false;
      return true;
    }
    if (milliseconds == 0) return false;
    WaitNode node;
    return waiters_.Wait(lock, node, deadline);
  }

 private:
  std::mutex mu_;
  const bool manualReset_;
  bool signalled_;
  WaitQueue waiters_;
};

bool WaitQueue::GrantFront() {
  if (nodes_.empty()) return false;
  WaitNode* node = nodes_.front();
  nodes_.pop_front();
  node->granted = true;
  Unpark(*node->parker);
  return true;
}

void WaitQueue::GrantAll() {
  while (GrantFront()) {
  }
}

bool WaitQueue::Wait(std::unique_lock<std::mutex>& lock, WaitNode& node, ClockMs deadline) {
  nodes_.push_back(&node);
  while (!node.granted) {
    lock.unlock();
    ParkResult result = Park(ParkRequest{.deadline = deadline});
    lock.lock();
    if (result == ParkResult::kDeadline && !node.granted) {
      nodes_.erase(std::find(nodes_.begin(), nodes_.end(), &node));
      return false;
    }
  }
  return true;
}

Event* CreateEventA(const void*, bool manualReset, bool initialState, const char* name) {
  if (name) return nullptr;
  return new Event(manualReset, initialState);
}

bool SetEvent(Event* event) {
  if (!event) return false;
  event->Set();
  return true;
}

bool ResetEvent(Event* event) {
  if (!event) return false;
  event->Reset();
  return true;
}

uint32_t WaitForSingleObject(Event* event, uint32_t milliseconds) {
  if (!event) return WAIT_FAILED;
  return event->Wait(milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

bool CloseHandle(Event* event) {
  if (!event) return false;
  delete event;
  return true;
}

void InitializeCriticalSection(CRITICAL_SECTION* section) {
  std::lock_guard lock(section->mu);
  section->owner = {};
  section->depth = 0;
}

void EnterCriticalSection(CRITICAL_SECTION* section) {
  std::unique_lock lock(section->mu);
  auto self = std::this_thread::get_id();
  if (section->depth == 0) {
    section->owner = self;
    section->depth = 1;
    return;
  }
  if (section->owner == self) {
    ++section->depth;
    return;
  }
  // The leaving thread makes us the owner before it grants.
  WaitNode node;
  section->waiters.Wait(lock, node, kNoDeadline);
}

bool TryEnterCriticalSection(CRITICAL_SECTION* section) {
  std::lock_guard lock(section->mu);
  auto self = std::this_thread::get_id();
  if (section->depth > 0 && section->owner != self) return false;
  section->owner = self;
  ++section->depth;
  return true;
}

void LeaveCriticalSection(CRITICAL_SECTION* section) {
  std::lock_guard lock(section->mu);
  if (section->depth == 0 || section->owner != std::this_thread::get_id()) return;
  if (--section->depth > 0) return;
  if (section->waiters.Empty()) {
    section->owner = {};
    return;
  }
  section->owner = section->waiters.FrontThread();
  section->depth = 1;
  section->waiters.GrantFront();
}

void DeleteCriticalSection(CRITICAL_SECTION*) {}

}  // namespace plat
