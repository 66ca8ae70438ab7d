#pragma once
// The game's picture package and where its pictures lie in it. A picture's
// id is its offset in the package; content/tiles/TovLLK.yaml pins each one
// there.

#include <cstdint>

namespace tiles {

// Relative to the host program's folder.
inline constexpr char kPackagePath[] = "..\\Games\\tiles\\TovLLK.dat";

// 240 x 320, plain: title bar with the close button, and the empty board.
inline constexpr uint32_t kBackgroundId = 0x400;
// 24 x 24, keyed: kind k's normal and highlighted tile and the path marker.
// Tiles lie 0x800 bytes apart, kind 1 first.
inline constexpr uint32_t kTileIdBase = 0x40000;
inline constexpr uint32_t kLitTileIdBase = 0x50000;
inline constexpr uint32_t kTileIdStride = 0x800;
inline constexpr uint32_t kMarkerId = 0x60000;

inline constexpr uint32_t TileId(int kind) { return kTileIdBase + uint32_t(kind - 1) * kTileIdStride; }
inline constexpr uint32_t LitTileId(int kind) {
  return kLitTileIdBase + uint32_t(kind - 1) * kTileIdStride;
}

}  // namespace tiles
