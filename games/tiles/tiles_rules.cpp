#include "games/tiles/tiles_rules.h"

#include <cstdlib>

namespace tiles {
namespace {

int Index(Cell cell) { return cell.row * kColumns + cell.column; }
Cell CellOf(int index) { return {index % kColumns, index / kColumns}; }
bool Inside(Cell cell) {
  return cell.column >= 0 && cell.column < kColumns && cell.row >= 0 && cell.row < kRows;
}
int Distance(Cell a, Cell b) { return std::abs(a.column - b.column) + std::abs(a.row - b.row); }

// The neighbours in the order the search looks at them: up, down, left, right.
constexpr Cell kSteps[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};

// The open cells, kept sorted by f = g + h; a new cell goes after every cell
// of equal or lower f, so among equals the first reached is taken first.
class OpenList {
 public:
  bool Empty() const { return count_ == 0; }
  int TakeFirst() {
    const int index = entries_[0].index;
    for (int i = 1; i < count_; ++i) entries_[i - 1] = entries_[i];
    --count_;
    return index;
  }
  void Insert(int index, int f) {
    int at = count_;
    while (at > 0 && entries_[at - 1].f > f) {
      entries_[at] = entries_[at - 1];
      --at;
    }
    entries_[at] = {index, f};
    ++count_;
  }

 private:
  struct Entry {
    int index;
    int f;
  };
  // Every cell is opened at most once.
  Entry entries_[kCells] = {};
  int count_ = 0;
};

void TracePath(const int* predecessor, Cell s, Cell t, Path* path) {
  path->length = 0;
  int index = Index(t);
  path->cells[path->length++] = t;
  while (index != Index(s)) {
    index = predecessor[index];
    path->cells[path->length++] = CellOf(index);
  }
}

uint8_t& KindAt(TilesState& state, Cell cell) { return state.board[cell.column][cell.row]; }

}  // namespace

void NewGame(TilesState& state) {
  state.selection = Selection{};
  state.tilesLeft = kCells;
}

void Deal(TilesState& state, const std::function<int32_t()>& random) {
  for (auto& column : state.board) {
    for (uint8_t& kind : column) kind = 0;
  }
  for (int kind = 1; kind <= kKinds; ++kind) {
    for (int copy = 0; copy < kTilesPerKind; ++copy) {
      int column;
      int row;
      do {
        column = random() % kColumns;
        row = random() % kRows;
      } while (state.board[column][row] != 0);
      state.board[column][row] = uint8_t(kind);
    }
  }
  for (uint8_t& cell : state.freeMap) cell = 1;
}

bool CellAt(int x, int y, Cell* cell) {
  // Checked before dividing: division truncates towards zero, which would
  // put x -1 in column 0.
  if (x < 0 || x >= kScreenWidth || y < kBoardTop || y >= kScreenHeight) return false;
  *cell = {x / kCellSize, (y - kBoardTop) / kCellSize};
  return true;
}

bool CloseButtonAt(int x, int y) { return x >= 218 && x <= 235 && y >= 6 && y <= 19; }

bool FindPath(const uint8_t freeMap[kCells], Cell s, Cell t, Path* path) {
  enum : uint8_t { kUnseen, kOpen, kClosed };
  uint8_t seen[kCells] = {};
  int steps[kCells] = {};  // g: steps from s
  int predecessor[kCells] = {};
  OpenList open;
  open.Insert(Index(s), Distance(s, t));
  seen[Index(s)] = kOpen;
  while (!open.Empty()) {
    const int taken = open.TakeFirst();
    seen[taken] = kClosed;
    const Cell from = CellOf(taken);
    for (const Cell step : kSteps) {
      const Cell next{from.column + step.column, from.row + step.row};
      if (!Inside(next)) continue;
      const int index = Index(next);
      if (next == t) {
        predecessor[index] = taken;
        TracePath(predecessor, s, t, path);
        return true;
      }
      if (freeMap[index] != 0 || seen[index] != kUnseen) continue;
      predecessor[index] = taken;
      steps[index] = steps[taken] + 1;
      seen[index] = kOpen;
      open.Insert(index, steps[index] + Distance(next, t));
    }
  }
  return false;
}

ClickResult BoardClick(TilesState& state, Cell cell) {
  ClickResult result;
  result.cell = cell;
  result.kind = KindAt(state, cell);
  result.previous = state.selection.cell;
  result.previousKind = state.selection.kind;
  if (result.kind == 0) return result;  // a free cell changes nothing
  if (!state.selection.active) {
    state.selection = {true, cell, result.kind};
    result.change = Change::kSelect;
    return result;
  }
  if (cell == state.selection.cell) return result;
  if (result.kind == state.selection.kind &&
      FindPath(state.freeMap, state.selection.cell, cell, &result.path)) {
    state.selection = Selection{};
    for (const Cell taken : {cell, result.previous}) {
      KindAt(state, taken) = 0;
      state.freeMap[Index(taken)] = 0;
    }
    state.tilesLeft -= 2;
    result.change = Change::kMatch;
    return result;
  }
  state.selection = {true, cell, result.kind};
  result.change = Change::kReselect;
  return result;
}

}  // namespace tiles
