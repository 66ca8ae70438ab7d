#include "rpg/engine/sprites.h"

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/sprite_clip.h"
#include "rpg/engine/sprite_images.h"
#include "rpg/format/actor_records.h"

namespace {

constexpr uint8_t kSmallGroup = rpgfmt::actor::kSmallGroup;
constexpr int kFramesPerFacing = rpgfmt::actor::kPosesPerFacing;

int FrameIndex(uint8_t facing, uint8_t step) {
  const int s = step == 3 ? 1 : step;
  return (facing - 1) * kFramesPerFacing + s;
}

void DrawSmall(const NpcRecord& npc, const SpriteFrame& f) {
  if (npc.x < game.viewX || npc.y < game.viewY) return;
  const int c = npc.x - game.viewX;
  const int r = npc.y - game.viewY;
  if (c >= kViewCols || r > kViewRows) return;
  std::span<const uint8_t> bits = f.bits;
  int h = f.sheet.height;
  if (r == 0) {
    // Only the lower half shows on the view's top row.
    bits = bits.subspan(bits.size() / 2);
    h /= 2;
  }
  const int lift = h - game.tileHeight;
  if (r == kViewRows) h /= 2;  // and only the upper half below the last row
  DrawFrameArea({bits, f.sheet.width, f.sheet.depth}, 0, 0, f.sheet.width, h,
                c * game.tileWidth + 8, r * game.tileHeight - lift, game.sceneCanvas);
  if (c == 4 && r == 2) DrawHero();
}

void DrawClipped(const NpcRecord& npc, const SpriteFrame& f) {
  const std::optional<ClipPlan> plan =
      PlanClippedSprite(uint8_t(npc.x - game.viewX), uint8_t(npc.y - game.viewY), f.sheet.width,
                        f.sheet.height, game.tileHeight);
  if (!plan) return;
  DrawFrameArea({f.bits, f.sheet.width, f.sheet.depth}, plan->srcX, plan->srcY, plan->width,
                plan->height, plan->destX, plan->destY, game.sceneCanvas);
  if (plan->heroAgain) DrawHero();
}

}  // namespace

std::optional<SpriteFrame> SheetFrame(uint16_t block, uint16_t offset, uint8_t facing,
                                      uint8_t step) {
  const std::optional<PicInfo> sheet = ReadPicHeader(LibBlockSpan(block, offset, "ACP"));
  if (game.runStatus || !sheet) return std::nullopt;
  const std::span<const uint8_t> bits = PicFrameBits(*sheet, FrameIndex(facing, step));
  if (bits.empty()) return std::nullopt;
  return SpriteFrame{*sheet, bits};
}

std::optional<SpriteFrame> ActorFrame(uint8_t slot) {
  if (slot >= kNpcSlots || !game.npcs[slot]) return std::nullopt;
  const NpcRecord& npc = *game.npcs[slot];
  return SheetFrame(npc.picBlock, npc.picOffset, npc.facing, npc.step);
}

void DrawHero() {
  if (game.runStatus || game.partyLeader >= kPartySlots) return;
  const PartySlot& leader = game.party[game.partyLeader];
  if (leader.header.id == 0) return;
  const std::optional<SpriteFrame> f = SheetFrame(leader.spriteBlock, leader.spriteOffset,
                                                  leader.header.facing, leader.header.step);
  if (!f) return;
  const int x = leader.header.viewCol * game.tileWidth + 8;
  const int y = leader.header.viewRow * game.tileHeight - (f->sheet.height - game.tileHeight);
  DrawFrameArea({f->bits, f->sheet.width, f->sheet.depth}, 0, 0, f->sheet.width, f->sheet.height,
                x, y, game.sceneCanvas);
}

void DrawNpc(uint8_t slot) {
  if (game.runStatus) return;
  const std::optional<SpriteFrame> f = ActorFrame(slot);
  if (!f) return;
  const NpcRecord& npc = *game.npcs[slot];
  if (npc.picGroup == kSmallGroup) {
    DrawSmall(npc, *f);
  } else {
    DrawClipped(npc, *f);
  }
}

void DrawAllNpcs() {
  for (uint8_t slot = 0; slot < kNpcSlots && !game.runStatus; ++slot) {
    if (game.npcs[slot]) DrawNpc(slot);
  }
}
