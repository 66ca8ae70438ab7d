#pragma once
// Basic value types and constants of the drawing interface: colours,
// rectangles, points, raster operations, pen and brush styles.

#include <cstdint>

#include "platform/sys/geometry.h"

namespace plat {

using DWORD = std::uint32_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;

// 0x00BBGGRR, as the device code writes colours.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE(c >> 16); }

// GetPixel's answer outside the bitmap; SetPixel's answer when nothing was set.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct RECT {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct SIZE {
  int cx = 0;
  int cy = 0;
};

// What GetObjectA reports for a bitmap.
struct BITMAP {
  int bmType = 0;
  int bmWidth = 0;
  int bmHeight = 0;
  int bmWidthBytes = 0;  // bytes per row: 16-bit padded for 1 bpp, 4 * width for 32 bpp
  WORD bmPlanes = 1;
  WORD bmBitsPixel = 0;  // 1 or 32
  void* bmBits = nullptr;
};

// Back modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations of BitBlt and StretchBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD DSTINVERT = 0x00550009;

// Pen styles (cosmetic pens of width 1).
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;

// Brush styles.
constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
constexpr int BS_HOLLOW = BS_NULL;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

// Object kinds, as GetObjectType answers.
constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;

}  // namespace plat
