#include "rpg/engine/choose_list.h"
#include "rpg/party/shop.h"

#include <optional>

#include "rpg/engine/game_state.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/inventory.h"
#include "rpg/party/item_list.h"
#include "rpg/party/item_record.h"
#include "rpg/party/quantity_dialog.h"

namespace {


void DrawMoney() {
  ClearRect(61, 1, 158, 18);
  DrawString(60, 2, "金钱：");
  PrintInt(110, 3, game.money, 10, 0);
}

// One purchase of the chosen goods: the checks, the dialog, the payment.
void Buy(const InvEntry& goods) {
  const std::optional<ItemInfo> item = LookUpItem(goods.kind, goods.id);
  if (!item) return;
  if (game.money < item->buyPrice) {
    ShowMessage("金钱不足！", kMessageTicks);
    return;
  }
  const uint8_t at = InvFind(goods.kind, goods.id);
  if (at == kNotCarried && game.invCount >= kInventorySize) {
    ShowMessage("已满载！", kMessageTicks);
    return;
  }
  const int held = at == kNotCarried ? 0 : game.inventory[at].count;
  const uint8_t n = QuantityDialog(0, held, item->name, item->buyPrice);
  if (n != kBackOut) {
    game.money -= uint32_t(item->buyPrice) * n;
    InvAdd({goods.kind, goods.id, n});
  }
  ClearRect(12, 21, 147, 75);
}

}  // namespace

void BuyMenu(int mode, int count, const InvEntry* goods) {
  ClearScreen();
  int selected = 0, scrollTop = 0;
  for (;;) {
    DrawMoney();
    const uint8_t chosen = PickItem(mode, count, goods, selected, &scrollTop);
    if (chosen == kBackOut) break;
    selected = chosen;
    Buy(goods[chosen]);
    if (game.runStatus) return;
  }
  if (!game.runStatus) PresentScene();
}
