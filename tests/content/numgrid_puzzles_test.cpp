// The number grid's puzzle file as shipped: the game's table holds it, the
// puzzle tool makes it, and its givens fall from level to level.

#include "games/numgrid/numgrid_puzzles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "games/numgrid/puzzles/puzzle_generator.h"
#include "games/numgrid/puzzles/puzzle_text.h"
#include "tests/support/scratch.h"

namespace {

using namespace numgrid;

const std::string kPuzzleFile = std::string(TOVSIM_SOURCE_DIR) + "/content/numgrid/puzzles.txt";

TEST(NumGridPuzzles, TheTableHoldsTheFileWithPuzzleZeroAsTheGameHasIt) {
  static_assert(std::size(kPuzzles) == 202);
  const std::string zero = "980006300000307520023050409"
                           "162004905800605003504200671"
                           "301060890049803000008900032";
  for (int i = 0; i < kPuzzleCells; ++i) EXPECT_EQ(kPuzzles[0][i], zero[i] - '0') << i;

  codec::Diagnostics diag;
  const auto file =
      puzzles::ReadPuzzleText(testsupport::ReadFile(kPuzzleFile), "puzzles.txt", diag);
  ASSERT_TRUE(file) << diag.Text();
  ASSERT_EQ(file->size(), std::size(kPuzzles));
  for (std::size_t p = 0; p < file->size(); ++p) {
    EXPECT_TRUE(std::equal((*file)[p].grid.begin(), (*file)[p].grid.end(), kPuzzles[p])) << p;
  }
}

TEST(NumGridPuzzles, TheFileIsWhatTheGeneratorMakes) {
  EXPECT_EQ(puzzles::GeneratePuzzleFile(1), testsupport::ReadFile(kPuzzleFile));
}

TEST(NumGridPuzzles, GivensFallFromLevelToLevel) {
  const struct { int first, last; } levels[] = {{0, 19}, {20, 49}, {50, 79}, {81, 100}, {101, 201}};
  double previous = kPuzzleCells;
  for (const auto& level : levels) {
    double sum = 0;
    for (int index = level.first; index <= level.last; ++index) {
      for (uint8_t digit : kPuzzles[index]) sum += digit != 0;
    }
    const double average = sum / (level.last - level.first + 1);
    EXPECT_LT(average, previous - 2) << "puzzles " << level.first << " to " << level.last;
    previous = average;
  }
  // Even the hardest keep enough givens to be fair, yet fewer than 25.
  EXPECT_GE(previous, 22);
  EXPECT_LT(previous, 25);
}

}  // namespace
