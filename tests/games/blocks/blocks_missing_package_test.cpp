// The falling-blocks game started where its package is missing: this
// program's folder has no ..\Games beside it.

#include <gtest/gtest.h>

#include <string>

#include "games/blocks/blocks.h"
#include "platform/sys/msgbox.h"
#include "tests/support/host_runner.h"

namespace {

TEST(BlocksMissingPackage, NamesThePathAndLeavesTheHostAsItWas) {
  testsupport::HostRun host(testsupport::ThenWait<BlocksMain>);
  host.Advance(5000);
  host.Join();
  EXPECT_EQ(testsupport::PendingAfterReturn(), 0) << "a timer was left running";
  EXPECT_EQ(host.ScreenModes(), (std::vector<std::pair<int, int>>{{240, 320}, {320, 240}}));
  // One box, naming the package; the memory pool found no leak.
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  const std::string path = "..\\Games\\blocks\\E1_els.dat";
  EXPECT_EQ(boxes[0].text.rfind(path), boxes[0].text.size() - path.size()) << boxes[0].text;
  EXPECT_EQ(boxes[0].text.rfind("无法打开资源包:", 0), 0u);
}

}  // namespace
