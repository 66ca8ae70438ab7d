#pragma once
// Tile sets: a picture (see picture.h) whose frames are the tiles, 16 x 16
// pixels of depth 1, drawn opaque. A map cell's tile byte selects a tile with
// its low 7 bits, so a set holds at most 128 tiles.

#include <cstdint>
#include <span>
#include <string>

#include "rpg/format/picture.h"

namespace rpgfmt {

inline constexpr int kTileSide = 16;
inline constexpr int kMaxTiles = 128;

// Empty when `pic` is usable as a tile set, else what is wrong.
std::string CheckTileSet(const Picture& pic);

// Reads a tile set from the start of `bytes` (trailing bytes are left alone).
codec::Result<PictureRead> DecodeTileSet(std::span<const std::uint8_t> bytes);

}  // namespace rpgfmt
