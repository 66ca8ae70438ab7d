#pragma once
// The MSG VCT: the ring of 100 Messages that carries input and timer events
// from the host window to the application thread, and the small services
// beside it: window timers, the key state, sleeping, the date and time and
// the pseudo-random numbers.

#include <cstdint>

#include "host/types.h"

// Key codes the host's own code interprets.
inline constexpr uint32_t kKeyEnter = 13;
inline constexpr uint32_t kKeyEscape = 27;
inline constexpr uint32_t kKeyPageUp = 33;
inline constexpr uint32_t kKeyPageDown = 34;
inline constexpr uint32_t kKeyLeft = 37;
inline constexpr uint32_t kKeyUp = 38;
inline constexpr uint32_t kKeyRight = 39;
inline constexpr uint32_t kKeyDown = 40;
inline constexpr uint32_t kKeyF2 = 113;

// Slots in the ring; at most one fewer Messages are held.
inline constexpr int kMsgRingSize = 100;

// Turns the trace on or off (the host program: TOVSIM_TRACE_MSG=1): every
// Message GetMsg hands out is written to stderr as "msg TYPE WPARAM 0xLPARAM".
void SetMessageTrace(bool on);

// Empties the ring. Returns 1; it cannot fail.
int MsgVctInit();
// Returns 1; the ring lives to the end of the process.
int MsgVctRelease();

// Readies the ring's event and lock (the host window's WM_CREATE does this
// before the application thread starts) and resets the event. The lock is
// never deleted: a late application thread may still take it at shutdown.
void MsgRingOpen();

// Appends a Message and wakes a waiting GetMsg; returns 1. With 99 unread
// Messages the oldest is dropped, so the ring stays full and in order.
int QueueMessage(uint32_t type, uint32_t wParam, uint32_t lParam);
// The applications' append: the same as QueueMessage, from any thread.
void PostMsg(uint32_t type, uint32_t wParam, uint32_t lParam);
// Takes the next Message, blocking while the ring is empty; 0 with `out`
// untouched when waiting failed. A key-down of F2 is appended again after it
// is taken, so it stays pending until ClearMsgQueue.
int GetMsg(Message* out);
// Drops every pending Message.
void ClearMsgQueue();
// Unread Messages in the ring (for tests and diagnostics).
int MsgPendingCount();

// Starts (or re-times) timer `id` on the host window: a MsgTimer with wParam
// `id` every `milliseconds`. 1 when it runs, 0 without a host window or when
// the platform refused.
int StartTimer(uint32_t id, uint32_t milliseconds);
void StopTimer(uint32_t id);

// 1 while the key is down, else 0.
int IsKeyDown(int32_t virtualKey);
// Suspends the calling thread (on the virtual clock, virtual milliseconds).
void DelayMs(uint32_t milliseconds);
// Takes Messages until a key-down, or until the clock's second has changed
// `seconds` times (looked at only between Messages).
void WaitKeyOrSeconds(uint32_t seconds);
// The local date and time of the clock (real or virtual).
void GetDateTime(DateTime* out);

// The C library's pseudo-random generator: Random gives 0 to 32767, and a
// given seed always gives the same sequence. Unseeded, it starts as seed 1.
void SeedRandom(uint32_t seed);
int32_t Random();
