// Velmor from the Desktop, as a player starts it: a double click on its
// icon switches the screen to the game's 160 x 96 and shows its title; Esc
// at the title returns to the Desktop in 320 x 240, drawn as before; Esc
// there ends the host with no memory left behind. On the held virtual
// clock, so every picture is the same each run.

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/sim_run.h"
#include "tests/support/golden.h"

namespace e2e {
namespace {

TEST(VelmorTest, DoubleClickShowsTheTitleAndEscReturnsToTheDesktop) {
  SimRun run;
  run.AddGameLibrary();
  ASSERT_TRUE(run.StartHostIdle({}, {"TOVSIM_CLOCK=virtual", "TOVSIM_CLOCK_HOLD=1"}));
  const plat::Image desktop = run.Screenshot();
  ASSERT_EQ(desktop.width, 320);
  EXPECT_TRUE(testsupport::MatchesGolden(desktop, "velmor/desktop"));

  ASSERT_TRUE(run.Drive({"dblclick", "21", "1"}));
  // The first item's animation starts with the first 50 ms tick.
  ASSERT_TRUE(run.Drive({"advance", "100"}));
  // The goldens pin each screen's size as well as its pixels.
  EXPECT_TRUE(testsupport::MatchesGolden(run.Screenshot(), "velmor/title"));

  ASSERT_TRUE(run.Drive({"key", "Escape"}));
  EXPECT_TRUE(testsupport::MatchesGolden(run.Screenshot(), "velmor/desktop"));

  ASSERT_EQ(run.Simctl({"key", "Escape"}).exitCode, 0);
  EXPECT_EQ(run.WaitHost(), 1) << "the Desktop's Esc ends the host with 1, as at any start";
  EXPECT_EQ(run.HostStderr().find("MEM VCT has res leak!"), std::string::npos) << run.HostStderr();
}

}  // namespace
}  // namespace e2e
