#include "rpg/battle/poses.h"

#include "rpg/battle/rules/combatant.h"
#include "rpg/engine/game_state.h"

void UpdatePose(int member) {
  const Combatant c{kPartySide, member};
  if (!Occupied(c)) return;
  const CharStats& s = game.party[member].stats;
  uint8_t& pose = game.battleActions[member].pose;
  if (s.hp == 0) {
    pose = kPoseDown;
    StatusesOf(c) = StatusCounters{};
    if (!game.fallCounted[member]) {
      game.fallCounted[member] = 1;
      if (game.livingMembers > 0) --game.livingMembers;
    }
    return;
  }
  game.fallCounted[member] = 0;
  if (StatusesOf(c).On(kSleep) || s.hp < s.maxHp / 4) {
    pose = kPoseWeak;
  } else if (Guarding(c)) {
    pose = kPoseGuarding;
  } else {
    pose = kPoseStanding;
  }
}

void RefreshPoses() {
  for (int member = 0; member < kPartySlots; ++member) UpdatePose(member);
}
