// Each game started where its package is missing: this program's folder has
// no ..\Games beside it. The game names the path in a box, puts the screen
// back and leaves nothing behind.

#include <gtest/gtest.h>

#include <string>

#include "games/blocks/blocks.h"
#include "games/numgrid/numgrid.h"
#include "games/pairs/pairs.h"
#include "games/tiles/tiles.h"
#include "host/msg.h"
#include "tests/games/support/game_end.h"

namespace {

TEST(GamesMissingPackage, NameThePathAndLeaveTheHostAsItWas) {
  const struct {
    HostEntry entry;
    const char* text;  // the box's text, up to the path
    const char* path;  // the package, after this program's folder
    std::string caption;
    gamestest::Modes modes;  // the screen modes the game set
    bool dialog;  // the host-or-join dialog comes first; Escape plays alone
  } games[] = {
      {testsupport::ThenWait<BlocksMain>, "无法打开资源包:\n", "..\\Games\\blocks\\E1_els.dat",
       "落块", gamestest::kPortraitAndBack, false},
      {testsupport::ThenWait<TilesMain>, "无法打开图片包 ", "..\\Games\\tiles\\TovLLK.dat",
       "Error", gamestest::kPortraitAndBack, false},
      {testsupport::ThenWait<NumGridMain>, "无法打开资源包：", "..\\Games\\numgrid\\resource.dat",
       "填数", gamestest::kPortraitAndBack, false},
      {testsupport::ThenWait<PairsMain>, "无法打开图片包 ", "..\\Games\\pairs\\resource.dat",
       "Error", {}, true},
  };
  for (const auto& game : games) {
    SCOPED_TRACE(game.path);
    testsupport::HostRun host(game.entry);
    if (game.dialog) host.KeyDown(kKeyEscape);
    // The game's box alone: no leak was reported after it.
    const auto boxes = gamestest::ExpectEnded(host, game.modes);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind(game.text, 0), 0u) << boxes[0].text;
    const std::string path = std::string("/nopackage/bin/") + game.path;
    EXPECT_EQ(boxes[0].text.rfind(path), boxes[0].text.size() - path.size()) << boxes[0].text;
    EXPECT_EQ(boxes[0].caption, game.caption);
    EXPECT_EQ(boxes[0].type, plat::MB_OK);
  }
}

}  // namespace
