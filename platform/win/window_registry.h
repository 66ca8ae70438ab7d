#pragma once
// The process's table of window classes and windows. A handle names either
// a window of this process or a window of another process found by
// FindWindowA (a remote window, reached through its socket). Handles are
// never reused, so a handle of a destroyed window stays invalid.

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/types.h"

namespace plat {

class ThreadQueue;

struct WindowRecord {
  HWND hwnd = nullptr;
  std::string className;
  std::string title;
  WNDPROC proc = nullptr;
  // Local windows: the owner thread's queue.
  std::shared_ptr<ThreadQueue> queue;
  // Local windows: our socket ("" when other processes cannot reach it).
  // Remote windows: the peer's socket.
  std::string endpoint;
  // Remote windows: the process listening on `endpoint`.
  pid_t peer = 0;
  // Set by the owner thread while WM_DESTROY runs.
  bool destroying = false;
  // Local windows: GWLP_USERDATA, read and written from any thread.
  std::atomic<LONG_PTR> userData{0};

  bool IsRemote() const { return peer != 0; }
};

bool RegisterWindowClass(const std::string& name, WNDPROC proc);
WNDPROC WindowClassProc(const std::string& name);

std::shared_ptr<WindowRecord> LookupWindow(HWND hwnd);
// Adds a window and gives it its handle.
HWND InsertWindow(std::shared_ptr<WindowRecord> record);
void EraseWindow(HWND hwnd);

// The first-created local window matching class and title (null: any).
HWND FindLocalWindow(const char* className, const char* title);

// The handle for the remote window at `endpoint` in process `peer`.
HWND RemoteWindowHandle(const std::string& endpoint, pid_t peer);

// The local windows owned by `queue`.
std::vector<HWND> WindowsOwnedBy(const ThreadQueue* queue);

// Calls the procedure of a local window; 0 for anything else.
LRESULT CallWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plat
