#pragma once
// Physical strikes: a member on an enemy, an enemy on a member, a confused
// combatant on itself, and the power of a joint attack. Each strike's
// arithmetic is a pure function of its inputs and r; the call named for the
// strike draws r and applies the damage.
//
// Draws: MemberStrike one Random() for an occupied enemy slot (none for an
// empty one); EnemyStrike one, then one status attempt after a hit when the
// enemy's attack carries statuses; ConfusedStrike one; WeaponStatuses one
// status attempt per enemy tried.

#include <array>
#include <cstdint>

#include "rpg/battle/rules/combatant.h"

inline constexpr uint16_t kMiss = 65535;

// The miss check shared by the physical strikes (only when evasion is on):
// E = (target agility + 50) taken to 8 bits, less the striker's agility when
// larger, else 10; a miss when r % 200 < E.
bool StrikeMisses(uint8_t targetAgility, uint8_t strikerAgility, int r);

// A member's blow of `power` on defence D: P / max(1, D / 8) + r % m, where
// m = P / 4, or 10 when that is 0.
uint16_t MemberBlow(uint16_t power, uint16_t defence, int r);
// An enemy's blow of attack A on defence D: A / (D / 8 + 1) + r % (A / 16 + 1),
// halved when the member guards.
uint16_t EnemyBlow(uint16_t attack, uint16_t defence, bool guarding, int r);
// A confused combatant's blow on itself: a member A / (D / 4 + 1) +
// r % (A / 16 + 1), an enemy A / (D / 8 + 1) + r % (A / 4 + 1).
uint16_t ConfusedBlow(int side, uint16_t attack, uint16_t defence, int r);

// Strikes the enemy with `power`: the damage dealt, or kMiss.
uint16_t MemberStrike(int member, int enemy, uint16_t power);

// The acting enemy strikes the member its action (battleActions[3]) aims at.
struct EnemyHit {
  uint16_t damage;   // kMiss for a miss
  uint8_t statuses;  // statuses the hit inflicted
};
EnemyHit EnemyStrike(int enemy);

// The combatant strikes itself; never misses. The damage dealt.
uint16_t ConfusedStrike(Combatant c);

// The power of a joint attack led by `member`: each occupied slot at
// distance k (0, 1, 2, wrapping round) adds its attack / 2^k and its signed
// attack bonus / 2^k; a total below 0 is 0.
uint16_t JointPower(int member);

// After a member's plain attack, siege or joint attack, hit or miss: the
// statuses of its weapon (weaponFlags bits 0-3) are tried on the target, or
// on every occupied enemy for kWholeSide, lasting weaponPower turns. The
// status bits started on each enemy slot.
std::array<uint8_t, kEnemySlots> WeaponStatuses(int member, uint8_t target);
