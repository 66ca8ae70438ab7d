// A turn in battle: who acts when and what (the turn order, a member's
// order repaired when its turn comes, an enemy's choice, with chosen random
// draws), and what the actions leave on the scene: every status an action
// starts plays its effect (1, 240 + index) over its combatant, whichever rule
// started it (a refused one plays nothing); a thrown drain pays the thrower.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/battle/enemy_choice.h"
#include "rpg/battle/enemy_turn.h"
#include "rpg/battle/item_actions.h"
#include "rpg/battle/member_actions.h"
#include "rpg/battle/member_magic.h"
#include "rpg/battle/order_check.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/turn_order.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/battle/battle_cast.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/support/host_screen.h"

namespace {

class BattleTurns : public battletest::StateTest {
 protected:
  void SetUp() override {
    StateTest::SetUp();
    for (int i = 0; i < kPartySlots; ++i) {
      battletest::SeatMember(i, 50, 50).mp = 10;
      game.enemies[i].record.enemyId = uint8_t(i + 1);
      game.enemies[i].record.hp = 20;
      game.enemies[i].record.mp = 10;
    }
  }
  // Seeds Random() so that its next draw gives x = r % 100.
  static void SeedForX(int x) {
    battletest::SeedWhere([x] { return Random() % 100 == x; });
  }
};

TEST_F(BattleTurns, TheFastestActFirstAndTiesKeepPartyThenEnemyOrder) {
  struct Case {
    const char* what;
    uint8_t agility[6];
    uint8_t absentMember, absentEnemy;  // 255: none
    std::string order;                  // p0 ... p2, e0 ... e2, - for nobody
  };
  for (const Case& c : {
           Case{"all equal", {9, 9, 9, 9, 9, 9}, 255, 255, "p0 p1 p2 e0 e1 e2"},
           Case{"by speed", {1, 5, 3, 4, 6, 2}, 255, 255, "e1 p1 e0 p2 e2 p0"},
           Case{"ties inside groups", {5, 7, 5, 7, 5, 0}, 255, 255, "p1 e0 p0 p2 e1 e2"},
           Case{"absent last", {5, 5, 5, 5, 5, 5}, 1, 0, "p0 p2 e1 e2 - -"},
       }) {
    SetUp();
    for (int k = 0; k < 3; ++k) {
      game.party[k].stats.agility = c.agility[k];
      game.enemies[k].record.agility = c.agility[3 + k];
    }
    if (c.absentMember != 255) game.party[c.absentMember].header.id = 0;
    if (c.absentEnemy != 255) game.enemies[c.absentEnemy].record.enemyId = 0;
    std::string got;
    for (uint8_t who : ComputeTurnOrder()) {
      if (!got.empty()) got += ' ';
      got += who == kNoTurn ? "-" : who >= kEnemyTurn ? "e" + std::to_string(who - kEnemyTurn)
                                                      : "p" + std::to_string(who);
    }
    EXPECT_EQ(got, c.order) << c.what;
  }
}

TEST_F(BattleTurns, HealingOrdersAreHastenedWithinEightBits) {
  game.party[0].stats.agility = 200;
  game.battleActions[0].kind = 2;
  game.battleActions[0].magic[0] = 3;
  EXPECT_EQ(MemberSpeed(0), 44) << "300 taken to 8 bits";
  game.party[1].stats.agility = 40;
  game.battleActions[1].kind = 8;
  game.battleActions[1].item[0] = 10;
  EXPECT_EQ(MemberSpeed(1), 60);
  game.battleActions[1].item[0] = 11;
  EXPECT_EQ(MemberSpeed(1), 40);
  game.battleActions[1] = {};
  game.battleActions[1].kind = 2;
  game.battleActions[1].magic[0] = 1;
  game.bonuses[kPartySide][1].agility = 10;
  EXPECT_EQ(MemberSpeed(1), 50) << "a harmful magic is not hastened; the bonus counts";
}

TEST_F(BattleTurns, OrdersThatCanNoLongerBeCarriedOutBecomeAttacks) {
  struct Case {
    const char* what;
    uint8_t kind, target, cost, seal, sleep, weaponFlags;
    uint8_t gone;  // bits of enemy slots gone
    bool noEnemy;
    uint8_t kindAfter, targetAfter, itemsAfter;
  };
  for (const Case& c : {
           Case{"no order", 0, 2, 0, 0, 0, 0, 0, false, 1, 0, 2},
           Case{"no order, a weapon striking all", 0, 2, 0, 0, 0, 16, 0, false, 1, 170, 2},
           Case{"a magic paid for", 2, 1, 10, 0, 0, 0, 0, false, 2, 1, 2},
           Case{"mp short", 2, 1, 11, 0, 0, 0, 0, false, 1, 0, 2},
           Case{"sealed", 2, 1, 1, 1, 0, 0, 0, false, 1, 0, 2},
           Case{"an item used", 8, 1, 0, 0, 0, 0, 0, false, 8, 1, 1},
           Case{"an item thrown at a gone enemy", 9, 1, 0, 0, 0, 0, 2, false, 9, 2, 1},
           Case{"asleep: the item stays", 9, 0, 0, 0, 1, 0, 0, false, 9, 0, 2},
           Case{"gone target, the next after it", 1, 1, 0, 0, 0, 0, 2 | 4, false, 1, 0, 2},
           Case{"every enemy gone", 1, 1, 0, 0, 0, 0, 7, true, 1, 1, 2},
           Case{"a target past the slots", 1, 9, 0, 0, 0, 0, 1, false, 1, 1, 2},
           Case{"the whole side stands", 1, 170, 0, 0, 0, 0, 1 | 2, false, 1, 170, 2},
       }) {
    SetUp();
    game.inventory[0] = {9, 4, 2};
    game.invCount = 1;
    BattleAction& a = game.battleActions[0];
    a.kind = c.kind, a.target = c.target, a.magic[0] = 1, a.magic[4] = c.cost;
    a.item[0] = 9, a.item[1] = 4;
    game.party[0].stats.weaponFlags = c.weaponFlags;
    if (c.seal) game.statuses[kPartySide][0].turns[kSeal] = 2;
    if (c.sleep) game.statuses[kPartySide][0].turns[kSleep] = 2;
    for (int k = 0; k < 3; ++k) {
      if (c.gone & (1 << k)) game.enemies[k].record.enemyId = 0;
    }
    EXPECT_EQ(CheckOrder(0), c.noEnemy) << c.what;
    EXPECT_EQ(a.kind, c.kindAfter) << c.what;
    EXPECT_EQ(a.target, c.targetAfter) << c.what;
    EXPECT_EQ(game.invCount ? game.inventory[0].count : 0, c.itemsAfter) << c.what;
  }
  game.enemies[1].record.enemyId = 0;
  BattleAction& heal = game.battleActions[1];
  heal.kind = 2, heal.target = 1, heal.magic[0] = 3;
  EXPECT_FALSE(CheckOrder(1));
  EXPECT_EQ(heal.target, 1) << "a magic for the party keeps its member";
}

TEST_F(BattleTurns, AnEnemyChoosesByOneDraw) {
  rpgtest::InstalledLibrary lib(rpgtest::PackLibrary({
      {{4, 1, 3}, battletest::MagicRecord(1, 3, 0, 5)},
      {{4, 3, 4}, battletest::MagicRecord(3, 4, 128, 5)},
      {{4, 2, 5}, battletest::MagicRecord(2, 5, 0, 5)},
  }));
  struct Case {
    const char* what;
    uint8_t magicRate, magicCount;
    int x;
    uint8_t mp, seal, downMember, goneEnemy;  // 255: nobody
    uint8_t kind, magicId, target;
  };
  for (const Case& c : {
           Case{"rate 0 never casts", 0, 3, 99, 10, 0, 255, 255, 1, 0, 0},
           Case{"rate 99, x 0", 99, 3, 0, 10, 0, 255, 255, 1, 0, 0},
           Case{"rate 99, x 1 casts", 99, 3, 1, 10, 0, 255, 255, 2, 4, 170},
           Case{"no magics", 99, 0, 4, 10, 0, 255, 255, 1, 0, 1},
           Case{"a heal for its whole side", 99, 3, 4, 10, 0, 255, 255, 2, 4, 170},
           Case{"a harm on a standing member", 99, 3, 3, 10, 0, 255, 255, 2, 3, 0},
           Case{"a harm moved past a fallen member", 99, 3, 3, 10, 0, 0, 255, 2, 3, 1},
           Case{"a strike moved past a fallen member", 50, 3, 2, 10, 0, 2, 255, 1, 0, 0},
           Case{"a strengthening for its own side", 99, 3, 5, 10, 0, 255, 255, 2, 5, 2},
           Case{"... moved past a gone enemy", 99, 3, 5, 10, 0, 255, 2, 2, 5, 0},
           Case{"mp short", 99, 3, 5, 4, 0, 255, 255, 1, 5, 2},
           Case{"sealed", 99, 3, 4, 10, 1, 255, 255, 1, 4, 1},
       }) {
    SetUp();
    EnemySlot& e = game.enemies[0];
    e.record.magicRate = c.magicRate, e.record.magicCount = c.magicCount, e.record.mp = c.mp;
    const uint8_t list[3][2] = {{1, 3}, {3, 4}, {2, 5}};
    std::copy(&list[0][0], &list[0][0] + 6, &e.magic[0][0]);
    if (c.seal) game.statuses[kEnemySide][0].turns[kSeal] = 1;
    if (c.downMember != 255) game.party[c.downMember].stats.hp = 0;
    if (c.goneEnemy != 255) game.enemies[c.goneEnemy].record.enemyId = 0;
    SeedForX(c.x);
    ChooseEnemyAction(0);
    ASSERT_EQ(game.runStatus, 0) << c.what;
    const BattleAction& a = game.battleActions[3];
    EXPECT_EQ(a.kind, c.kind) << c.what;
    EXPECT_EQ(a.magic[1], c.magicId) << c.what;
    EXPECT_EQ(a.target, c.target) << c.what;
  }
  game.enemies[0].magic[0][1] = 9;
  SeedForX(3);
  ChooseEnemyAction(0);
  EXPECT_EQ(game.runStatus, 3) << "a magic missing from the library";
}

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
    CharStats& m = battletest::SeatMember(k, 500, 500);
    m.mp = m.maxMp = 50, m.attack = 10, m.defence = m.agility = 20;
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
    battletest::SeatMember(0, 10, 200);
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
