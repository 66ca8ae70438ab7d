// Golden frames of the battle's movements, each caught at one chosen step,
// for every member that has a path of its own, and of the status view. The
// library's pictures show their own frame numbers.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/msg.h"
#include "platform/gdi/bitmap_image.h"
#include "platform/gdi/image.h"
#include "rpg/battle/anim_paths.h"
#include "rpg/battle/animations.h"
#include "rpg/battle/scene.h"
#include "rpg/battle/status_view.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/support/golden.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::GameRun;

// Three members and three enemies on the three backgrounds.
void Cast() {
  for (int k = 0; k < 3; ++k) {
    game.encounterParams[k] = uint8_t(k + 1);
    game.party[k].header.id = uint8_t(k + 1);
    CharStats& m = game.party[k].stats;
    m.hp = m.maxHp = uint16_t(120 + k), m.attack = 45, m.agility = 17, m.luck = 9;
  }
  ResKey key{8, 3, 1, 0, 0};
  LibLookup(&key);
  for (EnemySlot& e : game.enemies) {
    e.record.enemyId = 1;
    e.picBlock = key.block;
    e.picOffset = key.offset;
  }
}

// The screen `ms` ms (fast ticks) after `play` starts; the run then goes on
// to its end, a key ending a wait for one.
plat::Image Caught(const std::function<void()>& play, int ms) {
  static const rpgtest::Bytes scene = rpgtest::TestLibrary("battle_scene");
  GameRun run([&] {
    Cast();
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
