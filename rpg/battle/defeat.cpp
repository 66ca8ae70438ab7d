#include "rpg/battle/defeat.h"

#include <optional>

#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/drops.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/effect_player.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"
#include "rpg/format/library.h"

namespace {

constexpr uint8_t kDefeatEffectGroup = 1, kDefeatEffect = 249, kFallbackEffect = 1;
constexpr uint8_t kKeyEndsKeptScene = 3;

bool EffectPresent(uint8_t id2) {
  const bool found = !LibResource(uint8_t(rpgfmt::ResType::kAnimation), kDefeatEffectGroup, id2).empty();
  game.runStatus = 0;
  return found;
}

}  // namespace

void DefeatTest(uint8_t target) {
  for (int slot = 0; slot < kEnemySlots; ++slot) {
    if (target == kWholeSide || target == slot) RollDrop(slot);
  }
}

void ShowDefeat() {
  if (game.runStatus) return;
  const std::optional<PicInfo> pic =
      ReadPicHeader(LibResource(kBattlePictures, kInterface, kDefeatPicture));
  game.runStatus = 0;
  if (pic) {
    DrawPic(kBattlePictures, kInterface, kDefeatPicture, 0, int16_t((159 - pic->width) / 2),
            int16_t((96 - pic->height) / 2));
  }
  PresentScene();
  SaveScene();
  // A missing effect would end at once every time: wait for a key instead.
  if (EffectPresent(kDefeatEffect) || EffectPresent(kFallbackEffect)) {
    while (!game.runStatus && PlayEffect(kDefeatEffectGroup, kDefeatEffect, kKeyEndsKeptScene, 0, 0) == kNoKey) {
    }
  } else {
    WaitKeyDown();
  }
  for (PartySlot& member : game.party) {
    if (member.header.id != 0 && member.stats.hp == 0) member.stats.hp = 1;
  }
}
