#include "rpg/engine/tile_cache.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "host/canvas.h"
#include "host/res.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/mono_image.h"
#include "rpg/engine/picture_data.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kCell = 16;

// What the bitmap was made from.
struct CacheKey {
  const uint8_t* image = nullptr;
  uint32_t size = 0;
  uint16_t block = 0;
  uint16_t offset = 0;
  bool operator==(const CacheKey&) const = default;
};

CacheKey cachedKey;
ImageRef cached{};
bool cacheUsable = false;
int cachedWidth = 0;
int cachedHeight = 0;

CacheKey CurrentKey() { return {game.libImage, game.libSize, game.tileBlock, game.tileOffset}; }

// The set's tiles one under another, a tile the set lacks left white.
std::vector<uint8_t> TileRows(int width, int height, int frames) {
  const std::size_t tileBytes = std::size_t(width + 7) / 8 * std::size_t(height);
  std::vector<uint8_t> rows(tileBytes * std::size_t(frames), 0);
  for (int t = 0; t < frames; ++t) {
    const std::span<const uint8_t> bits = TileBits(t);
    if (!bits.empty()) std::copy_n(bits.data(), tileBytes, &rows[tileBytes * std::size_t(t)]);
  }
  return rows;
}

bool Rebuild() {
  ReleaseTileCache();
  cachedKey = CurrentKey();
  const std::optional<PicInfo> set =
      ReadPicHeader(LibBlockView(game.tileBlock, game.tileOffset, "TIL"));
  // The bitmap's rows are addressed with 16-bit coordinates.
  if (!set || set->width == 0 || set->height == 0 || set->frames == 0 ||
      set->height * set->frames > INT16_MAX) {
    return false;
  }
  cachedWidth = set->width;
  cachedHeight = set->height;
  cacheUsable = MakeMonoImage(&cached, set->width, set->height * set->frames,
                              TileRows(set->width, set->height, set->frames)) == 1;
  return cacheUsable;
}

}  // namespace

void DrawTile(int tile, int16_t x, int16_t y) {
  const std::span<const uint8_t> bits = TileBits(tile);
  if (bits.empty()) {
    FillRectColor(x, y, int16_t(x + kCell - 1), int16_t(y + kCell - 1), kWhite, game.sceneCanvas);
    return;
  }
  if (cachedKey == CurrentKey() ? cacheUsable : Rebuild()) {
    DrawImage(x, y, int16_t(cachedWidth), int16_t(cachedHeight), 0, int16_t(tile * cachedHeight),
              cached, game.sceneCanvas, 0);
  } else {
    const std::optional<PicInfo> set =
        ReadPicHeader(LibBlockView(game.tileBlock, game.tileOffset, "TIL"));
    BlitMono(x, y, int16_t(x + set->width - 1), int16_t(y + set->height - 1), bits,
             game.sceneCanvas);
  }
}

void ReleaseTileCache() {
  ImageFree(&cached);
  cached = {};
  cachedKey = {};
  cacheUsable = false;
}
