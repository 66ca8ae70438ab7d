#pragma once
// The tile-matching game's rules: 120 tiles of 30 kinds, four of each, on a
// board of 10 columns by 12 rows. The player selects a tile, then another of
// the same kind; the two are taken off when a path of free cells joins them.
// Plain functions on one state record: no drawing, no Device API.

#include <cstdint>
#include <functional>

namespace tiles {

inline constexpr int kColumns = 10;
inline constexpr int kRows = 12;
inline constexpr int kCells = kColumns * kRows;
inline constexpr int kKinds = 30;
inline constexpr int kTilesPerKind = 4;

// Screen layout (portrait, 240 x 320): a 32-row title bar, then the board's
// 24 x 24 cells.
inline constexpr int kCellSize = 24;
inline constexpr int kBoardTop = 32;
inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;

struct Cell {
  int column = 0;
  int row = 0;
  bool operator==(const Cell&) const = default;
};

// Where cell (column, row) is drawn.
inline int CellX(Cell cell) { return kCellSize * cell.column; }
inline int CellY(Cell cell) { return kBoardTop + kCellSize * cell.row; }

struct Selection {
  bool active = false;
  Cell cell;
  uint8_t kind = 0;
};

struct TilesState {
  uint8_t board[kColumns][kRows] = {};  // 0 no tile, 1 to 30 the tile's kind
  // Row-major (row * 10 + column): 1 where a tile stands, 0 where the cell
  // is free. The path search walks it.
  uint8_t freeMap[kCells] = {};
  Selection selection;
  int tilesLeft = 0;
};

// A path from the target T (first) back to the start S (last).
struct Path {
  int length = 0;
  Cell cells[kCells];
};

// The start of a game: nothing selected, 120 tiles left.
void NewGame(TilesState& state);

// Empties the board and deals each kind 1 to 30 four times: column =
// random() mod 10, then row = random() mod 12, until an empty cell comes up.
// Every cell of the free map is then 1.
void Deal(TilesState& state, const std::function<int32_t()>& random);

// The board cell under screen pixel (x, y); false outside the board (a
// negative coordinate, x past 239, y above the board or past 319).
bool CellAt(int x, int y, Cell* cell);

// True inside the title bar's close button (x 218 to 235, y 6 to 19).
bool CloseButtonAt(int x, int y);

// Best-first search from s to t over the free map: open cells sorted by
// f = steps from s + Manhattan distance to t, neighbours taken up, down,
// left, right inside the board, t reached as soon as it is a neighbour.
// Free cells are walked whatever the number of turns. True with the path
// filled in when t is reached.
bool FindPath(const uint8_t freeMap[kCells], Cell s, Cell t, Path* path);

// What a click on the board changed, for the view to draw.
enum class Change {
  kNone,      // nothing
  kSelect,    // `cell` became the selection (nothing was selected)
  kReselect,  // the selection moved from `previous` to `cell`
  kMatch,     // `previous` and `cell` were taken off along `path`
};

struct ClickResult {
  Change change = Change::kNone;
  Cell cell;                 // the cell clicked
  uint8_t kind = 0;          // its tile's kind, before a match took it
  Cell previous;             // the selection before the click
  uint8_t previousKind = 0;  // its kind
  Path path;                 // kMatch: from `cell` back to `previous`
};

// A click on `cell` of the board.
ClickResult BoardClick(TilesState& state, Cell cell);

}  // namespace tiles
