#pragma once
// Pixel art as text: a picture drawn one character per pixel.
//
//   # comment
//   size 32 32          width height
//   depth 8             optional: bits per pixel of the BMP written from it (1, 4, 8, 24)
//   color . ff00ff      a character and its colour as RRGGBB
//   color k 1a1a2e
//   pixels              then exactly `height` rows of `width` characters
//   ....kk....
//
// With a depth of 8 or less the colours form the BMP's colour table in the
// order they are declared, so the file is the same on every build.

#include <cstdint>
#include <string>
#include <vector>

#include "codec/diagnostics.h"
#include "platform/gdi/image.h"

namespace respack {

struct PixelArt {
  plat::Image image;
  int bitsPerPixel = 24;
  std::vector<std::uint32_t> palette;  // declared colours, 0x00RRGGBB
};

// Parses pixel art; on failure returns false after reporting the first fault
// to `diag` at its line (and column, where it is one word or pixel).
bool ParsePixelArt(const std::string& text, const std::string& name, PixelArt& out,
                   codec::Diagnostics& diag);

}  // namespace respack
