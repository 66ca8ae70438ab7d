#pragma once
// Map sources: Tiled JSON maps (orthogonal, 16x16 cells, CSV layer data).
//
// - Custom map properties: `tileset` (int, the tile-set number n of resource
//   7, 1, n; required) and `name` (string, at most 10 bytes in GB2312; empty
//   keeps the previous map's name on screen).
// - One tile layer: the tiles, from the map's single tile set. Each tile's
//   walkability comes from the tile set (tileset_src.h).
// - Object layers: rectangles (or points) on whole cells carrying `event`
//   (int 41..255, the script event run when the cell is entered; 41..80 also
//   when it is examined) and/or `walk` ("blocked", "open", "npc") overriding
//   the tile's walkability on every cell they cover.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rpg/format/library.h"
#include "rpg/format/map.h"
#include "tools/datlib/diag.h"
#include "tools/datlib/tileset_src.h"

namespace datlib {

// The walkability of tile set `number`, or nullptr when the project has none.
using TileSetLookup = std::function<const TileSetInfo*(std::uint8_t number)>;

std::optional<rpgfmt::Map> ParseMapJson(std::string_view text, const std::string& file,
                                        rpgfmt::ResKey key, const TileSetLookup& tileSets,
                                        Diagnostics& diag);

std::optional<std::vector<std::uint8_t>> CompileMapFile(const std::string& path,
                                                        rpgfmt::ResKey key,
                                                        const TileSetLookup& tileSets,
                                                        Diagnostics& diag);

// Tiled JSON for `map`, naming `tileSetRef` (a .tsj path relative to the map
// file) as its tile set; cells whose walkability differs from `info` and
// cells with events become objects. Nothing when the name is not GB2312.
std::optional<std::string> WriteMapJson(const rpgfmt::Map& map, const TileSetInfo& info,
                                        const std::string& tileSetRef, const SourcePos& origin,
                                        Diagnostics& diag);

}  // namespace datlib
