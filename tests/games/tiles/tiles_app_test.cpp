// The tile game in the whole host on the virtual clock: clicks and ticks that
// change nothing, its ways out, and a whole deal played to an empty board.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "games/tiles/tiles.h"
#include "host/device_api.h"
#include "tests/games/support/game_end.h"
#include "tests/support/golden.h"
#include "tests/support/host_runner.h"

namespace {

using namespace tiles;
using testsupport::HostRun;

Message Click(int x, int y) { return {MsgMouseDown, 0, HostRun::Point(x, y)}; }
Message Key(uint32_t type, uint32_t key) { return {type, key, 0}; }

bool SameState(const TilesState& a, const TilesState& b) {
  return std::memcmp(a.board, b.board, sizeof a.board) == 0 &&
         std::memcmp(a.freeMap, b.freeMap, sizeof a.freeMap) == 0 &&
         a.selection.active == b.selection.active && a.selection.cell == b.selection.cell &&
         a.tilesLeft == b.tilesLeft;
}

void ClickCell(HostRun& host, Cell cell) { host.Click(CellX(cell) + 12, CellY(cell) + 12); }

TEST(TilesAppTest, OffTheBoardClicksAndTicksChangeNothingEscapeAndTheCloseButtonLeaveCleanly) {
  const struct {
    const char* name;
    std::vector<Message> input;  // the last one leaves
  } exits[] = {
      // The selected cell again, past the right edge, left of it (x -1 would
      // divide to column 0), below the last row, far off in every direction,
      // and the title bar away from the close button.
      {"Escape",
       {Click(12, 44), Click(240, 100), Click(-1, 100), Click(-23, 44), Click(100, 320),
        Click(0, 32767), Click(-32768, -32768), Click(32767, 100), Click(0, 31), Click(120, 0),
        Click(100, -1), Key(MsgKeyUp, kKeyEscape), Key(MsgKeyDown, 'Q'),
        Key(MsgKeyDown, kKeyEscape)}},
      // Just outside the close button's corners, then its corner pixels.
      {"close button",
       {Click(217, 6), Click(218, 5), Click(236, 19), Click(235, 20), Click(235, 19)}},
      {"close button's top-left", {Click(218, 6)}},
  };
  for (const auto& exit : exits) {
    SCOPED_TRACE(exit.name);
    HostRun host(testsupport::ThenWait<TilesMain>);
    // The host's start-up sends no mode; the game switches twice.
    EXPECT_EQ(host.ScreenModes(), (gamestest::Modes{{240, 320}}));
    host.PostAll({Click(12, 44)});  // a selection, to leave with
    const TilesState before = GetTilesState();
    ASSERT_TRUE(before.selection.active);
    const int repaints = host.viewer->Repaints();
    host.PostAll(std::vector<Message>(exit.input.begin(), exit.input.end() - 1));
    host.Advance(3500);
    EXPECT_EQ(host.viewer->Repaints(), repaints);
    EXPECT_TRUE(SameState(GetTilesState(), before));
    EXPECT_EQ(host.ScreenModes().size(), 1u);
    host.PostAll({exit.input.back()});
    ASSERT_EQ(host.ScreenModes(), gamestest::kPortraitAndBack) << "the game did not leave";
    EXPECT_TRUE(gamestest::ExpectEnded(host).empty()) << "no leak report";
  }
}

// The deal of second 7 of the minute: the test's clock starts at second 0.
void TilesAtSecondSeven() {
  DelayMs(7000);
  testsupport::ThenWait<TilesMain>();
}

// The first pair, in cell order, that a path joins; false when none is left.
bool NextPair(const TilesState& state, Cell* a, Cell* b, Path* path) {
  for (int i = 0; i < kCells; ++i) {
    for (int j = i + 1; j < kCells; ++j) {
      *a = {i % kColumns, i / kColumns};
      *b = {j % kColumns, j / kColumns};
      const uint8_t kind = state.board[a->column][a->row];
      if (kind != 0 && kind == state.board[b->column][b->row] &&
          FindPath(state.freeMap, *a, *b, path)) {
        return true;
      }
    }
  }
  return false;
}

TEST(TilesAppTest, AWholeDealPlaysToAnEmptyBoardThatStaysUntilThePlayerLeaves) {
  HostRun host(TilesAtSecondSeven);
  host.Advance(7000);
  Cell a, b;
  Path path;
  int pairs = 0;
  while (NextPair(GetTilesState(), &a, &b, &path)) {
    const TilesState before = GetTilesState();
    const int repaints = host.viewer->Repaints();
    ClickCell(host, a);
    ClickCell(host, b);
    // The selection, both cells from the background, a marker on every
    // path cell but the selected one.
    ASSERT_EQ(host.viewer->Repaints(), repaints + 1 + 2 + path.length - 1) << pairs;
    ASSERT_EQ(GetTilesState().tilesLeft, before.tilesLeft - 2);
    ++pairs;
  }
  EXPECT_EQ(pairs, 60);
  EXPECT_EQ(GetTilesState().tilesLeft, 0);
  const std::vector<uint8_t> frame = host.viewer->LastFrame();
  plat::Image screen{kScreenWidth, kScreenHeight, std::vector<uint32_t>(frame.size() / 4)};
  std::memcpy(screen.pixels.data(), frame.data(), frame.size());
  EXPECT_TRUE(testsupport::MatchesGolden(screen, "games/tiles/cleared"));

  // Nothing ends: clicks and ticks change nothing, and the game is still
  // there to leave.
  const int repaints = host.viewer->Repaints();
  host.PostAll({Click(12, 44), Click(228, 300)});
  host.Advance(2000);
  EXPECT_EQ(host.viewer->Repaints(), repaints);
  host.KeyDown(kKeyEscape);
  EXPECT_TRUE(gamestest::ExpectEnded(host).empty()) << "no leak report";
}

}  // namespace
