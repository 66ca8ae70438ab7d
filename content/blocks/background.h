#pragma once
// The falling-blocks game's 240 x 320 background, painted at build time.

#include "platform/gdi/image.h"

namespace blocks_art {

// The well (its inside black, framed at x 44 and 195, y 8 and 309), the
// preview panel labelled "下一个" round the box (8, 59)-(34, 84) and the score
// panel labelled "分数" whose plate under the digits has kDigitPlate.
plat::Image PaintBackground();

// The colour behind the score's digits (0x00RRGGBB); the digit pictures
// have it round their segments.
inline constexpr std::uint32_t kDigitPlate = 0x0C1014;

}  // namespace blocks_art
