#pragma once
// The current map and its tile set as the library holds them, and the view
// window's copy of its cells. Failures set runStatus: 2 a wrong block tag or
// a map or tile set running past its block or the file, 3 a missing key, 4 a
// map whose header does not name its key, 6 a view that does not fit.

#include <cstdint>
#include <optional>
#include <span>

// Makes map (2, id1, id2) current: its location, name (when it has one),
// size and tile set.
void LoadMap(uint8_t id1, uint8_t id2);

// Copies the window's 9 x 6 cells from the map at (viewX, viewY).
void RefreshViewCells();

// The event number of map cell (x, y): its event byte + 40, or 0 for none
// and for a cell outside the map.
int MapEventAt(int x, int y);

struct MapCellBytes {
  uint8_t tile;
  uint8_t event;
};
// Map cell (x, y), or nothing outside the map (or with no map loaded).
std::optional<MapCellBytes> MapCellAt(int x, int y);

// The rows of tile `tile` of the current tile set (ceil(tileWidth / 8)
// bytes each), or empty when the set lacks it.
std::span<const uint8_t> TileBits(int tile);
