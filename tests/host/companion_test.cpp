#include "host/companion.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/win/win.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace {

using namespace testsupport;

TEST(ModulePathTest, AppendsToTheProgramsFolder) {
  char self[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
  std::string folder = self;
  folder.erase(folder.rfind('/') + 1);
  char out[260 + 32];
  ModulePath(out, "..\\Snd\\Snd.exe");
  EXPECT_EQ(std::string(out), folder + "..\\Snd\\Snd.exe");
}

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
