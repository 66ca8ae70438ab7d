// Actions on the scene: every status an action starts plays its effect
// (1, 240 + index) over the combatant it started on, whichever rule started
// it (a refused status plays nothing), and a thrown drain pays the thrower.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/battle/enemy_turn.h"
#include "rpg/battle/item_actions.h"
#include "rpg/battle/member_actions.h"
#include "rpg/battle/member_magic.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/support/host_screen.h"

namespace {

// Status s leaves a 4 x 2 mark at (5s, -10) from the combatant's place.
constexpr int kMarkDx = 60, kMarkDy = 40, kMarkStep = 5;

rpgtest::Bytes Library() {
  std::vector<rpgtest::Resource> effects;
  for (int s = 0; s < kStatusCount; ++s) {
    const uint8_t dx = uint8_t(kMarkDx + kMarkStep * s);
    effects.push_back(
        {{5, 1, uint8_t(240 + s)}, rpgtest::EffectBytes({{dx, kMarkDy, 2, 0, 0}}, 1, 0, 0)});
  }
  return rpgtest::PackLibrary(effects);
}

// The statuses whose marks the scene shows over the combatant.
uint8_t Marked(Combatant c) {
  const EffectAt at = EffectOrigin(uint8_t(c.slot), c.side);
  uint8_t bits = 0;
  for (int s = 0; s < kStatusCount; ++s) {
    const int x = uint8_t(at.x + kMarkDx + kMarkStep * s), y = uint8_t(at.y + kMarkDy);
    const bool black = testsupport::Pixels(game.sceneCanvas, x, y, 1, 1)[0] == testsupport::kBlack;
    if (black) bits |= StatusBit(s);
  }
  return bits;
}

// Three members and three enemies of luck 0 (an attempt fails only for
// r % 90 = 0), none of them falling to what the cases do.
void Cast() {
  for (int k = 0; k < 3; ++k) {
    game.party[k].header.id = uint8_t(k + 1);
    CharStats& m = game.party[k].stats;
    m.hp = m.maxHp = 500, m.mp = m.maxMp = 50, m.attack = 10, m.defence = m.agility = 20;
    EnemyRecord& e = game.enemies[k].record;
    e.enemyId = uint8_t(k + 1), e.hp = e.maxHp = 500, e.attack = 10, e.defence = e.agility = 20;
  }
}

// The magic part of an action: class, effect block bytes 4-7.
void Magic(BattleAction& a, uint8_t magicClass, uint8_t target, std::array<uint8_t, 4> block) {
  a.kind = 2, a.target = target, a.magic[0] = magicClass, a.magic[5] = 1;
  for (int k = 0; k < 4; ++k) a.magic[18 + 4 + k] = block[k];
}

// The item part: kind, power, effect block bytes 0-7.
void Item(BattleAction& a, uint8_t kind, uint8_t target, std::array<uint8_t, 8> block) {
  a.target = target, a.item[0] = kind, a.item[2] = 3;
  for (int k = 0; k < 8; ++k) a.item[16 + k] = block[k];
}

TEST(BattleStatusEffects, EveryRuleThatStartsAStatusPlaysItsEffect) {
  constexpr int P = kPartySide, E = kEnemySide;
  BattleAction& enemy = game.battleActions[kPartySlots];
  struct Case {
    const char* what;
    std::function<void()> act;
    Combatant on;
    uint8_t bits;
  };
  const Case cases[] = {
      {"a weapon's statuses, sleep refused", [] {
         game.party[0].stats.weaponFlags = 8 | 1, game.party[0].stats.weaponPower = 2;
         game.enemies[1].record.immunity = 1;
         game.battleActions[0].kind = 1, game.battleActions[0].target = 1;
         DoMemberAction(0);
       }, {E, 1}, 8},
      {"a member's harmful magic: lowered attack and confusion", [] {
         Magic(game.battleActions[0], 1, 2, {0, 10, 0x24, 0});
         CastMemberMagic(0);
       }, {E, 2}, 64 | 4},
      {"a member's strengthening magic", [] {
         Magic(game.battleActions[0], 2, 1, {50, 0, 0x20, 0});
         CastMemberMagic(0);
       }, {P, 1}, 32},
      {"an enemy's harmful magic", [&] {
         Magic(enemy, 1, 2, {0, 0, 0x12, 0});
         CastEnemyMagic(0);
       }, {P, 2}, 2},
      {"an enemy's strengthening magic", [&] {
         Magic(enemy, 2, 0, {0, 0, 0x20, 50});
         CastEnemyMagic(0);
       }, {E, 0}, 16},
      {"an enemy's hit", [] {
         game.party[1].header.id = game.party[2].header.id = 0;
         game.enemies[0].record.hitStatus = 8, game.enemies[0].record.hitStatusTurns = 2;
         DoEnemyTurn(0);
       }, {P, 0}, 8},
      {"a strengthening item", [] {
         Item(game.battleActions[0], 12, 1, {0, 0, 0, 20, 0, 0, 0, 0});
         UseItem(0);
       }, {P, 1}, 64},
      {"a thrown item's statuses", [] {
         Item(game.battleActions[0], 8, 0, {0, 0, 0, 0, 0, 0, 4, 0});
         ThrowItem(0);
       }, {E, 0}, 4},
  };
  for (const Case& c : cases) {
    uint8_t marked[2][3] = {};
    int runStatus = -1;
    rpgtest::GameRun run([&] {
      Cast();
      CanvasClear(game.sceneCanvas);
      SeedRandom(3);
      c.act();
      for (int side : {P, E}) {
        for (int k = 0; k < 3; ++k) marked[side][k] = Marked({side, k});
      }
      runStatus = game.runStatus;
    }, Library());
    ASSERT_TRUE(run.Play({})) << c.what;
    EXPECT_EQ(runStatus, 0) << c.what;
    for (int side : {P, E}) {
      for (int k = 0; k < 3; ++k) {
        const bool on = side == c.on.side && k == c.on.slot;
        EXPECT_EQ(marked[side][k], on ? c.bits : 0) << c.what << ": side " << side << " slot " << k;
      }
    }
  }
}

TEST(BattleItems, AThrownDrainPaysTheThrowerOncePerEnemyHit) {
  rpgtest::GameRun run([] {
    game.party[0].header.id = 1;
    game.party[0].stats.hp = 10, game.party[0].stats.maxHp = 200;
    game.enemies[0].record.enemyId = game.enemies[2].record.enemyId = 1;
    game.enemies[0].record.hp = 100;
    game.enemies[2].record.hp = 20;
    game.battleActions[0].target = 170;
    ThrowDamage(0, true, uint16_t(65536 - 30));
  });
  ASSERT_TRUE(run.Play({}));
  EXPECT_EQ(game.enemies[0].record.hp, 70);
  EXPECT_EQ(game.enemies[2].record.hp, 0) << "to 0 when not larger";
  EXPECT_EQ(game.party[0].stats.hp, 10 + 2 * 30);
}

}  // namespace
