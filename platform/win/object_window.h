#pragma once
// Windows that stand for objects: the object is the creation parameter, kept
// in the window's user data (GWLP_USERDATA), and the class's procedure hands
// every later message to the object's
//
//   LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
//
// so a program's windows need no file-scope pointers.

#include "platform/win/message.h"
#include "platform/win/window.h"

namespace plat {

template <class Object>
LRESULT ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return 0;
  }
  auto* object = reinterpret_cast<Object*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!object) return DefWindowProcA(hwnd, message, wParam, lParam);
  return object->Handle(hwnd, message, wParam, lParam);
}

// Registers `className` for Object's windows (once per process) and creates
// a window of it for `object` on the calling thread; null on failure.
template <class Object>
HWND CreateObjectWindow(const char* className, const char* title, Object* object) {
  static const bool registered = [className] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ObjectWindowProc<Object>;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowA(className, title, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, object);
}

// Dispatches the calling thread's messages until WM_QUIT, then destroys
// `window`.
inline void RunWindowUntilQuit(HWND window) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  DestroyWindow(window);
}

}  // namespace plat
