#pragma once
// Reaching windows of other processes (see wire.h). Each thread keeps its own
// connection to each remote window it addresses, so its posts arrive in
// order and its sends and their replies never mix with another thread's.

#include "platform/win/types.h"

namespace plat {

struct WindowRecord;

// Connects to the window (class, title) of another process of this
// instance; null when none is alive.
HWND FindRemoteWindow(const char* className, const char* title);

// Whether the remote window's process still listens for it.
bool RemoteWindowAlive(const WindowRecord& window);

// False when the peer is gone or the message cannot cross processes
// (WM_COPYDATA must be sent).
bool RemotePost(const WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam);

// Blocks until the peer's window procedure returned, handling messages sent
// to the caller's windows meanwhile. `delivered` is false (and the result 0)
// when the peer is gone or dies before answering.
LRESULT RemoteSend(const WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam,
                   bool* delivered);

}  // namespace plat
