#include "rpg/battle/rules/magic_damage.h"

#include <algorithm>

#include "codec/bytes.h"
#include "host/msg.h"
#include "rpg/battle/rules/strikes.h"

namespace {

constexpr uint16_t kDrainAbove = 32768;

bool CanBeHit(Combatant c) { return Occupied(c) && (c.side == kEnemySide || *FieldsOf(c).hp > 0); }

// Turns a drain amount into its magnitude and notes the drain.
uint16_t Magnitude(uint16_t amount, bool* drain) {
  if (amount <= kDrainAbove) return amount;
  *drain = true;
  return uint16_t(0x10000 - amount);
}

uint16_t Entry(uint16_t value) { return value == kMiss ? 0 : value; }

}  // namespace

bool MagicMisses(uint16_t targetAgility, uint16_t casterAgility, int r) {
  uint32_t e = uint32_t(targetAgility) + 20;
  e = e > casterAgility ? e - casterAgility : 0;
  return uint32_t(r % 100) < e;
}

uint16_t MagicAmount(uint16_t amount, uint8_t casterSpirit, uint8_t targetSpirit, bool guarding,
                     int r) {
  uint16_t x = AddCapped(amount, uint32_t(amount / 64) * casterSpirit);
  const uint32_t resisted = uint32_t(x / 64) * targetSpirit;
  x = x > resisted ? uint16_t(x - resisted) : 0;
  if (x != 0) x = AddCapped(x, (uint32_t(r) % x) / 16);
  return guarding ? uint16_t(x - x / 4) : x;
}

bool MagicDamage(int caster, int targetSide, const uint8_t* block, uint16_t hp[3], uint16_t mp[3]) {
  bool drain = false;
  const uint16_t hpAmount = Magnitude(codec::LoadLe<uint16_t>(block), &drain);
  const uint16_t mpAmount = Magnitude(codec::LoadLe<uint16_t>(block + 2), &drain);
  const Combatant from{OtherSide(targetSide), caster};
  const Fields casterFields = FieldsOf(from);
  for (int slot = 0; slot < kPartySlots; ++slot) {
    hp[slot] = mp[slot] = 0;
    const Combatant target{targetSide, slot};
    if (game.runStatus || !CanBeHit(target)) continue;
    const int r = Random();
    if (game.evasionOn && MagicMisses(EvasionAgility(target), EvasionAgility(from), r)) {
      if (hpAmount) hp[slot] = kMiss;
      if (mpAmount) mp[slot] = kMiss;
      continue;
    }
    const Fields t = FieldsOf(target);
    if (hpAmount) {
      const uint16_t x = MagicAmount(hpAmount, casterFields.spirit, t.spirit, Guarding(target), r);
      hp[slot] = std::min(x, *t.hp);
    }
    if (mpAmount) {
      mp[slot] = std::min(MagicAmount(mpAmount, casterFields.spirit, t.spirit, false, r), *t.mp);
    }
  }
  return drain;
}

DrainGain Drain(Combatant caster, uint8_t target, const uint16_t hp[3], const uint16_t mp[3]) {
  if (game.runStatus || !Occupied(caster)) return {0, 0};
  uint32_t hpSum = 0, mpSum = 0;
  const int side = OtherSide(caster.side);
  for (int slot = 0; slot < kPartySlots; ++slot) {
    if (target != kWholeSide && slot != target) continue;
    if (target == kWholeSide && !CanBeHit({side, slot})) continue;
    hpSum += Entry(hp[slot]);
    mpSum += Entry(mp[slot]);
  }
  const DrainGain gain{AddCapped(hpSum, 0), AddCapped(mpSum, 0)};
  const Fields f = FieldsOf(caster);
  *f.hp = AddCapped(*f.hp, gain.hp);
  *f.mp = AddCapped(*f.mp, gain.mp);
  ClampCombatant(caster);
  return gain;
}
