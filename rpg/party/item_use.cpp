#include "rpg/party/item_use.h"

#include <array>
#include <optional>

#include "host/msg.h"
#include "rpg/battle/rules/item_effect.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/numbers.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/script.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"
#include "rpg/party/inventory.h"
#include "rpg/party/inventory_list.h"
#include "rpg/party/item_record.h"
#include "rpg/party/member_view.h"
#include "rpg/party/party_types.h"

namespace {

constexpr uint8_t kBattleItem = 8, kRestorative = 9, kRevive = 10, kLastingGain = 11,
                  kBattleItem2 = 12, kEventItem = 13, kKeyItem = 14;
constexpr uint8_t kUsableKinds[] = {8, 9, 10, 11, 12, 13, 14};
constexpr int kWholePartyByte = 6;
constexpr uint8_t kWholePartyBit = 0x10;
constexpr int kMapEvent = 255;

using EffectBlock = std::array<uint8_t, 8>;

// One item of `kind` used: on every member, on the shown one, or (a revive)
// on none.
void ApplyOnce(uint8_t kind, const EffectBlock& block, const MemberView& view) {
  static constexpr EffectBlock kNothing{};
  const bool wholeParty = (block[kWholePartyByte] & kWholePartyBit) &&
                          (kind == kRestorative || kind == kLastingGain);
  if (wholeParty) {
    for (uint8_t slot : view.slots()) {
      ApplyItemEffect(kind, kNothing.data(), block.data(), &game.party[slot].stats);
    }
  } else if (kind != kRevive) {
    ApplyItemEffect(kind, kNothing.data(), block.data(), &game.party[view.slot()].stats);
  }
}

void DrawCount(int count) {
  ClearRect(15, 34, 36, 60);
  PrintInt(15, 34, uint32_t(count), 10, 0);
}

}  // namespace

uint8_t UseItemOn(const InvEntry& entry) {
  const InvEntry chosen = entry;  // the inventory may move under `entry`
  if (chosen.kind == kEventItem) {
    if (RunEvent(kMapEvent) != 1) return 1;
    ShowMessage("无效！", kMessageTicks);
    return 0;
  }
  const std::optional<ItemInfo> item = LookUpItem(chosen.kind, chosen.id);
  if (!item) return 0;
  MemberView view(4, 94);
  if (view.empty()) return 0;
  EffectBlock block;
  std::copy(item->effect.begin(), item->effect.end(), block.begin());
  ClearRect(0, 0, 36, 95);
  DrawPicToScreen(uint8_t(rpgfmt::ResType::kItemPicture), item->kind, item->picture, 0, 11, 10);
  PrintInt(15, 34, chosen.count, 10, 0);
  int left = chosen.count;
  view.Draw();
  for (;;) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyEscape || key == kNoKey) return 0;
    if (key != kKeyEnter) {
      view.Step(key, false);
      continue;
    }
    if (left == 0) return 0;
    ApplyOnce(chosen.kind, block, view);
    InvRemove({chosen.kind, chosen.id, 1});
    SetItemFlag(chosen.kind, chosen.id, 1);
    if (game.runStatus) return 0;
    DrawCount(--left);
    if (left == 0) ClearRect(0, 0, 36, 60);
    view.Draw();
  }
}

uint8_t UseItemMenu() {
  ClearScreen();
  int selected = 0, scrollTop = 0;
  while (!game.runStatus) {
    const uint8_t at = PickInventory(game.inventory, game.invCount, kUsableKinds,
                                     int(std::size(kUsableKinds)), selected, &scrollTop);
    if (at == kBackOut) return 0;
    selected = at;
    const InvEntry entry = game.inventory[at];
    if (entry.kind == kBattleItem || entry.kind == kBattleItem2) {
      ShowMessage("战斗中才能使用！", kMessageTicks);
      continue;
    }
    if (entry.kind == kKeyItem) {
      game.menuScript = entry.id;
      return 1;
    }
    if (UseItemOn(entry)) return 1;
    ClearScreen();
  }
  return 0;
}
