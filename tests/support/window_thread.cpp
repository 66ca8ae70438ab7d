#include "tests/support/window_thread.h"

#include <mutex>
#include <set>
#include <utility>

#include "platform/sys/sync.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"

namespace testsupport {
namespace {

// Each window has a thread of its own, so its handler can be kept per thread.
thread_local const WindowHandler* threadHandler = nullptr;

plat::LRESULT WindowThreadProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                               plat::LPARAM lParam) {
  if (message == plat::WM_DESTROY) plat::PostQuitMessage(0);
  if (threadHandler && message != plat::WM_CREATE && message != plat::WM_DESTROY) {
    if (auto answer = (*threadHandler)(message, wParam, lParam)) return *answer;
  }
  return plat::DefWindowProcA(hwnd, message, wParam, lParam);
}

// Classes belong to the process; every class made here shares the one
// procedure, so windows of different helpers never take each other's.
void RegisterOnce(const std::string& className) {
  static std::mutex mu;
  static std::set<std::string> registered;
  std::lock_guard lock(mu);
  if (registered.contains(className)) return;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowThreadProc;
  windowClass.lpszClassName = className.c_str();
  if (plat::RegisterClassA(&windowClass) != 0) registered.insert(className);
}

}  // namespace

WindowThread::WindowThread(const std::string& className, const std::string& title,
                           WindowHandler handler) {
  RegisterOnce(className);
  plat::Event* created = plat::CreateEventA(nullptr, false, false, nullptr);
  thread_ = plat::StartThread([this, created, className, title, handler = std::move(handler)] {
    threadHandler = &handler;
    hwnd_ = plat::CreateWindowA(className.c_str(), title.c_str(), 0, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
    plat::SetEvent(created);
    plat::MSG message;
    while (hwnd_ && plat::GetMessageA(&message, nullptr, 0, 0)) plat::DispatchMessageA(&message);
    threadHandler = nullptr;
  });
  plat::WaitForSingleObject(created, plat::INFINITE);
  plat::CloseHandle(created);
}

WindowThread::~WindowThread() {
  if (plat::IsWindow(hwnd_)) plat::PostMessageA(hwnd_, plat::WM_CLOSE, 0, 0);
  thread_.join();
}

}  // namespace testsupport
