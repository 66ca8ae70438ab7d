// The battle scene and its movements: the pop-ups' counts and effect
// origins; each figure left where its path ends (every member's rows and
// attack paths, the flight and the joint attack), and golden frames caught at
// one chosen step of every movement and of the status view, on a library
// whose pictures show their frame numbers (where backgrounds, members and
// enemies stand, and what the masks hide while a figure moves).

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "platform/gdi/bitmap_image.h"
#include "platform/gdi/image.h"
#include "rpg/battle/anim_paths.h"
#include "rpg/battle/animations.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/scene.h"
#include "rpg/battle/status_view.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"
#include "tests/rpg/battle/battle_cast.h"
#include "tests/rpg/support/game_run.h"
#include "tests/support/golden.h"
#include "tests/support/host_screen.h"

namespace {

using battletest::Solid;
using rpgtest::GameRun;
using testsupport::Box;
using testsupport::kBlack;

rpgtest::Bytes SceneLibrary() {
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
void CastOnScene() {
  game.encounterParams[0] = 5, game.encounterParams[1] = 6, game.encounterParams[2] = 7;
  for (int k = 0; k < 3; ++k) battletest::SeatMember(k, 40, 40);
  battletest::StandEnemies({0, 2}, 4);
}

Box At(int x, int y) { return {x, y, x + 3, y + 3}; }

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
      CastOnScene();
      shown = ShowPopups(c.sign, c.values, c.target, c.side, c.same);
    }, SceneLibrary());
    ASSERT_TRUE(run.Play({})) << c.what;
    EXPECT_EQ(shown, c.shown) << c.what;
  }
}

// A white background, members of 4 x 4 and a 6 x 8 enemy, all black.
rpgtest::Bytes MoveLibrary() {
  const rpgtest::Bytes white = rpgtest::PictureBytes(160, 96, 1, std::vector<std::string>(96, std::string(160, '.')));
  return rpgtest::PackLibrary({{{11, 4, 0}, white},
                               {{11, 3, 1}, Solid(4, 4, 12)},
                               {{11, 3, 2}, Solid(4, 4, 12)},
                               {{11, 3, 3}, Solid(4, 4, 12)},
                               {{8, 3, 4}, Solid(6, 8, 7)}});
}

// Three members on a cleared scene; enemy 1's slot empty, its picture left
// there (an empty slot draws nothing).
void CastOnWhite() {
  CanvasClear(game.sceneCanvas);
  for (int k = 0; k < 3; ++k) battletest::SeatMember(k, 10, 0);
  battletest::StandEnemies({1}, 4);
  game.enemies[1].record.enemyId = 0;
}

// Runs `play` on a white background and returns the black box of the last frame.
Box LastFrame(const std::function<void()>& play) {
  std::atomic<bool> played{false};
  GameRun run([&] {
    CastOnWhite();
    play();
    played = true;
    WaitKeyDown();
  }, MoveLibrary());
  for (int k = 0; k < 2000 && !played; ++k) run.Advance(10);
  EXPECT_TRUE(played);
  const Box box = testsupport::FindColor(kBlack, 0, 0, 160, 96);
  run.Key(kKeyEnter);
  return box;
}

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
    game.enemies[1].record.enemyId = 1;
    game.battleActions[0].magic[5] = 201;
    MemberAnimation(kAnimMagic, 0);
    PresentScene();
  });
  EXPECT_EQ(box, (Box{43, 13, 48, 20})) << "enemy 1 alone, at its anchor less (1, 1)";
}

TEST(BattleAnimation, FlightAndJointAttackMoveEveryStandingMember) {
  const Box fled = LastFrame([] {
    game.party[0].stats.hp = 0;
    game.fled[2] = 1;
    MemberAnimation(kAnimFlee, 2);
  });
  const FleeStep one = FleePosition(1, kFleeSteps - 1);
  const FleeStep two = FleePosition(2, kFleeSteps - 1);
  ASSERT_GT(two.x, 140) << "member 2 runs off the drawn part";
  EXPECT_EQ(fled, At(one.x, one.y)) << "member 0 is down and member 2 gone";
  const Box joint = LastFrame(JointAnimation);
  const int last = kJointSteps - 1;
  EXPECT_EQ(joint, (Box{kMemberAt[0].x + kJointDx[0][last], kMemberAt[2].y + kJointDy[2][last],
                        kMemberAt[2].x + kJointDx[2][last] + 3,
                        kMemberAt[0].y + kJointDy[0][last] + 3}));
}

// Three members and three enemies on the three backgrounds.
void CastOnBackgrounds() {
  for (int k = 0; k < 3; ++k) {
    game.encounterParams[k] = uint8_t(k + 1);
    CharStats& m = battletest::SeatMember(k, uint16_t(120 + k), uint16_t(120 + k));
    m.attack = 45, m.agility = 17, m.luck = 9;
  }
  battletest::StandEnemies({0, 1, 2}, 1);
}

// The screen `ms` ms (fast ticks) after `play` starts; the run then goes on
// to its end, a key ending a wait for one.
plat::Image Caught(const std::function<void()>& play, int ms) {
  static const rpgtest::Bytes scene = rpgtest::TestLibrary("battle_scene");
  GameRun run([&] {
    CastOnBackgrounds();
    play();
  }, scene);
  run.Advance(ms);
  plat::Image shot = plat::ImageFromBitmap(*hostScreen.bitmap);
  EXPECT_TRUE(run.Play({kKeyEnter}, 0));
  return shot;
}

// The pictures side by side, 4 grey columns between them.
plat::Image Beside(const std::vector<plat::Image>& shots) {
  constexpr int kGap = 4;
  plat::Image all;
  all.width = int(shots.size()) * (shots[0].width + kGap) - kGap;
  all.height = shots[0].height;
  all.pixels.assign(std::size_t(all.width) * all.height, 0x808080);
  for (std::size_t k = 0; k < shots.size(); ++k) {
    for (int y = 0; y < all.height; ++y) {
      for (int x = 0; x < shots[k].width; ++x) {
        all.at(int(k) * (shots[k].width + kGap) + x, y) = shots[k].at(x, y);
      }
    }
  }
  return all;
}

// A time in the middle of step `step` when step k waits delays[k] + 1 ticks
// of the fast timer, which the host runs at its shortest period, 10 ms.
int Into(const uint8_t* delays, int step) {
  constexpr int kTickMs = 10;
  int ticks = 0;
  for (int k = 0; k < step; ++k) ticks += delays[k] + 1;
  return ticks * kTickMs + kTickMs / 2;
}

TEST(BattleAnimation, GoldenFramesOfEveryMovement) {
  constexpr uint8_t kEnemyDelays[] = {5, 10, 10, 15, 10, 20};
  constexpr uint8_t kFleeDelays[] = {5, 5, 5, 5, 5};
  const auto row = [](int r) { return kMemberRowTable[r].delay; };
  struct Shot {
    const char* name;
    int members;  // 3: one picture per member, side by side
    std::function<void(int member)> play;
    int ms;
  };
  const Shot shots[] = {
      {"attack", 3, [](int m) {
         game.battleActions[m].target = uint8_t(2 - m);
         MemberAnimation(kAnimAttack, m);
       }, Into(row(0), 3)},
      {"magic", 3, [](int m) { MemberAnimation(kAnimMagic, m); }, Into(row(1), 3)},
      {"flee_attempt", 3, [](int m) { MemberAnimation(kAnimFlee, m); }, Into(row(2), 3)},
      {"use", 3, [](int m) { MemberAnimation(kAnimUse, m); }, Into(row(3), 2)},
      {"throw", 3, [](int m) { MemberAnimation(kAnimThrow, m); }, Into(row(4), 2)},
      {"joint", 1, [](int) { JointAnimation(); }, Into(kJointDelay, 4)},
      {"flee", 1, [](int) { FleeAnimation(); }, Into(kFleeDelays, 2)},
      {"enemy_strike", 3, [](int m) {
         game.battleActions[kPartySlots].target = uint8_t(m);
         EnemyAnimation(kEnemyStrikes, 1);
       }, Into(kEnemyDelays, 4)},
      {"enemy_cast", 1, [](int) { EnemyAnimation(kEnemyCasts, 1); }, Into(kEnemyDelays, 1)},
      {"status_view", 1, [](int) {
         game.party[1].stats.immunity = StatusBit(kSleep) | StatusBit(kPoison);
         game.bonuses[kPartySide][1] = {20, 0xFFF0, 0x80};
         game.statuses[kPartySide][1].turns[kSeal] = 3;
         game.statuses[kPartySide][1].turns[kAttackChange] = 2;
         DrawBattleScene(0, 0);
         DrawStatusView(1);
         WaitKeyDown();
       }, 0},
  };
  for (const Shot& shot : shots) {
    SCOPED_TRACE(shot.name);
    std::vector<plat::Image> frames;
    for (int m = 0; m < shot.members; ++m) frames.push_back(Caught([&] { shot.play(m); }, shot.ms));
    EXPECT_TRUE(testsupport::MatchesGolden(Beside(frames), std::string("rpg/battle_") + shot.name));
  }
}

}  // namespace
