#pragma once
// One round of a battle: every combatant's turn in speed order.

#include <cstdint>

// Battle results.
inline constexpr uint8_t kBattleOn = 0, kBattleWon = 1, kBattleLost = 2, kBattleFled = 3,
                         kBattleRunError = 255;

// Whether some enemy slot is occupied; whether some member stands (occupied
// and above 0 hp).
bool AnyEnemyLeft();
bool AnyMemberStanding();

// Runs the round: won before a member's turn when no enemy is left, lost
// before an enemy's when no member stands, fled when a member's flight
// succeeded (downed members get 1 hp), 255 on a run error; otherwise the
// state after every turn, 0 while both sides remain.
uint8_t RunRound();
