#pragma once
// Events and critical sections with Win32 semantics. Their waits are known to
// the clock: a thread blocked here counts as waiting, and a wait's time-out
// is measured in the clock's (possibly virtual) milliseconds.

#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/sys/wait_queue.h"

namespace plat {

inline constexpr uint32_t INFINITE = 0xFFFFFFFF;
inline constexpr uint32_t WAIT_OBJECT_0 = 0;
inline constexpr uint32_t WAIT_TIMEOUT = 258;
inline constexpr uint32_t WAIT_FAILED = 0xFFFFFFFF;

class Event;

// Creates an unnamed event. An auto-reset event (manualReset false) releases
// exactly one waiter per SetEvent and is reset by the wait that consumes it;
// a manual-reset event stays signalled and releases every waiter. Named
// events are not supported: a non-null name gives null.
Event* CreateEventA(const void* security, bool manualReset, bool initialState,
                    const char* name);
bool SetEvent(Event* event);
bool ResetEvent(Event* event);
// WAIT_OBJECT_0 when signalled, WAIT_TIMEOUT after `milliseconds` (INFINITE:
// never), WAIT_FAILED for a null event.
uint32_t WaitForSingleObject(Event* event, uint32_t milliseconds);
bool CloseHandle(Event* event);

// A recursive lock handed over first come, first served.
struct CRITICAL_SECTION {
  std::mutex mu;
  std::thread::id owner;
  int depth = 0;
  WaitQueue waiters;
};

void InitializeCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
bool TryEnterCriticalSection(CRITICAL_SECTION* section);
// Leaving a section the caller does not hold does nothing.
void LeaveCriticalSection(CRITICAL_SECTION* section);
// Releases nothing and leaves the section usable: a thread that still enters
// it after the delete (a late application thread during shutdown) is safe.
void DeleteCriticalSection(CRITICAL_SECTION* section);

}  // namespace plat
