#pragma once
// The pop-ups a harmful magic and its drain bring, shared by members and
// enemies casting.

#include <cstdint>

#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/magic_damage.h"

// The hp amount of an effect block (bytes 0-1).
uint16_t MagicHpAmount(const uint8_t* block);
// Loss pop-ups of the hp entries when any is not 0, then of the mp entries
// when any is not 0 (for one target only its own).
void ShowMagicLosses(const uint16_t hp[3], const uint16_t mp[3], uint8_t target, int side);
// The caster's regain from a drain, as gain pop-ups over it.
void ShowDrain(DrainGain gain, Combatant caster);
