#include "rpg/engine/map_draw.h"

#include "host/canvas.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprites.h"
#include "rpg/engine/tile_cache.h"

namespace {

constexpr int kCell = 16;
constexpr uint8_t kTileImageMask = 0x7F;
constexpr int16_t kStrip = 8, kRightStrip = 152, kScreenBottom = 95;

void DrawCell(int col, int row) {
  DrawTile(game.viewCells[row][col][0] & kTileImageMask, int16_t(kStrip + kCell * col),
           int16_t(kCell * row));
}

void DrawColumn(int col) {
  for (int row = 0; row < kViewRows; ++row) DrawCell(col, row);
}

void DrawRow(int row) {
  for (int col = 0; col < kViewCols; ++col) DrawCell(col, row);
}

// A sideways shift of the map picture pushes map pixels into the 8-pixel
// strip beside the window on the side it shifts toward: that strip, outside
// the map's window, gets back the colour it had (white, or black after a
// battle), as the strip on the other side keeps its own.
void RestoreStrip(int16_t left) {
  const uint32_t colour = GetPixelColor(left, 0, game.mapCanvas);
  FillRectColor(left, 0, int16_t(left + kStrip - 1), kScreenBottom, colour, game.sceneCanvas);
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
    case 1:
      CanvasCopyAt(kCell, 0, game.sceneCanvas, game.mapCanvas);
      RestoreStrip(kRightStrip);
      DrawColumn(0);
      break;
    case 2:
      CanvasCopyAt(-kCell, 0, game.sceneCanvas, game.mapCanvas);
      RestoreStrip(0);
      DrawColumn(kViewCols - 1);
      break;
    case 3:
      CanvasCopyAt(0, kCell, game.sceneCanvas, game.mapCanvas);
      DrawRow(0);
      break;
    case 4:
      CanvasCopyAt(0, -kCell, game.sceneCanvas, game.mapCanvas);
      DrawRow(kViewRows - 1);
      break;
    default:
      for (int row = 0; row < kViewRows; ++row) DrawRow(row);
  }
  game.scrollDir = 0;
  SaveScene();
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
