#pragma once
// What an enemy does on its turn, written into the shared enemy action
// (battleActions[3]).
//
// Draws: one Random() r, x = r % 100, for the whole choice.

#include "host/msg.h"
#include "rpg/engine/game_state.h"

// A magic when x >= 100 - magicRate and the enemy has magics: entry
// x % magicCount of its list, turned into an attack when its mp is short or
// it is sealed; a magic aimed at a whole side takes every slot. Otherwise an
// attack. The target is slot x % 3 of the side aimed at, moved on cyclically
// to the next occupied enemy (a magic for its own side) or the next member
// standing. A magic missing from the library leaves its run error.
// `r` is a value as Random() gives it (0 ... 32767).
void ChooseEnemyActionWith(int enemy, int r);
inline void ChooseEnemyAction(int enemy) {
  if (!game.runStatus) ChooseEnemyActionWith(enemy, Random());
}
