// Level-up arithmetic, magic learning and theft. Expected values are worked
// out by hand from the level table below.

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "codec/bytes.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/party/level_up.h"
#include "rpg/party/magic_learning.h"
#include "rpg/party/theft.h"
#include "tests/rpg/support/memory_library.h"

namespace {

using rpgtest::Bytes;
using rpgtest::InstalledLibrary;

// A level table of `rows`, the last level being their count.
Bytes Table(uint8_t id, std::initializer_list<LevelRow> rows) {
  Bytes b = {2, id, uint8_t(rows.size()), 0};
  for (const LevelRow& row : rows) {
    const auto* p = reinterpret_cast<const uint8_t*>(&row);
    b.insert(b.end(), p, p + sizeof row);
  }
  return b;
}

// Levels 1 ... 3 of character 1: maxHp, hp, maxMp, mp, attack, defence,
// unused, nextExp, agility, spirit, luck, chain count.
const LevelRow kRow1{100, 100, 20, 20, 10, 8, 0, 50, 10, 5, 7, 1};
const LevelRow kRow2{140, 140, 30, 30, 15, 12, 0, 80, 12, 6, 8, 2};
const LevelRow kRow3{200, 200, 45, 45, 22, 15, 0, 120, 15, 8, 9, 3};

LevelRow Needing(uint16_t nextExp) {
  LevelRow row{};
  row.nextExp = nextExp;
  return row;
}

Bytes Magic(uint8_t cls, uint8_t id) {
  Bytes b(27, 0);
  b[0] = cls, b[1] = id;
  std::memcpy(b.data() + 6, "MAGIC", 5);
  return b;
}

class LevelUpTest : public ::testing::Test {
 protected:
  LevelUpTest()
      : lib_(rpgtest::PackLibrary({{{12, 2, 1}, Table(1, {kRow1, kRow2, kRow3})},
                                   {{12, 2, 2}, Table(2, {Needing(65533), kRow1})},
                                   {{12, 1, 4}, {1, 4, 3, 1, 1, 3, 2, 5, 1}},
                                   {{4, 1, 1}, Magic(1, 1)},
                                   {{4, 3, 2}, Magic(3, 2)},
                                   {{4, 5, 1}, Magic(5, 1)}})) {
    ResetGameState();  // keeps the library
    game.party[0].header.id = 1;
    game.party[0].chainId = 4;
    game.party[1].header.id = 2;
    EXPECT_TRUE(FindLevelTable(1, &table_));
  }
  ~LevelUpTest() override { ResetGameState(); }

  InstalledLibrary lib_;
  LevelTable table_{};
};

TEST_F(LevelUpTest, ExperiencePaysForLevelsWhileItIsAboveTheThreshold) {
  struct Case {
    uint16_t exp;
    uint8_t level, gained;
    uint16_t left;
  } cases[] = {
      {50, 1, 0, 50},    // equal to nextExp: no level
      {51, 1, 1, 1},     // one more
      {130, 1, 1, 80},   // 80 left is not above level 2's 80
      {131, 1, 2, 1},    // two at once keep the rest
      {500, 1, 2, 370},  // the last level stops the climb
      {500, 3, 0, 500},
  };
  for (const Case& c : cases) {
    const LevelsClimbed climb = LevelsGained(c.exp, c.level, table_);
    EXPECT_EQ(climb.gained, c.gained) << c.exp << " at " << int(c.level);
    EXPECT_EQ(climb.expLeft, c.left) << c.exp << " at " << int(c.level);
  }
  // The bonus is at most (rise - 1) / 8, and 0 when nothing rose.
  EXPECT_EQ(LevelBonus(100, 99), 12);
  EXPECT_EQ(LevelBonus(100, 1063), 7);
  EXPECT_EQ(LevelBonus(0, 1063), 0);
  EXPECT_EQ(LevelBonus(uint16_t(-5), 32767), 0) << "a fall gives no bonus";
}

TEST_F(LevelUpTest, ARiseKeepsWhatTheMemberHasBeyondItsRow) {
  CharStats& s = game.party[0].stats;
  // Level 1 with 10 maxHp and 5 attack from items, hurt, 131 experience.
  s.level = 1, s.maxHp = 110, s.hp = 30, s.maxMp = 20, s.mp = 3, s.attack = 15, s.defence = 8;
  s.agility = 10, s.spirit = 5, s.luck = 7, s.exp = 131, s.nextExp = 50;
  LevelRow before{};
  EXPECT_EQ(LevelUpWith(0, table_, 1063, &before), 3);
  EXPECT_EQ(before.hp, 30);
  EXPECT_EQ(std::tie(s.level, s.exp, s.nextExp), std::make_tuple(3, 1, 120));
  // 10 + 200 and 1063 % 100 / 8; 0 + 45 and 1063 % 25 / 8.
  EXPECT_EQ(std::tie(s.maxHp, s.hp, s.maxMp, s.mp, s.attack, s.agility), std::make_tuple(217, 217, 46, 46, 27, 15));

  s.exp = 200, s.hp = 1;
  EXPECT_EQ(LevelUpWith(0, table_, 1063, &before), 3);
  EXPECT_EQ(s.level, kLevelMaxMark) << "passing the last level's threshold";
  EXPECT_EQ(s.nextExp, 0);
  EXPECT_EQ(s.maxHp, 217) << "no rise, no bonus";
  EXPECT_EQ(s.hp, 217);

  for (uint8_t level : {0, 4}) {
    s.level = level;
    s.hp = 1;
    EXPECT_EQ(LevelUpWith(0, table_, 1063, &before), 0) << int(level);
    EXPECT_EQ(s.hp, 1) << "level " << int(level) << " changes nothing";
  }
}

// The next level's threshold plus 5 and the last level as the limit are
// LearnAndRaiseTest's RaiseLevel rows; here the edges they do not reach.
TEST_F(LevelUpTest, RaiseToLevelSetsTheExperienceBelowThatLevel) {
  EXPECT_EQ(RaiseToLevel(1, 1), -1) << "no row below";
  EXPECT_EQ(game.party[0].stats.exp, 0);
  EXPECT_EQ(RaiseToLevel(2, 2), 1);
  EXPECT_EQ(game.party[1].stats.exp, 65535) << "65533 + 5 held";
  game.party[2].header.id = 3;
  EXPECT_EQ(RaiseToLevel(3, 2), -1) << "no level table";
  EXPECT_EQ(game.runStatus, 0) << "the failed lookup is cleared";
}

TEST_F(LevelUpTest, TheChainTeachesItsEntriesInOrder) {
  static int shown;
  shown = 0;
  LearnChain(0, 1, 3, [](int, const uint8_t*) { ++shown; });
  EXPECT_EQ(game.runStatus, 0);
  ASSERT_EQ(game.party[0].magicCount, 2);
  EXPECT_EQ(std::tie(game.party[0].magic[0].magicClass, game.party[0].magic[1].id), std::make_tuple(3, 1));
  EXPECT_EQ(game.party[0].header.chainCount, 3);
  EXPECT_EQ(shown, 2);

  LearnChain(0, 3, 4);
  EXPECT_EQ(game.runStatus, 15) << "the chain holds 3";
  EXPECT_EQ(game.party[0].magicCount, 2);
  game.runStatus = 0;
  EXPECT_EQ(LearnMagic(0, 2, 9), nullptr);
  EXPECT_EQ(game.runStatus, 3) << "a missing magic";
  EXPECT_EQ(game.party[0].magicCount, 2);
  game.runStatus = 0;
  game.party[0].magicCount = 49;
  EXPECT_NE(LearnMagic(0, 1, 1), nullptr);
  EXPECT_EQ(LearnMagic(0, 1, 1), nullptr) << "a full list: nothing learned to show";
  EXPECT_EQ(game.party[0].magicCount, 50) << "a save keeps no more";
}

TEST_F(LevelUpTest, Theft) {
  // x = r % a + 1, y = r % b, z = r % (a > b ? 3 : 2); y < x and z not 0.
  EXPECT_TRUE(TheftSucceeds(10, 5, 7));   // 8, 2, 1
  EXPECT_FALSE(TheftSucceeds(10, 5, 9));  // z = 0
  EXPECT_TRUE(TheftSucceeds(5, 10, 3));   // 4, 3, 1
  EXPECT_FALSE(TheftSucceeds(5, 10, 7));  // 3, 7
  EXPECT_FALSE(TheftSucceeds(0, 10, 7));
  EXPECT_FALSE(TheftSucceeds(10, 0, 7));

  game.party[0].stats.luck = 50;
  EnemyRecord& e = game.enemies[1].record;
  e.enemyId = 3, e.luck = 1, e.stealKind = 8, e.stealId = 6, e.stealCount = 1;
  BattleAction& action = game.battleActions[0];
  action.magic[0] = 5, action.magic[1] = 1, action.target = 170;
  InvEntry stolen{};
  EXPECT_FALSE(StealCheck(0, &stolen)) << "not from every enemy at once";
  action.target = 1;
  uint32_t seed = 1;  // y is 0 < x; only z = r % 3 can fail
  while ([&] { SeedRandom(seed); return Random() % 3 == 0; }()) ++seed;
  SeedRandom(seed);
  EXPECT_TRUE(StealCheck(0, &stolen));
  EXPECT_EQ(std::tie(stolen.kind, stolen.id, e.stealCount), std::make_tuple(8, 6, 0));
  EXPECT_FALSE(StealCheck(0, &stolen)) << "nothing left";
  action.magic[1] = 2;
  e.stealCount = 1;
  SeedRandom(seed);
  EXPECT_FALSE(StealCheck(0, &stolen)) << "another special magic";
}

}  // namespace
