#pragma once
// Playing an effect animation (type 5, id1, id2) at (x, y) in sceneCanvas,
// one frame at a time. Flags: bit 0, a key-down ends the effect (each frame
// waits for a key or a 50 ms tick); bit 1, the scene kept in mapCanvas shows
// behind the elements (else an expiring element clears the scene to white).

#include <cstdint>

// The key code that ended the effect, or 255. A missing effect falls back to
// (5, id1, 1); missing too, nothing is played.
uint8_t PlayEffect(uint8_t id1, uint8_t id2, uint8_t flags, uint8_t x, uint8_t y);
