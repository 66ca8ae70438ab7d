// The tile-matching rules on their own: the deal, the board's hit areas, the
// path search and the transitions of a click.

#include "games/tiles/tiles_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tiles;

// A board drawn as text, one string per row: '.' a free cell, 'a' to 'z'
// then 'A' to 'D' the kinds 1 to 30. The free map follows the board.
TilesState Board(const std::vector<std::string>& rows) {
  TilesState state;
  NewGame(state);
  state.tilesLeft = 0;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const char c = rows.at(row).at(column);
      const int kind = c == '.' ? 0 : c >= 'a' ? c - 'a' + 1 : c - 'A' + 27;
      state.board[column][row] = uint8_t(kind);
      state.freeMap[row * kColumns + column] = kind != 0;
      state.tilesLeft += kind != 0;
    }
  }
  return state;
}

// Twelve rows of ten: `rows` on top, the rest of `fill`.
std::vector<std::string> Rows(std::vector<std::string> rows, char fill = 'z') {
  rows.resize(kRows, std::string(kColumns, fill));
  return rows;
}

// --- The deal ---------------------------------------------------------------

TEST(TilesDeal, EmptiesTheBoardThenDrawsColumnThenRowUntilTheCellIsEmpty) {
  // Kind k goes to cells 4(k-1) to 4k-1 in row order; every tile but the
  // first draws cell (0, 0) first, which is taken.
  std::vector<int32_t> values;
  for (int cell = 0; cell < kCells; ++cell) {
    if (cell > 0) values.insert(values.end(), {0, 0, 10, 12});  // 10 mod 10, 12 mod 12
    values.insert(values.end(), {cell % kColumns, cell / kColumns});
  }
  std::size_t next = 0;
  TilesState state = Board(Rows({}));
  state.freeMap[5] = 0;
  Deal(state, [&] { return values.at(next++); });
  EXPECT_EQ(next, values.size());
  for (int cell = 0; cell < kCells; ++cell) {
    EXPECT_EQ(state.board[cell % kColumns][cell / kColumns], cell / kTilesPerKind + 1) << cell;
  }
  EXPECT_EQ(state.freeMap[5], 1);
}

// --- Hit areas --------------------------------------------------------------

TEST(TilesHitAreas, CellAtCoversTheBoardBelowTheTitleBarAndNothingElse) {
  struct Case {
    int x, y;
    bool inside;
    Cell cell;
  };
  const Case cases[] = {
      {0, 32, true, {0, 0}},       {23, 55, true, {0, 0}},     {24, 56, true, {1, 1}},
      {239, 32, true, {9, 0}},     {239, 319, true, {9, 11}},  {0, 319, true, {0, 11}},
      {240, 100, false, {}},       {-1, 100, false, {}},       {-24, 100, false, {}},
      {-30000, 100, false, {}},    {100, 31, false, {}},       {100, -1, false, {}},
      {100, 320, false, {}},       {32767, 32767, false, {}},
  };
  for (const Case& c : cases) {
    Cell cell{-7, -7};
    EXPECT_EQ(CellAt(c.x, c.y, &cell), c.inside) << c.x << "," << c.y;
    if (c.inside) {
      EXPECT_EQ(cell, c.cell) << c.x << "," << c.y;
    }
  }
}

// --- Path search -------------------------------------------------------------

TEST(TilesPath, JoinsAlongFreeCellsInsideTheBoardAndNowhereElse) {
  const std::vector<std::string> full = Rows({});
  // Only (0, 0) and (2, 2) stand: every cell on the way has f 4, the first
  // reached is taken first, neighbours in the order up, down, left, right.
  const std::vector<std::string> open = Rows({"a.........", "..........", "..a......."}, '.');
  // A winding corridor from (0, 0) to (9, 11) with thirteen turns.
  const std::vector<std::string> corridor = {
      "a.zzzzzzzz", "z.zzz...zz", "z.zzz.z.zz", "z...z.z.zz", "zzz.z.z.zz", "zzz...z.zz",
      "zzzzzzz.zz", "zz......zz", "zz.zzzzzzz", "zz......zz", "zzzzzzz...", "zzzzzzzzza",
  };
  const struct {
    std::vector<std::string> rows;
    Cell s, t;
    std::size_t length;       // 0: no path
    std::vector<Cell> exact;  // when given
  } cases[] = {
      // Neighbours end the search at once.
      {full, {4, 4}, {4, 5}, 2, {{4, 5}, {4, 4}}},
      {full, {0, 0}, {1, 0}, 2, {{1, 0}, {0, 0}}},
      {full, {9, 11}, {9, 10}, 2, {{9, 10}, {9, 11}}},
      {full, {0, 0}, {2, 0}, 0, {}},
      {full, {0, 0}, {1, 1}, 0, {}},
      // Down column 0 before turning; the other way round up column 2 first.
      {open, {0, 0}, {2, 2}, 5, {{2, 2}, {1, 2}, {0, 2}, {0, 1}, {0, 0}}},
      {open, {2, 2}, {0, 0}, 5, {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}},
      {corridor, {0, 0}, {9, 11}, 39, {}},
      // Only a way round outside the board would join these...
      {Rows({"az........", "zz........", "az........"}), {0, 0}, {0, 2}, 0, {}},
      {Rows({"azzzzzzzza"}), {0, 0}, {9, 0}, 0, {}},
      // ...while a way along the inside does.
      {Rows({"a.........", "zz.zzzzzzz", "a........."}), {0, 0}, {0, 2}, 7, {}},
      {Rows({"azzzzzzzza", ".........."}), {0, 0}, {9, 0}, 12, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.s.column << "," << c.s.row << " to " << c.t.column
                                    << "," << c.t.row);
    const TilesState board = Board(c.rows);
    Path path;
    ASSERT_EQ(FindPath(board.freeMap, c.s, c.t, &path), c.length != 0);
    if (c.length == 0) continue;
    const std::vector<Cell> cells(path.cells, path.cells + path.length);
    EXPECT_EQ(cells.size(), c.length);
    EXPECT_EQ(cells.front(), c.t);
    EXPECT_EQ(cells.back(), c.s);
    if (!c.exact.empty()) {
      EXPECT_EQ(cells, c.exact);
    }
    // Neighbour to neighbour over free cells inside the board.
    for (std::size_t i = 1; i < cells.size(); ++i) {
      const Cell cell = cells[i], last = cells[i - 1];
      EXPECT_EQ(std::abs(cell.column - last.column) + std::abs(cell.row - last.row), 1) << i;
      ASSERT_TRUE(cell.column >= 0 && cell.column < kColumns && cell.row >= 0 && cell.row < kRows);
      if (i + 1 < cells.size()) {
        EXPECT_EQ(board.freeMap[cell.row * kColumns + cell.column], 0) << i;
      }
    }
  }
}

// --- A click's transitions ---------------------------------------------------

TEST(TilesClick, WalledInTilesOrAnotherKindMoveTheSelectionAndTheSameOrAFreeCellNothing) {
  // Two b tiles walled apart by a c; (3, 0) is free.
  TilesState state = Board(Rows({"bcb.zzzzzz"}));
  EXPECT_EQ(BoardClick(state, {3, 0}).change, Change::kNone);  // nothing selected yet
  EXPECT_FALSE(state.selection.active);
  BoardClick(state, {0, 0});
  for (Cell same : {Cell{0, 0}, Cell{3, 0}}) {
    EXPECT_EQ(BoardClick(state, same).change, Change::kNone);
    EXPECT_TRUE(state.selection.active);
    EXPECT_EQ(state.selection.cell, (Cell{0, 0}));
  }

  // How the old and the new selection then look is the tiles replay's.
  const ClickResult walled = BoardClick(state, {2, 0});
  EXPECT_EQ(walled.change, Change::kReselect);
  EXPECT_EQ(walled.previous, (Cell{0, 0}));
  EXPECT_EQ(state.tilesLeft, kCells - 1);

  const ClickResult other = BoardClick(state, {1, 0});
  EXPECT_EQ(other.change, Change::kReselect);
  EXPECT_EQ(other.previous, (Cell{2, 0}));
  EXPECT_EQ(state.selection.cell, (Cell{1, 0}));
  EXPECT_EQ(state.selection.kind, 3);
}

}  // namespace
