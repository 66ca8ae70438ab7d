#include "rpg/battle/rules/statuses.h"

#include <algorithm>

#include "host/msg.h"

namespace {

constexpr int kStatusRoll = 90;
constexpr int kAlwaysThrough = 60;

// A member whose confusion ends or is cured picks its target afresh.
void ResetConfusedTarget(Combatant c, int status) {
  if (status == kConfusion && c.side == kPartySide) game.battleActions[c.slot].target = 0;
}

void DropBonus(Combatant c, int status) {
  StatBonus& bonus = BonusOf(c);
  if (status == kAttackChange) bonus.attack = 0;
  if (status == kDefenceChange) bonus.defence = 0;
  if (status == kAgilityChange) bonus.agility = 0;
}

uint16_t RegainUpTo(uint16_t* points, uint16_t maximum, uint8_t regen) {
  if (regen == 0) return 0;
  *points = std::min<uint16_t>(AddCapped(*points, regen), maximum);
  return regen;
}

}  // namespace

bool StatusGetsThrough(uint8_t luck, int r) {
  const int x = r % kStatusRoll;
  return luck < x || x > kAlwaysThrough;
}

bool StatusTakes(Combatant c) { return StatusGetsThrough(FieldsOf(c).luck, Random()); }

uint8_t InflictStatus(Combatant c, uint8_t bits, uint8_t turns) {
  if (game.runStatus || !Occupied(c)) return 0;
  const uint8_t allowed = uint8_t(bits & ~FieldsOf(c).immunity);
  StatusCounters& counters = StatusesOf(c);
  for (int s = 0; s < kStatusCount; ++s) {
    if (allowed & StatusBit(s)) counters.turns[s] = turns;
  }
  return uint8_t(allowed & 0x7F);
}

void CureStatus(Combatant c, uint8_t bits) {
  if (game.runStatus || !Occupied(c)) return;
  StatusCounters& counters = StatusesOf(c);
  for (int s = 0; s < kStatusCount; ++s) {
    if (!(bits & StatusBit(s))) continue;
    counters.turns[s] = kStatusOff;
    ResetConfusedTarget(c, s);
  }
}

void TickStatuses(Combatant c) {
  if (game.runStatus || !Occupied(c)) return;
  StatusCounters& counters = StatusesOf(c);
  for (int s = 0; s < kStatusCount; ++s) {
    if (!counters.On(s)) continue;
    // A counter started at 0 turns ends here too, rather than wrapping.
    if (counters.turns[s] > 1) {
      --counters.turns[s];
      continue;
    }
    counters.turns[s] = kStatusOff;
    DropBonus(c, s);
    ResetConfusedTarget(c, s);
  }
}

uint16_t PoisonTick(Combatant c) {
  if (game.runStatus || !Occupied(c) || !StatusesOf(c).On(kPoison)) return 0;
  uint16_t* hp = FieldsOf(c).hp;
  const uint16_t loss = uint16_t(*hp / 4);
  *hp = uint16_t(*hp - loss);
  return loss;
}

Regain Regenerate(int member) {
  const Combatant c{kPartySide, member};
  if (game.runStatus || !Occupied(c)) return {};
  CharStats& s = game.party[member].stats;
  if (s.hp == 0) return {};
  return {RegainUpTo(&s.hp, s.maxHp, s.hpRegen), RegainUpTo(&s.mp, s.maxMp, s.mpRegen)};
}
