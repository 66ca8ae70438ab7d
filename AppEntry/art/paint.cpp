#include "AppEntry/art/paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  Rgb out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= Rgb(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return out;
}

void Blend(plat::Image& img, int x, int y, Rgb colour, double coverage) {
  if (x < 0 || y < 0 || x >= img.width || y >= img.height || coverage <= 0) return;
  img.at(x, y) = Mix(img.at(x, y), colour, coverage);
}

void VerticalGradient(plat::Image& img, int y0, int y1, std::initializer_list<Stop> stops) {
  const std::vector<Stop> s(stops);
  for (int y = std::max(y0, 0); y < std::min(y1, img.height); ++y) {
    const double t = y1 - y0 > 1 ? double(y - y0) / (y1 - y0 - 1) : 0;
    Rgb c = s.front().colour;
    for (std::size_t i = 1; i < s.size(); ++i) {
      if (t <= s[i].at) {
        c = Mix(s[i - 1].colour, s[i].colour, (t - s[i - 1].at) / std::max(s[i].at - s[i - 1].at, 1e-9));
        break;
      }
      c = s[i].colour;
    }
    for (int x = 0; x < img.width; ++x) img.at(x, y) = c;
  }
}

void Disc(plat::Image& img, double cx, double cy, double r, Rgb colour, double opacity) {
  for (int y = int(cy - r - 1); y <= int(cy + r + 1); ++y) {
    for (int x = int(cx - r - 1); x <= int(cx + r + 1); ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      Blend(img, x, y, colour, std::clamp(r - d + 0.5, 0.0, 1.0) * opacity);
    }
  }
}

void Glow(plat::Image& img, double cx, double cy, double r, Rgb colour, double opacity) {
  for (int y = int(cy - r); y <= int(cy + r); ++y) {
    for (int x = int(cx - r); x <= int(cx + r); ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / r;
      if (d < 1) Blend(img, x, y, colour, opacity * (1 - d) * (1 - d));
    }
  }
}

void Silhouette(plat::Image& img, int x0, int x1, const std::function<double(double)>& top, Rgb upper,
                Rgb lower) {
  for (int x = std::max(x0, 0); x < std::min(x1, img.width); ++x) {
    const double edge = top(x + 0.5);
    const double depth = std::max(img.height - edge, 1.0);
    for (int y = std::max(int(edge), 0); y < img.height; ++y) {
      const double coverage = std::clamp(y + 1 - edge, 0.0, 1.0);
      Blend(img, x, y, Mix(upper, lower, (y - edge) / depth), coverage);
    }
  }
}

void FillRect(plat::Image& img, int x, int y, int w, int h, Rgb colour) {
  for (int j = std::max(y, 0); j < std::min(y + h, img.height); ++j) {
    for (int i = std::max(x, 0); i < std::min(x + w, img.width); ++i) img.at(i, j) = colour;
  }
}

}  // namespace art
