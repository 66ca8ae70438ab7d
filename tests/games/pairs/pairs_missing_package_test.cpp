// The pairs game started where no package lies beside the program: it names
// the path in a box and leaves, with nothing left behind.

#include <gtest/gtest.h>

#include <string>

#include "games/pairs/pairs.h"
#include "host/msg.h"
#include "platform/sys/msgbox.h"
#include "tests/support/host_runner.h"

namespace {

void RunPairs() { PairsMain(); }

TEST(PairsMissingPackageTest, NamesThePathAndLeaves) {
  testsupport::HostRun run(RunPairs);
  run.KeyDown(kKeyEscape);
  run.Join();
  const auto boxes = plat::RecordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("..\\Games\\pairs\\resource.dat"), std::string::npos)
      << boxes[0].text;
}

}  // namespace
