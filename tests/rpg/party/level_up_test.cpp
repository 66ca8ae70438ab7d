// Level-up arithmetic, magic learning and theft, worked out by hand from
// the level table below; then the battle's rewards, the level-up and learned
// panels and the Learn and RaiseLevel commands on the rewards library
// (member 1: nextExp 20, 40, 60, last level 4; chain of three).

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "host/canvas.h"
#include "rpg/battle/member_magic.h"
#include "rpg/engine/pictures.h"
#include "rpg/party/inventory.h"
#include "rpg/party/level_up.h"
#include "rpg/party/magic_learning.h"
#include "rpg/party/party_slots.h"
#include "rpg/party/rewards.h"
#include "rpg/party/theft.h"
#include "tests/rpg/battle/battle_cast.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/golden.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::Bytes;
using rpgtest::GameRun;
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

class LevelUpTest : public battletest::StateTest {
 protected:
  void SetUp() override {
    StateTest::SetUp();  // keeps the library
    game.party[0].header.id = 1;
    game.party[0].chainId = 4;
    game.party[1].header.id = 2;
    EXPECT_TRUE(FindLevelTable(1, &table_));
  }

  InstalledLibrary lib_{rpgtest::PackLibrary({{{12, 2, 1}, Table(1, {kRow1, kRow2, kRow3})},
                                              {{12, 2, 2}, Table(2, {Needing(65533), kRow1})},
                                              {{12, 1, 4}, {1, 4, 3, 1, 1, 3, 2, 5, 1}},
                                              {{4, 1, 1}, battletest::MagicRecord(1, 1)},
                                              {{4, 3, 2}, battletest::MagicRecord(3, 2)},
                                              {{4, 5, 1}, battletest::MagicRecord(5, 1)}})};
  LevelTable table_{};
};

// What the rewards' and RaiseLevel's rows and the rises below do not reach:
// their caller never levels on experience equal to the first threshold, so
// a later one; and a fall.
TEST_F(LevelUpTest, ExperiencePaysForLevelsWhileItIsAboveTheThreshold) {
  const LevelsClimbed climb = LevelsGained(130, 1, table_);
  EXPECT_EQ(climb.gained, 1) << "80 left is not above level 2's 80";
  EXPECT_EQ(climb.expLeft, 80);
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
  // y is 0 < x; only z = r % 3 can fail: a draw that steals, but for another
  // special magic.
  battletest::SeedWhere([] { return Random() % 3 != 0; });
  action.magic[1] = 2;
  EXPECT_FALSE(StealCheck(0, &stolen)) << "another special magic";
}

constexpr uint32_t kSeed = 11;

const Bytes& Rewards() {
  static const Bytes lib = rpgtest::TestLibrary("rewards");
  return lib;
}

// Character `id` joins from its sheet.
void Join(uint8_t id) {
  LoadPartyMember(FindFreeMemberSlot(), LibRecord(3, 1, id, rpgfmt::charsheet::kSize));
}

// Ends each wait with Enter until the body returns; the waits ended.
int EnterUntilDone(GameRun& run) {
  int keys = 0;
  for (; keys < 40 && !run.Finished(); ++keys) run.Key(kKeyEnter);
  return run.Finished() ? keys : -1;
}

// A grey field with a dark band, standing for the battle scene.
void PaintScene() {
  FillRectColor(0, 0, 159, 95, 0xC0C0C0, game.sceneCanvas);
  FillRectColor(0, 60, 159, 95, 0x404040, game.sceneCanvas);
}

TEST(BattleRewardsTest, ExperienceLevelsMembersAndFallenOnesOnlyGetUp) {
  struct Case {
    const char* name;
    uint8_t level;
    uint16_t exp, nextExp, hp, battleExp;
    uint8_t chainCount, newLevel;
    uint16_t newExp, newNextExp, magics;
  } cases[] = {
      {"equal to nextExp", 1, 0, 20, 40, 20, 1, 1, 20, 20, 1},
      {"one more", 1, 0, 20, 40, 21, 1, 2, 1, 40, 2},
      {"two levels keep the rest", 1, 5, 20, 40, 60, 1, 3, 5, 60, 3},
      {"the last level", 4, 0, 80, 40, 81, 3, 243, 81, 0, 1},
      {"fallen", 1, 0, 20, 0, 500, 1, 1, 0, 20, 1},
  };
  SeedRandom(kSeed);
  const uint32_t pct = uint32_t(Random() % 10 + 15);  // BattleRewards' first draw
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PartySlot member{};
    GameRun run([&] {
      Join(1);
      CharStats& m = game.party[0].stats;
      m.level = c.level, m.exp = c.exp, m.nextExp = c.nextExp, m.hp = c.hp;
      game.party[0].header.chainCount = c.chainCount;
      game.battleExp = c.battleExp;
      SeedRandom(kSeed);
      BattleRewards(nullptr);
      member = game.party[0];
    }, Rewards());
    EnterUntilDone(run);
    const CharStats& s = member.stats;
    EXPECT_EQ(game.runStatus, 0);
    EXPECT_EQ(std::tie(s.level, s.exp, s.nextExp, member.magicCount),
              std::tie(c.newLevel, c.newExp, c.newNextExp, c.magics));
    // A fallen member only gets up; a standing one recovers pct % of what it
    // lacks, or everything when it rises.
    const bool rose = c.newLevel != c.level;
    EXPECT_EQ(s.hp, c.hp == 0 ? 1 : rose ? s.maxHp : 40 + 65 * pct / 100);
    EXPECT_EQ(s.mp, c.hp == 0 ? 10 : rose ? s.maxMp : 10 + 20 * pct / 100);
  }
}

// A reward's screens frame by frame (gains, a 19-byte loot line held to the
// screen, the rise's strip, the panels); money has no cap; a member without a
// level table never rises.
TEST(BattleRewardsTest, TheStripsAndPanelsAsShown) {
  GameRun run([&] {
    Join(1);
    Join(2);
    game.money = 99990, game.battleExp = 21, game.battleMoney = 75;
    game.battleLoot[0] = {8, 2, 3}, game.battleLoot[3] = {9, 1, 3};
    game.inventory[game.invCount++] = {9, 1, 98};
    SeedRandom(kSeed);
    BattleRewards(PaintScene);
  }, Rewards());
  for (const char* shot : {"gains", "drop", "herb", "rise", "level_up", "learned"}) {
    EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, std::string("rpg/reward_") + shot));
    run.Key(kKeyEnter);
  }  // the run's end checks that the body returned
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.money, 100065u);
  EXPECT_EQ(game.inventory[0].count, 99) << "held at 99";
  EXPECT_EQ(InvFind(8, 2), 1);
  EXPECT_EQ(std::tie(game.party[0].stats.level, game.party[1].stats.level, game.party[1].stats.exp),
            std::make_tuple(2, 1, 21));
}

// A theft in battle announces "偷得 " and the item's name as the item is
// added; an enemy with nothing left to steal announces nothing.
TEST(BattleRewardsTest, ATheftIsAnnouncedAsTheItemIsAdded) {
  // The enemy's luck 1 makes y 0; only z = r % 3 can fail.
  const uint32_t seed = battletest::SeedWhere([] { return Random() % 3 != 0; });
  for (const uint8_t count : {1, 0}) {
    GameRun run([&] {
      Join(1);
      EnemyRecord& e = game.enemies[1].record;
      e.enemyId = 1, e.luck = 1, e.stealKind = 8, e.stealId = 2, e.stealCount = count;
      BattleAction& theft = game.battleActions[0];
      theft.magic[0] = 5, theft.magic[1] = 1, theft.target = 1;
      PaintScene();
      PresentScene();
      SeedRandom(seed);
      CastMemberMagic(0);
    }, Rewards());
    if (count) {
      EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/reward_theft"));
      run.Key(kKeyEnter);
    }
    ASSERT_TRUE(run.Finished()) << "waits for one key only after a theft";
    EXPECT_EQ(InvFind(8, 2), count ? 0 : 255);
    EXPECT_EQ(game.enemies[1].record.stealCount, 0);
  }
}

// Learn and RaiseLevel as the script runs them, each panel a wait, the scene
// shown again after; a command that fails on a missing member stops with run
// error 7 and leaves the member as it was.
TEST(LearnAndRaiseTest, TheCommandsTeachAndRaiseThroughTheirPanels) {
  struct Case {
    const char* source;
    uint8_t runStatus, level;
    uint16_t exp;
    int waits, magics;  // waits: the level-up panel two, each learned panel one
    MagicEntry last;  // the list's last entry after
  } cases[] = {
      {"Learn 1, 3, 1", 0, 1, 0, 1, 2, {3, 1}},
      {"Learn 9, 3, 1", 7, 1, 0, 0, 1, {1, 1}},
      {"Learn 1, 2, 9", 3, 1, 0, 0, 1, {1, 1}},  // no such magic
      // exp = level 2's nextExp + 5 = 45 carries level 1 only as far as 2.
      {"RaiseLevel 1, 3", 0, 2, 25, 3, 2, {3, 1}},
      // Above the last level: as 4, 65 experience, level 3 with 5 left.
      {"RaiseLevel 1, 9", 0, 3, 5, 4, 3, {5, 1}},
      {"RaiseLevel 9, 2", 7, 1, 0, 0, 1, {1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const Bytes lib =
        rpgtest::WithScripts(Rewards(), {{1, 1, std::string(c.source) + "\nSetVar 1, 1\n"}});
    std::vector<uint32_t> scene, after;
    GameRun run([&] {
      Join(1);
      PaintScene();
      PresentScene();
      scene = testsupport::Snapshot();
      SeedRandom(kSeed);
      rpgtest::RunFromBody();
      after = testsupport::Snapshot();
    }, lib);
    EXPECT_EQ(EnterUntilDone(run), c.waits);
    EXPECT_TRUE(after == scene) << "the scene is shown again";
    const PartySlot& m = game.party[0];
    EXPECT_EQ(game.runStatus, c.runStatus);
    EXPECT_EQ(game.scriptVars[1], c.runStatus ? 0 : 1);
    EXPECT_EQ(std::tie(m.stats.level, m.stats.exp), std::tie(c.level, c.exp));
    ASSERT_EQ(m.magicCount, c.magics);
    EXPECT_EQ(std::tie(m.magic[c.magics - 1].magicClass, m.magic[c.magics - 1].id),
              std::tie(c.last.magicClass, c.last.id));
  }
}

}  // namespace
