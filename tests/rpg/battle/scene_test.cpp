// The battle scene: where backgrounds, members and enemies stand, what the
// masks hide, the pop-ups' counts and effect origins (the status view is in
// the golden frames).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/canvas.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"
#include "tests/rpg/battle/battle_cast.h"
#include "tests/rpg/support/game_run.h"
#include "tests/support/host_screen.h"

namespace {

using battletest::Solid;
using rpgtest::GameRun;
using testsupport::Box;
using testsupport::kBlack;

rpgtest::Bytes Library() {
  std::vector<std::string> enemy = {"~~~~~~"};
  for (int k = 0; k < 7; ++k) enemy.push_back("######");
  return rpgtest::PackLibrary({
      {{11, 4, 5}, Solid(4, 2)},
      {{11, 4, 6}, Solid(3, 3)},
      {{11, 4, 7}, Solid(2, 2)},
      {{11, 3, 1}, Solid(8, 8)},
      {{11, 3, 2}, Solid(8, 8)},
      {{11, 3, 3}, Solid(8, 8)},
      {{8, 3, 4}, rpgtest::PictureBytes(6, 8, 2, enemy)},
      {{11, 2, 5}, Solid(1, 1, 10)},
      {{11, 2, 6}, Solid(3, 1)},
      {{11, 2, 7}, Solid(3, 1)},
      {{11, 2, 18}, Solid(2, 2)},
  });
}

// Three members and enemies in slots 0 and 2, their picture located.
void Cast() {
  game.encounterParams[0] = 5, game.encounterParams[1] = 6, game.encounterParams[2] = 7;
  for (int k = 0; k < 3; ++k) {
    game.party[k].header.id = uint8_t(k + 1);
    game.party[k].stats.hp = game.party[k].stats.maxHp = 40;
  }
  battletest::StandEnemies({0, 2}, 4);
}

Box Black(int x, int y, int w, int h) { return testsupport::FindColor(kBlack, x, y, w, h); }

TEST(BattleScene, EachPieceStandsInItsPlaceAndTheMasksHideThem) {
  struct Case {
    uint8_t hideMembers, hideEnemies;
  };
  for (const Case& c : {Case{0, 0}, Case{1 | 4, 2 | 4}, Case{2, 1}}) {
    GameRun run([&] {
      Cast();
      CanvasClear(game.sceneCanvas);
      DrawBattleScene(c.hideMembers, c.hideEnemies);
      PresentScene();
      WaitKeyDown();
    }, Library());
    EXPECT_EQ(Black(0, 0, 20, 10), (Box{0, 0, 3, 1})) << "background 0";
    EXPECT_EQ(Black(60, 0, 20, 10), (Box{66, 0, 68, 2})) << "background 1";
    EXPECT_EQ(Black(0, 55, 20, 20), (Box{0, 61, 1, 62})) << "background 2";
    for (int k = 0; k < 3; ++k) {
      const Box member = Black(kMemberAt[k].x, kMemberAt[k].y, 8, 8);
      const Box place{kMemberAt[k].x, kMemberAt[k].y, kMemberAt[k].x + 7, kMemberAt[k].y + 7};
      EXPECT_EQ(member == place, !(c.hideMembers & (1 << k))) << "member " << k;
    }
    // A 6 x 8 enemy stands at its anchor less (1, 1); its top row is clear.
    EXPECT_EQ(Black(5, 20, 20, 20) == (Box{11, 25, 16, 31}), !(c.hideEnemies & 1));
    EXPECT_EQ(Black(75, 5, 20, 20) == (Box{81, 11, 86, 17}), !(c.hideEnemies & 4));
    EXPECT_EQ(Black(30, 5, 30, 20), (Box{-1, -1, -1, -1})) << "slot 1 is empty";
    run.Key(kKeyEnter);
    ASSERT_TRUE(run.Finished());
  }
}

TEST(BattleScene, EffectOriginsAreBytes) {
  struct Case {
    uint8_t target;
    int side;
    uint8_t x, y;
  };
  for (const Case& c : {Case{0, kPartySide, 4, 2}, Case{2, kPartySide, 68, 246},
                        Case{1, kEnemySide, 240, 220}, Case{170, kPartySide, 30, 252},
                        Case{170, kEnemySide, 236, 218}}) {
    const EffectAt at = EffectOrigin(c.target, c.side);
    EXPECT_EQ(at.x, c.x) << int(c.target) << " side " << c.side;
    EXPECT_EQ(at.y, c.y) << int(c.target) << " side " << c.side;
  }
}

TEST(BattleScene, PopupsCountTheNumbersShown) {
  struct Case {
    const char* what;
    char sign;
    PopupValues values;
    uint8_t target;
    int side;
    bool same;
    int shown;
  };
  for (const Case& c : {
           Case{"one enemy", '-', {{0, 0, 30}}, 2, kEnemySide, false, 1},
           Case{"one enemy, 0", '-', {{0, 0, 0}}, 2, kEnemySide, false, 1},
           Case{"every enemy, a miss and an empty slot", '-', {{12, 9, 65535}}, 170, kEnemySide,
                false, 1},
           Case{"the party, the same for all", '+', {{7, 0, 0}}, 170, kPartySide, true, 3},
           Case{"the party, a 0 draws nothing", '+', {{7, 0, 5}}, 170, kPartySide, false, 2},
       }) {
    int shown = -1;
    GameRun run([&] {
      Cast();
      shown = ShowPopups(c.sign, c.values, c.target, c.side, c.same);
    }, Library());
    ASSERT_TRUE(run.Play({})) << c.what;
    EXPECT_EQ(shown, c.shown) << c.what;
  }
}

}  // namespace
