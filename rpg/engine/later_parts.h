#pragma once
// Where the map loop reaches parts of the game that are built later: random
// battles. Until those parts land, each of these does nothing ("nothing
// opens"); each part replaces its function here when it lands.

#include <cstdint>

// A random encounter's battle, RunBattle(true): 2 when it was lost. No
// battle happens yet: 0.
uint8_t LaterRandomBattle();
// The defeat picture after a lost battle.
void LaterShowDefeat();
