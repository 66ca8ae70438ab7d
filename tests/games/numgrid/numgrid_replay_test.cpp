// The host program replaying the number grid headless: every frame the
// scripts save matches its golden picture, twice in a row, and no run
// reports a leak or a sanitizer finding.

#include <gtest/gtest.h>

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

// Frames that show the same screen share a golden: an erased digit leaves
// the puzzle as dealt, OK in the level dialog the empty board.
const struct {
  const char* script;
  std::vector<FrameGolden> frames;
} kScripts[] = {
    {"numgrid_play.replay",
     {{"empty.png", "numgrid_empty"},
      {"puzzle.png", "numgrid_puzzle"},
      {"placed.png", "numgrid_placed"},
      {"erased.png", "numgrid_puzzle"}}},
    {"numgrid_level.replay", {{"level3.png", "numgrid_level3"}, {"after_ok.png", "numgrid_empty"}}},
    {"numgrid_solve.replay", {{"filled.png", "numgrid_filled"}}},
};

// Runs `script` into frames folder `run`; its exit code, with stderr checked
// for reports that must never appear.
int Replay(const testsupport::ScratchDir& folder, const char* script, const std::string& run) {
  const testsupport::RunResult result =
      testsupport::RunToEnd({TOVSIM_PROGRAM, "--app", "numgrid", "--replay",
                             std::string(REPLAY_SCRIPTS) + "/" + script, "--frames", folder / run});
  for (const char* report : {"Sanitizer", "runtime error:", "leak"}) {
    EXPECT_EQ(result.err.find(report), std::string::npos) << result.err;
  }
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return result.exitCode;
}

TEST(NumGridReplayTest, FramesMatchTheirGoldensTheSameEveryTime) {
  // Each replay makes an instance of its own.
  const testsupport::ScopedEnv noInstance{"TOVSIM_INSTANCE", std::nullopt};
  for (const auto& script : kScripts) {
    SCOPED_TRACE(script.script);
    const testsupport::ScratchDir folder{"numgrid-replay"};
    ASSERT_EQ(Replay(folder, script.script, "first"), 0);
    ASSERT_EQ(Replay(folder, script.script, "second"), 0);
    for (const FrameGolden& frame : script.frames) {
      SCOPED_TRACE(frame.frame);
      const auto image = plat::ReadPngFile(folder / (std::string("first/") + frame.frame));
      ASSERT_TRUE(image) << image.error().Text();
      EXPECT_TRUE(testsupport::MatchesGolden(*image, std::string("replay/") + frame.golden));
      EXPECT_EQ(folder.Read(std::string("first/") + frame.frame),
                folder.Read(std::string("second/") + frame.frame));
    }
  }
}

}  // namespace
