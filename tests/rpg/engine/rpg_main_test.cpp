// The game's entry as far as it goes before the game proper: the screen
// mode, the data library and the way back to the Desktop.

#include "rpg/engine/rpg_main.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host/mem.h"
#include "platform/sys/msgbox.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "tests/support/host_screen.h"

namespace {

class RpgMainTest : public testsupport::ScreenTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(MemLiveBlocks(), 0);
    EXPECT_EQ(MemVctRelease(), 1);
    EXPECT_TRUE(plat::RecordedMessageBoxes().empty());
  }

  // Starts the memory pool after the test wrote its ..\Sim.ini.
  static void StartMemory() { ASSERT_EQ(MemVctInit(), 1); }

  void WriteLibrary(std::size_t size) const {
    testsupport::WriteFile(env.RootPath("dat.lib"), std::string(size, 'L'));
  }

  // The sizes the viewer was told, in order.
  std::vector<std::pair<int, int>> Modes() const {
    std::vector<std::pair<int, int>> sizes;
    for (const auto& mode : viewer->Records<ScreenModeRecord>(kScreenModeCopyData)) {
      sizes.emplace_back(mode.width, mode.height);
    }
    return sizes;
  }

  void ExpectBackInTheDesktopMode() const {
    const std::vector<std::pair<int, int>> expected = {{160, 96}, {320, 240}};
    EXPECT_EQ(Modes(), expected);
    EXPECT_EQ(hostScreen.width, 320);
    EXPECT_EQ(hostScreen.height, 240);
    EXPECT_EQ(hostScreen.bitsPerPixel, 32);
  }
};

TEST_F(RpgMainTest, WithoutALibraryTheScreenReturnsToTheDesktopMode) {
  StartMemory();
  RpgMain();
  ExpectBackInTheDesktopMode();
}

TEST_F(RpgMainTest, ALibraryIsReadAndReleasedAgain) {
  StartMemory();
  WriteLibrary(3 * 16384 + 5);
  RpgMain();
  ExpectBackInTheDesktopMode();
}

TEST_F(RpgMainTest, ALibraryTooBigForTheMemoryPoolIsGivenUp) {
  env.WriteIni("[MEM]\nmemstack=4096\n");
  StartMemory();
  WriteLibrary(8192);
  RpgMain();
  ExpectBackInTheDesktopMode();
}

TEST_F(RpgMainTest, ALibraryThatCannotBeReadIsGivenUp) {
  StartMemory();
  std::filesystem::create_directory(env.RootPath("dat.lib"));
  RpgMain();
  ExpectBackInTheDesktopMode();
}

}  // namespace
