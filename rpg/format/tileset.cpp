#include "rpg/format/tileset.h"

namespace rpgfmt {

std::string CheckTileSet(const Picture& pic) {
  if (std::string e = CheckPicture(pic); !e.empty()) return e;
  if (pic.width != kTileSide || pic.height != kTileSide) {
    return "tiles are " + std::to_string(pic.width) + "x" + std::to_string(pic.height) +
           "; the map view draws 16x16 tiles";
  }
  if (pic.depth != 1) return "tiles are drawn opaque and must have depth 1";
  if (pic.frames.size() > kMaxTiles) {
    return std::to_string(pic.frames.size()) + " tiles; a map can address only 128";
  }
  return {};
}

codec::Result<PictureRead> DecodeTileSet(std::span<const std::uint8_t> bytes) {
  codec::Result<PictureRead> r = DecodePicture(bytes);
  if (!r) return r;
  // The picture's header holds what the tile set check is about.
  if (std::string e = CheckTileSet(r->picture); !e.empty()) return codec::ErrorAt(2, e);
  return r;
}

}  // namespace rpgfmt
