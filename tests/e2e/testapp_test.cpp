// The test application on a held virtual clock: its keys drive the real
// sound player, and Escape ends it with its box.

#include <gtest/gtest.h>

#include "protocol/records.h"
#include "tests/e2e/sim_run.h"

namespace e2e {
namespace {

class TestAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(run_.StartHostIdle({"--app", "testapp"},
                                   {"TOVSIM_CLOCK=virtual", "TOVSIM_CLOCK_HOLD=1"}));
  }
  void Key(const char* key) { ASSERT_TRUE(run_.Drive({"key", key})) << key; }

  SimRun run_;
};

TEST_F(TestAppTest, KeysDriveTheSoundPlayer) {
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_EQ(run_.PlayerChannel(channel), kSndChannelIdle) << channel;
  }
  Key("Q");
  Key("A");
  Key("g");
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_EQ(run_.PlayerChannel(channel), kSndChannelPlaying) << channel;
  }
  Key("J");  // pause channel 2
  Key("W");  // stop channel 0
  EXPECT_EQ(run_.PlayerChannel(0), kSndChannelIdle);
  EXPECT_EQ(run_.PlayerChannel(1), kSndChannelPlaying);
  EXPECT_EQ(run_.PlayerChannel(2), kSndChannelPaused);
}

TEST_F(TestAppTest, EscapeEndsTheRunWithItsBox) {
  ASSERT_EQ(run_.Simctl({"key", "Escape"}).exitCode, 0);
  EXPECT_EQ(run_.WaitHost(), 1);
  EXPECT_NE(run_.HostStderr().find("\xE8\xAF\xBB\xE6\xA1\xA3\xE5\xA4\xB1\xE8\xB4\xA5"),
            std::string::npos)
      << run_.HostStderr();
}

}  // namespace
}  // namespace e2e
