#pragma once
// A magic's effect on one combatant, and the stat changes that raise or
// lower attack, defence and agility for a number of turns.
//
// Draws: a harmful effect one status attempt (Random()) when it changes
// stats and a second when it inflicts statuses; the others none.

#include <cstdint>

#include "rpg/battle/rules/combatant.h"

inline constexpr uint8_t kHarm = 1, kStrengthen = 2, kHeal = 3, kRevive = 4, kSpecial = 5;

// value x percent / 100 at full width (held at 32767), negated in 16-bit two's
// complement for sign '-': the bonus a change of `percent` gives.
uint16_t PercentOf(uint16_t value, uint8_t percent, char sign);

// Sets the bonus of each of attack, defence and agility whose percent is
// not 0 to PercentOf(base, percent, sign) and starts their change statuses
// for `turns` (subject to immunity; a refused counter leaves the bonus in
// force). A member keeps the bonuses of changes with percent 0, an enemy
// loses them. Returns the status bits started.
uint8_t ChangeStats(Combatant c, uint8_t attackPct, uint8_t defencePct, uint8_t agilityPct,
                    char sign, uint8_t turns);

// The magic of class `magicClass` and effect `block` on one member, or one
// enemy. For a harmful magic, hpTaken and mpTaken are the target's entries
// from MagicDamage (a miss counts 0); the other classes read the block.
// Nothing happens to an empty slot. Returns the status bits the effect
// started on the combatant (stat changes and inflicted statuses), whose
// animations the battle plays.
uint8_t ApplyMagicEffect(uint8_t magicClass, const uint8_t* block, uint16_t hpTaken,
                         uint16_t mpTaken, int member);
uint8_t ApplyEnemyMagicEffect(uint8_t magicClass, const uint8_t* block, uint16_t hpTaken,
                              uint16_t mpTaken, int enemy);
