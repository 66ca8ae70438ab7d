#include "rpg/battle/popups.h"

#include "rpg/battle/poses.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/strikes.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/pictures.h"

namespace {

constexpr int kReactionSteps = 3;
constexpr int kRiseFrames = 6;
constexpr int kReactionTicks = 2;
constexpr int kRiseTicks = 5;
constexpr uint8_t kHurtFrame = 9;
constexpr uint8_t kAllSlots = 7;

bool Targeted(int slot, uint8_t target) { return target == kWholeSide || target == slot; }

Point PlaceOf(int side, int slot) {
  return side == kPartySide ? kMemberAt[slot] : kEnemyAnchor[slot];
}

uint8_t HurtFrame(int member) {
  if (game.party[member].stats.hp == 0) return kPoseDown;
  return Guarding({kPartySide, member}) ? kPoseGuarding : kHurtFrame;
}

// The target drawn (dx, dy) off its place.
void DrawTarget(char sign, int side, int slot, int dx, int dy) {
  if (side == kPartySide) {
    const uint8_t frame = sign == '-' ? HurtFrame(slot) : game.battleActions[slot].pose;
    DrawMember(slot, frame, kMemberAt[slot].x + dx, kMemberAt[slot].y + dy);
    return;
  }
  const std::optional<PicInfo> pic = EnemyPicture(slot);
  if (!pic) return;
  const Point at = EnemyCorner(slot, *pic);
  DrawEnemyAt(slot, 0, at.x + dx, at.y + dy);
}

// Step 1 ... 3 of a loss shakes members right and down, enemies left and
// up, 2 pixels a step; a gain stays in place; the last drawing stands 2
// pixels left of the place.
Point ReactionOffset(char sign, int side, int step) {
  if (step > kReactionSteps) return {-2, 0};
  if (sign != '-') return {0, 0};
  const int shift = side == kPartySide ? 2 * step : -2 * step;
  return {shift, shift};
}

void React(char sign, uint8_t target, int side) {
  const uint8_t hide = target == kWholeSide ? kAllSlots : uint8_t(1 << target);
  for (int step = 1; step <= kReactionSteps + 1 && !game.runStatus; ++step) {
    DrawBattleScene(side == kPartySide ? hide : 0, side == kEnemySide ? hide : 0);
    for (int slot = 0; slot < kPartySlots; ++slot) {
      if (!Targeted(slot, target) || !Occupied({side, slot})) continue;
      const Point off = ReactionOffset(sign, side, step);
      DrawTarget(sign, side, slot, off.x, off.y);
    }
    PresentScene();
    WaitTicks(kReactionTicks, false);
  }
}

}  // namespace

int ShowPopups(char sign, PopupValues values, uint8_t target, int side, bool sameForAll) {
  if (game.runStatus) return 0;
  FastGameTimer();
  React(sign, target, side);
  SaveScene();
  int shown = 0;
  for (int f = 0; f < kRiseFrames && !game.runStatus; ++f) {
    for (int slot = 0; slot < kPartySlots; ++slot) {
      const uint16_t value = sameForAll ? values.v[0] : values.v[slot];
      if (!Targeted(slot, target) || !Occupied({side, slot}) || value == 0) continue;
      const int x = PlaceOf(side, slot).x - 4, y = PlaceOf(side, slot).y + 6 - 2 * f;
      if (value == kMiss) {
        DrawPic(kBattlePictures, kInterface, kMissMark, 0, int16_t(x), int16_t(y));
        continue;
      }
      DrawPic(kBattlePictures, kInterface, sign == '-' ? kLossSign : kGainSign, 0, int16_t(x),
              int16_t(sign == '-' ? y - 2 : y));
      DrawNumber(int16_t(x + 7), int16_t(y), value, 1);
      if (f == 0) ++shown;
    }
    PresentScene();
    WaitTicks(kRiseTicks, true);
    RestoreScene();
  }
  SlowGameTimer();
  return target == kWholeSide ? shown : 1;
}

EffectAt EffectOrigin(uint8_t target, int side) {
  if (target == kWholeSide) return side == kPartySide ? EffectAt{30, 252} : EffectAt{236, 218};
  const Point p = PlaceOf(side, target % kPartySlots);
  return {uint8_t(p.x - 60), uint8_t(p.y - 50)};
}
