#include "rpg/battle/battle_orders.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

#include "host/msg.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/battle/scene.h"
#include "rpg/battle/target_select.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/pictures.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"
#include "rpg/party/equip_from_items.h"
#include "rpg/party/inventory_list.h"
#include "rpg/party/item_record.h"
#include "rpg/party/magic_list.h"

namespace {

namespace magicrec = rpgfmt::magicrec;
constexpr uint8_t kNone = 0, kMagic = 2, kUse = 8, kThrow = 9;
constexpr uint8_t kAllOfSide = 128;
constexpr uint8_t kChosenTargetBelow = 16;  // effect byte 6 below this: a target is chosen

constexpr char kItemEntries[] = "装备投掷使用";
constexpr int kItemEntryBytes = 4, kItemEntryCount = 3;
static_assert(sizeof kItemEntries - 1 == kItemEntryBytes * kItemEntryCount);
constexpr uint8_t kEquipEntry = 0, kThrowEntry = 1;

// The action's item part: kind, id, power, name, a spare byte, the block.
constexpr int kItemPower = 2, kItemName = 3, kItemNameBytes = 12, kItemBlock = 16;

// "真气不足!" while the game timer rests, so no blink runs under it.
void ShowShortOfMp() {
  StopTimer(kGameTimer);
  ShowMessage("真气不足!", kMessageTicks);
  SlowGameTimer();
}

void FillItemPart(BattleAction& action, const ItemInfo& item, uint8_t id) {
  std::memset(action.item, 0, sizeof action.item);
  action.item[0] = item.kind;
  action.item[1] = id;
  action.item[kItemPower] = item.weaponPower;
  std::copy_n(item.name.begin(), std::min<size_t>(item.name.size(), kItemNameBytes),
              action.item + kItemName);
  std::copy_n(item.effect.begin(), std::min<size_t>(item.effect.size(), 8), action.item + kItemBlock);
}

// The item list of the chosen entry and its order; nullopt when the list was
// left without a choice, else whether a target was settled.
std::optional<bool> OrderItem(int i, bool thrown) {
  static constexpr uint8_t kThrowKinds[] = {8, 7}, kUseKinds[] = {9, 10, 11, 12};
  const uint8_t* kinds = thrown ? kThrowKinds : kUseKinds;
  const int kindCount = thrown ? (game.throwHandHeld ? 2 : 1) : 4;
  int top = 0;
  const uint8_t chosen = PickInventory(game.inventory, game.invCount, kinds, kindCount, 0, &top);
  if (chosen == kBackOut || game.runStatus) return std::nullopt;
  const InvEntry entry = game.inventory[chosen];
  const std::optional<ItemInfo> item = LookUpItem(entry.kind, entry.id);
  if (!item) return std::nullopt;
  BattleAction& action = game.battleActions[i];
  FillItemPart(action, *item, entry.id);
  action.kind = thrown ? kThrow : kUse;
  action.target = item->effect[6] >= kChosenTargetBelow
                      ? kWholeSide
                      : SelectTarget(thrown ? kEnemySide : kPartySide, i, kPurposeItem);
  return action.target != kBackOut;
}

}  // namespace

uint8_t MagicTarget(int i, const uint8_t* magic, int purpose) {
  if (magic[magicrec::kTarget] >= kAllOfSide) return kWholeSide;
  const bool atEnemies = magic[0] == kHarm || magic[0] == kSpecial;
  return SelectTarget(atEnemies ? kEnemySide : kPartySide, i, purpose);
}

bool ChooseMagic(int i) {
  int selected = 0;
  while (!game.runStatus) {
    PartySlot& member = game.party[i];
    const uint8_t chosen = PickMagic(member.magic, member.magicCount, selected);
    DrawBattleScene(0, 0);
    PresentScene();
    if (chosen == kBackOut || game.runStatus) return false;
    selected = chosen;
    const MagicEntry entry = member.magic[chosen];
    BattleAction& action = game.battleActions[i];
    const std::span<const uint8_t> rec = LibRecord(uint8_t(rpgfmt::ResType::kMagicRecord),
                                                   entry.magicClass, entry.id, sizeof action.magic);
    if (game.runStatus) return false;
    if (rec[magicrec::kMpCost] > member.stats.mp) {
      ShowShortOfMp();
      continue;
    }
    std::memcpy(action.magic, rec.data(), sizeof action.magic);
    action.kind = kMagic;
    action.target = MagicTarget(i, action.magic, kPurposeMagic);
    if (action.target != kBackOut) return true;
  }
  return false;
}

bool ChooseItemOrder(int i) {
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(kItemEntries),
                                      sizeof kItemEntries - 1);
  while (!game.runStatus) {
    const uint8_t chosen = ChooseFromList(30, 15, kItemEntryBytes, kItemEntryCount, text, 0, nullptr);
    if (chosen == kEquipEntry) EquipFromItems();
    DrawBattleScene(0, 0);
    PresentScene();
    if (chosen == kEquipEntry) return false;
    const std::optional<bool> ordered =
        chosen == kBackOut ? std::nullopt : OrderItem(i, chosen == kThrowEntry);
    if (!ordered) {
      game.battleActions[i].kind = kNone;
      return false;
    }
    if (*ordered) return true;
  }
  return false;
}
