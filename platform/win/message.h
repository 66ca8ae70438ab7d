#pragma once
// Message loops, posting and sending, and window timers.

#include "platform/win/types.h"

namespace plat {

// Takes the next message of the calling thread's queue for `hwnd` (null: any
// window) within [first, last] (both 0: any), blocking until there is one.
// Messages sent by other threads or processes are handled meanwhile. Returns
// 0 for WM_QUIT and 1 otherwise. The first call also tells a program that
// started this one that it is ready.
int GetMessageA(MSG* out, HWND hwnd, UINT first, UINT last);

// Like GetMessageA without blocking; PM_REMOVE takes the message. Returns
// whether there was one.
bool PeekMessageA(MSG* out, HWND hwnd, UINT first, UINT last, UINT removeFlag);

// Calls the procedure of the message's window; returns its result.
LRESULT DispatchMessageA(const MSG* message);

// Makes the calling thread's GetMessageA return 0 once its queue is empty.
void PostQuitMessage(int exitCode);

// Queues a message for a window of this or another process (null: the
// calling thread). WM_COPYDATA cannot be posted. False when the window is
// gone.
bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the window's procedure on its own thread and returns its result. The
// caller blocks meanwhile but still handles messages sent to its own
// windows. Returns 0 when the window is gone, also when its process dies
// during the call.
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Starts or re-times the window's timer `id`: a WM_TIMER every `milliseconds`
// (at least 10) taken by the owner thread's GetMessageA. Callable from any
// thread of the process. Returns `id` (1 for id 0), or 0 when the window is
// not a window of this process.
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT milliseconds);
bool KillTimer(HWND hwnd, uintptr_t id);

// Queues `message` for `hwnd` at virtual time `atMs`: scheduled input for
// replays and tests. False under the real clock.
bool PostMessageAt(int64_t atMs, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plat
