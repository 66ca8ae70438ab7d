#pragma once
// Windows whose procedure is a function given by the test: made on the
// calling thread, or on a thread of their own that runs the message loop
// (how a test stands in for another program's window, found by class and
// title). Threads are started with StartThread, so they take part in the
// clock and in WaitUntilIdle.

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/win/types.h"

namespace testsupport {

// Runs on the window's thread for every message, WM_CREATE included. An
// answer ends the message there; nullopt gives the default handling (WM_CLOSE
// destroys the window, and WM_DESTROY ends the loop of a WindowThread).
using WindowHandler =
    std::function<std::optional<plat::LRESULT>(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM)>;

inline constexpr char kHandlerClass[] = "HandlerClass";

// A window of `className` (registered at the first use of the name) on the
// calling thread, handled by `handler` (null: default handling only).
plat::HWND CreateHandlerWindow(const std::string& title, WindowHandler handler,
                               const std::string& className = kHandlerClass);

class WindowThread {
 public:
  // Returns once the window exists, or its creation failed (hwnd() null). An
  // empty title is replaced by one no other WindowThread has.
  explicit WindowThread(WindowHandler handler, std::string title = {},
                        const std::string& className = kHandlerClass);
  // Closes the window if it is still open and ends its thread.
  ~WindowThread();
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  plat::HWND hwnd() const { return hwnd_; }
  const std::string& title() const { return title_; }
  std::thread::id threadId() const { return thread_.get_id(); }

 private:
  std::string title_;
  plat::HWND hwnd_ = nullptr;
  std::thread thread_;
};

}  // namespace testsupport
