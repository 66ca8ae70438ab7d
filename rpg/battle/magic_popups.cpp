#include "rpg/battle/magic_popups.h"

#include "rpg/battle/popups.h"
#include "rpg/engine/game_state.h"

namespace {

bool AnyShown(const uint16_t v[3], uint8_t target) {
  for (int k = 0; k < 3; ++k) {
    if ((target == kWholeSide || target == k) && v[k] != 0) return true;
  }
  return false;
}

void Losses(const uint16_t v[3], uint8_t target, int side) {
  if (AnyShown(v, target)) ShowPopups('-', PopupValues{{v[0], v[1], v[2]}}, target, side, false);
}

void Gain(uint16_t amount, Combatant c) {
  if (amount != 0) ShowPopups('+', PopupValues{{amount, amount, amount}}, uint8_t(c.slot), c.side, true);
}

}  // namespace

uint16_t MagicHpAmount(const uint8_t* block) { return uint16_t(block[0] | block[1] << 8); }

void ShowMagicLosses(const uint16_t hp[3], const uint16_t mp[3], uint8_t target, int side) {
  Losses(hp, target, side);
  Losses(mp, target, side);
}

void ShowDrain(DrainGain gain, Combatant caster) {
  Gain(gain.hp, caster);
  Gain(gain.mp, caster);
}
