#pragma once
// The game's puzzles: 202 of 81 cells each, row by row, 0 for an empty cell.
// The build makes the table from content/numgrid/puzzles.txt.

#include <cstdint>

#include "games/numgrid/numgrid_rules.h"

namespace numgrid {

extern const uint8_t kPuzzles[kPuzzleCount][kPuzzleCells];

}  // namespace numgrid
