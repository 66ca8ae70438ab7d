#pragma once
// Raster operations on rows of 32-bit words.

#include <cstdint>
#include <optional>

#include "platform/gdi/types.h"

namespace plat {

enum class Rop { kCopy, kAnd, kPaint, kInvert, kDstInvert };

// The operation of a BitBlt code, or nothing for an unsupported code.
std::optional<Rop> RopFromCode(DWORD code);

// dst[k] = dst[k] op src[k] for n words; src is not read for kDstInvert.
void ApplyRop(Rop rop, std::uint32_t* dst, const std::uint32_t* src, int n);

}  // namespace plat
