#pragma once
// The window timers of one thread. A timer is never queued: when the thread
// looks for a message and a timer is due, it gets one WM_TIMER for it and
// the timer moves to its next period after now. So a timer has at most one
// pending tick, and ticks missed while the thread was busy merge into one.

#include <vector>

#include "platform/sys/scheduler.h"
#include "platform/win/types.h"

namespace plat {

struct MessageFilter {
  HWND hwnd = nullptr;  // null: any window
  UINT first = 0;       // first and last both 0: any message
  UINT last = 0;

  bool Matches(HWND window, UINT message) const {
    if (hwnd && window != hwnd) return false;
    return (first == 0 && last == 0) || (message >= first && message <= last);
  }
};

class TimerList {
 public:
  // Starts the timer (window, id), or gives a running one its new interval;
  // either way its first tick is one interval from now.
  void Set(HWND window, uintptr_t id, UINT milliseconds, ClockMs now);
  bool Kill(HWND window, uintptr_t id);
  void KillAll(HWND window);

  // When the earliest timer the filter accepts falls due; kNoDeadline if none.
  ClockMs NextDue(const MessageFilter& filter) const;

  // The WM_TIMER of a due timer the filter accepts (the most overdue first).
  // With `remove` the timer moves on to its next period.
  bool TakeDue(ClockMs now, const MessageFilter& filter, bool remove, MSG* out);

 private:
  struct Timer {
    HWND window;
    uintptr_t id;
    ClockMs interval;
    ClockMs due;
  };
  std::vector<Timer> timers_;
};

}  // namespace plat
