#pragma once
// Thread start. Threads started here take part in the clock from before
// their first instruction to their end, so the virtual clock never moves
// while one of them runs and WaitUntilIdle never misses one that just began.

#include <cstdint>
#include <functional>
#include <thread>

namespace plat {

// Starts `body` on a joinable thread.
std::thread StartThread(std::function<void()> body);

// Like the C library's _beginthread: starts start(argument) on a detached
// thread with the default stack (stackSize is ignored). Returns a non-zero
// value on success and (uintptr_t)-1 on failure.
uintptr_t _beginthread(void (*start)(void*), unsigned stackSize, void* argument);

}  // namespace plat
