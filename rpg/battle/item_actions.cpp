#include "rpg/battle/item_actions.h"

#include "rpg/battle/battle_effects.h"
#include "rpg/battle/defeat.h"
#include "rpg/battle/magic_popups.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/poses.h"
#include "rpg/battle/rules/item_effect.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/battle/rules/statuses.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"

namespace {

// The action's item part: kind, id, power, name, a spare byte, the block.
constexpr int kItemKind = 0, kItemPower = 2, kItemBlock = 16;
constexpr uint8_t kHealing = 9, kReviving = 10, kStrengthening = 12, kThrown = 8;
constexpr uint16_t kDrainAbove = 32768;
constexpr uint8_t kStatusBits = 0x0F;

bool Aimed(uint8_t target, int slot) { return target == kWholeSide || target == slot; }

uint16_t U16At(const uint8_t* b) { return uint16_t(b[0] | b[1] << 8); }

void GainPopup(uint16_t amount, uint8_t target, int side) {
  if (amount != 0) ShowPopups('+', PopupValues{{amount, amount, amount}}, target, side, true);
}

void UseOn(int slot, uint8_t kind, const uint8_t* block, uint8_t power) {
  const Combatant c{kPartySide, slot};
  const uint8_t zero[8] = {};
  CharStats& stats = game.party[slot].stats;
  ApplyItemEffect(kind, zero, block, &stats);
  if (block[6] & kStatusBits) CureStatus(c, block[6] & kStatusBits);
  if (kind == kStrengthening) {
    PlayStatusEffects(ChangeStats(c, block[3], block[2], block[5], '+', power), c);
  }
  if (kind == kReviving) GainPopup(stats.hp, uint8_t(slot), kPartySide);
}

}  // namespace

uint16_t HandHeldThrowDamage(const uint8_t* b) {
  uint16_t damage = uint16_t(b[3] & 0x7F);
  constexpr struct {
    int byte;
    uint16_t bit;
  } kBits[] = {{6, 8192}, {7, 4096}, {4, 2048}, {5, 1024}, {0, 512}, {1, 256}, {2, 128}};
  for (const auto& k : kBits) {
    if (b[k.byte] != 0) damage = uint16_t(damage + k.bit);
  }
  return damage;
}

void UseItem(int member) {
  if (game.runStatus) return;
  const BattleAction& action = game.battleActions[member];
  const uint8_t kind = action.item[kItemKind], target = action.target;
  const uint8_t* block = action.item + kItemBlock;
  SaveScene();
  if (kind == kHealing) {
    PlayEffectOn(block[5], block[4], target, kPartySide);
    GainPopup(U16At(block), target, kPartySide);
    GainPopup(U16At(block + 2), target, kPartySide);
  }
  for (int slot = 0; slot < kPartySlots && !game.runStatus; ++slot) {
    if (Aimed(target, slot) && Occupied({kPartySide, slot})) {
      UseOn(slot, kind, block, action.item[kItemPower]);
    }
  }
  RefreshPoses();
}

void ThrowDamage(int member, bool hp, uint16_t amount) {
  const uint8_t target = game.battleActions[member].target;
  const bool drains = amount > kDrainAbove;
  if (drains) amount = uint16_t(0x10000 - amount);
  for (int e = 0; e < kEnemySlots; ++e) {
    if (!Aimed(target, e) || !Occupied({kEnemySide, e})) continue;
    EnemyRecord& r = game.enemies[e].record;
    TakeAway(hp ? &r.hp : &r.mp, amount);
  }
  const int shown = ShowPopups('-', PopupValues{{amount, amount, amount}}, target, kEnemySide, true);
  if (!drains) return;
  CharStats& s = game.party[member].stats;
  uint16_t* points = hp ? &s.hp : &s.mp;
  const uint16_t gain = AddCapped(uint32_t(amount) * uint32_t(shown), 0);
  *points = AddCapped(*points, gain);
  ShowDrain(hp ? DrainGain{gain, 0} : DrainGain{0, gain}, {kPartySide, member});
  UpdatePose(member);
}

void ThrowItem(int member) {
  if (game.runStatus) return;
  const BattleAction& action = game.battleActions[member];
  const uint8_t target = action.target;
  const uint8_t* block = action.item + kItemBlock;
  SaveScene();
  if (action.item[kItemKind] == kThrown) {
    if (block[4] != 0) PlayEffectOn(block[5], block[4], target, kEnemySide);
    if (U16At(block) != 0) ThrowDamage(member, true, U16At(block));
    if (U16At(block + 2) != 0) ThrowDamage(member, false, U16At(block + 2));
    ClampCombatant({kPartySide, member});
  } else {
    const uint16_t damage = HandHeldThrowDamage(block);
    for (int e = 0; e < kEnemySlots; ++e) {
      if (Aimed(target, e) && Occupied({kEnemySide, e})) TakeAway(&game.enemies[e].record.hp, damage);
    }
    ShowPopups('-', PopupValues{{damage, damage, damage}}, target, kEnemySide, true);
  }
  const uint8_t statuses = block[6] & kStatusBits;
  for (int e = 0; e < kEnemySlots && statuses != 0 && !game.runStatus; ++e) {
    const Combatant c{kEnemySide, e};
    if (!Aimed(target, e) || !Occupied(c) || !StatusTakes(c)) continue;
    PlayStatusEffects(InflictStatus(c, statuses, action.item[kItemPower]), c);
  }
  DefeatTest(target);
}
