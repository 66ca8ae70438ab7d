// The strips of a won battle: the experience and money gained, and each
// item announced as it is added.

#include <cstdio>

#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/message_strip.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/item_records.h"
#include "rpg/party/inventory.h"
#include "rpg/party/party_types.h"
#include "rpg/party/record_text.h"
#include "rpg/party/rewards.h"

namespace {

namespace ir = rpgfmt::itemrec;
constexpr uint8_t kItemType = 6;
constexpr int kGainsTicks = 5, kItemTicks = 2;

void StripLine(int line, const std::string& text) {
  const StripTextAt at = MessageStrip(line, int(text.size()));
  DrawString(at.x, at.y, text.c_str());
}

// `label`, `value` right-aligned in 5 characters, then `unit`.
std::string Amount(const char* label, unsigned value, const char* unit) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%5u", value);
  return std::string(label) + digits + unit;
}

}  // namespace

void AnnounceItem(const std::string& text, uint8_t kind, uint8_t id, uint8_t count) {
  if (game.runStatus) return;
  StripLine(2, text);
  InvAdd({kind, id, count});  // a full inventory loses the item
  WaitTicks(kItemTicks, true);
}

void ShowBattleGains() {
  if (game.runStatus) return;
  StripLine(0, Amount("获得经验", game.battleExp, ""));
  StripLine(1, Amount("战斗获得 ", game.battleMoney, "钱"));
  WaitTicks(kGainsTicks, true);
}

void ShowDrops() {
  for (const LootEntry& loot : game.battleLoot) {
    if (game.runStatus) return;
    if (loot.kind == 0) continue;
    const std::span<const uint8_t> item = LibRecord(kItemType, loot.kind, loot.id, ir::kSize);
    if (item.empty()) return;
    const std::string text = "得到 " + std::string(FieldText(&item[ir::kName], ir::kNameSize)) +
                             " x" + std::to_string(loot.count);
    AnnounceItem(text, loot.kind, loot.id, loot.count);
  }
}
