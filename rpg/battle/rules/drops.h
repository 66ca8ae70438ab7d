#pragma once
// A defeated enemy's reward: its experience and money, and the roll for its
// item drop into the battle's loot list.
//
// Draws: RollDrop one Random() when the enemy has a drop.

#include <cstdint>

// Whether the drop falls for r: a = (r % leader luck) + 1 and b = r % enemy
// luck, each taken to 8 bits (a remainder by a luck of 0 counts as 0), and
// the drop falls when a > b and r % 4 is not 0.
bool DropFalls(uint8_t leaderLuck, uint8_t enemyLuck, int r);

// Adds one of the item to the loot: at the first entry that is empty or
// holds the same item, when that entry is one of the first nine; the tenth
// always stays empty. Returns whether it was added.
bool AddLoot(uint8_t kind, uint8_t id);

// For an occupied enemy slot at 0 hp: battleExp and battleMoney gain its exp
// and money (held at 65535), its drop is rolled (the leader's luck against
// its own) and the slot is freed. Returns whether its drop fell.
bool RollDrop(int enemy);

// Empties an enemy slot: record, picture location and magic list zeroed.
void FreeEnemy(int enemy);
