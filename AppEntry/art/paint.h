#pragma once
// Small painting helpers for the procedural pictures: colour mixing, gradients,
// soft discs and silhouettes, all on a plain picture in memory.

#include <cstdint>
#include <functional>

#include "platform/gdi/image.h"

namespace art {

using Rgb = std::uint32_t;  // 0x00RRGGBB

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);

// Blends `colour` over the pixel at (x, y) with coverage 0..1; points outside are ignored.
void Blend(plat::Image& img, int x, int y, Rgb colour, double coverage);

// Fills rows y0..y1-1 with a gradient through the given stops (position 0..1, colour).
struct Stop {
  double at;
  Rgb colour;
};
void VerticalGradient(plat::Image& img, int y0, int y1, std::initializer_list<Stop> stops);

// A disc with an anti-aliased edge.
void Disc(plat::Image& img, double cx, double cy, double r, Rgb colour, double opacity = 1.0);

// A radial glow fading from `opacity` at the centre to nothing at radius r.
void Glow(plat::Image& img, double cx, double cy, double r, Rgb colour, double opacity);

// Everything below the curve y = top(x) (for x in x0..x1-1), its edge anti-aliased,
// shaded from `upper` at the curve to `lower` at the picture's bottom.
void Silhouette(plat::Image& img, int x0, int x1, const std::function<double(double)>& top, Rgb upper,
                Rgb lower);

// Solid rectangle, clipped to the picture.
void FillRect(plat::Image& img, int x, int y, int w, int h, Rgb colour);

// A repeatable pseudo-random sequence, so every build paints the same picture.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  double Unit() { return double(Next()) / double(1u << 24); }  // 0 <= Unit() < 1
  int Below(int n) { return int(Unit() * n); }

 private:
  std::uint32_t state_;
};

}  // namespace art
