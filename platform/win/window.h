#pragma once
// Window classes and windows. Windows are never shown: they exist to receive
// messages, from this process and from others of the same instance (see
// wire.h). The thread that creates a window owns it and runs its procedure.

#include "platform/win/types.h"

namespace plat {

// Registers a class by name and window procedure; 0 when the name is taken
// or the class lacks a name or procedure.
ATOM RegisterClassA(const WNDCLASSA* windowClass);

// Creates a window of a registered class and delivers WM_CREATE (lParam: a
// CREATESTRUCTA) before returning; a procedure answering -1 makes creation
// fail. Position, size, style, parent and menu are kept by nobody. The
// window joins the instance, so other processes find it by class and title;
// if another process already has a window of that class and title, this one
// is reachable only from its own process. Null when the class is unknown or
// the instance folder is unusable.
HWND CreateWindowA(const char* className, const char* title, uint32_t style, int x, int y,
                   int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                   void* parameter);

// Sends WM_DESTROY and removes the window, its timers and queued messages.
// Only the owner thread may destroy a window.
bool DestroyWindow(HWND hwnd);

// Default processing: WM_CLOSE destroys the window; everything else gives 0.
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window of this process, or one of another process of the same instance
// that was alive when found. Null class or title matches any, among this
// process's windows only.
HWND FindWindowA(const char* className, const char* title);

// A live window of this process, or a remote window whose process still
// has it.
bool IsWindow(HWND hwnd);

// The window's user data (index GWLP_USERDATA), 0 until set: how a window
// procedure finds the object behind its window, typically set from
// CREATESTRUCTA::lpCreateParams in WM_CREATE. Set returns the previous value.
// Any thread of the process may use them; windows of other processes, other
// indexes and destroyed windows give 0 and keep nothing.
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);

// Removes a window without calling its procedure (its thread has ended).
void ReleaseWindow(HWND hwnd);

}  // namespace plat
