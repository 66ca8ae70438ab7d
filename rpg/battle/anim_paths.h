#pragma once
// The fixed paths of the battle's animations: the member action rows, the
// attack offsets that carry a member to its target and back, the joint
// attack's and the flight's paths.

#include <cstdint>

// One row of a member's action animation: up to five steps.
struct MemberRow {
  int steps;
  uint8_t frame[5];
  uint8_t delay[5];  // fast ticks
  uint8_t x[3][5];   // per member
  uint8_t y[3][5];
};
// Rows 0 attack, 1 magic, 2 flee attempt, 3 use item, 4 throw item.
inline constexpr int kMemberRows = 5;
extern const MemberRow kMemberRowTable[kMemberRows];

// Signed offsets added to row 0 for (member, target): targets 0 ... 2 the
// enemy slots, 3 every enemy, 4 a confused member striking itself.
struct AttackPath {
  int8_t dx[5];
  int8_t dy[5];
};
inline constexpr int kAttackTargets = 5;
extern const AttackPath kAttackPathTable[3][kAttackTargets];

// The joint attack: nine steps of each member's offset from its place
// towards the enemies and back, and the frame of each step.
inline constexpr int kJointSteps = 9;
extern const uint8_t kJointFrame[kJointSteps];
extern const uint8_t kJointDelay[kJointSteps];
extern const int8_t kJointDx[3][kJointSteps];
extern const int8_t kJointDy[3][kJointSteps];

// Where a fleeing member stands at step 0 ... 5.
inline constexpr int kFleeSteps = 6;
struct FleeStep {
  int x;
  int y;
};
FleeStep FleePosition(int member, int step);
