#pragma once
// The random parts of a battle's beginning and end: which enemies a random
// encounter brings, and whether a member's flee succeeds.
//
// Draws: RollEncounterEnemies one Random() for the count, then one per
// filled slot; RollFlee one in a random battle, none in a scripted one.

#include <cstdint>

// Fills the enemy slots from encounterEnemies (its nonzero leading entries,
// at most 8): r % 3 + 1 slots, each with entry r % n of a fresh r, the
// others empty; roundLimit 0. An empty list is run error 13.
void RollEncounterEnemies();

// The flee test for one r: r % (luck + 1) + r % (agility + 1) of the member
// against the same of the enemy; the sums are wide, so a value of 255 gives
// 256, never 0.
bool FleeSucceeds(uint8_t memberLuck, uint8_t memberAgility, uint8_t enemyLuck,
                  uint8_t enemyAgility, int r);

// Sets fled[member]: never in a scripted battle; else against enemy slot 0,
// whose values count even when it is gone.
void RollFlee(int member);
