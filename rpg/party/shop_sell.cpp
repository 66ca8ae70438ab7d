#include "rpg/engine/choose_list.h"
#include "rpg/party/shop.h"

#include <optional>

#include "rpg/engine/game_state.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/inventory.h"
#include "rpg/party/item_list.h"
#include "rpg/party/item_record.h"
#include "rpg/party/quantity_dialog.h"

namespace {


// One sale of the inventory entry `at`: the checks, the dialog, the money.
void Sell(uint8_t at) {
  const InvEntry entry = game.inventory[at];
  const std::optional<ItemInfo> item = LookUpItem(entry.kind, entry.id);
  if (!item) return;
  if (item->flag != 0) {
    ShowMessage("不可卖物品！", kMessageTicks);
    return;
  }
  const uint8_t n = QuantityDialog(kSelling, entry.count, item->name, item->sellPrice);
  if (n == kBackOut) {
    ClearRect(12, 21, 147, 75);
    return;
  }
  game.money = MoneyAfterSale(game.money, uint64_t(item->sellPrice) * n);
  if (n >= entry.count) {
    ClearScreen();
  } else {
    ClearRect(12, 21, 147, 75);
  }
  InvRemove({entry.kind, entry.id, n});
}

}  // namespace

void SellMenu() {
  if (game.invCount == 0) {
    ShowMessage("没携带物品！", kMessageTicks);
    return;
  }
  ClearScreen();
  int selected = 0, scrollTop = 0;
  for (;;) {
    const uint8_t chosen =
        PickItem(kListSellPrice | kListCount, game.invCount, game.inventory, selected, &scrollTop);
    if (chosen == kBackOut) break;
    selected = chosen;
    Sell(chosen);
    if (game.runStatus) return;
  }
  if (!game.runStatus) PresentScene();
}
