#pragma once
// The three blitters of the game's pictures. Pixels are written one at a
// time with PutPixel: depth 1 opaque (bit 1 black, 0 white), depth 2 with
// two bits a pixel (0 white, 1 black, 2 and 3 leave the pixel). Rows start on
// whole bytes: ceil(w / 8) bytes at depth 1, twice that at depth 2. Only the
// rows whose bytes lie wholly inside `bits` are drawn.

#include <cstdint>
#include <span>

struct Canvas;

// A depth-1 bitmap covering the inclusive rectangle (x0, y0)-(x1, y1) onto
// `canvas`; onto the screen (null) through BlitPicScreen.
void BlitMono(int16_t x0, int16_t y0, int16_t x1, int16_t y1, std::span<const uint8_t> bits,
              Canvas* canvas);

// A depth-2 bitmap of w x h at (x, y) onto `canvas`; onto the screen (null)
// through BlitPicScreen. Nothing when w or h is below 1.
void BlitMasked(int16_t x, int16_t y, int16_t w, int16_t h, std::span<const uint8_t> bits,
                Canvas* canvas);

// Onto the screen with one refresh: the screen is copied into scratchCanvas,
// the bitmap drawn there (depthFlag 0 depth 1, 1 depth 2, other values
// nothing), the result copied back and scratchCanvas cleared to white.
void BlitPicScreen(int16_t x0, int16_t y0, int16_t x1, int16_t y1, std::span<const uint8_t> bits,
                   int depthFlag);

// A frame of w x h at (x, y): depth 2 with BlitMasked, any other with BlitMono.
void BlitFrame(int16_t x, int16_t y, int w, int h, int depth, std::span<const uint8_t> bits,
               Canvas* canvas);
