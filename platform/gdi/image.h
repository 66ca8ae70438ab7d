#pragma once
// A plain picture in memory: the exchange type of the BMP and PNG code, free
// of any drawing object so tools and fuzzers can use it alone.

#include <cstdint>
#include <vector>

namespace plat {

struct Image {
  int width = 0;
  int height = 0;
  // Rows top to bottom, each pixel the word 0x00RRGGBB (the layout of a 32-bit
  // bitmap's pixels; a COLORREF 0x00BBGGRR has its red and blue swapped).
  std::vector<std::uint32_t> pixels;

  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

}  // namespace plat
