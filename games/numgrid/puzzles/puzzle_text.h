#pragma once
// The puzzle file (content/numgrid/puzzles.txt): one puzzle per line, 81
// digits row by row, 0 for an empty cell; blank lines and lines starting
// with '#' are ignored. Reading it, checking it, and turning it into the
// C++ source of the game's table.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/diagnostics.h"
#include "games/numgrid/puzzles/puzzle_solver.h"

namespace puzzles {

struct FilePuzzle {
  Grid grid;
  int line;  // where it stands in the file, from 1
};

// 81 digits, or nothing.
std::optional<Grid> ParseGrid(std::string_view digits);
std::string FormatGrid(const Grid& grid);

// Every puzzle line of `text`; errors name `file`, the line and the column.
std::optional<std::vector<FilePuzzle>> ReadPuzzleText(std::string_view text,
                                                      const std::string& file,
                                                      codec::Diagnostics& diag);

// Exactly `count` puzzles, each consistent, with exactly one solution, and no
// two alike; every problem is reported.
bool CheckPuzzles(const std::vector<FilePuzzle>& puzzles, std::size_t count,
                  const std::string& file, codec::Diagnostics& diag);

// The game's table as a C++ source file defining numgrid::kPuzzles.
std::string TableSource(const std::vector<FilePuzzle>& puzzles, const std::string& from);

}  // namespace puzzles
