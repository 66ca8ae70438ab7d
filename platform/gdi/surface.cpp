#include "platform/gdi/surface.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

// Sets or clears bits [x0, x1) of a monochrome row, a byte at a time in the middle.
void FillMonoSpan(std::uint8_t* row, int x0, int x1, bool white) {
  const std::uint8_t fill = white ? 0xFF : 0x00;
  auto paint = [&](int byte, std::uint8_t mask) {
    row[byte] = white ? std::uint8_t(row[byte] | mask) : std::uint8_t(row[byte] & ~mask);
  };
  const int firstByte = x0 >> 3;
  const int lastByte = (x1 - 1) >> 3;
  const std::uint8_t headMask = std::uint8_t(0xFF >> (x0 & 7));
  const std::uint8_t tailMask = std::uint8_t(0xFF << (7 - ((x1 - 1) & 7)));
  if (firstByte == lastByte) {
    paint(firstByte, headMask & tailMask);
    return;
  }
  paint(firstByte, headMask);
  if (lastByte - firstByte > 1) std::memset(row + firstByte + 1, fill, lastByte - firstByte - 1);
  paint(lastByte, tailMask);
}

}  // namespace

bool NearestMono(COLORREF color) {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  const int toBlack = r * r + g * g + b * b;
  const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
  return toWhite <= toBlack;
}

Ink InkFor(const Bitmap& bitmap, COLORREF color, COLORREF bkColor) {
  Ink ink;
  color &= 0xFFFFFF;
  bkColor &= 0xFFFFFF;
  if (!bitmap.mono()) {
    ink.word = ColorToWord(color);
    return ink;
  }
  if (color == kBlack) {
    ink.white = false;
  } else if (color == kWhite) {
    ink.white = true;
  } else {
    const bool bkWhite = bkColor == kBlack   ? false
                         : bkColor == kWhite ? true
                                             : NearestMono(bkColor);
    ink.white = color == bkColor ? bkWhite : !bkWhite;
  }
  ink.word = ink.white ? 0xFFFFFF : 0;
  return ink;
}

void PlotPixel(Bitmap& bitmap, int x, int y, Ink ink) {
  if (!bitmap.contains(x, y)) return;
  if (!bitmap.mono()) {
    bitmap.row32(y)[x] = ink.word;
    return;
  }
  std::uint8_t& byte = bitmap.row(y)[x >> 3];
  const std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
  byte = ink.white ? std::uint8_t(byte | bit) : std::uint8_t(byte & ~bit);
}

void FillSpan(Bitmap& bitmap, int y, int x0, int x1, Ink ink) {
  if (y < 0 || y >= bitmap.height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, bitmap.width());
  if (x0 >= x1) return;
  if (bitmap.mono()) {
    FillMonoSpan(bitmap.row(y), x0, x1, ink.white);
  } else {
    std::fill(bitmap.row32(y) + x0, bitmap.row32(y) + x1, ink.word);
  }
}

void FillBox(Bitmap& bitmap, int left, int top, int right, int bottom, Ink ink) {
  top = std::max(top, 0);
  bottom = std::min(bottom, bitmap.height());
  left = std::max(left, 0);
  right = std::min(right, bitmap.width());
  if (top >= bottom || left >= right) return;
  // Fill one row, then copy it: the copy runs at memory speed.
  FillSpan(bitmap, top, left, right, ink);
  if (bitmap.mono()) {
    for (int y = top + 1; y < bottom; ++y) FillSpan(bitmap, y, left, right, ink);
    return;
  }
  const std::size_t bytes = std::size_t(right - left) * 4;
  const std::uint32_t* first = bitmap.row32(top) + left;
  for (int y = top + 1; y < bottom; ++y) std::memcpy(bitmap.row32(y) + left, first, bytes);
}

void PlotMaskRow(Bitmap& bitmap, int x, int y, const std::uint8_t* mask, int firstBit, int count,
                 Ink ink) {
  if (y < 0 || y >= bitmap.height() || count <= 0) return;
  // Skip the part left of the bitmap and stop at its right edge.
  const int begin = int(std::clamp<std::int64_t>(-std::int64_t(x), 0, count));
  const int end = int(std::clamp<std::int64_t>(std::int64_t(bitmap.width()) - x, 0, count));
  for (int i = begin; i < end; ++i) {
    const int bit = firstBit + i;
    if (mask[bit >> 3] & (0x80 >> (bit & 7))) PlotPixel(bitmap, x + i, y, ink);
  }
}

std::uint32_t ReadWord(const Bitmap& bitmap, int x, int y) {
  if (!bitmap.mono()) return bitmap.row32(y)[x];
  return (bitmap.row(y)[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0;
}

}  // namespace plat
