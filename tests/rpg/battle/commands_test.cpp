// The command phase driven by keys: going back, flight from the second
// member, siege mode and its re-arming, the joint attack.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "host/msg.h"
#include "rpg/battle/command_phase.h"
#include "rpg/engine/game_state.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/memory_library.h"

namespace {

using rpgtest::GameRun;

void Cast() {
  for (int k = 0; k < 3; ++k) {
    game.party[k].header.id = uint8_t(k + 1);
    game.party[k].stats.hp = 10;
    game.battleActions[k] = {};
  }
  game.livingMembers = 3;
  game.manualCommands = 1;
  game.enemies[1].record.enemyId = 1;
}

// The kinds of the three orders after a command phase driven by `keys`,
// each pressed once the game waits for it.
struct Orders {
  uint8_t kind[3];
  uint8_t manual;
};
Orders PhaseWith(std::initializer_list<uint32_t> keys, void (*before)() = nullptr) {
  Orders out{};
  GameRun run([&] {
    Cast();
    if (before) before();
    CommandPhase();
    for (int k = 0; k < 3; ++k) out.kind[k] = game.battleActions[k].kind;
    out.manual = game.manualCommands;
  }, rpgtest::PackLibrary({{{8, 3, 1}, rpgtest::PictureBytes(1, 1, 1, {"#"})}}));
  EXPECT_TRUE(run.Play(keys, 2000));
  return out;
}

TEST(BattleCommands, EscOnTheFirstStaysAndFlightFromTheSecondTakesTheRest) {
  const Orders o = PhaseWith({kKeyEscape, kKeyEnter, kKeyDown, kKeyEnter, kKeyDown, kKeyDown,
                              kKeyDown, kKeyEnter});
  EXPECT_EQ(o.kind[0], 1) << "the first member's own order";
  EXPECT_EQ(o.kind[1], 7);
  EXPECT_EQ(o.kind[2], 7);
}

TEST(BattleCommands, SiegeSkipsThePhaseUntilOrdersAreGivenAgainAndRReArmsIt) {
  const Orders siege = PhaseWith({kKeyDown, kKeyEnter, kKeyEnter});
  EXPECT_EQ(siege.kind[0], 6);
  EXPECT_EQ(siege.kind[2], 6);
  EXPECT_EQ(siege.manual, 0);
  const Orders skipped = PhaseWith({}, [] {
    game.battleActions[0].kind = 6;
    game.manualCommands = 0;
  });
  EXPECT_EQ(skipped.manual, 0) << "no key was needed";
  const Orders rearmed = PhaseWith({'R'}, [] { game.battleActions[0].kind = 6; });
  EXPECT_EQ(rearmed.manual, 0);
}

TEST(BattleCommands, AJointAttackTakesUpEveryOtherMember) {
  const Orders joint = PhaseWith({kKeyEnter, kKeyRight, kKeyEnter});
  EXPECT_EQ(joint.kind[0], 170) << "an order given before is taken up too";
  EXPECT_EQ(joint.kind[1], 3);
  EXPECT_EQ(joint.kind[2], 170);
  const Orders alone = PhaseWith({kKeyRight, kKeyEnter, kKeyEnter, kKeyEnter},
                                 [] { game.livingMembers = 1; });
  EXPECT_EQ(alone.kind[0], 1) << "Right does nothing with one member standing";
  EXPECT_EQ(alone.kind[1], 1);
}

}  // namespace
