#include "rpg/engine/actor_load.h"

#include <cstring>

#include "rpg/battle/enemy_load.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/library.h"
#include "rpg/format/records.h"
#include "rpg/party/party_slots.h"

namespace {

constexpr uint8_t kNotAddressable = 2;
constexpr uint8_t kBadKind = 5;
constexpr uint8_t kBadSlot = 7;
constexpr uint8_t kSlotPastTable = 9;
constexpr uint8_t kEmptySlot = 11;
constexpr uint8_t kSlotTaken = 12;

}  // namespace

void LoadActor(uint8_t slot, uint8_t kind, uint8_t no) {
  if (game.runStatus) return;
  const std::span<const uint8_t> rec = LibResource(uint8_t(rpgfmt::ResType::kActorRecord), kind, no);
  if (game.runStatus) return;
  if (kind == 1) {
    LoadPartyMember(slot, rec);
  } else if (kind == 2 || kind == 4) {
    LoadNpc(slot, rec);
  } else if (kind == 3) {
    LoadEnemy(slot, rec);
  } else {
    game.runStatus = kBadKind;
  }
}

void LoadNpc(uint8_t slot, std::span<const uint8_t> rec) {
  if (game.runStatus) return;
  if (slot >= kNpcSlots || !game.npcs[slot]) {
    game.runStatus = slot >= kNpcSlots ? kBadSlot : kEmptySlot;
    return;
  }
  if (rec.size() < rpgfmt::npcrec::kSize) {
    game.runStatus = kNotAddressable;
    return;
  }
  NpcRecord& npc = *game.npcs[slot];
  std::memcpy(&npc, rec.data(), rpgfmt::npcmem::kCopied);
  npc.restCount = npc.restTime;
  const uint8_t picture = rec[rpgfmt::npcrec::kPicture];
  game.npcPicNo[slot] = picture;
  ResKey key{uint8_t(rpgfmt::ResType::kActorSheet), npc.picGroup, picture, 0, 0};
  LibLookup(&key);
  if (game.runStatus) return;
  npc.picBlock = key.block;
  npc.picOffset = key.offset;
}

void AllocNpcSlot(uint8_t slot) {
  if (game.runStatus) return;
  if (slot >= kNpcSlots) {
    game.runStatus = kSlotPastTable;
    return;
  }
  if (game.npcs[slot]) {
    game.runStatus = kSlotTaken;
    return;
  }
  game.npcStore[slot] = NpcRecord{};
  game.npcs[slot] = &game.npcStore[slot];
}

void RemoveNpc(uint8_t slot) {
  if (game.runStatus) return;
  if (slot >= kNpcSlots || !game.npcs[slot]) {
    game.runStatus = slot >= kNpcSlots ? kBadSlot : kEmptySlot;
    return;
  }
  game.npcStore[slot] = NpcRecord{};
  game.npcs[slot] = nullptr;
}
