// The tile game started where no package lies beside the program: it names
// the path in a box, puts the screen back and leaves nothing behind.

#include <gtest/gtest.h>

#include <string>

#include "platform/sys/msgbox.h"
#include "tests/games/tiles/tiles_host.h"
#include "tests/support/host_runner.h"

namespace {

TEST(TilesMissingPackageTest, NamesThePathRestoresTheScreenAndLeaves) {
  testsupport::HostRun host(tiles_test::TilesThenFiveSeconds);
  host.Advance(5000);
  host.Join();
  const std::vector<std::pair<int, int>> modes = {{240, 320}, {320, 240}};
  EXPECT_EQ(tiles_test::ScreenModes(host), modes);
  EXPECT_EQ(tiles_test::MessagesAfterTheGame(), 0);
  // The game's box alone: no leak was reported after it.
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("/nopackage/bin/..\\Games\\tiles\\TovLLK.dat"), std::string::npos)
      << boxes[0].text;
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].type, plat::MB_OK);
}

}  // namespace
