#include "rpg/party/theft.h"

#include <span>
#include <string>

#include "host/msg.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"
#include "rpg/party/party_types.h"
#include "rpg/party/record_text.h"
#include "rpg/party/rewards.h"

namespace {

constexpr uint8_t kTheftId = 1;
constexpr uint8_t kItemType = uint8_t(rpgfmt::ResType::kItemRecord);

}  // namespace

bool TheftSucceeds(uint8_t memberLuck, uint8_t enemyLuck, int r) {
  if (memberLuck == 0 || enemyLuck == 0) return false;
  const uint32_t u = uint32_t(r);
  const uint32_t x = u % memberLuck + 1;
  const uint32_t y = u % enemyLuck;
  const uint32_t z = u % (memberLuck > enemyLuck ? 3 : 2);
  return y < x && z != 0;
}

bool Steal(int slot, InvEntry* stolen) {
  const uint8_t target = game.battleActions[slot].target;
  const Combatant enemy{kEnemySide, target};
  if (game.runStatus || target >= kEnemySlots || !Occupied(enemy)) return false;
  EnemyRecord& e = game.enemies[target].record;
  if (e.stealCount == 0) return false;
  if (!TheftSucceeds(game.party[slot].stats.luck, e.luck, Random())) return false;
  --e.stealCount;
  *stolen = {e.stealKind, e.stealId, 1};
  return true;
}

bool StealCheck(int slot, InvEntry* stolen) {
  const uint8_t* magic = game.battleActions[slot].magic;
  return magic[0] == kSpecial && magic[1] == kTheftId && Steal(slot, stolen);
}

void AnnounceTheft(const InvEntry& stolen) {
  namespace ir = rpgfmt::itemrec;
  const std::span<const uint8_t> item = LibRecord(kItemType, stolen.kind, stolen.id, ir::kSize);
  if (item.empty()) return;
  AnnounceItem("偷得 " + std::string(FieldText(&item[ir::kName], ir::kNameSize)), stolen.kind,
               stolen.id, stolen.count);
}
