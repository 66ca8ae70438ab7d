#pragma once
// The pixels of an ellipse inscribed in a box of at least 3 x 3: a midpoint
// trace through the pixel centres, one quadrant computed and mirrored.

#include <vector>

#include "platform/gdi/types.h"

namespace plat {

struct EllipseShape {
  // Outline pixels in drawing order, clockwise from the rightmost point,
  // each once.
  std::vector<POINT> outline;
  // Inside pixels, one span [x0, x1) per row that has any.
  struct Span {
    int y, x0, x1;
  };
  std::vector<Span> fill;
};

// Largest box side an ellipse is drawn for.
constexpr int kMaxEllipseSide = 1 << 17;

// The shape for box [left, right) x [top, bottom), which must be at least
// 3 x 3 and at most kMaxEllipseSide on each side.
EllipseShape TraceEllipse(int left, int top, int right, int bottom);

}  // namespace plat
