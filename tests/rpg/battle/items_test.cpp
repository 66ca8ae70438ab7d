// Items thrown in a battle: a hand-held weapon's damage bits, and a thrown
// item's drain paid back once per enemy it hit.

#include <gtest/gtest.h>

#include <cstdint>

#include "rpg/battle/item_actions.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/support/game_run.h"

namespace {

TEST(BattleItems, AHandHeldWeaponThrownDealsOneBitPerByteItCarries) {
  struct Case {
    uint8_t block[8];
    uint16_t damage;
  };
  for (const Case& c : {Case{{0, 0, 0, 0, 0, 0, 0, 0}, 0}, Case{{1, 0, 0, 0x85, 0, 0, 0, 0}, 517},
                        Case{{0, 0, 0, 0, 0, 0, 3, 0}, 8192},
                        Case{{1, 1, 1, 0xFF, 1, 1, 1, 1}, 16383}}) {
    EXPECT_EQ(HandHeldThrowDamage(c.block), c.damage) << c.damage;
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
