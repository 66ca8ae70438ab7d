#pragma once
// Shapes and pixels drawn with the DC's pen, brush and colours on the bitmap
// selected into it. Pixel coverage follows the platform's rules: boxes are
// [left, right) x [top, bottom), lines leave their end point off.

#include "platform/gdi/object.h"
#include "platform/gdi/types.h"

namespace plat {

// Fills the box with the brush (a hollow brush paints nothing). A reversed
// box (right < left, bottom < top) covers [right + 1, left + 1) on that axis.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

// Answers the colour stored (on monochrome the nearer of black and white),
// or CLR_INVALID outside the bitmap, where nothing is drawn.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);

// The pixel's colour without the top byte, or CLR_INVALID outside.
COLORREF GetPixel(HDC dc, int x, int y);

// Sets the current position; the previous one goes to old when given.
int MoveToEx(HDC dc, int x, int y, POINT* old);

// Draws from the current position towards (x, y) with the pen, leaving the
// end pixel off, and moves the current position there. The pen pattern
// restarts at every call; its gaps take the back colour in OPAQUE mode.
int LineTo(HDC dc, int x, int y);

// Outline with the pen, inside with the brush; corners may come in any order.
int Rectangle(HDC dc, int left, int top, int right, int bottom);

// The ellipse inscribed in the box, outline with the pen, inside with the brush.
int Ellipse(HDC dc, int left, int top, int right, int bottom);

}  // namespace plat
