#include "rpg/battle/round.h"

#include "rpg/battle/enemy_turn.h"
#include "rpg/battle/member_actions.h"
#include "rpg/battle/order_check.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/poses.h"
#include "rpg/battle/rules/statuses.h"
#include "rpg/battle/turn_order.h"
#include "rpg/engine/game_state.h"

namespace {

void GainPopups(Regain r, int member) {
  for (uint16_t amount : {r.hp, r.mp}) {
    if (amount != 0) ShowPopups('+', PopupValues{{amount, amount, amount}}, uint8_t(member), kPartySide, true);
  }
}

// Poison, then the countdown, at the end of a combatant's turn.
void EndOfTurn(Combatant c) {
  const uint16_t poison = PoisonTick(c);
  if (poison != 0) ShowPopups('-', PopupValues{{poison, poison, poison}}, uint8_t(c.slot), c.side, true);
  TickStatuses(c);
}

void Act(Combatant c) {
  const StatusCounters& s = StatusesOf(c);
  if (s.On(kSleep)) return;
  if (s.On(kConfusion)) return ConfusedAct(c.side, c.slot);
  if (c.side == kPartySide) return DoMemberAction(c.slot);
  DoEnemyTurn(c.slot);
}

bool Standing(int member) { return Occupied({kPartySide, member}) && game.party[member].stats.hp > 0; }

uint8_t MemberTurn(int member) {
  if (!AnyEnemyLeft() || CheckOrder(member)) return kBattleWon;
  if (!Standing(member)) return kBattleOn;
  GainPopups(Regenerate(member), member);
  Act({kPartySide, member});
  if (game.fled[member]) {
    for (PartySlot& m : game.party) {
      if (m.header.id != 0 && m.stats.hp == 0) m.stats.hp = 1;
    }
    return kBattleFled;
  }
  if (Standing(member)) EndOfTurn({kPartySide, member});
  return kBattleOn;
}

uint8_t EnemyTurn(int enemy) {
  if (!AnyMemberStanding()) return kBattleLost;
  if (!Occupied({kEnemySide, enemy})) return kBattleOn;
  Act({kEnemySide, enemy});
  if (Occupied({kEnemySide, enemy})) EndOfTurn({kEnemySide, enemy});
  return kBattleOn;
}

}  // namespace

bool AnyEnemyLeft() {
  for (int e = 0; e < kEnemySlots; ++e) {
    if (Occupied({kEnemySide, e})) return true;
  }
  return false;
}

bool AnyMemberStanding() {
  for (int m = 0; m < kPartySlots; ++m) {
    if (Standing(m)) return true;
  }
  return false;
}

uint8_t RunRound() {
  const TurnOrder order = ComputeTurnOrder();
  RefreshPoses();
  for (uint8_t who : order) {
    if (who == kNoTurn) continue;
    const uint8_t result = who < kEnemyTurn ? MemberTurn(who) : EnemyTurn(who - kEnemyTurn);
    if (game.runStatus) return kBattleRunError;
    if (result != kBattleOn) return result;
  }
  if (!AnyMemberStanding()) return kBattleLost;
  if (!AnyEnemyLeft()) return kBattleWon;
  DrawPartyUnguarded();
  return kBattleOn;
}
