#pragma once
// BMP files made in memory for tests, as the platform's writer makes them:
// 24 bits, bottom-up, pixels given as 0x00RRGGBB words row by row.

#include <cstdint>
#include <vector>

#include "platform/gdi/bmp.h"

namespace testsupport {

inline std::vector<uint8_t> BmpFile(int width, int height, std::vector<uint32_t> pixels) {
  std::vector<uint8_t> bytes;
  plat::EncodeBmp(plat::Image{width, height, std::move(pixels)}, plat::BmpWriteOptions{}, bytes);
  return bytes;
}

inline std::vector<uint8_t> SolidBmp(int width, int height, uint32_t rgb) {
  return BmpFile(width, height, std::vector<uint32_t>(std::size_t(width) * height, rgb));
}

}  // namespace testsupport
