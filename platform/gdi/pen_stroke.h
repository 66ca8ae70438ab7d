#pragma once
// Drawing with a DC's pen: the style pattern, its position, and the colours of
// its dashes and (in OPAQUE mode) its gaps. One stroke runs across the edges
// of a Rectangle or an Ellipse; every LineTo starts a new one.

#include <array>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"

namespace plat {

class PenStroke {
 public:
  explicit PenStroke(DC& dc);

  // False for a null pen, which draws nothing.
  bool visible() const { return visible_; }

  // Plots one pixel of the stroke and advances the pattern.
  void Plot(int x, int y);

  // The line from (x0, y0) towards (x1, y1), end pixel left off: Bresenham
  // along the major axis, a half-way tie going to the smaller minor
  // coordinate so both directions cover the same pixels. The pattern advances
  // once per major step, also where the line is clipped.
  void Segment(int x0, int y0, int x1, int y1);

 private:
  void PlotAt(int x, int y, int step);

  Bitmap& bitmap_;
  Ink pen_;
  Ink gap_;
  bool visible_;
  bool paintGaps_;
  // Pixel on/off of one period of the style; period_ 1 with on for solid.
  std::array<bool, 24> pattern_{};
  int period_ = 1;
  int position_ = 0;
};

}  // namespace plat
