#pragma once
// A window of a given class and title on a thread of its own that runs its
// message loop: how a test stands in for another program's window (a
// companion the host finds by class and title). The thread is started with
// StartThread, so it takes part in the clock and in WaitUntilIdle.

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/win/types.h"

namespace testsupport {

// Runs on the window's thread for every message but WM_CREATE and
// WM_DESTROY. Returns the answer, or nullopt for the default handling
// (WM_CLOSE destroys the window, which ends the thread).
using WindowHandler =
    std::function<std::optional<plat::LRESULT>(plat::UINT, plat::WPARAM, plat::LPARAM)>;

class WindowThread {
 public:
  // Returns once the window exists, or its creation failed (hwnd() null).
  WindowThread(const std::string& className, const std::string& title, WindowHandler handler);
  // Closes the window if it is still open and ends its thread.
  ~WindowThread();
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  plat::HWND hwnd() const { return hwnd_; }

 private:
  plat::HWND hwnd_ = nullptr;
  std::thread thread_;
};

}  // namespace testsupport
