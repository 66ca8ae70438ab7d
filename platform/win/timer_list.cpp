#include "platform/win/timer_list.h"

#include <algorithm>

namespace plat {

void TimerList::Set(HWND window, uintptr_t id, UINT milliseconds, ClockMs now) {
  ClockMs interval = std::max<ClockMs>(milliseconds, USER_TIMER_MINIMUM);
  for (Timer& t : timers_) {
    if (t.window == window && t.id == id) {
      t.interval = interval;
      t.due = now + interval;
      return;
    }
  }
  timers_.push_back(Timer{window, id, interval, now + interval});
}

bool TimerList::Kill(HWND window, uintptr_t id) {
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const Timer& t) { return t.window == window && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

void TimerList::KillAll(HWND window) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

ClockMs TimerList::NextDue(const MessageFilter& filter) const {
  ClockMs next = kNoDeadline;
  for (const Timer& t : timers_) {
    if (filter.Matches(t.window, WM_TIMER)) next = std::min(next, t.due);
  }
  return next;
}

bool TimerList::TakeDue(ClockMs now, const MessageFilter& filter, bool remove, MSG* out) {
  Timer* earliest = nullptr;
  for (Timer& t : timers_) {
    if (t.due <= now && filter.Matches(t.window, WM_TIMER) &&
        (!earliest || t.due < earliest->due)) {
      earliest = &t;
    }
  }
  if (!earliest) return false;
  *out = MSG{earliest->window, WM_TIMER, earliest->id, 0, static_cast<uint32_t>(now), {0, 0}};
  if (remove) {
    // Keep the phase, skip the periods that were missed.
    ClockMs missed = (now - earliest->due) / earliest->interval;
    earliest->due += (missed + 1) * earliest->interval;
  }
  return true;
}

}  // namespace plat
