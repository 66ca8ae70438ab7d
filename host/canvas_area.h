#pragma once
// Copying part of one canvas onto another, for the simulator's own programs
// (the Device API copies whole screen-sized areas only).

#include <cstdint>

#include "host/types.h"

// Copies src's w by h area at (sx, sy) to dst at (x, y), clipped to both
// surfaces; null stands for the screen, which is then flushed.
void CanvasCopyArea(Canvas* dst, int16_t x, int16_t y, int16_t w, int16_t h, Canvas* src,
                    int16_t sx, int16_t sy);
