#pragma once
// Canvases and the drawing calls. Every call takes its target last or nearly
// so: a Canvas, or null for the screen. A call that changes the screen's
// pixels ends with FlushScreen; drawing on a canvas never flushes.
//
// Coordinates and sizes are signed 16-bit pixels; colours 0x00BBGGRR.
// Rectangles given by corners include both corners, except FillBox, which
// leaves out its right column and bottom row.

#include <cstdint>

#include "host/types.h"

// A canvas of the screen's current size, or null.
Canvas* CanvasCreate();
// Releases a canvas; 0 for null, else 1.
int CanvasFree(Canvas* c);

// Copies the screen-sized area from src (0, 0) to dst (0, 0). On the screen
// the flush result, else nonzero on success.
int CanvasCopy(Canvas* dst, Canvas* src);
// The same to dst at (x, y).
void CanvasCopyAt(int16_t x, int16_t y, Canvas* dst, Canvas* src);
// Copies the screen's w by h area at (x, y) into c at (0, 0); no flush.
void CanvasGrab(int16_t x, int16_t y, int16_t w, int16_t h, Canvas* c);
// Copies c's w by h area at (0, 0) to the screen at (x, y).
void CanvasStretchOut(int16_t x, int16_t y, int16_t w, int16_t h, Canvas* c);

void FillRectColor(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, Canvas* c);
// Fills the screen-sized area from (0, 0) with white.
void CanvasClear(Canvas* c);
// Inverts the colour bits of the rectangle; a reversed one does nothing.
void InvertRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2, Canvas* c);

// Mode 0 copies the image's w by h area at (sx, sy) to (x, y); mode 1 draws
// it through its mask (nothing without one); other modes draw nothing.
void DrawImage(int16_t x, int16_t y, int16_t w, int16_t h, int16_t sx, int16_t sy, ImageRef image,
               Canvas* c, int32_t mode);
// One raster pass of the image's colour bitmap: mode 1 AND, mode 2 OR.
void DrawImageRop(int16_t x, int16_t y, int16_t w, int16_t h, int16_t sx, int16_t sy,
                  ImageRef image, Canvas* c, int32_t mode);
// Writes the bitmap's width and height as two 16-bit values (0, 0 without one).
void GetImageSize(int16_t* out, const ImageRef* image);
// 1 with the bitmap's size; 0 with both 0 when there is no bitmap.
int GetImageInfo(ImageRef image, int32_t* width, int32_t* height);

void PutPixel(int16_t x, int16_t y, uint32_t color, Canvas* c);
// The pixel's colour, 0xFFFFFFFF outside the surface.
uint32_t GetPixelColor(int16_t x, int16_t y, Canvas* c);

// Style 1 dashes, any other value draws solid. The end point is left off.
void DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, int32_t style,
              Canvas* c);
// Outline only; style as DrawLine.
void DrawRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, int32_t style,
              Canvas* c);
// Outline and inside in one colour, covering x1..x2-1 and y1..y2-1.
void FillBox(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color, Canvas* c);
// The ellipse in the box (cx - r, cy - r) to (cx + r, cy + r). The style is
// the pen's: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none.
void DrawEllipse(int16_t cx, int16_t cy, int32_t r, uint32_t color, int32_t style, Canvas* c);
void FillEllipse(int16_t cx, int16_t cy, int32_t r, uint32_t color, Canvas* c);

void SetBackColor(uint32_t color, Canvas* c);
void SetForeColor(uint32_t color, Canvas* c);
// 1 transparent, 2 opaque; any other value changes nothing. The previous mode.
int SetBackMode(int32_t mode, Canvas* c);
