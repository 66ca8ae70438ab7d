#pragma once
// Statuses: the attempt to inflict one, inflicting, curing, the countdown at
// the end of a combatant's turn, poison, and the regeneration at the start
// of a member's turn. The rules change the state record only; the battle
// shows the animations and pop-ups their results ask for.
//
// Draws: StatusTakes one Random() per attempt; the others none.

#include <cstdint>

#include "rpg/battle/rules/combatant.h"

// Whether an attempt with x = r % 90 gets through a luck of L: when L < x or
// x > 60 (a luck of 99 still lets x = 61 ... 89 through).
bool StatusGetsThrough(uint8_t luck, int r);
// One attempt against the combatant's luck, with a fresh Random().
bool StatusTakes(Combatant c);

// Starts, for `turns` turns, every status of `bits` the combatant is not
// immune to (a running counter is overwritten). Returns the bits started,
// whose status animations (240 + index) the battle plays in table order.
uint8_t InflictStatus(Combatant c, uint8_t bits, uint8_t turns);

// Switches off every status of `bits`; a member cured of confusion gets its
// action target reset to 0.
void CureStatus(Combatant c, uint8_t bits);

// The end of the combatant's own turn: every running counter goes down by
// one; one reaching 0 is switched off, taking its bonus (attack, defence,
// agility change) with it, and a member whose confusion ends gets its
// action target reset to 0.
void TickStatuses(Combatant c);

// While poisoned (a member: above 0 hp) the combatant loses hp / 4, so
// poison never takes the last 3 hp. Returns the loss for its pop-up.
uint16_t PoisonTick(Combatant c);

// What a member regains at the start of its turn: its hpRegen and mpRegen,
// each added up to the maximum, while it is above 0 hp. The amounts
// returned (the regen values, 0 for none) are the gain pop-ups.
struct Regain {
  uint16_t hp;
  uint16_t mp;
};
Regain Regenerate(int member);
