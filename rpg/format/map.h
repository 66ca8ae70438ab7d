#pragma once
// Maps: a header naming the tile set, then one (tile byte, event byte) pair
// per cell, row by row.
//
// Byte layout:
//   0      u8        id1 of the map; equals the key's id1
//   1      u8        id2 of the map; equals the key's id2
//   2      u8        tile-set number (resource 7, 1, number)
//   3      10 bytes  map name, GB2312, zero-padded; a name starting with 0
//                    leaves the previous map's name shown
//   13     3 bytes   unused, written 0
//   16     u8        width W in cells
//   17     u8        height H in cells
//   18     W * H * 2 cells: tile byte, event byte
//
// Tile byte: the low 7 bits pick the tile; bit 7 opens the cell. The hero
// enters a cell whose tile byte is above 128, a map character one of 128 or
// above, so 128 (tile 0 with the bit) is open to map characters only.
// Event byte: 0 none, else the cell's event; its event number is byte + 40.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/result.h"

namespace rpgfmt {

inline constexpr std::size_t kMapId1Offset = 0;
inline constexpr std::size_t kMapId2Offset = 1;
inline constexpr std::size_t kMapTileSetOffset = 2;
inline constexpr std::size_t kMapNameOffset = 3;
inline constexpr std::size_t kMapWidthOffset = 16;
inline constexpr std::size_t kMapHeightOffset = 17;
inline constexpr std::size_t kMapHeaderSize = 18;
inline constexpr std::size_t kMapNameSize = 10;
// The view shows 9 x 6 cells and never extends past the map.
inline constexpr int kMapMinWidth = 9;
inline constexpr int kMapMinHeight = 6;
inline constexpr std::uint8_t kWalkBit = 0x80;
inline constexpr std::uint8_t kNpcOnlyTile = 0x80;
inline constexpr int kCellEventBase = 40;
// Event numbers are bytes, so cell events run from 41 to 255.
inline constexpr int kMaxCellEvent = 255;

struct MapCell {
  std::uint8_t tile = 0;
  std::uint8_t event = 0;
  auto operator<=>(const MapCell&) const = default;
};

struct Map {
  std::uint8_t id1 = 0;
  std::uint8_t id2 = 0;
  std::uint8_t tileSet = 0;
  std::array<std::uint8_t, kMapNameSize> name{};
  int width = 0;
  int height = 0;
  std::vector<MapCell> cells;  // width * height, row by row

  MapCell& At(int x, int y) { return cells[static_cast<std::size_t>(y) * width + x]; }
  const MapCell& At(int x, int y) const { return cells[static_cast<std::size_t>(y) * width + x]; }
};

inline int TileImage(std::uint8_t tile) { return tile & 0x7F; }
inline bool HeroCanEnter(std::uint8_t tile) { return tile > kNpcOnlyTile; }
inline bool NpcCanEnter(std::uint8_t tile) { return tile >= kNpcOnlyTile; }

std::size_t MapBytes(const Map& map);

// Empty when the map can be encoded: size at least the view, cells matching it.
std::string CheckMap(const Map& map);

std::vector<std::uint8_t> EncodeMap(const Map& map);

struct MapRead {
  Map map;
  std::size_t size = 0;  // bytes the map spans from its start
};

// Reads a map from the start of `bytes`; rejects a short header, a map smaller
// than the view and cells running past the end.
codec::Result<MapRead> DecodeMap(std::span<const std::uint8_t> bytes);

}  // namespace rpgfmt
