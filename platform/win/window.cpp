#include "platform/win/window.h"

#include <atomic>
#include <cerrno>
#include <memory>

#include "platform/sys/scheduler.h"
#include "platform/win/endpoint.h"
#include "platform/win/remote.h"
#include "platform/win/thread_queue.h"
#include "platform/win/window_registry.h"

namespace plat {
namespace {

// Binds the window's socket; false when the window cannot be made.
bool OpenEndpoint(WindowRecord& record, int* listenFd) {
  const Endpoint endpoint = EndpointFor(record.className, record.title);
  record.endpoint = endpoint.path;
  if (record.endpoint.empty()) return false;
  *listenFd = ListenEndpoint(endpoint);
  if (*listenFd >= 0) return true;
  if (errno != EADDRINUSE) return false;
  record.endpoint.clear();  // the name belongs to a live window elsewhere
  return true;
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  static std::atomic<ATOM> nextAtom{0xC000};
  if (!windowClass || !windowClass->lpszClassName || !*windowClass->lpszClassName ||
      !windowClass->lpfnWndProc) {
    return 0;
  }
  if (!RegisterWindowClass(windowClass->lpszClassName, windowClass->lpfnWndProc)) return 0;
  return nextAtom++;
}

HWND CreateWindowA(const char* className, const char* title, uint32_t style, int x, int y,
                   int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                   void* parameter) {
  if (!className) return nullptr;
  WNDPROC proc = WindowClassProc(className);
  if (!proc) return nullptr;
  auto record = std::make_shared<WindowRecord>();
  record->className = className;
  record->title = title ? title : "";
  record->proc = proc;
  record->queue = ThreadQueue::Current();
  int listenFd = -1;
  if (!OpenEndpoint(*record, &listenFd)) return nullptr;
  HWND hwnd = InsertWindow(record);
  if (listenFd >= 0) record->queue->AddWindowSocket(listenFd, hwnd);
  JoinClock();

  CREATESTRUCTA create{parameter, instance, menu,  parent, height,      width,
                       y,         x,        static_cast<long>(style), title, className, 0};
  if (proc(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  return hwnd;
}

void ReleaseWindow(HWND hwnd) {
  auto record = LookupWindow(hwnd);
  if (!record || record->IsRemote()) return;
  EraseWindow(hwnd);
  // Unlink before closing, so no one sees the name dead while it is ours.
  if (!record->endpoint.empty()) RemoveEndpoint(record->endpoint);
  record->queue->ForgetWindow(hwnd);
  LeaveClock();
}

bool DestroyWindow(HWND hwnd) {
  auto record = LookupWindow(hwnd);
  if (!record || record->IsRemote() || !record->queue->IsOwnerThread()) return false;
  if (record->destroying) return false;
  record->destroying = true;
  record->proc(hwnd, WM_DESTROY, 0, 0);
  ReleaseWindow(hwnd);
  return true;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(hwnd);
  return 0;
}

HWND FindWindowA(const char* className, const char* title) {
  if (HWND local = FindLocalWindow(className, title)) return local;
  if (!className || !title) return nullptr;
  return FindRemoteWindow(className, title);
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  auto record = LookupWindow(hwnd);
  if (!record || record->IsRemote() || index != GWLP_USERDATA) return 0;
  return record->userData.exchange(value);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  auto record = LookupWindow(hwnd);
  if (!record || record->IsRemote() || index != GWLP_USERDATA) return 0;
  return record->userData.load();
}

bool IsWindow(HWND hwnd) {
  auto record = LookupWindow(hwnd);
  if (!record) return false;
  return !record->IsRemote() || RemoteWindowAlive(*record);
}

}  // namespace plat
