#pragma once
// What a hit or a gain shows: the target's reaction and the numbers rising
// over it, and where an effect animation is played for a target.

#include <cstdint>

// The values of one pop-up per slot of a side; 65535 shows the miss mark.
struct PopupValues {
  uint16_t v[3];
};

// The target (slot, or 170 for every slot) of `side` reacts (sign '-':
// shaken in its hurt frame; '+': in place) and the values rise over it in
// six frames; a value of 0 shows nothing, sameForAll shows values.v[0]
// everywhere. Returns 1 for one target, else how many numbers were shown.
int ShowPopups(char sign, PopupValues values, uint8_t target, int side, bool sameForAll);

// The origin of an effect played on a target, as bytes.
struct EffectAt {
  uint8_t x;
  uint8_t y;
};
EffectAt EffectOrigin(uint8_t target, int side);
