// A battle's beginning and end outside the round loop: the encounter roll,
// the flee test, the state reset, enemies loaded from the library within
// what their records and lists hold, and the party's poses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "rpg/battle/battle_setup.h"
#include "rpg/battle/enemy_load.h"
#include "rpg/battle/encounter.h"
#include "rpg/battle/poses.h"
#include "tests/rpg/battle/battle_cast.h"

namespace {

using rpgtest::Bytes;
using rpgtest::InstalledLibrary;

using BattleSetup = battletest::StateTest;

// An enemy's 48-byte library record: id, magicCount, agility 7, hp 30 of
// 40, its picture and magic list ids.
Bytes EnemyBytes(uint8_t id, uint8_t magicCount, uint8_t picture, uint8_t list) {
  Bytes b(48, 0);
  b[0] = 3, b[1] = id, b[2] = magicCount, b[19] = 7;
  b[24] = 40, b[26] = 30, b[46] = picture, b[47] = list;
  return b;
}

// A magic list claiming `count` entries and holding `pairs`.
Bytes MagicList(uint8_t id, uint8_t count, const std::vector<uint8_t>& pairs) {
  Bytes b(3 + pairs.size());
  b[0] = 1, b[1] = id, b[2] = count;
  std::copy(pairs.begin(), pairs.end(), b.begin() + 3);
  return b;
}

Bytes Library() {
  return rpgtest::PackLibrary({
      {{3, 3, 1}, EnemyBytes(1, 2, 4, 0)},
      {{3, 3, 2}, EnemyBytes(2, 5, 4, 1)},
      {{3, 3, 3}, EnemyBytes(3, 2, 4, 2)},
      {{3, 3, 4}, EnemyBytes(4, 1, 4, 9)},
      {{3, 3, 5}, EnemyBytes(5, 0, 6, 0)},
      {{8, 3, 4}, {3, 4, 8, 8, 12, 1}},
      {{12, 1, 1}, MagicList(1, 2, {1, 3, 2, 4, 9, 9})},
      {{12, 1, 2}, MagicList(2, 9, {1, 5, 1, 6, 3})},
  });
}

TEST_F(BattleSetup, AnEncounterTakesItsCountAndEachEnemyFromItsOwnDraw) {
  const uint8_t list[8] = {21, 22, 23, 0, 25};
  std::copy(std::begin(list), std::end(list), game.encounterEnemies);
  game.roundLimit = 4;
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    SeedRandom(seed);
    const int count = Random() % 3 + 1;
    std::vector<uint8_t> expected;
    for (int k = 0; k < count; ++k) expected.push_back(uint8_t(21 + Random() % 3));
    const int next = Random();
    SeedRandom(seed);
    RollEncounterEnemies();
    ASSERT_EQ(game.runStatus, 0);
    for (int slot = 0; slot < kEnemySlots; ++slot) {
      const uint8_t id = game.enemies[slot].record.enemyId;
      EXPECT_EQ(id, slot < count ? expected[slot] : 0) << "seed " << seed << " slot " << slot;
    }
    EXPECT_EQ(Random(), next) << "one draw for the count and one per enemy";
    EXPECT_EQ(game.roundLimit, 0);
  }
  game.encounterEnemies[0] = 0;
  RollEncounterEnemies();
  EXPECT_EQ(game.runStatus, 13) << "an empty list";
}

TEST_F(BattleSetup, TheFleeTestComparesRemaindersAtFullWidth) {
  struct Case {
    uint8_t luck, agility, enemyLuck, enemyAgility;
    int r;
    bool fled;
  };
  for (const Case& c : {
           Case{10, 10, 10, 10, 100, false},  // 1 + 1 against 1 + 1
           Case{20, 30, 10, 10, 100, true},   // 16 + 7 against 1 + 1
           Case{255, 0, 0, 0, 300, true},     // 300 % 256 = 44; by 1 nothing
           Case{0, 0, 255, 0, 300, false},
           Case{255, 255, 254, 254, 255, true},  // 255 + 255 against 0 + 0
       }) {
    EXPECT_EQ(FleeSucceeds(c.luck, c.agility, c.enemyLuck, c.enemyAgility, c.r), c.fled)
        << int(c.luck) << " " << int(c.agility) << " r " << c.r;
  }
  battletest::SeatMember(1, 10, 10);
  game.party[1].stats.luck = 99;
  game.fled[1] = 1;
  const int r = battletest::FirstDraw(5);
  RollFlee(1);
  EXPECT_EQ(game.fled[1], 0) << "a scripted battle is never fled";
  EXPECT_EQ(Random(), r) << "and draws nothing";
  game.randomBattle = 1;
  game.enemies[0].record = EnemyRecord{};  // gone: its zeros still count
  SeedRandom(5);
  RollFlee(1);
  EXPECT_EQ(game.fled[1], FleeSucceeds(99, 0, 0, 0, r));
}

TEST_F(BattleSetup, TheStartResetsTheBattleAndShiftsRepeatedBackgrounds) {
  struct Case {
    uint8_t in[3], out[3];
  };
  for (const Case& c : {Case{{5, 5, 5}, {5, 35, 115}}, Case{{5, 6, 7}, {5, 6, 7}},
                        Case{{200, 200, 1}, {200, 230, 1}}, Case{{250, 9, 250}, {250, 9, 104}}}) {
    std::copy(std::begin(c.in), std::end(c.in), game.encounterParams);
    InitBattle();
    for (int k = 0; k < 3; ++k) EXPECT_EQ(game.encounterParams[k], c.out[k]) << int(c.in[0]);
  }
  battletest::SeatMember(0, 5, 10);
  battletest::SeatMember(2, 0, 10);
  game.statuses[kEnemySide][2].turns[kSleep] = 3;
  game.bonuses[kPartySide][1].attack = 40;
  game.fled[0] = game.guarded[2] = game.fallCounted[2] = 1;
  game.battleLoot[9] = {6, 1, 1};
  game.battleExp = game.battleMoney = 7;
  game.roundNo = 4;
  game.manualCommands = 0;
  game.battleActions[0].kind = 6;
  InitBattle();
  EXPECT_EQ(game.livingMembers, 2) << "occupied slots, whatever their hp";
  EXPECT_FALSE(game.statuses[kEnemySide][2].On(kSleep));
  EXPECT_EQ(game.bonuses[kPartySide][1].attack, 0);
  EXPECT_EQ(game.fled[0] + game.guarded[2] + game.fallCounted[2], 0);
  EXPECT_EQ(game.battleLoot[9].kind, 0);
  EXPECT_EQ(game.battleExp + game.battleMoney + game.roundNo, 0);
  EXPECT_EQ(game.manualCommands, 1);
  EXPECT_EQ(game.battleActions[0].kind, 6) << "orders survive from battle to battle";
}

// Loading also drops a guard pose left from an earlier battle, keeping the
// order.
TEST_F(BattleSetup, EnemiesLoadOnlyWhatTheirRecordsAndListsHoldAndGuardsAreDropped) {
  InstalledLibrary lib(Library());
  battletest::SeatMember(0, 80, 100);
  battletest::SeatMember(1, 80, 100);
  game.battleActions[0].kind = 5;
  game.battleActions[0].pose = 8;
  game.battleActions[1].pose = 11;
  struct Case {
    const char* what;
    uint8_t id;
    uint8_t status, magicCount;
    std::vector<uint8_t> magic;
  };
  for (const Case& c : {
           Case{"no list: no magic", 1, 0, 0, {}},
           Case{"a list longer than the count", 2, 0, 2, {1, 3, 2, 4}},
           Case{"a count longer than the list's bytes", 3, 0, 2, {1, 5, 1, 6}},
           Case{"a missing list", 4, 3, 1, {}},
           Case{"a missing picture", 5, 3, 0, {}},
       }) {
    game.runStatus = 0;
    game.enemies[1] = EnemySlot{};
    game.enemies[1].record.enemyId = c.id;
    LoadEnemies();
    EXPECT_EQ(game.runStatus, c.status) << c.what;
    if (c.status) continue;
    const EnemySlot& e = game.enemies[1];
    EXPECT_EQ(e.record.enemyId, c.id) << c.what;
    EXPECT_EQ(e.record.pictureId, 4);
    EXPECT_EQ(e.record.agility, 7);
    EXPECT_EQ(e.record.hp, 30);
    EXPECT_NE(e.picOffset, 0);
    EXPECT_EQ(e.record.magicCount, c.magicCount) << c.what;
    for (std::size_t k = 0; k < c.magic.size(); ++k) {
      EXPECT_EQ(e.magic[k / 2][k % 2], c.magic[k]) << c.what << " byte " << k;
    }
    EXPECT_EQ(e.magic[c.magic.size() / 2][0], 0) << c.what;
    EXPECT_EQ(game.battleActions[0].pose + game.battleActions[1].pose, 0) << c.what;
    EXPECT_EQ(game.battleActions[0].kind, 5) << c.what;
  }
  game.runStatus = 0;
  game.enemies[0].record.enemyId = 9;
  game.enemies[2].record.enemyId = 1;
  LoadEnemies();
  EXPECT_EQ(game.runStatus, 3);
  EXPECT_EQ(game.enemies[2].record.pictureId, 0) << "loading stops at the first run error";
  game.runStatus = 0;
  LoadEnemy(1, Bytes(47, 0));
  EXPECT_EQ(game.runStatus, 2) << "a record a byte short";
  FreeEnemySlots();
  for (const EnemySlot& e : game.enemies) EXPECT_EQ(e.record.enemyId, 0);
}

TEST_F(BattleSetup, PosesFollowHpSleepAndGuardAndEachFallCountsOnce) {
  struct Case {
    const char* what;
    uint16_t hp;
    uint8_t kind, guarded, sleep;
    uint8_t pose;
  };
  for (const Case& c : {Case{"standing", 40, 1, 0, kStatusOff, 0},
                        Case{"defending", 40, 5, 0, kStatusOff, 8},
                        Case{"a lucky guard", 25, 1, 1, kStatusOff, 8},
                        Case{"below a quarter", 24, 5, 0, kStatusOff, 10},
                        Case{"asleep", 100, 5, 1, 2, 10},
                        Case{"down", 0, 5, 1, 2, 11}}) {
    ResetGameState();
    battletest::SeatMember(0, c.hp, 100);
    game.livingMembers = 1;
    game.battleActions[0].kind = c.kind;
    game.guarded[0] = c.guarded;
    game.statuses[kPartySide][0].turns[kSleep] = c.sleep;
    game.statuses[kPartySide][0].turns[kPoison] = 4;
    UpdatePose(0);
    EXPECT_EQ(game.battleActions[0].pose, c.pose) << c.what;
    EXPECT_EQ(game.livingMembers, c.hp == 0 ? 0 : 1) << c.what;
    EXPECT_EQ(game.statuses[kPartySide][0].On(kPoison), c.hp != 0) << c.what;
  }
  battletest::SeatMember(1, 0, 100);
  battletest::SeatMember(2, 0, 100);
  game.livingMembers = 1;
  RefreshPoses();
  RefreshPoses();
  EXPECT_EQ(game.livingMembers, 0) << "each fall once, never below 0";
  game.party[1].stats.hp = 50;
  ++game.livingMembers;  // revived by a magic
  RefreshPoses();
  game.party[1].stats.hp = 0;
  RefreshPoses();
  EXPECT_EQ(game.livingMembers, 0) << "a revived member's new fall counts again";
  game.battleActions[2].pose = 8;
  game.party[2].header.id = 0;
  UpdatePose(2);
  EXPECT_EQ(game.battleActions[2].pose, 8) << "an empty slot is left";
}

}  // namespace
