#pragma once
// The tile-matching game, an application entry registered as "tiles": a
// portrait screen of 120 tiles; clicking two tiles of one kind that a path
// of free cells joins takes them off. Escape or the close button leaves.

#include "games/tiles/tiles_rules.h"

// Runs the game until the player leaves; the screen is back at 320 x 240,
// the timer stopped and the package and canvas released when it returns.
void TilesMain();

// The game's state as the last run left it, for tests and diagnostics.
tiles::TilesState GetTilesState();
