#pragma once
// The command phase: the player gives each member its order with the
// command icons, the target choice and the battle menu.

#include <cstdint>

// Choices of the command-icon selector.
inline constexpr int kChoseAttack = 0, kChoseMagic = 1, kChoseMenu = 2, kChoseJoint = 3,
                     kChoseRepeat = 4, kChoseBack = 5, kChoseSkip = 6;

// The orders of every member, from the first; skipped while siege mode
// repeats the siege (manualCommands 0 and member 0's order a siege).
void CommandPhase();
// The member to go back to from member i: i - 1, or one more step when that
// member sleeps and is not the first; 0 stays 0.
int PreviousCommander(int i);
// The command icons for member i: 6 at once for a member who cannot act,
// else the choice made with the keys.
int CommandIconSelector(int i);
