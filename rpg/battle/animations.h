#pragma once
// The movements of a battle: a member acting, the whole party in a joint
// attack, the party fleeing, an enemy striking or casting. Each runs the
// game timer at 1 ms while it plays and puts it back to 500 ms after.

#include <cstdint>

// Member action animation numbers.
inline constexpr int kAnimAttack = 1, kAnimMagic = 2, kAnimJoint = 3, kAnimFlee = 7,
                     kAnimUse = 8, kAnimThrow = 9;
// The confused strike's target for the attack path.
inline constexpr uint8_t kSelfTarget = 4;

// Member `member` acts: the row of `number` with the member's own path (an
// attack follows its action target; 170 the middle of the enemies, 4 itself).
// A magic whose animation id is 201 or more plays three steps and leaves
// the scene without the party; a joint attack plays JointAnimation, a
// successful flight FleeAnimation.
void MemberAnimation(int number, int member);
// Every standing member runs at the enemies together, in nine steps.
void JointAnimation();
// Every standing member runs off to the lower right, in six steps.
void FleeAnimation();

inline constexpr int kEnemyStrikes = 1, kEnemyCasts = 2;
// Enemy `slot` (3 ... 5: slot - 3 striking itself) strikes the member its
// action aims at, or casts in place.
void EnemyAnimation(int mode, int slot);
