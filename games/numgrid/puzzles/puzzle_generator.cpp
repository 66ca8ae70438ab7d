#include "games/numgrid/puzzles/puzzle_generator.h"

#include <numeric>
#include <set>
#include <utility>

#include "games/numgrid/puzzles/puzzle_text.h"

namespace puzzles {

namespace {

// Empties cells of `solution` in random order while one solution remains;
// nothing when it cannot get down to `givens`.
std::optional<Grid> Thin(Grid puzzle, std::mt19937& random, int givens) {
  std::array<int, 81> order;
  std::iota(order.begin(), order.end(), 0);
  for (int i = 80; i > 0; --i) std::swap(order[i], order[RandomBelow(random, i + 1)]);
  int left = 81;
  for (int cell : order) {
    if (left == givens) return puzzle;
    const std::uint8_t digit = puzzle[cell];
    puzzle[cell] = 0;
    if (CountSolutions(puzzle, 2) == 1) {
      --left;
    } else {
      puzzle[cell] = digit;
    }
  }
  if (left == givens) return puzzle;
  return std::nullopt;
}

}  // namespace

Grid MakePuzzle(std::mt19937& random, int givens) {
  for (;;) {
    if (auto puzzle = Thin(RandomSolution(random), random, givens)) return *puzzle;
  }
}

std::string GeneratePuzzleFile(std::uint32_t seed) {
  std::mt19937 random(seed);
  std::string text =
      "# Number-grid puzzles in index order, one line each: 81 digits row by row,\n"
      "# 0 for an empty cell. Puzzle 0 is fixed by the game; the others were made by\n"
      "# `numgrid_puzzles generate --seed " +
      std::to_string(seed) +
      "`, each with exactly one solution.\n"
      "# The build turns this file into the game's table.\n";
  std::set<Grid> made;
  for (const LevelPlan& plan : kLevelPlans) {
    text += "\n# " + std::string(plan.name) + ": puzzles " + std::to_string(plan.first);
    if (plan.last != plan.first) text += " to " + std::to_string(plan.last);
    text += "\n";
    const auto make = [&] {
      return MakePuzzle(random, plan.givens + RandomBelow(random, plan.spread));
    };
    for (int index = plan.first; index <= plan.last; ++index) {
      Grid puzzle = index == 0 ? *ParseGrid(kPuzzleZero) : make();
      while (!made.insert(puzzle).second) puzzle = make();
      text += FormatGrid(puzzle) + "\n";
    }
  }
  return text;
}

}  // namespace puzzles
