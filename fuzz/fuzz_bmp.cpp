// Feeds arbitrary bytes to the BMP decoder. A picture it accepts must be
// whole (one word per pixel, top byte clear) and must survive writing and
// reading back unchanged.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plat::Image image;
  if (!plat::DecodeBmp({data, size}, image)) {
    if (!image.pixels.empty()) __builtin_trap();
    return 0;
  }
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) {
    __builtin_trap();
  }
  for (std::uint32_t pixel : image.pixels) {
    if (pixel >> 24) __builtin_trap();
  }
  std::vector<std::uint8_t> bytes;
  plat::Image back;
  if (!plat::EncodeBmp(image, plat::BmpWriteOptions(), bytes) || !plat::DecodeBmp(bytes, back) ||
      back.pixels != image.pixels) {
    __builtin_trap();
  }
  return 0;
}
