#pragma once
// Bitmaps: 32-bit colour (bytes blue, green, red, 0 per pixel) and 1-bit
// monochrome (most significant bit leftmost, rows padded to 16 bits, 1 = white).
// Rows are stored top to bottom in the layout GetBitmapBits returns, so that
// call and the fast paths are plain copies.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/object.h"

namespace plat {

struct Bitmap final : GdiObject {
  // Use CreateBitmap; the constructor assumes checked, allocatable sizes.
  Bitmap(int w, int h, int bitsPerPixel);

  int width() const { return width_; }
  int height() const { return height_; }
  int bitsPerPixel() const { return bpp_; }
  bool mono() const { return bpp_ == 1; }
  // Bytes per row: 4 * width for colour, width rounded up to 16 bits for mono.
  int stride() const { return stride_; }
  std::size_t byteSize() const { return bits_.size(); }

  std::uint8_t* bits() { return bits_.data(); }
  const std::uint8_t* bits() const { return bits_.data(); }
  std::uint8_t* row(int y) { return bits_.data() + std::size_t(y) * std::size_t(stride_); }
  const std::uint8_t* row(int y) const {
    return bits_.data() + std::size_t(y) * std::size_t(stride_);
  }
  // Colour bitmaps only: the row as 32-bit words 0x00RRGGBB.
  std::uint32_t* row32(int y) { return reinterpret_cast<std::uint32_t*>(row(y)); }
  const std::uint32_t* row32(int y) const {
    return reinterpret_cast<const std::uint32_t*>(row(y));
  }

  bool contains(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

 private:
  int width_;
  int height_;
  int bpp_;
  int stride_;
  std::vector<std::uint8_t> bits_;  // 4-byte aligned by the allocator
};

// Largest width or height a bitmap may have, and largest pixel count.
constexpr int kMaxBitmapSide = 32768;
constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 26;

// planes must be 1; bitsPerPixel 1 or 32 (24 and 16 are taken as 32).
// bits, when given, holds the rows top to bottom in GetBitmapBits layout.
// Null for negative or too large sizes or an unsupported depth. 0 x 0 is fine.
HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                     const void* bits);

// A bitmap in the format of the bitmap selected in dc (a fresh memory DC holds
// a 1x1 monochrome bitmap, so this then makes a monochrome one). Contents zero.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

// Copies up to cb bytes of the rows, top to bottom; answers the bytes copied.
long GetBitmapBits(HBITMAP bitmap, long cb, void* out);

// Overwrites up to cb bytes of the rows; answers the bytes copied.
long SetBitmapBits(HBITMAP bitmap, long cb, const void* in);

}  // namespace plat
