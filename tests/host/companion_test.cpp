#include "host/companion.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win/win.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace {

using namespace testsupport;

// The viewer is looked up once, also when nothing was found; the sound
// player on every send.
TEST(CompanionSendTest, TheViewerWindowIsKeptFromTheFirstSendAndThePlayerLookedUpEachTime) {
  HostEnv env;
  EXPECT_EQ(LcdSend(1126, 0, 0), 0);
  auto viewer = StandinCompanion::Viewer();
  EXPECT_EQ(LcdSend(1126, 0, 0), 0);
  LcdForgetWindow();
  EXPECT_EQ(LcdSend(1126, 0, 0), 1);
  EXPECT_EQ(viewer->Repaints(), 1);

  EXPECT_EQ(SndSend(plat::WM_USER, 0, 0), 0);
  auto player = StandinCompanion::SoundPlayer();
  EXPECT_EQ(SndSend(plat::WM_USER, 7, 0), 1);
  EXPECT_EQ(player->Messages(), std::vector<plat::UINT>{plat::WM_USER});
  player.reset();
  EXPECT_EQ(SndSend(plat::WM_USER, 0, 0), 0);
}

}  // namespace
