// The tile-matching rules on their own: the deal, the board's hit areas, the
// path search and the transitions of a click.

#include "games/tiles/tiles_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/msg.h"

namespace {

using namespace tiles;

int Index(Cell cell) { return cell.row * kColumns + cell.column; }

std::vector<Cell> PathCells(const Path& path) {
  return std::vector<Cell>(path.cells, path.cells + path.length);
}

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

// Twelve rows of ten, every cell a tile of kind z unless `rows` says
// otherwise for the rows it gives.
std::vector<std::string> Full(std::vector<std::string> rows) {
  rows.resize(kRows, "zzzzzzzzzz");
  return rows;
}

std::vector<Cell> Search(const TilesState& state, Cell s, Cell t) {
  Path path;
  if (!FindPath(state.freeMap, s, t, &path)) return {};
  return PathCells(path);
}

// --- The deal ---------------------------------------------------------------

TEST(TilesDeal, EverySeedOfAMinuteFillsTheBoardWithFourOfEachKind) {
  TilesState state;
  for (uint32_t seed = 0; seed < 60; ++seed) {
    SeedRandom(seed);
    Deal(state, Random);
    int count[kKinds + 1] = {};
    for (const auto& column : state.board) {
      for (uint8_t kind : column) {
        ASSERT_GE(kind, 1) << seed;
        ASSERT_LE(kind, kKinds) << seed;
        ++count[kind];
      }
    }
    for (int kind = 1; kind <= kKinds; ++kind) EXPECT_EQ(count[kind], kTilesPerKind) << seed;
    for (uint8_t cell : state.freeMap) EXPECT_EQ(cell, 1) << seed;
  }
}

TEST(TilesDeal, FollowsTheGeneratorColumnThenRowAndEmptiesTheBoardFirst) {
  // A generator that walks the cells in order: column c, row r for the
  // (c, r)-th tile, so kind k lands on cells 4(k-1) to 4k-1 by column.
  int next = 0;
  std::vector<int32_t> values;
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) values.insert(values.end(), {column, row});
  }
  TilesState state = Board(Full({}));
  state.freeMap[5] = 0;
  Deal(state, [&] { return values.at(next++); });
  EXPECT_EQ(next, 2 * kCells);
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      EXPECT_EQ(state.board[column][row], (column * kRows + row) / kTilesPerKind + 1);
    }
  }
  EXPECT_EQ(state.freeMap[5], 1);
}

TEST(TilesDeal, TriesAgainUntilTheCellIsEmpty) {
  // Every tile first draws cell (0, 0), taken from the second tile on.
  std::vector<int32_t> values;
  for (int cell = 0; cell < kCells; ++cell) {
    if (cell > 0) values.insert(values.end(), {0, 0, 10, 12});  // 10 mod 10, 12 mod 12
    values.insert(values.end(), {cell % kColumns, cell / kColumns});
  }
  std::size_t next = 0;
  TilesState state;
  Deal(state, [&] { return values.at(next++); });
  EXPECT_EQ(next, values.size());
  EXPECT_EQ(state.board[0][0], 1);
  EXPECT_EQ(state.board[9][11], kKinds);
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

TEST(TilesHitAreas, CloseButtonIsX218To235AndY6To19) {
  for (int x = 216; x <= 237; ++x) {
    for (int y = 4; y <= 21; ++y) {
      EXPECT_EQ(CloseButtonAt(x, y), x >= 218 && x <= 235 && y >= 6 && y <= 19) << x << "," << y;
    }
  }
}

// --- Path search -------------------------------------------------------------

TEST(TilesPath, NeighboursEndTheSearchAtOnce) {
  const TilesState state = Board(Full({}));
  EXPECT_EQ(Search(state, {4, 4}, {4, 5}), (std::vector<Cell>{{4, 5}, {4, 4}}));
  EXPECT_EQ(Search(state, {0, 0}, {1, 0}), (std::vector<Cell>{{1, 0}, {0, 0}}));
  EXPECT_EQ(Search(state, {9, 11}, {9, 10}), (std::vector<Cell>{{9, 10}, {9, 11}}));
  EXPECT_TRUE(Search(state, {0, 0}, {2, 0}).empty());
  EXPECT_TRUE(Search(state, {0, 0}, {1, 1}).empty());
}

TEST(TilesPath, OnAnOpenBoardTheOrderAndTieRuleGiveOnePath) {
  // Only S (0, 0) and T (2, 2) stand. Every cell on the way has f 4: the
  // first reached is taken first, neighbours in the order up, down, left,
  // right, so the search runs down column 0 before it turns.
  std::vector<std::string> rows(kRows, "..........");
  rows[0] = "a.........";
  rows[2] = "..a.......";
  EXPECT_EQ(Search(Board(rows), {0, 0}, {2, 2}),
            (std::vector<Cell>{{2, 2}, {1, 2}, {0, 2}, {0, 1}, {0, 0}}));
  // The other way round the same rules go up column 2 first.
  EXPECT_EQ(Search(Board(rows), {2, 2}, {0, 0}),
            (std::vector<Cell>{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}));
}

TEST(TilesPath, AnyNumberOfTurnsConnects) {
  // A winding corridor from (0, 0) to (9, 11) with thirteen turns.
  const std::vector<std::string> rows = {
      "a.zzzzzzzz", "z.zzz...zz", "z.zzz.z.zz", "z...z.z.zz", "zzz.z.z.zz", "zzz...z.zz",
      "zzzzzzz.zz", "zz......zz", "zz.zzzzzzz", "zz......zz", "zzzzzzz...", "zzzzzzzzza",
  };
  const std::vector<Cell> path = Search(Board(rows), {0, 0}, {9, 11});
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), (Cell{9, 11}));
  EXPECT_EQ(path.back(), (Cell{0, 0}));
  EXPECT_EQ(path.size(), 39u);
}

TEST(TilesPath, NeverLeavesTheBoard) {
  // Both tiles on the left border, a tile between them and the column beside
  // them full: only a way round outside the board would join them.
  const std::vector<std::string> walled = Full({"az........", "zz........", "az........"});
  EXPECT_TRUE(Search(Board(walled), {0, 0}, {0, 2}).empty());
  // The same corners of the board, free along the inside, connect.
  const std::vector<Cell> inside = Search(Board(Full({"a.........", "zz.zzzzzzz", "a........."})),
                                          {0, 0}, {0, 2});
  EXPECT_EQ(inside.size(), 7u);
  // Top corners: free row 1 joins them, row -1 does not exist.
  EXPECT_TRUE(Search(Board(Full({"azzzzzzzza"})), {0, 0}, {9, 0}).empty());
  EXPECT_EQ(Search(Board(Full({"azzzzzzzza", ".........."})), {0, 0}, {9, 0}).size(), 12u);
}

TEST(TilesPath, EveryMatchOfWholeGamesWalksFreeNeighbouringCellsInside) {
  // Greedy games from several deals: each path starts at the clicked tile,
  // ends at the selection, steps to a neighbour each time and crosses only
  // free cells in between.
  for (uint32_t seed : {0u, 7u, 23u, 59u}) {
    TilesState state;
    NewGame(state);
    SeedRandom(seed);
    Deal(state, Random);
    bool matched = true;
    while (matched) {
      matched = false;
      for (int a = 0; a < kCells && !matched; ++a) {
        for (int b = a + 1; b < kCells && !matched; ++b) {
          const Cell s{a % kColumns, a / kColumns}, t{b % kColumns, b / kColumns};
          const uint8_t kind = state.board[s.column][s.row];
          if (kind == 0 || kind != state.board[t.column][t.row]) continue;
          BoardClick(state, s);
          const ClickResult click = BoardClick(state, t);
          if (click.change != Change::kMatch) {
            state.selection = Selection{};
            continue;
          }
          matched = true;
          const std::vector<Cell> path = PathCells(click.path);
          EXPECT_EQ(path.front(), t);
          EXPECT_EQ(path.back(), s);
          for (std::size_t i = 0; i < path.size(); ++i) {
            EXPECT_TRUE(path[i].column >= 0 && path[i].column < kColumns && path[i].row >= 0 &&
                        path[i].row < kRows);
            if (i > 0) {
              EXPECT_EQ(std::abs(path[i].column - path[i - 1].column) +
                            std::abs(path[i].row - path[i - 1].row),
                        1);
            }
            EXPECT_EQ(state.freeMap[Index(path[i])], 0);
            EXPECT_EQ(state.board[path[i].column][path[i].row], 0);
          }
        }
      }
    }
    int standing = 0;
    for (int cell = 0; cell < kCells; ++cell) {
      const uint8_t kind = state.board[cell % kColumns][cell / kColumns];
      EXPECT_EQ(state.freeMap[cell], kind != 0) << seed << " " << cell;
      standing += kind != 0;
    }
    EXPECT_EQ(state.tilesLeft, standing) << seed;
    EXPECT_LT(standing, kCells) << seed;
  }
}

// --- A click's transitions ---------------------------------------------------

TEST(TilesClick, AdjacentTilesOfOneKindAreTakenOffWithTheMarkerOnTheClickedOne) {
  TilesState state = Board(Full({"zzzzzzzzzz", "zzzzzzzzzz", "zzzzzzzzzz", "zzzzzzzzzz",
                                 "zzzbbzzzzz"}));
  state.tilesLeft = kCells;
  EXPECT_EQ(BoardClick(state, {3, 4}).change, Change::kSelect);
  EXPECT_TRUE(state.selection.active);
  EXPECT_EQ(state.selection.cell, (Cell{3, 4}));
  EXPECT_EQ(state.selection.kind, 2);

  const ClickResult click = BoardClick(state, {4, 4});
  EXPECT_EQ(click.change, Change::kMatch);
  EXPECT_EQ(click.kind, 2);
  EXPECT_EQ(click.previous, (Cell{3, 4}));
  EXPECT_EQ(PathCells(click.path), (std::vector<Cell>{{4, 4}, {3, 4}}));
  EXPECT_FALSE(state.selection.active);
  EXPECT_EQ(state.board[3][4], 0);
  EXPECT_EQ(state.board[4][4], 0);
  EXPECT_EQ(state.freeMap[43], 0);
  EXPECT_EQ(state.freeMap[44], 0);
  EXPECT_EQ(state.tilesLeft, kCells - 2);
}

TEST(TilesClick, WalledInTilesDoNotMatchAndTheSelectionMoves) {
  TilesState state = Board(Full({"bzbzzzzzzz"}));
  BoardClick(state, {0, 0});
  const ClickResult click = BoardClick(state, {2, 0});
  EXPECT_EQ(click.change, Change::kReselect);
  EXPECT_EQ(click.previous, (Cell{0, 0}));
  EXPECT_EQ(click.previousKind, 2);
  EXPECT_EQ(click.cell, (Cell{2, 0}));
  EXPECT_EQ(click.kind, 2);
  EXPECT_EQ(state.selection.cell, (Cell{2, 0}));
  EXPECT_EQ(state.board[0][0], 2);
  EXPECT_EQ(state.board[2][0], 2);
  EXPECT_EQ(state.tilesLeft, kCells);
}

TEST(TilesClick, AnotherKindMovesTheSelectionAndTheSameCellOrAFreeOneChangeNothing) {
  TilesState state = Board(Full({"bc.zzzzzzz"}));
  EXPECT_EQ(BoardClick(state, {2, 0}).change, Change::kNone);  // nothing selected yet
  EXPECT_FALSE(state.selection.active);
  BoardClick(state, {0, 0});

  const ClickResult same = BoardClick(state, {0, 0});
  EXPECT_EQ(same.change, Change::kNone);
  EXPECT_EQ(state.selection.cell, (Cell{0, 0}));

  const ClickResult free = BoardClick(state, {2, 0});
  EXPECT_EQ(free.change, Change::kNone);
  EXPECT_TRUE(state.selection.active);
  EXPECT_EQ(state.selection.cell, (Cell{0, 0}));
  EXPECT_EQ(state.selection.kind, 2);

  const ClickResult other = BoardClick(state, {1, 0});
  EXPECT_EQ(other.change, Change::kReselect);
  EXPECT_EQ(other.previous, (Cell{0, 0}));
  EXPECT_EQ(state.selection.cell, (Cell{1, 0}));
  EXPECT_EQ(state.selection.kind, 3);
}

TEST(TilesClick, TheLastPairEmptiesTheBoardAndLaterClicksChangeNothing) {
  std::vector<std::string> rows(kRows, "..........");
  rows[11] = "D........D";
  TilesState state = Board(rows);
  BoardClick(state, {9, 11});
  const ClickResult click = BoardClick(state, {0, 11});
  EXPECT_EQ(click.change, Change::kMatch);
  EXPECT_EQ(click.kind, 30);
  EXPECT_EQ(click.path.length, 10);
  EXPECT_EQ(state.tilesLeft, 0);
  EXPECT_EQ(BoardClick(state, {0, 11}).change, Change::kNone);
  EXPECT_EQ(BoardClick(state, {5, 5}).change, Change::kNone);
}

}  // namespace
