#include "rpg/battle/member_magic.h"

#include "rpg/battle/battle_effects.h"
#include "rpg/battle/defeat.h"
#include "rpg/battle/magic_popups.h"
#include "rpg/battle/popups.h"
#include "rpg/battle/poses.h"
#include "rpg/battle/rules/magic_damage.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/engine/effect_player.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"
#include "rpg/format/item_records.h"
#include "rpg/party/party_types.h"
#include "rpg/party/theft.h"

namespace {

namespace magicrec = rpgfmt::magicrec;
constexpr uint8_t kWholeScreenAnimation = 201;
constexpr uint8_t kKeepScene = 2;

void Harm(int member, const uint8_t* block, uint8_t target) {
  uint16_t hp[3], mp[3];
  const bool drains = MagicDamage(member, kEnemySide, block, hp, mp);
  ShowMagicLosses(hp, mp, target, kEnemySide);
  for (int e = 0; e < kEnemySlots; ++e) {
    if (target != kWholeSide && target != e) continue;
    PlayStatusEffects(ApplyEnemyMagicEffect(kHarm, block, hp[e], mp[e], e), {kEnemySide, e});
  }
  if (drains) ShowDrain(Drain({kPartySide, member}, target, hp, mp), {kPartySide, member});
}

void Help(uint8_t magicClass, const uint8_t* block, uint8_t target) {
  const uint16_t amount = MagicHpAmount(block);
  if (magicClass != kRevive && amount != 0) {
    ShowPopups('+', PopupValues{{amount, amount, amount}}, target, kPartySide, true);
  }
  for (int m = 0; m < kPartySlots; ++m) {
    if (target != kWholeSide && target != m) continue;
    PlayStatusEffects(ApplyMagicEffect(magicClass, block, 0, 0, m), {kPartySide, m});
  }
}

}  // namespace

void CastMemberMagic(int member) {
  if (game.runStatus) return;
  BattleAction& action = game.battleActions[member];
  const uint8_t magicClass = action.magic[0], target = action.target;
  const uint8_t* block = action.magic + magicrec::kEffect;
  TakeAway(&game.party[member].stats.mp, action.magic[magicrec::kMpCost]);
  const uint8_t animation = action.magic[magicrec::kAnimation];
  const int side = magicClass == kHarm || magicClass == kSpecial ? kEnemySide : kPartySide;
  if (animation < kWholeScreenAnimation) {
    PlayEffectOn(magicrec::kAnimationGroup, animation, target, side);
  } else {
    SaveScene();
    PlayEffect(magicrec::kAnimationGroup, animation, kKeepScene, 0, 0);
  }
  if (magicClass == kSpecial) {
    InvEntry stolen{};
    if (StealCheck(member, &stolen)) AnnounceTheft(stolen);
    return;
  }
  if (magicClass == kHarm) {
    Harm(member, block, target);
  } else {
    Help(magicClass, block, target);
  }
  if (target == kWholeSide) {
    RefreshPoses();
  } else {
    UpdatePose(target % kPartySlots);
  }
  if (magicClass == kHarm) DefeatTest(target);
}
