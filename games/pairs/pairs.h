#pragma once
// The pairs game, registered as "pairs": 48 cards on a 7 x 7 grid, turned two
// at a time with the mouse, for one player or two networked machines that
// share one board (the hosting one keeps the clock). L asks the host for its
// board; Escape leaves.

#include "games/pairs/pairs_rules.h"

// Runs the game until Escape; AppEnd's result (-1 when AppBegin refuses).
int PairsMain();

// The game's state as it stands or as the last run left it, for tests.
pairs::PairsState GetPairsState();
