#pragma once
// Small BMP file images made by hand for the package tests.

#include <cstdint>
#include <vector>

namespace respack::test {

// A 24-bit bottom-up BMP of w x h pixels, every pixel the colour 0xRRGGBB.
inline std::vector<std::uint8_t> SolidBmp(int w, int h, std::uint32_t rgb) {
  const int stride = (w * 3 + 3) / 4 * 4;
  const std::uint32_t size = 54 + std::uint32_t(stride * h);
  std::vector<std::uint8_t> b(size, 0);
  auto put32 = [&](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, std::uint32_t(w));
  put32(22, std::uint32_t(h));
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &b[54 + y * stride + x * 3];
      p[0] = std::uint8_t(rgb);
      p[1] = std::uint8_t(rgb >> 8);
      p[2] = std::uint8_t(rgb >> 16);
    }
  }
  return b;
}

}  // namespace respack::test
