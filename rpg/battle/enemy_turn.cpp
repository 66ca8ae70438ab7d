#include "rpg/battle/enemy_turn.h"

#include "host/msg.h"
#include "rpg/battle/animations.h"
#include "rpg/battle/battle_effects.h"
#include "rpg/battle/enemy_choice.h"
#include "rpg/battle/magic_popups.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/poses.h"
#include "rpg/battle/rules/magic_damage.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/battle/rules/strikes.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"
#include "rpg/format/item_records.h"

namespace {

namespace magicrec = rpgfmt::magicrec;
constexpr uint8_t kAttack = 1, kMagic = 2, kDefend = 5;
constexpr int kLuckyGuardFrom = 91;

bool Aimed(uint8_t target, int slot) { return target == kWholeSide || target == slot; }

// Each member the action is numbered for may guard by luck, 9 in 100,
// unless confused, asleep or defending.
bool RollLuckyGuards(uint8_t target) {
  bool any = false;
  for (int m = 0; m < kPartySlots; ++m) {
    const StatusCounters& s = StatusesOf({kPartySide, m});
    if (!Aimed(target, m) || !Occupied({kPartySide, m}) || s.On(kConfusion) || s.On(kSleep) ||
        game.battleActions[m].kind == kDefend) {
      continue;
    }
    game.guarded[m] = Random() % 100 >= kLuckyGuardFrom;
    any = any || game.guarded[m];
    UpdatePose(m);
  }
  return any;
}

void Strike(int enemy) {
  EnemyAnimation(kEnemyStrikes, enemy);
  const uint8_t target = game.battleActions[kPartySlots].target;
  const EnemyHit hit = EnemyStrike(enemy);
  ShowPopups('-', PopupValues{{hit.damage, hit.damage, hit.damage}}, target, kPartySide, false);
  if (target < kPartySlots) {
    UpdatePose(target);
    PlayStatusEffects(hit.statuses, {kPartySide, target});
  }
}

}  // namespace

void DrawPartyUnguarded() {
  uint8_t kinds[kPartySlots];
  for (int m = 0; m < kPartySlots; ++m) {
    kinds[m] = game.battleActions[m].kind;
    game.battleActions[m].kind = kAttack;
  }
  RefreshPoses();
  DrawBattleScene(0, 0);
  PresentScene();
  for (int m = 0; m < kPartySlots; ++m) game.battleActions[m].kind = kinds[m];
}

void CastEnemyMagic(int enemy) {
  if (game.runStatus) return;
  const BattleAction& action = game.battleActions[kPartySlots];
  const uint8_t magicClass = action.magic[0], target = action.target;
  const uint8_t* block = action.magic + magicrec::kEffect;
  TakeAway(&game.enemies[enemy].record.mp, action.magic[magicrec::kMpCost]);
  const int side = magicClass == kHarm ? kPartySide : kEnemySide;
  EnemyAnimation(kEnemyCasts, enemy);
  PlayEffectOn(magicrec::kAnimationGroup, action.magic[magicrec::kAnimation], target, side);
  if (magicClass == kHarm) {
    uint16_t hp[3], mp[3];
    const bool drains = MagicDamage(enemy, kPartySide, block, hp, mp);
    ShowMagicLosses(hp, mp, target, kPartySide);
    for (int m = 0; m < kPartySlots; ++m) {
      if (Aimed(target, m)) {
        PlayStatusEffects(ApplyMagicEffect(kHarm, block, hp[m], mp[m], m), {kPartySide, m});
      }
    }
    RefreshPoses();
    if (drains) ShowDrain(Drain({kEnemySide, enemy}, target, hp, mp), {kEnemySide, enemy});
    return;
  }
  if (magicClass < kHarm || magicClass > kRevive) return;
  const uint16_t amount = MagicHpAmount(block);
  if (magicClass != kRevive && amount != 0) {
    ShowPopups('+', PopupValues{{amount, amount, amount}}, target, kEnemySide, true);
  }
  for (int e = 0; e < kEnemySlots; ++e) {
    if (Aimed(target, e)) {
      PlayStatusEffects(ApplyEnemyMagicEffect(magicClass, block, 0, 0, e), {kEnemySide, e});
    }
  }
}

void DoEnemyTurn(int enemy) {
  if (game.runStatus) return;
  ChooseEnemyAction(enemy);
  if (game.runStatus) return;
  const bool guards = RollLuckyGuards(game.battleActions[kPartySlots].target);
  if (game.battleActions[kPartySlots].kind == kMagic) {
    CastEnemyMagic(enemy);
  } else {
    Strike(enemy);
  }
  for (uint8_t& g : game.guarded) g = 0;
  if (guards) DrawPartyUnguarded();
}
