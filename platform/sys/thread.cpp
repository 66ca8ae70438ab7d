#include "platform/sys/thread.h"

#include <system_error>

#include "platform/sys/scheduler.h"

namespace plat {

std::thread StartThread(std::function<void()> body) {
  ThreadStarting();
  try {
    return std::thread([body = std::move(body)] {
      JoinClockAsStartedThread();
      body();
      LeaveClock();
    });
  } catch (...) {
    ThreadStartFailed();
    throw;
  }
}

uintptr_t _beginthread(void (*start)(void*), unsigned, void* argument) {
  if (!start) return static_cast<uintptr_t>(-1);
  try {
    StartThread([start, argument] { start(argument); }).detach();
    return 1;
  } catch (const std::system_error&) {
    return static_cast<uintptr_t>(-1);
  }
}

}  // namespace plat
