#pragma once
// Window handles, messages and the structures that travel with them, with
// the Win32 names and values the programs are written against. Word sizes
// follow 64-bit Windows: WPARAM and LPARAM hold a pointer.

#include <cstdint>

#include "platform/sys/geometry.h"

namespace plat {

struct HWND__;
using HWND = HWND__*;
using HINSTANCE = void*;
using HMENU = void*;
using UINT = unsigned;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using ATOM = uint16_t;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_COPYDATA = 0x004A;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_USER = 0x0400;

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// SetWindowLongPtrA / GetWindowLongPtrA: the window's user data, the one
// slot kept here.
inline constexpr int GWLP_USERDATA = -21;

// Timer intervals below this are raised to it.
inline constexpr UINT USER_TIMER_MINIMUM = 10;

// Virtual-key codes the platform itself interprets.
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CAPITAL = 0x14;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_NUMPAD0 = 0x60;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  uint32_t time;
  POINT pt;
};

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  void* hIcon;
  void* hCursor;
  void* hbrBackground;
  const char* lpszMenuName;
  const char* lpszClassName;
};

struct CREATESTRUCTA {
  void* lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  long style;
  const char* lpszName;
  const char* lpszClass;
  uint32_t dwExStyle;
};

// WM_COPYDATA's lParam. The cbData bytes at lpData reach the receiver
// intact, also in another process; they are valid only during the call.
struct COPYDATASTRUCT {
  uintptr_t dwData;
  uint32_t cbData;
  void* lpData;
};

}  // namespace plat
