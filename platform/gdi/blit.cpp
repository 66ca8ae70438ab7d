#include "platform/gdi/blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/rop.h"
#include "platform/gdi/surface.h"

namespace plat {

namespace {

// The part of a transfer that lies inside both bitmaps, as offsets into the
// requested width and height: [i0, i1) x [j0, j1).
struct Window {
  int i0, i1, j0, j1;
  bool empty() const { return i0 >= i1 || j0 >= j1; }
};

// Clips one axis of an unscaled transfer.
void ClipAxis(int pos, int len, int dstSize, int srcPos, int srcSize, bool hasSource, int& lo,
              int& hi) {
  std::int64_t l = std::max<std::int64_t>(0, -std::int64_t(pos));
  std::int64_t h = std::min<std::int64_t>(len, std::int64_t(dstSize) - pos);
  if (hasSource) {
    l = std::max<std::int64_t>(l, -std::int64_t(srcPos));
    h = std::min<std::int64_t>(h, std::int64_t(srcSize) - srcPos);
  }
  lo = int(std::clamp<std::int64_t>(l, 0, len));
  hi = int(std::clamp<std::int64_t>(h, 0, len));
}

// Source pixels in the destination's format: colour words for a colour
// destination, all-ones or zero for a monochrome one.
class SourceReader {
 public:
  SourceReader(const DC& dst, const Bitmap& src, COLORREF srcBkColor)
      : src_(src),
        dstMono_(dst.bitmap->mono()),
        textWord_(ColorToWord(dst.textColor)),
        bkWord_(ColorToWord(dst.bkColor)),
        srcBkWord_(ColorToWord(srcBkColor)) {}

  std::uint32_t at(int x, int y) const {
    if (src_.mono()) {
      const bool white = src_.row(y)[x >> 3] & (0x80 >> (x & 7));
      if (dstMono_) return white ? ~0u : 0u;
      return white ? bkWord_ : textWord_;
    }
    const std::uint32_t word = src_.row32(y)[x];
    if (dstMono_) return word == srcBkWord_ ? ~0u : 0u;
    return word;
  }

  // Reads n pixels of row y, the k-th from column columns[k] (or x + k).
  void Row(int y, int x, const int* columns, int n, std::uint32_t* out) const {
    if (!columns && !src_.mono() && !dstMono_) {
      std::memcpy(out, src_.row32(y) + x, std::size_t(n) * 4);
      return;
    }
    for (int k = 0; k < n; ++k) out[k] = at(columns ? columns[k] : x + k, y);
  }

 private:
  const Bitmap& src_;
  bool dstMono_;
  std::uint32_t textWord_;
  std::uint32_t bkWord_;
  std::uint32_t srcBkWord_;
};

// Combines n source words into row y of the destination from column x.
void WriteRow(Bitmap& dst, int x, int y, const std::uint32_t* src, int n, Rop rop,
              std::vector<std::uint32_t>& scratch) {
  if (!dst.mono()) {
    ApplyRop(rop, dst.row32(y) + x, src, n);
    return;
  }
  scratch.resize(std::size_t(n));
  for (int k = 0; k < n; ++k) scratch[k] = ReadWord(dst, x + k, y) ? ~0u : 0u;
  ApplyRop(rop, scratch.data(), src, n);
  for (int k = 0; k < n; ++k) {
    Ink ink;
    ink.white = scratch[k] & 1;
    PlotPixel(dst, x + k, y, ink);
  }
}

// Row buffers of the transfers that convert or combine pixels, kept per
// thread so a blit allocates nothing once they have grown (at most a row of
// the widest bitmap each).
struct RowBuffers {
  std::vector<std::uint32_t> row, scratch;
};

RowBuffers& Buffers(int n) {
  thread_local RowBuffers buffers;
  if (buffers.row.size() < std::size_t(n)) buffers.row.resize(std::size_t(n));
  return buffers;
}

void InvertArea(Bitmap& dst, int x, int y, const Window& w) {
  std::vector<std::uint32_t>& scratch = Buffers(0).scratch;
  for (int j = w.j0; j < w.j1; ++j) {
    WriteRow(dst, x + w.i0, y + j, nullptr, w.i1 - w.i0, Rop::kDstInvert, scratch);
  }
}

// Unscaled transfer of the window; rows run bottom-up when a bitmap copies
// onto itself further down, so every source row is read before it is written.
void CopyArea(const DC& dstDc, int x, int y, const DC& srcDc, int sx, int sy, const Window& w,
              Rop rop) {
  Bitmap& dst = *dstDc.bitmap;
  const Bitmap& src = *srcDc.bitmap;
  const int n = w.i1 - w.i0;
  const int rows = w.j1 - w.j0;
  const bool colour = !dst.mono() && !src.mono();
  const bool same = &dst == &src;
  if (colour && rop == Rop::kCopy && n == dst.width() && n == src.width()) {
    // Whole rows lie back to back in both: one move, overlap included.
    std::memmove(dst.row32(y + w.j0), src.row32(sy + w.j0), std::size_t(n) * 4 * std::size_t(rows));
    return;
  }
  // Colour onto another colour bitmap combines straight from the source row.
  const bool direct = colour && (rop == Rop::kCopy || !same);
  const bool upward = same && y > sy;
  if (direct) {
    const int first = upward ? w.j1 - 1 : w.j0;
    const std::ptrdiff_t step = upward ? -1 : 1;
    std::uint32_t* const to = dst.row32(y + first) + x + w.i0;
    const std::uint32_t* const from = src.row32(sy + first) + sx + w.i0;
    const std::ptrdiff_t toStep = step * dst.stride() / 4;
    const std::ptrdiff_t fromStep = step * src.stride() / 4;
    for (std::ptrdiff_t k = 0; k < rows; ++k) {
      if (rop == Rop::kCopy) {
        std::memmove(to + k * toStep, from + k * fromStep, std::size_t(n) * 4);
      } else {
        ApplyRop(rop, to + k * toStep, from + k * fromStep, n);
      }
    }
    return;
  }
  SourceReader reader(dstDc, src, srcDc.bkColor);
  RowBuffers& buffers = Buffers(n);
  for (int k = 0; k < rows; ++k) {
    const int j = upward ? w.j1 - 1 - k : w.j0 + k;
    reader.Row(sy + j, sx + w.i0, nullptr, n, buffers.row.data());
    WriteRow(dst, x + w.i0, y + j, buffers.row.data(), n, rop, buffers.scratch);
  }
}

// Source coordinate of destination offset i when len pixels map onto srcLen:
// the source pixel under the destination pixel's centre.
int Scale(int i, int len, int srcLen) {
  return int((__int128(2) * i + 1) * srcLen / (2 * std::int64_t(len)));
}

// Destination offsets [lo, hi) of one axis whose pixel lies inside the
// destination and whose scaled source pixel lies inside the source.
void ClipScaledAxis(int pos, int len, int dstSize, int srcPos, int srcLen, int srcSize, int& lo,
                    int& hi) {
  ClipAxis(pos, len, dstSize, 0, 0, false, lo, hi);
  while (lo < hi && std::int64_t(srcPos) + Scale(lo, len, srcLen) < 0) ++lo;
  while (hi > lo && std::int64_t(srcPos) + Scale(hi - 1, len, srcLen) >= srcSize) --hi;
}

}  // namespace

int BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  const auto op = RopFromCode(rop);
  if (dst == nullptr || !op) return 0;
  if (width <= 0 || height <= 0) return 1;
  Window w;
  const Bitmap& target = *dst->bitmap;
  if (*op == Rop::kDstInvert) {
    ClipAxis(x, width, target.width(), 0, 0, false, w.i0, w.i1);
    ClipAxis(y, height, target.height(), 0, 0, false, w.j0, w.j1);
    if (!w.empty()) InvertArea(*dst->bitmap, x, y, w);
    return 1;
  }
  if (src == nullptr) return 0;
  const Bitmap& source = *src->bitmap;
  ClipAxis(x, width, target.width(), srcX, source.width(), true, w.i0, w.i1);
  ClipAxis(y, height, target.height(), srcY, source.height(), true, w.j0, w.j1);
  if (!w.empty()) CopyArea(*dst, x, y, *src, srcX, srcY, w, *op);
  return 1;
}

int StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
               int srcWidth, int srcHeight, DWORD rop) {
  if (width == srcWidth && height == srcHeight) {
    return BitBlt(dst, x, y, width, height, src, srcX, srcY, rop);
  }
  const auto op = RopFromCode(rop);
  if (dst == nullptr || !op || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0) return 0;
  if (*op == Rop::kDstInvert) return BitBlt(dst, x, y, width, height, nullptr, 0, 0, rop);
  if (src == nullptr) return 0;
  if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return 1;
  Bitmap& target = *dst->bitmap;
  const Bitmap& source = *src->bitmap;
  Window w;
  ClipScaledAxis(x, width, target.width(), srcX, srcWidth, source.width(), w.i0, w.i1);
  ClipScaledAxis(y, height, target.height(), srcY, srcHeight, source.height(), w.j0, w.j1);
  if (w.empty()) return 1;
  // A bitmap stretched onto itself reads from a copy of its own pixels.
  std::unique_ptr<Bitmap> copy;
  if (&source == &target) {
    try {
      copy = std::make_unique<Bitmap>(source.width(), source.height(), source.bitsPerPixel());
    } catch (const std::bad_alloc&) {
      return 0;
    }
    std::memcpy(copy->bits(), source.bits(), source.byteSize());
  }
  const int n = w.i1 - w.i0;
  std::vector<int> columns(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) columns[k] = srcX + Scale(w.i0 + k, width, srcWidth);
  SourceReader reader(*dst, copy ? *copy : source, src->bkColor);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(n)), scratch;
  for (int j = w.j0; j < w.j1; ++j) {
    reader.Row(srcY + Scale(j, height, srcHeight), 0, columns.data(), n, row.data());
    WriteRow(target, x + w.i0, y + j, row.data(), n, *op, scratch);
  }
  return 1;
}

}  // namespace plat
