#include "platform/sys/clock.h"

#include <sched.h>

#include <atomic>
#include <cstdio>

#include "platform/sys/scheduler.h"

namespace plat {
namespace {

std::atomic<time_t> virtualStart{0};

}  // namespace

uint32_t GetTickCount() { return static_cast<uint32_t>(GetTickCount64()); }

int64_t GetTickCount64() { return SchedulerNow(); }

time_t CalendarTime() {
  if (!SchedulerVirtual()) return std::time(nullptr);
  return virtualStart.load() + static_cast<time_t>(SchedulerNow() / 1000);
}

void Sleep(uint32_t milliseconds) {
  if (milliseconds == 0) {
    sched_yield();
    return;
  }
  ClockMs deadline = SchedulerNow() + milliseconds;
  while (Park(ParkRequest{.deadline = deadline}) != ParkResult::kDeadline) {
  }
}

bool ClockIsVirtual() { return SchedulerVirtual(); }

void UseVirtualClock(time_t start) {
  virtualStart.store(start);
  SchedulerUseVirtualTime(true);
}

void UseRealClock() { SchedulerUseVirtualTime(false); }

bool ParseClockStart(const char* text, time_t* out) {
  tm fields{};
  int consumed = 0;
  if (std::sscanf(text, "%4d-%2d-%2dT%2d:%2d:%2d%n", &fields.tm_year, &fields.tm_mon,
                  &fields.tm_mday, &fields.tm_hour, &fields.tm_min, &fields.tm_sec,
                  &consumed) != 6 ||
      text[consumed] != '\0') {
    return false;
  }
  if (fields.tm_mon < 1 || fields.tm_mon > 12 || fields.tm_mday < 1 || fields.tm_mday > 31 ||
      fields.tm_hour > 23 || fields.tm_min > 59 || fields.tm_sec > 60) {
    return false;
  }
  fields.tm_year -= 1900;
  fields.tm_mon -= 1;
  fields.tm_isdst = -1;
  time_t t = std::mktime(&fields);
  if (t == static_cast<time_t>(-1)) return false;
  *out = t;
  return true;
}

bool ScheduleAt(int64_t atMs, std::function<void()> action) {
  return SchedulerAt(atMs, std::move(action));
}

void RunWhenIdle(std::function<void()> action) { SchedulerWhenIdle(std::move(action)); }

bool WaitUntilIdle() { return SchedulerWaitIdle(-1); }

bool WaitUntilIdleFor(int64_t realTimeoutMs) { return SchedulerWaitIdle(realTimeoutMs); }

bool AdvanceClock(int64_t milliseconds, int64_t realTimeoutMs) {
  return SchedulerAdvance(milliseconds, realTimeoutMs);
}

void HoldClock() { SchedulerSetLimit(SchedulerNow()); }

void ReleaseClock() { SchedulerSetLimit(kNoDeadline); }

}  // namespace plat
