#include "platform/gdi/ellipse_shape.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace plat {

namespace {

// Work in doubled coordinates centred on the box, so pixel centres are whole
// numbers: a column X has the parity of the doubled semi-axis a = width - 1.
struct Quadrant {
  std::int64_t a, b;  // doubled semi-axes

  // Sign of the ellipse equation at (x, y): negative inside, 0 on the curve.
  __int128 F(std::int64_t x, std::int64_t y) const {
    const __int128 aa = __int128(a) * a, bb = __int128(b) * b;
    return bb * x * x + aa * y * y - aa * bb;
  }

  // Points from the top (x small) to the right (y small): every column takes
  // the row nearest the curve and every row the column nearest the curve,
  // a half-way tie going inward. Together they leave no gaps, also where the
  // ellipse is very narrow.
  std::vector<POINT> Trace() const {
    std::vector<POINT> points;
    const std::int64_t x0 = a % 2, y0 = b % 2;
    std::int64_t y = b;
    for (std::int64_t x = x0; x <= a; x += 2) {
      while (y - 2 >= y0 && F(x, y - 1) >= 0) y -= 2;
      points.push_back({int(x), int(y)});
    }
    std::int64_t x = a;
    for (std::int64_t row = y0; row <= b; row += 2) {
      while (x - 2 >= x0 && F(x - 1, row) >= 0) x -= 2;
      points.push_back({int(x), int(row)});
    }
    std::sort(points.begin(), points.end(),
              [](const POINT& p, const POINT& q) { return p.x != q.x ? p.x < q.x : p.y > q.y; });
    points.erase(
        std::unique(points.begin(), points.end(),
                    [](const POINT& p, const POINT& q) { return p.x == q.x && p.y == q.y; }),
        points.end());
    return points;
  }
};

}  // namespace

EllipseShape TraceEllipse(int left, int top, int right, int bottom) {
  const Quadrant q{right - left - 1, bottom - top - 1};
  const std::vector<POINT> quarter = q.Trace();
  const std::int64_t cx = std::int64_t(left) + right - 1;  // doubled centre
  const std::int64_t cy = std::int64_t(top) + bottom - 1;
  auto pixel = [&](std::int64_t x, std::int64_t y) {
    return POINT{int((cx + x) / 2), int((cy + y) / 2)};
  };

  EllipseShape shape;
  // Clockwise on screen (y grows downward): right to bottom, bottom to left,
  // left to top, top to right. Points on an axis are their own mirror image
  // and are taken once.
  for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
    shape.outline.push_back(pixel(it->x, it->y));
  for (const POINT& p : quarter) {
    if (p.x != 0) shape.outline.push_back(pixel(-p.x, p.y));
  }
  for (auto it = quarter.rbegin(); it != quarter.rend(); ++it) {
    if (it->x != 0 && it->y != 0) shape.outline.push_back(pixel(-it->x, -it->y));
  }
  for (const POINT& p : quarter) {
    if (p.y != 0) shape.outline.push_back(pixel(p.x, -p.y));
  }

  // The inside of each row reaches up to the innermost outline pixel.
  std::map<int, int> inner;  // doubled row -> smallest doubled column on it
  for (const POINT& p : quarter) {
    auto [it, fresh] = inner.emplace(p.y, p.x);
    if (!fresh) it->second = std::min(it->second, p.x);
  }
  auto addSpan = [&](int y, int x) {
    if (x >= 2) shape.fill.push_back({pixel(0, y).y, pixel(2 - x, 0).x, pixel(x - 2, 0).x + 1});
  };
  for (auto it = inner.rbegin(); it != inner.rend(); ++it) addSpan(-it->first, it->second);
  for (const auto& [y, x] : inner) {
    if (y != 0) addSpan(y, x);
  }
  return shape;
}

}  // namespace plat
