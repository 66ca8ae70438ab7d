#pragma once
// The pairs game's 25 card pictures, painted from code: the card back and 24
// faces, each face a motif of its own shape and colour on a cream card.

#include "platform/gdi/image.h"

namespace pairs_art {

inline constexpr int kCardSize = 32;
inline constexpr int kFaces = 24;

// 32 x 32, opaque: picture 0 the back, 1..24 the faces.
plat::Image PaintCard(int picture);

}  // namespace pairs_art
