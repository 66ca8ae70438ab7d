#pragma once
// A solver for 9 x 9 number grids, for the puzzle tool: it counts solutions
// (to prove a puzzle has exactly one) and fills an empty grid at random
// (to start a new puzzle from).

#include <array>
#include <cstdint>
#include <random>

namespace puzzles {

// 81 cells row by row, 0 for an empty cell, else the digit 1 to 9.
using Grid = std::array<std::uint8_t, 81>;

// True when every cell holds 0 to 9 and no digit stands twice in a row, a
// column or a 3 x 3 box.
bool Consistent(const Grid& grid);

// The number of solutions, counting no further than `limit`; the first one
// found goes to `solution` when given. 0 for an inconsistent grid.
int CountSolutions(const Grid& grid, int limit, Grid* solution = nullptr);

// A completely filled grid obeying the rules, drawn from `random`.
Grid RandomSolution(std::mt19937& random);

// An index below `n` from `random`. The standard's distributions differ
// between libraries; this keeps the tool's output the same everywhere.
inline int RandomBelow(std::mt19937& random, int n) { return int(random() % std::uint32_t(n)); }

}  // namespace puzzles
