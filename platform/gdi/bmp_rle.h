#pragma once
// Run-length decoding of 4- and 8-bit BMP pixel data.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/image.h"

namespace plat::bmp {

// Decodes the stream into out (already sized, pixels preset); pixels the
// stream skips keep their value. Indices past the palette give black. Answers
// false with a message when the stream ends before its end-of-picture mark
// while rows remain.
bool DecodeRle(std::span<const std::uint8_t> stream, unsigned bitsPerPixel, bool topDown,
               const std::vector<std::uint32_t>& palette, Image& out, std::string& error);

}  // namespace plat::bmp
