#pragma once
// The order in which the combatants act in a round.

#include <array>
#include <cstdint>

// A turn: party slots 0 ... 2, enemy slots as 128 ... 130, 255 for nobody.
inline constexpr uint8_t kEnemyTurn = 128;
inline constexpr uint8_t kNoTurn = 255;
using TurnOrder = std::array<uint8_t, 6>;

// A member's speed: its agility with bonus, taken to 8 bits; an order to
// heal or revive (magic class 3 or 4, item kind 9 or 10) adds half, still
// taken to 8 bits (200 becomes 44).
uint8_t MemberSpeed(int member);

// Party 0 ... 2 then enemies 0 ... 2, sorted by speed, highest first; equal
// speeds keep that order, and an absent combatant is 255 with speed 0.
TurnOrder ComputeTurnOrder();
