#pragma once
// Text output on a device context: TextOutA, GetTextExtentPoint32A and
// GetTextMetricsA over the DC's selected font (or the default font).
//
// Strings are GB2312 bytes laid out in fixed cells (see text_cells.h). The
// top-left corner of the first cell is at (x, y) and the baseline at
// y + tmAscent. In OPAQUE back mode the cells' box [x, x + width) x
// [y, y + height) is first filled with the back colour; the glyph pixels are
// then stored in the text colour (raster operations do not apply). Everything
// is clipped to the selected bitmap; monochrome bitmaps take the colours as
// pens and brushes do.

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/types.h"

namespace plat {

// Draws the first len bytes of str (NULs included, nothing interpreted).
// 1 on success, also for len 0; 0 for a null DC, a null string with len > 0,
// a negative len, or no usable font.
int TextOutA(HDC dc, int x, int y, const char* str, int len);

// Width of the first len bytes of str (the sum of their cells) and the cell
// height. 1 on success; 0 (size untouched) under the same conditions as TextOutA.
int GetTextExtentPoint32A(HDC dc, const char* str, int len, SIZE* size);

// Metrics of the selected font (see FontMetrics). 1 on success, 0 for null
// arguments or no usable font.
int GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);

}  // namespace plat
