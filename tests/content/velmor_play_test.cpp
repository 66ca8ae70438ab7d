// Velmor's own content played on the run tree's dat.lib: the field's
// encounter list and a random encounter it rolls, the cave's bear fought to
// the win branch of its Battle, and its members raised along their level
// tables.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <tuple>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/hero_move.h"
#include "rpg/engine/library.h"
#include "rpg/engine/script.h"
#include "rpg/party/event_flags.h"
#include "rpg/party/party_slots.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/scratch.h"

namespace {

using rpgtest::Bytes;
using rpgtest::GameRun;

constexpr uint16_t kBearBeaten = 18;

// Velmor with script (1, 200) made of `source` (flags set, then the map's
// own script as the game reaches it, or commands to try).
Bytes Velmor(const std::string& source) {
  const std::string velmor = testsupport::ReadFile(TOVSIM_VELMOR_LIB);
  return rpgtest::WithScripts(Bytes(velmor.begin(), velmor.end()), {{1, 200, source}});
}
const std::string kCured = "SetFlag 3\n", kZhuJoined = "SetFlag 4\n", kCaveLit = "SetFlag 40\n";
const std::string kToField = "GoMap 1, 2, 12, 17\nSwitchScript 1, 3\n";
const std::string kToCave = "GoMap 1, 3, 5, 7\nSwitchScript 1, 5\n";

// Character `id` joins from its sheet; a strong one ends any battle here
// with one blow a turn and outlasts it.
void Join(uint8_t id, bool strong = false) {
  const int slot = FindFreeMemberSlot();
  LoadPartyMember(slot, LibRecord(3, 1, id, rpgfmt::charsheet::kSize));
  CharStats& s = game.party[slot].stats;
  if (strong) s.attack = 999, s.agility = 99, s.luck = 99, s.maxHp = s.hp = 999;
}

// Ends each wait with Enter, time running on, until the body returns; the
// waits ended.
int EnterUntilDone(GameRun& run) {
  int keys = 0;
  for (; keys < 150 && !run.Finished(); ++keys) {
    run.Advance(3000);
    run.Key(kKeyEnter);
  }
  EXPECT_TRUE(run.Finished());
  return keys;
}

TEST(VelmorPlay, TheFieldRollsItsEncountersOnlyOnceGrannyChenIsCured) {
  for (bool cured : {false, true}) {
    GameRun run([&] {
      Join(1, true);
      rpgtest::RunFromBody(1, 200);
    }, Velmor((cured ? kCured : "") + kToField));
    EnterUntilDone(run);
    EXPECT_EQ(game.runStatus, 0);
    EXPECT_EQ(game.encounterOn, cured ? 1 : 0);
    if (!cured) continue;
    // Wolves three in eight, wasps two, a beetle, a fox, a sprite; the
    // field's backgrounds 1, 2, 3.
    const std::array<uint8_t, 8> list{1, 2, 1, 3, 4, 1, 5, 2};
    EXPECT_TRUE(std::equal(list.begin(), list.end(), game.encounterEnemies));
    EXPECT_EQ(game.encounterParams[0], 1);
    EXPECT_EQ(game.encounterParams[1], 2);
    EXPECT_EQ(game.encounterParams[2], 3);
  }

  // Seed 1089: state' = state x 1103515245 + 12345 (mod 2^32), r = state' /
  // 65536 mod 32768 gives r = 19603, 18830, 15843, 24583, 26302. The step's
  // roll 19603 % 100 = 3 is below 4: a battle. 18830 % 3 + 1 = 3 enemies;
  // entries 15843 % 8 = 3, 24583 % 8 = 7, 26302 % 8 = 6 of the list: the
  // beetle, a wasp and the sprite.
  GameRun run([&] {
    Join(1, true);
    rpgtest::RunFromBody(1, 200);
    SeedRandom(1089);
    EncounterCheck();
  }, Velmor(kCured + kToField));
  run.Advance(3000);
  EXPECT_EQ(game.randomBattle, 1) << "waiting for the first order";
  EXPECT_EQ(game.enemies[0].record.enemyId, 3);
  EXPECT_EQ(game.enemies[1].record.enemyId, 2);
  EXPECT_EQ(game.enemies[2].record.enemyId, 5);
  EXPECT_EQ(game.enemies[2].record.magicCount, 1) << "the sprite's spores";
  EnterUntilDone(run);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.money, 8u + 4 + 7) << "the three enemies' money";
}

TEST(VelmorPlay, TheCaveOpensOnceLitAndTheBearsBattleEndsOnItsWinBranch) {
  GameRun run([&] {
    Join(1, true);
    Join(2, true);
    rpgtest::RunFromBody(1, 200);
    RunEvent(1);  // talking to the bear in its den
  }, Velmor(kZhuJoined + kCaveLit + kToCave));
  EnterUntilDone(run);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.mapIndex, 3) << "the cave";
  EXPECT_TRUE(TestEventFlag(kBearBeaten)) << "the win branch";
  EXPECT_EQ(game.money, 120u);
  EXPECT_EQ(game.enemies[0].record.enemyId, 0) << "the slot was freed";
  // The battle left its backgrounds; the win branch set the cave's list again.
  const std::array<uint8_t, 4> list{6, 7, 6, 0};
  EXPECT_TRUE(std::equal(list.begin(), list.end(), game.encounterEnemies));
  EXPECT_EQ(game.encounterParams[1], 5);
}

// The members rise along their tables keeping what their equipment adds,
// and learn from their chains and from Sister Liu.
TEST(VelmorPlay, TheMembersRiseAndLearn) {
  GameRun run([&] {
    Join(1);
    Join(2);
    rpgtest::RunFromBody(1, 200);
  }, Velmor("RaiseLevel 1, 2\nLearn 1, 3, 4\nRaiseLevel 2, 6\n"));
  // Hero: level 2 with 5 left, one learned panel. Azhu: 225 experience
  // carries her to level 4 (35 left), where her chain opens 回春.
  EXPECT_EQ(EnterUntilDone(run), 2 + 1 + 2 + 1);
  ASSERT_EQ(game.runStatus, 0);
  const CharStats &hero = game.party[0].stats, &zhu = game.party[1].stats;
  EXPECT_EQ(std::tie(hero.level, hero.exp, game.party[0].magicCount), std::make_tuple(2, 5, 1));
  EXPECT_EQ(hero.attack, 11 + 5) << "row 2 and the machete";
  EXPECT_EQ(std::tie(zhu.level, zhu.exp, game.party[1].magicCount), std::make_tuple(4, 35, 2));
  EXPECT_EQ(zhu.agility, 17 + 1) << "row 4 and the hunter's jacket";
}

}  // namespace
