#pragma once
// Makes the number grid's puzzles: each starts from a random full grid, and
// cells are emptied in random order as long as the puzzle keeps exactly one
// solution, until it is down to the number of givens its level asks for.
// The same seed gives the same puzzles on every machine.

#include <cstdint>
#include <random>
#include <string>

#include "games/numgrid/puzzles/puzzle_solver.h"

namespace puzzles {

// A run of puzzle indices and the givens each keeps: `givens` plus up to
// `spread` - 1 more, drawn per puzzle.
struct LevelPlan {
  const char* name;
  int first;
  int last;
  int givens;
  int spread;
};

// The game's levels in index order; index 80 is never chosen by the game.
inline constexpr LevelPlan kLevelPlans[] = {
    {"level 1", 0, 19, 40, 3},       {"level 2", 20, 49, 34, 3},  {"level 3", 50, 79, 30, 2},
    {"never chosen", 80, 80, 29, 1}, {"level 4", 81, 100, 27, 2}, {"level 5", 101, 201, 23, 2},
};

// Puzzle 0 is fixed by the game, row by row.
inline constexpr char kPuzzleZero[] =
    "980006300000307520023050409162004905800605003504200671301060890049803000008900032";

// One puzzle with exactly `givens` given cells and a single solution.
Grid MakePuzzle(std::mt19937& random, int givens);

// The text of the puzzle file: a header, then each level's comment line and
// its puzzles, one line of 81 digits each; puzzle 0 is kPuzzleZero.
std::string GeneratePuzzleFile(std::uint32_t seed);

}  // namespace puzzles
