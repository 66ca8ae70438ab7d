#include "platform/sys/scheduler.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace plat {

// One per thread. Every field but wakeFd is guarded by the scheduler mutex.
class Parker {
 public:
  Parker() : wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (wakeFd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
  }
  ~Parker() { close(wakeFd); }
  Parker(const Parker&) = delete;
  Parker& operator=(const Parker&) = delete;

  const int wakeFd;
  bool permit = false;
  bool parked = false;
  bool busy = false;
  bool signalled = false;  // wakeFd written since it was last drained
  int joins = 0;
  ClockMs deadline = kNoDeadline;
  const pollfd* fds = nullptr;
  size_t nfds = 0;
};

namespace {

ClockMs RealNowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<ClockMs>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

struct Scheduler {
  std::mutex mu;
  std::condition_variable idleChanged;
  std::vector<Parker*> parkers;
  bool virtualTime = false;
  ClockMs virtualNow = 0;
  ClockMs limit = kNoDeadline;
  std::multimap<ClockMs, std::function<void()>> actions;
  std::vector<std::function<void()>> idleActions;
  int actionsRunning = 0;
  int threadsStarting = 0;
  int idleWaiters = 0;
  uint64_t idleEpoch = 0;
};

// Never destroyed: detached threads may still park while the process exits.
Scheduler& Sched() {
  static Scheduler* scheduler = new Scheduler;
  return *scheduler;
}

using Lock = std::unique_lock<std::mutex>;

ClockMs NowLocked() { return Sched().virtualTime ? Sched().virtualNow : RealNowMs(); }

void Signal(Parker& p) {
  if (!p.parked || p.signalled) return;
  p.signalled = true;
  uint64_t one = 1;
  // The counter cannot overflow: it is drained before it is written again.
  [[maybe_unused]] ssize_t n = write(p.wakeFd, &one, sizeof one);
}

void Drain(Parker& p) {
  uint64_t count;
  while (read(p.wakeFd, &count, sizeof count) > 0) {
  }
  p.signalled = false;
}

bool DescriptorsReady(const Parker& p) {
  std::vector<pollfd> copy(p.fds, p.fds + p.nfds);
  for (pollfd& f : copy) f.revents = 0;
  return poll(copy.data(), copy.size(), 0) > 0;
}

// Every participating thread waits, with nothing due for it now.
bool ParticipantsIdleLocked() {
  Scheduler& s = Sched();
  if (s.actionsRunning > 0 || s.threadsStarting > 0) return false;
  ClockMs now = NowLocked();
  for (const Parker* p : s.parkers) {
    if (p->joins == 0) continue;
    if (!p->parked || p->permit || p->busy || p->deadline <= now) return false;
    if (p->nfds > 0 && DescriptorsReady(*p)) return false;
  }
  return true;
}

bool ActionsDueLocked() {
  Scheduler& s = Sched();
  return s.virtualTime && !s.actions.empty() && s.actions.begin()->first <= s.virtualNow;
}

bool AllIdleLocked() { return ParticipantsIdleLocked() && !ActionsDueLocked(); }

ClockMs NextDueLocked() {
  Scheduler& s = Sched();
  ClockMs next = s.actions.empty() ? kNoDeadline : s.actions.begin()->first;
  for (const Parker* p : s.parkers) {
    if (p->parked) next = std::min(next, p->deadline);
  }
  return next;
}

void Reevaluate(Lock& lock, Parker* parking = nullptr);

struct ThreadSlot {
  std::shared_ptr<Parker> parker;
  std::vector<pollfd> pollSet;
  // Actions this thread saw become due while it was parking; it runs them
  // right after, no longer parked.
  std::vector<std::function<void()>> deferred;

  ~ThreadSlot() {
    if (!parker) return;
    Lock lock(Sched().mu);
    auto& all = Sched().parkers;
    all.erase(std::remove(all.begin(), all.end(), parker.get()), all.end());
    if (parker->joins > 0) {
      parker->joins = 0;
      Reevaluate(lock);
    }
  }
};

thread_local ThreadSlot slot;

// Runs `actions` with the lock released; they count as work in progress
// until they have all run.
void RunActions(Lock& lock, std::vector<std::function<void()>> actions) {
  Scheduler& s = Sched();
  ++s.actionsRunning;
  lock.unlock();
  for (auto& action : actions) action();
  lock.lock();
  --s.actionsRunning;
}

std::vector<std::function<void()>> TakeDueActions() {
  Scheduler& s = Sched();
  std::vector<std::function<void()>> due;
  while (!s.actions.empty() && s.actions.begin()->first <= s.virtualNow) {
    due.push_back(std::move(s.actions.begin()->second));
    s.actions.erase(s.actions.begin());
  }
  return due;
}

// Runs actions now, or, when called by a thread on its way into a wait,
// hands them to that thread to run once it is out of the wait (an action
// may itself wait). Returns whether they ran.
bool Dispatch(Lock& lock, Parker* parking, std::vector<std::function<void()>> actions) {
  if (!parking) {
    RunActions(lock, std::move(actions));
    return true;
  }
  for (auto& action : actions) slot.deferred.push_back(std::move(action));
  parking->permit = true;
  return false;
}

// Called whenever a thread may have become the last one to wait. Reports
// idleness and, under the virtual clock, moves time to the next due event.
// `parking` is the calling thread's parker when it is about to wait.
void Reevaluate(Lock& lock, Parker* parking) {
  Scheduler& s = Sched();
  // Under the real clock only idle waiters care; spare the hot path.
  if (!s.virtualTime && s.idleWaiters == 0 && s.idleActions.empty()) return;
  for (;;) {
    if (!ParticipantsIdleLocked()) return;
    if (ActionsDueLocked()) {
      if (!Dispatch(lock, parking, TakeDueActions())) return;
      continue;
    }
    ++s.idleEpoch;
    s.idleChanged.notify_all();
    if (!s.idleActions.empty()) {
      if (!Dispatch(lock, parking, std::exchange(s.idleActions, {}))) return;
      continue;
    }
    if (!s.virtualTime) return;
    ClockMs target = std::min(NextDueLocked(), s.limit);
    if (target == kNoDeadline || target <= s.virtualNow) return;
    s.virtualNow = target;
    for (Parker* p : s.parkers) {
      if (p->parked && p->deadline <= s.virtualNow) Signal(*p);
    }
  }
}


void MarkParked(Parker& p, const ParkRequest& request) {
  p.parked = true;
  p.busy = request.busy;
  p.deadline = request.deadline;
  p.fds = request.fds.data();
  p.nfds = request.fds.size();
}

void ClearParked(Parker& p) {
  if (p.signalled) Drain(p);
  p.parked = false;
  p.busy = false;
  p.permit = false;
  p.deadline = kNoDeadline;
  p.fds = nullptr;
  p.nfds = 0;
}

// Waits once, with the lock released, for the wake descriptor, the request's
// descriptors or (real clock) the deadline. True when one of the request's
// descriptors is ready; their revents are filled in.
bool PollOnce(Lock& lock, Parker& p, const ParkRequest& request, ClockMs now, int* error) {
  int timeout = -1;
  if (!Sched().virtualTime && request.deadline != kNoDeadline) {
    timeout = static_cast<int>(std::min<ClockMs>(request.deadline - now, 1 << 30));
  }
  std::vector<pollfd>& set = slot.pollSet;
  set.assign(request.fds.begin(), request.fds.end());
  set.push_back(pollfd{p.wakeFd, POLLIN, 0});
  lock.unlock();
  int n = poll(set.data(), set.size(), timeout);
  int saved = errno;
  lock.lock();
  if (n < 0) {
    if (saved != EINTR) *error = saved;
    return false;
  }
  bool ready = false;
  for (size_t i = 0; i < request.fds.size(); ++i) {
    request.fds[i].revents = set[i].revents;
    ready = ready || set[i].revents != 0;
  }
  if (set.back().revents) Drain(p);
  return ready;
}

Parker& Self() { return *CurrentParker(); }

}  // namespace

std::shared_ptr<Parker> CurrentParker() {
  if (!slot.parker) {
    auto parker = std::make_shared<Parker>();
    Lock lock(Sched().mu);
    Sched().parkers.push_back(parker.get());
    slot.parker = std::move(parker);
  }
  return slot.parker;
}

ParkResult Park(const ParkRequest& request) {
  Parker& p = Self();
  Scheduler& s = Sched();
  Lock lock(s.mu);
  if (p.permit) {
    p.permit = false;
    return ParkResult::kWoken;
  }
  MarkParked(p, request);
  Reevaluate(lock, &p);
  ParkResult result;
  for (;;) {
    if (p.permit) {
      result = ParkResult::kWoken;
      break;
    }
    ClockMs now = NowLocked();
    if (request.deadline <= now) {
      result = ParkResult::kDeadline;
      break;
    }
    int error = 0;
    bool ready = PollOnce(lock, p, request, now, &error);
    if (error != 0) {
      ClearParked(p);
      throw std::system_error(error, std::generic_category(), "poll");
    }
    if (ready) {
      result = ParkResult::kDescriptor;
      break;
    }
  }
  ClearParked(p);
  if (!slot.deferred.empty()) {
    RunActions(lock, std::exchange(slot.deferred, {}));
    return ParkResult::kWoken;
  }
  return result;
}

void Unpark(Parker& parker) {
  Lock lock(Sched().mu);
  parker.permit = true;
  Signal(parker);
}

void JoinClock() {
  Parker& p = Self();
  Lock lock(Sched().mu);
  ++p.joins;
}

void LeaveClock() {
  Parker& p = Self();
  Lock lock(Sched().mu);
  if (p.joins == 0) return;
  if (--p.joins == 0) Reevaluate(lock);
}

bool IsClockParticipant() {
  if (!slot.parker) return false;
  Lock lock(Sched().mu);
  return slot.parker->joins > 0;
}

void ThreadStarting() {
  Lock lock(Sched().mu);
  ++Sched().threadsStarting;
}

void ThreadStartFailed() {
  Lock lock(Sched().mu);
  --Sched().threadsStarting;
  Reevaluate(lock);
}

void JoinClockAsStartedThread() {
  Parker& p = Self();
  Lock lock(Sched().mu);
  ++p.joins;
  --Sched().threadsStarting;
}

ClockMs SchedulerNow() {
  Lock lock(Sched().mu);
  return NowLocked();
}

void SchedulerUseVirtualTime(bool enabled) {
  Scheduler& s = Sched();
  Lock lock(s.mu);
  s.virtualTime = enabled;
  s.virtualNow = 0;
  s.limit = kNoDeadline;
  s.actions.clear();
}

bool SchedulerVirtual() {
  Lock lock(Sched().mu);
  return Sched().virtualTime;
}

void SchedulerSetLimit(ClockMs limit) {
  Lock lock(Sched().mu);
  Sched().limit = limit;
  Reevaluate(lock);
}

bool SchedulerAdvance(ClockMs by, int64_t realTimeoutMs) {
  if (IsClockParticipant()) return false;
  Scheduler& s = Sched();
  Lock lock(s.mu);
  if (!s.virtualTime) return false;
  ClockMs target = s.virtualNow + std::max<ClockMs>(by, 0);
  s.limit = target;
  Reevaluate(lock);
  auto reached = [&] { return s.virtualNow >= target && AllIdleLocked(); };
  ++s.idleWaiters;
  bool done = true;
  if (realTimeoutMs < 0) {
    s.idleChanged.wait(lock, reached);
  } else {
    done = s.idleChanged.wait_for(lock, std::chrono::milliseconds(realTimeoutMs), reached);
  }
  --s.idleWaiters;
  return done;
}

bool SchedulerAt(ClockMs at, std::function<void()> action) {
  Scheduler& s = Sched();
  Lock lock(s.mu);
  if (!s.virtualTime || !action) return false;
  s.actions.emplace(std::max(at, s.virtualNow), std::move(action));
  Reevaluate(lock);
  return true;
}

void SchedulerWhenIdle(std::function<void()> action) {
  if (!action) return;
  Lock lock(Sched().mu);
  Sched().idleActions.push_back(std::move(action));
  Reevaluate(lock);
}

bool SchedulerWaitIdle(int64_t realTimeoutMs) {
  if (IsClockParticipant()) return false;
  Scheduler& s = Sched();
  Lock lock(s.mu);
  Reevaluate(lock);
  if (AllIdleLocked()) return true;
  uint64_t epoch = s.idleEpoch;
  auto idle = [&] { return s.idleEpoch != epoch || AllIdleLocked(); };
  ++s.idleWaiters;
  bool reached = true;
  if (realTimeoutMs < 0) {
    s.idleChanged.wait(lock, idle);
  } else {
    reached = s.idleChanged.wait_for(lock, std::chrono::milliseconds(realTimeoutMs), idle);
  }
  --s.idleWaiters;
  return reached;
}

}  // namespace plat
