#pragma once
// Starting and releasing the game.

#include <cstdint>

// Puts the whole state back to its start (keeping the loaded library), so a
// second launch starts clean; then the game's start: a white screen, the
// library's title, opaque text, the game tick, the random seed from the
// clock's second, the start values and the three canvases (a canvas that
// cannot be made is run error 1).
void InitGame();

// Releases parts of the game whatever runStatus holds, so that nothing is
// left behind after a run error: bit 0 every map character, bit 1 every
// party member, bit 2 the canvases, the game tick, the tile bitmap and the
// music (with the sound hooks).
void ReleaseGame(uint8_t parts);
inline constexpr uint8_t kReleaseNpcs = 1;
