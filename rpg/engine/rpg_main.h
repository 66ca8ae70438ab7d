#pragma once
// The role-playing game's application entry, as the Desktop launches it.

// Switches the screen to the game's 160 x 96 mode, loads ..\dat.lib whole
// and alternates the title with the map loop until the game ends; then
// reports a run error, if any. Every way out (no library, too little memory,
// a short read, a failed start, a run error, Esc at the title) closes the
// file, releases everything the game holds and returns with the screen back
// in the Desktop's 320 x 240 mode.
void RpgMain();
