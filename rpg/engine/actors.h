#pragma once
// Bringing an actor onto the scene, as the script commands do.

#include <cstdint>

// Kind 1: character `no` joins the first free party slot at window cell
// (x, y) and, as the leader, is drawn. Kinds 2 and 4: map character `no`
// takes slot `slot` standing on map cell (x, y) and is drawn. The scene is
// then presented. Enemies (kind 3) are placed by the battle; until it takes
// them, as for any other kind, run error 5. Nothing while runStatus is set.
void PlaceActor(uint8_t slot, uint8_t kind, uint8_t no, uint8_t x, uint8_t y);
