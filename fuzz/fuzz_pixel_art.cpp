// Feeds arbitrary text to the pixel-art reader; whatever it accepts must hold
// exactly width x height pixels of declared colours.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/respack/pixel_art.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  respack::PixelArt art;
  codec::Diagnostics diag;
  if (!respack::ParsePixelArt(std::string(reinterpret_cast<const char*>(data), size), "fuzz", art, diag)) return 0;
  if (art.image.pixels.size() != std::size_t(art.image.width) * std::size_t(art.image.height)) __builtin_trap();
  return 0;
}
