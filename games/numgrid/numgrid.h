#pragma once
// The number grid: a 9 x 9 puzzle for the mouse in portrait mode. The
// player picks a digit from the palette and puts it into empty cells; a
// digit already standing in the cell's row, column or box is refused. Given
// digits come from a table of 202 puzzles in five levels.

#include "games/numgrid/numgrid_rules.h"

// Runs until Escape or the Exit button; registered as "numgrid".
void NumGridMain();

// The game's state, for tests and diagnostics.
const numgrid::NumGridState& GetNumGridState();
