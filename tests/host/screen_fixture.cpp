#include "tests/host/screen_fixture.h"

#include "host/canvas.h"

namespace host_test {

int CountColor(Canvas* c, uint32_t color, int w, int h) {
  int count = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) count += GetPixelColor(int16_t(x), int16_t(y), c) == color;
  }
  return count;
}

std::vector<std::string> Art(Canvas* c, int x, int y, int w, int h,
                             const std::map<uint32_t, char>& legend) {
  std::vector<std::string> rows;
  for (int row = y; row < y + h; ++row) {
    std::string text;
    for (int col = x; col < x + w; ++col) {
      auto it = legend.find(GetPixelColor(int16_t(col), int16_t(row), c));
      text += it == legend.end() ? '?' : it->second;
    }
    rows.push_back(text);
  }
  return rows;
}

}  // namespace host_test
