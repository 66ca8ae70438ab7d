#include "rpg/battle/rules/magic_effect.h"

#include <algorithm>

#include "codec/bytes.h"
#include "rpg/battle/rules/statuses.h"
#include "rpg/battle/rules/strikes.h"

namespace {

constexpr uint32_t kLargestChange = 0x7FFF;

// Block bytes of a magic's effect.
constexpr int kDefencePct = 4, kAttackPct = 5, kStatusByte = 6, kAgilityPct = 7;

uint16_t HpAmount(const uint8_t* block) { return codec::LoadLe<uint16_t>(block); }
uint8_t Turns(const uint8_t* block) { return block[kStatusByte] >> 4; }
uint8_t Statuses(const uint8_t* block) { return block[kStatusByte] & 0x0F; }

uint8_t Harm(Combatant c, const uint8_t* block, uint16_t hpTaken, uint16_t mpTaken) {
  const Fields f = FieldsOf(c);
  TakeAway(f.hp, hpTaken == kMiss ? 0 : hpTaken);
  TakeAway(f.mp, mpTaken == kMiss ? 0 : mpTaken);
  const uint8_t attack = block[kAttackPct], defence = block[kDefencePct],
                agility = block[kAgilityPct];
  uint8_t started = 0;
  if ((attack || defence || agility) && StatusTakes(c)) {
    started = ChangeStats(c, attack, defence, agility, '-', Turns(block));
  }
  if (Statuses(block) && StatusTakes(c)) started |= InflictStatus(c, Statuses(block), Turns(block));
  return started;
}

void Revive(Combatant c, const uint8_t* block) {
  const Fields f = FieldsOf(c);
  *f.hp = AddCapped(uint32_t(*f.maxHp) * HpAmount(block) / 100, 0);
  if (c.side == kPartySide) {
    ++game.livingMembers;
  } else {
    CureStatus(c, 0x7F);
  }
}

// The agility bonus is a byte: a raise past 127 or a lowering past 128 would
// read as its opposite, so each is held at the last value that reads right.
uint8_t AgilityBonus(uint8_t agility, uint8_t percent, char sign) {
  const uint16_t bonus = PercentOf(agility, percent, sign);
  if (sign == '-') return bonus == 0 ? 0 : uint8_t(std::max<uint16_t>(bonus, 0xFF80));
  return uint8_t(std::min<uint16_t>(bonus, 0x7F));
}

// The effect on an occupied slot, before the limits are applied; the
// status bits it started.
uint8_t Apply(Combatant c, uint8_t magicClass, const uint8_t* block, uint16_t hpTaken,
              uint16_t mpTaken) {
  const Fields f = FieldsOf(c);
  const bool standing = *f.hp > 0;
  if (magicClass == kHarm && standing) return Harm(c, block, hpTaken, mpTaken);
  if (magicClass == kStrengthen && standing) {
    return ChangeStats(c, block[kAttackPct], block[kDefencePct], block[kAgilityPct], '+',
                       Turns(block));
  }
  if (magicClass == kHeal && standing) {
    *f.hp = AddCapped(*f.hp, HpAmount(block));
    if (Statuses(block)) CureStatus(c, Statuses(block));
  } else if (magicClass == kRevive && !standing) {
    Revive(c, block);
  }
  return 0;
}

uint8_t ApplyTo(Combatant c, uint8_t magicClass, const uint8_t* block, uint16_t hpTaken,
                uint16_t mpTaken) {
  if (game.runStatus || !Occupied(c)) return 0;
  const uint8_t started = Apply(c, magicClass, block, hpTaken, mpTaken);
  ClampCombatant(c);
  return started;
}

}  // namespace

uint16_t PercentOf(uint16_t value, uint8_t percent, char sign) {
  const uint16_t change = uint16_t(std::min(uint32_t(value) * percent / 100, kLargestChange));
  return sign == '-' ? uint16_t(0x10000 - change) : change;
}

uint8_t ChangeStats(Combatant c, uint8_t attackPct, uint8_t defencePct, uint8_t agilityPct,
                    char sign, uint8_t turns) {
  if (game.runStatus || !Occupied(c)) return 0;
  const Fields f = FieldsOf(c);
  StatBonus& bonus = BonusOf(c);
  if (c.side == kEnemySide) bonus = StatBonus{};
  uint8_t bits = 0;
  if (attackPct) {
    bonus.attack = PercentOf(f.attack, attackPct, sign);
    bits |= StatusBit(kAttackChange);
  }
  if (defencePct) {
    bonus.defence = PercentOf(f.defence, defencePct, sign);
    bits |= StatusBit(kDefenceChange);
  }
  if (agilityPct) {
    bonus.agility = AgilityBonus(f.agility, agilityPct, sign);
    bits |= StatusBit(kAgilityChange);
  }
  return InflictStatus(c, bits, turns);
}

uint8_t ApplyMagicEffect(uint8_t magicClass, const uint8_t* block, uint16_t hpTaken,
                         uint16_t mpTaken, int member) {
  return ApplyTo({kPartySide, member}, magicClass, block, hpTaken, mpTaken);
}

uint8_t ApplyEnemyMagicEffect(uint8_t magicClass, const uint8_t* block, uint16_t hpTaken,
                              uint16_t mpTaken, int enemy) {
  return ApplyTo({kEnemySide, enemy}, magicClass, block, hpTaken, mpTaken);
}
