#include "rpg/battle/battle_setup.h"

#include <algorithm>

#include "rpg/battle/poses.h"
#include "rpg/battle/rules/drops.h"
#include "rpg/engine/actor_load.h"
#include "rpg/engine/game_state.h"

namespace {

constexpr uint8_t kEnemyKind = 3;
constexpr uint8_t kSecondBackgroundStep = 30;
constexpr uint8_t kThirdBackgroundStep = 110;

}  // namespace

void InitBattle() {
  uint8_t* const back = game.encounterParams;
  if (back[1] == back[0]) back[1] = uint8_t(back[1] + kSecondBackgroundStep);
  if (back[2] == back[0]) back[2] = uint8_t(back[2] + kThirdBackgroundStep);
  game.livingMembers = 0;
  for (const PartySlot& member : game.party) game.livingMembers += member.header.id != 0;
  for (int side = 0; side < kSides; ++side) {
    for (int slot = 0; slot < kPartySlots; ++slot) {
      game.statuses[side][slot] = StatusCounters{};
      game.bonuses[side][slot] = StatBonus{};
    }
  }
  for (int slot = 0; slot < kPartySlots; ++slot) {
    game.fled[slot] = game.guarded[slot] = game.fallCounted[slot] = 0;
  }
  std::fill(std::begin(game.battleLoot), std::end(game.battleLoot), LootEntry{});
  game.battleExp = game.battleMoney = 0;
  game.roundNo = 0;
  game.manualCommands = 1;
}

void LoadEnemies() {
  for (uint8_t slot = 0; slot < kEnemySlots && !game.runStatus; ++slot) {
    const uint8_t id = game.enemies[slot].record.enemyId;
    if (id != 0) LoadActor(slot, kEnemyKind, id);
  }
  if (game.runStatus) return;
  for (int member = 0; member < kPartySlots; ++member) {
    UpdatePose(member);
    uint8_t& pose = game.battleActions[member].pose;
    if (pose == kPoseGuarding) pose = kPoseStanding;
  }
}

void FreeEnemySlots() {
  for (int slot = 0; slot < kEnemySlots; ++slot) FreeEnemy(slot);
}
