#pragma once
// Falling blocks: a keyboard game on a timer, in portrait mode (240 x 320).
// Pieces fall into a well of 10 x 20 cells; Left and Right move them, Up
// rotates, Down drops, Enter pauses, Escape leaves. Registered as "blocks".

#include "games/blocks/blocks_rules.h"

// Runs the game until Escape; returns 1.
int BlocksMain();

// The game's state, for tests and diagnostics.
const blocks::BlocksState& GetBlocksState();
