#include "rpg/party/inventory_list.h"

#include <algorithm>

#include "host/mem.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/heap_block.h"
#include "rpg/party/item_list.h"

namespace {

constexpr uint8_t kOutOfMemory = 1;
constexpr int kListMode = kListSellPrice | kListCount;

}  // namespace

uint8_t PickInventory(const InvEntry* entries, int count, const uint8_t* kinds, int kindCount,
                      int selected, int* scrollTop) {
  if (count < 0) count = 0;
  auto* listed = static_cast<InvEntry*>(MemAlloc(uint32_t(3 * count + 10)));
  auto* index = static_cast<uint8_t*>(MemAlloc(uint32_t(count + 10)));
  if (!listed || !index) {
    if (listed) FreeBlock(listed);
    if (index) FreeBlock(index);
    game.runStatus = kOutOfMemory;
    return kBackOut;
  }
  int n = 0, start = 0;
  for (int i = 0; i < count; ++i) {
    if (std::find(kinds, kinds + kindCount, entries[i].kind) == kinds + kindCount) continue;
    if (i <= selected) start = n;
    listed[n] = entries[i];
    index[n++] = uint8_t(i);
  }
  const uint8_t chosen = PickItem(kListMode, n, listed, start, scrollTop);
  const uint8_t result = chosen == kBackOut ? kBackOut : index[chosen];
  FreeBlock(listed);
  FreeBlock(index);
  return result;
}
