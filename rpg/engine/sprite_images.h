#pragma once
// Sprite frames drawn through cached images: the pixels BlitFrame would put,
// copied rows at a time. A frame's images are made the first time it is
// drawn and kept with a copy of the bits they were made from; bits that have
// changed since are made again. The cache holds a bounded number of frames,
// the oldest replaced first, and goes when the game releases its resources.

#include <cstdint>
#include <span>

struct Canvas;

// A frame of `width` pixels whose rows are `bits` (ceil(width / 8) bytes a
// row, twice that at depth 2), by BlitFrame's rules for the depth.
struct FrameBits {
  std::span<const uint8_t> bits;
  int width;
  int depth;
};

// The frame's w x h area from column srcX (a multiple of 8), row srcY at
// (x, y) on `canvas`; only the rows `bits` holds whole are drawn.
void DrawFrameArea(const FrameBits& frame, int srcX, int srcY, int w, int h, int x, int y,
                   Canvas* canvas);

// Frees every cached image.
void ReleaseSpriteImages();
