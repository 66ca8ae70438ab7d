#include "rpg/engine/npc_motion.h"

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/map_load.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprites.h"
#include "rpg/format/map.h"

namespace {

constexpr uint8_t kBadSlot = 7;
constexpr uint8_t kEmptySlot = 11;
constexpr int kWanderChoices = 200;

void RestoreUnder(const NpcRecord& npc) {
  RestoreTilesUnder(npc.x - game.viewX, npc.y - game.viewY);
}

bool IsHeroCell(int x, int y) {
  const ActorHeader& hero = game.party[game.partyLeader % kPartySlots].header;
  return x == hero.viewCol + game.viewX && y == hero.viewRow + game.viewY;
}

// A step in facing direction: 4 left, 2 right, 3 down, anything else up.
void StepFrom(uint8_t facing, int& x, int& y) {
  if (facing == 4) {
    --x;
  } else if (facing == 2) {
    ++x;
  } else if (facing == 3) {
    ++y;
  } else {
    --y;
  }
}

void Stop(NpcRecord& npc) {
  npc.targetX = npc.x;
  npc.targetY = npc.y;
  npc.mode = 3;
  npc.restCount = npc.restTime;
}

void ShowWholeScene() {
  DrawMap();
  DrawHero();
  DrawAllNpcs();
  PresentScene();
}

}  // namespace

int NpcAt(int x, int y) {
  for (int slot = 0; slot < kNpcSlots; ++slot) {
    const NpcRecord* npc = game.npcs[slot];
    if (npc && npc->x == x && npc->y == y) return slot + 1;
  }
  return 0;
}

void NpcTick() {
  for (uint8_t slot = 0; slot < kNpcSlots && !game.runStatus; ++slot) {
    if (!game.npcs[slot]) continue;
    const uint8_t mode = game.npcs[slot]->mode;
    if (mode == 1 || mode == 2) NpcWalkStep(slot);
    if (mode == 3) NpcRest(slot);
    if (mode == 4) NpcAnimate(slot);
  }
}

void NpcRest(uint8_t slot) {
  NpcRecord& npc = *game.npcs[slot];
  if (--npc.restCount != 0) return;
  const int r = Random() % kWanderChoices;
  npc.facing = uint8_t(r % 4 + 1);
  const int d = r % 5;
  // Byte arithmetic: a target left of or above the map wraps to 225 and more.
  if (npc.facing == 4) npc.targetX = uint8_t(npc.x - d);
  if (npc.facing == 2) npc.targetX = uint8_t(npc.x + d);
  if (npc.facing == 3) npc.targetY = uint8_t(npc.y + d);
  if (npc.facing == 1) npc.targetY = uint8_t(npc.y - d);
  RestoreUnder(npc);
  npc.mode = 2;
}

void NpcWalkStep(uint8_t slot) {
  NpcRecord& npc = *game.npcs[slot];
  if ((npc.x != npc.targetX || npc.y != npc.targetY) && npc.targetX < kNoTarget &&
      npc.targetY < kNoTarget) {
    int x = npc.x;
    int y = npc.y;
    StepFrom(npc.facing, x, y);
    const std::optional<MapCellBytes> cell = MapCellAt(x, y);
    if (cell && rpgfmt::NpcCanEnter(cell->tile) && !IsHeroCell(x, y) && NpcAt(x, y) == 0) {
      NpcAnimate(slot);
      npc.x = uint8_t(x);
      npc.y = uint8_t(y);
      return;
    }
  }
  Stop(npc);
}

void NpcAnimate(uint8_t slot) {
  NpcRecord& npc = *game.npcs[slot];
  RestoreUnder(npc);
  npc.step = uint8_t((npc.step + 1) % 4);
}

void EraseNpc(uint8_t slot) {
  if (slot >= kNpcSlots || !game.npcs[slot]) return;
  const NpcRecord& npc = *game.npcs[slot];
  const int c = npc.x - game.viewX;
  const int r = npc.y - game.viewY;
  RestoreTilesUnder(c, r);
  if (c == 4 && (r == 2 || r == 4)) DrawHero();
  PresentScene();
}

void MoveNpcTo(uint8_t slot, uint8_t x, uint8_t y) {
  if (game.runStatus) return;
  if (slot >= kNpcSlots || !game.npcs[slot]) {
    game.runStatus = slot >= kNpcSlots ? kBadSlot : kEmptySlot;
    return;
  }
  NpcRecord& npc = *game.npcs[slot];
  while (npc.x != x && !game.runStatus) {
    npc.facing = npc.x < x ? 2 : 4;
    npc.x = uint8_t(npc.x < x ? npc.x + 1 : npc.x - 1);
    npc.step = uint8_t((npc.step + 1) % 4);
    ShowWholeScene();
  }
  while (npc.y != y && !game.runStatus) {
    npc.facing = npc.y < y ? 3 : 1;
    npc.y = uint8_t(npc.y < y ? npc.y + 1 : npc.y - 1);
    npc.step = uint8_t((npc.step + 1) % 4);
    ShowWholeScene();
  }
}
