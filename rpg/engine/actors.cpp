#include "rpg/engine/actors.h"

#include "rpg/engine/actor_load.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/parking.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprites.h"
#include "rpg/party/party_slots.h"

namespace {

constexpr uint8_t kBadKind = 5;

// A member who was parked or saved comes back with its progress; any other
// is loaded fresh from the library.
void PlaceMember(uint8_t no, uint8_t x, uint8_t y) {
  uint8_t slot;
  if (RestoreParkedMember(no)) {
    slot = MemberSlot(no);
  } else {
    slot = FindFreeMemberSlot();
    LoadActor(slot, 1, no);
  }
  if (game.runStatus) return;
  game.party[slot].header.viewCol = x;
  game.party[slot].header.viewRow = y;
  if (slot == game.partyLeader) DrawHero();
}

void PlaceNpc(uint8_t slot, uint8_t kind, uint8_t no, uint8_t x, uint8_t y) {
  AllocNpcSlot(slot);
  LoadActor(slot, kind, no);
  if (game.runStatus) return;
  NpcRecord& npc = *game.npcs[slot];
  npc.x = npc.targetX = x;
  npc.y = npc.targetY = y;
  DrawNpc(slot);
}

}  // namespace

void PlaceActor(uint8_t slot, uint8_t kind, uint8_t no, uint8_t x, uint8_t y) {
  if (game.runStatus) return;
  if (kind == 1) {
    PlaceMember(no, x, y);
  } else if (kind == 2 || kind == 4) {
    PlaceNpc(slot, kind, no, x, y);
  } else {
    game.runStatus = kBadKind;
  }
  if (!game.runStatus) PresentScene();
}
