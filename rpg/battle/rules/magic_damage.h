#pragma once
// The damage of a harmful (class 1) magic on every slot of a side, and the
// drain that gives the caster back what it took.
//
// A magic's effect block (8 bytes, as stored): 0-1 hp amount, 2-3 mp amount
// (u16; above 32768 a drain of 65536 - amount), 4 defence %, 5 attack %,
// 6 statuses (low 4 bits) and turns (high 4 bits), 7 agility %.
//
// Draws: MagicDamage one Random() per slot that can be hit, slot 0 first.

#include <cstdint>

#include "rpg/battle/rules/combatant.h"

inline constexpr int kEffectBlockSize = 8;

// The magic evasion check (only when evasion is on): E = target agility + 20,
// less the caster's agility when larger, else 0; a miss when r % 100 < E.
bool MagicMisses(uint16_t targetAgility, uint16_t casterAgility, int r);

// One amount against one target: x = A + (A / 64) x caster spirit;
// x = x - (x / 64) x target spirit, at least 0; x = x + (r % x) / 16 (no
// random part when x is 0); a guarding target takes x - x / 4. Sums are
// held at 65535 rather than wrapping.
uint16_t MagicAmount(uint16_t amount, uint8_t casterSpirit, uint8_t targetSpirit, bool guarding,
                     int r);

// Fills hp[3] and mp[3] with what the magic takes from each slot of
// `targetSide` that can be hit (an occupied enemy; a member above 0 hp),
// kMiss for a miss, 0 for a slot not hit. The caster is on the other side.
// Returns whether the block drains.
bool MagicDamage(int caster, int targetSide, const uint8_t* block, uint16_t hp[3], uint16_t mp[3]);

// After the damage is applied: the caster regains the hp and mp entries
// (misses count 0) of `target`, or for kWholeSide of every occupied enemy
// (a member casting) or every occupied member still above 0 hp (an enemy
// casting). Returns the amounts regained, for the gain pop-ups.
struct DrainGain {
  uint16_t hp;
  uint16_t mp;
};
DrainGain Drain(Combatant caster, uint8_t target, const uint16_t hp[3], const uint16_t mp[3]);
