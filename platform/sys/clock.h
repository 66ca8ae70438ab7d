#pragma once
// The clock: real by default, virtual after UseVirtualClock (a program's main
// calls it for TOVSIM_CLOCK=virtual, see program_env.h). Virtual time starts
// at 0 ms and at the calendar time given (TOVSIM_CLOCK_START,
// "2026-12-05T10:00:00", local time); it moves only when
// every participating thread waits, and then jumps straight to the next due
// event: a timer, the end of a Sleep, a wait's time-out or a scheduled action.
//
// Participating threads are those started with StartThread/_beginthread and
// those that own windows; see platform/sys/scheduler.h.

#include <cstdint>
#include <ctime>
#include <functional>

namespace plat {

// Milliseconds since the clock started, wrapping at 2^32 like GetTickCount.
uint32_t GetTickCount();

// The same without wrapping.
int64_t GetTickCount64();

// Seconds since the epoch: the system time, or the virtual start time plus
// the virtual time elapsed.
time_t CalendarTime();

// Suspends the calling thread; Sleep(0) only yields.
void Sleep(uint32_t milliseconds);

bool ClockIsVirtual();

// Switches to the virtual clock at calendar time `start`, virtual time 0,
// running freely. Do this while no thread waits.
void UseVirtualClock(time_t start);
void UseRealClock();

// Parses "YYYY-MM-DDTHH:MM:SS" as local time.
bool ParseClockStart(const char* text, time_t* out);

// Runs `action` when virtual time reaches `atMs` (see GetTickCount64), on the
// thread that moves the clock; the action must not block. This is how a
// replay feeds input at exact virtual times. False under the real clock.
bool ScheduleAt(int64_t atMs, std::function<void()> action);

// Test hooks. WaitUntilIdle returns when every participating thread is
// blocked with nothing due at the current time (so the application is
// blocked on an empty queue). The variant gives up after `realTimeoutMs`
// of real time and returns false; both return false when called from a
// participating thread.
bool WaitUntilIdle();
bool WaitUntilIdleFor(int64_t realTimeoutMs);

// Runs `action` once at the next moment the application is idle (at once if
// it is now), on whichever thread saw it, before virtual time moves on. For
// a thread that takes part in the clock itself, such as a window procedure
// answering "tell me when you are idle": it can post the answer from here.
// The action must not block.
void RunWhenIdle(std::function<void()> action);

// Virtual clock only: lets time run `milliseconds` further and no further,
// then waits until everything is idle there. Time stays held at that point
// until the next AdvanceClock or ReleaseClock. False on time-out.
bool AdvanceClock(int64_t milliseconds, int64_t realTimeoutMs = -1);

// Holds virtual time where it is / lets it run freely again.
void HoldClock();
void ReleaseClock();

}  // namespace plat
