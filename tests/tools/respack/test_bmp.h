#pragma once
// Small BMP file images made by hand for the package tests.

#include <cstdint>
#include <vector>

#include "codec/bytes.h"

namespace respack::test {

// A 24-bit bottom-up BMP of w x h pixels, every pixel the colour 0xRRGGBB.
inline std::vector<std::uint8_t> SolidBmp(int w, int h, std::uint32_t rgb) {
  const int stride = (w * 3 + 3) / 4 * 4;
  const std::uint32_t size = 54 + std::uint32_t(stride * h);
  std::vector<std::uint8_t> b(size, 0);
  auto put32 = [&](int at, std::uint32_t v) { codec::StoreLe(&b[at], v); };
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
      codec::StoreLe(&b[54 + y * stride + x * 3], rgb, 3);  // blue, green, red
    }
  }
  return b;
}

}  // namespace respack::test
