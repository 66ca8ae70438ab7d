#include "games/numgrid/numgrid_rules.h"

#include "games/numgrid/numgrid_layout.h"

namespace numgrid {

namespace {

struct LevelRange {
  int first;
  int count;
};
constexpr LevelRange kLevelRanges[] = {{0, 20}, {20, 30}, {50, 30}, {81, 20}, {101, 101}};

// Column (or row) of a board or palette coordinate: the 25-pixel pitch with
// each gap pixel counted to the cell after it.
int PitchIndex(int coordinate, int origin) { return (coordinate - (origin - 1)) / kCellPitch + 1; }

bool InBoardSpan(int coordinate, int origin) {
  return coordinate >= origin && coordinate < origin + kCellPitch * kGridSize - 1;
}

bool InBox(const NumGridState& state, CellPos at, int digit) {
  const int left = (at.column - 1) / kBoxSize * kBoxSize + 1;
  const int top = (at.row - 1) / kBoxSize * kBoxSize + 1;
  for (int column = left; column < left + kBoxSize; ++column) {
    for (int row = top; row < top + kBoxSize; ++row) {
      if (CellOf(state, {column, row}).digit == digit) return true;
    }
  }
  return false;
}

bool InRow(const NumGridState& state, int row, int digit) {
  for (int column = 1; column <= kGridSize; ++column) {
    if (CellOf(state, {column, row}).digit == digit) return true;
  }
  return false;
}

bool InColumn(const NumGridState& state, int column, int digit) {
  for (int row = 1; row <= kGridSize; ++row) {
    if (CellOf(state, {column, row}).digit == digit) return true;
  }
  return false;
}

}  // namespace

NumGridState NewGameState() {
  NumGridState state{};
  ClearBoard(state);
  state.level = 1;
  return state;
}

void ClearBoard(NumGridState& state) {
  for (auto& column : state.cells) {
    for (Cell& cell : column) cell = Cell{0, 1};
  }
  state.eraseMode = 0;
}

int ChoosePuzzle(int level, uint32_t random) {
  const LevelRange range = kLevelRanges[level >= 1 && level <= kLevelCount ? level - 1 : 0];
  return int(random % uint32_t(range.count)) + range.first;
}

void DealPuzzle(NumGridState& state, const uint8_t (&puzzle)[kPuzzleCells]) {
  ClearBoard(state);
  for (int row = 1; row <= kGridSize; ++row) {
    for (int column = 1; column <= kGridSize; ++column) {
      const uint8_t digit = puzzle[(row - 1) * kGridSize + column - 1];
      if (digit != 0) CellOf(state, {column, row}) = Cell{digit, 0};
    }
  }
}

std::optional<CellPos> BoardCellAt(int x, int y) {
  if (!InBoardSpan(x, kBoardLeft) || !InBoardSpan(y, kBoardTop)) return std::nullopt;
  return CellPos{PitchIndex(x, kBoardLeft), PitchIndex(y, kBoardTop)};
}

int PaletteDigitAt(int x, int y) {
  if (!InBoardSpan(x, kBoardLeft) || y < kPaletteTop || y >= kPaletteTop + kCellSize) return 0;
  return PitchIndex(x, kBoardLeft);
}

Button ButtonAt(int x, int y) {
  for (int i = 0; i < kButtonCount; ++i) {
    if (kButtonHit[i].Contains(x, y)) return Button(i + 1);
  }
  return Button::kNone;
}

int LevelAt(int x, int y) {
  for (int i = 0; i < kLevelCount; ++i) {
    if (kLevelHit[i].Contains(x, y)) return i + 1;
  }
  return 0;
}

DialogButton DialogButtonAt(int x, int y) {
  if (kOkHit.Contains(x, y)) return DialogButton::kOk;
  if (kCancelHit.Contains(x, y)) return DialogButton::kCancel;
  return DialogButton::kNone;
}

Placement CanPlace(const NumGridState& state, CellPos at, int digit) {
  if (CellOf(state, at).digit != 0) return Placement::kOccupied;
  if (InBox(state, at, digit)) return Placement::kInBox;
  if (InRow(state, at.row, digit)) return Placement::kInRow;
  if (InColumn(state, at.column, digit)) return Placement::kInColumn;
  return Placement::kAllowed;
}

BoardOutcome ClickCell(NumGridState& state, CellPos at) {
  Cell& cell = CellOf(state, at);
  if (state.selectedDigit != 0) {
    switch (CanPlace(state, at, state.selectedDigit)) {
      case Placement::kAllowed:
        cell.digit = state.selectedDigit;
        return BoardOutcome::kPlaced;
      case Placement::kOccupied:
        return BoardOutcome::kNothing;
      default:
        return BoardOutcome::kRefused;
    }
  }
  if (state.eraseMode == 0) return BoardOutcome::kNothing;
  state.eraseMode = 0;
  if (cell.editable == 0) return BoardOutcome::kEraseOff;
  cell.digit = 0;
  return BoardOutcome::kErased;
}

void SelectDigit(NumGridState& state, int digit) {
  state.selectedDigit = uint8_t(digit);
  state.eraseMode = 0;
}

void StartErase(NumGridState& state) {
  state.eraseMode = 1;
  state.selectedDigit = 0;
}

}  // namespace numgrid
