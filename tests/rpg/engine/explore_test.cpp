// The map loop on the explore library's maps (as the script library holds
// them, with a script (1, 200) whose events log themselves): walking the hero, the
// view's limits, examining at the map's edge, continuous walking, the
// version screen and the countdown. Events by walking, bumping and talking,
// and the map characters' walking and wandering on the ticks, are pinned by
// Velmor's replays.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/actors.h"
#include "rpg/engine/game_loop.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/hero_move.h"
#include "rpg/engine/input.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/script.h"
#include "rpg/engine/tile_cache.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::GameRun;
using rpgtest::LoggedValues;
using Events = std::vector<int>;

// The hero on window cell (4, 3) of map (2, 1, map) with the view at (vx, vy),
// the events' script current.
void Enter(uint8_t map, uint8_t vx, uint8_t vy) {
  game.scriptBank = 1;
  game.scriptNo = 200;
  LoadScript();
  CanvasClear(game.sceneCanvas);
  PlaceActor(0, 1, 1, 4, 3);
  ChangeMap(1, map, vx, vy);
}

// The map loop from `setup`, until the message 273 its end posts.
class Explore : public GameRun {
 public:
  explicit Explore(std::function<void()> setup)
      : GameRun([setup] {
          StartTimer(kGameTimer, kGameTickMs);
          setup();
          GameLoop();
          ReleaseTileCache();
        }, rpgtest::TestLibrary("script")) {}
  ~Explore() {
    host.Post(kQuitMessage, 0, 0);
    EXPECT_EQ(game.runStatus, kQuit);
  }
};

int HeroX() { return game.viewX + game.party[0].header.viewCol; }
int HeroY() { return game.viewY + game.party[0].header.viewRow; }

TEST(ExploreTest, TheHeroReachesColumnsFourToWidthLessFiveAndRowsThreeToHeightLessThree) {
  Explore e([] { Enter(1, 0, 0); });
  e.Keys({kKeyLeft, kKeyUp});
  EXPECT_EQ(HeroX(), 4);
  EXPECT_EQ(HeroY(), 3);
  for (int i = 0; i < 13; ++i) e.Key(kKeyRight);
  EXPECT_EQ(HeroX(), 15);
  for (int i = 0; i < 11; ++i) e.Key(kKeyDown);
  EXPECT_EQ(HeroY(), 12);
  EXPECT_EQ(game.viewX, 11);
  EXPECT_EQ(game.viewY, 9);
  // Back the same way, the view reaches the map's first column and row.
  for (int i = 0; i < 9; ++i) e.Key(kKeyUp);
  for (int i = 0; i < 11; ++i) e.Key(kKeyLeft);
  EXPECT_EQ(game.viewX, 0);
  EXPECT_EQ(game.viewY, 0);
  // No cell walked over has an event.
  EXPECT_EQ(LoggedValues(), Events{});
}

// The map characters' way through the gap is pinned by Velmor's battle replay.
TEST(ExploreTest, TheGapOpensForMapCharactersOnly) {
  Explore e([] { Enter(1, 7, 5); });  // the hero on (11, 8), the gap right of him
  e.Key(kKeyRight);
  EXPECT_EQ(HeroX(), 11);
}

TEST(ExploreTest, ContinuousWalkingGoesOnEachTickUntilTheSameKey) {
  Explore e([] { Enter(1, 0, 0); });
  e.Type(" ");
  EXPECT_EQ(game.continuousWalk, 1);
  e.Key(kKeyRight);
  EXPECT_EQ(HeroX(), 5);
  e.Ticks(3);
  EXPECT_EQ(HeroX(), 8);
  e.Key(kKeyRight);
  e.Ticks(2);
  EXPECT_EQ(HeroX(), 8);
  e.Type(" ");
  EXPECT_EQ(game.continuousWalk, 0);
  e.Key(kKeyRight);
  e.Ticks(2);
  EXPECT_EQ(HeroX(), 9);
}

TEST(ExploreTest, QzkShowsTheVersionScreenOnlyAsAWholeGroupOfThree) {
  Explore e([] { Enter(1, 0, 0); });
  auto versionShown = [] { return GetPixelColor(158, 95, nullptr) == testsupport::kBlack; };
  e.Type("xQzk");  // "xQz", then "k": no group matches
  EXPECT_FALSE(versionShown());
  e.Type("abQzk");  // "kab", then "Qzk"
  EXPECT_TRUE(versionShown());
  e.Ticks(20);
  EXPECT_TRUE(versionShown());
  e.Ticks(1);
  EXPECT_FALSE(versionShown()) << "21 ticks later the map is back";
}

TEST(ExploreTest, ACountdownOfOneRunsItsEventAtTheNextTick) {
  Explore e([] {
    Enter(1, 0, 0);
    game.timerEvent = 77;
    game.timerCount = 1;
  });
  EXPECT_EQ(LoggedValues(), Events{});
  e.Ticks(1);
  EXPECT_EQ(LoggedValues(), Events{77});
  e.Ticks(3);
  EXPECT_EQ(LoggedValues(), Events{77});
  game.timerEvent = 78;
  game.timerCount = 2;
  e.Key(kKeyUp);
  e.Ticks(1);
  EXPECT_EQ(LoggedValues(), (Events{77, 78}));
}

TEST(ExploreTest, ExaminingPastTheLastColumnOrRowFindsNothing) {
  Explore e([] {
    Enter(1, 11, 9);
    game.party[0].header.viewCol = 8;
  });
  // Window cell (8, 5) is map cell (19, 14), the last column and the last
  // row; from (19, 13) facing down (19, 14) has event 44.
  for (auto [row, facing, event] : {std::tuple{5, 2, 0}, {5, 3, 0}, {4, 3, 44}, {4, 2, 0}}) {
    game.party[0].header.viewRow = uint8_t(row);
    game.party[0].header.facing = uint8_t(facing);
    EXPECT_EQ(Examine(), event) << "row " << row << " facing " << facing;
  }
}

}  // namespace
