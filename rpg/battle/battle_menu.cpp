#include "rpg/battle/battle_menu.h"

#include <cstdint>
#include <cstring>
#include <span>

#include "rpg/battle/battle_orders.h"
#include "rpg/battle/poses.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/scene.h"
#include "rpg/battle/status_view.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/pictures.h"

namespace {

constexpr char kEntries[] = "围攻道具防御逃跑状态";
constexpr int kEntryBytes = 4, kEntryCount = 5;
static_assert(sizeof kEntries - 1 == kEntryBytes * kEntryCount);
constexpr uint8_t kSiegeEntry = 0, kItemEntry = 1, kDefendEntry = 2, kFleeEntry = 3,
                  kStatusEntry = 4;
constexpr uint8_t kDefend = 5, kSiege = 6, kFlee = 7;
constexpr uint8_t kStrikesAllBit = 16;

void OrderSiege() {
  game.manualCommands = 0;
  for (int k = 0; k < kPartySlots; ++k) {
    if (!Occupied({kPartySide, k})) continue;
    game.battleActions[k].kind = kSiege;
    game.battleActions[k].target = StrikesAll(k) ? kWholeSide : 0;
  }
}

}  // namespace

bool StrikesAll(int member) { return game.party[member].stats.weaponFlags & kStrikesAllBit; }

bool BattleMenu(int i) {
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(kEntries), sizeof kEntries - 1);
  while (!game.runStatus) {
    const uint8_t chosen = ChooseFromList(10, 5, kEntryBytes, kEntryCount, text, 0, nullptr);
    DrawBattleScene(0, 0);
    PresentScene();
    switch (chosen) {
      case kSiegeEntry:
        OrderSiege();
        return true;
      case kItemEntry:
        if (ChooseItemOrder(i)) return true;
        break;
      case kDefendEntry:
        game.battleActions[i].kind = kDefend;
        game.battleActions[i].pose = kPoseGuarding;
        return true;
      case kFleeEntry:
        for (int k = i; k < kPartySlots; ++k) {
          if (Occupied({kPartySide, k})) game.battleActions[k].kind = kFlee;
        }
        return true;
      case kStatusEntry:
        BattleStatusView(i);
        break;
      default:
        return false;
    }
  }
  return false;
}
