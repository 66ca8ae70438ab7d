// Who acts when, and what: the turn order, a member's order repaired when
// its turn comes, and an enemy's choice of action, with chosen random draws.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "rpg/battle/enemy_choice.h"
#include "rpg/battle/order_check.h"
#include "rpg/battle/turn_order.h"
#include "tests/rpg/battle/battle_cast.h"

namespace {

class BattleTurns : public battletest::StateTest {
 protected:
  void SetUp() override {
    StateTest::SetUp();
    for (int i = 0; i < kPartySlots; ++i) {
      game.party[i].header.id = uint8_t(i + 1);
      game.party[i].stats.hp = game.party[i].stats.maxHp = 50;
      game.party[i].stats.mp = 10;
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
    game.battleActions[3] = {};
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

}  // namespace
