#include "platform/win/message.h"

#include "platform/sys/clock.h"
#include "platform/sys/process.h"
#include "platform/win/remote.h"
#include "platform/win/thread_queue.h"
#include "platform/win/window_registry.h"

namespace plat {
namespace {

std::shared_ptr<WindowRecord> LocalWindow(HWND hwnd) {
  auto record = LookupWindow(hwnd);
  return record && !record->IsRemote() ? record : nullptr;
}

}  // namespace

int GetMessageA(MSG* out, HWND hwnd, UINT first, UINT last) {
  NotifyParentReady();
  ThreadQueue::Current()->Get(out, MessageFilter{hwnd, first, last}, true, true);
  return out->message == WM_QUIT ? 0 : 1;
}

bool PeekMessageA(MSG* out, HWND hwnd, UINT first, UINT last, UINT removeFlag) {
  return ThreadQueue::Current()->Get(out, MessageFilter{hwnd, first, last}, false,
                                     (removeFlag & PM_REMOVE) != 0);
}

LRESULT DispatchMessageA(const MSG* message) {
  if (!message) return 0;
  return CallWindowProcedure(message->hwnd, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) { ThreadQueue::Current()->PostQuit(exitCode); }

bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The data of WM_COPYDATA lives only as long as a send.
  if (message == WM_COPYDATA) return false;
  MSG queued{hwnd, message, wParam, lParam, GetTickCount(), {0, 0}};
  if (!hwnd) return ThreadQueue::Current()->Post(queued);
  auto record = LookupWindow(hwnd);
  if (!record) return false;
  if (record->IsRemote()) return RemotePost(*record, message, wParam, lParam);
  return record->queue->Post(queued);
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = LookupWindow(hwnd);
  if (!record) return 0;
  bool delivered = false;
  if (record->IsRemote()) return RemoteSend(*record, message, wParam, lParam, &delivered);
  if (record->queue->IsOwnerThread()) return record->proc(hwnd, message, wParam, lParam);
  return record->queue->SendFromOtherThread(hwnd, message, wParam, lParam, &delivered);
}

uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT milliseconds) {
  auto record = LocalWindow(hwnd);
  if (!record || !record->queue->SetTimer(hwnd, id, milliseconds)) return 0;
  return id != 0 ? id : 1;
}

bool KillTimer(HWND hwnd, uintptr_t id) {
  auto record = LocalWindow(hwnd);
  return record && record->queue->KillTimer(hwnd, id);
}

bool PostMessageAt(int64_t atMs, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ScheduleAt(atMs, [=] { PostMessageA(hwnd, message, wParam, lParam); });
}

}  // namespace plat
