#include "rpg/battle/scene.h"

#include "host/msg.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprite_images.h"

namespace {

constexpr uint32_t kFastTickMs = 1;
constexpr Point kBackgroundAt[3] = {{0, 0}, {66, 0}, {0, 61}};

}  // namespace

void FastGameTimer() { StartTimer(kGameTimer, kFastTickMs); }
void SlowGameTimer() { StartTimer(kGameTimer, kGameTickMs); }

// The scene's pictures are drawn over and over (every frame of an
// animation redraws the scene), so they go through cached images.
void DrawMember(int member, int frame, int x, int y) {
  DrawPicCached(kBattlePictures, kMemberPictures, game.party[member].header.id, frame,
                int16_t(x), int16_t(y));
}

std::optional<PicInfo> EnemyPicture(int slot) {
  if (!Occupied({kEnemySide, slot})) return std::nullopt;
  const EnemySlot& e = game.enemies[slot];
  return ReadPicHeader(LibBlockView(e.picBlock, e.picOffset, "ACP"));
}

Point EnemyCorner(int slot, const PicInfo& pic) {
  return {kEnemyAnchor[slot].x - pic.width / 6, kEnemyAnchor[slot].y - pic.height / 8};
}

void DrawEnemyAt(int slot, int frame, int x, int y) {
  if (game.runStatus) return;
  const std::optional<PicInfo> pic = EnemyPicture(slot);
  if (!pic) return;
  const std::span<const uint8_t> bits = PicFrameBits(*pic, frame);
  if (bits.empty()) return;
  DrawFrameArea({bits, pic->width, pic->depth}, 0, 0, pic->width, pic->height, x, y,
                game.sceneCanvas);
}

void DrawEnemy(int slot, int frame) {
  const std::optional<PicInfo> pic = EnemyPicture(slot);
  if (!pic) return;
  const Point at = EnemyCorner(slot, *pic);
  DrawEnemyAt(slot, frame, at.x, at.y);
}

void DrawBattleScene(uint8_t hideMembers, uint8_t hideEnemies) {
  for (int k = 0; k < 3; ++k) {
    DrawPicCached(kBattlePictures, kBackgrounds, game.encounterParams[k], 0,
                  int16_t(kBackgroundAt[k].x), int16_t(kBackgroundAt[k].y));
  }
  for (int k = 0; k < kPartySlots && !game.runStatus; ++k) {
    if (hideMembers & (1 << k) || !Occupied({kPartySide, k})) continue;
    DrawMember(k, game.battleActions[k].pose, kMemberAt[k].x, kMemberAt[k].y);
  }
  for (int k = 0; k < kEnemySlots && !game.runStatus; ++k) {
    if (!(hideEnemies & (1 << k))) DrawEnemy(k, 0);
  }
}
