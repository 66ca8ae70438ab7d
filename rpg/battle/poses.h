#pragma once
// The party's poses: the frame each member's battle picture shows, kept in
// its action record, and the count of members still standing.

#include <cstdint>

inline constexpr uint8_t kPoseStanding = 0;
inline constexpr uint8_t kPoseGuarding = 8;
inline constexpr uint8_t kPoseWeak = 10;
inline constexpr uint8_t kPoseDown = 11;

// The member's pose from its hp, statuses and guard: down at 0 hp (its
// statuses then switched off, and livingMembers lowered the first time it
// is found so, never below 0), weak when asleep or below a quarter of maxHp,
// guarding when defending or guarded, else standing. An empty slot is left.
void UpdatePose(int member);
// UpdatePose for every party slot.
void RefreshPoses();
