#include "tests/support/window_thread.h"

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "platform/sys/sync.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"

namespace testsupport {
namespace {

// A procedure runs on the thread that owns its window, so the handlers are
// kept per thread. While a window is being made it has no entry yet.
thread_local std::map<plat::HWND, WindowHandler> handlers;
thread_local WindowHandler* creating = nullptr;

plat::LRESULT HandlerProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                          plat::LPARAM lParam) {
  auto it = handlers.find(hwnd);
  WindowHandler* handler = it != handlers.end() ? &it->second : creating;
  if (handler && *handler) {
    if (auto answer = (*handler)(hwnd, message, wParam, lParam)) return *answer;
  }
  return plat::DefWindowProcA(hwnd, message, wParam, lParam);
}

// Classes belong to the process; every class made here shares the one
// procedure, so windows of different tests never take each other's.
void RegisterOnce(const std::string& className) {
  static std::mutex mu;
  static std::set<std::string> registered;
  std::lock_guard lock(mu);
  if (registered.contains(className)) return;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HandlerProc;
  windowClass.lpszClassName = className.c_str();
  if (plat::RegisterClassA(&windowClass) != 0) registered.insert(className);
}

std::string UniqueTitle() {
  static std::atomic<int> counter{0};
  return "window-" + std::to_string(counter++);
}

}  // namespace

plat::HWND CreateHandlerWindow(const std::string& title, WindowHandler handler,
                               const std::string& className) {
  RegisterOnce(className);
  creating = &handler;
  plat::HWND hwnd = plat::CreateWindowA(className.c_str(), title.c_str(), 0, 0, 0, 1, 1, nullptr,
                                        nullptr, nullptr, nullptr);
  creating = nullptr;
  if (hwnd) handlers[hwnd] = std::move(handler);
  return hwnd;
}

WindowThread::WindowThread(WindowHandler handler, std::string title, const std::string& className)
    : title_(title.empty() ? UniqueTitle() : std::move(title)) {
  plat::Event* created = plat::CreateEventA(nullptr, false, false, nullptr);
  // The loop ends at WM_DESTROY, unless the handler answered it.
  WindowHandler quitting = [handler = std::move(handler)](plat::HWND hwnd, plat::UINT message,
                                                          plat::WPARAM wParam,
                                                          plat::LPARAM lParam) {
    std::optional<plat::LRESULT> answer;
    if (handler) answer = handler(hwnd, message, wParam, lParam);
    if (!answer && message == plat::WM_DESTROY) plat::PostQuitMessage(0);
    return answer;
  };
  thread_ = plat::StartThread([this, created, className, quitting = std::move(quitting)] {
    hwnd_ = CreateHandlerWindow(title_, quitting, className);
    plat::SetEvent(created);
    plat::MSG message;
    while (hwnd_ && plat::GetMessageA(&message, nullptr, 0, 0)) {
      plat::TranslateMessage(&message);
      plat::DispatchMessageA(&message);
    }
    handlers.clear();
  });
  plat::WaitForSingleObject(created, plat::INFINITE);
  plat::CloseHandle(created);
}

WindowThread::~WindowThread() {
  if (plat::IsWindow(hwnd_)) plat::PostMessageA(hwnd_, plat::WM_CLOSE, 0, 0);
  thread_.join();
}

}  // namespace testsupport
