#pragma once
// Every blocking wait of the platform layer goes through here, so that one
// place knows which threads are waiting and for what. That is what lets the
// virtual clock jump ahead only when all participating threads wait, and what
// lets a test ask whether the application has gone idle.
//
// A thread blocks with Park() and is released by Unpark() (a permit, so an
// Unpark that comes before the Park is not lost), by its deadline, or by one
// of the file descriptors it waits on. Waiters re-check their condition after
// every return: Park may return for a stale permit.
//
// Lock order: a primitive's own mutex may be held while calling Unpark; Park
// must be called with no platform lock held.

#include <poll.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace plat {

// Milliseconds on the clock's scale: the virtual time, or CLOCK_MONOTONIC.
using ClockMs = int64_t;
inline constexpr ClockMs kNoDeadline = INT64_MAX;

class Parker;

// The calling thread's parker, created on first use.
std::shared_ptr<Parker> CurrentParker();

struct ParkRequest {
  ClockMs deadline = kNoDeadline;
  // Extra descriptors to wait for; revents are filled in on return.
  std::span<pollfd> fds{};
  // The thread waits for work done elsewhere (a reply from another process):
  // it does not count as idle, so virtual time stands still meanwhile.
  bool busy = false;
};

enum class ParkResult { kWoken, kDeadline, kDescriptor };

// Blocks the calling thread; see the header comment.
ParkResult Park(const ParkRequest& request);

// Releases `parker` from its current or next Park.
void Unpark(Parker& parker);

// Participation in the clock: a thread counts towards idleness while its
// join count is above zero. Threads started by StartThread and threads that
// own windows join; the count drops when they end or destroy their windows.
void JoinClock();
void LeaveClock();
bool IsClockParticipant();

// A thread about to be started counts as busy from here until it calls
// JoinClockAsStartedThread, so idleness is never seen in between. Call
// ThreadStartFailed when the start did not happen.
void ThreadStarting();
void ThreadStartFailed();
void JoinClockAsStartedThread();

// Current time on the clock's scale.
ClockMs SchedulerNow();

// Clock mode switch used by clock.cpp. Switching resets virtual time to 0;
// do it while no thread is parked.
void SchedulerUseVirtualTime(bool enabled);
bool SchedulerVirtual();

// Virtual time never jumps past the limit (kNoDeadline: free running).
void SchedulerSetLimit(ClockMs limit);

// Raises the limit to now + `by` and waits (at most `realTimeoutMs` of real
// time; negative: no limit) until virtual time has reached it and every
// participating thread is idle there. False on time-out, under the real
// clock and from a participating thread.
bool SchedulerAdvance(ClockMs by, int64_t realTimeoutMs);

// Runs `action` once virtual time reaches `at`, on whichever thread moves
// the clock, with no platform lock held. The action must not block.
bool SchedulerAt(ClockMs at, std::function<void()> action);

// Runs `action` once, at the next moment every participating thread is
// idle (at once if they are), on the thread that saw it, with no platform
// lock held. The action must not block.
void SchedulerWhenIdle(std::function<void()> action);

// Waits (at most `realTimeoutMs` of real time; negative: no limit) until
// every participating thread is parked, nothing is due at the current time
// and no descriptor they wait on is readable. Returns false on time-out and
// when called from a participating thread (which could never be idle itself).
bool SchedulerWaitIdle(int64_t realTimeoutMs);

}  // namespace plat
