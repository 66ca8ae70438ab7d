// The game's puzzle table and the tool that makes it: the table is the
// puzzle file, puzzle 0 is the game's own, every puzzle keeps to the rules
// and has exactly one solution (found here by a solver of the test's own,
// on the game's rules), and the givens fall from level to level.

#include "games/numgrid/numgrid_puzzles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

#include "games/numgrid/puzzles/puzzle_generator.h"
#include "games/numgrid/puzzles/puzzle_text.h"
#include "tests/support/scratch.h"

namespace {

using namespace numgrid;

const std::filesystem::path kPuzzleFile =
    std::filesystem::path(TOVSIM_SOURCE_DIR) / "content/numgrid/puzzles.txt";

NumGridState Board(int index) {
  NumGridState state = NewGameState();
  DealPuzzle(state, kPuzzles[index]);
  return state;
}

// Counts the solutions of the board up to `limit`, placing digits only where
// the game's own rule allows them: always on the empty cell with the fewest
// allowed digits.
int CountSolutions(NumGridState& state, int limit) {
  CellPos best{0, 0};
  int fewest = kGridSize + 1;
  for (int column = 1; column <= kGridSize && fewest > 1; ++column) {
    for (int row = 1; row <= kGridSize && fewest > 1; ++row) {
      if (CellOf(state, {column, row}).digit != 0) continue;
      int allowed = 0;
      for (int digit = 1; digit <= kGridSize; ++digit)
        allowed += CanPlace(state, {column, row}, digit) == Placement::kAllowed;
      if (allowed < fewest) fewest = allowed, best = {column, row};
    }
  }
  if (best.column == 0) return 1;
  int found = 0;
  for (int digit = 1; digit <= kGridSize && found < limit; ++digit) {
    if (CanPlace(state, best, digit) != Placement::kAllowed) continue;
    CellOf(state, best).digit = uint8_t(digit);
    found += CountSolutions(state, limit - found);
    CellOf(state, best).digit = 0;
  }
  return found;
}

int Givens(int index) {
  int givens = 0;
  for (uint8_t digit : kPuzzles[index]) givens += digit != 0;
  return givens;
}

TEST(PuzzleTable, HoldsTheFileWithPuzzleZeroAsTheGameHasIt) {
  static_assert(std::size(kPuzzles) == 202);
  const uint8_t rows[9][9] = {
      {9, 8, 0, 0, 0, 6, 3, 0, 0}, {0, 0, 0, 3, 0, 7, 5, 2, 0}, {0, 2, 3, 0, 5, 0, 4, 0, 9},
      {1, 6, 2, 0, 0, 4, 9, 0, 5}, {8, 0, 0, 6, 0, 5, 0, 0, 3}, {5, 0, 4, 2, 0, 0, 6, 7, 1},
      {3, 0, 1, 0, 6, 0, 8, 9, 0}, {0, 4, 9, 8, 0, 3, 0, 0, 0}, {0, 0, 8, 9, 0, 0, 0, 3, 2},
  };
  for (int i = 0; i < kPuzzleCells; ++i) EXPECT_EQ(kPuzzles[0][i], rows[i / 9][i % 9]) << i;

  codec::Diagnostics diag;
  const auto file =
      puzzles::ReadPuzzleText(testsupport::ReadFile(kPuzzleFile), "puzzles.txt", diag);
  ASSERT_TRUE(file) << diag.Text();
  ASSERT_EQ(file->size(), std::size(kPuzzles));
  for (std::size_t p = 0; p < file->size(); ++p) {
    EXPECT_TRUE(std::equal((*file)[p].grid.begin(), (*file)[p].grid.end(), kPuzzles[p])) << p;
  }
}

TEST(PuzzleTable, EveryPuzzleKeepsTheRulesAndHasExactlyOneSolution) {
  std::set<std::vector<uint8_t>> seen;
  for (int index = 0; index < kPuzzleCount; ++index) {
    NumGridState state = Board(index);
    // Each given digit could have been placed on the board without it.
    for (int column = 1; column <= kGridSize; ++column) {
      for (int row = 1; row <= kGridSize; ++row) {
        Cell& cell = CellOf(state, {column, row});
        const uint8_t digit = cell.digit;
        if (digit == 0) continue;
        cell.digit = 0;
        EXPECT_EQ(CanPlace(state, {column, row}, digit), Placement::kAllowed) << "puzzle " << index;
        cell.digit = digit;
      }
    }
    EXPECT_EQ(CountSolutions(state, 2), 1) << "puzzle " << index;
    EXPECT_TRUE(seen.emplace(kPuzzles[index], kPuzzles[index] + kPuzzleCells).second)
        << "puzzle " << index;
  }
}

TEST(PuzzleTable, GivensFallFromLevelToLevel) {
  const struct { int first, last; } levels[] = {{0, 19}, {20, 49}, {50, 79}, {81, 100}, {101, 201}};
  double previous = kPuzzleCells;
  for (const auto& level : levels) {
    double sum = 0;
    for (int index = level.first; index <= level.last; ++index) sum += Givens(index);
    const double average = sum / (level.last - level.first + 1);
    EXPECT_LT(average, previous - 2) << "puzzles " << level.first << " to " << level.last;
    previous = average;
  }
  // Even the hardest keep enough givens to be fair, yet fewer than 25.
  EXPECT_GE(previous, 22);
  EXPECT_LT(previous, 25);
}

TEST(PuzzleTool, TheFileIsWhatTheGeneratorMakes) {
  EXPECT_EQ(puzzles::GeneratePuzzleFile(1), testsupport::ReadFile(kPuzzleFile));
}

TEST(PuzzleTool, SolverCountsNoneOneOrMany) {
  const puzzles::Grid zero = *puzzles::ParseGrid(puzzles::kPuzzleZero);
  puzzles::Grid solution{};
  EXPECT_EQ(puzzles::CountSolutions(zero, 5, &solution), 1);
  NumGridState state = NewGameState();
  for (int i = 0; i < kPuzzleCells; ++i) {
    EXPECT_TRUE(zero[i] == 0 || zero[i] == solution[i]) << i;
    CellOf(state, {i % 9 + 1, i / 9 + 1}).digit = solution[i];
  }
  EXPECT_TRUE(BoardFilled(state));
  EXPECT_EQ(CountSolutions(state, 2), 1);

  EXPECT_EQ(puzzles::CountSolutions(puzzles::Grid{}, 3), 3);
  puzzles::Grid twice = zero;
  twice[2] = 9;  // 9 twice in row 1
  EXPECT_FALSE(puzzles::Consistent(twice));
  EXPECT_EQ(puzzles::CountSolutions(twice, 2), 0);
  // Consistent, yet stuck: row 1 holds 1 to 8 and column 9 holds a 9.
  puzzles::Grid stuck = *puzzles::ParseGrid(std::string("123456780") + std::string(71, '0') + "9");
  EXPECT_TRUE(puzzles::Consistent(stuck));
  EXPECT_EQ(puzzles::CountSolutions(stuck, 2), 0);
  puzzles::Grid badDigit{};
  badDigit[40] = 10;
  EXPECT_FALSE(puzzles::Consistent(badDigit));
}

TEST(PuzzleTool, MadePuzzlesHaveTheirGivensAndOneSolution) {
  std::mt19937 random(7);
  for (int givens : {24, 30, 40}) {
    const puzzles::Grid puzzle = puzzles::MakePuzzle(random, givens);
    EXPECT_EQ(std::count_if(puzzle.begin(), puzzle.end(), [](uint8_t d) { return d != 0; }),
              givens);
    EXPECT_EQ(puzzles::CountSolutions(puzzle, 2), 1);
  }
}

TEST(PuzzleTool, ReadingNamesTheLineAndColumnOfEveryFault) {
  const std::string good(81, '0');
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"# c\n\n" + good + "\r\n  # indented comment\n" + good, ""},
      {good.substr(0, 80) + "\n", "p.txt:1: error: a puzzle line has 81 digits, this one has 80"},
      {"#\n" + good + "0\n", "p.txt:2: error: a puzzle line has 81 digits, this one has 82"},
      {good.substr(0, 10) + "x" + good.substr(11),
       "p.txt:1:11: error: a puzzle line holds only the digits 0 to 9"},
      {good + "\n" + good.substr(0, 40) + " " + good.substr(41) + "\n",
       "p.txt:2:41: error: a puzzle line holds only the digits 0 to 9"},
  };
  for (const auto& c : cases) {
    codec::Diagnostics diag;
    const auto read = puzzles::ReadPuzzleText(c.text, "p.txt", diag);
    EXPECT_EQ(diag.Text(), c.error.empty() ? "" : c.error + "\n");
    EXPECT_EQ(read.has_value(), c.error.empty());
    if (read) {
      EXPECT_EQ(read->size(), 2u);
      EXPECT_EQ(read->back().line, 5);
    }
  }
}

TEST(PuzzleTool, CheckingReportsCountRepeatsBrokenRulesAndSolutions) {
  const puzzles::Grid zero = *puzzles::ParseGrid(puzzles::kPuzzleZero);
  puzzles::Grid twice = zero;
  twice[2] = 9;
  const std::vector<puzzles::FilePuzzle> file = {
      {zero, 3}, {zero, 4}, {twice, 5}, {puzzles::Grid{}, 6}};
  codec::Diagnostics diag;
  EXPECT_FALSE(puzzles::CheckPuzzles(file, 3, "p.txt", diag));
  EXPECT_EQ(diag.Text(),
            "p.txt: error: the game needs 3 puzzles, the file has 4\n"
            "p.txt:4: error: puzzle 1 repeats puzzle 0\n"
            "p.txt:5: error: puzzle 2 has a digit twice in a row, a column or a box\n"
            "p.txt:6: error: puzzle 3 has more than one solution\n");
  codec::Diagnostics fine;
  EXPECT_TRUE(puzzles::CheckPuzzles({{zero, 1}}, 1, "p.txt", fine)) << fine.Text();
}

TEST(PuzzleTool, TheTableSourceListsEveryCellInOrder) {
  puzzles::Grid grid{};
  grid[0] = 9, grid[80] = 1;
  std::string row = "{9,";
  for (int i = 1; i < 80; ++i) row += "0,";
  row += "1}";
  const std::string source = puzzles::TableSource({{grid, 1}}, "p.txt");
  EXPECT_NE(source.find("#include \"games/numgrid/numgrid_puzzles.h\""), std::string::npos);
  EXPECT_NE(source.find(row), std::string::npos) << source;
}

}  // namespace
