#pragma once
// The role-playing game's application entry, as the Desktop launches it.

// Switches the screen to the game's 160 x 96 mode and loads ..\dat.lib whole
// into memory. Whatever happens, it returns with the screen back in the
// Desktop's 320 x 240 mode and the library's memory released.
void RpgMain();
