// The script's Battle command: roundLimit, three enemy ids, the three
// backgrounds (in the order p0, p2, p1), three event rounds and events,
// then the lose and win addresses.

#include "rpg/battle/round.h"
#include "rpg/battle/run_battle.h"
#include "rpg/engine/commands.h"

namespace cmd {

namespace {

enum Operand { kRoundLimit, kEnemy1, kBack0 = 4, kBack2, kBack1, kRound1, kEvent1 = 10, kLoseAddr = 13, kWinAddr };

}  // namespace

CommandResult Battle(const Instruction& inst) {
  // A round event of a running battle cannot start another on its state.
  if (BattleRunning()) return Next(inst);
  game.roundLimit = Byte(inst, kRoundLimit);
  for (int k = 0; k < kEnemySlots; ++k) {
    game.enemies[k] = EnemySlot{};
    game.enemies[k].record.enemyId = Byte(inst, kEnemy1 + k);
  }
  game.encounterParams[0] = Byte(inst, kBack0);
  game.encounterParams[1] = Byte(inst, kBack1);
  game.encounterParams[2] = Byte(inst, kBack2);
  for (int k = 0; k < kBattleEvents; ++k) {
    game.eventRounds[k] = Byte(inst, kRound1 + k);
    game.eventNos[k] = Byte(inst, kEvent1 + k);
  }
  const uint8_t result = RunBattle(false);
  // The command goes on from its own place, whatever a round event left in
  // scriptPc.
  if (result == kBattleLost) return Jump(inst, kLoseAddr);
  if (result == kBattleWon) return Jump(inst, kWinAddr);
  return Next(inst);
}

}  // namespace cmd
