// The host program replaying the number grid headless: every frame the
// scripts save matches its golden picture, twice in a row, and no run
// reports a leak or a sanitizer finding.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/gdi/png.h"
#include "tests/support/child_process.h"
#include "tests/support/golden.h"
#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace {

struct FrameGolden {
  const char* frame;   // as the script saves it
  const char* golden;  // under tests/golden/replay/
};

struct ReplayCase {
  const char* script;
  std::vector<FrameGolden> frames;
};

void PrintTo(const ReplayCase& replay, std::ostream* out) { *out << replay.script; }

// Frames that show the same screen share a golden: an erased digit leaves
// the puzzle as dealt, OK in the level dialog the empty board.
const ReplayCase kCases[] = {
    {"numgrid_play.replay",
     {{"empty.png", "numgrid_empty"},
      {"puzzle.png", "numgrid_puzzle"},
      {"placed.png", "numgrid_placed"},
      {"erased.png", "numgrid_puzzle"}}},
    {"numgrid_level.replay", {{"level3.png", "numgrid_level3"}, {"after_ok.png", "numgrid_empty"}}},
    {"numgrid_solve.replay", {{"filled.png", "numgrid_filled"}}},
};

class NumGridReplayTest : public ::testing::TestWithParam<ReplayCase> {
 protected:
  // Runs the script into frames folder `run`; its exit code, with stderr
  // checked for reports that must never appear.
  int Replay(const std::string& run) {
    const testsupport::RunResult result = testsupport::RunToEnd(
        {TOVSIM_PROGRAM, "--app", "numgrid", "--replay",
         std::string(REPLAY_SCRIPTS) + "/" + GetParam().script, "--frames", folder_ / run});
    for (const char* report : {"Sanitizer", "runtime error:", "leak"}) {
      EXPECT_EQ(result.err.find(report), std::string::npos) << result.err;
    }
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.exitCode;
  }

  // Each replay makes an instance of its own.
  testsupport::ScopedEnv noInstance_{"TOVSIM_INSTANCE", std::nullopt};
  testsupport::ScratchDir folder_{"numgrid-replay"};
};

TEST_P(NumGridReplayTest, FramesMatchTheirGoldensTheSameEveryTime) {
  ASSERT_EQ(Replay("first"), 0);
  ASSERT_EQ(Replay("second"), 0);
  for (const FrameGolden& frame : GetParam().frames) {
    SCOPED_TRACE(frame.frame);
    const auto image = plat::ReadPngFile(folder_ / (std::string("first/") + frame.frame));
    ASSERT_TRUE(image) << image.error().Text();
    EXPECT_TRUE(testsupport::MatchesGolden(*image, std::string("replay/") + frame.golden));
    EXPECT_EQ(folder_.Read(std::string("first/") + frame.frame),
              folder_.Read(std::string("second/") + frame.frame));
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, NumGridReplayTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ReplayCase>& info) {
                           const std::string script = info.param.script;
                           return script.substr(8, script.find('.') - 8);
                         });

}  // namespace
