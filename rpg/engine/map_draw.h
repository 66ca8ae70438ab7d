#pragma once
// Drawing the map window into sceneCanvas: 9 x 6 cells of 16 pixels from
// x = 8. mapCanvas keeps the tiles without sprites; a scroll shifts the last
// picture one cell and draws only the cells it exposes.

#include <cstdint>

// LoadMap, the view at (x, y), its cells, the whole window drawn and shown.
void ChangeMap(uint8_t id1, uint8_t id2, uint8_t x, uint8_t y);
// The window by scrollDir: 0 every cell, 1 ... 4 one new column or row;
// then scrollDir is 0 and the picture is kept in mapCanvas.
void DrawMap();
// Redraws the tiles under a sprite standing on window cell (col, row): the
// cell above it (row > 0) and its own (row != 6), showing each.
void RestoreTilesUnder(int col, int row);
// What redrawFlags asks for (map, hero, map characters), the coordinates
// when they are on; then redrawFlags is 0.
void Redraw();
// The hero's map cell in digit pictures over picture (11, 2, 17).
void DrawCoords();
