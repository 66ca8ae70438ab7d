#pragma once
// The map characters' own movement on the game's ticks, and scripted walks.
// Modes: 1 and 2 walk to their target, 3 rest, 4 step in place, any other
// stands still.

#include <cstdint>

// Slot + 1 of the first map character standing on map cell (x, y), or 0.
int NpcAt(int x, int y);
// One tick for every occupied slot, in order.
void NpcTick();
// Counts a rest down; at its end a new target up to 4 cells away in a
// random direction, and the walk starts.
void NpcRest(uint8_t slot);
// A step toward the target in the facing direction, onto a cell a map
// character may enter that neither the hero nor another character holds;
// else the walk stops and a rest begins.
void NpcWalkStep(uint8_t slot);
// A step in place.
void NpcAnimate(uint8_t slot);
// Erases the character's sprite (and draws the hero again when it stood
// just above or below him), then shows the scene.
void EraseNpc(uint8_t slot);
// Walks the character to map cell (x, y), columns first, a scene a step, no
// collisions. A slot past 39 is run error 7, an empty one 11.
void MoveNpcTo(uint8_t slot, uint8_t x, uint8_t y);
