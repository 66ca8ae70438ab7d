#pragma once
// A battle's setting up and clearing away: the state reset at its start,
// the enemies loaded into their slots, and the slots emptied at its end.

#include <cstdint>

// The start of a battle: a second or third background equal to the first
// is drawn as the picture 30 or 110 further on; livingMembers counts the
// occupied party slots; every status off, bonuses, flee and guard flags,
// loot, experience, money and the round count at 0; orders given by hand.
void InitBattle();

// Loads every slot with a nonzero enemyId, stopping at the first run error,
// then sets the poses, a guard left from an earlier battle turned back to
// standing.
void LoadEnemies();

// Empties every enemy slot.
void FreeEnemySlots();
