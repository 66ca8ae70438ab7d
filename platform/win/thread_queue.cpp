#include "platform/win/thread_queue.h"

#include <algorithm>

#include "platform/win/keyboard.h"
#include "platform/win/window.h"
#include "platform/win/window_registry.h"

namespace plat {

struct ThreadQueue::SentMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::shared_ptr<Parker> sender;
  LRESULT result = 0;
  bool done = false;
  bool delivered = false;
};

namespace {

struct QueueSlot {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueSlot() {
    if (queue) queue->Shutdown();
  }
};

thread_local QueueSlot queueSlot;

}  // namespace

std::shared_ptr<ThreadQueue> ThreadQueue::Current() {
  // The parker must outlive the queue, whose shutdown still uses it; thread
  // locals end in the reverse order of their making.
  CurrentParker();
  if (!queueSlot.queue) queueSlot.queue = std::make_shared<ThreadQueue>();
  return queueSlot.queue;
}

ThreadQueue* ThreadQueue::CurrentIfAny() {
  CurrentParker();
  return queueSlot.queue.get();
}

ThreadQueue::ThreadQueue() : owner_(CurrentParker()), ownerId_(std::this_thread::get_id()) {}

bool ThreadQueue::Post(const MSG& message) {
  {
    std::lock_guard lock(mu_);
    if (dead_) return false;
    posted_.push_back(message);
  }
  // Also when the owner posts itself: a scheduled action may post from
  // inside the owner's own wait.
  Unpark(*owner_);
  return true;
}

void ThreadQueue::PostFront(const MSG& message) {
  std::lock_guard lock(mu_);
  posted_.push_front(message);
}

void ThreadQueue::PostQuit(int exitCode) {
  std::lock_guard lock(mu_);
  quit_ = true;
  quitCode_ = exitCode;
}

bool ThreadQueue::SetTimer(HWND window, uintptr_t id, UINT milliseconds) {
  {
    std::lock_guard lock(mu_);
    if (dead_) return false;
    timers_.Set(window, id, milliseconds, SchedulerNow());
  }
  // The owner may be waiting with an older deadline.
  Unpark(*owner_);
  return true;
}

bool ThreadQueue::KillTimer(HWND window, uintptr_t id) {
  std::lock_guard lock(mu_);
  return timers_.Kill(window, id);
}

LRESULT ThreadQueue::SendFromOtherThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         bool* delivered) {
  SentMessage sent{window, message, wParam, lParam, CurrentParker()};
  {
    std::lock_guard lock(mu_);
    if (dead_) {
      *delivered = false;
      return 0;
    }
    sent_.push_back(&sent);
  }
  Unpark(*owner_);
  // Not busy: the owner is woken and so counts as busy until it answers.
  WaitHandlingSent(
      [&] {
        std::lock_guard lock(mu_);
        return sent.done;
      },
      nullptr, false);
  std::lock_guard lock(mu_);
  *delivered = sent.delivered;
  return sent.result;
}

void ThreadQueue::DispatchSent() {
  for (;;) {
    SentMessage* sent;
    {
      std::lock_guard lock(mu_);
      if (sent_.empty()) return;
      sent = sent_.front();
      sent_.pop_front();
    }
    LRESULT result = CallWindowProcedure(sent->hwnd, sent->message, sent->wParam, sent->lParam);
    std::shared_ptr<Parker> sender;
    {
      std::lock_guard lock(mu_);
      sent->result = result;
      sent->delivered = true;
      sent->done = true;
      sender = sent->sender;  // `sent` may be gone once the lock is released
    }
    Unpark(*sender);
  }
}

bool ThreadQueue::TakeReady(MSG* out, const MessageFilter& filter, bool remove) {
  std::lock_guard lock(mu_);
  auto it = std::find_if(posted_.begin(), posted_.end(),
                         [&](const MSG& m) { return filter.Matches(m.hwnd, m.message); });
  if (it != posted_.end()) {
    *out = *it;
    if (remove) {
      posted_.erase(it);
      NoteKeyMessage(*out);
    }
    return true;
  }
  if (quit_) {
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0, 0, {0, 0}};
    if (remove) quit_ = false;
    return true;
  }
  return timers_.TakeDue(SchedulerNow(), filter, remove, out);
}

void ThreadQueue::ServiceSockets(std::vector<pollfd>& fds) { channels_.Service(fds, *this); }

bool ThreadQueue::Get(MSG* out, const MessageFilter& filter, bool wait, bool remove) {
  std::vector<pollfd> fds;
  bool polled = false;
  for (;;) {
    DispatchSent();
    if (TakeReady(out, filter, remove)) return true;
    fds.clear();
    channels_.AppendPollFds(&fds);
    if (!wait) {
      if (polled || fds.empty()) return false;
      polled = true;
      if (poll(fds.data(), fds.size(), 0) > 0) ServiceSockets(fds);
      continue;
    }
    ClockMs deadline;
    {
      std::lock_guard lock(mu_);
      deadline = timers_.NextDue(filter);
    }
    Park(ParkRequest{.deadline = deadline, .fds = fds});
    ServiceSockets(fds);
  }
}

bool ThreadQueue::WaitHandlingSent(const std::function<bool()>& done, pollfd* extra,
                                   bool busy) {
  ThreadQueue* own = CurrentIfAny();
  std::vector<pollfd> fds;
  for (;;) {
    if (own) own->DispatchSent();
    if (done && done()) return false;
    fds.clear();
    if (own) own->channels_.AppendPollFds(&fds);
    if (extra) fds.push_back(pollfd{extra->fd, extra->events, 0});
    Park(ParkRequest{.fds = fds, .busy = busy});
    short extraEvents = 0;
    if (extra) {
      extraEvents = fds.back().revents;
      fds.pop_back();
    }
    if (own) own->ServiceSockets(fds);
    if (extraEvents) {
      extra->revents = extraEvents;
      return true;
    }
  }
}

void ThreadQueue::AddWindowSocket(int listenFd, HWND window) {
  channels_.AddListener(listenFd, window);
}

void ThreadQueue::ForgetWindow(HWND window) {
  {
    std::lock_guard lock(mu_);
    timers_.KillAll(window);
    std::erase_if(posted_, [&](const MSG& m) { return m.hwnd == window; });
  }
  channels_.CloseWindow(window);
}

void ThreadQueue::Shutdown() {
  {
    std::lock_guard lock(mu_);
    dead_ = true;
    for (SentMessage* sent : sent_) {
      sent->done = true;
      Unpark(*sent->sender);
    }
    sent_.clear();
    posted_.clear();
  }
  for (HWND window : WindowsOwnedBy(this)) ReleaseWindow(window);
}

}  // namespace plat
