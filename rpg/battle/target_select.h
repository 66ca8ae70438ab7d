#pragma once
// Choosing the target of an order among the enemies or the party, with the
// actor's and the target's cursors blinking.

#include <cstdint>

// Purposes, shown as the command icon while choosing.
inline constexpr int kPurposeAttack = 0, kPurposeMagic = 1, kPurposeItem = 2, kPurposeJoint = 3;

// A slot of `side` (kEnemySide: the occupied enemies; kPartySide: the
// occupied members, counted from the actor onwards): the only candidate at
// once, else the one chosen with Left, Right and Enter; 255 for Esc or when
// there is no candidate.
uint8_t SelectTarget(int side, int actor, int purpose);
