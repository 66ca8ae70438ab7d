// Start-up and shutdown of the real host with its companion programs.

#include <gtest/gtest.h>

#include "tests/e2e/sim_run.h"

namespace e2e {
namespace {

TEST(StartupTest, StartsItsCompanionsAndEscapeEndsAll) {
  SimRun run;
  ASSERT_TRUE(run.StartHostIdle());
  const RunResult windows = run.Simctl({"windows"});
  EXPECT_EQ(windows.exitCode, 0);
  EXPECT_EQ(windows.out, "LcdClass\tTovLcd\nSimClass\tSim\nSndClass\tTovSnd\n");

  ASSERT_EQ(run.Simctl({"key", "Escape"}).exitCode, 0);
  EXPECT_EQ(run.WaitHost(), 1);
}

TEST(StartupTest, UsesRunningCompanionsAndClosesThemOnEscape) {
  SimRun run;
  ASSERT_TRUE(run.StartCompanions());
  ASSERT_TRUE(run.StartHostIdle());
  // The host drew on the viewer that was already there.
  EXPECT_GT(run.ViewerFrameCount(), 0);

  ASSERT_EQ(run.Simctl({"key", "Escape"}).exitCode, 0);
  EXPECT_EQ(run.WaitHost(), 1);
  EXPECT_EQ(run.viewer().Wait(), 0);
  EXPECT_EQ(run.player().Wait(), 0);
}

TEST(StartupTest, MissingSoundPlayerStopsStartUp) {
  SimRun run;
  run.RemoveSoundPlayer();
  ASSERT_TRUE(run.StartHost({}));
  EXPECT_EQ(run.WaitHost(), 1);
  EXPECT_NE(run.HostStderr().find("Can not call Snd Proc!"), std::string::npos)
      << run.HostStderr();
  // It stopped before the screen, so no viewer was started.
  EXPECT_EQ(run.Simctl({"windows"}).out, "");
}

TEST(StartupTest, SimctlWithoutHostFails) {
  SimRun run;
  EXPECT_EQ(run.Simctl({"wait-idle"}).exitCode, 1);
  EXPECT_EQ(run.Simctl({"key", "Enter"}).exitCode, 1);
  EXPECT_EQ(run.Simctl({"screenshot", run.root() + "/x.png"}).exitCode, 1);
  EXPECT_EQ(run.Simctl({"key", "NoSuchKey"}).exitCode, 2);
  EXPECT_EQ(run.Simctl({"fly"}).exitCode, 2);
  EXPECT_EQ(run.Simctl({"--help"}).exitCode, 0);
}

}  // namespace
}  // namespace e2e
