#include "rpg/battle/rules/strikes.h"

#include <algorithm>

#include "host/msg.h"
#include "rpg/battle/rules/statuses.h"

namespace {

constexpr int kEnemyAction = kPartySlots;
constexpr uint8_t kStatusBits = 0x0F;

uint16_t Remainder(int r, uint32_t divisor) { return uint16_t(uint32_t(r) % divisor); }

bool Misses(Combatant target, Combatant striker, int r) {
  return game.evasionOn && StrikeMisses(EffectiveAgility(target), EffectiveAgility(striker), r);
}

uint16_t Deal(Combatant target, uint16_t damage) {
  TakeAway(FieldsOf(target).hp, damage);
  return damage;
}

}  // namespace

bool StrikeMisses(uint8_t targetAgility, uint8_t strikerAgility, int r) {
  uint8_t e = uint8_t(targetAgility + 50);
  e = e > strikerAgility ? uint8_t(e - strikerAgility) : 10;
  return r % 200 < e;
}

uint16_t MemberBlow(uint16_t power, uint16_t defence, int r) {
  const uint16_t divisor = std::max<uint16_t>(1, defence / 8);
  const uint16_t spread = power / 4 ? power / 4 : 10;
  return AddCapped(power / divisor, Remainder(r, spread));
}

uint16_t EnemyBlow(uint16_t attack, uint16_t defence, bool guarding, int r) {
  const uint16_t blow = AddCapped(attack / (defence / 8 + 1), Remainder(r, attack / 16 + 1));
  return guarding ? blow / 2 : blow;
}

uint16_t ConfusedBlow(int side, uint16_t attack, uint16_t defence, int r) {
  if (side == kPartySide) {
    return AddCapped(attack / (defence / 4 + 1), Remainder(r, attack / 16 + 1));
  }
  return AddCapped(attack / (defence / 8 + 1), Remainder(r, attack / 4 + 1));
}

uint16_t MemberStrike(int member, int enemy, uint16_t power) {
  const Combatant target{kEnemySide, enemy};
  if (game.runStatus || !Occupied(target)) return 0;
  const int r = Random();
  if (Misses(target, {kPartySide, member}, r)) return kMiss;
  // A blow of 65535 or more would read as a miss.
  return Deal(target, std::min<uint16_t>(MemberBlow(power, EffectiveDefence(target), r), kMiss - 1));
}

EnemyHit EnemyStrike(int enemy) {
  const Combatant striker{kEnemySide, enemy};
  const Combatant target{kPartySide, game.battleActions[kEnemyAction].target};
  if (game.runStatus || !Occupied(striker) || !Occupied(target)) return {0, 0};
  const int r = Random();
  if (Misses(target, striker, r)) return {kMiss, 0};
  const uint16_t blow = EnemyBlow(EffectiveAttack(striker), EffectiveDefence(target),
                                  Guarding(target), r);
  const EnemyHit hit{Deal(target, std::min<uint16_t>(blow, kMiss - 1)), 0};
  const EnemyRecord& e = game.enemies[enemy].record;
  const uint8_t statuses = e.hitStatus & kStatusBits;
  if (statuses == 0 || !StatusTakes(target)) return hit;
  return {hit.damage, InflictStatus(target, statuses, e.hitStatusTurns)};
}

uint16_t ConfusedStrike(Combatant c) {
  if (game.runStatus || !Occupied(c)) return 0;
  const int r = Random();
  return Deal(c, std::min<uint16_t>(ConfusedBlow(c.side, EffectiveAttack(c), EffectiveDefence(c), r),
                                    kMiss - 1));
}

uint16_t JointPower(int member) {
  int32_t power = 0;
  for (int k = 0; k < kPartySlots; ++k) {
    const Combatant c{kPartySide, (member + k) % kPartySlots};
    if (!Occupied(c)) continue;
    power += FieldsOf(c).attack >> k;
    power += int16_t(BonusOf(c).attack) / (1 << k);
  }
  return uint16_t(std::clamp<int32_t>(power, 0, 0xFFFF));
}

std::array<uint8_t, kEnemySlots> WeaponStatuses(int member, uint8_t target) {
  const CharStats& s = game.party[member].stats;
  const uint8_t statuses = s.weaponFlags & kStatusBits;
  std::array<uint8_t, kEnemySlots> started{};
  if (statuses == 0) return started;
  for (int e = 0; e < kEnemySlots; ++e) {
    const Combatant c{kEnemySide, e};
    if (game.runStatus || (target != kWholeSide && e != target) || !Occupied(c)) continue;
    if (StatusTakes(c)) started[e] = InflictStatus(c, statuses, s.weaponPower);
  }
  return started;
}
