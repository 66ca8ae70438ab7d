#include "platform/gdi/bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/gdi/dc.h"

namespace plat {

namespace {

int StrideFor(int width, int bitsPerPixel) {
  // Monochrome rows are padded to whole 16-bit words, as GetBitmapBits reports them.
  return bitsPerPixel == 1 ? (width + 15) / 16 * 2 : width * 4;
}

}  // namespace

Bitmap::Bitmap(int w, int h, int bitsPerPixel)
    : GdiObject(OBJ_BITMAP),
      width_(w),
      height_(h),
      bpp_(bitsPerPixel),
      stride_(StrideFor(w, bitsPerPixel)),
      bits_(std::size_t(stride_) * std::size_t(h)) {}

HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                     const void* bits) {
  if (planes != 1 || width < 0 || height < 0) return nullptr;
  if (width > kMaxBitmapSide || height > kMaxBitmapSide) return nullptr;
  if (std::int64_t(width) * height > kMaxBitmapPixels) return nullptr;
  int depth;
  if (bitsPerPixel == 1) {
    depth = 1;
  } else if (bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32) {
    depth = 32;
  } else {
    return nullptr;
  }
  Bitmap* bitmap;
  try {
    bitmap = new Bitmap(width, height, depth);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (bits && bitmap->byteSize() > 0) std::memcpy(bitmap->bits(), bits, bitmap->byteSize());
  return bitmap;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  // Without a DC the display is meant, and the display is 32-bit.
  const unsigned depth = dc ? unsigned(dc->bitmap->bitsPerPixel()) : 32u;
  return CreateBitmap(width, height, 1, depth, nullptr);
}

long GetBitmapBits(HBITMAP bitmap, long cb, void* out) {
  if (bitmap == nullptr || out == nullptr || cb <= 0) return 0;
  const std::size_t n = std::min(std::size_t(cb), bitmap->byteSize());
  if (n > 0) std::memcpy(out, bitmap->bits(), n);
  return long(n);
}

long SetBitmapBits(HBITMAP bitmap, long cb, const void* in) {
  if (bitmap == nullptr || in == nullptr || cb <= 0) return 0;
  const std::size_t n = std::min(std::size_t(cb), bitmap->byteSize());
  if (n > 0) std::memcpy(bitmap->bits(), in, n);
  return long(n);
}

}  // namespace plat
