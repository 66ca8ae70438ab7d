// Commands on the inventory and the money. None fails on an item the party
// lacks: they branch. Money stays within 0 ... 99999.

#include <algorithm>
#include <cstring>

#include "rpg/engine/commands.h"
#include "rpg/engine/library.h"
#include "rpg/engine/message_box.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"
#include "rpg/party/inventory.h"

namespace cmd {
namespace {

constexpr uint64_t kMaxMoney = 99999;
constexpr uint8_t kItemType = uint8_t(rpgfmt::ResType::kItemRecord);

InvEntry Item(const Instruction& inst, uint8_t count) { return {Byte(inst, 0), Byte(inst, 1), count}; }

// "获得:" and the item's name from its record.
std::string GainedText(uint8_t kind, uint8_t id) {
  std::string text = "获得:";
  const auto record = LibRecord(kItemType, kind, id, rpgfmt::itemrec::kName + rpgfmt::itemrec::kNameSize);
  if (record.empty()) return text;
  const auto name = record.subspan(rpgfmt::itemrec::kName, rpgfmt::itemrec::kNameSize);
  return text.append(name.begin(), std::find(name.begin(), name.end(), 0));
}

}  // namespace

CommandResult GiveItem(const Instruction& inst) {
  if (InvAdd(Item(inst, 1)) == 0) {
    ShowMessage("已满载！", kMessageTicks);
  } else {
    const std::string text = GainedText(Byte(inst, 0), Byte(inst, 1));
    if (!game.runStatus) ShowMessage(text.c_str(), kMessageTicks);
  }
  return Next(inst);
}

CommandResult Take(const Instruction& inst) {
  const uint8_t at = InvFind(Byte(inst, 0), Byte(inst, 1));
  const uint8_t count = Byte(inst, 2);
  if (at == kNotCarried || game.inventory[at].count < count) return Jump(inst, 3);
  InvRemove(Item(inst, count));
  return Next(inst);
}

CommandResult TakeOne(const Instruction& inst) {
  return JumpIf(InvRemove(Item(inst, 1)) == 0, inst, 2);
}

CommandResult TakeAll(const Instruction& inst) {
  return JumpIf(InvRemove(Item(inst, kMaxItemCount)) == 0, inst, 2);
}

CommandResult IfCount(const Instruction& inst) {
  const uint8_t at = InvFind(Byte(inst, 0), Byte(inst, 1));
  if (at == kNotCarried) return Next(inst);
  const uint8_t held = game.inventory[at].count;
  if (held > Byte(inst, 2)) return Jump(inst, 4);
  if (held == Byte(inst, 2)) return Jump(inst, 3);
  return Next(inst);
}

CommandResult AddMoney(const Instruction& inst) {
  game.money = uint32_t(std::min<uint64_t>(uint64_t(game.money) + Num(inst, 0), kMaxMoney));
  return Next(inst);
}

CommandResult SubMoney(const Instruction& inst) {
  const uint32_t amount = Num(inst, 0);
  game.money = amount >= game.money ? 0 : game.money - amount;
  return Next(inst);
}

CommandResult SetMoney(const Instruction& inst) {
  game.money = uint32_t(std::min<uint64_t>(Num(inst, 0), kMaxMoney));
  return Next(inst);
}

CommandResult IfPoor(const Instruction& inst) { return JumpIf(Num(inst, 0) > game.money, inst, 1); }

}  // namespace cmd
