#include "rpg/party/magic_learning.h"

#include <span>

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/item_records.h"

namespace {

namespace mc = rpgfmt::magicchain;
constexpr uint8_t kMagicType = 4, kChainType = 12, kChainId1 = 1;
constexpr uint8_t kChainTooShort = 15, kDamaged = 2;

}  // namespace

const uint8_t* LearnMagic(int slot, uint8_t magicClass, uint8_t id) {
  if (game.runStatus) return nullptr;
  const std::span<const uint8_t> record =
      LibRecord(kMagicType, magicClass, id, rpgfmt::magicrec::kFixedSize);
  if (record.empty()) return nullptr;
  PartySlot& member = game.party[slot];
  // A full list learns nothing, so nothing is shown as learned either.
  if (member.magicCount >= mc::kMaxEntries) return nullptr;
  member.magic[member.magicCount++] = {magicClass, id};
  return record.data();
}

void LearnChain(int slot, uint8_t from, uint8_t to, LearnedHook learned) {
  if (game.runStatus || from == to) return;
  PartySlot& member = game.party[slot];
  const std::span<const uint8_t> chain = LibResource(kChainType, kChainId1, member.chainId);
  if (game.runStatus) return;
  if (chain.size() <= mc::kCount || chain[mc::kCount] < to) {
    game.runStatus = kChainTooShort;
    return;
  }
  if (chain.size() < mc::kEntries + std::size_t(to) * mc::kEntrySize) {
    game.runStatus = kDamaged;
    return;
  }
  for (int e = from; e < to && !game.runStatus; ++e) {
    const uint8_t* entry = chain.data() + mc::kEntries + e * mc::kEntrySize;
    const uint8_t* record = LearnMagic(slot, entry[mc::kEntryClass], entry[mc::kEntryId]);
    if (record && learned) learned(slot, record);
  }
  if (!game.runStatus) member.header.chainCount = to;
}
