// The number grid's rules: choosing a puzzle, what a point on the screen
// hits, placing and erasing digits.

#include "games/numgrid/numgrid_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <vector>

#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_puzzles.h"

namespace {

using namespace numgrid;

// The puzzles ChoosePuzzle picks for `level` over every random number
// (0 to 32767) are exactly first to last.
void ExpectRange(int level, int first, int last) {
  std::set<int> indices;
  for (uint32_t random = 0; random < 32768; ++random) indices.insert(ChoosePuzzle(level, random));
  EXPECT_EQ(indices.size(), std::size_t(last - first + 1)) << level;
  EXPECT_EQ(*indices.begin(), first) << level;
  EXPECT_EQ(*indices.rbegin(), last) << level;
}

TEST(ChoosePuzzle, EachLevelYieldsExactlyItsRange) {
  ExpectRange(1, 0, 19);
  ExpectRange(2, 20, 49);
  ExpectRange(3, 50, 79);
  ExpectRange(4, 81, 100);
  ExpectRange(5, 101, 201);
  // The index is the random number modulo the range's size plus its start.
  EXPECT_EQ(ChoosePuzzle(5, 101), 101);
  EXPECT_EQ(ChoosePuzzle(4, 21), 82);
  // A level that cannot be set counts as level 1.
  ExpectRange(0, 0, 19);
  ExpectRange(6, 0, 19);
}

TEST(HitAreas, BoardPaletteBarLevelsOkAndCancelEachHitOnlyInsideTheirAreas) {
  constexpr int N = int(Button::kNew), E = int(Button::kErase), L = int(Button::kLevel),
                X = int(Button::kExit), OK = int(DialogButton::kOk),
                C = int(DialogButton::kCancel);
  const struct {
    const char* name;
    int (*at)(int x, int y);
    std::vector<std::array<int, 3>> points;  // x, y, what is hit (0 nothing)
  } areas[] = {
      // Cells (as column * 10 + row) take the gap after them.
      {"board",
       [](int x, int y) {
         const std::optional<CellPos> cell = BoardCellAt(x, y);
         return cell ? cell->column * 10 + cell->row : 0;
       },
       {{7, 8, 11}, {30, 31, 11}, {31, 8, 21}, {7, 32, 12}, {81, 82, 44}, {230, 231, 99},
        {206, 207, 99}, {205, 206, 88}, {6, 8, 0}, {7, 7, 0}, {231, 8, 0}, {7, 232, 0},
        {-18, 8, 0}, {7, -17, 0}, {-1000, -1000, 0}}},
      // A gap column belongs to the next digit; right of 9 is nothing.
      {"palette", PaletteDigitAt,
       {{7, 249, 1}, {30, 272, 1}, {31, 260, 2}, {32, 260, 2}, {55, 260, 2}, {56, 260, 3},
        {206, 260, 9}, {230, 260, 9}, {231, 260, 0}, {6, 260, 0}, {100, 248, 0},
        {100, 273, 0}, {-20, 260, 0}, {100, -60, 0}}},
      {"bar", [](int x, int y) { return int(ButtonAt(x, y)); },
       {{15, 290, N}, {53, 306, N}, {14, 300, 0}, {54, 300, 0}, {30, 289, 0}, {30, 307, 0},
        {71, 290, E}, {109, 306, E}, {110, 300, 0}, {127, 298, L}, {165, 298, L},
        {126, 298, 0}, {183, 290, X}, {221, 306, X}, {222, 306, 0}, {8, 288, 0},
        {230, 300, 0}}},
      {"levels", LevelAt,
       {{90, 15, 1}, {155, 44, 1}, {89, 30, 0}, {156, 30, 0}, {120, 14, 0}, {120, 45, 0},
        {26, 72, 2}, {91, 101, 2}, {92, 90, 0}, {145, 72, 3}, {209, 101, 3}, {144, 80, 0},
        {210, 80, 0}, {26, 129, 4}, {91, 159, 4}, {50, 160, 0}, {145, 129, 5},
        {209, 159, 5}, {150, 128, 0}, {120, 110, 0}}},
      {"OK and Cancel", [](int x, int y) { return int(DialogButtonAt(x, y)); },
       {{51, 288, OK}, {94, 307, OK}, {50, 300, 0}, {95, 300, 0}, {70, 287, 0}, {70, 308, 0},
        {144, 288, C}, {186, 307, C}, {143, 300, 0}, {187, 300, 0}, {120, 300, 0}}},
  };
  for (const auto& area : areas) {
    for (const auto& [x, y, hit] : area.points) {
      EXPECT_EQ(area.at(x, y), hit) << area.name << " " << x << ", " << y;
    }
  }
}

TEST(PointFromLParam, CoordinatesAreSigned16Bits) {
  const Point point = PointFromLParam(0xFFF6'0005u);
  EXPECT_EQ(point.x, 5);
  EXPECT_EQ(point.y, -10);
  EXPECT_EQ(PointFromLParam(0x0140'FFFFu).x, -1);
  EXPECT_EQ(PointFromLParam(0x0140'FFFFu).y, 320);
}

// A board with a few digits: given 5 at (1, 1), the player's 7 at (5, 2),
// given 3 at (9, 9).
NumGridState SampleBoard() {
  NumGridState state = NewGameState();
  CellOf(state, {1, 1}) = Cell{5, 0};
  CellOf(state, {5, 2}) = Cell{7, 1};
  CellOf(state, {9, 9}) = Cell{3, 0};
  return state;
}

TEST(CanPlace, RefusedByBoxThenRowThenColumnAndNeverOnAFilledCell) {
  const NumGridState state = SampleBoard();
  const struct {
    CellPos at;
    int digit;
    Placement expected;
  } cases[] = {
      {{2, 1}, 5, Placement::kInBox},     // box and row: the box is named first
      {{3, 3}, 5, Placement::kInBox},     // box only
      {{9, 1}, 5, Placement::kInRow},     // row only
      {{1, 9}, 5, Placement::kInColumn},  // column only
      {{4, 1}, 7, Placement::kInBox},     // the player's digits count too
      {{1, 2}, 7, Placement::kInRow},    {{5, 8}, 7, Placement::kInColumn},
      {{7, 7}, 3, Placement::kInBox},    {{2, 2}, 3, Placement::kAllowed},
      {{9, 8}, 1, Placement::kAllowed},  {{1, 1}, 1, Placement::kOccupied},  // a given cell
      {{5, 2}, 1, Placement::kOccupied},                                     // the player's cell
      {{1, 1}, 5, Placement::kOccupied},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CanPlace(state, c.at, c.digit), c.expected)
        << c.at.column << ", " << c.at.row << ": " << c.digit;
  }
}

TEST(ClickCell, ASelectedDigitIsPlacedRefusedOrIgnoredAndEraseEmptiesOnlyEditableCells) {
  NumGridState state = SampleBoard();
  constexpr int kKeep = -1;
  // In turn: erase mode started or not, a digit selected (0 none) or not,
  // then a click; what it did, the cell's digit then and the erase mode
  // after. Erase and the palette exclude each other.
  const struct {
    bool erase;
    int select;
    CellPos at;
    BoardOutcome outcome;
    int digit, eraseMode;
  } steps[] = {
      {false, 5, {2, 2}, BoardOutcome::kRefused, 0, 0},
      {false, kKeep, {4, 4}, BoardOutcome::kPlaced, 5, 0},
      {false, 2, {4, 4}, BoardOutcome::kNothing, 5, 0},  // a filled cell
      {false, kKeep, {1, 1}, BoardOutcome::kNothing, 5, 0},
      {true, kKeep, {1, 1}, BoardOutcome::kEraseOff, 5, 0},  // a given digit stays
      {false, kKeep, {5, 2}, BoardOutcome::kNothing, 7, 0},  // erase mode has ended
      {true, 0, {4, 4}, BoardOutcome::kNothing, 5, 0},       // neither selected nor erasing
      {true, kKeep, {5, 2}, BoardOutcome::kErased, 0, 0},
      {true, kKeep, {6, 6}, BoardOutcome::kErased, 0, 0},  // an empty cell is editable too
      {true, 6, {6, 6}, BoardOutcome::kPlaced, 6, 0},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const auto& step = steps[i];
    if (step.erase) StartErase(state);
    if (step.select != kKeep) SelectDigit(state, step.select);
    EXPECT_EQ(ClickCell(state, step.at), step.outcome) << "step " << i;
    EXPECT_EQ(CellOf(state, step.at).digit, step.digit) << "step " << i;
    EXPECT_EQ(state.eraseMode, step.eraseMode) << "step " << i;
  }
  EXPECT_EQ(CellOf(state, {4, 4}).editable, 1);
  EXPECT_EQ(CellOf(state, {5, 2}).editable, 1);
  // A new deal ends erase mode.
  StartErase(state);
  DealPuzzle(state, kPuzzles[0]);
  EXPECT_EQ(state.eraseMode, 0);
}

}  // namespace
