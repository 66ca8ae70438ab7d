// The falling-blocks game in the whole host on the held virtual clock: played
// to the top of the well, and every way out leaving the host as it was; and
// the end screen of a won game drawn by the view with the built package.

#include <gtest/gtest.h>

#include "games/blocks/blocks.h"
#include "games/blocks/blocks_view.h"
#include "host/device_api.h"
#include "host/msg.h"
#include "tests/games/support/game_end.h"
#include "tests/support/golden.h"
#include "tests/support/host_runner.h"
#include "tests/support/host_screen.h"

namespace {

class BlocksAppTest : public ::testing::Test {
 protected:
  // Drops every piece until the game ends, which leaves the end screen
  // waiting for its one Message; false when the game never ends.
  bool DropUntilTheEnd() {
    for (int i = 0; i < 600; ++i) {
      host.KeyDown(kKeyDown);
      if (!GetBlocksState().running) return true;
      host.Advance(100);
      if (!GetBlocksState().running) return true;
    }
    return false;
  }

  testsupport::HostRun host{testsupport::ThenWait<BlocksMain>};
};

TEST_F(BlocksAppTest, AGameOverWaitsForOneMessageThenANewGameStarts) {
  host.Advance(1000);
  const blocks::BlocksState& state = GetBlocksState();
  EXPECT_EQ(state.y, 1) << "the first piece falls one row in nine ticks";
  host.KeyDown(kKeyEnter);
  EXPECT_TRUE(state.paused);
  ASSERT_TRUE(DropUntilTheEnd());
  EXPECT_EQ(state.topRow, 0);
  EXPECT_EQ(state.level, blocks::kStartLevel) << "a lost game keeps its level";
  // Any Message ends the end screen; the step after the next starts a game.
  host.KeyUp(kKeyDown);
  EXPECT_FALSE(state.running);
  host.Advance(100);
  EXPECT_TRUE(state.running);
  EXPECT_EQ(state.topRow, blocks::kRows);
  EXPECT_EQ(state.score, 0);
  host.KeyDown(kKeyEscape);
  EXPECT_TRUE(gamestest::ExpectEnded(host).empty()) << "no leak report";
}

TEST_F(BlocksAppTest, EscapeOnTheEndScreenLeaves) {
  ASSERT_TRUE(DropUntilTheEnd());
  host.KeyDown(kKeyEscape);
  EXPECT_TRUE(gamestest::ExpectEnded(host).empty()) << "no leak report";
}

using BlocksViewTest = testsupport::ScreenTest;

TEST_F(BlocksViewTest, AWonGameEndsWithTheCongratulation) {
  ASSERT_EQ(MemVctInit(), 1);
  ASSERT_EQ(SetScreenMode(240, 320, 32), 1);
  // The package found as the game finds it, relative to this program.
  char path[600];
  ModulePath(path, "..\\Games\\blocks\\E1_els.dat");
  blocks::View view;
  ASSERT_TRUE(view.Open(path));
  view.Background();
  view.Score(600);
  view.EndScreen({true, 600, 6});
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "games/blocks/end_won"));
  view.Close();
  EXPECT_EQ(MemLiveBlocks(), 0);
}

}  // namespace
