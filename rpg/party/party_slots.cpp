#include "rpg/party/party_slots.h"

#include <algorithm>
#include <cstring>

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/library.h"
#include "rpg/format/records.h"

namespace {

constexpr uint8_t kNoSlot = 255;
constexpr uint8_t kFreeId = 0;  // the character id of a free slot
constexpr uint8_t kMemberError = 7;
constexpr uint8_t kNotAddressable = 2;

namespace sheet = rpgfmt::charsheet;
namespace chainrec = rpgfmt::magicchain;

// Copies the member's first magics from its chain: as many as its header has
// learned, but no more than the chain holds or the list keeps.
void LoadMagicList(PartySlot& member) {
  const std::span<const uint8_t> chain =
      LibResource(uint8_t(rpgfmt::ResType::kMagicList), 1, member.chainId);
  if (game.runStatus) return;
  if (chain.size() <= chainrec::kCount) {
    game.runStatus = kNotAddressable;
    return;
  }
  const std::size_t count = std::min<std::size_t>(
      {member.header.chainCount, chain[chainrec::kCount], kMagicListSaved});
  if (chain.size() < chainrec::kEntries + count * chainrec::kEntrySize) {
    game.runStatus = kNotAddressable;
    return;
  }
  std::memcpy(member.magic, chain.data() + chainrec::kEntries, count * chainrec::kEntrySize);
  member.magicCount = uint8_t(count);
}

// The first slot whose character id is `id` (0: the first free one).
uint8_t SlotHolding(uint8_t id) {
  for (uint8_t s = 0; s < kPartySlots; ++s) {
    if (game.party[s].header.id == id) return s;
  }
  return kNoSlot;
}

}  // namespace

uint8_t MemberSlot(uint8_t id) { return id == kFreeId ? kNoSlot : SlotHolding(id); }

uint8_t FindFreeMemberSlot() {
  if (game.runStatus) return kNoSlot;
  const uint8_t slot = SlotHolding(kFreeId);
  if (slot == kNoSlot) {
    game.runStatus = kMemberError;
    return kNoSlot;
  }
  AllocMemberBlocks(slot);
  return slot;
}

void AllocMemberBlocks(uint8_t slot) {
  if (slot >= kPartySlots) return;
  PartySlot& member = game.party[slot];
  std::memset(member.name, 0, sizeof member.name);
  member.stats = {};
  member.equipment = {};
  std::memset(member.magic, 0, sizeof member.magic);
  member.magicCount = 0;
}

void LoadPartyMember(uint8_t slot, std::span<const uint8_t> rec) {
  if (game.runStatus) return;
  if (slot >= kPartySlots) {
    game.runStatus = kMemberError;
    return;
  }
  if (rec.size() < sheet::kSize) {
    game.runStatus = kNotAddressable;
    return;
  }
  PartySlot& member = game.party[slot];
  std::memcpy(&member.header, rec.data() + rpgfmt::actor::kPicGroup, sheet::kHeaderSize);
  std::memset(member.name, 0, sizeof member.name);
  std::memcpy(member.name, rec.data() + sheet::kName, sheet::kNameSize);
  std::memcpy(&member.equipment, rec.data() + sheet::kEquipment, rpgfmt::equipment::kSize);
  std::memcpy(&member.stats, rec.data() + sheet::kStats, rpgfmt::charstats::kSize);
  member.chainId = rec[sheet::kChain];
  member.magicCount = 0;
  const uint8_t picture = rec[sheet::kSprite];
  game.memberPicNo[slot] = picture;
  ResKey key{uint8_t(rpgfmt::ResType::kActorSheet), 1, picture, 0, 0};
  LibLookup(&key);
  if (game.runStatus) return;
  member.spriteBlock = key.block;
  member.spriteOffset = key.offset;
  if (member.chainId != 0) LoadMagicList(member);
}

void RemoveMember(uint8_t id) {
  if (game.runStatus) return;
  const uint8_t slot = MemberSlot(id);
  if (slot == kNoSlot) {
    game.runStatus = kMemberError;
    return;
  }
  game.party[slot].header.id = 0;
  AllocMemberBlocks(slot);
}

void SetLeader(uint8_t id) {
  if (game.runStatus) return;
  const uint8_t slot = MemberSlot(id);
  if (slot == kNoSlot) {
    game.runStatus = kMemberError;
    return;
  }
  game.partyLeader = slot;
}
