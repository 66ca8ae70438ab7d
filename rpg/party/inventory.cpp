#include "rpg/party/inventory.h"

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/library.h"
#include "rpg/format/records.h"
#include "rpg/party/event_flags.h"

uint8_t InvFind(uint8_t kind, uint8_t id) {
  for (uint8_t i = 0; i < game.invCount; ++i) {
    if (game.inventory[i].kind == kind && game.inventory[i].id == id) return i;
  }
  return kNotCarried;
}

int InvAdd(const InvEntry& entry) {
  const uint8_t at = InvFind(entry.kind, entry.id);
  if (at != kNotCarried) {
    const int sum = game.inventory[at].count + entry.count;
    game.inventory[at].count = uint8_t(sum >= kMaxItemCount ? kMaxItemCount : sum);
    return 2;
  }
  if (game.invCount >= kInventorySize) return 0;
  game.inventory[game.invCount++] = entry;
  return 1;
}

int InvRemove(const InvEntry& entry) {
  const uint8_t at = InvFind(entry.kind, entry.id);
  if (at == kNotCarried) return 0;
  if (game.inventory[at].count > entry.count) {
    game.inventory[at].count = uint8_t(game.inventory[at].count - entry.count);
    return 1;
  }
  game.inventory[at] = game.inventory[game.invCount - 1];
  --game.invCount;
  return 2;
}

void SetItemFlag(uint8_t kind, uint8_t id, int set) {
  if (game.runStatus) return;
  const std::span<const uint8_t> item =
      LibRecord(uint8_t(rpgfmt::ResType::kItemRecord), kind, id, rpgfmt::itemrec::kSize);
  if (game.runStatus) return;
  const uint16_t flag = codec::LoadLe<uint16_t>(item.data() + rpgfmt::itemrec::kFlag);
  if (flag == 0) return;
  if (set) {
    SetEventFlag(flag);
  } else {
    ClearEventFlag(flag);
  }
}
