#pragma once
// A window on a thread of its own that runs a message loop, with the window
// procedure given as a function. The thread is started with StartThread, so
// it takes part in the clock.

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/win/types.h"

namespace plat::testing {

// Returns a result to answer the message, nullopt for the default handling
// (WM_CLOSE destroys the window, WM_DESTROY ends the loop).
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class LoopThread {
 public:
  explicit LoopThread(Handler handler, std::string title = {});
  // Closes the window (if it still exists) and joins the thread.
  ~LoopThread();
  LoopThread(const LoopThread&) = delete;
  LoopThread& operator=(const LoopThread&) = delete;

  HWND hwnd() const { return hwnd_; }
  std::thread::id threadId() const { return thread_.get_id(); }
  const std::string& title() const { return title_; }

 private:
  std::string title_;
  HWND hwnd_ = nullptr;
  std::thread thread_;
};

// The window procedure of every test window: calls the creating thread's
// handler.
LRESULT HandlerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "HandlerClass" for HandlerProc (once per process).
const char* HandlerClass();

// Creates a HandlerClass window on the calling thread.
HWND CreateHandlerWindow(const std::string& title, Handler handler);

}  // namespace plat::testing
