// Effect animations played frame by frame. Velmor's replays pin a key
// ending an effect that waits for one, and the key given back (the title).

#include "rpg/engine/effect_player.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/canvas.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::Bytes;
using rpgtest::EffectBytes;
using rpgtest::GameRun;
using testsupport::Box;
using testsupport::kBlack;
using testsupport::kRed;

// The black area of the scene, as the screen shows it after a present.
Box Shown() { return testsupport::FindColor(kBlack, 0, 0, 160, 96); }

// A white scene, kept in mapCanvas too.
void WhiteScene() {
  CanvasClear(game.sceneCanvas);
  SaveScene();
  PresentScene();
}

// Effects of group 1 played on a white scene: the frame shown at once, then
// the effect over within `ms`.
TEST(PlayEffectTest, TheFirstFrameShowsAtOnceAndTheEffectEnds) {
  struct Case {
    const char* name;
    Bytes effect;
    uint8_t storedNo, playedNo;
    bool cutAfterEffect;  // the data ends right after the effect
    uint8_t flags, x, y;
    Box shown;
    int ms;
  };
  const Case cases[] = {
      {"the first element starts at once", EffectBytes({{0, 0, 3, 1, 0}, {10, 10, 3, 1, 0}}, 1, 1, 1), 5, 5,
       false, 0, 20, 30, {30, 40, 33, 41}, 10},
      // "last" 9 with two elements; element 1 names picture 3 of one: neither
      // is read past the data. Frames that draw follow each other at once;
      // the first that draws nothing waits a millisecond.
      {"elements and pictures the data lacks", EffectBytes({{0, 0, 5, 1, 0}, {20, 0, 5, 1, 3}}, 1, 0, 9), 5, 5,
       true, 2, 0, 0, {0, 0, 3, 1}, 20},
      // dy 255: one row above the screen, so only the lower row shows.
      {"cut at the screen's top", EffectBytes({{5, 255, 3, 1, 0}}, 1, 0, 0), 5, 5, false, 2, 0, 0,
       {5, 0, 8, 0}, 10},
      {"a missing effect falls back to number one", EffectBytes({{1, 1, 3, 1, 0}}, 1, 0, 0), 1, 9, false, 0,
       0, 0, {1, 1, 4, 2}, 10},
      // Waiting for a key, it would not end at once; no message is read.
      {"neither the effect nor number one: nothing", EffectBytes({{1, 1, 3, 1, 0}}, 1, 0, 0), 2, 9, false, 1,
       0, 0, {-1, -1, -1, -1}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes lib = rpgtest::PackLibrary({{{5, 1, c.storedNo}, c.effect}});
    if (c.cutAfterEffect) lib.resize(rpgtest::LocationOf(lib, 0) + c.effect.size());
    uint8_t result = 0;
    GameRun run([&] {
      WhiteScene();
      result = PlayEffect(1, c.playedNo, c.flags, c.x, c.y);
    }, lib);
    EXPECT_EQ(Shown(), c.shown);
    run.Advance(c.ms);
    EXPECT_TRUE(run.Finished());
    EXPECT_EQ(result, 255);
    EXPECT_EQ(game.runStatus, 0);
  }
}

TEST(PlayEffectTest, AnExpiringElementClearsTheSceneUnlessItIsKept) {
  const Bytes effect = EffectBytes({{0, 0, 2, 1, 0}, {30, 0, 3, 1, 0}}, 1, 0, 1);
  const Bytes lib = rpgtest::PackLibrary({{{5, 1, 5}, effect}});
  for (uint8_t flags : {0, 2}) {
    SCOPED_TRACE(int(flags));
    GameRun run([&] {
      WhiteScene();
      FillRectColor(0, 0, 159, 95, kRed, game.mapCanvas);
      PlayEffect(1, 5, flags, 10, 10);
      // Element 0 went; element 1 stays, over white or over the kept scene.
      const std::vector<uint32_t> after = testsupport::Pixels(game.sceneCanvas, 0, 0, 160, 96);
      const uint32_t behind = flags ? kRed : testsupport::kWhite;
      EXPECT_EQ(after[10 * 160 + 10], behind);
      EXPECT_EQ(after[10 * 160 + 40], kBlack);
      EXPECT_EQ(after[50 * 160 + 80], behind);
    }, lib);
    run.Advance(10);
    ASSERT_TRUE(run.Finished());
  }
}

}  // namespace
