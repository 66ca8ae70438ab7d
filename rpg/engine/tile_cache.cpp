#include "rpg/engine/tile_cache.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "codec/bytes.h"
#include "host/canvas.h"
#include "host/res.h"
#include "rpg/engine/blit.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/map_load.h"
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

// A 1-bit BMP, rows top down, holding the set's tiles one under another:
// palette entry 0 white, 1 black, as the tiles' bits are.
std::vector<uint8_t> TilesBmp(int width, int height, int frames) {
  const std::size_t stride = std::size_t(width + 31) / 32 * 4;
  const std::size_t rows = std::size_t(height) * std::size_t(frames);
  const uint32_t dataAt = 14 + 40 + 8;
  std::vector<uint8_t> bmp = {'B', 'M'};
  codec::AppendLe<uint32_t>(bmp, uint32_t(dataAt + stride * rows));
  codec::AppendLe<uint32_t>(bmp, 0);
  codec::AppendLe<uint32_t>(bmp, dataAt);
  codec::AppendLe<uint32_t>(bmp, 40);
  codec::AppendLe<int32_t>(bmp, width);
  codec::AppendLe<int32_t>(bmp, -int32_t(rows));
  codec::AppendLe<uint16_t>(bmp, 1);
  codec::AppendLe<uint16_t>(bmp, 1);
  for (int i = 0; i < 6; ++i) codec::AppendLe<uint32_t>(bmp, 0);
  codec::AppendLe<uint32_t>(bmp, 0x00FFFFFF);
  codec::AppendLe<uint32_t>(bmp, 0x00000000);
  const std::size_t rowBytes = std::size_t(width + 7) / 8;
  for (int t = 0; t < frames; ++t) {
    const std::span<const uint8_t> bits = TileBits(t);
    for (int r = 0; r < height; ++r) {
      const std::size_t at = bmp.size();
      bmp.resize(at + stride, 0);
      if (!bits.empty()) std::copy_n(bits.data() + std::size_t(r) * rowBytes, rowBytes, &bmp[at]);
    }
  }
  return bmp;
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
  const std::vector<uint8_t> bmp = TilesBmp(set->width, set->height, set->frames);
  cacheUsable = ImageFromPackedBmp(&cached, bmp.data(), bmp.size(), 0) == 1;
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
