#include "rpg/battle/member_actions.h"

#include "rpg/battle/animations.h"
#include "rpg/battle/battle_effects.h"
#include "rpg/battle/defeat.h"
#include "rpg/battle/encounter.h"
#include "rpg/battle/item_actions.h"
#include "rpg/battle/member_magic.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/poses.h"
#include "rpg/battle/rules/strikes.h"
#include "rpg/engine/game_state.h"

namespace {

constexpr uint8_t kAttack = 1, kMagic = 2, kJointAttack = 3, kJointMagic = 4, kSiege = 6,
                  kFlee = 7, kUse = 8, kThrow = 9;

// A member's blow of `power` on its target or every enemy; misses show the
// miss mark, the weapon's statuses are tried on a miss too.
void Strike(int member, uint16_t power) {
  const uint8_t target = game.battleActions[member].target;
  PopupValues damage{};
  for (int e = 0; e < kEnemySlots; ++e) {
    if (target == kWholeSide || target == e) damage.v[e] = MemberStrike(member, e, power);
  }
  ShowPopups('-', damage, target, kEnemySide, false);
  const auto started = WeaponStatuses(member, target);
  for (int e = 0; e < kEnemySlots; ++e) PlayStatusEffects(started[e], {kEnemySide, e});
  DefeatTest(target);
}

}  // namespace

void DoMemberAction(int member) {
  if (game.runStatus) return;
  switch (game.battleActions[member].kind) {
    case kAttack:
    case kSiege:
      MemberAnimation(kAnimAttack, member);
      return Strike(member, EffectiveAttack({kPartySide, member}));
    case kJointAttack:
      MemberAnimation(kAnimJoint, member);
      return Strike(member, JointPower(member));
    case kMagic:
    case kJointMagic:
      MemberAnimation(game.battleActions[member].kind == kMagic ? kAnimMagic : kAnimJoint, member);
      return CastMemberMagic(member);
    case kFlee:
      RollFlee(member);
      return MemberAnimation(kAnimFlee, member);
    case kUse:
      MemberAnimation(kAnimUse, member);
      return UseItem(member);
    case kThrow:
      MemberAnimation(kAnimThrow, member);
      return ThrowItem(member);
    default:
      return;
  }
}

void ConfusedAct(int side, int slot) {
  if (game.runStatus) return;
  if (side == kPartySide) {
    game.battleActions[slot].target = kSelfTarget;
    MemberAnimation(kAnimAttack, slot);
  } else {
    EnemyAnimation(kEnemyStrikes, slot + kEnemySlots);
  }
  const uint16_t damage = ConfusedStrike({side, slot});
  ShowPopups('-', PopupValues{{damage, damage, damage}}, uint8_t(slot), side, false);
  if (side == kPartySide) {
    UpdatePose(slot);
  } else {
    DefeatTest(uint8_t(slot));
  }
}
