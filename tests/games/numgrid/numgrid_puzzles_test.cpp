// The tool that makes the puzzle table: its solver agrees with the game's
// rule, the puzzles it makes have one solution, and it reads and checks
// puzzle files naming every fault.

#include "games/numgrid/numgrid_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "games/numgrid/puzzles/puzzle_generator.h"
#include "games/numgrid/puzzles/puzzle_text.h"

namespace {

using namespace numgrid;

// Every digit on the board could have been placed there without it.
bool KeepsTheRules(NumGridState& state) {
  for (int i = 0; i < kPuzzleCells; ++i) {
    const CellPos at{i % kGridSize + 1, i / kGridSize + 1};
    const uint8_t digit = CellOf(state, at).digit;
    CellOf(state, at).digit = 0;
    const bool allowed = digit == 0 || CanPlace(state, at, digit) == Placement::kAllowed;
    CellOf(state, at).digit = digit;
    if (!allowed) return false;
  }
  return true;
}

TEST(PuzzleTool, SolverCountsNoneOneOrMany) {
  const puzzles::Grid zero = *puzzles::ParseGrid(puzzles::kPuzzleZero);
  puzzles::Grid solution{};
  EXPECT_EQ(puzzles::CountSolutions(zero, 5, &solution), 1);
  NumGridState state = NewGameState();
  for (int i = 0; i < kPuzzleCells; ++i) {
    EXPECT_TRUE(zero[i] == 0 || zero[i] == solution[i]) << i;
    EXPECT_NE(solution[i], 0) << i;
    CellOf(state, {i % 9 + 1, i / 9 + 1}).digit = solution[i];
  }
  EXPECT_TRUE(KeepsTheRules(state));

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

}  // namespace
