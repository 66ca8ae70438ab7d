// The screen as the viewer gets it: the size from Sim.ini, and the Desktop
// launching its row on a double click (the game switches the screen to its
// own mode and back).

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/e2e/sim_run.h"

namespace e2e {
namespace {

TEST(DesktopScreenTest, ScreenSizeComesFromSimIni) {
  SimRun run;
  run.WriteIni("[LCD]\nwidth=160\nheight=128\n");
  ASSERT_TRUE(run.StartHostIdle());
  const plat::Image shot = run.Screenshot();
  EXPECT_EQ(shot.width, 160);
  EXPECT_EQ(shot.height, 128);
}

TEST(DesktopScreenTest, DoubleClickLaunchesOnlyInsideTheIcon) {
  SimRun run;
  ASSERT_TRUE(run.StartHostIdle());
  const plat::Image desktop = run.Screenshot();
  ASSERT_EQ(desktop.width, 320);
  const plat::LRESULT frames = run.ViewerFrameCount();

  // The hit area's edges are excluded: the icon at (20, 0) is hit from
  // x = 21 to 51 and y = 1 to 53 only.
  for (const auto& [x, y] : {std::pair{"20", "1"}, {"52", "1"}, {"21", "0"}, {"21", "54"}}) {
    SCOPED_TRACE(std::string(x) + ", " + y);
    ASSERT_TRUE(run.Drive({"dblclick", x, y}));
    EXPECT_EQ(run.ViewerFrameCount(), frames);
    EXPECT_TRUE(run.Screenshot().pixels == desktop.pixels);
  }

  // Inside: the launch screen, the game's 160x96 mode and back, the
  // Desktop drawn again as it was.
  ASSERT_TRUE(run.Drive({"dblclick", "21", "1"}));
  EXPECT_GE(run.ViewerFrameCount(), frames + 2);
  const plat::Image after = run.Screenshot();
  EXPECT_EQ(after.width, 320);
  EXPECT_EQ(after.height, 240);
  EXPECT_TRUE(after.pixels == desktop.pixels);
}

TEST(DesktopScreenTest, WaitFrameReturnsAfterTheNextRepaint) {
  SimRun run;
  ASSERT_TRUE(run.StartHostIdle());
  const plat::LRESULT frames = run.ViewerFrameCount();
  // A key without a meaning of its own redraws the selected label.
  ASSERT_EQ(run.Simctl({"key", "Space"}).exitCode, 0);
  const RunResult waited = run.Simctl({"wait-frame", std::to_string(frames)});
  ASSERT_EQ(waited.exitCode, 0) << waited.err;
  EXPECT_GT(std::stoll(waited.out), frames);
  // The Desktop is idle: no frame comes after those.
  ASSERT_TRUE(run.WaitIdle());
  const std::string now = std::to_string(run.ViewerFrameCount());
  EXPECT_EQ(run.Simctl({"--timeout", "100", "wait-frame", now}).exitCode, 1);
}

}  // namespace
}  // namespace e2e
