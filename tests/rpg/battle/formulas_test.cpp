// The combat formulas as pure functions of their inputs and r. Expected
// values are worked out by hand from the rules' text; the comment of a row
// shows the sum where it helps.

#include <gtest/gtest.h>

#include <cstdint>

#include "rpg/battle/item_actions.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/drops.h"
#include "rpg/battle/rules/level_rows.h"
#include "rpg/battle/rules/magic_damage.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/battle/rules/statuses.h"
#include "rpg/battle/rules/strikes.h"

namespace {

struct Row {
  const char* what;
  uint16_t got;
  uint16_t want;
};

void ExpectRows(std::initializer_list<Row> rows) {
  for (const Row& row : rows) EXPECT_EQ(row.got, row.want) << row.what;
}

TEST(CombatFormulas, StrikeDamage) {
  ExpectRows({
      {"100 on defence 80, r 0: 100 / 10", MemberBlow(100, 80, 0), 10},
      {"100 on defence 80, r 24: + 24 % 25", MemberBlow(100, 80, 24), 34},
      {"100 on defence 80, r 25 wraps the random part", MemberBlow(100, 80, 25), 10},
      {"defence below 8 divides by 1", MemberBlow(100, 7, 0), 100},
      {"attack 3: 3 / 62 + 7 % 10", MemberBlow(3, 500, 7), 7},
      {"attack 3, r 17: the spread is 10", MemberBlow(3, 0, 17), 3 + 7},
      {"enemy 160 on a guarding 0: (160 + 0) / 2", EnemyBlow(160, 0, true, 0), 80},
      {"enemy 160 on a guarding 0: (160 + 10) / 2", EnemyBlow(160, 0, true, 10), 85},
      {"enemy 160 on 0, r 11 wraps", EnemyBlow(160, 0, false, 11), 160},
      {"enemy 160 on 80: 160 / 11 + 10 % 11", EnemyBlow(160, 80, false, 10), 14 + 10},
      {"confused member: 100 / 11 + 5 % 7", ConfusedBlow(kPartySide, 100, 40, 5), 9 + 5},
      {"confused enemy: 100 / 6 + 30 % 26", ConfusedBlow(kEnemySide, 100, 40, 30), 16 + 4},
      {"blows add up to 65535 at most", MemberBlow(65535, 0, 100), 65535},
  });
}

TEST(CombatFormulas, StrikeMissChecks) {
  // E = 10 + 50 - 20 = 40; E = 250 + 50 taken to 8 bits is 44, not above 50: 10.
  ExpectRows({
      {"r % 200 = 39 < 40", StrikeMisses(10, 20, 39), true},
      {"r % 200 = 40", StrikeMisses(10, 20, 240), false},
      {"8-bit sum, floor 10: 9", StrikeMisses(250, 50, 9), true},
      {"8-bit sum, floor 10: 10", StrikeMisses(250, 50, 10), false},
      {"magic: E = 30 + 20 - 10 = 40, r 39", MagicMisses(30, 10, 39), true},
      {"magic: r 140 % 100 = 40", MagicMisses(30, 10, 140), false},
      {"magic: the caster outpaces the target", MagicMisses(30, 60, 0), false},
  });
}

TEST(CombatFormulas, MagicAmounts) {
  ExpectRows({
      {"plain 100, r 0", MagicAmount(100, 0, 0, false, 0), 100},
      {"plain 100, r 99: + 99 / 16", MagicAmount(100, 0, 0, false, 99), 106},
      {"caster spirit 10: 64 + 1 x 10", MagicAmount(64, 10, 0, false, 0), 74},
      {"target spirit 20: 128 - 2 x 20", MagicAmount(128, 0, 20, false, 0), 88},
      {"spirit equal to the whole: 0, no random part", MagicAmount(128, 0, 64, false, 77), 0},
      {"spirit past the whole floors at 0", MagicAmount(128, 0, 70, false, 77), 0},
      {"a guard takes three quarters: 100 - 25", MagicAmount(100, 0, 0, true, 0), 75},
      {"sums hold at 65535: 32768 + 512 x 99", MagicAmount(32768, 99, 0, false, 0), 65535},
  });
}

TEST(CombatFormulas, BonusesAndPercentages) {
  ExpectRows({
      {"PercentOf(200, 50, '-') is -100", PercentOf(200, 50, '-'), 65436},
      {"and leaves 100 in force", WithBonus(200, PercentOf(200, 50, '-')), 100},
      {"999 at +100 % is 999", PercentOf(999, 100, '+'), 999},
      {"a raise is added", WithBonus(200, 50), 250},
      {"a lowering past the base gives 0", WithBonus(30, uint16_t(-40)), 0},
      {"agility raises wrap at 8 bits", WithAgilityBonus(200, 100), 44},
      {"agility lowering past the base gives 0", WithAgilityBonus(5, uint8_t(-6)), 0},
      {"agility lowering", WithAgilityBonus(50, uint8_t(-6)), 44},
      {"the evasion sum is wide", WithAgilityBonusWide(100, 100), 200},
  });
}

TEST(CombatFormulas, AHandHeldWeaponThrownDealsOneBitPerByteItCarries) {
  const uint8_t none[8] = {}, some[8] = {1, 0, 0, 0x85, 0, 0, 0, 0}, byte6[8] = {0, 0, 0, 0, 0, 0, 3, 0},
                all[8] = {1, 1, 1, 0xFF, 1, 1, 1, 1};
  ExpectRows({
      {"nothing", HandHeldThrowDamage(none), 0},
      {"byte 0: 512; byte 3's low 7 bits: 5", HandHeldThrowDamage(some), 517},
      {"byte 6: 8192", HandHeldThrowDamage(byte6), 8192},
      {"every byte: 16256 + 127", HandHeldThrowDamage(all), 16383},
  });
}

TEST(CombatFormulas, StatusAttempts) {
  // x = r % 90; through when luck < x or x > 60.
  ExpectRows({
      {"luck 99, x 61", StatusGetsThrough(99, 61), true},
      {"luck 99, x 89", StatusGetsThrough(99, 179), true},
      {"luck 99, x 60", StatusGetsThrough(99, 60), false},
      {"luck 10, x 11", StatusGetsThrough(10, 11), true},
      {"luck 10, x 10", StatusGetsThrough(10, 10), false},
      {"luck 0, x 0", StatusGetsThrough(0, 90), false},
  });
}

TEST(CombatFormulas, DropRolls) {
  // a = r % leader luck + 1, b = r % enemy luck; a > b and r % 4 not 0.
  ExpectRows({
      {"10 vs 50, r 5: 6 > 5", DropFalls(10, 50, 5), true},
      {"10 vs 50, r 25: 6 > 25 fails", DropFalls(10, 50, 25), false},
      {"r % 4 = 0 never drops", DropFalls(99, 1, 8), false},
      {"leader luck 0 counts as 1 vs 0", DropFalls(0, 0, 1), true},
      {"enemy luck 0: b is 0", DropFalls(3, 0, 6), true},
      {"a taken to 8 bits: 255 % 255 + 1", DropFalls(255, 200, 254), true},
  });
}

TEST(CombatFormulas, LevelRowsAddAndSubtract) {
  const LevelRow a{500, 10, 60, 5, 100, 80, 7, 300, 250, 30, 40, 3};
  const LevelRow b{120, 0, 20, 0, 30, 90, 0, 900, 10, 5, 50, 9};
  LevelRow sum{};
  sum.chainCount = 77;
  CombineLevelRows(a, b, &sum, '+');
  EXPECT_EQ(sum.maxHp, 620);
  EXPECT_EQ(sum.hp, 620) << "the new maximum fills the points";
  EXPECT_EQ(sum.mp, 80);
  EXPECT_EQ(sum.defence, 170);
  EXPECT_EQ(sum.agility, 4) << "250 + 10 at 8 bits";
  EXPECT_EQ(sum.nextExp, 0) << "left alone";
  EXPECT_EQ(sum.chainCount, 77);
  LevelRow diff{};
  CombineLevelRows(a, b, &diff, '-');
  EXPECT_EQ(diff.maxHp, 380);
  EXPECT_EQ(diff.hp, 10);
  EXPECT_EQ(diff.defence, uint16_t(-10)) << "wraps: added back to a row it is exact";
  EXPECT_EQ(diff.exp, 7);
  EXPECT_EQ(diff.nextExp, 900);
  EXPECT_EQ(diff.luck, uint8_t(-10));
}

}  // namespace
