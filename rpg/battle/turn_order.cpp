#include "rpg/battle/turn_order.h"

#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/magic_effect.h"

namespace {

constexpr uint8_t kMagicKind = 2, kUseKind = 8;
constexpr uint8_t kHealingItem = 9, kRevivingItem = 10;

bool Hastened(const BattleAction& action) {
  if (action.kind == kMagicKind) return action.magic[0] == kHeal || action.magic[0] == kRevive;
  if (action.kind == kUseKind) return action.item[0] == kHealingItem || action.item[0] == kRevivingItem;
  return false;
}

}  // namespace

uint8_t MemberSpeed(int member) {
  const uint8_t speed = EffectiveAgility({kPartySide, member});
  if (!Hastened(game.battleActions[member])) return speed;
  return uint8_t(speed + speed / 2);
}

TurnOrder ComputeTurnOrder() {
  TurnOrder order;
  std::array<uint8_t, 6> speed{};
  for (int k = 0; k < 6; ++k) {
    const int side = k < kPartySlots ? kPartySide : kEnemySide;
    const int slot = k % kPartySlots;
    order[k] = kNoTurn;
    if (!Occupied({side, slot})) continue;
    order[k] = uint8_t(side == kPartySide ? slot : kEnemyTurn + slot);
    speed[k] = side == kPartySide ? MemberSpeed(slot) : EffectiveAgility({side, slot});
  }
  // Insertion sort: an entry goes after every earlier one at least as fast.
  for (int k = 1; k < 6; ++k) {
    const uint8_t who = order[k], s = speed[k];
    int j = k;
    for (; j > 0 && speed[j - 1] < s; --j) {
      order[j] = order[j - 1];
      speed[j] = speed[j - 1];
    }
    order[j] = who;
    speed[j] = s;
  }
  return order;
}
