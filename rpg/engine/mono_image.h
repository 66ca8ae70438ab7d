#pragma once
// Ready-to-blit images made from the game's 1-bit rows (bit 1 black, 0
// white, each row starting on a whole byte), for the image calls: a tile set
// or a sprite frame is copied rows at a time instead of a pixel at a time.

#include <cstdint>
#include <span>

#include "host/types.h"

// An image of width x height from `rows`, height rows of ceil(width / 8)
// bytes one after the other; rows that `rows` lacks are white. 1, or 0 with
// `out` untouched when the image cannot be made.
int MakeMonoImage(ImageRef* out, int width, int height, std::span<const uint8_t> rows);
