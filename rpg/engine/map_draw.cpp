#include "rpg/engine/map_draw.h"

#include "host/canvas.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_canvas.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprites.h"
#include "rpg/engine/tile_cache.h"

namespace {

constexpr int kCell = 16;
constexpr uint8_t kTileImageMask = 0x7F;

int CellTile(int col, int row) { return game.viewCells[row][col][0] & kTileImageMask; }
int16_t CellX(int col) { return int16_t(8 + kCell * col); }
int16_t CellY(int row) { return int16_t(kCell * row); }

void DrawCell(int col, int row) {
  DrawTile(CellTile(col, row), CellX(col), CellY(row), game.sceneCanvas);
}

void DrawRow(int row) {
  for (int col = 0; col < kViewCols; ++col) DrawCell(col, row);
}

// Draws a cell into the kept map picture.
void KeepCell(int col, int row) {
  ForEachKeptPlace(CellX(col), CellY(row), kCell, kCell, [&](int16_t x, int16_t y) {
    DrawTile(CellTile(col, row), x, y, game.mapCanvas);
  });
}

// One cell's scroll: the kept picture moved by (dx, dy) cells, the exposed
// column or row of cells drawn into it, and the scene made from it.
void Scroll(int dx, int dy) {
  ScrollKeptScene(kCell * dx, kCell * dy);
  if (dx != 0) {
    const int col = dx > 0 ? 0 : kViewCols - 1;
    for (int row = 0; row < kViewRows; ++row) KeepCell(col, row);
  } else {
    const int row = dy > 0 ? 0 : kViewRows - 1;
    for (int col = 0; col < kViewCols; ++col) KeepCell(col, row);
  }
  ShowKeptScene(game.sceneCanvas);
}

}  // namespace

void ChangeMap(uint8_t id1, uint8_t id2, uint8_t x, uint8_t y) {
  LoadMap(id1, id2);
  if (game.runStatus) return;
  game.viewX = x;
  game.viewY = y;
  RefreshViewCells();
  DrawMap();
  if (!game.runStatus) PresentScene();
}

void DrawMap() {
  if (game.runStatus) return;
  switch (game.scrollDir) {
    case 1: Scroll(1, 0); break;
    case 2: Scroll(-1, 0); break;
    case 3: Scroll(0, 1); break;
    case 4: Scroll(0, -1); break;
    default:
      for (int row = 0; row < kViewRows; ++row) DrawRow(row);
      SaveScene();
  }
  game.scrollDir = 0;
}

void RestoreTilesUnder(int col, int row) {
  if (col < 0 || col >= kViewCols || row < 0 || row > kViewRows) return;
  if (row > 0) {
    DrawCell(col, row - 1);
    PresentScene();
  }
  if (row != kViewRows) {
    DrawCell(col, row);
    PresentScene();
  }
}

void Redraw() {
  if (game.redrawFlags & kRedrawMap) DrawMap();
  if (game.redrawFlags & kRedrawHero) DrawHero();
  if (game.redrawFlags & kRedrawNpcs) DrawAllNpcs();
  if (game.showCoords) DrawCoords();
  game.redrawFlags = 0;
}

void DrawCoords() {
  DrawPic(11, 2, 17, 0, 10, 3);
  DrawNumber(15, 8, uint32_t(game.viewX + 4), 1);
  DrawNumber(34, 8, uint32_t(game.viewY + 3), 1);
}
