#pragma once
// Block transfers between the bitmaps selected into two DCs, with raster
// operations on the whole 32-bit word, and conversion between monochrome and
// colour through the DCs' colours:
//  - monochrome onto colour: 0 bits take the destination DC's text colour,
//    1 bits its back colour, before the raster operation;
//  - colour onto monochrome: a pixel equal to the source DC's back colour
//    gives 1 (white), every other pixel 0.
// Only pixels inside both bitmaps are touched.

#include "platform/gdi/object.h"
#include "platform/gdi/types.h"

namespace plat {

// SRCCOPY, SRCAND, SRCPAINT, SRCINVERT and DSTINVERT (which needs no source).
// Answers 0 for a null DC, a missing source or an unknown operation.
int BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
           DWORD rop);

// Equal sizes behave exactly as BitBlt; otherwise each destination pixel takes
// the source pixel nearest to its centre. Negative sizes draw nothing and answer 0.
int StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
               int srcWidth, int srcHeight, DWORD rop);

}  // namespace plat
