#pragma once
// GB2312 text wrapped into a box on the screen.

#include <cstdint>
#include <span>

// Lays `text` (up to its zero byte or its end) out in lines of at most
// (x1 - x0 + 1) / 8 bytes, never splitting a two-byte character, at most 13
// lines, and shows lines firstLine, firstLine + 1, ... in the box's
// (y1 - y0 + 1) / 16 rows. A firstLine at or past the last line is pulled
// back so that the last lines fill the box. Returns firstLine plus the last
// row drawn. A box under 16 pixels wide or high draws nothing.
int DrawWrapped(int16_t x0, int16_t y0, int16_t x1, int16_t y1, int firstLine,
                std::span<const uint8_t> text);
