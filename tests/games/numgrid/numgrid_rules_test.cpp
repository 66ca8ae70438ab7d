// The number grid's rules: choosing a puzzle, what a point on the screen
// hits, placing and erasing digits.

#include "games/numgrid/numgrid_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "games/numgrid/numgrid_layout.h"

namespace {

using namespace numgrid;

// Random gives 0 to 32767.
constexpr uint32_t kRandomValues = 32768;

std::set<int> Chosen(int level) {
  std::set<int> indices;
  for (uint32_t random = 0; random < kRandomValues; ++random)
    indices.insert(ChoosePuzzle(level, random));
  return indices;
}

std::set<int> Range(int first, int last) {
  std::set<int> indices;
  for (int i = first; i <= last; ++i) indices.insert(i);
  return indices;
}

TEST(ChoosePuzzle, EachLevelYieldsExactlyItsRange) {
  EXPECT_EQ(Chosen(1), Range(0, 19));
  EXPECT_EQ(Chosen(2), Range(20, 49));
  EXPECT_EQ(Chosen(3), Range(50, 79));
  EXPECT_EQ(Chosen(4), Range(81, 100));
  EXPECT_EQ(Chosen(5), Range(101, 201));
  // The index is the random number modulo the range's size plus its start.
  EXPECT_EQ(ChoosePuzzle(5, 101), 101);
  EXPECT_EQ(ChoosePuzzle(4, 21), 82);
  // A level that cannot be set counts as level 1.
  EXPECT_EQ(Chosen(0), Range(0, 19));
  EXPECT_EQ(Chosen(6), Range(0, 19));
}

struct PointCase {
  int x, y;
  std::optional<CellPos> cell;
};

TEST(BoardCellAt, CellsTakeTheGapAfterThemAndNothingOutsideTheBoard) {
  const PointCase cases[] = {
      {7, 8, CellPos{1, 1}},     {30, 31, CellPos{1, 1}},   {31, 8, CellPos{2, 1}},
      {7, 32, CellPos{1, 2}},    {81, 82, CellPos{4, 4}},   {230, 231, CellPos{9, 9}},
      {206, 207, CellPos{9, 9}}, {205, 206, CellPos{8, 8}}, {6, 8, std::nullopt},
      {7, 7, std::nullopt},      {231, 8, std::nullopt},    {7, 232, std::nullopt},
      {-18, 8, std::nullopt},    {7, -17, std::nullopt},    {-1000, -1000, std::nullopt},
  };
  for (const PointCase& c : cases) {
    EXPECT_EQ(BoardCellAt(c.x, c.y), c.cell) << c.x << ", " << c.y;
  }
}

TEST(PaletteDigitAt, TheGapColumnBelongsToTheNextDigitAndRightOfNineIsNothing) {
  const struct {
    int x, y, digit;
  } cases[] = {
      {7, 249, 1},   {30, 272, 1},  {31, 260, 2},  {32, 260, 2},  {55, 260, 2},
      {56, 260, 3},  {206, 260, 9}, {230, 260, 9}, {231, 260, 0}, {6, 260, 0},
      {100, 248, 0}, {100, 273, 0}, {-20, 260, 0}, {100, -60, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(PaletteDigitAt(c.x, c.y), c.digit) << c.x << ", " << c.y;
}

TEST(ButtonAt, OnlyTheHitAreasCount) {
  const struct {
    int x, y;
    Button button;
  } cases[] = {
      {15, 290, Button::kNew},    {53, 306, Button::kNew},    {14, 300, Button::kNone},
      {54, 300, Button::kNone},   {30, 289, Button::kNone},   {30, 307, Button::kNone},
      {71, 290, Button::kErase},  {109, 306, Button::kErase}, {110, 300, Button::kNone},
      {127, 298, Button::kLevel}, {165, 298, Button::kLevel}, {126, 298, Button::kNone},
      {183, 290, Button::kExit},  {221, 306, Button::kExit},  {222, 306, Button::kNone},
      {8, 288, Button::kNone},    {230, 300, Button::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(ButtonAt(c.x, c.y), c.button) << c.x << ", " << c.y;
}

TEST(LevelDialog, LevelsOkAndCancelHaveTheirHitAreas) {
  const struct {
    int x, y, level;
  } levels[] = {
      {90, 15, 1},   {155, 44, 1},  {89, 30, 0},   {156, 30, 0},  {120, 14, 0},
      {120, 45, 0},  {26, 72, 2},   {91, 101, 2},  {92, 90, 0},   {145, 72, 3},
      {209, 101, 3}, {144, 80, 0},  {210, 80, 0},  {26, 129, 4},  {91, 159, 4},
      {50, 160, 0},  {145, 129, 5}, {209, 159, 5}, {150, 128, 0}, {120, 110, 0},
  };
  for (const auto& c : levels) EXPECT_EQ(LevelAt(c.x, c.y), c.level) << c.x << ", " << c.y;

  const struct {
    int x, y;
    DialogButton button;
  } buttons[] = {
      {51, 288, DialogButton::kOk},      {94, 307, DialogButton::kOk},
      {50, 300, DialogButton::kNone},    {95, 300, DialogButton::kNone},
      {70, 287, DialogButton::kNone},    {70, 308, DialogButton::kNone},
      {144, 288, DialogButton::kCancel}, {186, 307, DialogButton::kCancel},
      {143, 300, DialogButton::kNone},   {187, 300, DialogButton::kNone},
      {120, 300, DialogButton::kNone},
  };
  for (const auto& c : buttons) EXPECT_EQ(DialogButtonAt(c.x, c.y), c.button) << c.x << ", " << c.y;
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

TEST(ClickCell, ASelectedDigitIsPlacedRefusedOrIgnored) {
  NumGridState state = SampleBoard();
  SelectDigit(state, 5);
  EXPECT_EQ(ClickCell(state, {2, 2}), BoardOutcome::kRefused);
  EXPECT_EQ(CellOf(state, {2, 2}).digit, 0);
  EXPECT_EQ(ClickCell(state, {4, 4}), BoardOutcome::kPlaced);
  EXPECT_EQ(CellOf(state, {4, 4}).digit, 5);
  EXPECT_EQ(CellOf(state, {4, 4}).editable, 1);
  SelectDigit(state, 2);
  EXPECT_EQ(ClickCell(state, {4, 4}), BoardOutcome::kNothing);
  EXPECT_EQ(ClickCell(state, {1, 1}), BoardOutcome::kNothing);
  EXPECT_EQ(CellOf(state, {4, 4}).digit, 5);
  EXPECT_EQ(CellOf(state, {1, 1}).digit, 5);
  // Nothing selected and erase mode off: a click does nothing.
  SelectDigit(state, 0);
  EXPECT_EQ(ClickCell(state, {4, 4}), BoardOutcome::kNothing);
  EXPECT_EQ(CellOf(state, {4, 4}).digit, 5);
}

TEST(ClickCell, EraseEmptiesOnlyEditableCellsAndEndsEitherWay) {
  NumGridState state = SampleBoard();
  StartErase(state);
  EXPECT_EQ(ClickCell(state, {1, 1}), BoardOutcome::kEraseOff);
  EXPECT_EQ(CellOf(state, {1, 1}).digit, 5);
  EXPECT_EQ(state.eraseMode, 0);
  // Erase mode has ended: the player's digit stays.
  EXPECT_EQ(ClickCell(state, {5, 2}), BoardOutcome::kNothing);
  EXPECT_EQ(CellOf(state, {5, 2}).digit, 7);
  StartErase(state);
  EXPECT_EQ(ClickCell(state, {5, 2}), BoardOutcome::kErased);
  EXPECT_EQ(CellOf(state, {5, 2}).digit, 0);
  EXPECT_EQ(CellOf(state, {5, 2}).editable, 1);
  EXPECT_EQ(state.eraseMode, 0);
  // An empty cell is editable: erasing it ends erase mode too.
  StartErase(state);
  EXPECT_EQ(ClickCell(state, {6, 6}), BoardOutcome::kErased);
  EXPECT_EQ(state.eraseMode, 0);
}

TEST(ClickCell, ASelectedDigitTakesPrecedenceOverEraseMode) {
  NumGridState state = SampleBoard();
  state.selectedDigit = 4;
  state.eraseMode = 1;
  EXPECT_EQ(ClickCell(state, {5, 2}), BoardOutcome::kNothing);
  EXPECT_EQ(CellOf(state, {5, 2}).digit, 7);
  EXPECT_EQ(ClickCell(state, {6, 6}), BoardOutcome::kPlaced);
  EXPECT_EQ(CellOf(state, {6, 6}).digit, 4);
  EXPECT_EQ(state.eraseMode, 1);
}

TEST(Selection, PaletteAndEraseExcludeEachOther) {
  NumGridState state = NewGameState();
  StartErase(state);
  SelectDigit(state, 6);
  EXPECT_EQ(state.selectedDigit, 6);
  EXPECT_EQ(state.eraseMode, 0);
  StartErase(state);
  EXPECT_EQ(state.selectedDigit, 0);
  EXPECT_EQ(state.eraseMode, 1);
}

TEST(DealPuzzle, GivenCellsComeRowByRowAndAreNotEditable) {
  NumGridState state = SampleBoard();
  StartErase(state);
  uint8_t puzzle[kPuzzleCells] = {};
  puzzle[1] = 4;   // row 1, column 2
  puzzle[9] = 6;   // row 2, column 1
  puzzle[80] = 9;  // row 9, column 9
  DealPuzzle(state, puzzle);
  EXPECT_EQ(state.eraseMode, 0);
  for (int column = 1; column <= kGridSize; ++column) {
    for (int row = 1; row <= kGridSize; ++row) {
      const Cell cell = CellOf(state, {column, row});
      const int expected = puzzle[(row - 1) * kGridSize + column - 1];
      EXPECT_EQ(cell.digit, expected) << column << ", " << row;
      EXPECT_EQ(cell.editable, expected == 0 ? 1 : 0) << column << ", " << row;
    }
  }
}

TEST(Board, StartsEmptyAtLevelOneAndIsFilledOnlyWhenNoCellIsEmpty) {
  NumGridState state = NewGameState();
  EXPECT_EQ(state.level, 1);
  EXPECT_EQ(state.selectedDigit, 0);
  EXPECT_EQ(state.eraseMode, 0);
  EXPECT_FALSE(BoardFilled(state));
  for (int column = 1; column <= kGridSize; ++column) {
    for (int row = 1; row <= kGridSize; ++row) CellOf(state, {column, row}).digit = 1;
  }
  EXPECT_TRUE(BoardFilled(state));
  CellOf(state, {9, 9}).digit = 0;
  EXPECT_FALSE(BoardFilled(state));
  state.level = 4;
  ClearBoard(state);
  EXPECT_EQ(state.level, 4);
  EXPECT_EQ(CellOf(state, {1, 1}).digit, 0);
}

}  // namespace
