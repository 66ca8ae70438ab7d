#include "platform/gdi/rop.h"

#include <cstring>

namespace plat {

std::optional<Rop> RopFromCode(DWORD code) {
  switch (code) {
    case SRCCOPY: return Rop::kCopy;
    case SRCAND: return Rop::kAnd;
    case SRCPAINT: return Rop::kPaint;
    case SRCINVERT: return Rop::kInvert;
    case DSTINVERT: return Rop::kDstInvert;
    default: return std::nullopt;
  }
}

void ApplyRop(Rop rop, std::uint32_t* dst, const std::uint32_t* src, int n) {
  switch (rop) {
    case Rop::kCopy: std::memmove(dst, src, std::size_t(n) * 4); break;
    case Rop::kAnd: for (int k = 0; k < n; ++k) dst[k] &= src[k]; break;
    case Rop::kPaint: for (int k = 0; k < n; ++k) dst[k] |= src[k]; break;
    case Rop::kInvert: for (int k = 0; k < n; ++k) dst[k] ^= src[k]; break;
    case Rop::kDstInvert: for (int k = 0; k < n; ++k) dst[k] = ~dst[k]; break;
  }
}

}  // namespace plat
