#pragma once
// Where a map character's frame lands in the map window, by the clipped
// rule: the window is 9 columns x 6 rows of 16-pixel cells from x = 8; the
// character stands on window cell (c, r), bytes, so one left of or above the
// view has c or r of 128 or more. The plan copies only the frame's visible
// rectangle, and never more than the frame holds or the window shows.

#include <cstdint>
#include <optional>

struct ClipPlan {
  int srcX, srcY;  // first frame column and row copied (whole cells across)
  int width, height;
  int destX, destY;
  bool heroAgain;  // the hero stands in front and is drawn again
};

// The window in pixels on the screen.
inline constexpr int kWindowLeft = 8;
inline constexpr int kWindowRight = 152;  // exclusive
inline constexpr int kWindowBottom = 96;  // exclusive

std::optional<ClipPlan> PlanClippedSprite(uint8_t c, uint8_t r, int w, int h, int tileHeight);
