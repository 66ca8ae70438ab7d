#pragma once
// Lines, frames and the small 1-bit marks the party's screens draw straight
// onto the screen.

#include <cstdint>

// Solid black on the screen (a line leaves its end point off).
void ScreenLine(int x0, int y0, int x1, int y1);
void ScreenFrame(int x0, int y0, int x1, int y1);

// The pointer: a solid triangle pointing right, 7 wide and 13 high, with its
// top-left corner at (x, y).
void DrawPointer(int x, int y);

// The magic list's cursor: a small sword pointing down-left, 12 x 12.
void DrawSwordCursor(int x, int y);

// The magic list's 5 x 8 markers: hollow, or filled for more entries that
// way.
void DrawMarker(int x, int y, bool filled);

// The equipment screen's 24 x 44 decoration.
void DrawEquipDecoration(int x, int y);
