#pragma once
// The message queue of one thread: posted messages, messages sent to its
// windows by other threads, its window timers, the quit flag, and the
// sockets of its windows. Any thread may post, send or set timers; only the
// owner takes messages, and a sent message always runs on the owner.

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/sys/scheduler.h"
#include "platform/win/channel_set.h"
#include "platform/win/timer_list.h"
#include "platform/win/types.h"

namespace plat {

struct WindowRecord;

class ThreadQueue {
 public:
  // The calling thread's queue, made on first use; it ends with the thread,
  // taking the thread's windows with it.
  static std::shared_ptr<ThreadQueue> Current();
  // The calling thread's queue if it has one.
  static ThreadQueue* CurrentIfAny();

  ThreadQueue();
  ThreadQueue(const ThreadQueue&) = delete;
  ThreadQueue& operator=(const ThreadQueue&) = delete;

  bool IsOwnerThread() const { return std::this_thread::get_id() == ownerId_; }

  // Any thread. False once the owner thread has ended.
  bool Post(const MSG& message);
  bool SetTimer(HWND window, uintptr_t id, UINT milliseconds);
  bool KillTimer(HWND window, uintptr_t id);
  // Sends from another thread of this process and waits for the result,
  // handling messages sent to the caller meanwhile. `delivered` is false
  // when the owner ended before the procedure ran.
  LRESULT SendFromOtherThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              bool* delivered);

  // Owner thread only.
  // Takes (or with `remove` false, looks at) the next message for `filter`;
  // with `wait` blocks until there is one. False when not waiting and none.
  bool Get(MSG* out, const MessageFilter& filter, bool wait, bool remove);
  void PostFront(const MSG& message);
  void PostQuit(int exitCode);
  void AddWindowSocket(int listenFd, HWND window);
  // Drops the window's timers, queued messages and sockets.
  void ForgetWindow(HWND window);

  // Blocks the calling thread until `done` returns true or `extra` (if
  // given) is ready, handling messages sent to its windows meanwhile, as a
  // thread blocked in SendMessage does. A `busy` wait (on another process)
  // does not count as idle, so virtual time stands still meanwhile. Returns
  // true when `extra` became ready.
  static bool WaitHandlingSent(const std::function<bool()>& done, pollfd* extra, bool busy);

  // Ends the queue: pending sends fail, windows are destroyed.
  void Shutdown();

 private:
  struct SentMessage;

  bool TakeReady(MSG* out, const MessageFilter& filter, bool remove);
  void DispatchSent();
  void ServiceSockets(std::vector<pollfd>& fds);

  std::mutex mu_;
  const std::shared_ptr<Parker> owner_;
  const std::thread::id ownerId_;
  bool dead_ = false;
  std::deque<MSG> posted_;
  std::deque<SentMessage*> sent_;
  TimerList timers_;
  bool quit_ = false;
  int quitCode_ = 0;
  ChannelSet channels_;  // owner thread only
};

}  // namespace plat
