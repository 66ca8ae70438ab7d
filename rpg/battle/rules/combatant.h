#pragma once
// One combatant of a battle, member or enemy, seen through the same fields,
// and the effective values the rules read: base plus bonus.
//
// A bonus is stored in two's complement, so base + bonus at the field's
// width is the changed value. A lowering (a bonus whose top bit is set) that
// is larger than the base gives 0 rather than a wrapped huge value.

#include <cstdint>

#include "rpg/engine/game_state.h"

// A combatant is a side (kPartySide, kEnemySide) and a slot 0 ... 2.
struct Combatant {
  int side;
  int slot;
};

inline constexpr uint8_t kWholeSide = 170;  // an action's target: every slot of the side

inline int OtherSide(int side) { return side == kPartySide ? kEnemySide : kPartySide; }

// Whether the slot holds a member (character id not 0) or an enemy (enemyId
// not 0), whatever its hp.
bool Occupied(Combatant c);

// The attribute fields a rule reads and writes, wherever they sit.
struct Fields {
  uint16_t* hp;
  uint16_t* maxHp;
  uint16_t* mp;
  uint16_t* maxMp;
  uint16_t attack;
  uint16_t defence;
  uint8_t agility;
  uint8_t spirit;
  uint8_t luck;
  uint8_t immunity;
};
Fields FieldsOf(Combatant c);

StatusCounters& StatusesOf(Combatant c);
StatBonus& BonusOf(Combatant c);

// Keeps the combatant's block inside its limits (ClampStats of its kind).
void ClampCombatant(Combatant c);

// Base plus a 16-bit bonus, a lowering floored at 0.
uint16_t WithBonus(uint16_t base, uint16_t bonus);
// Base plus an 8-bit bonus: a raise taken to 8 bits, a lowering floored at 0.
uint8_t WithAgilityBonus(uint8_t base, uint8_t bonus);
// The same at full width, for the magic evasion sums.
uint16_t WithAgilityBonusWide(uint8_t base, uint8_t bonus);

uint16_t EffectiveAttack(Combatant c);
uint16_t EffectiveDefence(Combatant c);
uint8_t EffectiveAgility(Combatant c);
uint16_t EvasionAgility(Combatant c);

// Whether a member defends this round or made a lucky guard: strikes are
// halved and harmful magic takes three quarters. Enemies never guard.
bool Guarding(Combatant c);

// a + b held at 65535.
uint16_t AddCapped(uint32_t a, uint32_t b);
// hp or mp lowered by an amount, to 0 when the amount is not smaller.
void TakeAway(uint16_t* points, uint16_t amount);
