// A won battle's pay, the level-up and learned panels and the script's Learn
// and RaiseLevel, on the rewards library (member 1: table nextExp 20, 40,
// 60, last level 4; chain Spark, Mend, Pilfer). Every wait is ended by a key.

#include "rpg/party/rewards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"
#include "rpg/party/inventory.h"
#include "rpg/party/party_slots.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/golden.h"
#include "tests/support/host_screen.h"

namespace {

using rpgtest::Bytes;
using rpgtest::GameRun;

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
  EXPECT_TRUE(run.Finished());
  return keys;
}

// The recovery percentage BattleRewards draws first after SeedRandom(kSeed).
uint32_t SeededPercent() {
  SeedRandom(kSeed);
  return uint32_t(Random() % 10 + 15);
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
    uint8_t chainCount;
    // After:
    uint8_t newLevel;
    uint16_t newExp, newNextExp;
    uint8_t magics;
  } cases[] = {
      {"equal to nextExp", 1, 0, 20, 40, 20, 1, 1, 20, 20, 1},
      {"one more", 1, 0, 20, 40, 21, 1, 2, 1, 40, 2},
      {"two levels keep the rest", 1, 5, 20, 40, 60, 1, 3, 5, 60, 3},
      {"the last level", 4, 0, 80, 40, 81, 3, 243, 81, 0, 1},
      {"fallen", 1, 0, 20, 0, 500, 1, 1, 0, 20, 1},
  };
  const uint32_t pct = SeededPercent();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CharStats s{};
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
    s = member.stats;
    EXPECT_EQ(game.runStatus, 0);
    EXPECT_EQ(s.level, c.newLevel);
    EXPECT_EQ(s.exp, c.newExp);
    EXPECT_EQ(s.nextExp, c.newNextExp);
    EXPECT_EQ(member.magicCount, c.magics);
    if (c.hp == 0) {
      EXPECT_EQ(s.hp, 1);
      EXPECT_EQ(s.mp, 10) << "a fallen member recovers nothing";
    } else if (c.newLevel == c.level) {
      EXPECT_EQ(s.hp, 40 + 65 * pct / 100);
      EXPECT_EQ(s.mp, 10 + 20 * pct / 100);
    } else {
      // What the member had beyond its row stays, the points are full, and
      // the bonus is at most (rise - 1) / 8.
      const int rowMaxHp[] = {0, 100, 130, 160, 190};
      const int level = c.newLevel == 243 ? 4 : c.newLevel;
      const int kept = 105 - rowMaxHp[c.level] + rowMaxHp[level];
      EXPECT_GE(s.maxHp, kept);
      EXPECT_LE(s.maxHp, kept + std::max(0, kept - 105 - 1) / 8);
      EXPECT_EQ(s.hp, s.maxHp);
      EXPECT_EQ(s.mp, s.maxMp);
    }
  }
}

TEST(BattleRewardsTest, MoneyHasNoCapAndLootGoesToTheInventory) {
  GameRun run([&] {
    Join(2);  // no level table: never levels
    game.money = 99990;
    game.battleMoney = 500;
    game.battleExp = 100;
    game.battleLoot[0] = {9, 1, 3};
    game.battleLoot[3] = {8, 2, 1};
    game.inventory[0] = {9, 1, 98};
    game.invCount = 1;
    BattleRewards(nullptr);
  }, Rewards());
  EnterUntilDone(run);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.money, 100490u);
  EXPECT_EQ(game.invCount, 2);
  EXPECT_EQ(game.inventory[0].count, 99) << "held at 99";
  EXPECT_EQ(InvFind(8, 2), 1);
  EXPECT_EQ(game.party[0].stats.level, 1);
  EXPECT_EQ(game.party[0].stats.exp, 100);
}

// The screens of a reward with a level-up that teaches Mend, frame by frame:
// the gains strip, a loot line of 19 bytes held to the screen, the level-up
// panel and the learned panel.
TEST(BattleRewardsTest, TheStripsAndPanelsAsShown) {
  GameRun run([&] {
    Join(1);
    game.battleExp = 21;
    game.battleMoney = 75;
    game.battleLoot[0] = {8, 2, 3};
    SeedRandom(kSeed);
    BattleRewards(PaintScene);
  }, Rewards());
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/reward_gains"));
  run.Key(kKeyEnter);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/reward_drop"));
  run.Key(kKeyEnter);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/reward_rise"));
  run.Key(kKeyEnter);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/reward_level_up"));
  run.Key(kKeyEnter);
  EXPECT_TRUE(testsupport::MatchesGolden(*hostScreen.bitmap, "rpg/reward_learned"));
  EnterUntilDone(run);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.party[0].stats.level, 2);
}

// Learn and RaiseLevel as the script runs them, each panel a wait, the scene
// shown again after; a command that fails on a missing member stops with run
// error 7 and leaves the member as it was.
TEST(LearnAndRaiseTest, TheCommandsTeachAndRaiseThroughTheirPanels) {
  struct Case {
    const char* source;
    uint8_t runStatus, level;
    uint16_t exp;
    int waits;  // the level-up panel two, each learned panel one
    std::vector<MagicEntry> magics;
  } cases[] = {
      {"Learn 1, 3, 1", 0, 1, 0, 1, {{1, 1}, {3, 1}}},
      {"Learn 9, 3, 1", 7, 1, 0, 0, {{1, 1}}},
      {"Learn 1, 2, 9", 3, 1, 0, 0, {{1, 1}}},  // no such magic
      // exp = level 2's nextExp + 5 = 45 carries level 1 only as far as 2.
      {"RaiseLevel 1, 3", 0, 2, 25, 3, {{1, 1}, {3, 1}}},
      // Above the last level: as 4, 65 experience, level 3 with 5 left.
      {"RaiseLevel 1, 9", 0, 3, 5, 4, {{1, 1}, {3, 1}, {5, 1}}},
      {"RaiseLevel 1, 1", 0, 1, 0, 0, {{1, 1}}},
      {"RaiseLevel 9, 2", 7, 1, 0, 0, {{1, 1}}},
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
    EXPECT_EQ(m.stats.level, c.level);
    EXPECT_EQ(m.stats.exp, c.exp);
    ASSERT_EQ(m.magicCount, c.magics.size());
    for (std::size_t i = 0; i < c.magics.size(); ++i) {
      EXPECT_EQ(m.magic[i].magicClass, c.magics[i].magicClass);
      EXPECT_EQ(m.magic[i].id, c.magics[i].id);
    }
  }
}

}  // namespace
