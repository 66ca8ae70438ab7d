#pragma once
// Run-length decoding of 4- and 8-bit BMP pixel data.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "codec/result.h"
#include "platform/gdi/image.h"

namespace plat::bmp {

// Decodes the stream into out (already sized, pixels preset); pixels the
// stream skips keep their value. Indices past the palette give black. Answers
// an error (its offset in the stream) when the stream ends before its
// end-of-picture mark while rows remain, nothing when all is well.
std::optional<codec::Error> DecodeRle(std::span<const std::uint8_t> stream, unsigned bitsPerPixel,
                                      bool topDown, const std::vector<std::uint32_t>& palette,
                                      Image& out);

}  // namespace plat::bmp
