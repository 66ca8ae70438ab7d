#pragma once
// The framed message strip centred on the screen, for rewards, items and
// menus: its end pieces are frames 0 and 1 of picture (11, 2, 8).

#include <cstdint>

struct StripTextAt {
  uint8_t x;
  uint8_t y;
};

// Draws the strip for a text of `textBytes` bytes on line 0, 1 or 2 and
// returns where the text starts. A strip too wide for the screen keeps its
// left end at x 0 and its right end piece inside the screen.
StripTextAt MessageStrip(int line, int textBytes);
