#include "tests/platform/win/loop_thread.h"

#include <atomic>
#include <map>

#include "platform/sys/sync.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"

namespace plat::testing {
namespace {

// Procedures run on the thread that owns the window, so the handlers can be
// kept per thread. During creation the window has no entry yet.
thread_local std::map<HWND, Handler> handlers;
thread_local Handler* creating = nullptr;

std::string UniqueTitle() {
  static std::atomic<int> counter{0};
  return "loop-" + std::to_string(counter++);
}

}  // namespace

LRESULT HandlerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = handlers.find(hwnd);
  Handler* handler = it != handlers.end() ? &it->second : creating;
  if (handler && *handler) {
    if (auto result = (*handler)(hwnd, message, wParam, lParam)) return *result;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* HandlerClass() {
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HandlerProc;
    windowClass.lpszClassName = "HandlerClass";
    return RegisterClassA(&windowClass) != 0;
  }();
  (void)registered;
  return "HandlerClass";
}

HWND CreateHandlerWindow(const std::string& title, Handler handler) {
  creating = &handler;
  HWND hwnd = CreateWindowA(HandlerClass(), title.c_str(), 0, 0, 0, 1, 1, nullptr, nullptr,
                            nullptr, nullptr);
  creating = nullptr;
  if (hwnd) handlers[hwnd] = std::move(handler);
  return hwnd;
}

LoopThread::LoopThread(Handler handler, std::string title)
    : title_(title.empty() ? UniqueTitle() : std::move(title)) {
  Event* created = CreateEventA(nullptr, false, false, nullptr);
  thread_ = StartThread([this, created, handler = std::move(handler)]() mutable {
    hwnd_ = CreateHandlerWindow(title_, std::move(handler));
    SetEvent(created);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    handlers.clear();
  });
  WaitForSingleObject(created, INFINITE);
  CloseHandle(created);
}

LoopThread::~LoopThread() {
  if (IsWindow(hwnd_)) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  thread_.join();
}

}  // namespace plat::testing
