#pragma once
// The number grid's state and rules as plain functions: the board, the
// digit palette, erase mode, the level and the puzzle chosen for it, and
// what a click at a screen point means. Nothing here draws or waits; the
// game's loop calls these and draws what they report.

#include <cstdint>
#include <optional>

namespace numgrid {

inline constexpr int kGridSize = 9;
inline constexpr int kBoxSize = 3;
inline constexpr int kPuzzleCells = kGridSize * kGridSize;
inline constexpr int kPuzzleCount = 202;

struct Cell {
  uint8_t digit;     // 0 empty, else 1 to 9
  uint8_t editable;  // 1 for the player's cells, 0 for given ones
};

struct NumGridState {
  Cell cells[kGridSize][kGridSize];  // [column - 1][row - 1]
  uint8_t selectedDigit;             // 0 none, else 1 to 9
  uint8_t eraseMode;                 // 0 or 1
  uint8_t level;                     // 1 to 5
};

// A board cell, column and row counted from 1.
struct CellPos {
  int column;
  int row;
  bool operator==(const CellPos&) const = default;
};

inline Cell& CellOf(NumGridState& state, CellPos at) {
  return state.cells[at.column - 1][at.row - 1];
}
inline const Cell& CellOf(const NumGridState& state, CellPos at) {
  return state.cells[at.column - 1][at.row - 1];
}

// The state as the game starts: an empty board, nothing selected, level 1.
NumGridState NewGameState();

// Every cell empty and editable, erase mode off. The selected digit and the
// level stay.
void ClearBoard(NumGridState& state);

// The puzzle index for `level` (1 to 5) from one random number:
// 1 -> 0..19, 2 -> 20..49, 3 -> 50..79, 4 -> 81..100, 5 -> 101..201.
// Index 80 is never chosen. A level outside 1 to 5 counts as level 1.
int ChoosePuzzle(int level, uint32_t random);

// Clears the board, then copies the puzzle in row by row (row 1 first,
// within a row column 1 first): its non-zero cells become given cells.
void DealPuzzle(NumGridState& state, const uint8_t (&puzzle)[kPuzzleCells]);

// The board cell under a screen point: 7 <= x < 231 and 8 <= y < 232, the
// gap right of or below a cell belonging to the next one.
std::optional<CellPos> BoardCellAt(int x, int y);

// The palette digit under a screen point (7 <= x < 231, 249 <= y < 273),
// else 0. As on the board, a gap column belongs to the next digit.
int PaletteDigitAt(int x, int y);

enum class Button { kNone, kNew, kErase, kLevel, kExit };
// The bar button whose hit area holds the point.
Button ButtonAt(int x, int y);

// The level dialog: the level (1 to 5) whose button holds the point, else 0.
int LevelAt(int x, int y);
enum class DialogButton { kNone, kOk, kCancel };
DialogButton DialogButtonAt(int x, int y);

enum class Placement { kAllowed, kOccupied, kInBox, kInRow, kInColumn };
// Whether `digit` may go into the cell: never onto a filled cell; refused
// when it already stands in the cell's 3 x 3 box, then in its row, then in
// its column (the first reason found).
Placement CanPlace(const NumGridState& state, CellPos at, int digit);

// What a click on a board cell did, for the drawing.
enum class BoardOutcome {
  kNothing,   // nothing changed
  kPlaced,    // the selected digit went into the cell
  kRefused,   // the digit stands in the cell's box, row or column
  kErased,    // the player's cell was emptied (and erase mode ended)
  kEraseOff,  // a given cell: left as it was, erase mode ended
};
// A click on a cell: a selected digit is placed (or refused, or nothing on a
// filled cell); else, in erase mode, an editable cell is emptied, and erase
// mode ends either way. A selected digit takes precedence over erase mode.
BoardOutcome ClickCell(NumGridState& state, CellPos at);

// The palette: `digit` becomes the selected one and erase mode ends.
void SelectDigit(NumGridState& state, int digit);
// The Erase button: erase mode on, no digit selected.
void StartErase(NumGridState& state);

}  // namespace numgrid
