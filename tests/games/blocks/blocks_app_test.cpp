// The falling-blocks game in the whole host, in process, on the held virtual
// clock: played to the top of the well, and every way out leaving the
// screen mode, the timer and the memory pool as they were.

#include <gtest/gtest.h>

#include "games/blocks/blocks.h"
#include "host/msg.h"
#include "tests/games/blocks/blocks_app_support.h"
#include "tests/support/host_runner.h"

namespace {

using blocks_test::MessagesAfterReturn;
using blocks_test::ModeChanges;
using blocks_test::ScreenSize;

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

  // Leaves the listener that runs after the game, ends the host and checks
  // what the game left behind.
  void ExpectCleanExit() {
    host.Advance(5000);
    EXPECT_TRUE(MessagesAfterReturn().empty()) << "a timer was left running";
    EXPECT_EQ(ModeChanges(*host.viewer), (std::vector<ScreenSize>{{240, 320}, {320, 240}}));
    host.KeyDown(kKeyEscape);
    host.Join();
    EXPECT_TRUE(testsupport::MessageBoxTexts().empty()) << "no leak report";
  }

  testsupport::HostRun host{blocks_test::RunGameThenListen};
};

TEST_F(BlocksAppTest, EscapeDuringAGameLeaves) {
  host.Advance(1000);
  const blocks::BlocksState& state = GetBlocksState();
  EXPECT_TRUE(state.running);
  EXPECT_EQ(state.y, 1) << "the first piece falls one row in nine ticks";
  host.KeyDown(kKeyEnter);
  EXPECT_TRUE(state.paused);
  host.KeyDown(kKeyEscape);
  ExpectCleanExit();
}

TEST_F(BlocksAppTest, AGameOverWaitsForOneMessageThenANewGameStarts) {
  ASSERT_TRUE(DropUntilTheEnd());
  const blocks::BlocksState& state = GetBlocksState();
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
  ExpectCleanExit();
}

TEST_F(BlocksAppTest, EscapeOnTheEndScreenLeaves) {
  ASSERT_TRUE(DropUntilTheEnd());
  host.KeyDown(kKeyEscape);
  ExpectCleanExit();
}

}  // namespace
