#include "rpg/party/equip_from_items.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/equip_places.h"
#include "rpg/party/inventory_list.h"
#include "rpg/party/item_record.h"
#include "rpg/party/member_names.h"
#include "rpg/party/party_types.h"

namespace {

constexpr uint8_t kWearableKinds[] = {6, 6, 5, 3, 7, 2, 4, 1};

void ClearNameList() { ClearRect(47, 14, 130, 70); }

// The party slot of the member to wear an item of that wearer mask, or
// 255: "不能装备！" when nobody may, the names to choose from when several may.
uint8_t ChooseWearer(uint8_t wearers) {
  std::vector<uint8_t> able;
  for (uint8_t slot : MemberSlots()) {
    if (MayWear(wearers, game.party[slot].header.id)) able.push_back(slot);
  }
  if (able.empty()) {
    ShowMessage("不能装备！", kMessageTicks);
    return kBackOut;
  }
  if (able.size() == 1) return able[0];
  const uint8_t pick =
      ChooseFromList(48, 15, kListNameBytes, int(able.size()), PackedMemberNames(able), 0, nullptr);
  if (pick == kBackOut) {
    ClearNameList();
    return kBackOut;
  }
  return able[pick];
}

// One item chosen from the list, kept as it was chosen: taking it out of
// the inventory moves the last entry into its place.
void Wear(const InvEntry entry) {
  const std::optional<ItemInfo> item = LookUpItem(entry.kind, entry.id);
  if (!item) return;
  const uint8_t slot = ChooseWearer(item->wearers);
  if (slot == kBackOut) return;
  const int place = PlaceForKind(entry.kind, game.party[slot].equipment);
  if (place < 0) return;
  if (game.party[slot].equipment.place[PlaceAt(place).slot] == entry.id) {
    ShowMessage("已装备！", kMessageTicks);
    ClearNameList();
    return;
  }
  OfferEquipment(slot, place, entry);
  ClearScreen();
}

}  // namespace

void EquipFromItems() {
  int selected = 0, scrollTop = 0;
  while (!game.runStatus) {
    const uint8_t chosen = PickInventory(game.inventory, game.invCount, kWearableKinds,
                                         int(std::size(kWearableKinds)), selected, &scrollTop);
    if (chosen == kBackOut) return;
    selected = chosen;
    Wear(game.inventory[chosen]);
  }
}
