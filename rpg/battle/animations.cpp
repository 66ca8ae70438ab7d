#include "rpg/battle/animations.h"

#include <algorithm>
#include <optional>

#include "rpg/battle/anim_paths.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"
#include "rpg/format/item_records.h"

namespace {

constexpr uint8_t kWholeScreenAnimation = 201;
constexpr int kWholeScreenSteps = 3;
constexpr uint8_t kEveryMember = 7;
constexpr int kFleeTicks = 5, kFleeEndTicks = 30;
constexpr int kFleeMaxX = 140, kFleeMaxY = 75;
constexpr int kEnemySteps = 6;
constexpr uint8_t kEnemyFrames[kEnemySteps] = {0, 2, 3, 4, 5, 6};
constexpr uint8_t kEnemyDelays[kEnemySteps] = {5, 10, 10, 15, 10, 20};
constexpr int kPlainEnemyDelay = 5;
// How far along its path a striking enemy is at each step, in eighths.
constexpr int kStrikeEighths[kEnemySteps] = {0, 2, 4, 6, 8, 8};
constexpr int kWideEnemy = 32;

bool Standing(int member) {
  return Occupied({kPartySide, member}) && game.party[member].stats.hp > 0;
}

int AttackPathOf(int member) {
  const uint8_t target = game.battleActions[member].target;
  if (target == kWholeSide) return 3;
  return std::min<int>(target, kSelfTarget);
}

void PlayRow(int row, int member, int steps) {
  const MemberRow& r = kMemberRowTable[row];
  const AttackPath* path = row == 0 ? &kAttackPathTable[member][AttackPathOf(member)] : nullptr;
  for (int k = 0; k < steps && !game.runStatus; ++k) {
    RestoreScene();
    const int x = r.x[member][k] + (path ? path->dx[k] : 0);
    const int y = r.y[member][k] + (path ? path->dy[k] : 0);
    DrawMember(member, r.frame[k], x, y);
    PresentScene();
    WaitTicks(r.delay[k], false);
  }
}

// The row an animation number plays, or -1.
int RowOf(int number) {
  switch (number) {
    case kAnimAttack: return 0;
    case kAnimMagic: return 1;
    case kAnimFlee: return 2;
    case kAnimUse: return 3;
    case kAnimThrow: return 4;
    default: return -1;
  }
}

// The point a striking enemy heads for: the attacked member's place, or its
// own anchor when it strikes itself.
Point StrikeGoal(int slot, bool self) {
  if (self) return {kEnemyAnchor[slot].x + 4, kEnemyAnchor[slot].y + 4};
  const uint8_t target = game.battleActions[kPartySlots].target;
  return kMemberAt[target < kPartySlots ? target : 1];
}

// Every standing member moves together over the scene without the party:
// `draw` draws member m at step k and gives the step's delay.
void PartySteps(int steps, int (*draw)(int m, int k)) {
  if (game.runStatus) return;
  FastGameTimer();
  DrawBattleScene(kEveryMember, 0);
  SaveScene();
  for (int k = 0; k < steps && !game.runStatus; ++k) {
    RestoreScene();
    int delay = 0;
    for (int m = 0; m < kPartySlots; ++m) {
      if (Standing(m)) delay = draw(m, k);
    }
    PresentScene();
    WaitTicks(delay, false);
  }
}

}  // namespace

void MemberAnimation(int number, int member) {
  if (game.runStatus) return;
  if (number == kAnimJoint) return JointAnimation();
  if (number == kAnimFlee && game.fled[member]) return FleeAnimation();
  const int row = RowOf(number);
  if (row < 0) return;
  const bool wholeScreen = number == kAnimMagic &&
                           game.battleActions[member].magic[5] >= kWholeScreenAnimation;
  FastGameTimer();
  DrawBattleScene(uint8_t(1 << member), 0);
  SaveScene();
  PlayRow(row, member, wholeScreen ? kWholeScreenSteps : kMemberRowTable[row].steps);
  if (wholeScreen) DrawBattleScene(kEveryMember, 0);
  SlowGameTimer();
}

void JointAnimation() {
  PartySteps(kJointSteps, [](int m, int k) {
    DrawMember(m, kJointFrame[k], kMemberAt[m].x + kJointDx[m][k], kMemberAt[m].y + kJointDy[m][k]);
    return int(kJointDelay[k]);
  });
  SlowGameTimer();
}

void FleeAnimation() {
  PartySteps(kFleeSteps, [](int m, int k) {
    const FleeStep at = FleePosition(m, k);
    if (at.x <= kFleeMaxX && at.y <= kFleeMaxY) DrawMember(m, 0, at.x, at.y);
    return kFleeTicks;
  });
  WaitTicks(kFleeEndTicks, false);
  SlowGameTimer();
}

void EnemyAnimation(int mode, int slot) {
  const bool self = slot >= kEnemySlots;
  slot %= kEnemySlots;
  const std::optional<PicInfo> pic = EnemyPicture(slot);
  if (game.runStatus || !pic) return;
  FastGameTimer();
  DrawBattleScene(0, uint8_t(1 << slot));
  SaveScene();
  const Point start = EnemyCorner(slot, *pic);
  const Point goal = StrikeGoal(slot, self);
  const bool manyFrames = pic->frames >= 3;
  for (int k = 0; k < kEnemySteps && !game.runStatus; ++k) {
    RestoreScene();
    Point at = start;
    if (mode == kEnemyCasts) {
      at = {start.x - 2 + 2 * std::min(k, 2), start.y - 2 + 2 * std::min(k, 2)};
    } else {
      at = {start.x + (goal.x - start.x) * kStrikeEighths[k] / 8,
            start.y + (goal.y - start.y) * kStrikeEighths[k] / 8};
      if (k >= 3 && !self) {
        at.x -= pic->width > kWideEnemy ? pic->width / 2 : pic->width;
        at.y -= pic->height / 4;
        if (at.x < 0) at.x = 2 * k;
      }
    }
    const int frame = manyFrames ? std::min<int>(kEnemyFrames[k], pic->frames - 1) : 0;
    DrawEnemyAt(slot, frame, at.x, at.y);
    // The attacked member stays in front of the enemy.
    const uint8_t target = game.battleActions[kPartySlots].target;
    if (mode == kEnemyStrikes && !self && target < kPartySlots && Occupied({kPartySide, target})) {
      DrawMember(target, game.battleActions[target].pose, kMemberAt[target].x, kMemberAt[target].y);
    }
    PresentScene();
    WaitTicks(manyFrames ? kEnemyDelays[k] : kPlainEnemyDelay, false);
  }
  SlowGameTimer();
}
