#include "rpg/engine/map_load.h"

#include <cstring>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/picture_data.h"
#include "rpg/format/library.h"
#include "rpg/format/map.h"
#include "rpg/format/picture.h"

namespace {

constexpr uint8_t kNotAddressable = 2;
constexpr uint8_t kHeaderMismatch = 4;
constexpr uint8_t kViewDoesNotFit = 6;
constexpr std::size_t kNameAt = rpgfmt::kMapNameOffset;
constexpr std::size_t kTileSetAt = rpgfmt::kMapTileSetOffset;
constexpr std::size_t kWidthAt = rpgfmt::kMapWidthOffset;
constexpr std::size_t kHeightAt = rpgfmt::kMapHeightOffset;

std::size_t CellBytes() { return std::size_t(game.mapWidth) * game.mapHeight * 2; }

// The current map's cells, checked when the map was loaded.
std::span<const uint8_t> Cells() {
  const std::span<const uint8_t> map = LibBlockView(game.mapBlock, game.mapOffset, "MAP");
  if (!codec::Fits(map.size(), rpgfmt::kMapHeaderSize, CellBytes())) return {};
  return map.subspan(rpgfmt::kMapHeaderSize, CellBytes());
}

void LoadTileSet(uint8_t number) {
  ResKey key{uint8_t(rpgfmt::ResType::kTileSet), 1, number, 0, 0};
  LibLookup(&key);
  const std::span<const uint8_t> tiles = LibBlockSpan(key.block, key.offset, "TIL");
  if (game.runStatus) return;
  const std::optional<PicInfo> header = ReadPicHeader(tiles);
  if (!header) {
    game.runStatus = kNotAddressable;
    return;
  }
  game.tileBlock = key.block;
  game.tileOffset = key.offset;
  game.tileWidth = uint8_t(header->width);
  game.tileHeight = uint8_t(header->height);
}

}  // namespace

void LoadMap(uint8_t id1, uint8_t id2) {
  if (game.runStatus) return;
  game.mapType = id1;
  game.mapIndex = id2;
  ResKey key{uint8_t(rpgfmt::ResType::kMap), id1, id2, 0, 0};
  LibLookup(&key);
  const std::span<const uint8_t> map = LibBlockSpan(key.block, key.offset, "MAP");
  if (game.runStatus) return;
  if (map.size() < rpgfmt::kMapHeaderSize) {
    game.runStatus = kNotAddressable;
    return;
  }
  if (map[rpgfmt::kMapId1Offset] != id1 || map[rpgfmt::kMapId2Offset] != id2) {
    game.runStatus = kHeaderMismatch;
    return;
  }
  const std::size_t cells = std::size_t(map[kWidthAt]) * map[kHeightAt] * 2;
  if (!codec::Fits(map.size(), rpgfmt::kMapHeaderSize, cells)) {
    game.runStatus = kNotAddressable;
    return;
  }
  game.mapBlock = key.block;
  game.mapOffset = key.offset;
  if (map[kNameAt] != 0) {
    std::memcpy(game.mapName, map.data() + kNameAt, rpgfmt::kMapNameSize);
    game.mapName[kMapNameSize] = 0;
  }
  game.mapWidth = map[kWidthAt];
  game.mapHeight = map[kHeightAt];
  LoadTileSet(map[kTileSetAt]);
}

void RefreshViewCells() {
  if (game.runStatus) return;
  const std::span<const uint8_t> cells = Cells();
  if (int(game.mapWidth) - game.viewX < kViewCols || int(game.mapHeight) - game.viewY < kViewRows ||
      cells.empty()) {
    game.runStatus = kViewDoesNotFit;
    return;
  }
  for (int r = 0; r < kViewRows; ++r) {
    const std::size_t from = (std::size_t(game.viewY + r) * game.mapWidth + game.viewX) * 2;
    std::memcpy(game.viewCells[r], cells.data() + from, kViewCols * 2);
  }
}

std::optional<MapCellBytes> MapCellAt(int x, int y) {
  if (x < 0 || y < 0 || x >= game.mapWidth || y >= game.mapHeight) return std::nullopt;
  const std::span<const uint8_t> cells = Cells();
  if (cells.empty()) return std::nullopt;
  const std::size_t at = (std::size_t(y) * game.mapWidth + x) * 2;
  return MapCellBytes{cells[at], cells[at + 1]};
}

int MapEventAt(int x, int y) {
  const std::optional<MapCellBytes> cell = MapCellAt(x, y);
  if (!cell || cell->event == 0) return 0;
  return cell->event + rpgfmt::kCellEventBase;
}

std::span<const uint8_t> TileBits(int tile) {
  const std::optional<PicInfo> set =
      ReadPicHeader(LibBlockView(game.tileBlock, game.tileOffset, "TIL"));
  if (!set || tile >= set->frames) return {};
  // Tiles follow each other every (width / 8) x height bytes and are drawn
  // at one bit a pixel.
  PicInfo mono = *set;
  mono.depth = 1;
  const std::size_t stride = std::size_t(set->width / 8) * std::size_t(set->height);
  return PicBitsAt(mono, rpgfmt::kPicHeaderSize + std::size_t(tile) * stride);
}
