#include "host/msg.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "host/host_reset.h"
#include "host/net_blocks.h"
#include "platform/sys/sync.h"

namespace {

// One reader (the application thread), writers on any thread. The indices
// are atomic because GetMsg tests for emptiness without the lock; the event
// closes the gap between that test and the wait.
Message msgRing[kMsgRingSize];
std::atomic<int> readIndex{0};
std::atomic<int> writeIndex{0};
plat::Event* msgEvent = nullptr;

// Lives to the end of the process, so no thread can take it after a delete.
plat::CRITICAL_SECTION& MsgLock() {
  static plat::CRITICAL_SECTION lock;
  static std::once_flag initialised;
  std::call_once(initialised, [] { plat::InitializeCriticalSection(&lock); });
  return lock;
}

class RingLock {
 public:
  RingLock() { plat::EnterCriticalSection(&MsgLock()); }
  ~RingLock() { plat::LeaveCriticalSection(&MsgLock()); }
  RingLock(const RingLock&) = delete;
  RingLock& operator=(const RingLock&) = delete;
};

int Next(int index) { return (index + 1) % kMsgRingSize; }

bool RingEmpty() { return readIndex.load() == writeIndex.load(); }

bool IsF2KeyDown(const Message& message) {
  return message.type == MsgKeyDown && message.wParam == kKeyF2;
}

// Set by the program (TOVSIM_TRACE_MSG); when on, GetMsg logs each Message it
// hands out, so a driver outside the process can see what the application got.
std::atomic<bool> traceMessages{false};

// One line per Message, flushed at once: the reader may be another process
// watching while the host still runs.
void TraceMessage(const Message& message) {
  std::fprintf(stderr, "msg %u %u 0x%08X\n", unsigned(message.type), unsigned(message.wParam),
               unsigned(message.lParam));
  std::fflush(stderr);
}

}  // namespace

void SetMessageTrace(bool on) { traceMessages.store(on, std::memory_order_relaxed); }

int MsgVctInit() {
  RingLock lock;
  readIndex = 0;
  writeIndex = 0;
  return 1;
}

int MsgVctRelease() { return 1; }

void MsgRingOpen() {
  MsgLock();
  // The event, like the lock, is made once and kept: a host started again in
  // the same process (the tests) reuses it.
  static plat::Event* event = plat::CreateEventA(nullptr, false, false, nullptr);
  msgEvent = event;
  plat::ResetEvent(msgEvent);
}

int QueueMessage(uint32_t type, uint32_t wParam, uint32_t lParam) {
  RingLock lock;
  int write = writeIndex.load();
  // A full ring drops its oldest unread Message rather than overwriting the
  // reader's slot, which would make every pending Message look gone.
  if (Next(write) == readIndex.load()) readIndex = Next(readIndex.load());
  msgRing[write] = Message{type, wParam, lParam};
  writeIndex = Next(write);
  if (msgEvent) plat::SetEvent(msgEvent);
  return 1;
}

void PostMsg(uint32_t type, uint32_t wParam, uint32_t lParam) {
  QueueMessage(type, wParam, lParam);
}

int GetMsg(Message* out) {
  Message taken;
  for (;;) {
    while (RingEmpty()) {
      if (plat::WaitForSingleObject(msgEvent, plat::INFINITE) != plat::WAIT_OBJECT_0) return 0;
    }
    RingLock lock;
    // A ClearMsgQueue between the test and the lock leaves nothing to take.
    if (RingEmpty()) continue;
    int read = readIndex.load();
    taken = msgRing[read];
    readIndex = Next(read);
    if (msgEvent) plat::ResetEvent(msgEvent);
    break;
  }
  *out = taken;
  // A read of the network block now gives this Message's block.
  if (taken.type == MsgNetData) NetBlocksNoteTaken(taken.lParam);
  if (traceMessages.load(std::memory_order_relaxed)) TraceMessage(taken);
  if (IsF2KeyDown(taken)) QueueMessage(taken.type, taken.wParam, taken.lParam);
  return 1;
}

namespace {

void ClearRing() {
  RingLock lock;
  readIndex = 0;
  writeIndex = 0;
  if (msgEvent) plat::ResetEvent(msgEvent);
}

}  // namespace

// The network blocks whose MsgNetData goes with the ring go too, so none of
// them stays behind unread.
void ClearMsgQueue() { NetBlocksClearWithRing(ClearRing); }

int MsgPendingCount() {
  RingLock lock;
  return (writeIndex.load() - readIndex.load() + kMsgRingSize) % kMsgRingSize;
}

static const bool resetRegistered = RegisterHostReset(ClearMsgQueue);
