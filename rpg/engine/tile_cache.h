#pragma once
// Drawing map tiles. A tile set is drawn through one bitmap made from all its
// tiles the first time it is used: the same pixels BlitMono would put, copied
// a tile at a time instead of a pixel at a time, which keeps a full map frame
// cheap. The bitmap goes when another tile set is drawn, a map is loaded or
// the game releases its resources.

#include <cstdint>

// Tile `tile` of the current tile set at (x, y) into sceneCanvas, opaque; a
// tile the set lacks is a white 16 x 16 cell.
void DrawTile(int tile, int16_t x, int16_t y);

void ReleaseTileCache();
