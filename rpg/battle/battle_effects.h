#pragma once
// Effect animations played over targets of a battle: magic and item
// effects at a target's place, and the status effects (1, 240 + index).

#include <cstdint>

#include "rpg/battle/rules/combatant.h"

// Keeps the scene and plays effect (5, id1, id2) over the target (a slot or
// 170) of `side`, the kept scene behind it.
void PlayEffectOn(uint8_t id1, uint8_t id2, uint8_t target, int side);
// The effect of each status in `bits` that started on the combatant, in the
// statuses' order.
void PlayStatusEffects(uint8_t bits, Combatant c);
