#include "rpg/battle/order_check.h"

#include <cstdint>

#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/engine/game_state.h"
#include "rpg/format/item_records.h"
#include "rpg/party/inventory.h"

namespace {

constexpr uint8_t kNone = 0, kAttack = 1, kMagic = 2, kJointMagic = 4, kUse = 8, kThrow = 9;
constexpr uint8_t kStrikesAll = 16;

bool AnyEnemy() {
  for (int slot = 0; slot < kEnemySlots; ++slot) {
    if (Occupied({kEnemySide, slot})) return true;
  }
  return false;
}

bool CanAct(int member) {
  const StatusCounters& s = StatusesOf({kPartySide, member});
  return game.party[member].stats.hp > 0 && !s.On(kSleep) && !s.On(kConfusion);
}

// Whether the order can still be carried out; an item order takes its item.
bool StillPossible(int member, const BattleAction& action) {
  switch (action.kind) {
    case kNone:
      return false;
    case kMagic:
      return game.party[member].stats.mp >= action.magic[rpgfmt::magicrec::kMpCost] &&
             !StatusesOf({kPartySide, member}).On(kSeal);
    case kUse:
    case kThrow:
      return !CanAct(member) || InvRemove({action.item[0], action.item[1], 1}) != 0;
    default:
      return true;
  }
}

bool AimsAtParty(const BattleAction& action) {
  if (action.kind == kUse) return true;
  if (action.kind != kMagic && action.kind != kJointMagic) return false;
  return action.magic[0] != kHarm && action.magic[0] != kSpecial;
}

}  // namespace

bool CheckOrder(int member) {
  BattleAction& action = game.battleActions[member];
  if (action.target != kWholeSide && action.target >= kEnemySlots) {
    action.target = 0;
    if (!AnyEnemy()) return true;
  }
  if (!StillPossible(member, action)) {
    action.kind = kAttack;
    action.target = game.party[member].stats.weaponFlags >= kStrikesAll ? kWholeSide : 0;
  }
  if (action.target == kWholeSide || AimsAtParty(action)) return false;
  for (int step = 0; step < kEnemySlots; ++step) {
    const int slot = (action.target + step) % kEnemySlots;
    if (Occupied({kEnemySide, slot})) {
      action.target = uint8_t(slot);
      return false;
    }
  }
  return true;
}
