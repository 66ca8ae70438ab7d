#include "tests/support/host_screen.h"

#include <algorithm>

namespace testsupport {

std::vector<uint32_t> Pixels(Canvas* c, int x, int y, int w, int h) {
  std::vector<uint32_t> pixels;
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) {
      pixels.push_back(GetPixelColor(int16_t(col), int16_t(row), c));
    }
  }
  return pixels;
}

std::vector<uint32_t> Snapshot() {
  return Pixels(nullptr, 0, 0, hostScreen.width, hostScreen.height);
}

int CountColor(Canvas* c, uint32_t color, int w, int h) {
  return int(std::ranges::count(Pixels(c, 0, 0, w, h), color));
}

std::vector<std::string> Art(Canvas* c, int x, int y, int w, int h,
                             const std::map<uint32_t, char>& legend) {
  const std::vector<uint32_t> pixels = Pixels(c, x, y, w, h);
  std::vector<std::string> rows(std::size_t(h), std::string(std::size_t(w), '?'));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    auto it = legend.find(pixels[i]);
    if (it != legend.end()) rows[i / std::size_t(w)][i % std::size_t(w)] = it->second;
  }
  return rows;
}

Box FindColor(uint32_t color, int x, int y, int w, int h) {
  const std::vector<uint32_t> pixels = Pixels(nullptr, x, y, w, h);
  Box box{-1, -1, -1, -1};
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] != color) continue;
    const int col = x + int(i % std::size_t(w)), row = y + int(i / std::size_t(w));
    if (box.left < 0 || col < box.left) box.left = col;
    if (box.top < 0) box.top = row;
    box.right = std::max(box.right, col);
    box.bottom = row;
  }
  return box;
}

}  // namespace testsupport
