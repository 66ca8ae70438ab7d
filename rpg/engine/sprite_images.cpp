#include "rpg/engine/sprite_images.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "host/canvas.h"
#include "host/res.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/mono_image.h"

namespace {

// Frames kept at once: a few sheets of twelve frames.
constexpr std::size_t kMaxFrames = 96;
constexpr int32_t kOpaque = 0;
constexpr int32_t kMasked = 1;

// A frame's images: depth 1 one opaque picture; depth 2 `mask`, black where
// the frame draws and white elsewhere, ANDed in, then `picture`, black
// where the frame leaves the pixel, ORed in. Both are colour bitmaps, so
// both passes copy whole rows. Only the box holding the pixels the frame
// draws is ever copied.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

struct Entry {
  const uint8_t* from = nullptr;
  std::vector<uint8_t> source;  // the bits the images were made from
  int width = 0;
  int depth = 0;
  int rows = 0;
  Box drawn;
  ImageRef picture{};
  ImageRef mask{};
};

// In static storage, as the tile set's bitmap is: images not yet released
// at exit stay reachable.
std::array<Entry, kMaxFrames> entries;
std::size_t used = 0;
std::size_t nextReplaced = 0;

std::span<Entry> Used() { return std::span(entries).first(used); }

std::size_t RowBytes(int width, int depth) {
  return std::size_t(width + 7) / 8 * (depth == 2 ? 2 : 1);
}

void FreeImages(Entry& e) {
  ImageFree(&e.picture);
  ImageFree(&e.mask);
  e.picture = {};
  e.mask = {};
}

// Splits depth-2 rows into the mask's and the picture's 1-bit rows and finds
// the box of the pixels drawn.
void SplitMasked(Entry& e, std::vector<uint8_t>& mask, std::vector<uint8_t>& picture) {
  e.drawn = {e.width, e.rows, 0, 0};
  const std::size_t monoBytes = std::size_t(e.width + 7) / 8;
  mask.assign(monoBytes * std::size_t(e.rows), 0);
  picture.assign(mask.size(), 0);
  for (int r = 0; r < e.rows; ++r) {
    const uint8_t* row = e.source.data() + std::size_t(r) * monoBytes * 2;
    for (int c = 0; c < e.width; ++c) {
      const int value = (row[c / 4] >> (6 - 2 * (c % 4))) & 3;
      const std::size_t at = std::size_t(r) * monoBytes + std::size_t(c / 8);
      const uint8_t bit = uint8_t(0x80 >> (c % 8));
      if (value != 0) picture[at] |= bit;
      if (value >= 2) continue;
      mask[at] |= bit;
      e.drawn = {std::min(e.drawn.left, c), std::min(e.drawn.top, r),
                 std::max(e.drawn.right, c + 1), std::max(e.drawn.bottom, r + 1)};
    }
  }
}

bool MakeImages(Entry& e) {
  if (e.rows == 0) return false;
  e.drawn = {0, 0, e.width, e.rows};
  if (e.depth != 2) return MakeMonoImage(&e.picture, e.width, e.rows, e.source) == 1;
  std::vector<uint8_t> mask, picture;
  SplitMasked(e, mask, picture);
  return MakeMonoImage(&e.mask, e.width, e.rows, mask) == 1 &&
         MakeMonoImage(&e.picture, e.width, e.rows, picture) == 1;
}

bool Matches(const Entry& e, const FrameBits& f) {
  return e.from == f.bits.data() && e.width == f.width && e.depth == f.depth &&
         e.source.size() == f.bits.size() &&
         std::memcmp(e.source.data(), f.bits.data(), f.bits.size()) == 0;
}

// The entry to (re)make for `f`: its old one when its bits changed, else a
// new one while there is room, else the oldest.
Entry& Slot(const FrameBits& f) {
  for (Entry& e : Used()) {
    if (e.from == f.bits.data() && e.width == f.width && e.depth == f.depth) return e;
  }
  if (used < kMaxFrames) return entries[used++];
  Entry& e = entries[nextReplaced];
  nextReplaced = (nextReplaced + 1) % kMaxFrames;
  return e;
}

// The frame's images, made when missing; null when they cannot be made.
const Entry* Cached(const FrameBits& f) {
  for (const Entry& e : Used()) {
    if (Matches(e, f)) return e.picture.bitmap ? &e : nullptr;
  }
  Entry& e = Slot(f);
  FreeImages(e);
  e.from = f.bits.data();
  e.source.assign(f.bits.begin(), f.bits.end());
  e.width = f.width;
  e.depth = f.depth;
  e.rows = int(f.bits.size() / RowBytes(f.width, f.depth));
  if (!MakeImages(e)) FreeImages(e);
  return e.picture.bitmap ? &e : nullptr;
}

// Without images: the area's rows, cut out a byte at a time, by BlitFrame.
void BlitArea(const FrameBits& f, int srcX, int srcY, int w, int h, int x, int y, Canvas* canvas) {
  const std::size_t stride = RowBytes(f.width, f.depth);
  const std::size_t rowBytes = RowBytes(w, f.depth);
  const std::size_t skip = RowBytes(srcX, f.depth);
  const int rows = std::min(h, int(f.bits.size() / stride) - srcY);
  if (rows <= 0 || skip + rowBytes > stride) return;
  std::vector<uint8_t> area;
  for (int r = 0; r < rows; ++r) {
    const uint8_t* row = f.bits.data() + std::size_t(srcY + r) * stride + skip;
    area.insert(area.end(), row, row + rowBytes);
  }
  BlitFrame(int16_t(x), int16_t(y), w, rows, f.depth, area, canvas);
}

}  // namespace

void DrawFrameArea(const FrameBits& frame, int srcX, int srcY, int w, int h, int x, int y,
                   Canvas* canvas) {
  w = std::min(w, frame.width - srcX);
  if (w <= 0 || h <= 0 || srcX < 0 || srcY < 0) return;
  const Entry* e = Cached(frame);
  if (!e) return BlitArea(frame, srcX, srcY, w, h, x, y, canvas);
  // The part of the area where the frame draws.
  const int left = std::max(srcX, e->drawn.left);
  const int top = std::max(srcY, e->drawn.top);
  const int right = std::min(srcX + w, e->drawn.right);
  const int bottom = std::min(srcY + h, e->drawn.bottom);
  if (right <= left || bottom <= top) return;
  // Depth 2: the mask ANDed in, then the picture ORed in, in one image call.
  ImageRef image = e->picture;
  if (e->depth == 2) image.mask = e->mask.bitmap;
  DrawImage(int16_t(x + left - srcX), int16_t(y + top - srcY), int16_t(right - left),
            int16_t(bottom - top), int16_t(left), int16_t(top), image, canvas,
            e->depth == 2 ? kMasked : kOpaque);
}

void ReleaseSpriteImages() {
  for (Entry& e : Used()) {
    FreeImages(e);
    e = Entry{};
  }
  used = 0;
  nextReplaced = 0;
}
