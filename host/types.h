#pragma once
// Shared types of the Device API: the Message, the Canvas (also the record
// of the screen), the ImageRef descriptor and the DateTime record.

#include <cstdint>

#include "platform/gdi/gdi.h"
#include "platform/win/types.h"

// One input or timer event: three unsigned 32-bit words.
struct Message {
  uint32_t type;
  uint32_t wParam;
  uint32_t lParam;
};

// Message types the host makes.
inline constexpr uint32_t MsgKeyDown = 256;
inline constexpr uint32_t MsgKeyUp = 257;
inline constexpr uint32_t MsgChar = 258;
inline constexpr uint32_t MsgTimer = 275;
inline constexpr uint32_t MsgMouseDown = 513;
inline constexpr uint32_t MsgMouseUp = 514;
inline constexpr uint32_t MsgMouseDouble = 515;
// A block from the other side of a network game arrived (host/net.h):
// wParam 0, lParam the block's number.
inline constexpr uint32_t MsgNetData = 1127;

// An off-screen drawing surface; `hostScreen` describes the screen with the
// same fields, and a null Canvas* in the drawing calls means the screen.
struct Canvas {
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel;
  uint32_t byteSize;     // 0 for a canvas; the back buffer's size for the screen
  plat::HDC dc;
  plat::HBITMAP bitmap;
  plat::HWND window;     // null for a canvas; the viewer's window for the screen
  void* pixels;          // null for a canvas; the shared block's view for the screen
};

// A loaded picture, passed by value to the image calls.
struct ImageRef {
  int32_t width;
  int32_t height;
  uint32_t flags;        // bit 31: loaded; bit 0: has a mask
  plat::HBITMAP bitmap;  // colour bitmap, or null
  plat::HBITMAP mask;    // monochrome mask, or null
};

inline constexpr uint32_t kImageLoaded = 0x80000000u;
inline constexpr uint32_t kImageMasked = 0x00000001u;

struct DateTime {
  uint8_t second;
  uint8_t minute;
  uint8_t hour;
  uint8_t day;
  uint8_t month;      // 0 is January
  uint8_t weekday;    // 0 is Sunday
  uint16_t dayOfYear; // 0 is 1 January
  uint16_t year;      // years since 1900
};
