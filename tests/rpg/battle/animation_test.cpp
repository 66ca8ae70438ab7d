// The battle's movements play to their end on the virtual clock and leave
// each figure where its path ends: every member's rows and attack paths,
// the flight and the joint attack (the golden frames show an enemy's).

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/battle/anim_paths.h"
#include "rpg/battle/animations.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::Bytes;
using rpgtest::GameRun;
using testsupport::Box;
using testsupport::kBlack;

Bytes Solid(int w, int h, int frames) {
  return rpgtest::PictureBytes(w, h, 1, std::vector<std::string>(h * frames, std::string(w, '#')));
}

Bytes Library() {
  const Bytes white = rpgtest::PictureBytes(160, 96, 1, std::vector<std::string>(96, std::string(160, '.')));
  return rpgtest::PackLibrary({{{11, 4, 0}, white},
                               {{11, 3, 1}, Solid(4, 4, 12)},
                               {{11, 3, 2}, Solid(4, 4, 12)},
                               {{11, 3, 3}, Solid(4, 4, 12)},
                               {{8, 3, 4}, Solid(6, 8, 7)}});
}

void Cast() {
  CanvasClear(game.sceneCanvas);
  for (int k = 0; k < 3; ++k) {
    game.party[k].header.id = uint8_t(k + 1);
    game.party[k].stats.hp = 10;
  }
  ResKey key{8, 3, 4, 0, 0};
  LibLookup(&key);
  game.enemies[1].record.enemyId = 1;
  game.enemies[1].picBlock = key.block;
  game.enemies[1].picOffset = key.offset;
}

// Runs `play` on a white background and returns the black box of the last frame.
Box LastFrame(const std::function<void()>& play) {
  std::atomic<bool> played{false};
  GameRun run([&] {
    Cast();
    play();
    played = true;
    WaitKeyDown();
  }, Library());
  for (int k = 0; k < 2000 && !played; ++k) run.Advance(10);
  EXPECT_TRUE(played);
  const Box box = testsupport::FindColor(kBlack, 0, 0, 160, 96);
  run.Key(kKeyEnter);
  EXPECT_TRUE(run.Finished());
  return box;
}

Box At(int x, int y, int size = 4) { return {x, y, x + size - 1, y + size - 1}; }

TEST(BattleAnimation, MembersEndWhereTheirRowsAndPathsEnd) {
  struct Case {
    int number;
    uint8_t target;
    int row, path;  // path -1: none
  };
  for (int m = 0; m < 3; ++m) {
    for (const Case& c : {Case{kAnimAttack, 0, 0, 0}, Case{kAnimAttack, 2, 0, 2},
                          Case{kAnimAttack, 170, 0, 3}, Case{kAnimAttack, kSelfTarget, 0, 4},
                          Case{kAnimMagic, 0, 1, -1}, Case{kAnimFlee, 0, 2, -1},
                          Case{kAnimUse, 0, 3, -1}, Case{kAnimThrow, 0, 4, -1}}) {
      const Box box = LastFrame([&] {
        for (int k = 0; k < 3; ++k) game.party[k].header.id = k == m ? uint8_t(m + 1) : 0;
        game.enemies[1].record.enemyId = 0;
        game.battleActions[m].target = c.target;
        MemberAnimation(c.number, m);
      });
      const MemberRow& r = kMemberRowTable[c.row];
      const int last = r.steps - 1;
      int x = r.x[m][last], y = r.y[m][last];
      if (c.path >= 0) {
        x += kAttackPathTable[m][c.path].dx[last];
        y += kAttackPathTable[m][c.path].dy[last];
      }
      EXPECT_EQ(box, At(x, y)) << "member " << m << " animation " << c.number << " target "
                               << int(c.target);
    }
  }
}

TEST(BattleAnimation, AWholeScreenMagicLeavesThePartyOut) {
  const Box box = LastFrame([] {
    game.battleActions[0].magic[5] = 201;
    MemberAnimation(kAnimMagic, 0);
    PresentScene();
  });
  EXPECT_EQ(box, (Box{43, 13, 48, 20})) << "enemy 1 alone, at its anchor less (1, 1)";
}

TEST(BattleAnimation, FlightAndJointAttackMoveEveryStandingMember) {
  const Box fled = LastFrame([] {
    game.enemies[1].record.enemyId = 0;
    game.party[0].stats.hp = 0;
    game.fled[2] = 1;
    MemberAnimation(kAnimFlee, 2);
  });
  const FleeStep one = FleePosition(1, kFleeSteps - 1);
  const FleeStep two = FleePosition(2, kFleeSteps - 1);
  ASSERT_GT(two.x, 140) << "member 2 runs off the drawn part";
  EXPECT_EQ(fled, At(one.x, one.y)) << "member 0 is down and member 2 gone";
  const Box joint = LastFrame([] {
    game.enemies[1].record.enemyId = 0;
    JointAnimation();
  });
  const int last = kJointSteps - 1;
  EXPECT_EQ(joint, (Box{kMemberAt[0].x + kJointDx[0][last], kMemberAt[2].y + kJointDy[2][last],
                        kMemberAt[2].x + kJointDx[2][last] + 3,
                        kMemberAt[0].y + kJointDy[0][last] + 3}));
}

}  // namespace
