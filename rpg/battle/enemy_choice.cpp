#include "rpg/battle/enemy_choice.h"

#include <cstdint>
#include <cstring>
#include <span>

#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"

namespace {

namespace magicrec = rpgfmt::magicrec;
constexpr uint8_t kAttack = 1, kMagic = 2;
constexpr uint8_t kAllOfSide = 128;

bool Standing(int member) {
  return Occupied({kPartySide, member}) && game.party[member].stats.hp > 0;
}

bool EnemyPresent(int slot) { return Occupied({kEnemySide, slot}); }

// Slot t, or the next after it that `fits`, at most three tries.
uint8_t FirstFrom(int t, bool (*fits)(int)) {
  for (int step = 0; step < kEnemySlots; ++step) {
    if (fits((t + step) % kEnemySlots)) return uint8_t((t + step) % kEnemySlots);
  }
  return uint8_t(t);
}

// Tries the magic of entry x % magicCount; true when its target is settled.
bool TryMagic(int enemy, int x, BattleAction& action) {
  const EnemySlot& e = game.enemies[enemy];
  const uint8_t* entry = e.magic[x % e.record.magicCount];
  const std::span<const uint8_t> rec =
      LibRecord(uint8_t(rpgfmt::ResType::kMagicRecord), entry[0], entry[1], sizeof action.magic);
  if (game.runStatus) return true;
  std::memcpy(action.magic, rec.data(), sizeof action.magic);
  action.kind = kMagic;
  if (e.record.mp < rec[magicrec::kMpCost] || StatusesOf({kEnemySide, enemy}).On(kSeal)) {
    action.kind = kAttack;
    return false;
  }
  if (rec[magicrec::kTarget] < kAllOfSide) return false;
  action.target = kWholeSide;
  return true;
}

}  // namespace

void ChooseEnemyActionWith(int enemy, int r) {
  if (game.runStatus) return;
  BattleAction& action = game.battleActions[kPartySlots];
  const EnemyRecord& e = game.enemies[enemy].record;
  const int x = r % 100;
  action.kind = kAttack;
  if (x >= 100 - e.magicRate && e.magicCount != 0 && TryMagic(enemy, x, action)) return;
  const bool ownSide = action.kind == kMagic && action.magic[0] != kHarm;
  action.target = FirstFrom(x % kEnemySlots, ownSide ? EnemyPresent : Standing);
}
