// The falling-blocks game started where its package is missing: this
// program's folder has no ..\Games beside it.

#include <gtest/gtest.h>

#include <string>

#include "host/msg.h"
#include "platform/sys/msgbox.h"
#include "tests/games/blocks/blocks_app_support.h"
#include "tests/support/host_runner.h"

namespace {

using blocks_test::ScreenSize;

TEST(BlocksMissingPackage, NamesThePathAndLeavesTheHostAsItWas) {
  testsupport::HostRun host(blocks_test::RunGameThenListen);
  host.Advance(5000);
  EXPECT_TRUE(blocks_test::MessagesAfterReturn().empty()) << "a timer was left running";
  EXPECT_EQ(blocks_test::ModeChanges(*host.viewer), (std::vector<ScreenSize>{{240, 320}, {320, 240}}));
  host.KeyDown(kKeyEscape);
  host.Join();
  // One box, naming the package; the memory pool found no leak.
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  const std::string path = "..\\Games\\blocks\\E1_els.dat";
  EXPECT_EQ(boxes[0].text.rfind(path), boxes[0].text.size() - path.size()) << boxes[0].text;
  EXPECT_EQ(boxes[0].text.rfind("无法打开资源包:", 0), 0u);
}

}  // namespace
