// The shop commands: buying from the goods the script lists, selling from
// the inventory.

#include <vector>

#include "rpg/engine/commands.h"
#include "rpg/party/party_types.h"
#include "rpg/party/shop.h"

namespace cmd {

CommandResult Shop(const Instruction& inst) {
  const rpgfmt::Operand& list = inst.operands[0];
  std::vector<InvEntry> goods;
  for (std::size_t i = 0; i < rpgfmt::GoodsCount(list); ++i) {
    const rpgfmt::GoodsEntry g = rpgfmt::GoodsAt(list, i);
    goods.push_back({g.kind, g.id, 0});
  }
  BuyMenu(0, int(goods.size()), goods.data());
  return Next(inst);
}

CommandResult Sell(const Instruction& inst) {
  SellMenu();
  return Next(inst);
}

}  // namespace cmd
