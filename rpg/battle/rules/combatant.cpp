#include "rpg/battle/rules/combatant.h"

#include <algorithm>
#include <cstring>

#include "rpg/battle/rules/clamp_stats.h"
#include "rpg/format/actor_records.h"

namespace {

constexpr uint16_t kLowering16 = 0x8000;
constexpr uint8_t kLowering8 = 0x80;
constexpr uint8_t kDefend = 5;

// The enemy's stats block from `level` on is laid out for ClampStats; it is
// copied out and back rather than read through a CharStats pointer.
static_assert(rpgfmt::enemyrec::kStats + sizeof(CharStats) <= sizeof(EnemyRecord));
void ClampEnemy(EnemyRecord& record) {
  uint8_t* const at = reinterpret_cast<uint8_t*>(&record) + rpgfmt::enemyrec::kStats;
  CharStats block;
  std::memcpy(&block, at, sizeof block);
  ClampStats(&block, 0);
  std::memcpy(at, &block, sizeof block);
}

}  // namespace

bool Occupied(Combatant c) {
  if (c.slot < 0 || c.slot >= kPartySlots) return false;
  if (c.side == kPartySide) return game.party[c.slot].header.id != 0;
  return game.enemies[c.slot].record.enemyId != 0;
}

Fields FieldsOf(Combatant c) {
  if (c.side == kPartySide) {
    CharStats& s = game.party[c.slot].stats;
    return {&s.hp, &s.maxHp, &s.mp, &s.maxMp, s.attack, s.defence,
            s.agility, s.spirit, s.luck, s.immunity};
  }
  EnemyRecord& e = game.enemies[c.slot].record;
  return {&e.hp, &e.maxHp, &e.mp, &e.maxMp, e.attack, e.defence,
          e.agility, e.spirit, e.luck, e.immunity};
}

StatusCounters& StatusesOf(Combatant c) { return game.statuses[c.side][c.slot]; }
StatBonus& BonusOf(Combatant c) { return game.bonuses[c.side][c.slot]; }

void ClampCombatant(Combatant c) {
  if (c.side == kPartySide) {
    ClampStats(&game.party[c.slot].stats, 1);
  } else {
    ClampEnemy(game.enemies[c.slot].record);
  }
}

uint16_t WithBonus(uint16_t base, uint16_t bonus) {
  if (bonus >= kLowering16) {
    const uint16_t lowering = uint16_t(0x10000 - bonus);
    return base > lowering ? uint16_t(base - lowering) : 0;
  }
  return AddCapped(base, bonus);
}

uint8_t WithAgilityBonus(uint8_t base, uint8_t bonus) {
  if (bonus >= kLowering8) return uint8_t(WithAgilityBonusWide(base, bonus));
  return uint8_t(base + bonus);
}

uint16_t WithAgilityBonusWide(uint8_t base, uint8_t bonus) {
  if (bonus >= kLowering8) {
    const uint8_t lowering = uint8_t(0x100 - bonus);
    return base > lowering ? uint16_t(base - lowering) : 0;
  }
  return uint16_t(base + bonus);
}

uint16_t EffectiveAttack(Combatant c) { return WithBonus(FieldsOf(c).attack, BonusOf(c).attack); }
uint16_t EffectiveDefence(Combatant c) {
  return WithBonus(FieldsOf(c).defence, BonusOf(c).defence);
}
uint8_t EffectiveAgility(Combatant c) {
  return WithAgilityBonus(FieldsOf(c).agility, BonusOf(c).agility);
}
uint16_t EvasionAgility(Combatant c) {
  return WithAgilityBonusWide(FieldsOf(c).agility, BonusOf(c).agility);
}

bool Guarding(Combatant c) {
  return c.side == kPartySide &&
         (game.battleActions[c.slot].kind == kDefend || game.guarded[c.slot] != 0);
}

uint16_t AddCapped(uint32_t a, uint32_t b) { return uint16_t(std::min<uint32_t>(a + b, 0xFFFF)); }

void TakeAway(uint16_t* points, uint16_t amount) {
  *points = *points > amount ? uint16_t(*points - amount) : 0;
}
