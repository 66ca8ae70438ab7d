#pragma once
// Tile-set sources: a picture source (picture_src.h) of 16x16 depth-1 tiles,
// plus which tiles are open to walk on:
//
//   walk: open 1-5 9        the hero and map characters may enter
//   walk: npc 0             only map characters may enter (tile byte 128)
//   walk: blocked 6         the default
//
// Only tile 0 can be open to map characters alone: the map stores a cell as
// its tile number with bit 7 set for open, and 128 is the only such byte the
// hero may not enter. Maps take these defaults and may override them per cell.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rpg/format/library.h"
#include "rpg/format/map.h"
#include "rpg/format/picture.h"
#include "rpg/format/tileset.h"
#include "tools/datlib/diag.h"

namespace datlib {

enum class TileWalk : std::uint8_t { kBlocked, kOpen, kNpc };

std::optional<TileWalk> TileWalkByName(std::string_view name);
const char* TileWalkName(TileWalk walk);

// The cell's tile byte for tile `tile` (0..127) with `walk`; nothing for a
// combination the byte cannot hold (open on tile 0, npc on any other tile).
std::optional<std::uint8_t> TileByte(int tile, TileWalk walk);
TileWalk WalkOfByte(std::uint8_t tileByte);

// What maps need to know of a tile set.
struct TileSetInfo {
  int tileCount = 0;
  std::array<TileWalk, rpgfmt::kMaxTiles> walk{};
};

struct TileSetSource {
  rpgfmt::Picture picture;
  TileSetInfo info;
};

// Loads and checks a tile-set source for key (7, 1, n).
std::optional<TileSetSource> LoadTileSetSource(const std::string& path, rpgfmt::ResKey key,
                                               Diagnostics& diag);
std::optional<std::vector<std::uint8_t>> CompileTileSetFile(const std::string& path,
                                                            rpgfmt::ResKey key,
                                                            Diagnostics& diag);

// For a dump: each tile's walkability taken as the one most of its cells in
// `maps` have (ties go to open); maps then override only the cells that differ.
TileSetInfo DeriveTileWalk(int tileCount, std::span<const rpgfmt::Map> maps);

// Tile-set source text that compiles back to `pic` with `info`.
std::string WriteTileSetText(const rpgfmt::Picture& pic, const TileSetInfo& info,
                             rpgfmt::ResKey key);

// Writes `<stem>.png` (the tiles 8 to a row) and `<stem>.tsj` (a Tiled tile set
// naming that image, each tile carrying its `walk` property) into `dir`, so
// maps can be opened and painted in Tiled.
bool WriteTiledTileSet(const rpgfmt::Picture& pic, const TileSetInfo& info, const std::string& dir,
                       const std::string& stem, Diagnostics& diag);

}  // namespace datlib
