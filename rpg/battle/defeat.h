#pragma once
// Enemies going down, and the defeat picture after a lost battle.

#include <cstdint>

// For the enemy slot named (every slot for 170) that is occupied and at
// 0 hp: its experience, money and drop are taken and the slot is freed.
void DefeatTest(uint8_t target);

// The defeat picture, centred, with the defeat effect (1, 249) played over
// it until a key ends it (without the effect: until a key); then every
// member at 0 hp gets 1 hp.
void ShowDefeat();
