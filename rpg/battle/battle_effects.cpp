#include "rpg/battle/battle_effects.h"

#include "rpg/battle/popups.h"
#include "rpg/engine/effect_player.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"

namespace {

constexpr uint8_t kKeepScene = 2;
constexpr uint8_t kStatusEffects = 1;
constexpr uint8_t kFirstStatusEffect = 240;

}  // namespace

void PlayEffectOn(uint8_t id1, uint8_t id2, uint8_t target, int side) {
  if (game.runStatus) return;
  SaveScene();
  const EffectAt at = EffectOrigin(target, side);
  PlayEffect(id1, id2, kKeepScene, at.x, at.y);
}

void PlayStatusEffects(uint8_t bits, Combatant c) {
  for (int s = 0; s < kStatusCount && !game.runStatus; ++s) {
    if (bits & StatusBit(s)) PlayEffectOn(kStatusEffects, uint8_t(kFirstStatusEffect + s), uint8_t(c.slot), c.side);
  }
}
