#pragma once
// The player's keys on the map: walking the hero (the view moves, the hero
// stays on window cell (4, 3)), examining, the system menu; and the random
// encounters a step may start.

#include <cstdint>

// Acts on the key in *heldKey and returns the event to run, or 0: Enter
// examines; Esc opens the system menu; an arrow turns and animates the hero
// and, where the view can move and the cell is open to the hero and free,
// steps. The event is that of the cell entered or bumped into; at a map
// edge it is 0. *heldKey is cleared except while walking continuously.
int HandleKey(uint32_t* heldKey);
// The event of the cell in front of the hero (events 41 ... 80) or the
// character standing there (1 ... 40); 0 for none and outside the map.
int Examine();
// After a completed step: a random battle 4 times in 100 while encounters are
// on; a lost one ends the game back to the title.
void EncounterCheck();
