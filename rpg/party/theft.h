#pragma once
// A member's theft from an enemy, the special magic of class 5, id 1.
//
// Draws: Steal one Random() when the target has something left to steal.

#include <cstdint>

struct InvEntry;

// Whether a theft succeeds for r: x = (r % member luck) + 1, y = r % enemy
// luck, z = r % k with k = 3 when the member's luck is above the enemy's,
// else 2; it succeeds when y < x and z is not 0. A luck of 0 on either side
// fails.
bool TheftSucceeds(uint8_t memberLuck, uint8_t enemyLuck, int r);

// The member's theft from the enemy its action aims at (none for every
// enemy at once, 170). On success the enemy's steal count drops by one and
// `stolen` is one piece of its steal item, which the caller announces and
// adds with AnnounceItem. Returns whether something was stolen.
bool Steal(int slot, InvEntry* stolen);

// Steal, when the magic in the member's action is class 5, id 1.
bool StealCheck(int slot, InvEntry* stolen);

// "偷得 " and the stolen item's name in strip line 2 as the item is added
// (AnnounceItem). A missing item record is the lookup's run error.
void AnnounceTheft(const InvEntry& stolen);
