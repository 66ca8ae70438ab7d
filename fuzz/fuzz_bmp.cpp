// Feeds arbitrary bytes to the BMP decoder. A picture it accepts must be
// whole (one word per pixel, top byte clear) and must survive writing and
// reading back unchanged; a refusal must name a byte inside the input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoded = plat::DecodeBmp({data, size});
  if (!decoded) {
    if (decoded.error().offset.value_or(0) > size) __builtin_trap();
    return 0;
  }
  const plat::Image& image = *decoded;
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) {
    __builtin_trap();
  }
  for (std::uint32_t pixel : image.pixels) {
    if (pixel >> 24) __builtin_trap();
  }
  std::vector<std::uint8_t> bytes;
  if (!plat::EncodeBmp(image, plat::BmpWriteOptions(), bytes)) __builtin_trap();
  const auto back = plat::DecodeBmp(bytes);
  if (!back || back->pixels != image.pixels) __builtin_trap();
  return 0;
}
