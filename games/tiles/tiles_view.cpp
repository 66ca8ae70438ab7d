#include "games/tiles/tiles_view.h"

#include "games/tiles/tiles_package.h"
#include "host/canvas.h"
#include "host/res.h"

namespace tiles {
namespace {

constexpr int32_t kOpaque = 0;
constexpr int32_t kTransparent = 1;

bool Load(void* package, uint32_t id, ImageRef* image) {
  return ResLoadImage(image, 1, id, package) != nullptr && image->bitmap != nullptr;
}

void DrawAt(Cell cell, const ImageRef& image, Canvas* target, int32_t mode) {
  DrawImage(int16_t(CellX(cell)), int16_t(CellY(cell)), kCellSize, kCellSize, 0, 0, image, target,
            mode);
}

// The cell's square of the background, opaque.
void DrawBackgroundAt(Cell cell, const TilesPictures& pictures) {
  DrawImage(int16_t(CellX(cell)), int16_t(CellY(cell)), kCellSize, kCellSize,
            int16_t(CellX(cell)), int16_t(CellY(cell)), pictures.background, nullptr, kOpaque);
}

}  // namespace

bool LoadPictures(void* package, TilesPictures* pictures) {
  bool all = Load(package, kBackgroundId, &pictures->background) &&
             Load(package, kMarkerId, &pictures->marker);
  for (int kind = 1; kind <= kKinds; ++kind) {
    all = all && Load(package, TileId(kind), &pictures->tile[kind]) &&
          Load(package, LitTileId(kind), &pictures->litTile[kind]);
  }
  return all;
}

void DrawDeal(const TilesState& state, const TilesPictures& pictures, Canvas* work) {
  DrawImage(0, 0, kScreenWidth, kScreenHeight, 0, 0, pictures.background, work, kOpaque);
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      const uint8_t kind = state.board[column][row];
      if (kind != 0) DrawAt({column, row}, pictures.tile[kind], work, kTransparent);
    }
  }
  if (work) CanvasCopy(nullptr, work);
}

void DrawClick(const ClickResult& click, const TilesPictures& pictures) {
  switch (click.change) {
    case Change::kNone:
      break;
    case Change::kReselect:
      DrawBackgroundAt(click.previous, pictures);
      DrawAt(click.previous, pictures.tile[click.previousKind], nullptr, kTransparent);
      [[fallthrough]];
    case Change::kSelect:
      DrawAt(click.cell, pictures.litTile[click.kind], nullptr, kOpaque);
      break;
    case Change::kMatch:
      DrawBackgroundAt(click.previous, pictures);
      DrawBackgroundAt(click.cell, pictures);
      // Every cell of the path but the start, the selection taken off.
      for (int i = 0; i + 1 < click.path.length; ++i) {
        DrawAt(click.path.cells[i], pictures.marker, nullptr, kTransparent);
      }
      break;
  }
}

}  // namespace tiles
