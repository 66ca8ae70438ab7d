#pragma once
// Fast pixel primitives on a bitmap, shared by the shapes, lines and text.
// Every primitive clips to the bitmap. An Ink is a colour already converted
// to the bitmap's format, so inner loops store words or bits without lookups.

#include <cstdint>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/types.h"

namespace plat {

struct Ink {
  std::uint32_t word = 0;  // 32-bit bitmaps: the stored word 0x00RRGGBB
  bool white = false;      // monochrome bitmaps: the bit
};

// The stored word of a COLORREF: 0x00BBGGRR becomes 0x00RRGGBB.
constexpr std::uint32_t ColorToWord(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
// The COLORREF of a stored word; the top byte is dropped.
constexpr COLORREF WordToColor(std::uint32_t w) {
  return ((w & 0xFF) << 16) | (w & 0xFF00) | ((w >> 16) & 0xFF);
}

// Ink for pens, brushes and text. On a monochrome bitmap exact black is 0 and
// exact white 1; any other colour takes the back colour's bit when it equals
// the back colour, else the opposite bit.
Ink InkFor(const Bitmap& bitmap, COLORREF color, COLORREF bkColor);

// The nearer of black and white (ties to white), as SetPixel stores on mono.
bool NearestMono(COLORREF color);

// Stores one pixel; nothing outside the bitmap.
void PlotPixel(Bitmap& bitmap, int x, int y, Ink ink);

// Fills [x0, x1) of row y.
void FillSpan(Bitmap& bitmap, int y, int x0, int x1, Ink ink);

// Fills [left, right) x [top, bottom); nothing when empty.
void FillBox(Bitmap& bitmap, int left, int top, int right, int bottom, Ink ink);

// Row y from x: for each of count bits of mask (most significant bit first,
// starting at bit firstBit of mask[0]), a set bit stores ink. The layout of
// 1-bit glyph rows.
void PlotMaskRow(Bitmap& bitmap, int x, int y, const std::uint8_t* mask, int firstBit,
                 int count, Ink ink);

// Reads a pixel as a word (colour) or 0 / 0x00FFFFFF (mono); the caller checks bounds.
std::uint32_t ReadWord(const Bitmap& bitmap, int x, int y);

}  // namespace plat
