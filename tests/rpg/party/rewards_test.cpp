// Rewards, level-up and learned panels, Learn and RaiseLevel on the rewards
// library (member 1: nextExp 20, 40, 60, last level 4; chain of three).

#include "rpg/party/rewards.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/battle/member_magic.h"
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
  uint32_t seed = 1;  // the enemy's luck 1 makes y 0; only z = r % 3 can fail
  while ([&] { SeedRandom(seed); return Random() % 3 == 0; }()) ++seed;
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
