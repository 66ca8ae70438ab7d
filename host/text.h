#pragma once
// Text: nine fonts (three faces at 12, 16 and 24 pixels), their size, and
// printing GB2312 strings in the target's colours and back mode.

#include <cstdint>

#include "host/types.h"

// What GetFontMetrics reports.
struct FontMetrics {
  uint16_t charWidth;   // average character width: half a Chinese character
  uint16_t lineHeight;  // the character cell's height
};

// Fonts 0-8: "宋体", "楷体_GB2312", "黑体" at 12 pixels, then at 16, then at 24.
// A higher index, or a font that cannot be made, leaves the current one.
void SelectFont(uint8_t index, Canvas* c);

// Fills `out` from the target's current font (zeros when it has none).
void GetFontMetrics(FontMetrics* out, Canvas* c);

// Prints `str` as one line with its first cell's top-left corner at (x, y).
// Nonzero when printed on a canvas; on the screen FlushScreen's result.
int DrawText(int16_t x, int16_t y, const char* str, Canvas* c);

// DrawText with the back mode set to `mode` (1 transparent, 2 opaque) for
// this call only.
void DrawTextMode(int16_t x, int16_t y, const char* str, Canvas* c, int32_t mode);
