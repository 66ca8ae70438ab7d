#pragma once
// A battle from start to end: the only entry.

#include <cstdint>

// Runs a battle: a random one (enemies rolled from encounterEnemies, flight
// possible, no round events) or a scripted one (enemies, backgrounds, round
// limit and events set by the script). Returns 1 won, 2 lost, 3 fled or
// round limit reached, 255 with a run error pending. The enemy slots are
// empty again afterwards, whatever the way out.
uint8_t RunBattle(bool randomBattle);
// Whether a battle is running (a script reached from its round events
// cannot start another on the same state).
bool BattleRunning();
